// A request bound to a list view: the columns, one row per table row, and
// the selected row in the bound controls.
#include "library/VnSNMPRequest2Edits.h"
#include "library/VnValueText.h"
#include "platform/ComCtrls.h"
#include "platform/Forms.h"
#include "platform/InputHold.h"

namespace {

// A value text as a cell shows it: nothing for no value.
AnsiString CellText(const AnsiString& value) {
  return value == VnNullValueText ? AnsiString() : value;
}

}  // namespace

void VnSNMPRequest2Edits::AttachListView(TListView* listView, bool disableUntilSelected) {
  ReleaseRowRecords();
  if (ListView) {
    if (ListView->OnSelectItem ==
        TLVSelectItemHandler(this, &VnSNMPRequest2Edits::ListViewSelectItem))
      ListView->OnSelectItem = SavedOnSelectItem;
    if (ListView->OnSelectedItemPressed ==
        TLVItemHandler(this, &VnSNMPRequest2Edits::ListViewPressSelected))
      ListView->OnSelectedItemPressed = savedOnPressSelected_;
    UnwatchComponent(ListView);
  }
  ListView = listView;
  SavedOnSelectItem = nullptr;
  savedOnPressSelected_ = nullptr;
  columnItems_.clear();
  if (!listView) return;
  listView->SetReadOnly(true);
  listView->SetRowSelect(true);
  listView->SetHideSelection(false);
  listView->SetGridLines(true);
  listView->SetViewStyle(vsReport);
  SavedOnSelectItem = listView->OnSelectItem;
  listView->OnSelectItem = TLVSelectItemHandler(this, &VnSNMPRequest2Edits::ListViewSelectItem);
  savedOnPressSelected_ = listView->OnSelectedItemPressed;
  listView->OnSelectedItemPressed =
      TLVItemHandler(this, &VnSNMPRequest2Edits::ListViewPressSelected);
  WatchComponent(listView);
  DisableUntilSelected = disableUntilSelected;
  BuildListColumns();
}

// The item of each column, hidden columns first: the order in which rows are
// written and read back. Kept until the columns are built again, so that
// marks changed afterwards do not shift the cells.
void VnSNMPRequest2Edits::RecordColumnMap() {
  const VnSNMPVarList& list = Request.VarList;
  columnItems_.clear();
  for (int i = 0; i < list.Count(); ++i)
    if (list.IsColumnHidden(i)) columnItems_.push_back(i);
  for (int i = 0; i < list.Count(); ++i)
    if (list.IsShown(i)) columnItems_.push_back(i);
}

void VnSNMPRequest2Edits::BuildListColumns() {
  if (!ListView) return;
  const VnSNMPVarList& list = Request.VarList;
  TListColumns* columns = ListView->Columns();
  const int needed = list.ShownCount() + list.HiddenColumnCount();
  if (needed <= columns->Count()) {
    // The layout stays; the first time, the marks of now name the columns.
    if (columnItems_.empty()) RecordColumnMap();
    return;
  }
  columns->Clear();
  RecordColumnMap();
  for (int i : columnItems_) {
    TListColumn* c = columns->Add();
    c->SetCaption(list.Item(i)->Label);
    c->SetAutoSize(false);
    c->SetWidth(list.IsColumnHidden(i) ? 0 : -2);
  }
}

void VnSNMPRequest2Edits::DoGetBegin() {
  // Items left out of a SET that never went out are read again.
  TakeBackLeftOut();
  if (!ListView) return;
  BuildListColumns();
  ListView->Items()->Clear();
  rowRecords_.clear();
}

const VnSNMPRequest2Edits::RowRecord* VnSNMPRequest2Edits::RecordOf(const TListItem* row) const {
  const auto* record = row ? static_cast<const RowRecord*>(row->Data()) : nullptr;
  return record && record->Owner == this ? record : nullptr;
}

void VnSNMPRequest2Edits::ReleaseRowRecords() {
  if (ListView)
    for (int r = 0; r < ListView->Items()->Count(); ++r) {
      TListItem* row = ListView->Items()->Item(r);
      if (RecordOf(row)) row->SetData(nullptr);
    }
  rowRecords_.clear();
}

void VnSNMPRequest2Edits::AddListRow() {
  const VnSNMPVarList& list = Request.VarList;
  // The row joins the list with all its cells: the list hears of one change
  // of a row, not of one per cell.
  rowCells_.resize(columnItems_.size());
  bool recorded = Request.KeysShowArcs();
  std::size_t n = 0;
  for (int i : columnItems_) {
    AnsiString& cell = rowCells_[n++];
    if (i >= list.Count()) {
      cell.str().clear();
      continue;
    }
    const AnsiString& text = *list.Item(i)->Value;
    const bool none = text == VnNullValueText;
    if (none)
      cell.str().clear();
    else
      cell = text;
    recorded = recorded || none || list.WholeValue(i);
  }
  TListItem* row = ListView->Items()->AddRow(rowCells_);
  if (recorded) {
    auto record = std::make_unique<RowRecord>();
    record->Owner = this;
    if (Request.KeysShowArcs()) record->Instance = Request.RowInstance();
    for (int i : columnItems_) {
      const bool item = i < list.Count();
      record->Values.push_back(item ? *list.Item(i)->Value : AnsiString());
      const VnWholeValue* whole = item ? list.WholeValue(i) : nullptr;
      record->Whole.push_back(whole ? std::optional<VnWholeValue>(*whole) : std::nullopt);
    }
    row->SetData(record.get());
    rowRecords_.push_back(std::move(record));
  }
  // A row that the event pump handed over is painted, and the timers run,
  // once its completion has returned to the pump: a pass here would only
  // cost the walk a turn of the loop per row. A synchronous walk lets the
  // loop run after each row instead; a click made meanwhile waits until the
  // walk's turn is over, so that no dialog or box it opens holds the walk.
  if (!Application || Request.InPumpedCompletion()) return;
  const InputHold held;
  Application->ProcessMessages();
}

void VnSNMPRequest2Edits::SelectedRowToValues() {
  if (!ListView) return;
  VnSNMPVarList& list = Request.VarList;
  TListItem* row = ListView->Selected();
  if (!row) {
    // No row: what the items hold names none.
    Request.ForgetRowInstance();
    list.ClearWholeValues();
    return;
  }
  // A cell that still shows what the request put there gives the value it
  // came from; one a form has written since gives its text.
  const RowRecord* record = RecordOf(row);
  int n = 0;
  for (int i : columnItems_) {
    AnsiString text;
    if (n == 0)
      text = row->Caption();
    else if (n - 1 < row->SubItems()->Count())
      text = row->SubItems()->Strings(n - 1);
    std::optional<VnWholeValue> whole;
    const std::size_t at = static_cast<std::size_t>(n);
    if (record && at < record->Values.size() && CellText(record->Values[at]) == text) {
      text = record->Values[at];
      whole = record->Whole[at];
    }
    if (i < list.Count()) {
      *list.Item(i)->Value = text;
      list.SetWholeValue(i, std::move(whole));
    }
    ++n;
  }
  if (record && !record->Instance.IsEmpty())
    Request.SetRowInstance(record->Instance);
  else
    Request.ForgetRowInstance();
}

void VnSNMPRequest2Edits::ListViewSelectItem(TObject* Sender, TListItem* Item, bool Selected) {
  if (SavedOnSelectItem) {
    TLVSelectItemHandler saved = SavedOnSelectItem;
    saved(Sender, Item, Selected);
  }
  if (!Selected) return;
  ShowSelectedRow(Sender);
}

// A click on the row drawn selected shows that row, whatever the controls
// hold meanwhile (a refused write may have left them emptied).
void VnSNMPRequest2Edits::ListViewPressSelected(TObject* Sender, TListItem* Item) {
  if (savedOnPressSelected_) {
    TLVItemHandler saved = savedOnPressSelected_;
    saved(Sender, Item);
  }
  if (ListView && Item && ListView->Selected() == Item) ShowSelectedRow(Sender);
}

void VnSNMPRequest2Edits::ShowSelectedRow(TObject* sender) {
  if (DisableUntilSelected) EnableControls(true);
  if (ListView) SelectedRowToValues();
  ValuesToControls(-1);
  if (OnRowShown) OnRowShown(sender);
}

void VnSNMPRequest2Edits::DoGetEnd() {
  if (ListView && DisableUntilSelected && Request.VarList.ItemType == VnItemType::MVT_FMV)
    EnableControls(false);
}
