#include "forms/security/ServerGroupUnit.h"

#include "catalogue/SecurityMib.h"
#include "forms/common/FeatureForm.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/Dialogs.h"
#include "platform/Exceptions.h"
#include "platform/ExtCtrls.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"
#include "platform/SysUtils.h"

TServerGroupForm* ServerGroupForm = nullptr;

VN_REGISTER_FORM_OPENER(TServerGroupForm, &ServerGroupForm);

namespace {

namespace Item = ServerGroupItem;
// Address and protocol of member k follow those of member k - 1.
constexpr int AddressItem(int member) { return Item::kAACServerGroupIPAddress1 + 2 * member; }
constexpr int ProtocolItem(int member) { return Item::kAACServerGroupAuthProtocol1 + 2 * member; }
static_assert(AddressItem(TServerGroupForm::kMembers - 1) == Item::kAACServerGroupIPAddress8 &&
              ProtocolItem(TServerGroupForm::kMembers - 1) == Item::kAACServerGroupAuthProtocol8);

constexpr const char* kNameMissing = "Server Group Name can not be null.";

// The groups the device always has.
bool IsDefaultGroup(const AnsiString& name) {
  for (const char* g : {"TACACS", "XTACACS", "TACACS+", "TACACS-plus", "RADIUS"})
    if (SameText(name, g)) return true;
  return false;
}

}  // namespace

TServerGroupForm::TServerGroupForm(TComponent* AOwner) : TForm(AOwner) {
  InitComponents();
  ScaleFormForScreen(this);
}

TServerGroupForm::~TServerGroupForm() = default;

void TServerGroupForm::InitComponents() {
  using F = TServerGroupForm;
  TFormBuilder B(this);
  B.Form()
      .Caption("Server Group Information")
      .Size(760, 562)
      .Position(poMainFormCenter)
      .BorderStyle(bsSingle)
      .OnCreate(this, &F::FormCreate)
      .OnClose(this, &F::FormClose);
  SetName("ServerGroupForm");

  B.Add(Panel1, "Panel1").Align(alRight).Width(116).BevelOuter(bvNone);
  B.Add(GetButton, "GetButton", Panel1)
      .At(10, 10, 96, 25)
      .Caption("Refresh")
      .OnClick(this, &F::GetButtonClick);
  B.Add(EditButton, "EditButton", Panel1).At(10, 40, 96, 25).Caption("Edit").Hidden();
  B.Add(AddButton, "AddButton", Panel1)
      .At(10, 40, 96, 25)
      .Caption("Add")
      .OnClick(this, &F::AddButtonClick);
  B.Add(DeleteButton, "DeleteButton", Panel1)
      .At(10, 70, 96, 25)
      .Caption("Delete")
      .OnClick(this, &F::DeleteButtonClick);
  B.Add(Static, "Static", Panel1).At(10, 104, 96, 17).Caption("0");

  B.Add(Panel2, "Panel2").Align(alBottom).Height(250).BevelOuter(bvNone);
  B.Add(Memo1, "Memo1").At(0, 600, 644, 72).Align(alBottom).Height(72).ReadOnly();
  B.Add(ListView2, "ListView2").At(8, 8, 628, 150).OnClick(this, &F::ListView2Click);

  B.Parent(Panel2);
  B.Add(Label1, "Label1").At(8, 12).Caption("Server Group Name");
  B.Add(edtServerName, "edtServerName").At(190, 8, 120, 21);
  B.Add(Label18, "Label18").At(330, 12).Caption("Row Status");
  B.Add(cbxRowStatus, "cbxRowStatus").At(510, 8, 120, 21).Style(csDropDownList);
  TEdit** ips[] = {&edtIP1, &edtIP2, &edtIP3, &edtIP4, &edtIP5, &edtIP6, &edtIP7, &edtIP8};
  TComboBox** protocols[] = {&cbxProt1, &cbxProt2, &cbxProt3, &cbxProt4,
                             &cbxProt5, &cbxProt6, &cbxProt7, &cbxProt8};
  for (int k = 0; k < kMembers; ++k) {
    const AnsiString n = IntToStr(k + 1);
    const int y = 38 + k * 26;
    B.Make<TLabel>("Label" + IntToStr(2 * k + 2))
        .At(8, y + 4)
        .Caption("Server Group IP Address" + n);
    B.Add(*ips[k], "edtIP" + n).At(190, y, 120, 21).Enabled(false);
    B.Make<TLabel>("Label" + IntToStr(2 * k + 3))
        .At(330, y + 4)
        .Caption("Authentication Protocol" + n);
    B.Add(*protocols[k], "cbxProt" + n).At(510, y, 120, 21).Style(csDropDownList).Enabled(false);
    ip_[k] = *ips[k];
    protocol_[k] = *protocols[k];
  }
}

void TServerGroupForm::ShowFailure(const AnsiString& message) { ShowFailureInMemo(Memo1, message); }

void TServerGroupForm::FormCreate(TObject*) {
  ListView2->SetAlign(alClient);
  try {
    Request = NewFormRequest(this, ServerGroupVars, VnItemType::MVT_UMV, 1);
    Request->AttachListView(ListView2, true);
    ClickFollowsSelection(*Request);
    Request->BindEdits(Item::kAACServerGroupName, "%s{l15}", edtServerName);
    for (int k = 0; k < kMembers; ++k) {
      Request->BindEdits(AddressItem(k), "%s{l16}", ip_[k]);
      Request->BindComboBox(ProtocolItem(k), protocol_[k]);
    }
    Request->BindComboBox(Item::kAACServerGroupRowStatus, cbxRowStatus);
    Request->SetStatusMemo(Memo1);
    edtServerName->SetText("");
    for (TEdit* ip : ip_) ip->SetText("");
    cbxRowStatus->SetItemIndex(ServerGroupRowStatusOption::kCreateAndGo);
    Rows.Attach(
        *Request, ListView2, Static, [this](bool rowSelected) { ShowRowState(rowSelected); },
        [this] { ClearGroupEdits(); });
    Request->Get();
  } catch (const Exception& e) {
    ShowFailure(e.Message);
  }
}

void TServerGroupForm::FormClose(TObject*, TCloseAction& Action) {
  ListView2->SetSelected(nullptr);
  StopWaitDelete(Request);
  Action = caFree;
}

// A group's name names the row; its members are shown, not written here.
void TServerGroupForm::ShowRowState(bool rowSelected) {
  EditButton->SetEnabled(rowSelected);
  DeleteButton->SetEnabled(rowSelected);
  edtServerName->SetEnabled(!rowSelected);
  AddButton->SetEnabled(!rowSelected);
  if (!rowSelected) return;
  for (int k = 0; k < kMembers; ++k) {
    ip_[k]->SetEnabled(false);
    protocol_[k]->SetEnabled(false);
  }
}

void TServerGroupForm::ClearGroupEdits() {
  edtServerName->SetText("");
  for (TEdit* ip : ip_) ip->SetText("");
  cbxRowStatus->SetItemIndex(ServerGroupRowStatusOption::kCreateAndGo);
  for (TComboBox* protocol : protocol_) protocol->SetItemIndex(-1);
}

void TServerGroupForm::ListView2Click(TObject*) { Rows.Click(); }

void TServerGroupForm::ReadGroups() {
  Rows.ReadAnew(Request, [this](const AnsiString& message) { ShowFailure(message); });
}

void TServerGroupForm::GetButtonClick(TObject*) {
  // A second walk into the same list while one runs would mix their rows.
  if (!Request || Request->Busy) return;
  ReadGroups();
}

void TServerGroupForm::AddButtonClick(TObject*) {
  if (!Request || !CheckRequestIdle(Request->Busy ? 0 : 1)) return;
  const AnsiString name = edtServerName->Text();
  if (name.IsEmpty()) {
    InputError(kNameMissing, edtServerName);
    return;
  }
  // The default groups always exist, under any letter case, and Delete
  // keeps them: a group of such a name could never be deleted again.
  if (ListViewHasRow(ListView2, {{0, name}}) || IsDefaultGroup(name)) {
    InputError("Has already a record with the same Server Group Name. Please change it.",
               edtServerName);
    return;
  }
  if (cbxRowStatus->ItemIndex() != ServerGroupRowStatusOption::kCreateAndGo) {
    InputError("RowState must be createAndGo.", cbxRowStatus);
    return;
  }
  // The SET's answer comes before the table is read again. A write that
  // failed has been read back by the request without "Ok!", so the failure
  // stays the last line, and the typed name stays for a correction.
  if (WriteGroup([](TSavedAccess&) {})) ReadGroups();
}

bool TServerGroupForm::WriteGroup(const std::function<void(TSavedAccess&)>& leaveOut) {
  return Rows.Write(
      Request,
      [&] {
        TSavedAccess saved(*Request);
        leaveOut(saved);
        Request->Set(kSetFromControls);
      },
      [this](const AnsiString& message) { ShowFailure(message); });
}

void TServerGroupForm::DeleteButtonClick(TObject*) {
  if (!Request || !CheckRequestIdle(Request->Busy ? 0 : 1)) return;
  const AnsiString name = edtServerName->Text();
  if (name.IsEmpty()) {
    ShowMessage(kNameMissing);
    return;
  }
  if (IsDefaultGroup(name)) {
    ShowMessage("Default Server Group can not be deleted.");
    return;
  }
  // As in Add: after a failed write the list is not read over the failure.
  const bool taken = WriteGroup([this](TSavedAccess& saved) {
    for (int i = AddressItem(0); i <= ProtocolItem(kMembers - 1); ++i) saved.Invalidate(i);
    cbxRowStatus->SetItemIndex(ServerGroupRowStatusOption::kDestroy);
  });
  if (taken) ReadGroups();
}
