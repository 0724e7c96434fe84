// List views: items, columns and the selection live here; a view of rows
// of one height (RowView.h) shows them in report style through a model of
// our own that reads the items' texts where they are. The mouse and keys
// are handled here, so that the selection events follow the class library:
// selection at the press, OnClick at the release, no OnClick for keyboard
// moves. The view draws the selection it is handed and never makes one of
// its own (a drag, a row removed under it): what is drawn selected is
// always the list's Selected().
//
// The model's rows are always the first rows of the list, in the same order.
// A row inserted among them goes in at once; rows added at the end join in
// batches at a human rate (ShownLater.h): a table walk adds one
// row per reply and lets the loop run after each. A batch costs the view its
// scroll bar and a repaint where the new rows are in sight: it keeps nothing
// per row, so the rows it had cost nothing.
#include <QAbstractTableModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <algorithm>
#include <vector>

#include "ListBatchLog.h"
#include "RowView.h"
#include "ShownLater.h"
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

AnsiString CellText(const TListItem* item, int cell) {
  if (cell == 0) return item->Caption();
  const TStrings* sub = item->SubItems();
  return cell - 1 < sub->Count() ? sub->Strings(cell - 1) : AnsiString();
}

// The list's first `shown` items as the view sees them; texts are read from
// the items when the view paints them.
class RowModel : public QAbstractTableModel {
 public:
  explicit RowModel(QObject* parent) : QAbstractTableModel(parent) {}

  const TListView* view = nullptr;
  int shown = 0;
  int columns = 1;
  QStringList captions;
  std::vector<Qt::Alignment> alignments;
  mutable long lookups = 0;  // rows' indexes and cells' data asked for (tests)

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override {
    ++lookups;
    if (parent.isValid() || row < 0 || row >= shown || column < 0 || column >= columns) return {};
    return createIndex(row, column);
  }
  int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : shown; }
  int columnCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : columns;
  }
  QVariant data(const QModelIndex& index, int role) const override {
    ++lookups;
    if (role != Qt::DisplayRole || !view || !index.isValid()) return {};
    const TListItems* items = view->Items();
    if (index.row() >= shown || index.row() >= items->Count()) return {};
    return Q(CellText(items->Item(index.row()), index.column()));
  }
  QVariant headerData(int section, Qt::Orientation o, int role) const override {
    if (o != Qt::Horizontal || section < 0) return {};
    if (role == Qt::DisplayRole && section < captions.size()) return captions[section];
    if (role == Qt::TextAlignmentRole && static_cast<std::size_t>(section) < alignments.size())
      return static_cast<int>(alignments[static_cast<std::size_t>(section)]);
    return {};
  }
  Qt::ItemFlags flags(const QModelIndex& index) const override {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
  }

  void InsertShown(int at) {
    beginInsertRows(QModelIndex(), at, at);
    ++shown;
    endInsertRows();
  }
  void RemoveShown(int at) {
    beginRemoveRows(QModelIndex(), at, at);
    --shown;
    endRemoveRows();
  }
  void Reset() {
    beginResetModel();
    shown = 0;
    endResetModel();
  }
  // Hands every waiting row to the view, in one insertion.
  void ShowAll() {
    const int count = view ? view->Items()->Count() : 0;
    if (count <= shown) return;
    beginInsertRows(QModelIndex(), shown, count - 1);
    shown = count;
    endInsertRows();
  }
  void SetColumns(int n) {
    if (n > columns) {
      beginInsertColumns(QModelIndex(), columns, n - 1);
      columns = n;
      endInsertColumns();
    } else if (n < columns) {
      beginRemoveColumns(QModelIndex(), n, columns - 1);
      columns = n;
      endRemoveColumns();
    }
  }
  void CellChanged(int row, int cell) {
    if (row < shown && cell < columns) emit dataChanged(index(row, cell), index(row, cell));
  }
  void RowChanged(int row) {
    if (row < shown) emit dataChanged(index(row, 0), index(row, columns - 1));
  }
  void AllCellsChanged() {
    if (shown > 0) emit dataChanged(index(0, 0), index(shown - 1, columns - 1));
  }
};

class ListWidget : public RowView {
 public:
  ListWidget() {
    rows = new RowModel(this);
    setModel(rows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    delegate = new GridDelegate(this);
    setItemDelegate(delegate);
    viewport()->installEventFilter(this);
    viewport()->setMouseTracking(true);
  }
  RowModel* rows;
  GridDelegate* delegate;
  // Rows added at the end join the view at most this often.
  ShownLater rowsLater{[this] { ShowWaitingRows(); }};

  // Hands the rows added at the end to the view, in one insertion: the view
  // sets its scroll bar and repaints where the new rows are in sight.
  void ShowWaitingRows() {
    if (!rows->view || rows->view->Items()->Count() <= rows->shown) return;
    QElapsedTimer spent;
    spent.start();
    if (TListBatchWatch::Log* log = Logging())
      log->Begin(rows->view->Items()->Count() - rows->shown);
    rows->ShowAll();
    if (TListBatchWatch::Log* log = Logging()) log->Spent(spent);
  }
  // A layout of the whole view (after a reset, say) counts to the batch
  // before it.
  void doItemsLayout() override {
    QElapsedTimer spent;
    spent.start();
    RowView::doItemsLayout();
    if (TListBatchWatch::Log* log = Logging()) log->Spent(spent);
  }

  bool doubleClicked = false;  // the left button's press was a double click's

  std::shared_ptr<TListBatchWatch::Log> batchLog;  // shared with the watches
  TListBatchWatch::Log* Logging() const {
    return batchLog && batchLog.use_count() > 1 ? batchLog.get() : nullptr;
  }

  int RowAt(const QPoint& p) const {
    const QModelIndex i = indexAt(p);
    return i.isValid() ? i.row() : -1;
  }

  // Draws the focus frame on the list's focused item, or on none.
  void ShowFocus(const TListView* view) {
    const TListItem* focused = view->ItemFocused();
    const int row = focused ? focused->Index() : -1;
    if (row >= 0 && row < rows->shown)
      selectionModel()->setCurrentIndex(rows->index(row, 0), QItemSelectionModel::NoUpdate);
    else
      selectionModel()->clearCurrentIndex();
  }

 protected:
  // The item view's own moves of its current row (a press, a drag, a row
  // removed under it) select nothing: the selection comes from the list.
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex&,
                                                       const QEvent*) const override {
    return QItemSelectionModel::NoUpdate;
  }
  bool eventFilter(QObject* o, QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  // The item view gives a list without a focused row its first row as its
  // current one when it takes the focus; the frame stays the list's own.
  void focusInEvent(QFocusEvent* e) override {
    RowView::focusInEvent(e);
    if (const TListView* view = dynamic_cast<TListView*>(ControlOf(this))) ShowFocus(view);
  }
};

TListView* ViewOf(const QObject* o) { return dynamic_cast<TListView*>(ControlOf(o)); }
ListWidget* LW(const TListView* v) { return WidgetAs<ListWidget>(v); }

bool ListWidget::eventFilter(QObject* o, QEvent* e) {
  if (o != viewport()) return RowView::eventFilter(o, e);
  TListView* view = ViewOf(this);
  if (!view) return false;
  switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
      // The second press of a double click selects as the first did; with
      // the left button it is the double click, and its release no click.
      SyncListRows(view);
      auto* me = static_cast<QMouseEvent*>(e);
      const bool left = me->button() == Qt::LeftButton;
      const int row = RowAt(me->position().toPoint());
      TListItem* item =
          row >= 0 && row < view->Items()->Count() ? view->Items()->Item(row) : nullptr;
      std::weak_ptr<void> alive = view->LifeToken();
      if (left || item) Guarded(view, [&] { view->SelectByUser(item); });
      if (alive.expired()) return true;
      doubleClicked = left && e->type() == QEvent::MouseButtonDblClick;
      if (doubleClicked && view->OnDblClick) Guarded(view, [view] { view->OnDblClick(view); });
      return true;
    }
    case QEvent::MouseButtonRelease: {
      auto* me = static_cast<QMouseEvent*>(e);
      if (me->button() != Qt::LeftButton) return true;
      if (doubleClicked) {
        doubleClicked = false;
        return true;
      }
      Guarded(view, [view] { view->Click(); });
      return true;
    }
    case QEvent::MouseMove: {
      // Moves with a button held would make the item view drag a selection
      // of its own: they reach the list's handler only.
      if (!view->OnMouseMove) return true;
      auto* me = static_cast<QMouseEvent*>(e);
      QPoint p =
          me->position().toPoint() + QPoint(frameWidth(), frameWidth() + view->HeaderHeight());
      TShiftState s = 0;
      if (me->modifiers() & Qt::ShiftModifier) s |= ssShift;
      if (me->buttons() & Qt::LeftButton) s |= ssLeft;
      Guarded(view, [&] { view->OnMouseMove(view, s, p.x(), p.y()); });
      return true;
    }
    default:
      return false;
  }
}

// The keyboard moves the selection (OnSelectItem, no OnClick); Space
// selects the current row (the focused one, else the first), which is how
// the only row of a list is chosen by keys when nothing is selected.
void ListWidget::keyPressEvent(QKeyEvent* e) {
  TListView* view = ViewOf(this);
  if (!view) return;
  int n = view->Items()->Count();
  int i = view->ItemIndex();
  int page = std::max(1, WholeRows() - 1);
  int target = i;
  switch (e->key()) {
    case Qt::Key_Space:
      if (i < 0) target = view->ItemFocused() ? view->ItemFocused()->Index() : 0;
      break;
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
  const QString caption = col < w->rows->captions.size() ? w->rows->captions[col] : QString();
  int best = 0;
  if (header) {
    best = fm.horizontalAdvance(caption);
  } else {
    QFontMetrics cm(w->font());
    const TListItems* items = view->Items();
    for (int r = 0; r < items->Count(); ++r)
      best = std::max(best, cm.horizontalAdvance(Q(CellText(items->Item(r), col))));
    best = std::max(best, fm.horizontalAdvance(caption));
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

void TListItem::SetTexts(std::span<const AnsiString> cells) {
  if (cells.empty()) return;
  TListView* view = ListView();
  bool changed = false;
  if (cells[0] != caption_ && view->AllowChange(this, ctText)) {
    caption_ = cells[0];
    changed = true;
  }
  const std::span<const AnsiString> more = cells.subspan(1);
  if (!more.empty()) {
    std::vector<std::pair<AnsiString, TObject*>>& sub = subItems_.items_;
    sub.reserve(sub.size() + more.size());
    for (const AnsiString& text : more) sub.emplace_back(text, nullptr);
    changed = true;
  }
  if (changed) view->RowTextsChanged(this);
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
  if (w && row >= 0 && row < w->rows->shown) w->scrollTo(w->rows->index(row, 0));
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

TListItem* TListItems::AddRow(std::span<const AnsiString> cells) {
  TListItem* item = Add();
  item->SetTexts(cells);
  return item;
}

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
  LW(this)->rows->view = this;
  SetTabStop(true);
  SetColor(clWindow);
  ColumnsChanged();
}

TListView::~TListView() {
  BeginDestroy();
  if (ListWidget* w = LW(this)) w->rows->view = nullptr;
}

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
    w->selectionModel()->setCurrentIndex(w->rows->index(row, 0), QItemSelectionModel::NoUpdate);
  else
    w->selectionModel()->clearCurrentIndex();
}

void TListView::SetSelected(TListItem* item) { ChangeSelection(item, false); }

void TListView::SelectByUser(TListItem* item) {
  const bool again = item && item == Selected();
  std::weak_ptr<void> alive = LifeToken();
  ChangeSelection(item, true);
  if (again && !alive.expired() && OnSelectedItemPressed && !Quiet() && item == Selected())
    OnSelectedItemPressed(this, item);
}

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
      QModelIndex idx = w->rows->index(row, 0);
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
  const int row = w->RowAt(p);
  return row >= 0 && row < items_.Count() ? items_.Item(row) : nullptr;
}

// A row among the view's rows goes in at once; a row added at the end waits
// for its batch (a repaint per row of a walk would cost more than the walk).
void TListView::ItemAdded(int at) {
  ListWidget* w = LW(this);
  if (at < w->rows->shown) {
    w->rows->InsertShown(at);
  } else {
    w->rowsLater.Changed();
  }
}

// The item view moves its current row to the next one when that row goes:
// the focus frame stays the list's own (none, when the focused item was the
// one removed). The selection goes with its item.
void TListView::ItemRemoved(int at) {
  ListWidget* w = LW(this);
  if (at >= w->rows->shown) return;
  const QModelIndex current = w->currentIndex();
  w->rows->RemoveShown(at);
  if (current.isValid() && current.row() == at) w->ShowFocus(this);
}

void TListView::ItemsCleared() { LW(this)->rows->Reset(); }

void TListView::CellChanged(TListItem* item, int cell) {
  int row = item->Index();
  if (row < 0) return;
  // A row still waiting shows its texts when it joins the view.
  LW(this)->rows->CellChanged(row, cell);
  Changed(item, ctText);
}

void TListView::RowTextsChanged(TListItem* item) {
  const int row = item->Index();
  if (row < 0) return;
  LW(this)->rows->RowChanged(row);
  Changed(item, ctText);
}

void TListView::ColumnsChanged() {
  ListWidget* w = LW(this);
  if (!w) return;
  int n = columns_.Count();
  RowModel* m = w->rows;
  m->SetColumns(std::max(1, n));
  m->captions.clear();
  for (int i = 0; i < n; ++i) m->captions << Q(columns_.Items(i)->Caption());
  m->alignments.assign(static_cast<std::size_t>(n), Qt::AlignLeft | Qt::AlignVCenter);
  w->SetHeaderShown(n > 0);
  for (int i = 0; i < n; ++i) {
    TListColumn* c = columns_.Items(i);
    int width = c->Width();
    if (width == -2 || width == -1) {
      width = FitWidth(this, i, width == -2);
      c->width_ = width;  // reads back the width given
    }
    w->header()->setSectionResizeMode(i,
                                      width == 0 ? QHeaderView::Fixed : QHeaderView::Interactive);
    w->header()->resizeSection(i, width);
    Qt::Alignment a = c->Alignment() == taRightJustify ? Qt::AlignRight
                      : c->Alignment() == taCenter     ? Qt::AlignHCenter
                                                       : Qt::AlignLeft;
    m->alignments[static_cast<std::size_t>(i)] = a | Qt::AlignVCenter;
  }
  emit m->headerDataChanged(Qt::Horizontal, 0, m->columns - 1);
  // Cells follow the new columns.
  m->AllCellsChanged();
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

std::shared_ptr<TListBatchWatch::Log> ListBatchLogOf(TListView* view) {
  ListWidget* w = LW(view);
  if (!w) return nullptr;
  if (!w->batchLog) w->batchLog = std::make_shared<TListBatchWatch::Log>();
  return w->batchLog;
}

long ListRowLookups(const QAbstractItemModel* model) {
  const auto* rows = dynamic_cast<const RowModel*>(model);
  return rows ? rows->lookups : 0;
}

void SyncListRows(TListView* view) {
  if (ListWidget* w = LW(view)) {
    w->rowsLater.ApplyNow();
    w->ShowWaitingRows();
  }
}

}  // namespace ui_detail
