// List views: items, columns and the selection live here; a tree widget in
// report style shows them. The mouse and keys are handled here, so that the
// selection events follow the class library: selection at the press, OnClick
// at the release, no OnClick for keyboard moves.
//
// The widget lays out all its rows whenever rows are added, so rows added at
// the end of a long list reach it in batches (see TListView::ItemAdded); the
// widget's rows are always the first rows of the list, in the same order.
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>
#include <vector>

#include "Toolkit.h"
#include "platform/ComCtrls.h"
#include "platform/Exceptions.h"

using namespace ui_detail;

namespace {

class GridDelegate : public QStyledItemDelegate {
 public:
  explicit GridDelegate(QObject* parent) : QStyledItemDelegate(parent) {}
  bool grid = false;
  void paint(QPainter* p, const QStyleOptionViewItem& o, const QModelIndex& i) const override {
    QStyledItemDelegate::paint(p, o, i);
    if (!grid) return;
    p->save();
    p->setPen(QColor(0xD0, 0xD0, 0xD0));
    p->drawLine(o.rect.bottomLeft(), o.rect.bottomRight());
    p->drawLine(o.rect.topRight(), o.rect.bottomRight());
    p->restore();
  }
};

class ListWidget;

// Widgets with rows still to be handed over.
std::vector<ListWidget*>& Unsynced() {
  static auto* v = new std::vector<ListWidget*>();
  return *v;
}

// Rows added at the end reach the widget this long after the first of them
// was added, a little later in a long list: each batch costs a layout of
// every row and a repaint, so batches come less often as the list grows.
int BatchDelayMs(int rows) { return 40 + rows / 100; }

class ListWidget : public QTreeWidget {
 public:
  ListWidget() {
    syncTimer.setSingleShot(true);
    QObject::connect(&syncTimer, &QTimer::timeout, [this] {
      if (auto* v = dynamic_cast<TListView*>(ControlOf(this))) SyncListRows(v);
    });
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setItemsExpandable(false);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    delegate = new GridDelegate(this);
    setItemDelegate(delegate);
    setColumnCount(0);
    setHeaderLabels({});
    viewport()->installEventFilter(this);
    viewport()->setMouseTracking(true);
  }
  ~ListWidget() override { Forget(); }
  GridDelegate* delegate;
  QTimer syncTimer;

  void ScheduleSync() {
    if (syncTimer.isActive()) return;
    syncTimer.start(BatchDelayMs(topLevelItemCount()));
    Unsynced().push_back(this);
  }
  void Forget() {
    syncTimer.stop();
    auto& v = Unsynced();
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
  }

 protected:
  bool eventFilter(QObject* o, QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
};

TListView* ViewOf(const QObject* o) { return dynamic_cast<TListView*>(ControlOf(o)); }
ListWidget* LW(const TListView* v) { return WidgetAs<ListWidget>(v); }

bool ListWidget::eventFilter(QObject* o, QEvent* e) {
  if (o != viewport()) return QTreeWidget::eventFilter(o, e);
  TListView* view = ViewOf(this);
  if (!view) return false;
  switch (e->type()) {
    case QEvent::MouseButtonPress: {
      SyncListRows(view);
      auto* me = static_cast<QMouseEvent*>(e);
      QTreeWidgetItem* it = itemAt(me->position().toPoint());
      int row = it ? indexOfTopLevelItem(it) : -1;
      TListItem* item =
          row >= 0 && row < view->Items()->Count() ? view->Items()->Item(row) : nullptr;
      if (me->button() == Qt::LeftButton || item) Guarded(view, [&] { view->SelectByUser(item); });
      return true;
    }
    case QEvent::MouseButtonRelease: {
      auto* me = static_cast<QMouseEvent*>(e);
      if (me->button() == Qt::LeftButton) Guarded(view, [view] { view->Click(); });
      return true;
    }
    case QEvent::MouseButtonDblClick:
      if (view->OnDblClick) Guarded(view, [view] { view->OnDblClick(view); });
      return true;
    case QEvent::MouseMove: {
      if (!view->OnMouseMove) return false;
      auto* me = static_cast<QMouseEvent*>(e);
      QPoint p =
          me->position().toPoint() + QPoint(frameWidth(), frameWidth() + view->HeaderHeight());
      TShiftState s = 0;
      if (me->modifiers() & Qt::ShiftModifier) s |= ssShift;
      if (me->buttons() & Qt::LeftButton) s |= ssLeft;
      Guarded(view, [&] { view->OnMouseMove(view, s, p.x(), p.y()); });
      return false;
    }
    default:
      return false;
  }
}

// The keyboard moves the selection (OnSelectItem, no OnClick).
void ListWidget::keyPressEvent(QKeyEvent* e) {
  TListView* view = ViewOf(this);
  if (!view) return;
  int n = view->Items()->Count();
  int i = view->ItemIndex();
  int page = std::max(1, viewport()->height() / std::max(1, sizeHintForRow(0)) - 1);
  int target = i;
  switch (e->key()) {
    case Qt::Key_Up:
      target = i < 0 ? 0 : i - 1;
      break;
    case Qt::Key_Down:
      target = i + 1;
      break;
    case Qt::Key_Home:
      target = 0;
      break;
    case Qt::Key_End:
      target = n - 1;
      break;
    case Qt::Key_PageUp:
      target = i - page;
      break;
    case Qt::Key_PageDown:
      target = i + page;
      break;
    default:
      e->ignore();
      return;
  }
  if (n == 0) return;
  target = std::clamp(target, 0, n - 1);
  if (target != i) Guarded(view, [&] { view->SelectByUser(view->Items()->Item(target)); });
}

int FitWidth(const TListView* view, int col, bool header) {
  ListWidget* w = LW(view);
  QFontMetrics fm(w->header()->font());
  int best = 0;
  if (header) {
    best = fm.horizontalAdvance(w->headerItem()->text(col));
  } else {
    QFontMetrics cm(w->font());
    for (int r = 0; r < w->topLevelItemCount(); ++r)
      best = std::max(best, cm.horizontalAdvance(w->topLevelItem(r)->text(col)));
    best = std::max(best, fm.horizontalAdvance(w->headerItem()->text(col)));
  }
  return best + 14;
}

}  // namespace

// ---- TSubItems

void TSubItems::Check(int i) const {
  if (i < 0 || i >= Count()) IndexError(i);
}
AnsiString TSubItems::Strings(int i) const {
  Check(i);
  return items_[static_cast<std::size_t>(i)].first;
}
void TSubItems::SetStrings(int i, const AnsiString& s) {
  Check(i);
  items_[static_cast<std::size_t>(i)].first = s;
  item_->TextChanged(i + 1);
}
TObject* TSubItems::Objects(int i) const {
  Check(i);
  return items_[static_cast<std::size_t>(i)].second;
}
void TSubItems::SetObjects(int i, TObject* obj) {
  Check(i);
  items_[static_cast<std::size_t>(i)].second = obj;
}
void TSubItems::InsertObject(int i, const AnsiString& s, TObject* obj) {
  if (i < 0 || i > Count()) IndexError(i);
  items_.insert(items_.begin() + i, {s, obj});
  for (int k = i; k < Count(); ++k) item_->TextChanged(k + 1);
}
void TSubItems::Delete(int i) {
  Check(i);
  items_.erase(items_.begin() + i);
  for (int k = i; k <= Count(); ++k) item_->TextChanged(k + 1);
}
void TSubItems::Clear() {
  int n = Count();
  items_.clear();
  for (int k = 0; k < n; ++k) item_->TextChanged(k + 1);
}

// ---- TListItem

TListItem::TListItem(TListItems* owner) : owner_(owner) {}
TListItem::~TListItem() = default;

TListView* TListItem::ListView() const { return owner_->Owner(); }
int TListItem::Index() const { return owner_->IndexOf(this); }

void TListItem::SetCaption(const AnsiString& v) {
  if (v == caption_) return;
  if (!ListView()->AllowChange(this, ctText)) return;
  caption_ = v;
  TextChanged(0);
}

void TListItem::TextChanged(int cell) {
  TListView* v = ListView();
  int row = Index();
  if (row < 0) return;  // still being built
  v->CellChanged(this, cell);
}

void TListItem::SetSelected(bool v) {
  TListView* view = ListView();
  if (v)
    view->SetSelected(this);
  else if (selected_)
    view->SetSelected(nullptr);
}

void TListItem::SetFocused(bool v) {
  if (v)
    ListView()->SetItemFocused(this);
  else if (focused_)
    ListView()->SetItemFocused(nullptr);
}

void TListItem::MakeVisible(bool) {
  SyncListRows(ListView());
  ListWidget* w = LW(ListView());
  int row = Index();
  if (w && row >= 0 && row < w->topLevelItemCount()) w->scrollToItem(w->topLevelItem(row));
}

void TListItem::Delete() { owner_->Delete(Index()); }

// ---- TListItems

TListItems::~TListItems() = default;

TListItem* TListItems::Item(int i) const {
  if (i < 0 || i >= Count())
    throw EListError(AnsiString::Format("List index out of bounds (%d)", i));
  return items_[static_cast<std::size_t>(i)].get();
}

// From the end: the row asked for most is the one just added, once per cell
// written.
int TListItems::IndexOf(const TListItem* item) const {
  for (std::size_t i = items_.size(); i-- > 0;)
    if (items_[i].get() == item) return static_cast<int>(i);
  return -1;
}

TListItem* TListItems::Add() { return Insert(Count()); }

TListItem* TListItems::Insert(int i) {
  if (i < 0 || i > Count())
    throw EListError(AnsiString::Format("List index out of bounds (%d)", i));
  items_.insert(items_.begin() + i, std::make_unique<TListItem>(this));
  view_->ItemAdded(i);
  return items_[static_cast<std::size_t>(i)].get();
}

void TListItems::Clear() {
  items_.clear();
  view_->ItemsCleared();
}

void TListItems::Delete(int i) {
  if (i < 0 || i >= Count())
    throw EListError(AnsiString::Format("List index out of bounds (%d)", i));
  std::unique_ptr<TListItem> gone = std::move(items_[static_cast<std::size_t>(i)]);
  items_.erase(items_.begin() + i);
  view_->ItemRemoved(i);
}

// ---- TListColumn(s)

void TListColumn::SetCaption(const AnsiString& v) {
  caption_ = v;
  owner_->Owner()->ColumnsChanged();
}

void TListColumn::SetWidth(int w) {
  width_ = w;
  owner_->Owner()->ColumnsChanged();
}

void TListColumn::SetAlignment(TAlignment a) {
  alignment_ = a;
  owner_->Owner()->ColumnsChanged();
}

int TListColumn::Index() const { return owner_->IndexOf(this); }

TListColumns::~TListColumns() = default;

TListColumn* TListColumns::Items(int i) const {
  if (i < 0 || i >= Count())
    throw EListError(AnsiString::Format("List index out of bounds (%d)", i));
  return columns_[static_cast<std::size_t>(i)].get();
}

TListColumn* TListColumns::Add() {
  columns_.push_back(std::make_unique<TListColumn>(this));
  view_->ColumnsChanged();
  return columns_.back().get();
}

void TListColumns::Clear() {
  columns_.clear();
  view_->ColumnsChanged();
}

void TListColumns::Delete(int i) {
  Items(i);
  columns_.erase(columns_.begin() + i);
  view_->ColumnsChanged();
}

int TListColumns::IndexOf(const TListColumn* c) const {
  for (std::size_t i = 0; i < columns_.size(); ++i)
    if (columns_[i].get() == c) return static_cast<int>(i);
  return -1;
}

// ---- TListView

TListView::TListView(TComponent* AOwner)
    : TWinControl(AOwner, new Peer(new ListWidget()), 250, 150) {
  SetTabStop(true);
  SetColor(clWindow);
  ColumnsChanged();
}

TListView::~TListView() { BeginDestroy(); }

int TListView::HeaderHeight() const {
  ListWidget* w = LW(this);
  if (!w || w->header()->isHidden()) return 0;
  int h = w->header()->height();
  return h > 0 && w->isVisible() ? h : w->header()->sizeHint().height();
}

TListItem* TListView::Selected() const {
  for (int i = 0; i < items_.Count(); ++i)
    if (items_.Item(i)->selected_) return items_.Item(i);
  return nullptr;
}

int TListView::ItemIndex() const {
  TListItem* s = Selected();
  return s ? s->Index() : -1;
}

void TListView::SetItemIndex(int i) {
  SetSelected(i >= 0 && i < items_.Count() ? items_.Item(i) : nullptr);
}

TListItem* TListView::ItemFocused() const {
  for (int i = 0; i < items_.Count(); ++i)
    if (items_.Item(i)->focused_) return items_.Item(i);
  return nullptr;
}

void TListView::SetItemFocused(TListItem* item) {
  for (int i = 0; i < items_.Count(); ++i) items_.Item(i)->focused_ = false;
  if (item) item->focused_ = true;
  SyncListRows(this);
  ListWidget* w = LW(this);
  int row = item ? item->Index() : -1;
  if (row >= 0)
    w->selectionModel()->setCurrentIndex(w->model()->index(row, 0), QItemSelectionModel::NoUpdate);
}

void TListView::SetSelected(TListItem* item) { ChangeSelection(item, false); }

void TListView::SelectByUser(TListItem* item) { ChangeSelection(item, true); }

bool TListView::AllowChange(TListItem* item, TItemChange c) {
  if (!OnChanging || Quiet()) return true;
  bool allow = true;
  OnChanging(this, item, c, allow);
  return allow;
}

void TListView::Changed(TListItem* item, TItemChange c) {
  if (OnChange && !Quiet()) OnChange(this, item, c);
}

// The item losing the selection hears first, then the one gaining it; each
// gets OnChange (ctState) and then OnSelectItem.
void TListView::ChangeSelection(TListItem* item, bool byUser) {
  TListItem* old = Selected();
  std::weak_ptr<void> alive = LifeToken();
  SyncListRows(this);
  ListWidget* w = LW(this);
  if (item != old) {
    if (old) {
      if (!AllowChange(old, ctState)) return;
      old->selected_ = false;
      w->selectionModel()->clearSelection();
      Changed(old, ctState);
      if (alive.expired()) return;
      if (OnSelectItem && !Quiet() && items_.IndexOf(old) >= 0) OnSelectItem(this, old, false);
      if (alive.expired()) return;
    }
    if (item && items_.IndexOf(item) >= 0) {
      if (!AllowChange(item, ctState)) return;
      item->selected_ = true;
      int row = item->Index();
      QModelIndex idx = w->model()->index(row, 0);
      w->selectionModel()->select(idx,
                                  QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
      Changed(item, ctState);
      if (alive.expired()) return;
      if (OnSelectItem && !Quiet() && items_.IndexOf(item) >= 0) OnSelectItem(this, item, true);
      if (alive.expired()) return;
    }
  }
  if (byUser && item && items_.IndexOf(item) >= 0) {
    SetItemFocused(item);
    item->MakeVisible(false);
  }
}

TListItem* TListView::GetItemAt(int X, int Y) const {
  SyncListRows(const_cast<TListView*>(this));
  ListWidget* w = LW(this);
  QPoint p(X - w->frameWidth(), Y - w->frameWidth() - HeaderHeight());
  QTreeWidgetItem* it = w->itemAt(p);
  int row = it ? w->indexOfTopLevelItem(it) : -1;
  return row >= 0 && row < items_.Count() ? items_.Item(row) : nullptr;
}

namespace {

AnsiString CellText(const TListItem* item, int cell) {
  if (cell == 0) return item->Caption();
  const TStrings* sub = item->SubItems();
  return cell - 1 < sub->Count() ? sub->Strings(cell - 1) : AnsiString();
}

}  // namespace

// A row inside the widget's rows goes in at once; a row added at the end
// waits for its batch. A table walk adds one row per reply and lets the loop
// run after each: the widget's layout of every row and its repaint on each
// addition would cost more than the walk, and grow with the list.
void TListView::ItemAdded(int at) {
  ListWidget* w = LW(this);
  if (at < w->topLevelItemCount())
    w->insertTopLevelItem(at, new QTreeWidgetItem());
  else
    w->ScheduleSync();
}

void TListView::ItemRemoved(int at) {
  ListWidget* w = LW(this);
  if (at < w->topLevelItemCount()) delete w->takeTopLevelItem(at);
}

void TListView::ItemsCleared() {
  ListWidget* w = LW(this);
  w->Forget();
  w->clear();
}

void TListView::CellChanged(TListItem* item, int cell) {
  ListWidget* w = LW(this);
  int row = item->Index();
  if (row < 0) return;
  // A row still waiting takes its texts when it joins the widget.
  if (row < w->topLevelItemCount() && cell < w->columnCount())
    w->topLevelItem(row)->setText(cell, Q(CellText(item, cell)));
  Changed(item, ctText);
}

void TListView::ColumnsChanged() {
  ListWidget* w = LW(this);
  if (!w) return;
  SyncListRows(this);  // a width fitted to the cells reads every row
  int n = columns_.Count();
  w->setColumnCount(std::max(1, n));
  QStringList labels;
  for (int i = 0; i < n; ++i) labels << Q(columns_.Items(i)->Caption());
  w->setHeaderLabels(labels);
  w->header()->setVisible(n > 0);
  for (int i = 0; i < n; ++i) {
    TListColumn* c = columns_.Items(i);
    int width = c->Width();
    if (width == -2 || width == -1) {
      width = FitWidth(this, i, width == -2);
      c->width_ = width;  // reads back the width given
    }
    w->header()->setSectionResizeMode(i,
                                      width == 0 ? QHeaderView::Fixed : QHeaderView::Interactive);
    w->setColumnWidth(i, width);
    Qt::Alignment a = c->Alignment() == taRightJustify ? Qt::AlignRight
                      : c->Alignment() == taCenter     ? Qt::AlignHCenter
                                                       : Qt::AlignLeft;
    w->headerItem()->setTextAlignment(i, a | Qt::AlignVCenter);
  }
  // Cells follow the new columns.
  for (int r = 0; r < items_.Count() && r < w->topLevelItemCount(); ++r) {
    TListItem* item = items_.Item(r);
    QTreeWidgetItem* it = w->topLevelItem(r);
    for (int k = 0; k < n; ++k) it->setText(k, Q(CellText(item, k)));
  }
}

void TListView::SetRowSelect(bool v) { rowSelect_ = v; }

void TListView::SetHideSelection(bool v) {
  hideSelection_ = v;
  ListWidget* w = LW(this);
  QPalette pal = w->palette();
  if (!v) {
    pal.setColor(QPalette::Inactive, QPalette::Highlight,
                 pal.color(QPalette::Active, QPalette::Highlight));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText,
                 pal.color(QPalette::Active, QPalette::HighlightedText));
  }
  w->setPalette(pal);
}

void TListView::SetGridLines(bool v) {
  gridLines_ = v;
  LW(this)->delegate->grid = v;
  LW(this)->viewport()->update();
}

void TListView::FontChanged() {
  TControl::FontChanged();
  ColumnsChanged();
}

namespace ui_detail {

void SyncListRows(TListView* view) {
  ListWidget* w = LW(view);
  if (!w) return;
  w->Forget();
  const TListItems* items = view->Items();
  const int shown = w->topLevelItemCount();
  if (shown >= items->Count()) return;
  const int columns = w->columnCount();
  QList<QTreeWidgetItem*> rows;
  rows.reserve(items->Count() - shown);
  for (int r = shown; r < items->Count(); ++r) {
    auto* it = new QTreeWidgetItem();
    for (int k = 0; k < columns; ++k) it->setText(k, Q(CellText(items->Item(r), k)));
    rows.append(it);
  }
  w->insertTopLevelItems(shown, rows);
}

void SyncListViews() {
  std::vector<ListWidget*> waiting = Unsynced();
  for (ListWidget* w : waiting)
    if (auto* v = dynamic_cast<TListView*>(ControlOf(w))) SyncListRows(v);
}

}  // namespace ui_detail
