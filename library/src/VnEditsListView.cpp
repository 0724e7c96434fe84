// A request bound to a list view: the columns, one row per table row, and
// the selected row in the bound controls.
#include "library/VnSNMPRequest2Edits.h"
#include "platform/ComCtrls.h"
#include "platform/Forms.h"
#include "platform/InputHold.h"

void VnSNMPRequest2Edits::AttachListView(TListView* listView, bool disableUntilSelected) {
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
}

void VnSNMPRequest2Edits::AddListRow() {
  const VnSNMPVarList& list = Request.VarList;
  TListItem* row = ListView->Items()->Add();
  int n = 0;
  for (int i : columnItems_) {
    const AnsiString text = i < list.Count() ? *list.Item(i)->Value : AnsiString();
    if (n == 0)
      row->SetCaption(text);
    else
      row->SubItems()->Add(text);
    ++n;
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
  TListItem* row = ListView->Selected();
  if (!row) return;
  const VnSNMPVarList& list = Request.VarList;
  int n = 0;
  for (int i : columnItems_) {
    AnsiString text;
    if (n == 0)
      text = row->Caption();
    else if (n - 1 < row->SubItems()->Count())
      text = row->SubItems()->Strings(n - 1);
    if (i < list.Count()) *list.Item(i)->Value = text;
    ++n;
  }
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
