#include "forms/security/ServerInfoUnit.h"

#include "catalogue/SecurityMib.h"
#include "forms/common/ButtonRun.h"
#include "forms/common/FeatureForm.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/Dialogs.h"
#include "platform/Exceptions.h"
#include "platform/ExtCtrls.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"
#include "platform/SysUtils.h"

TServerInformationForm* ServerInformationForm = nullptr;

VN_REGISTER_FORM_OPENER(TServerInformationForm, &ServerInformationForm);

namespace {

namespace Item = ServerInformationItem;

constexpr const char* kIpMissing = "Server IP must be set.";
constexpr const char* kProtocolMissing = "Protocol must be set.";

}  // namespace

TServerInformationForm::TServerInformationForm(TComponent* AOwner) : TForm(AOwner) {
  InitComponents();
  ScaleFormForScreen(this);
}

TServerInformationForm::~TServerInformationForm() = default;

void TServerInformationForm::InitComponents() {
  using F = TServerInformationForm;
  TFormBuilder B(this);
  B.Form()
      .Caption("Server Information Table")
      .Size(596, 429)
      .Position(poScreenCenter)
      .BorderStyle(bsSingle)
      .OnCreate(this, &F::FormCreate)
      .OnClose(this, &F::FormClose);
  SetName("ServerInformationForm");

  B.Add(Panel1, "Panel1").Align(alRight).Width(116).BevelOuter(bvNone);
  AddButtonRun<F>(B, this, {Panel1, 10, 10, 96, 25, 0, 30},
                  {{GetButton, "GetButton", "Refresh", &F::GetButtonClick},
                   {EditButton, "EditButton", "Edit", &F::EditButtonClick},
                   {AddButton, "AddButton", "Add", &F::AddButtonClick},
                   {DeleteButton, "DeleteButton", "Delete", &F::DeleteButtonClick}});
  B.Add(Static, "Static", Panel1).At(10, 134, 96, 17).Caption("0");

  B.Add(Panel2, "Panel2").Align(alBottom).Height(200).BevelOuter(bvNone);
  B.Add(StatusBar1, "StatusBar1").At(0, 1000, 100, 19).Align(alBottom).Panels({50});
  B.Add(ListView1, "ListView1").Align(alClient).OnClick(this, &F::ListView1Click);

  B.Parent(Panel2);
  // The captions beside the edits; nothing refers to them afterwards.
  const char* const captions[] = {"Server IP",        "Server Auth Protocol", "Server Auth Port",
                                  "Server Auth Key",  "Server Timeout",       "Server Retry Count",
                                  "Server Row Status"};
  for (int i = 0; i < 7; ++i)
    B.Make<TLabel>("Label" + IntToStr(i + 1)).At(12, 12 + i * 26).Caption(captions[i]);
  B.Add(IPEdit, "IPEdit").At(160, 8, 160, 21);
  B.Add(ProtocolComboBox, "ProtocolComboBox").At(160, 34, 160, 21).Style(csDropDownList);
  B.Add(PortEdit, "PortEdit").At(160, 60, 160, 21);
  B.Add(KeyEdit, "KeyEdit").At(160, 86, 300, 21);
  B.Add(TimeoutEdit, "TimeoutEdit").At(160, 112, 160, 21);
  B.Add(RetryCEdit, "RetryCEdit").At(160, 138, 160, 21);
  B.Add(RowComboBox, "RowComboBox").At(160, 164, 160, 21).Style(csDropDownList);
}

void TServerInformationForm::ShowFailure(const AnsiString& message) {
  ShowFailureInStatusBar(StatusBar1, message);
}

void TServerInformationForm::FormCreate(TObject*) {
  try {
    Request = NewFormRequest(this, ServerInformationVars, VnItemType::MVT_UMV, 2, true);
    Request->AttachListView(ListView1, true);
    ClickFollowsSelection(*Request);
    Request->BindEdits(Item::kServerIP, "%s{l16}", IPEdit);
    Request->BindComboBox(Item::kServerAuthProtocol, ProtocolComboBox);
    Request->BindEdits(Item::kServerAuthPort, "%i{n1x65535l5}", PortEdit);
    Request->BindEdits(Item::kServerAuthKey, "%s{l254}", KeyEdit);
    Request->BindEdits(Item::kServerTimeout, "%i{n1x255l3}", TimeoutEdit);
    Request->BindEdits(Item::kServerRetryCount, "%i{n1x255l3}", RetryCEdit);
    Request->BindComboBox(Item::kServerRowStatus, RowComboBox);
    SetStatusTargetShown(*Request, StatusBar1);
    for (TEdit* e : {IPEdit, PortEdit, KeyEdit, TimeoutEdit, RetryCEdit}) e->SetText("");
    RowComboBox->SetItemIndex(ServerInformationRowStatusOption::kCreateAndGo);
    Rows.Attach(
        *Request, ListView1, Static, [this](bool rowSelected) { ShowRowState(rowSelected); },
        [this] { ShowNewServer(); });
    Request->Get();
  } catch (const Exception& e) {
    ShowFailure(e.Message);
  }
}

void TServerInformationForm::FormClose(TObject*, TCloseAction&) {
  ListView1->SetSelected(nullptr);
  StopWaitDelete(Request);
}

// The IP address and protocol name the row: typed only for a new server.
void TServerInformationForm::ShowRowState(bool rowSelected) {
  EditButton->SetEnabled(rowSelected);
  DeleteButton->SetEnabled(rowSelected);
  IPEdit->SetEnabled(!rowSelected);
  ProtocolComboBox->SetEnabled(!rowSelected);
  AddButton->SetEnabled(!rowSelected);
}

void TServerInformationForm::ClearServerEdits() {
  for (TEdit* e : {IPEdit, PortEdit, KeyEdit, TimeoutEdit, RetryCEdit}) e->SetText("");
}

// The fields of a new server, as on opening.
void TServerInformationForm::ShowNewServer() {
  ClearServerEdits();
  ProtocolComboBox->SetItemIndex(-1);
  RowComboBox->SetItemIndex(ServerInformationRowStatusOption::kCreateAndGo);
}

void TServerInformationForm::ListView1Click(TObject*) { Rows.Click(); }

void TServerInformationForm::GetButtonClick(TObject*) {
  Rows.Read(Request, [this](const AnsiString& message) { ShowFailure(message); });
  ClearServerEdits();
}

void TServerInformationForm::LeaveOutEmptyFields(TSavedAccess& saved) {
  const std::pair<TEdit*, int> fields[] = {{PortEdit, Item::kServerAuthPort},
                                           {KeyEdit, Item::kServerAuthKey},
                                           {TimeoutEdit, Item::kServerTimeout},
                                           {RetryCEdit, Item::kServerRetryCount}};
  for (const auto& [edit, item] : fields)
    if (edit->Text().IsEmpty()) saved.Invalidate(item);
}

bool TServerInformationForm::WriteAndReread(TSavedAccess& saved,
                                            const std::function<void()>& first) {
  const bool taken = Rows.WriteControls(
      Request, saved, [this](const AnsiString& message) { ShowFailure(message); }, first);
  if (!taken) return false;
  Rows.Read(Request, [this](const AnsiString& message) { ShowFailure(message); });
  ClearServerEdits();
  return true;
}

void TServerInformationForm::DestroyRow() {
  TSavedAccess saved(*Request);
  for (int i = Item::kServerAuthPort; i <= Item::kServerRetryCount; ++i) saved.Invalidate(i);
  WriteAndReread(saved,
                 [this] { RowComboBox->SetItemIndex(ServerInformationRowStatusOption::kDestroy); });
}

void TServerInformationForm::AddButtonClick(TObject*) {
  if (IPEdit->Text().IsEmpty()) {
    InputError(kIpMissing, IPEdit);
    return;
  }
  if (ProtocolComboBox->ItemIndex() < 0) {
    InputError(kProtocolMissing, ProtocolComboBox);
    return;
  }
  if (ListViewHasRow(ListView1, {{0, IPEdit->Text()}, {1, ComboText(ProtocolComboBox)}})) {
    InputError(
        "Has already a record with the same Server IP and Protocol. Please Change Server IP or "
        "Protocol.",
        IPEdit);
    return;
  }
  if (RowComboBox->ItemIndex() != ServerInformationRowStatusOption::kCreateAndGo) {
    InputError("Row State must be createAndGo.", RowComboBox);
    return;
  }
  TSavedAccess saved(*Request);
  LeaveOutEmptyFields(saved);
  WriteAndReread(saved);
}

// The row's keys are judged where the user entered them: a protocol the
// list does not name, as the switch holds it, names the row all the same.
void TServerInformationForm::EditButtonClick(TObject*) {
  if (FieldEntered(Request.get(), IPEdit) && IPEdit->Text().IsEmpty()) {
    ShowMessage(kIpMissing);
    return;
  }
  if (FieldEntered(Request.get(), ProtocolComboBox) && ProtocolComboBox->ItemIndex() < 0) {
    ShowMessage(kProtocolMissing);
    return;
  }
  if (RowComboBox->ItemIndex() == ServerInformationRowStatusOption::kDestroy) {
    DestroyRow();
    return;
  }
  TSavedAccess saved(*Request);
  LeaveOutEmptyFields(saved);
  saved.Invalidate(Item::kServerRowStatus);
  WriteAndReread(saved);
}

void TServerInformationForm::DeleteButtonClick(TObject*) { DestroyRow(); }
