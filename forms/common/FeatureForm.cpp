#include "forms/common/FeatureForm.h"

#include <exception>

#include "library/VnErrors.h"
#include "library/VnSNMPRequest2Edits.h"
#include "library/VnSNMPVarList.h"
#include "pages/FormHost.h"
#include "pages/PortCount.h"
#include "pages/StackingPortUitFormUnit.h"
#include "platform/Classes.h"
#include "platform/Clock.h"
#include "platform/ComCtrls.h"
#include "platform/Dialogs.h"
#include "platform/Exceptions.h"
#include "platform/Forms.h"
#include "platform/Graphics.h"
#include "platform/StdCtrls.h"

bool CheckRequestIdle(std::uint8_t requestIdle, const char* message) {
  if (requestIdle) return true;
  if (message) ShowMessage(message);
  return false;
}

void RefuseCloseWhileBusy(const void* request, std::uint8_t requestIdle, bool& CanClose) {
  if (request && !requestIdle) {
    CanClose = false;
    ShowMessage(kGetDataNotComplete);
  }
}

bool FormIdle(std::initializer_list<const VnSNMPRequest2Controls*> requests, const char* message) {
  for (const VnSNMPRequest2Controls* r : requests)
    if (r && r->Busy) return CheckRequestIdle(0, message);
  return true;
}

void RefuseCloseWhileBusy(std::initializer_list<const VnSNMPRequest2Controls*> requests,
                          bool& CanClose) {
  for (const VnSNMPRequest2Controls* r : requests) {
    if (r && r->Busy) {
      RefuseCloseWhileBusy(r, 0, CanClose);
      return;
    }
  }
}

AnsiString FeatureCaption(const AnsiString& title) { return title + FormHost().Address(); }

void ScaleFormForScreen(TCustomForm* form) {
  if (!form || Screen->PixelsPerInch() == 96) return;
  form->SetWidth(static_cast<int>(form->Width() * 1.25));
  form->SetHeight(static_cast<int>(form->Height() * 1.25));
}

std::unique_ptr<VnSNMPRequest2Edits> NewFormRequest(TWinControl* owner, const VnSNMPVarDesc* table,
                                                    VnItemType itemType, int keyCount,
                                                    bool synchronous) {
  auto request = std::make_unique<VnSNMPRequest2Edits>(owner);
  ReloadVarList(request->Request, table, itemType, keyCount);
  if (synchronous) request->AsyncMode = false;
  return request;
}

void ReloadVarList(VnSNMPRequest& request, const VnSNMPVarDesc* table, VnItemType itemType,
                   int keyCount, const AnsiString& instance) {
  VnSNMPVarList list(table, itemType, static_cast<std::uint32_t>(keyCount));
  if (!instance.IsEmpty()) list.AppendIndex(instance);
  request.VarList = list;
}

bool SetUnlessEmpty(VnSNMPRequest2Controls& request, const VnSetOptions& options) {
  try {
    request.Set(options);
    return true;
  } catch (const Exception& e) {
    if (e.HelpContext != VNERR_NOTHING_TO_SET) throw;
    request.ShowRequestStatus(e.Message);
    return false;
  }
}

void StopAndWait(VnSNMPRequest2Controls* request, unsigned limitMs) {
  if (!request) return;
  request->Stop();
  const DWORD start = GetTickCount();
  while (request->Busy && GetTickCount() - start < limitMs) {
    Application->ProcessMessages();
    if (request->Busy) Sleep(1);
  }
}

TSavedAccess::TSavedAccess(VnSNMPRequest2Controls& request)
    : TSavedAccess(request.Request.VarList) {}

TSavedAccess::TSavedAccess(VnSNMPVarList& list) : list_(&list) {
  words_.reserve(static_cast<std::size_t>(list.Count()));
  for (int i = 0; i < list.Count(); ++i) words_.push_back(list.Item(i)->Access);
}

TSavedAccess::~TSavedAccess() { Restore(); }

void TSavedAccess::Invalidate(int item) {
  if (item < 0 || item >= list_->Count() || item >= static_cast<int>(words_.size())) return;
  list_->Item(item)->Access = SNMP_ACCESS_INVALID;
}

void TSavedAccess::InvalidateAllBut(const std::vector<int>& keep) {
  for (int i = 0; i < static_cast<int>(words_.size()); ++i) {
    bool kept = false;
    for (int k : keep) kept = kept || k == i;
    if (!kept) Invalidate(i);
  }
}

void TSavedAccess::Restore() {
  if (restored_) return;
  restored_ = true;
  const int n = std::min(list_->Count(), static_cast<int>(words_.size()));
  for (int i = 0; i < n; ++i) list_->Item(i)->Access = words_[static_cast<std::size_t>(i)];
}

std::uint32_t TSavedAccess::Saved(int item) const {
  if (item < 0 || item >= static_cast<int>(words_.size())) return 0;
  return words_[static_cast<std::size_t>(item)];
}

void SetAccess(VnSNMPRequest2Controls& request, int first, int last, std::uint32_t access) {
  for (int i = first; i <= last; ++i) request.Request.VarList.Item(i)->Access = access;
}

bool WriteAndReread(VnSNMPRequest2Controls& request, TSavedAccess& saved, AnsiString& failure) {
  try {
    request.Set(kSetFromControls);
    saved.Restore();
    request.Get();
    return true;
  } catch (const Exception& e) {
    saved.Restore();
    failure = e.Message;
    return false;
  }
}

void DisableValueEdit(TEdit* edit) {
  if (!edit) return;
  edit->SetText("");
  edit->SetEnabled(false);
  edit->SetColor(clScrollBar);
}

void EnableValueEdit(TEdit* edit) {
  if (!edit) return;
  edit->SetEnabled(true);
  edit->SetColor(clWindow);
}

void FocusIfPossible(TWinControl* control) {
  if (control && control->CanFocus()) control->SetFocus();
}

void InputError(const AnsiString& message, TWinControl* control) {
  ShowMessage(message);
  FocusIfPossible(control);
}

bool ItemEntered(const VnSNMPRequest2Edits& request, int item) {
  return (request.ListView && !request.ListView->Selected()) || request.ItemChanged(item);
}

bool FieldEntered(const VnSNMPRequest2Edits* request, const TControl* field) {
  if (request) {
    for (const auto& b : request->Bindings)
      for (const TControl* c : b->Controls)
        if (c == field) return ItemEntered(*request, b->ItemIndex);
  }
  if (const auto* edit = dynamic_cast<const TEdit*>(field)) return edit->Modified();
  return true;
}

bool AnyFieldEntered(const VnSNMPRequest2Edits* request,
                     std::initializer_list<const TControl*> parts) {
  for (const TControl* part : parts)
    if (FieldEntered(request, part)) return true;
  return false;
}

void ShowFailureInMemo(TMemo* memo, const AnsiString& message) {
  if (memo) memo->Lines()->Add(message);
}

void ShowFailureInStatusBar(TStatusBar* bar, const AnsiString& message) {
  if (!bar) return;
  if (bar->Panels()->Count() > 0)
    bar->Panels()->Items(0)->SetText(message);
  else
    bar->SetSimpleText(message);
}

AnsiString CurrentMessage() {
  try {
    throw;
  } catch (const Exception& e) {
    return e.Message;
  } catch (const std::exception& e) {
    return e.what();
  }
}

void SetControlsWith(VnSNMPRequest2Edits& request, int item, const AnsiString& value,
                     bool getAfterSet) {
  const VnSNMPVarList& list = request.Request.VarList;
  for (int i = 0; i < list.Count(); ++i) *list.Item(i)->Value = "";
  request.ControlsToValues(-1);
  if (VnSNMPVarDesc* d = list.Item(item); d && d->Value) *d->Value = value;
  request.Set({.getAfterSet = getAfterSet});
}

void SetStatusTargetShown(VnSNMPRequest2Controls& request, TStatusBar* bar) {
  if (!bar) return;
  if (bar->Panels()->Count() > 0 && !bar->SimplePanel()) {
    request.SetStatusPanel(bar->Panels()->Items(0));
    return;
  }
  bar->SetSimplePanel(true);
  request.SetStatusBar(bar);
}

int ComboIndexOf(TComboBox* combo, const AnsiString& text) {
  if (!combo) return -1;
  for (int i = 0; i < combo->Items()->Count(); ++i)
    if (combo->Items()->Strings(i) == text) return i;
  return -1;
}

bool SelectComboText(TComboBox* combo, const AnsiString& text) {
  const int i = ComboIndexOf(combo, text);
  if (i < 0) return false;
  combo->SetItemIndex(i);
  return true;
}

AnsiString ComboText(TComboBox* combo) {
  if (!combo) return "";
  const int i = combo->ItemIndex();
  if (i < 0 || i >= combo->Items()->Count()) return "";
  return combo->Items()->Strings(i);
}

void ShowRowCount(TListView* listView, TControl* countControl) {
  if (!listView || !countControl) return;
  countControl->SetText(AnsiString(listView->Items()->Count()));
}

AnsiString ListCellText(TListView* listView, int row, int column) {
  if (!listView || row < 0 || row >= listView->Items()->Count() || column < 0) return "";
  TListItem* item = listView->Items()->Item(row);
  if (column == 0) return item->Caption();
  if (column - 1 >= item->SubItems()->Count()) return "";
  return item->SubItems()->Strings(column - 1);
}

bool ListViewHasRow(TListView* listView, const std::vector<std::pair<int, AnsiString>>& cells) {
  if (!listView || cells.empty()) return false;
  for (int row = 0; row < listView->Items()->Count(); ++row) {
    bool all = true;
    for (const auto& [column, text] : cells) {
      if (ListCellText(listView, row, column) != text) {
        all = false;
        break;
      }
    }
    if (all) return true;
  }
  return false;
}

void ClickFollowsSelection(VnSNMPRequest2Edits& request) {
  if (request.ListView) request.OnRowShown = request.ListView->OnClick;
}

int ColumnOf(TListView* listView, const AnsiString& caption) {
  for (int c = 0; c < listView->Columns()->Count(); ++c)
    if (listView->Columns()->Items(c)->Caption() == caption) return c;
  return -1;
}

AnsiString PortElementList(int count) {
  AnsiString list = "0";
  for (int i = 1; i < count; ++i) list = list + "," + AnsiString(i);
  return list;
}

TStackingPortUitForm* CreatePortFrame(TCustomForm* owner, TWinControl* host, int perRow,
                                      int units) {
  TStackingPortUitForm* grid = Create<TStackingPortUitForm>(owner);
  grid->SetParent(host);
  grid->SetAlign(alClient);
  grid->Show();
  if (units < 1) units = 1;
  for (int u = 1; u <= units; ++u)
    grid->AddPortUnitPage("Unit" + AnsiString(u), (u - 1) * 32 + 1, 32, perRow, false);
  grid->ShowUnitPorts("1", kDefaultModel, 1, GetPortCount(kDefaultModel), perRow);
  return grid;
}

std::vector<bool> PortTicks(TStackingPortUitForm* frame) {
  std::vector<bool> ticks;
  if (!frame || !frame->PortCheckBoxes) return ticks;
  TList* boxes = frame->PortCheckBoxes.get();
  for (int i = 0; i < boxes->Count(); ++i) {
    auto* box = static_cast<TCheckBox*>(boxes->Items(i));
    ticks.push_back(box && box->Checked());
  }
  return ticks;
}

std::vector<TStackUnitRecord> MakeUnitRecords() {
  TStackUnitRecord record;
  record.Unit = 1;
  record.PortCount = GetPortCount(kDefaultModel);
  record.Model = kDefaultModel;
  return {record};
}

void PumpFor(unsigned ms) {
  const DWORD start = GetTickCount();
  do {
    Application->ProcessMessages();
    Sleep(1);
  } while (GetTickCount() - start < ms);
}
