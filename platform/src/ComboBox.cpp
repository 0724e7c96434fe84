// Combo boxes: the items and the selection live here; the widget shows them.
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>

#include "MaxLength.h"
#include "Toolkit.h"
#include "platform/Exceptions.h"
#include "platform/StdCtrls.h"

using namespace ui_detail;

namespace {

// A drop-down's edit takes the focus with its text selected, as the
// system's combo box does (a click then places the caret).
class ComboWidget : public QComboBox {
 protected:
  void focusInEvent(QFocusEvent* e) override {
    QComboBox::focusInEvent(e);
    if (QLineEdit* le = lineEdit()) le->selectAll();
  }
};

}  // namespace

// ---- TComboItems

void TComboItems::Check(int i) const {
  if (i < 0 || i >= Count()) IndexError(i);
}

AnsiString TComboItems::Strings(int i) const {
  Check(i);
  return items_[static_cast<std::size_t>(i)].first;
}

void TComboItems::SetStrings(int i, const AnsiString& s) {
  Check(i);
  items_[static_cast<std::size_t>(i)].first = s;
  box_->ItemChanged(i);
}

TObject* TComboItems::Objects(int i) const {
  Check(i);
  return items_[static_cast<std::size_t>(i)].second;
}

void TComboItems::SetObjects(int i, TObject* obj) {
  Check(i);
  items_[static_cast<std::size_t>(i)].second = obj;
}

void TComboItems::InsertObject(int i, const AnsiString& s, TObject* obj) {
  if (i < 0 || i > Count()) IndexError(i);
  items_.insert(items_.begin() + i, {s, obj});
  box_->ItemsInserted(i);
}

void TComboItems::Delete(int i) {
  Check(i);
  items_.erase(items_.begin() + i);
  box_->ItemsDeleted(i);
}

void TComboItems::Clear() {
  items_.clear();
  box_->ItemsCleared();
}

// ---- TComboBox

TComboBox::TComboBox(TComponent* AOwner)
    : TWinControl(AOwner, new Peer(new ComboWidget()), 145, 21) {
  SetTabStop(true);
  SetColor(clWindow);
  auto* cb = WidgetAs<QComboBox>(this);
  cb->setInsertPolicy(QComboBox::NoInsert);
  cb->setEditable(true);
  HookEdit();
  // Only the user's choices reach OnChange (activated is not emitted for
  // changes made by code).
  QObject::connect(cb, &QComboBox::activated, cb, [this](int i) { UserPicked(i); });
}

// The edit part of a drop-down (made anew whenever the box becomes
// editable): typing reaches OnChange, MaxLength limits it. It shows exactly
// what was typed, which is Text: the toolkit's completer would fill in the
// rest of a matching item on screen (and take it on Tab) behind Text's back.
void TComboBox::HookEdit() {
  auto* cb = WidgetAs<QComboBox>(this);
  QLineEdit* le = cb->lineEdit();
  if (!le) return;
  le->setCompleter(nullptr);
  le->setProperty("uiEdit", true);
  le->setValidator(new MaxLengthValidator(
      [this] { return maxLength_; },
      [this](const QString& t) { return EditedBytes(t, editText_).Length(); }, le));
  QObject::connect(le, &QLineEdit::textEdited, cb,
                   [this](const QString& t) { UserTyped(EditedBytes(t, editText_)); });
}

void TComboBox::SetMaxLength(int v) { maxLength_ = v < 0 ? 0 : v; }

// The edit part may still lose the focus (and ask its validator) once this
// object is gone: it asks nothing of it from here on.
TComboBox::~TComboBox() {
  BeginDestroy();
  auto* cb = WidgetAs<QComboBox>(this);
  if (QLineEdit* le = cb ? cb->lineEdit() : nullptr) {
    le->setValidator(nullptr);
    QObject::disconnect(le, nullptr, cb, nullptr);
  }
}

void TComboBox::SetStyle(TComboBoxStyle s) {
  if (s == style_) return;
  style_ = s;
  auto* cb = WidgetAs<QComboBox>(this);
  QSignalBlocker block(cb);
  bool editable = s != csDropDownList;
  if (cb->isEditable() != editable) {
    // The line edit a box that stops being editable drops goes at once: left
    // to the next turn of the event loop, its end would take away the focus
    // the box got meanwhile (a dialog opening on it).
    QLineEdit* dropped = editable ? nullptr : cb->lineEdit();
    cb->setEditable(editable);
    delete dropped;
    if (editable) HookEdit();
  }
  if (!editable) editText_.Put("");
  ShowIndex();
}

void TComboBox::ShowIndex() {
  auto* cb = WidgetAs<QComboBox>(this);
  QSignalBlocker block(cb);
  cb->setCurrentIndex(itemIndex_);
  if (cb->isEditable()) cb->setEditText(Q(editText_.Now));
}

AnsiString TComboBox::GetText() const {
  if (style_ == csDropDownList) return itemIndex_ >= 0 ? items_.Strings(itemIndex_) : AnsiString();
  return editText_.Now;
}

// A drop-down list selects the first item equal to the text (ignoring case)
// or none; a drop-down shows the text as it is. No OnChange either way.
void TComboBox::SetTextValue(const AnsiString& v) {
  if (style_ == csDropDownList) {
    SetItemIndex(items_.IndexOf(v));
    return;
  }
  editText_.Put(v);
  int i = items_.IndexOf(v);
  itemIndex_ = (i >= 0 && items_.Strings(i) == v) ? i : -1;
  ShowIndex();
}

void TComboBox::SetItemIndex(int i) {
  if (i < -1 || i >= items_.Count()) i = -1;
  itemIndex_ = i;
  if (style_ != csDropDownList) editText_.Put(i >= 0 ? items_.Strings(i) : AnsiString());
  ShowIndex();
}

void TComboBox::Clear() {
  items_.Clear();
  editText_.Put("");
  ShowIndex();
}

void TComboBox::UserPicked(int index) {
  if (index < -1 || index >= items_.Count()) return;
  itemIndex_ = index;
  if (style_ != csDropDownList) editText_.Put(index >= 0 ? items_.Strings(index) : AnsiString());
  if (Quiet()) return;
  if (OnSelect) {
    Guarded(this, [this] { OnSelect(this); });
    return;
  }
  if (OnChange) Guarded(this, [this] { OnChange(this); });
}

void TComboBox::UserTyped(const AnsiString& text) {
  if (style_ == csDropDownList) return;
  editText_.Now = text;
  if (itemIndex_ >= 0 && items_.Strings(itemIndex_) != text) itemIndex_ = -1;
  if (!Quiet() && OnChange) Guarded(this, [this] { OnChange(this); });
}

void TComboBox::ItemsInserted(int at) {
  if (itemIndex_ >= at) ++itemIndex_;
  auto* cb = WidgetAs<QComboBox>(this);
  {
    QSignalBlocker block(cb);
    cb->insertItem(at, Q(items_.Strings(at)));
  }
  ShowIndex();
}

void TComboBox::ItemsDeleted(int at) {
  if (itemIndex_ == at)
    itemIndex_ = -1;
  else if (itemIndex_ > at)
    --itemIndex_;
  auto* cb = WidgetAs<QComboBox>(this);
  {
    QSignalBlocker block(cb);
    cb->removeItem(at);
  }
  ShowIndex();
}

void TComboBox::ItemsCleared() {
  itemIndex_ = -1;
  editText_.Put("");
  auto* cb = WidgetAs<QComboBox>(this);
  {
    QSignalBlocker block(cb);
    cb->clear();
  }
  ShowIndex();
}

void TComboBox::ItemChanged(int at) {
  auto* cb = WidgetAs<QComboBox>(this);
  QSignalBlocker block(cb);
  cb->setItemText(at, Q(items_.Strings(at)));
  if (at == itemIndex_ && style_ != csDropDownList) editText_.Put(items_.Strings(at));
  ShowIndex();
}
