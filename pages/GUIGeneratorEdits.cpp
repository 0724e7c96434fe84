// The edit rows of a page: one tick box, label and edit control per
// variable, bound to the request.
#include <algorithm>

#include "library/VnSNMPRequest2Edits.h"
#include "pages/GUIGenerator.h"
#include "platform/Buttons.h"
#include "platform/Dialogs.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "platform/SysUtils.h"

namespace {

constexpr int kTickWidth = 20;
constexpr int kTop = 20;  // the first row's edit
constexpr int kTickLeft = 20;
constexpr int kGap = 5;             // between rows, tick and label, label and edit
constexpr int kMinEditHeight = 20;  // lower edits are raised to 21
constexpr int kRaisedEditHeight = 21;
constexpr int kMargin = 40;  // right of and below the rows

}  // namespace

TEditsPanel::TEditsPanel(TWinControl* AOwner, VnSNMPRequest2Edits* request) : TPanel(AOwner) {
  SetParent(AOwner);
  ScrollBox = new TScrollBox(this);
  ScrollBox->SetParent(this);
  ScrollBox->SetAlign(alClient);
  EditWidth = 121;
  DefaultTick = false;
  if (request) CreateRowControls(request);
  ReparentRows(ScrollBox);
  CreateNoteLabel();
  SetReadOnlyColours(clBlack, clBtnFace);
}

TEditsPanel::~TEditsPanel() = default;

UISnmpVar& TEditsPanel::Row(int i) {
  if (i < 0 || i >= RowCount())
    throw EListError(AnsiString::Format("List index out of bounds (%d)", i));
  return rows_[static_cast<std::size_t>(i)];
}

const UISnmpVar& TEditsPanel::Row(int i) const { return const_cast<TEditsPanel*>(this)->Row(i); }

void TEditsPanel::BuildRowTable() {
  rows_.clear();
  if (!Request) return;
  const VnSNMPVarList& list = Request->Request.VarList;
  for (int i = 0; i < list.Count(); ++i) {
    const VnSNMPVarDesc* d = list.Item(i);
    const bool readOnly = !list.IsWritable(i);
    UISnmpVar row;
    if (d->Options)
      row.Kind = readOnly ? rkReadOnlyOptions : rkOptions;
    else
      row.Kind = readOnly ? rkReadOnlyText : rkText;
    row.EditFormat = d->Syntax == SNMP_SYNTAX_IPADDRESS ? "%s{I}" : "%s";
    rows_.push_back(row);
  }
}

void TEditsPanel::CreateRowControls(VnSNMPRequest2Edits* request) {
  Request = request;
  BuildRowTable();
  const VnSNMPVarList& list = Request->Request.VarList;
  for (int i = 0; i < RowCount(); ++i) {
    UISnmpVar& row = rows_[static_cast<std::size_t>(i)];
    row.CheckBox = new TCheckBox(this);
    row.CheckBox->SetParent(this);
    row.CheckBox->SetWidth(kTickWidth);
    row.CheckBox->SetTag(i);
    row.CheckBox->SetTabStop(false);
    row.CheckBox->OnClick = TNotifyEvent(this, &TEditsPanel::RowCheckClick);
    row.Label = new TLabel(this);
    row.Label->SetParent(this);
    row.Label->SetAutoSize(true);
    const char* label = list.Item(i)->Label;
    row.Label->SetCaption(label ? label : "");
    row.Label->SetTag(i);
    if (row.Kind == rkOptions) {
      auto* combo = new TComboBox(this);
      combo->SetParent(this);
      combo->SetTag(i);
      row.EditCtrl = combo;
      Request->BindComboBox(i, combo);
    } else {
      auto* edit = new TEdit(this);
      edit->SetParent(this);
      edit->SetTag(i);
      row.EditCtrl = edit;
      Request->BindEdits(i, row.Kind == rkReadOnlyOptions ? AnsiString("%s") : row.EditFormat,
                         edit);
    }
    // Rows of hidden variables are not shown.
    if (IsHiddenRow(i)) {
      row.CheckBox->Hide();
      row.Label->Hide();
      row.EditCtrl->Hide();
    }
  }
  ApplyRowLooks(false);
  ArrangeRows(2, true);
}

bool TEditsPanel::IsHiddenRow(int i) const {
  return Request && (Request->Request.VarList.Item(i)->Access & SNMP_ACCESS_HIDDEN) != 0;
}

void TEditsPanel::ApplyRowLooks(bool defaultTick) {
  DefaultTick = defaultTick;
  for (int i = 0; i < RowCount(); ++i) {
    if (!IsReadOnlyRow(i) && !IsIndexRow(i))
      SetRowWritableLook(i);
    else
      SetRowReadOnlyLook(i);
  }
}

void TEditsPanel::SetRowReadOnlyLook(int i) {
  if (i < 0 || i >= RowCount()) {
    ShowMessage("aIdx is overtop!\n you may define < " + IntToStr(RowCount()));
    return;
  }
  UISnmpVar& row = rows_[static_cast<std::size_t>(i)];
  row.CheckBox->SetEnabled(false);
  row.CheckBox->Hide();
  row.CheckBox->SetChecked(false);
  if (auto* edit = dynamic_cast<TEdit*>(row.EditCtrl)) {
    edit->SetReadOnly(true);
    edit->SetTabStop(false);
  } else if (row.EditCtrl) {
    row.EditCtrl->SetEnabled(false);
  }
  if (row.EditCtrl) {
    row.EditCtrl->Font()->SetColor(ReadOnlyFontColour);
    row.EditCtrl->SetColor(ReadOnlyBackground);
  }
}

void TEditsPanel::SetRowWritableLook(int i) {
  UISnmpVar& row = Row(i);
  row.CheckBox->SetEnabled(true);
  row.CheckBox->SetVisible(!IsHiddenRow(i));
  row.CheckBox->SetChecked(DefaultTick);
  if (auto* edit = dynamic_cast<TEdit*>(row.EditCtrl)) {
    edit->SetReadOnly(false);
    edit->SetTabStop(true);
  } else if (row.EditCtrl) {
    row.EditCtrl->SetEnabled(true);
  }
  if (row.EditCtrl) {
    row.EditCtrl->Font()->SetColor(clBlack);
    row.EditCtrl->SetColor(clWhite);
  }
}

void TEditsPanel::SetReadOnlyColours(TColor fontColour, TColor background) {
  ReadOnlyFontColour = fontColour;
  ReadOnlyBackground = background;
  for (int i = 0; i < RowCount(); ++i)
    if (IsReadOnlyRow(i)) SetRowReadOnlyLook(i);
}

void TEditsPanel::SetEditWidth(int width, int layout) {
  EditWidth = width;
  ArrangeRows(layout, true);
}

void TEditsPanel::ArrangeRows(int layout, bool resize) {
  for (UISnmpVar& row : rows_) row.EditCtrl->SetWidth(EditWidth);
  if (layout == 1) {
    int x = 0;
    for (int i = 0; i < RowCount(); ++i) {
      if (IsHiddenRow(i)) continue;
      UISnmpVar& row = rows_[static_cast<std::size_t>(i)];
      const int h = row.EditCtrl->Height();
      row.EditCtrl->SetTop(kTop);
      row.CheckBox->SetTop(kTop + (h - row.CheckBox->Height()) / 2);
      row.Label->SetTop(kTop + (h - row.Label->Height()) / 2);
      row.CheckBox->SetLeft(x + kGap);
      row.Label->SetLeft(x + kGap + row.CheckBox->Width() + kGap);
      row.EditCtrl->SetLeft(row.Label->Left() + row.Label->Width() + kGap);
      x = std::max(x, row.EditCtrl->Left() + row.EditCtrl->Width());
    }
  } else if (layout == 2) {
    int widest = 0;
    for (const UISnmpVar& row : rows_) widest = std::max(widest, row.Label->Width());
    int y = kTop;
    for (int i = 0; i < RowCount(); ++i) {
      if (IsHiddenRow(i)) continue;
      UISnmpVar& row = rows_[static_cast<std::size_t>(i)];
      if (i != 0) {
        if (row.EditCtrl->Height() < kMinEditHeight) row.EditCtrl->SetHeight(kRaisedEditHeight);
        y += row.EditCtrl->Height() + kGap;
      }
      const int h = row.EditCtrl->Height();
      row.EditCtrl->SetTop(y);
      row.CheckBox->SetTop(y + (h - row.CheckBox->Height()) / 2);
      row.Label->SetTop(y + (h - row.Label->Height()) / 2);
      row.CheckBox->SetLeft(kTickLeft);
      row.Label->SetLeft(row.CheckBox->Left() + row.CheckBox->Width() + kGap);
      row.EditCtrl->SetLeft(row.Label->Left() + widest + kGap);
    }
  }
  int right = 0, bottom = 0;
  for (int i = 0; i < RowCount(); ++i) {
    if (IsHiddenRow(i)) continue;
    const TWinControl* e = rows_[static_cast<std::size_t>(i)].EditCtrl;
    right = std::max(right, e->Left() + e->Width());
    bottom = std::max(bottom, e->Top() + e->Height());
  }
  if (resize) {
    SetAlign(alNone);
    SetWidth(right + kMargin);
    SetHeight(bottom + kMargin);
  }
  ScrollBox->UpdateScrollRange();
}

void TEditsPanel::ReparentRows(TWinControl* parent) {
  for (UISnmpVar& row : rows_) {
    row.CheckBox->SetParent(parent);
    row.Label->SetParent(parent);
    row.EditCtrl->SetParent(parent);
  }
}

void TEditsPanel::CreateNoteLabel() {
  NoteLabel = new TLabel(this);
  NoteLabel->SetParent(ScrollBox);
  NoteLabel->Hide();
}

TCtrlBtnPanel* TEditsPanel::HostButtons() const {
  for (TWinControl* p = Parent(); p; p = p->Parent())
    if (auto* frame = dynamic_cast<TSNMPPanel*>(p)) return frame->BtnPanel;
  return nullptr;
}

void TEditsPanel::RowCheckClick(TObject*) {
  if (TCtrlBtnPanel* buttons = HostButtons()) buttons->SetBtn->SetEnabled(CheckedRowCount() > 0);
}

void TEditsPanel::ArrangeCtrlBtn(TCtrlBtnPanel* btnPanel) {
  if (!Request) throw Exception("TEditsPanel:ArrangeCtrlBtn - EditCtrl is NULL!");
  btnPanel->RefreshBtn->Show();
  btnPanel->SetBtn->Show();
  btnPanel->CheckAllBtn->Show();
  btnPanel->ClearChecksBtn->Show();
  btnPanel->CloseBtn->Show();
  btnPanel->Samples->Hide();
  btnPanel->CountText->Hide();
  btnPanel->EditBtn->Hide();
  btnPanel->AddBtn->Hide();
  btnPanel->DeleteBtn->Hide();
  if (HasNoEditableRow()) {
    btnPanel->SetBtn->Hide();
    btnPanel->CheckAllBtn->Hide();
    btnPanel->ClearChecksBtn->Hide();
  } else if (TickableRowCount() <= 1) {
    // One writable row: a bare field and a "Set" button that writes it.
    btnPanel->CheckAllBtn->Hide();
    btnPanel->ClearChecksBtn->Hide();
    btnPanel->SetBtn->SetCaption("Set");
    btnPanel->SetBtn->SetEnabled(true);
    for (UISnmpVar& row : rows_)
      if (row.CheckBox->Visible() && row.CheckBox->Enabled()) row.CheckBox->SetChecked(true);
    if (CheckedRowCount() <= 1)
      for (UISnmpVar& row : rows_) row.CheckBox->Hide();
  }
  btnPanel->ArrangeButtons();
}

void TEditsPanel::HideRow(int i) {
  UISnmpVar& row = Row(i);
  if (Request) Request->Request.VarList.Item(i)->Access |= SNMP_ACCESS_HIDDEN;
  row.EditCtrl->Hide();
  row.CheckBox->Hide();
  row.Label->Hide();
}

void TEditsPanel::ShowRow(int i) {
  UISnmpVar& row = Row(i);
  if (Request)
    Request->Request.VarList.Item(i)->Access &= ~static_cast<std::uint32_t>(SNMP_ACCESS_HIDDEN);
  row.EditCtrl->Show();
  row.CheckBox->Show();
  row.Label->Show();
}

void TEditsPanel::UncheckRow(int i) { Row(i).CheckBox->SetChecked(false); }

void TEditsPanel::ClearField(int i) {
  UISnmpVar& row = Row(i);
  if (auto* combo = dynamic_cast<TComboBox*>(row.EditCtrl))
    combo->SetItemIndex(-1);
  else if (auto* edit = dynamic_cast<TEdit*>(row.EditCtrl))
    edit->SetText("");
  if (Request) *Request->Request.VarList.Item(i)->Value = "";
}

void TEditsPanel::ClearAllFields() {
  for (int i = 0; i < RowCount(); ++i) ClearField(i);
}

void TEditsPanel::SetFieldText(int i, const AnsiString& text) {
  UISnmpVar& row = Row(i);
  if (auto* combo = dynamic_cast<TComboBox*>(row.EditCtrl))
    combo->SetItemIndex(combo->Items()->IndexOf(text));
  else if (auto* edit = dynamic_cast<TEdit*>(row.EditCtrl))
    edit->SetText(text);
  if (Request) *Request->Request.VarList.Item(i)->Value = text;
}

bool TEditsPanel::IsReadOnlyRow(int i) const {
  Row(i);
  return !Request || !Request->Request.VarList.IsWritable(i);
}

bool TEditsPanel::IsIndexRow(int i) const {
  Row(i);
  return Request && static_cast<std::uint32_t>(i) < Request->Request.VarList.KeyCount;
}

bool TEditsPanel::IsFieldEmpty(int i) const {
  const TWinControl* c = Row(i).EditCtrl;
  if (dynamic_cast<const TEdit*>(c) || dynamic_cast<const TComboBox*>(c) ||
      dynamic_cast<const TPanel*>(c))
    return c->Text().IsEmpty();
  return true;
}

bool TEditsPanel::IsEmptyInput(int i, bool newEntry) const {
  if (!IsFieldEmpty(i)) return false;
  return newEntry || !Request || Request->ItemTyped(i);
}

bool TEditsPanel::HasNoEditableRow() const {
  for (int i = 0; i < RowCount(); ++i)
    if (!IsReadOnlyRow(i) && !IsIndexRow(i)) return false;
  return true;
}

int TEditsPanel::TickableRowCount() const {
  int n = 0;
  for (const UISnmpVar& row : rows_)
    n += row.CheckBox->Visible() && row.CheckBox->Enabled() ? 1 : 0;
  return n;
}

int TEditsPanel::CheckedRowCount() const {
  int n = 0;
  for (const UISnmpVar& row : rows_)
    n += row.CheckBox->Visible() && row.CheckBox->Checked() ? 1 : 0;
  return n;
}

void TEditsPanel::ShowNote(const AnsiString& text, TColor colour, int fontSize) {
  NoteLabel->SetCaption(text);
  NoteLabel->Show();
  NoteLabel->SetLeft(20);
  NoteLabel->SetTop(Height() - 15);
  NoteLabel->Font()->SetColor(colour);
  NoteLabel->Font()->SetSize(fontSize);
}
