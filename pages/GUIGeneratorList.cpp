// The list page: a table in a list view, Add and Edit through a modal
// dialog that borrows the page's edit rows, Delete through the row status.
#include <algorithm>
#include <memory>
#include <vector>

#include "library/VnSNMPRequest2Edits.h"
#include "pages/DeviceAddress.h"
#include "pages/GUIGenerator.h"
#include "platform/Buttons.h"
#include "platform/Dialogs.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "platform/SysUtils.h"

namespace {

constexpr int kPixelsPerCaptionChar = 8;
constexpr int kMaxListWidth = 450;
constexpr int kListHeight = 350;
// How long Add, Edit and Delete wait for a running table walk to stop.
constexpr unsigned kWalkStopWaitMs = 1000;

// The position of the text among the combo box's items (exact match), or -1.
int ItemPosition(const TComboBox* combo, const AnsiString& text) {
  for (int k = 0; k < combo->Items()->Count(); ++k)
    if (combo->Items()->Strings(k) == text) return k;
  return -1;
}

// A table walk still running stops before a dialog borrows the edit rows or
// a row is written, so that the read which follows the write starts afresh
// and shows it; the stopped walk is not reported as a read that ended well.
// False when the page lost its request meanwhile (its form was closed while
// messages were processed).
bool StopRunningWalk(const TSNMPPanel& page) {
  if (!page.Request || !page.Request->AsyncMode) return page.Request != nullptr;
  return page.Request->StopReadForWrite(kWalkStopWaitMs) && page.Request;
}

}  // namespace

TListViewPanel::TListViewPanel(TWinControl* AOwner, VnSNMPRequest2Edits* request) : TPanel(AOwner) {
  SetParent(AOwner);
  DeleteStatusIndex = -1;
  AddStatusIndex = -1;
  ListView = new TListView(this);
  ListView->SetParent(this);
  if (request) request->AttachListView(ListView, false);
  int chars = 0;
  for (int c = 0; c < ListView->Columns()->Count(); ++c)
    chars += ListView->Columns()->Items(c)->Caption().Length();
  SetWidth(std::min(kMaxListWidth, kPixelsPerCaptionChar * chars + 2 * ListView->BorderWidth()));
  SetHeight(kListHeight);
  ListView->SetAlign(alClient);
}

void TListViewPanel::ArrangeCtrlBtn(TCtrlBtnPanel* btnPanel) {
  btnPanel->Samples->Show();
  btnPanel->CountText->Show();
  btnPanel->RefreshBtn->Show();
  btnPanel->EditBtn->Show();
  btnPanel->EditBtn->SetEnabled(false);
  btnPanel->DeleteBtn->SetEnabled(false);
  btnPanel->SetBtn->Hide();
  btnPanel->CheckAllBtn->Hide();
  btnPanel->ClearChecksBtn->Hide();
  btnPanel->AddBtn->SetVisible(AddStatusIndex != -1);
  btnPanel->DeleteBtn->SetVisible(DeleteStatusIndex != -1);
  btnPanel->CloseBtn->Show();
  btnPanel->ArrangeButtons();
}

TSNMPListViewPanel::TSNMPListViewPanel(TWinControl* AOwner, VnSNMPRequest2Edits* request)
    : TSNMPEditorPanel(AOwner, request) {
  ListViewPanel = new TListViewPanel(InnerPanel, request);
  TListView* list = ListViewPanel->ListView;
  list->OnDblClick = TNotifyEvent(this, &TSNMPListViewPanel::ListDblClick);
  list->OnClick = TNotifyEvent(this, &TSNMPListViewPanel::ListClick);
  list->OnChange = TLVChangeEvent(this, &TSNMPListViewPanel::ListChange);
  list->OnMouseMove = TMouseMoveEvent(this, &TSNMPListViewPanel::ListMouseMove);
  // Edit and Delete follow the row drawn selected, whether the pointer, the
  // keys or code chose it.
  if (request) {
    request->OnRowShown = TNotifyEvent(this, &TSNMPListViewPanel::ListClick);
    ownerGetDone_ = request->OnGetDone;
    request->OnGetDone = VnRequestDoneEvent(this, &TSNMPListViewPanel::ListRead);
  }
  BtnPanel->RefreshBtn->OnClick = TNotifyEvent(this, &TSNMPListViewPanel::RefreshBtnClick);
  BtnPanel->EditBtn->OnClick = TNotifyEvent(this, &TSNMPListViewPanel::EditBtnClick);
  BtnPanel->AddBtn->OnClick = TNotifyEvent(this, &TSNMPListViewPanel::AddBtnClick);
  BtnPanel->DeleteBtn->OnClick = TNotifyEvent(this, &TSNMPListViewPanel::DeleteBtnClick);
  ListViewPanel->ArrangeCtrlBtn(BtnPanel);
  if (EditsPanel->HasNoEditableRow()) {
    BtnPanel->EditBtn->Hide();
    BtnPanel->ArrangeButtons();
  }
  SetContent(ListViewPanel);
  BeforeAdd = TNotifyEvent(this, &TSNMPListViewPanel::ClearFieldsHook);
}

void TSNMPListViewPanel::CheckStatusText(int index, const char* text, const char* message) const {
  const AnsiString value = text ? text : "";
  const TComboBox* combo = nullptr;
  if (index >= 0 && index < EditsPanel->RowCount())
    combo = dynamic_cast<const TComboBox*>(EditsPanel->Row(index).EditCtrl);
  if (!text || !combo || ItemPosition(combo, value) < 0) throw Exception(message + value);
}

void TSNMPListViewPanel::SetAddStatus(int index, const char* text) {
  CheckStatusText(index, text, "TSNMPListViewPanel::SetAddStatus - Wrong AddStatusValue:");
  ListViewPanel->AddStatusIndex = index;
  ListViewPanel->AddStatusText = text;
  BtnPanel->AddBtn->Show();
  BtnPanel->ArrangeButtons();
}

void TSNMPListViewPanel::SetDeleteStatus(int index, const char* text) {
  CheckStatusText(index, text, "TSNMPListViewPanel::SetDeleteStatus - Wrong DeleteStatusValue:");
  ListViewPanel->DeleteStatusIndex = index;
  ListViewPanel->DeleteStatusText = text;
  BtnPanel->DeleteBtn->Show();
  BtnPanel->ArrangeButtons();
}

void TSNMPListViewPanel::RefreshBtnClick(TObject* Sender) {
  if (!Request) return;
  if (Request->AsyncMode && Request->Busy) return;
  BtnPanel->EditBtn->SetEnabled(false);
  BtnPanel->DeleteBtn->SetEnabled(false);
  TSNMPPanel::RefreshBtnClick(Sender);
  BtnPanel->CountText->SetCaption(IntToStr(ListViewPanel->ListView->Items()->Count()));
}

void TSNMPListViewPanel::AddBtnClick(TObject* Sender) {
  if (BeforeAdd) BeforeAdd(Sender);
  ShowAddDialog();
  if (AfterAdd) AfterAdd(Sender);
}

void TSNMPListViewPanel::EditBtnClick(TObject* Sender) {
  if (BeforeEdit) BeforeEdit(Sender);
  ShowEditDialog();
  if (AfterEdit) AfterEdit(Sender);
}

void TSNMPListViewPanel::ClearFieldsHook(TObject*) { EditsPanel->ClearAllFields(); }

// The modal dialog that lends the page's edit rows: built with its caption
// suffix, and on the way out the rows go back to the page, whatever
// happened meanwhile.
class TSNMPListViewPanel::Dialog {
 public:
  Dialog(TSNMPListViewPanel& page, const char* suffix)
      : page_(page), form_(std::make_unique<TForm>(Application)) {
    form_->SetPosition(poOwnerFormCenter);
    form_->SetCaption(CaptionBase() + suffix);
    page.Request->SetConstraintWindow(form_.get());
    // Owned by the dialog; its message lines go to the page's memo.
    frame_ = new TSNMPPanel(form_.get(), page.StatusPanel(), page.Request);
    TCtrlBtnPanel* buttons = frame_->BtnPanel;
    buttons->SetBtn->OnClick = TNotifyEvent(&page, &TSNMPEditorPanel::SetBtnClick);
    buttons->SetBtn->SetTag(1);
    buttons->CheckAllBtn->OnClick = TNotifyEvent(&page, &TSNMPEditorPanel::CheckAllBtnClick);
    buttons->ClearChecksBtn->OnClick = TNotifyEvent(&page, &TSNMPEditorPanel::ClearChecksBtnClick);
  }
  ~Dialog() {
    TEditsPanel* rows = page_.EditsPanel;
    rows->Hide();
    rows->SetAlign(alNone);
    rows->SetParent(page_.InnerPanel);
    rows->ScrollBox->ScrollBy(-1000, -1000);
    delete frame_;
    form_.reset();
    if (page_.Request) page_.Request->SetConstraintWindow(page_.OwnerForm);
  }
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  TSNMPPanel* Frame() const { return frame_; }
  TForm* Form() const { return form_.get(); }

  // The edit rows in the dialog, its buttons chosen, the form sized.
  void Lay() {
    TEditsPanel* rows = page_.EditsPanel;
    rows->ArrangeCtrlBtn(frame_->BtnPanel);
    frame_->BtnPanel->RefreshBtn->Hide();
    frame_->BtnPanel->ArrangeButtons();
    rows->ArrangeRows(2, true);
    frame_->SetContent(rows);
    frame_->AttachToForm(form_.get());
  }

 private:
  AnsiString CaptionBase() const {
    TWinControl* parent = page_.Parent();
    if (auto* form = dynamic_cast<TCustomForm*>(parent)) return form->Caption();
    if (auto* sheet = dynamic_cast<TTabSheet*>(parent)) return sheet->Caption() + DeviceAddress;
    return page_.OwnerForm ? page_.OwnerForm->Caption() : AnsiString();
  }

  TSNMPListViewPanel& page_;
  std::unique_ptr<TForm> form_;
  TSNMPPanel* frame_ = nullptr;
};

namespace {

// The Add dialog writes a new entry while it is open.
class NewEntryScope {
 public:
  explicit NewEntryScope(TSNMPEditorPanel& page) : page_(page) { page.WritingNewEntry = true; }
  ~NewEntryScope() { page_.WritingNewEntry = false; }
  NewEntryScope(const NewEntryScope&) = delete;
  NewEntryScope& operator=(const NewEntryScope&) = delete;

 private:
  TSNMPEditorPanel& page_;
};

}  // namespace

void TSNMPListViewPanel::ShowAddDialog() {
  if (!StopRunningWalk(*this)) return;
  {
    Dialog dialog(*this, " (Add)");
    // The rows open as they did the first time, whatever an Edit dialog
    // left ticked.
    EditsPanel->ApplyRowLooks(false);
    // Index values must be typed and are always sent.
    const int keys = static_cast<int>(std::min<std::uint32_t>(
        Request->Request.VarList.KeyCount, static_cast<std::uint32_t>(EditsPanel->RowCount())));
    for (int i = 0; i < keys; ++i) {
      EditsPanel->SetRowWritableLook(i);
      UISnmpVar& row = EditsPanel->Row(i);
      row.CheckBox->SetChecked(true);
      row.CheckBox->Show();
      row.CheckBox->SetEnabled(false);
      row.EditCtrl->SetEnabled(true);
    }
    const int status = ListViewPanel->AddStatusIndex;
    if (status >= 0 && status < EditsPanel->RowCount()) {
      UISnmpVar& row = EditsPanel->Row(status);
      row.EditCtrl->SetEnabled(false);
      row.CheckBox->SetEnabled(false);
      row.CheckBox->SetChecked(true);
      EditsPanel->SetFieldText(status, ListViewPanel->AddStatusText);
    }
    dialog.Lay();
    ListViewPanel->ListView->SetSelected(nullptr);
    BtnPanel->EditBtn->SetEnabled(false);
    BtnPanel->DeleteBtn->SetEnabled(false);
    LastSetFailed = false;
    const NewEntryScope writing(*this);
    dialog.Form()->ShowModal();
  }
  ReadAfterWrite();
}

namespace {

// Texts taken out of a row-status combo box for the Edit dialog; they go
// back to their places (and hidden rows show again) when it ends.
class RemovedStatusTexts {
 public:
  explicit RemovedStatusTexts(TEditsPanel& rows) : rows_(rows) {}
  ~RemovedStatusTexts() {
    for (auto it = removed_.rbegin(); it != removed_.rend(); ++it) {
      if (it->hidden) rows_.ShowRow(it->row);
      auto* combo = dynamic_cast<TComboBox*>(rows_.Row(it->row).EditCtrl);
      combo->Items()->Insert(std::min(it->position, combo->Items()->Count()), it->text);
    }
  }
  RemovedStatusTexts(const RemovedStatusTexts&) = delete;
  RemovedStatusTexts& operator=(const RemovedStatusTexts&) = delete;

  void Remove(int row, const AnsiString& text) {
    if (row < 0 || row >= rows_.RowCount()) return;
    auto* combo = dynamic_cast<TComboBox*>(rows_.Row(row).EditCtrl);
    if (!combo) return;
    const int position = ItemPosition(combo, text);
    if (position < 0) return;
    combo->Items()->Delete(position);
    Entry e{row, position, text, false};
    if (combo->Items()->Count() == 0) {
      rows_.HideRow(row);
      e.hidden = true;
    }
    removed_.push_back(e);
  }

 private:
  struct Entry {
    int row;
    int position;
    AnsiString text;
    bool hidden;
  };
  TEditsPanel& rows_;
  std::vector<Entry> removed_;
};

}  // namespace

void TSNMPListViewPanel::ShowEditDialog() {
  if (!StopRunningWalk(*this)) return;
  {
    Dialog dialog(*this, " (Edit)");
    dialog.Frame()->BtnPanel->SetBtn->SetEnabled(false);
    EditsPanel->ApplyRowLooks(false);
    dialog.Lay();
    // The Edit dialog neither creates nor deletes rows.
    RemovedStatusTexts removed(*EditsPanel);
    if (ListViewPanel->AddStatusIndex != -1)
      removed.Remove(ListViewPanel->AddStatusIndex, ListViewPanel->AddStatusText);
    if (ListViewPanel->DeleteStatusIndex != -1)
      removed.Remove(ListViewPanel->DeleteStatusIndex, ListViewPanel->DeleteStatusText);
    LastSetFailed = false;
    dialog.Form()->ShowModal();
  }
  ReadAfterWrite();
}

void TSNMPListViewPanel::ReadAfterWrite() {
  if (!LastSetFailed) {
    RefreshBtnClick(nullptr);
    return;
  }
  // The request reads the table again after its failed SET, without "Ok!":
  // the failure stays the last status line. Until then no row is chosen.
  if (!Request) return;
  ListViewPanel->ListView->SetSelected(nullptr);
  EditsPanel->ClearAllFields();
  BtnPanel->EditBtn->SetEnabled(false);
  BtnPanel->DeleteBtn->SetEnabled(false);
  BtnPanel->CountText->SetCaption(IntToStr(ListViewPanel->ListView->Items()->Count()));
}

void TSNMPListViewPanel::DeleteBtnClick(TObject*) {
  if (!Request) return;
  const int status = ListViewPanel->DeleteStatusIndex;
  VnSNMPVarList& list = Request->Request.VarList;
  if (status < 0 || status >= list.Count()) return;
  if (MessageDlg("Are you sure to delete it?", mtConfirmation, mbOK | mbCancel, 0) != mrOk) return;
  if (!StopRunningWalk(*this)) return;

  // Only the index values (naming the row) and the row status are sent.
  struct Scope {
    VnSNMPRequest2Edits& request;
    bool asyncMode;
    std::vector<int> excluded;
    ~Scope() {
      for (int i : excluded)
        request.Request.VarList.Item(i)->Access &= ~static_cast<std::uint32_t>(SNMP_ACCESS_INVALID);
      request.AsyncMode = asyncMode;
    }
  } scope{*Request, Request->AsyncMode, {}};
  Request->AsyncMode = false;
  for (int i = 0; i < list.Count(); ++i) {
    if (static_cast<std::uint32_t>(i) < list.KeyCount || i == status) continue;
    VnSNMPVarDesc* d = list.Item(i);
    if (d->Access & SNMP_ACCESS_INVALID) continue;
    d->Access |= SNMP_ACCESS_INVALID;
    scope.excluded.push_back(i);
  }
  LastSetFailed = false;
  try {
    Request->ReadValuesFromControls();
    // The status goes with the value that deletes, whatever its box showed
    // (reading the controls leaves out a status none of its options names).
    list.Item(status)->Access &= ~static_cast<std::uint32_t>(SNMP_ACCESS_INVALID);
    *list.Item(status)->Value = ListViewPanel->DeleteStatusText;
    Request->Set(kSetListValues);
  } catch (const Exception& e) {
    Request->StatusKind = STATUS_KIND_SET;
    Request->ShowRequestStatus(e.Message);
    LastSetFailed = true;
  }
  for (int i : scope.excluded)
    list.Item(i)->Access &= ~static_cast<std::uint32_t>(SNMP_ACCESS_INVALID);
  scope.excluded.clear();
  ReadAfterWrite();
}

void TSNMPListViewPanel::ListClick(TObject*) {
  if (!ListViewPanel->ListView->Selected()) {
    BtnPanel->EditBtn->SetEnabled(false);
    BtnPanel->DeleteBtn->SetEnabled(false);
    EditsPanel->ClearAllFields();
  } else {
    BtnPanel->EditBtn->SetEnabled(true);
    BtnPanel->DeleteBtn->SetEnabled(true);
  }
}

void TSNMPListViewPanel::ListRead(VnSNMPRequest2Controls* Sender, const VnSNMPError& Record) {
  if (!ListViewPanel->ListView->Selected()) {
    BtnPanel->EditBtn->SetEnabled(false);
    BtnPanel->DeleteBtn->SetEnabled(false);
  }
  // A read that failed may have left the list emptied: the count follows.
  BtnPanel->CountText->SetCaption(IntToStr(ListViewPanel->ListView->Items()->Count()));
  if (ownerGetDone_) ownerGetDone_(Sender, Record);
}

void TSNMPListViewPanel::ListDblClick(TObject*) {
  if (ListViewPanel->ListView->Selected()) EditBtnClick(BtnPanel->EditBtn);
}

void TSNMPListViewPanel::ListChange(TObject*, TListItem*, TItemChange) {
  BtnPanel->CountText->SetCaption(IntToStr(ListViewPanel->ListView->Items()->Count()));
}

void TSNMPListViewPanel::ListMouseMove(TObject*, TShiftState, int X, int Y) {
  TListView* list = ListViewPanel->ListView;
  TListItem* item = list->GetItemAt(X, Y);
  if (!item) {
    list->SetShowHint(false);
    return;
  }
  TListColumns* columns = list->Columns();
  int longest = 0;
  for (int c = 0; c < columns->Count(); ++c)
    longest = std::max(longest, columns->Items(c)->Caption().Length());
  AnsiString hint;
  for (int c = 0; c < columns->Count(); ++c) {
    const AnsiString caption = columns->Items(c)->Caption();
    AnsiString cell;
    if (c == 0)
      cell = item->Caption();
    else if (c - 1 < item->SubItems()->Count())
      cell = item->SubItems()->Strings(c - 1);
    hint = hint + caption +
           AnsiString(std::string(static_cast<std::size_t>(longest - caption.Length()), '\t')) +
           "  " + cell + "\n";
  }
  list->SetHint(hint);
  list->SetShowHint(true);
}
