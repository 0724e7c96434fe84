#include "forms/system/LogHostEditUnit.h"

#include <cstring>
#include <vector>

#include "catalogue/DeviceMib.h"
#include "forms/common/AddressClass.h"
#include "forms/common/FeatureForm.h"
#include "forms/common/FormWrite.h"
#include "forms/system/SystemLogHostUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "platform/ComCtrls.h"
#include "platform/Dialogs.h"
#include "platform/Exceptions.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"
#include "platform/SysUtils.h"

TLogHostEditForm* LogHostEditForm = nullptr;

const THostAddressRule HostAddressRules[11] = {
    {"Unix Style", 0},
    {"All Zero", 1},
    {"All Boardcast", 0},
    {"LAN Boardcast", 1},
    {"Local Host", 0},
    {"Class A", 1},
    {"Class B", 1},
    {"Class C", 1},
    {"Class D", 0},
    {"Class E", 0},
    {"Zero Above Non-zero", 1},
};

namespace {

namespace Item = SystemLogHostItem;

// Column of the list that shows a host's address (after the index).
constexpr int kAddressColumn = 1;

bool Allowed(const char* rule) {
  for (const THostAddressRule& r : HostAddressRules)
    if (std::strcmp(r.Name, rule) == 0) return r.Allowed != 0;
  return false;
}

// The rule that governs each class of address, in TIpv4Class order.
constexpr const char* kClassRules[] = {nullptr,   "Class A", "Class B",
                                       "Class C", "Class D", "Class E"};

}  // namespace

bool IsValidLogHostAddress(TLogHostEditForm* dialog) {
  const AnsiString text = dialog->IPAddrEdit->Text();
  if (text.Length() < 1 || text.Length() > 16) return false;
  std::vector<AnsiString> parts;
  AnsiString part;
  for (int i = 1; i <= text.Length(); ++i) {
    const char c = text[i];
    if (c == '.') {
      if (parts.size() >= 4) return false;
      parts.push_back(part);
      part = "";
    } else if (c >= '0' && c <= '9') {
      part += c;
    } else {
      return false;
    }
  }
  parts.push_back(part);
  if (!Allowed("Unix Style") && parts.size() != 4) return false;

  // A missing, empty or non-numeric part counts as -1.
  int zeros = 0, broadcasts = 0;
  for (std::size_t p = 0; p < 4; ++p) {
    const int n = p >= parts.size() || parts[p].IsEmpty() ? -1 : parts[p].ToIntDef(-1);
    if (n < 0 || n > 255) return false;
    if (n == 0) ++zeros;
    if (n == 255) ++broadcasts;
    if (zeros == 4 && !Allowed("All Zero")) return false;
    if (broadcasts == 4 && !Allowed("All Boardcast")) return false;
    if (p != 0) continue;
    if (n == 127 && !Allowed("Local Host")) return false;
    const char* rule = kClassRules[static_cast<int>(Ipv4ClassOf(n))];
    if (rule && !Allowed(rule)) return false;
  }
  return true;
}

bool IsValidLogHostPort(TLogHostEditForm* dialog) {
  const int port = dialog->PortEdit->Text().ToIntDef(-1);
  return port == 514 || (port >= 6000 && port <= 65535);
}

TLogHostEditForm::TLogHostEditForm(TComponent* AOwner) : TForm(AOwner) {
  InitComponents();
  ScaleFormForScreen(this);
}

TLogHostEditForm::~TLogHostEditForm() = default;

void TLogHostEditForm::InitComponents() {
  TFormBuilder B(this);
  B.Form()
      .Caption("Log Host")
      .ClientSize(310, 262)
      .Position(poScreenCenter)
      .BorderStyle(bsDialog)
      .OnActivate(this, &TLogHostEditForm::FormActivate);
  // The captions beside the fields; nothing refers to them afterwards.
  const char* const captions[] = {"Server Index",     "Server Facility",   "Server Severity",
                                  "Server UDP Port",  "Server IP Address", "Server State",
                                  "Server Row Status"};
  int top = 16;
  for (int i = 0; i < 7; ++i) {
    B.Make<TLabel>("Label" + IntToStr(i + 1)).At(16, top + 4).Caption(captions[i]);
    top += 30;
  }
  B.Add(cbxIndex, "cbxIndex").At(140, 16, 154).Style(csDropDownList);
  B.Add(FacComboBox, "FacComboBox").At(140, 46, 154).Style(csDropDownList);
  B.Add(SevComboBox, "SevComboBox").At(140, 76, 154).Style(csDropDownList);
  B.Add(PortEdit, "PortEdit").At(140, 106, 154, 21);
  B.Add(IPAddrEdit, "IPAddrEdit").At(140, 136, 154, 21);
  B.Add(StateComboBox, "StateComboBox").At(140, 166, 154).Style(csDropDownList);
  B.Add(RowComboBox, "RowComboBox").At(140, 196, 154).Style(csDropDownList);
  B.Add(SetButton, "SetButton")
      .At(130, 230, 78, 25)
      .Caption("Set")
      .OnClick(this, &TLogHostEditForm::SetButtonClick);
  B.Add(CloseButton, "CloseButton")
      .At(216, 230, 78, 25)
      .Caption("Close")
      .OnClick(this, &TLogHostEditForm::CloseButtonClick);
}

void TLogHostEditForm::FormActivate(TObject*) {
  if (EditMode == kEditMode) {
    SetCaption(FeatureCaption("Log Host Edit: "));
    cbxIndex->SetEnabled(false);
    RowComboBox->SetEnabled(false);
  } else if (EditMode == kAddMode) {
    SetCaption(FeatureCaption("Log Host Add: "));
    cbxIndex->SetEnabled(true);
    RowComboBox->SetEnabled(true);
    cbxIndex->SetItemIndex(-1);
    FacComboBox->SetItemIndex(SystemLogHostFacilityOption::kLocal0);
    SevComboBox->SetItemIndex(SystemLogHostSeverityOption::kAll);
    StateComboBox->SetItemIndex(SystemLogHostStateOption::kDisabled);
    RowComboBox->SetItemIndex(SystemLogHostRowStatusOption::kActive);
    PortEdit->SetText("");
    IPAddrEdit->SetText("");
  }
}

// What is judged is what the user entered: all of a new entry, and of a
// row the fields the user edited. A row's value the user left alone goes
// back as the switch holds it and does not keep the fields the user
// changed from being written.
bool TLogHostEditForm::CheckPortAndAddress() {
  if (Entered(PortEdit) && !PortEdit->Text().IsEmpty() && !IsValidLogHostPort(this)) {
    InputError("The range of UDP Port for syslog is 514 or 6000-65535.", PortEdit);
    return false;
  }
  if (!Entered(IPAddrEdit)) return true;
  if (IPAddrEdit->Text().IsEmpty()) {
    InputError("IP Address should be set.", IPAddrEdit);
    return false;
  }
  if (!IsValidLogHostAddress(this)) {
    InputError("IP Address in not valid.", IPAddrEdit);
    return false;
  }
  return true;
}

bool TLogHostEditForm::CheckAdd() {
  if (cbxIndex->ItemIndex() < 0) {
    InputError("Index is needed.", cbxIndex);
    return false;
  }
  if (!CheckPortAndAddress()) return false;
  if (ListViewHasRow(SystemLogHostForm->ListView1, {{kAddressColumn, IPAddrEdit->Text()}})) {
    InputError("IP Address must be different.", IPAddrEdit);
    return false;
  }
  if (RowComboBox->ItemIndex() != SystemLogHostRowStatusOption::kCreateAndGo) {
    InputError("State should be createAndGo.", RowComboBox);
    return false;
  }
  if (!SystemLogHostForm->Request || SystemLogHostForm->Request->Busy) {
    ShowMessage(kGetDataNotComplete);
    return false;
  }
  return true;
}

bool TLogHostEditForm::Entered(const TControl* field) const {
  return EditMode == kAddMode || FieldEntered(SystemLogHostForm->Request.get(), field);
}

bool TLogHostEditForm::CheckEdit() {
  if (!CheckPortAndAddress()) return false;
  TListView* list = SystemLogHostForm->ListView1;
  // The row edited is the one selected, named by its index as the switch
  // holds it (one the index list lacks too); an index chosen is looked for.
  int row = list->Selected() ? list->ItemIndex() : -1;
  if (Entered(cbxIndex)) {
    const AnsiString index = ComboText(cbxIndex);
    row = -1;
    for (int r = 0; r < list->Items()->Count() && row < 0; ++r)
      if (ListCellText(list, r, 0) == index) row = r;
    if (list->Items()->Count() > 0 && row < 0) {
      InputError("Index is needed.", cbxIndex);
      return false;
    }
  }
  const AnsiString address = IPAddrEdit->Text();
  if (row >= 0 && ListCellText(list, row, kAddressColumn) != address) {
    for (int r = 0; r < list->Items()->Count(); ++r) {
      if (r != row && ListCellText(list, r, kAddressColumn) == address) {
        InputError("IP Address must be different.", IPAddrEdit);
        return false;
      }
    }
  }
  // As in Add: a write while the list is read would not be read back.
  if (!SystemLogHostForm->Request || SystemLogHostForm->Request->Busy) {
    ShowMessage(kGetDataNotComplete);
    return false;
  }
  return true;
}

// One SET through the list form's request, empty fields left out, then the
// list is read again. False when the device did not take it (the request
// has shown that and read the list again itself) or it could not be sent
// (a line of the list's memo).
bool TLogHostEditForm::WriteThroughList(bool adding) {
  std::unique_ptr<VnSNMPRequest2Edits>& request = SystemLogHostForm->Request;
  TMemo* memo = SystemLogHostForm->Memo1;
  const bool taken = WriteTaken(
      request,
      [&] {
        TSavedAccess SavedAccess(*request);
        if (FacComboBox->Text().IsEmpty()) SavedAccess.Invalidate(Item::kFacility);
        if (SevComboBox->Text().IsEmpty()) SavedAccess.Invalidate(Item::kSeverity);
        if (PortEdit->Text().IsEmpty()) SavedAccess.Invalidate(Item::kUDPPort);
        if (StateComboBox->Text().IsEmpty()) SavedAccess.Invalidate(Item::kState);
        if (adding) {
          if (IPAddrEdit->Text().IsEmpty()) SavedAccess.Invalidate(Item::kIPAddress);
        } else {
          if (IPAddrEdit->Text().IsEmpty() || IPAddrEdit->Text() == "0.0.0.0")
            SavedAccess.Invalidate(Item::kIPAddress);
          SavedAccess.Invalidate(Item::kRowStatus);
        }
        request->Set(kSetFromControls);
      },
      [memo](const AnsiString& message) { ShowFailureInMemo(memo, message); });
  if (!taken || !request) return false;
  request->Get();
  return true;
}

void TLogHostEditForm::SetButtonClick(TObject*) {
  if (!SystemLogHostForm || !SystemLogHostForm->Request ||
      (EditMode != kEditMode && EditMode != kAddMode)) {
    Close();
    return;
  }
  const bool adding = EditMode == kAddMode;
  if (!(adding ? CheckAdd() : CheckEdit())) return;
  // A write that fails keeps the dialog open with what the user typed, for
  // a correction or Close; the failure is the list's last status line.
  try {
    if (!WriteThroughList(adding)) return;
  } catch (const Exception& e) {
    if (SystemLogHostForm) ShowFailureInMemo(SystemLogHostForm->Memo1, e.Message);
    return;
  }
  Close();
}

void TLogHostEditForm::CloseButtonClick(TObject*) { Close(); }
