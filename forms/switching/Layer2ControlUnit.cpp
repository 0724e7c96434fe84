#include "forms/switching/Layer2ControlUnit.h"

#include "catalogue/DeviceMib.h"
#include "forms/common/FeatureForm.h"
#include "library/VnSNMPConnection.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormHost.h"
#include "pages/FormOpeners.h"
#include "platform/Exceptions.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

TLayer2ControlForm* Layer2ControlForm = nullptr;

VN_REGISTER_FORM_OPENER(TLayer2ControlForm, &Layer2ControlForm);

namespace {

constexpr const char* kFieldsEmpty = "Some Checked fields are empty.";

namespace Item = Layer2ControlIGMPSnoopingItem;
// The main request writes each of its items.
constexpr int kMainItems = Item::kVLANTrunkState + 1;

AnsiString FieldText(TWinControl* field) {
  if (auto* combo = dynamic_cast<TComboBox*>(field)) return ComboText(combo);
  if (auto* edit = dynamic_cast<TEdit*>(field)) return edit->Text();
  return "";
}

// A port edit and its row box follow the state combo: off for "disabled",
// on for "enabled", untouched otherwise (nothing read yet).
void ApplyPortRule(TComboBox* state, TEdit* port, TCheckBox* row) {
  const AnsiString text = ComboText(state);
  if (text == "disabled") {
    DisableValueEdit(port);
    row->SetChecked(false);
    row->SetEnabled(false);
  } else {
    // On, or in a state the list lacks: the port row is open, whatever the
    // state read before showed.
    EnableValueEdit(port);
    row->SetEnabled(true);
  }
}

void Report(TMemo* memo) {
  try {
    throw;
  } catch (const Exception& e) {
    ShowFailureInMemo(memo, e.Message);
  } catch (const std::exception& e) {
    ShowFailureInMemo(memo, e.what());
  }
}

}  // namespace

TLayer2ControlForm::TLayer2ControlForm(TComponent* AOwner) : TForm(AOwner) {
  BuildComponents();
  ScaleFormForScreen(this);
}

TLayer2ControlForm::~TLayer2ControlForm() = default;

void TLayer2ControlForm::BuildComponents() {
  TFormBuilder B(this);
  B.Form()
      .Caption("Layer2 Device Control")
      .ClientSize(556, 566)
      .Position(poScreenCenter)
      .BorderStyle(bsSingle)
      .OnCreate(this, &TLayer2ControlForm::FormCreate)
      .OnCloseQuery(this, &TLayer2ControlForm::FormCloseQuery)
      .OnClose(this, &TLayer2ControlForm::FormClose);
  int top = 12;
  auto row = [&](TCheckBox*& box, const char* boxName, const char* caption) {
    B.Add(box, boxName).At(12, top + 2, 262, 17).Caption(caption);
  };
  auto comboRow = [&](TCheckBox*& box, const char* boxName, const char* caption, TComboBox*& combo,
                      const char* comboName) {
    row(box, boxName, caption);
    B.Add(combo, comboName).At(280, top, 145, 21).Style(csDropDownList);
    top += 26;
  };
  auto editRow = [&](TCheckBox*& box, const char* boxName, const char* caption, TEdit*& edit,
                     const char* editName) {
    row(box, boxName, caption);
    B.Add(edit, editName).At(280, top, 145, 21);
    top += 26;
  };
  comboRow(CheckBox1, "CheckBox1", "IGMP Snooping State", IGMPComBo, "IGMPComBo");
  comboRow(cbxAuthTrap, "cbxAuthTrap", "Authentication Trap State", ComboAuthTrap, "ComboAuthTrap");
  comboRow(CheckBox3, "CheckBox3", "RMON State", RmonComBo, "RmonComBo");
  comboRow(CheckBox17, "CheckBox17", "SNMP Trap State", TrapStateComBo, "TrapStateComBo");
  comboRow(CheckBox4, "CheckBox4", "Clean All Statistic Counters", CleanComBo, "CleanComBo");
  editRow(CheckBox5, "CheckBox5", "VLAN ID Of FDB Table [1-4094]", VlanEdit, "VlanEdit");
  editRow(CheckBox11, "CheckBox11", "Management VLAN ID [1-4094]", edtMVlanID, "edtMVlanID");
  comboRow(CheckBox12, "CheckBox12", "MAC Notification", cbxMACNotify, "cbxMACNotify");
  editRow(CheckBox13, "CheckBox13", "MAC Notify History Size [1-500]", edtNotifySize,
          "edtNotifySize");
  editRow(CheckBox14, "CheckBox14", "MAC Notify Interval [1-2147483647]", edtNotifyInterval,
          "edtNotifyInterval");
  comboRow(CheckBox6, "CheckBox6", "Web State", WebStateComBo, "WebStateComBo");
  editRow(CheckBox7, "CheckBox7", "Web Port", WebPortEdit, "WebPortEdit");
  comboRow(CheckBox8, "CheckBox8", "Telnet State", TelStateComBo, "TelStateComBo");
  editRow(CheckBox9, "CheckBox9", "Telnet Port", TelPortEdit, "TelPortEdit");
  comboRow(CheckBox10, "CheckBox10", "IP Auto Config", IPConfigComBo, "IPConfigComBo");
  comboRow(CheckBox16, "CheckBox16", "Port Security Trap Log State", TrapLogComBo, "TrapLogComBo");
  comboRow(CheckBox18, "CheckBox18", "VLAN Trunk State", VLANTrunkCombo, "VLANTrunkCombo");
  // Kept hidden: no code shows them.
  B.Add(CheckBox15, "CheckBox15").At(12, top + 2, 262, 17).Caption("PoE State").Hidden();
  B.Add(cbxPOE, "cbxPOE").At(280, top, 145, 21).Style(csDropDownList).Hidden();
  B.Add(CheckBox2, "CheckBox2")
      .At(12, top + 2, 262, 17)
      .Caption("Snooping Multicast Route Only State")
      .Hidden();
  B.Add(SnoopingComBo, "SnoopingComBo").At(280, top, 145, 21).Style(csDropDownList).Hidden();

  B.Add(Memo1, "Memo1").At(12, top + 6, 413, 566 - top - 18).ReadOnly();
  Memo1->SetScrollBars(ssVertical);

  int bt = 12;
  auto button = [&](TButton*& b, const char* name, const char* caption,
                    void (TLayer2ControlForm::*handler)(TObject*)) {
    B.Add(b, name).At(444, bt, 100, 25).Caption(caption).OnClick(this, handler);
    bt += 34;
  };
  button(GetButton, "GetButton", "Refresh", &TLayer2ControlForm::GetButtonClick);
  button(SetButton, "SetButton", "Set Checked", &TLayer2ControlForm::SetButtonClick);
  button(CheckButton, "CheckButton", "Check All", &TLayer2ControlForm::CheckButtonClick);
  button(ClearButton, "ClearButton", "Clear Checked", &TLayer2ControlForm::ClearButtonClick);
  button(CloseButton, "CloseButton", "Close", &TLayer2ControlForm::CloseButtonClick);

  WebStateComBo->OnChange = TNotifyEvent(this, &TLayer2ControlForm::WebStateComBoChange);
  for (TComboBox* c : {TelStateComBo, IPConfigComBo, TrapLogComBo, cbxPOE})
    c->OnChange = TNotifyEvent(this, &TLayer2ControlForm::TelStateComBoChange);
}

void TLayer2ControlForm::FormCreate(TObject*) {
  Request = NewFormRequest(this, Layer2ControlIGMPSnoopingVars, VnItemType::SVT_SV, 0, true);
  Request->BindComboBox(Item::kIGMPSnooping, IGMPComBo);
  Request->BindComboBox(Item::kRMONState, RmonComBo);
  Request->BindComboBox(Item::kSNMPTrapState, TrapStateComBo);
  Request->BindComboBox(Item::kCleanAllStatisticCounters, CleanComBo);
  Request->BindEdits(Item::kVLANIDOfFDBTBL, "%i{n1x4094l4}", VlanEdit);
  Request->BindEdits(Item::kManagementVLANID, "%i{n1x4094l4}", edtMVlanID);
  Request->BindComboBox(Item::kMACNotificationState, cbxMACNotify);
  Request->BindEdits(Item::kMACNotificationHistorySize, "%i{n1x500l3}", edtNotifySize);
  Request->BindEdits(Item::kMACNotificationInterval, "%i{n1x2147483647}", edtNotifyInterval);
  Request->BindComboBox(Item::kWebState, WebStateComBo);
  Request->BindComboBox(Item::kTelnetState, TelStateComBo);
  Request->BindComboBox(Item::kIPAutoConfig, IPConfigComBo);
  Request->BindComboBox(Item::kPortSecurityTrapLogState, TrapLogComBo);
  Request->BindComboBox(Item::kVLANTrunkState, VLANTrunkCombo);
  Request->SetStatusMemo(Memo1);

  WebPortRequest = NewFormRequest(this, Layer2ControlWebTCPPortVars, VnItemType::SVT_SV, 0, true);
  WebPortRequest->BindEdits(0, "%i{n1x65535}", WebPortEdit);
  WebPortRequest->SetStatusMemo(Memo1);

  TelnetPortRequest =
      NewFormRequest(this, Layer2ControlTelnetTCPPortVars, VnItemType::SVT_SV, 0, true);
  TelnetPortRequest->BindEdits(0, "%i{n1x65535}", TelPortEdit);
  TelnetPortRequest->SetStatusMemo(Memo1);

  AuthTrapRequest =
      NewFormRequest(this, Layer2ControlAuthenticationTrapStateVars, VnItemType::SVT_SV, 0, true);
  AuthTrapRequest->BindComboBox(0, ComboAuthTrap);
  AuthTrapRequest->SetStatusMemo(Memo1);

  try {
    ReadAll();
  } catch (...) {
    Report(Memo1);
  }
}

bool TLayer2ControlForm::AnyRequestBusy() const {
  for (const auto* r :
       {Request.get(), WebPortRequest.get(), TelnetPortRequest.get(), AuthTrapRequest.get()})
    if (r && r->Busy) return true;
  return false;
}

// Every read of the round is made, whichever failed before it, so that no
// field keeps what an earlier round read; the last failure is the round's
// last line.
void TLayer2ControlForm::ReadAll() {
  if (!Request || !AuthTrapRequest || !WebPortRequest || !TelnetPortRequest) return;
  AnsiString failure;
  const auto read = [&](VnSNMPRequest2Edits& request) {
    try {
      request.Get();
      // Values it could not take: the read has said which.
      if (request.Request.ReadFaults().Any()) failure = request.Request.ReadFaults().Text();
    } catch (const Exception& e) {
      failure = e.Message;
    }
  };
  read(*Request);
  read(*AuthTrapRequest);
  WebStateComBoChange(nullptr);
  TelStateComBoChange(nullptr);
  // The port of a service that is on, or in a state the list lacks (the
  // port row stays open then), is shown as the switch holds it.
  if (ComboText(WebStateComBo) != "disabled") read(*WebPortRequest);
  if (ComboText(TelStateComBo) != "disabled") read(*TelnetPortRequest);
  if (!failure.IsEmpty()) ShowFailureInMemo(Memo1, failure);
}

void TLayer2ControlForm::WebStateComBoChange(TObject*) {
  ApplyPortRule(WebStateComBo, WebPortEdit, CheckBox7);
}

void TLayer2ControlForm::TelStateComBoChange(TObject*) {
  ApplyPortRule(TelStateComBo, TelPortEdit, CheckBox9);
}

void TLayer2ControlForm::GetButtonClick(TObject*) {
  if (AnyRequestBusy()) return;
  try {
    ReadAll();
  } catch (...) {
    Report(Memo1);
  }
}

void TLayer2ControlForm::CheckButtonClick(TObject*) {
  for (TCheckBox* box :
       {CheckBox1, cbxAuthTrap, CheckBox3, CheckBox17, CheckBox4, CheckBox5, CheckBox11, CheckBox12,
        CheckBox13, CheckBox14, CheckBox6, CheckBox8, CheckBox10, CheckBox16, CheckBox18})
    box->SetChecked(true);
  for (TCheckBox* box : {CheckBox7, CheckBox9})
    if (box->Enabled()) box->SetChecked(true);
}

void TLayer2ControlForm::ClearButtonClick(TObject*) {
  for (TCheckBox* box :
       {CheckBox1, cbxAuthTrap, CheckBox3, CheckBox17, CheckBox4, CheckBox5, CheckBox11, CheckBox12,
        CheckBox13, CheckBox14, CheckBox6, CheckBox8, CheckBox10, CheckBox16, CheckBox18})
    box->SetChecked(false);
  for (TCheckBox* box : {CheckBox7, CheckBox9})
    if (box->Enabled()) box->SetChecked(false);
}

TWinControl* TLayer2ControlForm::FirstEmptyCheckedField() const {
  struct TRow {
    TCheckBox* Box;
    TWinControl* Field;
    VnSNMPRequest2Edits* Request;
    int Item;
  };
  VnSNMPRequest2Edits* main = Request.get();
  const TRow rows[] = {{CheckBox1, IGMPComBo, main, Item::kIGMPSnooping},
                       {cbxAuthTrap, ComboAuthTrap, AuthTrapRequest.get(), 0},
                       {CheckBox3, RmonComBo, main, Item::kRMONState},
                       {CheckBox17, TrapStateComBo, main, Item::kSNMPTrapState},
                       {CheckBox4, CleanComBo, main, Item::kCleanAllStatisticCounters},
                       {CheckBox5, VlanEdit, main, Item::kVLANIDOfFDBTBL},
                       {CheckBox11, edtMVlanID, main, Item::kManagementVLANID},
                       {CheckBox12, cbxMACNotify, main, Item::kMACNotificationState},
                       {CheckBox13, edtNotifySize, main, Item::kMACNotificationHistorySize},
                       {CheckBox14, edtNotifyInterval, main, Item::kMACNotificationInterval},
                       {CheckBox6, WebStateComBo, main, Item::kWebState},
                       {CheckBox8, TelStateComBo, main, Item::kTelnetState},
                       {CheckBox10, IPConfigComBo, main, Item::kIPAutoConfig},
                       {CheckBox16, TrapLogComBo, main, Item::kPortSecurityTrapLogState},
                       {CheckBox18, VLANTrunkCombo, main, Item::kVLANTrunkState},
                       {CheckBox7, WebPortEdit, WebPortRequest.get(), 0},
                       {CheckBox9, TelPortEdit, TelnetPortRequest.get(), 0}};
  for (const TRow& row : rows)
    if (row.Box->Checked() && FieldText(row.Field).IsEmpty() &&
        (!row.Request || ItemEntered(*row.Request, row.Item)))
      return row.Field;
  return nullptr;
}

void TLayer2ControlForm::SetButtonClick(TObject*) {
  if (AnyRequestBusy() || !Request || !AuthTrapRequest) return;
  MainRowsChecked = AuthRowChecked = WebStateRowChecked = TelnetStateRowChecked = false;
  // An empty ticked field stops the whole write: nothing is sent.
  if (TWinControl* empty = FirstEmptyCheckedField()) {
    InputError(kFieldsEmpty, empty);
    return;
  }
  try {
    {
      const TCheckBox* mainRows[kMainItems] = {
          CheckBox1,  CheckBox3,  CheckBox17, CheckBox4, CheckBox5,  CheckBox11, CheckBox12,
          CheckBox13, CheckBox14, CheckBox6,  CheckBox8, CheckBox10, CheckBox16, CheckBox18};
      TSavedAccess mainAccess(*Request);
      TSavedAccess authAccess(*AuthTrapRequest);
      for (int i = 0; i < kMainItems; ++i) {
        if (mainRows[i]->Checked())
          MainRowsChecked = true;
        else
          mainAccess.Invalidate(i);
      }
      if (cbxAuthTrap->Checked())
        AuthRowChecked = true;
      else
        authAccess.Invalidate(0);
      WebStateRowChecked = CheckBox6->Checked();
      TelnetStateRowChecked = CheckBox8->Checked();
      // A ticked row whose value cannot be written keeps none of the others
      // from being written.
      if (MainRowsChecked) MainRowsChecked = SetUnlessEmpty(*Request, kSetFromControls);
      if (AuthRowChecked) AuthRowChecked = SetUnlessEmpty(*AuthTrapRequest, kSetFromControls);
    }  // access words restored here, also when a Set raised
    if (MainRowsChecked) Request->Get();
    if (AuthRowChecked) AuthTrapRequest->Get();
    WebStateComBoChange(nullptr);
    TelStateComBoChange(nullptr);
    WritePortRow(WebPortRequest.get(), WebStateComBo, CheckBox7, WebPortEdit, WebStateRowChecked);
    WritePortRow(TelnetPortRequest.get(), TelStateComBo, CheckBox9, TelPortEdit,
                 TelnetStateRowChecked);
  } catch (...) {
    Report(Memo1);
  }
}

void TLayer2ControlForm::WritePortRow(VnSNMPRequest2Edits* request, TComboBox* state,
                                      TCheckBox* portRow, TEdit* portEdit, bool stateRowChecked) {
  // A service switched off takes no port. One on, or in a state the list
  // lacks, takes the port the user ticked.
  const AnsiString stateText = ComboText(state);
  if (!request || stateText == "disabled" || (stateText != "enabled" && !portRow->Checked()))
    return;
  if (portRow->Checked()) {
    bool written = false;
    {
      TSavedAccess access(*request);
      written = SetUnlessEmpty(*request, kSetFromControlsThenRead);
    }
    if (written) request->Get();
  } else if (stateRowChecked) {
    // The device needs a moment to open the port after the service was
    // switched on: read, show it blank for a while, read again.
    request->Get();
    portEdit->SetText("");
    portEdit->SetReadOnly(true);
    PumpFor(SnmpVersion == 3 ? 1500 : 800);
    portEdit->SetReadOnly(false);
    request->Get();
  }
}

void TLayer2ControlForm::CloseButtonClick(TObject*) { Close(); }

void TLayer2ControlForm::FormCloseQuery(TObject*, bool&) {
  StopWaitDelete(Request);
  StopWaitDelete(WebPortRequest);
  StopWaitDelete(TelnetPortRequest);
}

void TLayer2ControlForm::FormClose(TObject*, TCloseAction& Action) {
  // The authentication-trap request goes too, and any that the close query
  // did not reach.
  StopWaitDelete(AuthTrapRequest);
  StopWaitDelete(Request);
  StopWaitDelete(WebPortRequest);
  StopWaitDelete(TelnetPortRequest);
  // The form closes whatever the device answers: a failed reading of the
  // RMON state is shown as any other error.
  try {
    FormHost().UpdateRmonMenuState();
  } catch (...) {
    HandleCurrentException(this);
  }
  Action = caFree;
}
