// RowView: rows of one height, drawn as a tree view draws a flat list with
// whole-row selection (the row's panel, then each cell through the
// delegate, and the focus frame across the row: the current one, or the
// first when none is current, as the class library's list view shows it).
#include "RowView.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyleOptionSlider>
#include <algorithm>
#include <optional>

namespace ui_detail {

QEvent::Type ScrollBarPictureStands() {
  static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
  return type;
}

// A scroll bar that repaints for a new range only when its picture changes:
// rows joining below the ones in sight would otherwise cost a repaint each
// batch, long after the slider has reached its shortest.
class RowScrollBar : public QScrollBar {
 public:
  using QScrollBar::QScrollBar;
  bool kept = false;  // a new range left the picture as it was

 protected:
  void sliderChange(SliderChange change) override {
    if (change == SliderRangeChange && isVisible() && shown_ && *shown_ == Now()) {
      kept = true;
      return;
    }
    QScrollBar::sliderChange(change);
  }
  void paintEvent(QPaintEvent* event) override {
    shown_ = Now();
    QScrollBar::paintEvent(event);
  }

 private:
  // What the picture depends on besides the widget's own state.
  struct Look {
    QRect slider;
    bool atMinimum, atMaximum, empty;
    bool operator==(const Look&) const = default;
  };
  Look Now() const {
    QStyleOptionSlider opt;
    initStyleOption(&opt);
    return {style()->subControlRect(QStyle::CC_ScrollBar, &opt, QStyle::SC_ScrollBarSlider, this),
            opt.sliderValue == opt.minimum, opt.sliderValue == opt.maximum,
            opt.minimum == opt.maximum};
  }
  std::optional<Look> shown_;  // at the last painting
};

RowView::RowView(QWidget* parent) : QAbstractItemView(parent) {
  // The item view's own links to its scroll bar go with the one replaced.
  bar_ = new RowScrollBar(Qt::Vertical, this);
  setVerticalScrollBar(bar_);
  connect(bar_, &QScrollBar::actionTriggered, this, &RowView::verticalScrollbarAction);
  connect(bar_, &QScrollBar::valueChanged, this, &RowView::verticalScrollbarValueChanged);
  header_ = new QHeaderView(Qt::Horizontal, this);
  header_->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  header_->setStretchLastSection(false);
  header_->setSectionsMovable(false);
  setVerticalScrollMode(ScrollPerItem);
  setHorizontalScrollMode(ScrollPerPixel);
  connect(header_, &QHeaderView::sectionResized, this, [this] { Relaid(); });
  connect(header_, &QHeaderView::sectionCountChanged, this, [this] { Relaid(); });
  connect(header_, &QHeaderView::geometriesChanged, this, [this] { updateGeometries(); });
  // A double click on a section's edge fits it to its caption and the rows
  // in sight.
  connect(header_, &QHeaderView::sectionHandleDoubleClicked, this, [this](int column) {
    int width = header_->sectionSizeHint(column);
    if (model()) {
      QStyleOptionViewItem opt;
      initViewItemOption(&opt);
      const int last = std::min(RowCount(), TopRow() + WholeRows() + 1) - 1;
      for (int row = TopRow(); row <= last; ++row) {
        const QModelIndex index = model()->index(row, column, rootIndex());
        width = std::max(width, itemDelegateForIndex(index)->sizeHint(opt, index).width());
      }
    }
    header_->resizeSection(column, width);
  });
}

void RowView::setModel(QAbstractItemModel* model) {
  QAbstractItemView::setModel(model);
  header_->setModel(model);
  if (model) connect(model, &QAbstractItemModel::rowsRemoved, this, [this] { Relaid(); });
}

void RowView::SetHeaderShown(bool shown) {
  if (header_->isHidden() != shown) return;
  header_->setVisible(shown);
  Relaid();
}

int RowView::RowHeight() const {
  if (rowHeight_ <= 0) {
    // What the delegate gives a cell of one line of text.
    QStyleOptionViewItem opt;
    initViewItemOption(&opt);
    opt.features |= QStyleOptionViewItem::HasDisplay;
    opt.text = QStringLiteral("Xg");
    rowHeight_ = std::max(
        1, style()->sizeFromContents(QStyle::CT_ItemViewItem, &opt, QSize(), this).height());
  }
  return rowHeight_;
}

int RowView::RowCount() const { return model() ? model()->rowCount(rootIndex()) : 0; }

int RowView::TopRow() const { return verticalScrollBar()->value(); }

int RowView::WholeRows() const { return std::max(1, viewport()->height() / RowHeight()); }

QRect RowView::RowsRect(int first, int last) const {
  // Rows far out of sight are left out before they are measured.
  const int top = TopRow();
  first = std::max(first, top - 1);
  last = std::min(last, top + WholeRows() + 1);
  if (first > last) return {};
  const int h = RowHeight();
  return QRect(0, (first - top) * h, viewport()->width(), (last - first + 1) * h);
}

QModelIndex RowView::indexAt(const QPoint& point) const {
  if (!model() || point.y() < 0) return {};
  const int row = TopRow() + point.y() / RowHeight();
  if (row >= RowCount()) return {};
  const int column = header_->logicalIndexAt(point.x());
  if (column < 0) return {};
  return model()->index(row, column, rootIndex());
}

QRect RowView::visualRect(const QModelIndex& index) const {
  if (!index.isValid() || index.row() >= RowCount() || header_->isSectionHidden(index.column()))
    return {};
  const int h = RowHeight();
  return QRect(header_->sectionViewportPosition(index.column()), (index.row() - TopRow()) * h,
               header_->sectionSize(index.column()), h);
}

void RowView::scrollTo(const QModelIndex& index, ScrollHint hint) {
  if (!index.isValid() || index.row() >= RowCount()) return;
  const int row = index.row();
  const int whole = WholeRows();
  QScrollBar* v = verticalScrollBar();
  switch (hint) {
    case PositionAtTop:
      v->setValue(row);
      break;
    case PositionAtBottom:
      v->setValue(row - whole + 1);
      break;
    case PositionAtCenter:
      v->setValue(row - whole / 2);
      break;
    case EnsureVisible:
      if (row < TopRow())
        v->setValue(row);
      else if (row >= TopRow() + whole)
        v->setValue(row - whole + 1);
      break;
  }
  // Rows are chosen whole: the columns in sight stay where the user put them.
}

QModelIndex RowView::moveCursor(CursorAction action, Qt::KeyboardModifiers) {
  const int count = RowCount();
  if (count == 0) return {};
  const QModelIndex current = currentIndex();
  int row = current.isValid() ? current.row() : -1;
  switch (action) {
    case MoveUp:
    case MovePrevious:
      row = current.isValid() ? row - 1 : 0;
      break;
    case MoveDown:
    case MoveNext:
      ++row;
      break;
    case MoveHome:
      row = 0;
      break;
    case MoveEnd:
      row = count - 1;
      break;
    case MovePageUp:
      row -= WholeRows();
      break;
    case MovePageDown:
      row += WholeRows();
      break;
    case MoveLeft:
    case MoveRight:
      break;
  }
  return model()->index(std::clamp(row, 0, count - 1), 0, rootIndex());
}

int RowView::horizontalOffset() const { return horizontalScrollBar()->value(); }

int RowView::verticalOffset() const { return TopRow() * RowHeight(); }

bool RowView::isIndexHidden(const QModelIndex&) const { return false; }

void RowView::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) {
  if (!model() || !selectionModel()) return;
  const QRect r = rect.normalized();
  const int h = RowHeight();
  const int first = TopRow() + std::max(0, r.top()) / h;
  const int last = std::min(RowCount() - 1, TopRow() + std::max(0, r.bottom()) / h);
  const int columns = model()->columnCount(rootIndex());
  QItemSelection selection;
  if (first <= last && columns > 0)
    selection.select(model()->index(first, 0, rootIndex()),
                     model()->index(last, columns - 1, rootIndex()));
  selectionModel()->select(selection, command);
}

QRegion RowView::visualRegionForSelection(const QItemSelection& selection) const {
  QRegion region;
  for (const QItemSelectionRange& range : selection)
    if (range.isValid()) region += RowsRect(range.top(), range.bottom());
  return region;
}

// Rows joining out of sight leave both bars as they are on the screen: a
// new range makes the scroll area lay out its bars again, which repaints
// both. A range that grows from one that was not empty keeps the bar shown
// and its value where it was, so the area is not told.
void RowView::SetBar(QScrollBar* bar, int maximum, int pageStep, int singleStep) {
  const bool grows = bar->minimum() == 0 && bar->maximum() > 0 && maximum > bar->maximum();
  {
    const QSignalBlocker quiet(grows ? bar : nullptr);
    bar->setRange(0, maximum);
  }
  bar->setPageStep(pageStep);
  bar->setSingleStep(singleStep);
}

void RowView::updateGeometries() {
  if (laying_) {
    layAgain_ = true;  // the scroll bars came or went: once more with the new viewport
    return;
  }
  laying_ = true;
  for (int pass = 0; pass < 3; ++pass) {
    layAgain_ = false;
    const int hh = header_->isHidden()
                       ? 0
                       : std::clamp(header_->sizeHint().height(), header_->minimumHeight(),
                                    std::max(header_->minimumHeight(), header_->maximumHeight()));
    if (viewportMargins() != QMargins(0, hh, 0, 0)) setViewportMargins(0, hh, 0, 0);
    const QRect vg = viewport()->geometry();
    header_->setGeometry(vg.left(), vg.top() - hh, vg.width(), hh);
    const int whole = WholeRows();
    SetBar(verticalScrollBar(), std::max(0, RowCount() - whole), whole, 1);
    const int seen = viewport()->width();
    SetBar(horizontalScrollBar(), std::max(0, header_->length() - seen), seen,
           std::max(2, seen / (header_->count() + 1)));
    if (!layAgain_) break;
  }
  laying_ = false;
  QAbstractItemView::updateGeometries();
}

void RowView::scrollContentsBy(int dx, int dy) {
  if (dx) header_->setOffset(horizontalScrollBar()->value());
  const int pixels = dy * RowHeight();
  scrollDirtyRegion(dx, pixels);
  viewport()->scroll(dx, pixels);
}

void RowView::rowsInserted(const QModelIndex& parent, int start, int end) {
  QAbstractItemView::rowsInserted(parent, start, end);
  if (parent != rootIndex()) return;
  bar_->kept = false;
  updateGeometries();
  // The new rows and those they push down, where they are in sight.
  const QRect moved = RowsRect(start, RowCount() - 1);
  if (!moved.isEmpty()) {
    viewport()->update(moved);
  } else if (bar_->kept) {
    // Nothing on the screen changes: it shows the new rows as it is.
    QEvent stands(ScrollBarPictureStands());
    QCoreApplication::sendEvent(bar_, &stands);
  }
}

void RowView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QAbstractItemView::currentChanged(current, previous);
  // The focus frame goes across the row; without a current row it is on the
  // first.
  const int from = previous.isValid() ? previous.row() : 0;
  const int to = current.isValid() ? current.row() : 0;
  viewport()->update(RowsRect(from, from));
  viewport()->update(RowsRect(to, to));
}

int RowView::FrameRow() const {
  const QModelIndex current = currentIndex();
  if (current.isValid()) return current.row();
  return RowCount() > 0 ? 0 : -1;
}

void RowView::Relaid() {
  updateGeometries();
  viewport()->update();
}

void RowView::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
    rowHeight_ = 0;
    Relaid();
  }
  QAbstractItemView::changeEvent(event);
}

void RowView::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  const int count = RowCount();
  if (count == 0) return;
  const QRect area = event->rect();
  const int h = RowHeight();
  const int first = TopRow() + std::max(0, area.top()) / h;
  const int last = std::min(count - 1, TopRow() + std::max(0, area.bottom()) / h);
  QStyleOptionViewItem base;
  initViewItemOption(&base);
  base.showDecorationSelected = true;  // rows are selected whole
  for (int row = first; row <= last; ++row) DrawRow(painter, base, row, area);
}

void RowView::DrawRow(QPainter& painter, const QStyleOptionViewItem& base, int row,
                      const QRect& area) {
  const int h = RowHeight();
  const int y = (row - TopRow()) * h;
  const int sections = header_->count();
  int firstShown = -1, lastShown = -1;
  for (int visual = 0; visual < sections; ++visual) {
    if (header_->isSectionHidden(header_->logicalIndex(visual))) continue;
    if (firstShown < 0) firstShown = visual;
    lastShown = visual;
  }
  for (int visual = firstShown; visual >= 0 && visual <= lastShown; ++visual) {
    const int column = header_->logicalIndex(visual);
    if (header_->isSectionHidden(column)) continue;
    const QRect cell(header_->sectionViewportPosition(column), y, header_->sectionSize(column), h);
    if (!cell.intersects(area)) continue;
    const QModelIndex index = model()->index(row, column, rootIndex());
    if (!index.isValid()) continue;
    QStyleOptionViewItem opt = base;
    opt.rect = cell;
    opt.viewItemPosition = firstShown == lastShown ? QStyleOptionViewItem::OnlyOne
                           : visual == firstShown  ? QStyleOptionViewItem::Beginning
                           : visual == lastShown   ? QStyleOptionViewItem::End
                                                   : QStyleOptionViewItem::Middle;
    if (selectionModel()->isSelected(index)) opt.state |= QStyle::State_Selected;
    if (opt.state & QStyle::State_Enabled) {
      QPalette::ColorGroup group = QPalette::Inactive;
      if (!(model()->flags(index) & Qt::ItemIsEnabled)) {
        opt.state &= ~QStyle::State_Enabled;
        group = QPalette::Disabled;
      } else if (opt.state & QStyle::State_Active) {
        group = QPalette::Active;
      }
      opt.palette.setCurrentColorGroup(group);
    }
    // The row's panel under the cell; the delegate draws the selection.
    QStyleOptionViewItem panel = opt;
    panel.state &= ~QStyle::State_Selected;
    style()->drawPrimitive(QStyle::PE_PanelItemViewRow, &panel, &painter, this);
    itemDelegateForIndex(index)->paint(&painter, opt, index);
  }
  if (hasFocus() && row == FrameRow()) {
    QStyleOptionFocusRect o;
    o.QStyleOption::operator=(base);
    o.state |= QStyle::State_KeyboardFocusChange;
    const QPalette::ColorGroup group =
        base.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    const bool selected = selectionModel()->isSelected(model()->index(row, 0, rootIndex()));
    o.backgroundColor =
        base.palette.color(group, selected ? QPalette::Highlight : QPalette::Window);
    o.rect = QRect(-header_->offset(), y, header_->length(), h);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &o, &painter);
  }
}

}  // namespace ui_detail
