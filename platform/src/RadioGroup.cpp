// Radio groups: a group box whose radio buttons follow the items.
#include "platform/RadioGroup.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>

#include "Widgets.h"
#include "platform/Exceptions.h"

using namespace ui_detail;

namespace {

class RadioGroupWidget : public Clickable<QGroupBox> {
 public:
  RadioGroupWidget() : buttons(new QButtonGroup(this)) {
    buttons->setExclusive(true);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 4, 8, 4);
    grid->setSpacing(2);
  }
  QButtonGroup* buttons;
};

}  // namespace

// ---- TRadioItems

void TRadioItems::Check(int i) const {
  if (i < 0 || i >= Count())
    throw EStringListError(AnsiString::Format("List index out of bounds (%d)", i));
}

AnsiString TRadioItems::Strings(int i) const {
  Check(i);
  return items_[static_cast<std::size_t>(i)].first;
}

void TRadioItems::SetStrings(int i, const AnsiString& s) {
  Check(i);
  items_[static_cast<std::size_t>(i)].first = s;
  group_->ItemsChanged(i, 0);
}

TObject* TRadioItems::Objects(int i) const {
  Check(i);
  return items_[static_cast<std::size_t>(i)].second;
}

void TRadioItems::SetObjects(int i, TObject* obj) {
  Check(i);
  items_[static_cast<std::size_t>(i)].second = obj;
}

void TRadioItems::InsertObject(int i, const AnsiString& s, TObject* obj) {
  if (i < 0 || i > Count())
    throw EStringListError(AnsiString::Format("List index out of bounds (%d)", i));
  items_.insert(items_.begin() + i, {s, obj});
  group_->ItemsChanged(i, 1);
}

void TRadioItems::Delete(int i) {
  Check(i);
  items_.erase(items_.begin() + i);
  group_->ItemsChanged(i, -1);
}

void TRadioItems::Clear() {
  items_.clear();
  group_->ItemsChanged(-1, -1);
}

// ---- TRadioGroup

TRadioGroup::TRadioGroup(TComponent* AOwner)
    : TWinControl(AOwner, new Peer(new RadioGroupWidget()), 185, 105) {
  SetTabStop(true);
  auto* w = WidgetAs<RadioGroupWidget>(this);
  QObject::connect(w->buttons, &QButtonGroup::idClicked, w, [this](int id) { UserChose(id); });
}

TRadioGroup::~TRadioGroup() { BeginDestroy(); }

void TRadioGroup::SetTextValue(const AnsiString& v) {
  text_ = v;
  WidgetAs<QGroupBox>(this)->setTitle(Q(v));
}

void TRadioGroup::SetColumns(int n) {
  columns_ = n < 1 ? 1 : n;
  Rebuild();
}

void TRadioGroup::SetItemIndex(int i) {
  if (i < 0 || i >= items_.Count()) i = -1;
  if (i == itemIndex_) return;
  itemIndex_ = i;
  Rebuild();
  if (!Quiet()) Click();
}

bool TRadioGroup::CanFocus() const { return items_.Count() > 0 && TWinControl::CanFocus(); }

void TRadioGroup::UserChose(int index) {
  if (index == itemIndex_) return;
  itemIndex_ = index;
  FocusGoesToChosen();
  if (!Quiet()) Guarded(this, [this] { Click(); });
}

void TRadioGroup::ItemsChanged(int at, int delta) {
  if (at < 0) {
    itemIndex_ = -1;
  } else if (delta > 0 && itemIndex_ >= at) {
    ++itemIndex_;
  } else if (delta < 0) {
    if (itemIndex_ == at)
      itemIndex_ = -1;
    else if (itemIndex_ > at)
      --itemIndex_;
  }
  Rebuild();
}

void TRadioGroup::BoundsChanged() { Rebuild(); }

// The buttons are made afresh from the items; they fill the columns top to
// bottom, as the class library lays them out.
void TRadioGroup::Rebuild() {
  auto* w = WidgetAs<RadioGroupWidget>(this);
  if (!w) return;
  const bool hadFocus = w->isAncestorOf(QApplication::focusWidget());
  w->setFocusProxy(nullptr);
  auto* grid = static_cast<QGridLayout*>(w->layout());
  for (QAbstractButton* b : w->buttons->buttons()) {
    w->buttons->removeButton(b);
    delete b;
  }
  const int n = items_.Count();
  const int rows = (n + columns_ - 1) / columns_;
  for (int i = 0; i < n; ++i) {
    auto* b = new QRadioButton(Q(items_.Strings(i)), w);
    b->setChecked(i == itemIndex_);
    w->buttons->addButton(b, i);
    grid->addWidget(b, rows ? i % rows : 0, rows ? i / rows : 0);
    b->show();
  }
  FocusGoesToChosen();
  if (hadFocus && w->focusProxy()) w->focusProxy()->setFocus(Qt::OtherFocusReason);
}

// The group takes the focus into its chosen button, the first when none is
// chosen (arrow keys then move it among the buttons and choose).
void TRadioGroup::FocusGoesToChosen() {
  auto* w = WidgetAs<RadioGroupWidget>(this);
  if (!w) return;
  QAbstractButton* b = w->buttons->button(itemIndex_ >= 0 ? itemIndex_ : 0);
  w->setFocusProxy(b);
}
