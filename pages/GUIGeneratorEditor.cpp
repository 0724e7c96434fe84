// The editor page: edit rows in a frame, "Set Checked" writing the ticked
// rows.
#include <algorithm>
#include <vector>

#include "library/VnSNMPRequest2Edits.h"
#include "pages/GUIGenerator.h"
#include "platform/Buttons.h"
#include "platform/Dialogs.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"

TSNMPEditorPanel::TSNMPEditorPanel(TWinControl* AOwner, VnSNMPRequest2Edits* request)
    : TSNMPPanel(AOwner, nullptr, request) {
  EditsPanel = new TEditsPanel(InnerPanel, request);
  BtnPanel->SetBtn->OnClick = TNotifyEvent(this, &TSNMPEditorPanel::SetBtnClick);
  BtnPanel->SetBtn->SetEnabled(false);
  BtnPanel->CheckAllBtn->OnClick = TNotifyEvent(this, &TSNMPEditorPanel::CheckAllBtnClick);
  BtnPanel->ClearChecksBtn->OnClick = TNotifyEvent(this, &TSNMPEditorPanel::ClearChecksBtnClick);
  EditsPanel->ArrangeCtrlBtn(BtnPanel);
  SetContent(EditsPanel);
}

void TSNMPEditorPanel::SetEditWidth(int width) {
  EditsPanel->SetEditWidth(width, 2);
  SetContent(EditsPanel);
  if (OwnerForm) AttachToForm(OwnerForm);
}

void TSNMPEditorPanel::SetVarFormat(int row, const AnsiString& format) {
  UISnmpVar& r = EditsPanel->Row(row);
  if (r.Kind == TEditsPanel::rkOptions) throw Exception("Can not set Var format to a ComboBox!");
  if (r.Kind != TEditsPanel::rkReadOnlyText && r.Kind != TEditsPanel::rkText)
    throw Exception("Unknow UI Control type!");
  auto* edit = dynamic_cast<TEdit*>(r.EditCtrl);
  Request->Unbind(row);
  try {
    Request->BindEdits(row, format, edit);
  } catch (...) {
    // A format that cannot be bound leaves the row as it was.
    Request->BindEdits(row, r.EditFormat, edit);
    throw;
  }
  r.EditFormat = format;
}

namespace {

// Puts the request's mode back and takes the marks of one SET off the
// variables, however the SET ends: the page's own and those the request
// made reading the controls (a combo box showing none of its options),
// which a SET that never went out would otherwise leave until the next
// read, the rows they mark taken for read-only meanwhile.
//
// An editor page shows one row. Over a table list without index columns
// (scalars read by a walk) no index names the row to write: the SET goes to
// the objects' instance 0, as a scalar group's does.
class SetScope {
 public:
  explicit SetScope(VnSNMPRequest2Edits& request)
      : request_(request),
        asyncMode_(request.AsyncMode),
        itemType_(request.Request.VarList.ItemType) {
    request.AsyncMode = false;
    const VnSNMPVarList& list = request.Request.VarList;
    for (int i = 0; i < list.Count(); ++i)
      if (!(list.Item(i)->Access & SNMP_ACCESS_INVALID)) valid_.push_back(i);
    if (!request.ListView && list.KeyCount == 0 &&
        (list.ItemType == VnItemType::MVT_FMV || list.ItemType == VnItemType::MVT_UMV))
      request.Request.VarList.ItemType = VnItemType::SVT_SV;
  }
  ~SetScope() { Restore(); }
  SetScope(const SetScope&) = delete;
  SetScope& operator=(const SetScope&) = delete;

  // Leaves variable i out of the SET.
  void Exclude(int i) { request_.Request.VarList.Item(i)->Access |= SNMP_ACCESS_INVALID; }
  void Restore() {
    for (int i : valid_)
      if (i < request_.Request.VarList.Count())
        request_.Request.VarList.Item(i)->Access &=
            ~static_cast<std::uint32_t>(SNMP_ACCESS_INVALID);
    valid_.clear();
    request_.AsyncMode = asyncMode_;
    request_.Request.VarList.ItemType = itemType_;
  }

 private:
  VnSNMPRequest2Edits& request_;
  bool asyncMode_;
  VnItemType itemType_;
  std::vector<int> valid_;  // the variables no mark left out before the SET
};

// Shows the failure of a SET in the page's message memo. An Add or Edit
// dialog stands in front of that memo: there the user sees the error in a
// message box as well.
void ShowSetFailure(VnSNMPRequest2Edits& request, const AnsiString& message, bool inDialog) {
  request.StatusKind = STATUS_KIND_SET;
  request.ShowRequestStatus(message);
  if (inDialog) MessageDlg(message, mtError, mbOK, 0);
}

}  // namespace

void TSNMPEditorPanel::SetBtnClick(TObject* Sender) {
  if (!Request) return;
  VnSNMPRequest2Edits& request = *Request;
  // The Add and Edit dialogs' button has Tag 1.
  auto* button = dynamic_cast<TControl*>(Sender);
  const bool inDialog = button && button->Tag() == 1;
  bool empty = false, failed = false;
  AnsiString failure;
  {
    SetScope scope(request);
    try {
      request.ReadValuesFromControls();
    } catch (const Exception& e) {
      ShowSetFailure(request, e.Message, inDialog);
      return;
    }
    const int count = std::min(request.Request.VarList.Count(), EditsPanel->RowCount());
    for (int i = 0; i < count; ++i) {
      if (!EditsPanel->Row(i).CheckBox->Checked())
        scope.Exclude(i);
      else if (!(request.Request.VarList.Item(i)->Access & SNMP_ACCESS_INVALID) &&
               EditsPanel->IsEmptyInput(i, WritingNewEntry))
        empty = true;
    }
    if (empty) {
      MessageDlg("Some items are empty!", mtWarning, mbOK, 0);
    } else {
      try {
        request.Set(kSetListValues);
      } catch (const Exception& e) {
        failure = e.Message;
        failed = true;
      }
    }
  }
  // The marks are off before the box: the list read again while it is up
  // reads every column.
  if (!empty) LastSetFailed = failed;
  if (failed) ShowSetFailure(request, failure, inDialog);
  // The Add and Edit dialogs close once their values are written; after a
  // failed SET they stay open with what was typed.
  if (!empty && !failed && inDialog)
    if (TCustomForm* form = button->OwningForm()) form->Close();
}

void TSNMPEditorPanel::CheckAllBtnClick(TObject*) {
  for (int i = 0; i < EditsPanel->RowCount(); ++i) {
    TCheckBox* box = EditsPanel->Row(i).CheckBox;
    if (box->Enabled()) box->SetChecked(true);
  }
  if (EditsPanel->CheckedRowCount() > 0)
    if (TCtrlBtnPanel* buttons = EditsPanel->HostButtons()) buttons->SetBtn->SetEnabled(true);
}

void TSNMPEditorPanel::ClearChecksBtnClick(TObject*) {
  for (int i = 0; i < EditsPanel->RowCount(); ++i) {
    TCheckBox* box = EditsPanel->Row(i).CheckBox;
    if (box->Enabled()) box->SetChecked(false);
  }
  if (EditsPanel->CheckedRowCount() == 0)
    if (TCtrlBtnPanel* buttons = EditsPanel->HostButtons()) buttons->SetBtn->SetEnabled(false);
}
