#include "forms/system/TestControlForms.h"

#include "catalogue/EquipmentMib.h"
#include "forms/common/AddressClass.h"
#include "forms/common/ButtonRun.h"
#include "forms/common/FormWrite.h"
#include "forms/common/InputChecks.h"
#include "forms/common/RowDelete.h"
#include "library/VnSNMPRequest2Edits.h"
#include "platform/ComCtrls.h"
#include "platform/Dialogs.h"
#include "platform/Exceptions.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

namespace {

// The ping and the trace route tables share the item of the target address
// and the options of the row status.
constexpr int kTestTargetItem = PingctrlTableItem::kTargetAddress;
constexpr int kCreateAndGoIndex = PingctrlTableRowStatusOption::kCreateAndGo;
constexpr int kDestroyIndex = PingctrlTableRowStatusOption::kDestroy;
static_assert(TraceRouteControlItem::kTargetAddress == kTestTargetItem &&
              TraceRouteControlRowStatusOption::kCreateAndGo == kCreateAndGoIndex &&
              TraceRouteControlRowStatusOption::kDestroy == kDestroyIndex);

}  // namespace

// ---- list form ------------------------------------------------------------------

TTestControlListForm::TTestControlListForm(TComponent* AOwner, const char* caption)
    : TForm(AOwner) {
  InitComponents(caption);
  ScaleFormForScreen(this);
}

TTestControlListForm::~TTestControlListForm() = default;

void TTestControlListForm::InitComponents(const char* caption) {
  TFormBuilder B(this);
  B.Form()
      .Caption(caption)
      .ClientSize(620, 330)
      .Position(poScreenCenter)
      .OnCreate(this, &TTestControlListForm::FormCreate)
      .OnCloseQuery(this, &TTestControlListForm::FormCloseQuery)
      .OnClose(this, &TTestControlListForm::FormClose);
  B.Add(ListView1, "ListView1").At(8, 8, 508, 230);
  B.Add(Memo1, "Memo1").At(8, 246, 508, 76).ReadOnly();
  Memo1->SetScrollBars(ssVertical);
  B.Add(StaticText1, "StaticText1").At(528, 8, 84, 17).Caption("0");
  B.Add(Label1, "Label1").At(528, 28).Caption("Samples");
  AddButtonRun<TTestControlListForm>(
      B, this, {nullptr, 528, 56, 84, 25, 0, 33},
      {{GetButton, "GetButton", "Refresh", &TTestControlListForm::GetButtonClick},
       {EditButton, "EditButton", "Edit", &TTestControlListForm::EditButtonClick},
       {AddButton, "AddButton", "Add", &TTestControlListForm::AddButtonClick},
       {DeleteButton, "DeleteButton", "Delete", &TTestControlListForm::DeleteButtonClick},
       {CloseButton, "CloseButton", "Close", &TTestControlListForm::CloseButtonClick}});
}

void TTestControlListForm::FormCreate(TObject*) {
  StaticText1->SetCaption("0");
  EditMode = 0;
  TTestControlEditForm* dialog = CreateEditForm();
  CreateRequest(dialog);
  Request->AttachListView(ListView1, true);
  Request->SetStatusMemo(Memo1);
  Rows.Attach(*Request, ListView1, StaticText1,
              [this](bool rowSelected) { EnableRowButtons(rowSelected); });
  try {
    Request->Get();
  } catch (const Exception& e) {
    ShowFailure(e.Message);
  }
}

void TTestControlListForm::EnableRowButtons(bool enabled) {
  DeleteButton->SetEnabled(enabled);
  EditButton->SetEnabled(enabled);
}

void TTestControlListForm::ShowFailure(const AnsiString& message) {
  ShowFailureInMemo(Memo1, message);
  Rows.Follow();
}

void TTestControlListForm::GetButtonClick(TObject*) {
  if (!Request || Request->Busy) return;
  Rows.Read(Request, [this](const AnsiString& message) { ShowFailure(message); });
}

void TTestControlListForm::ShowEditForm(std::int32_t mode, const char* suffix) {
  TTestControlEditForm* dialog = EditForm();
  if (!dialog) return;
  EditMode = mode;
  dialog->SetCaption(Caption() + suffix);
  dialog->ShowModal();
  // The dialog no longer shows the row chosen here: choosing it again fills
  // the dialog with it.
  Rows.ShowNoRow();
}

void TTestControlListForm::AddButtonClick(TObject*) { ShowEditForm(kAddMode, " (Add)"); }

void TTestControlListForm::EditButtonClick(TObject*) {
  if (!ListView1->Selected()) return;
  ShowEditForm(kEditMode, " (Edit)");
}

void TTestControlListForm::DeleteButtonClick(TObject*) {
  const bool idle = DeleteSelectedRow(
      ListView1, Request.get(),
      [this](TSavedAccess& saved) {
        // Only the row status goes out, on the selected row's instance.
        for (int item = 0; item < RowStatusItem(); ++item) saved.Invalidate(item);
        if (TTestControlEditForm* dialog = EditForm())
          dialog->StatusComboBox->SetItemIndex(kDestroyIndex);
        Request->Set(kSetFromControls);
      },
      [this](const AnsiString& message) { ShowFailure(message); });
  if (idle) Rows.Follow();
}

void TTestControlListForm::CloseButtonClick(TObject*) { Close(); }

void TTestControlListForm::FreeDialogAndRequest() {
  FreeEditForm();
  StopWaitDelete(Request);
}

void TTestControlListForm::FormCloseQuery(TObject*, bool&) { FreeDialogAndRequest(); }

void TTestControlListForm::FormClose(TObject*, TCloseAction& Action) {
  ListView1->SetSelected(nullptr);
  FreeDialogAndRequest();
  Action = caFree;
}

// ---- dialog ---------------------------------------------------------------------------

TTestControlEditForm::TTestControlEditForm(TComponent* AOwner) : TForm(AOwner) {}

TTestControlEditForm::~TTestControlEditForm() = default;

void TTestControlEditForm::AddRow(TFormBuilder& B, TCheckBox*& box, const char* boxName,
                                  const char* caption, TEdit*& edit, const char* editName,
                                  int top) {
  B.Add(box, boxName).At(16, top, 130, 17).Caption(caption);
  B.Add(edit, editName).At(150, top - 2, 160, 21);
}

void TTestControlEditForm::AddRow(TFormBuilder& B, TCheckBox*& box, const char* boxName,
                                  const char* caption, TComboBox*& combo, const char* comboName,
                                  int top) {
  B.Add(box, boxName).At(16, top, 130, 17).Caption(caption);
  B.Add(combo, comboName).At(150, top - 2, 160).Style(csDropDownList);
}

void TTestControlEditForm::BuildFrame(TFormBuilder& B, int height) {
  B.Form()
      .ClientSize(420, height)
      .Position(poOwnerFormCenter)
      .BorderStyle(bsDialog)
      .OnActivate(this, &TTestControlEditForm::FormActivate);
  AddButtonRun<TTestControlEditForm>(
      B, this, {nullptr, 324, 16, 84, 25, 0, 33},
      {{SetButton, "SetButton", "Set Checked", &TTestControlEditForm::SetButtonClick},
       {CheckAllButton, "CheckAllButton", "CheckAll", &TTestControlEditForm::CheckAllButtonClick},
       {ClearButton, "ClearButton", "Clear Checked", &TTestControlEditForm::ClearButtonClick},
       {CloseButton, "CloseButton", "Close", &TTestControlEditForm::CloseButtonClick}});
}

void TTestControlEditForm::FormActivate(TObject*) {
  TTestControlListForm* list = ListForm();
  const bool adding = list && list->EditMode == TTestControlListForm::kAddMode;
  for (TCheckBox* key : {IndexCBox, TestNameCheckBox}) {
    key->SetChecked(true);
    key->SetVisible(adding);
    key->SetEnabled(false);
  }
  IndexEdit->SetEnabled(adding);
  NameEdit->SetEnabled(adding);
  IPCBox->SetChecked(false);
  for (const TValueField& field : ValueFields) field.Box->SetChecked(false);
  if (adding) {
    StatusCBox->SetChecked(true);
    StatusCBox->SetEnabled(false);
    for (TEdit* edit : {IpEdit, IndexEdit, NameEdit}) edit->SetText("");
    for (const TValueField& field : ValueFields)
      if (TEdit* edit = dynamic_cast<TEdit*>(field.Control)) edit->SetText("");
    StatusComboBox->SetEnabled(false);
    StatusComboBox->SetItemIndex(kCreateAndGoIndex);
    AdminComboBox->SetEnabled(true);
  } else {
    // An Edit never writes the row status: it is shown, not offered.
    StatusCBox->SetChecked(false);
    StatusCBox->SetEnabled(false);
    StatusComboBox->SetEnabled(false);
  }
}

void TTestControlEditForm::CheckAllButtonClick(TObject*) {
  IPCBox->SetChecked(true);
  for (const TValueField& field : ValueFields) field.Box->SetChecked(true);
}

void TTestControlEditForm::ClearButtonClick(TObject*) {
  IPCBox->SetChecked(false);
  for (const TValueField& field : ValueFields) field.Box->SetChecked(false);
}

void TTestControlEditForm::CloseButtonClick(TObject*) { Close(); }

bool TTestControlEditForm::IsAllowedTargetIp() {
  const AnsiString text = IpEdit->Text();
  if (text == "255.255.255.255" || text == "0.0.0.0") {
    ShowMessage("you can't input this IP address");
    return true;
  }
  if (text.SubString(1, 3) == "127") {
    ShowMessage("you can't input IP address like 127.*.*.*");
    return true;
  }
  const int dot = text.Pos(".");
  if (dot == 0) {
    ShowMessage(kInvalidIpMessage);
    return true;
  }
  // Multicast (class D) and reserved (class E) addresses are no test targets.
  const int first = text.SubString(1, dot - 1).ToIntDef(-1);
  if (first < 0 || IsMulticastOrReserved(first)) {
    ShowMessage(kInvalidIpMessage);
    return true;
  }
  return false;
}

bool TTestControlEditForm::ValidateIpAddressText() { return ::ValidateIpAddressText(TargetText); }

bool TTestControlEditForm::FieldEmpty(const TValueField& field) const {
  return field.Control->Text().IsEmpty();
}

bool TTestControlEditForm::PrepareCheckedFields() {
  TTestControlListForm* list = ListForm();
  if (!list || !list->Request) return false;
  if (list->Request->Busy) {
    ShowMessage(kGetDataNotComplete);
    return false;
  }
  // The checks judge what the user entered: every field of a new test, and
  // the fields of a test that the user changed. A value the switch holds and
  // the user left alone goes back as it is.
  // (The keys of a test being edited are as the switch names the row.)
  const bool adding = list->EditMode == TTestControlListForm::kAddMode;
  auto entered = [&](const TControl* field) {
    return adding || FieldEntered(list->Request.get(), field);
  };
  if (IPCBox->Checked() && entered(IpEdit)) {
    if (IpEdit->Text().IsEmpty()) {
      InputError("Target Address can't be empty", IpEdit);
      return false;
    }
    if (IsAllowedTargetIp()) {
      FocusIfPossible(IpEdit);
      return false;
    }
    TargetText = IpEdit->Text();
    if (!ValidateIpAddressText()) {
      FocusIfPossible(IpEdit);
      return false;
    }
  }
  if (TestNameCheckBox->Checked() && entered(NameEdit) && NameEdit->Text().IsEmpty()) {
    InputError("The Test Name can't be empty", NameEdit);
    return false;
  }
  if (IndexCBox->Checked() && entered(IndexEdit) && IndexEdit->Text().IsEmpty()) {
    InputError("The Owner Index can't be empty", IndexEdit);
    return false;
  }
  for (const TValueField& field : ValueFields) {
    if (field.Item >= 0 && field.Box->Checked() && entered(field.Control) && FieldEmpty(field)) {
      InputError("Some Checked fields are empty", field.Control);
      return false;
    }
  }
  if (!SavedAccess) SavedAccess.emplace(*list->Request);
  if (!IPCBox->Checked()) SavedAccess->Invalidate(kTestTargetItem);
  for (const TValueField& field : ValueFields)
    if (field.Item >= 0 && !field.Box->Checked()) SavedAccess->Invalidate(field.Item);
  if (!StatusCBox->Checked()) SavedAccess->Invalidate(list->RowStatusItem());
  return true;
}

void TTestControlEditForm::SetButtonClick(TObject*) {
  TTestControlListForm* list = ListForm();
  if (!list || !list->Request) {
    Close();
    return;
  }
  VnSNMPRequest2Edits& request = *list->Request;
  SavedAccess.emplace(request);
  if (!PrepareCheckedFields()) {
    SavedAccess.reset();
    return;
  }
  // A write that fails keeps the dialog open with what the user ticked and
  // typed, for a correction or Close; the failure is the list's last line.
  TMemo* memo = list->Memo1;
  const bool taken = WriteTaken(
      list->Request,
      [&] {
        if (list->EditMode == TTestControlListForm::kAddMode)
          StatusComboBox->SetItemIndex(kCreateAndGoIndex);
        else
          SavedAccess->Invalidate(list->RowStatusItem());
        request.Set(kSetFromControls);
        SavedAccess.reset();
      },
      [memo](const AnsiString& message) { ShowFailureInMemo(memo, message); });
  SavedAccess.reset();
  if (!taken || !list->Request) return;
  try {
    request.Get();
  } catch (const Exception& e) {
    ShowFailureInMemo(memo, e.Message);
    return;
  }
  Close();
}
