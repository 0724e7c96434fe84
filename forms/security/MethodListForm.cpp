#include "forms/security/MethodListForm.h"

#include "catalogue/SecurityMib.h"
#include "forms/common/ButtonRun.h"
#include "forms/common/FeatureForm.h"
#include "library/VnSNMPRequest2Edits.h"
#include "platform/Dialogs.h"
#include "platform/Exceptions.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

namespace {

// Items of a method-list table, login or enable alike: the name, then type
// and server group of each slot, then the row status.
constexpr int kNameItem = LoginMethodListItem::kAACLoginMethodListName;
constexpr int kRowStatusItem = LoginMethodListItem::kMethodListRowStatus;
constexpr int TypeItem(int slot) { return LoginMethodListItem::kMethod1Type + 2 * slot; }
constexpr int GroupItem(int slot) { return LoginMethodListItem::kMethod1ServerGroup + 2 * slot; }
static_assert(TypeItem(3) == LoginMethodListItem::kMethod4Type &&
              GroupItem(3) == LoginMethodListItem::kMethod4ServerGroup);
static_assert(EnableMethodItem::kEnableMethodListName == kNameItem &&
              EnableMethodItem::kEnableMethod1Type == TypeItem(0) &&
              EnableMethodItem::kEnableMethod1ServerGroup == GroupItem(0) &&
              EnableMethodItem::kEnableMethod4Type == TypeItem(3) &&
              EnableMethodItem::kEnableMethod4ServerGroup == GroupItem(3) &&
              EnableMethodItem::kEnableMethodListRowStatus == kRowStatusItem);
// Positions in the row-status combo box.
constexpr int kRowCreateAndGoIndex = LoginMethodListRowStatusOption::kCreateAndGo;
constexpr int kRowDestroyIndex = LoginMethodListRowStatusOption::kDestroy;
static_assert(EnableMethodRowStatusOption::kCreateAndGo == kRowCreateAndGoIndex &&
              EnableMethodRowStatusOption::kDestroy == kRowDestroyIndex);

// Positions in the method-type combo boxes, every slot of either table alike.
namespace TypeOption = LoginMethodListMethod1TypeOption;
constexpr int kServerGroupIndex = TypeOption::kServerGroup;
constexpr int kLocalIndex = TypeOption::kLocal;  // "local" / "local-enable"
constexpr int kNoneIndex = TypeOption::kNone;
static_assert(LoginMethodListMethod4TypeOption::kServerGroup == kServerGroupIndex &&
              LoginMethodListMethod4TypeOption::kLocal == kLocalIndex &&
              LoginMethodListMethod4TypeOption::kNone == kNoneIndex &&
              EnableMethodEnableMethod1TypeOption::kServerGroup == kServerGroupIndex &&
              EnableMethodEnableMethod1TypeOption::kLocalEnable == kLocalIndex &&
              EnableMethodEnableMethod1TypeOption::kNone == kNoneIndex &&
              EnableMethodEnableMethod4TypeOption::kServerGroup == kServerGroupIndex &&
              EnableMethodEnableMethod4TypeOption::kLocalEnable == kLocalIndex &&
              EnableMethodEnableMethod4TypeOption::kNone == kNoneIndex);

constexpr const char* kRowStateMustBeCreateAndGo = "Row State must be createAndGo.";
constexpr const char* kIneffectiveMethods =
    "Method(s) after method local and none is(are) ineffective. Do you want to change your "
    "configurations?";

bool EndsTheList(int index) { return index == kLocalIndex || index == kNoneIndex; }

}  // namespace

TMethodListForm::TMethodListForm(TComponent* AOwner, const TMethodListTexts& texts)
    : TForm(AOwner), texts_(texts) {}

TMethodListForm::~TMethodListForm() = default;

void TMethodListForm::AddListAndButtons(TFormBuilder& B, int listWidth, int listHeight,
                                        int buttonsX) {
  using F = TMethodListForm;
  B.Add(ListView1, "ListView1").At(8, 8, listWidth, listHeight).OnClick(this, &F::ListView1Click);
  AddButtonRun<F>(B, this, {nullptr, buttonsX, 8, 96, 25, 0, 32},
                  {{GetButton, "GetButton", "Refresh", &F::GetButtonClick},
                   {EditButton, "EditButton", "Edit", &F::EditButtonClick},
                   {AddButton, "AddButton", "Add", &F::AddButtonClick},
                   {DeleteButton, "DeleteButton", "Delete", &F::DeleteButtonClick}});
  B.Add(StaticText1, "StaticText1").At(buttonsX, 140, 96, 17).Caption("0");
}

void TMethodListForm::BindComponents(TEdit* name, TComboBox* const (&types)[kSlots],
                                     TEdit* const (&groups)[kSlots]) {
  for (int n = 0; n < kSlots; ++n) {
    Type_[n] = types[n];
    Group_[n] = groups[n];
  }
  List_ = ListView1;
  Name_ = name;
  Row_ = RowComboBox;
  Bar_ = StatusBar1;
  Count_ = StaticText1;
  Get_ = GetButton;
  Edit_ = EditButton;
  Add_ = AddButton;
  Delete_ = DeleteButton;
}

void TMethodListForm::FormCreate(TObject*) {
  if (texts_.CaptionTitle) SetCaption(FeatureCaption(texts_.CaptionTitle));
  try {
    Request = NewFormRequest(this, texts_.Table, VnItemType::MVT_UMV, 1, true);
    Request->AttachListView(List_, true);
    ClickFollowsSelection(*Request);
    Request->BindEdits(kNameItem, "%s{l15}", Name_);
    for (int n = 0; n < kSlots; ++n) {
      Request->BindComboBox(TypeItem(n), Type_[n]);
      Request->BindEdits(GroupItem(n), "%s{l15}", Group_[n]);
    }
    Request->BindComboBox(kRowStatusItem, Row_);
    SetStatusTargetShown(*Request, Bar_);
    Name_->SetText("");
    for (TEdit* group : Group_) group->SetText("");
    Row_->SetItemIndex(kRowCreateAndGoIndex);
    Rows.Attach(
        *Request, List_, Count_,
        [this](bool rowSelected) {
          if (rowSelected) {
            SetRowState();
            rowShown_ = true;
          } else {
            SetIdleState();
          }
        },
        [this] { ShowNoRow(); });
    Request->Get();
  } catch (const Exception& e) {
    ShowFailure(e.Message);
  }
  AllTypesChanged();
}

void TMethodListForm::FormClose(TObject*, TCloseAction&) {
  List_->SetSelected(nullptr);
  StopWaitDelete(Request);
}

void TMethodListForm::ShowFailure(const AnsiString& message) {
  ShowFailureInStatusBar(Bar_, message);
}

void TMethodListForm::SetIdleState() {
  Edit_->SetEnabled(false);
  Delete_->SetEnabled(false);
  Name_->SetEnabled(true);
  Add_->SetEnabled(true);
}

void TMethodListForm::SetRowState() {
  Edit_->SetEnabled(true);
  // The list named "default" always exists on the device.
  Delete_->SetEnabled(List_->Selected()->Caption() != "default");
  Name_->SetEnabled(false);
  Add_->SetEnabled(false);
}

void TMethodListForm::ShowNoRow() {
  rowShown_ = false;
  ClearMethodEdits();
  for (TComboBox* type : Type_) type->SetItemIndex(-1);
  Row_->SetItemIndex(kRowCreateAndGoIndex);
  SetIdleState();
  AllTypesChanged();
}

void TMethodListForm::TypeChanged(int slot, bool keepName) {
  TEdit* group = Group_[slot];
  if (Type_[slot]->ItemIndex() == kServerGroupIndex) {
    EnableValueEdit(group);
    if (!keepName) group->SetText("");
  } else {
    DisableValueEdit(group);
  }
}

void TMethodListForm::AllTypesChanged(bool keepNames) {
  for (int n = 0; n < kSlots; ++n) TypeChanged(n, keepNames);
}

void TMethodListForm::ClearMethodEdits() {
  rowShown_ = false;
  Name_->SetText("");
  for (TEdit* group : Group_) group->SetText("");
}

void TMethodListForm::ListView1Click(TObject*) {
  const bool selected = List_->Selected() != nullptr;
  // A click beside the rows takes the row shown away with its selection;
  // a new list being typed stays.
  if (!selected && rowShown_) {
    ShowNoRow();
    return;
  }
  Rows.Follow();
  // The row's server-group names stay: emptied, an Edit would write them
  // empty unless the user typed each one again.
  AllTypesChanged(selected);
}

void TMethodListForm::GetButtonClick(TObject*) {
  Rows.Read(Request, [this](const AnsiString& message) { ShowFailure(message); });
  ClearMethodEdits();
  AllTypesChanged();
}

bool TMethodListForm::ValidateMethodOrder() {
  for (int n = 0; n < kSlots; ++n) {
    const AnsiString text = ComboText(Type_[n]);
    MethodTypeIndex[n] = (!text.IsEmpty() && text != "other") ? Type_[n]->ItemIndex() : -1;
  }
  for (int n = 0; n < kSlots; ++n) {
    if (!EndsTheList(MethodTypeIndex[n])) continue;
    for (int later = n + 1; later < kSlots; ++later)
      if (MethodTypeIndex[later] >= 0) return false;
  }
  return true;
}

void TMethodListForm::DropMethodsAfterLocal(TSavedAccess& saved) {
  for (int n = 0; n < kSlots; ++n) {
    if (!EndsTheList(MethodTypeIndex[n])) continue;
    for (int later = n + 1; later < kSlots; ++later) MethodTypeIndex[later] = -1;
    break;
  }
  for (int n = 0; n < kSlots; ++n) {
    if (MethodTypeIndex[n] >= 0) continue;
    saved.Invalidate(TypeItem(n));
    saved.Invalidate(GroupItem(n));
  }
}

void TMethodListForm::LeaveOutUnusedSlots(TSavedAccess& saved) {
  for (int n = 0; n < kSlots; ++n) {
    const AnsiString text = ComboText(Type_[n]);
    // "other" as the switch holds it is no method to write; chosen by the
    // user it is written, for the switch to take or refuse.
    if (text.IsEmpty() || (text == "other" && !Request->ItemChanged(TypeItem(n)))) {
      saved.Invalidate(TypeItem(n));
      saved.Invalidate(GroupItem(n));
    } else if (text != "server-group" || Group_[n]->Text().IsEmpty()) {
      // A server group without a name would make the device refuse the
      // whole SET: the slot's type is written, its group left as it is.
      saved.Invalidate(GroupItem(n));
    }
  }
}

bool TMethodListForm::AnyTypeChanged() const {
  for (int n = 0; n < kSlots; ++n)
    if (Request->ItemChanged(TypeItem(n))) return true;
  return false;
}

bool TMethodListForm::AskAboutMethodOrder(bool& drop) {
  drop = false;
  if (ValidateMethodOrder()) return true;
  if (MessageDlg(kIneffectiveMethods, mtConfirmation, mbYes | mbNo, 0) == mrYes) return false;
  drop = true;
  return true;
}

bool TMethodListForm::WriteAndReread(TSavedAccess& saved, const std::function<void()>& first) {
  const bool taken = Rows.WriteControls(
      Request, saved, [this](const AnsiString& message) { ShowFailure(message); }, first);
  // Not taken, and no row selected any more: what the fields hold is a new
  // list being typed.
  if (Request && !List_->Selected()) rowShown_ = false;
  if (!taken) return false;
  Rows.Read(Request, [this](const AnsiString& message) { ShowFailure(message); });
  ClearMethodEdits();
  return true;
}

void TMethodListForm::AddButtonClick(TObject*) {
  const AnsiString name = Name_->Text();
  if (name.IsEmpty()) {
    InputError(texts_.NameMissing, Name_);
    return;
  }
  if (ListViewHasRow(List_, {{0, name}})) {
    InputError(texts_.Duplicate, Name_);
    return;
  }
  if (Row_->ItemIndex() != kRowCreateAndGoIndex) {
    InputError(kRowStateMustBeCreateAndGo, Row_);
    return;
  }
  bool drop = false;
  if (!AskAboutMethodOrder(drop)) return;
  TSavedAccess saved(*Request);
  LeaveOutUnusedSlots(saved);
  if (drop) DropMethodsAfterLocal(saved);
  WriteSlots(saved);
}

void TMethodListForm::EditButtonClick(TObject*) {
  // The name is the row's key: judged only where the user entered it.
  if (FieldEntered(Request.get(), Name_) && Name_->Text().IsEmpty()) {
    ShowMessage(texts_.NameMissing);
    return;
  }
  if (Row_->ItemIndex() == kRowDestroyIndex) {
    if (DestroySelectedRow() && texts_.TypesAgainAfterWrite) AllTypesChanged();
    return;
  }
  // The order is judged once the user changed a slot's type: a row the
  // switch holds so goes back as it is with the fields the user changed.
  bool drop = false;
  if (AnyTypeChanged() && !AskAboutMethodOrder(drop)) return;
  TSavedAccess saved(*Request);
  LeaveOutUnusedSlots(saved);
  saved.Invalidate(kRowStatusItem);
  if (drop) DropMethodsAfterLocal(saved);
  WriteSlots(saved);
}

void TMethodListForm::WriteSlots(TSavedAccess& saved) {
  if (WriteAndReread(saved) && texts_.TypesAgainAfterWrite) AllTypesChanged();
}

bool TMethodListForm::DestroySelectedRow() {
  TSavedAccess saved(*Request);
  for (int i = GroupItem(0); i <= GroupItem(kSlots - 1); ++i) saved.Invalidate(i);
  return WriteAndReread(saved, [this] { Row_->SetItemIndex(kRowDestroyIndex); });
}

void TMethodListForm::DeleteButtonClick(TObject*) { DestroySelectedRow(); }
