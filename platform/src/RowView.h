// Private: a view of a table model's rows, all of one height, under a
// header of its columns (the widget behind list views in report style).
// Row r lies at r times the row height, so nothing is kept per row: rows
// added at the end cost the view its scroll bar's range, and a repaint only
// where they come into sight; painting reads the rows in sight and no
// others. The vertical scroll bar counts rows, the horizontal one pixels.
#pragma once

#include <QAbstractItemView>
#include <QEvent>

class QHeaderView;

namespace ui_detail {

// Sent to the vertical scroll bar of a RowView in place of a repaint when
// rows joined out of sight and left its picture as it was (its slider
// already at its shortest, say): the screen shows the new rows as it is.
QEvent::Type ScrollBarPictureStands();

class RowScrollBar;

class RowView : public QAbstractItemView {
 public:
  explicit RowView(QWidget* parent = nullptr);

  QHeaderView* header() const { return header_; }
  void setModel(QAbstractItemModel* model) override;
  // The header shown above the rows, or not.
  void SetHeaderShown(bool shown);
  // The height of every row.
  int RowHeight() const;
  // The first row in sight, and how many rows fit the viewport whole.
  int TopRow() const;
  int WholeRows() const;

  QModelIndex indexAt(const QPoint& point) const override;
  QRect visualRect(const QModelIndex& index) const override;
  // Brings the index's row into sight; the horizontal position stays.
  void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

 protected:
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
  int horizontalOffset() const override;
  int verticalOffset() const override;
  bool isIndexHidden(const QModelIndex& index) const override;
  void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;
  QRegion visualRegionForSelection(const QItemSelection& selection) const override;
  void updateGeometries() override;
  void scrollContentsBy(int dx, int dy) override;
  void rowsInserted(const QModelIndex& parent, int start, int end) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  static void SetBar(QScrollBar* bar, int maximum, int pageStep, int singleStep);
  int RowCount() const;
  // The rows' band from `first` to `last` in viewport coordinates (clipped
  // to the viewport).
  QRect RowsRect(int first, int last) const;
  void DrawRow(QPainter& painter, const QStyleOptionViewItem& base, int row, const QRect& area);
  // The row that wears the focus frame while the view has the focus: the
  // current row, or the first when none is current (-1: no rows).
  int FrameRow() const;
  // Lays out again after any change but rows added.
  void Relaid();

  QHeaderView* header_;
  RowScrollBar* bar_;
  mutable int rowHeight_ = 0;  // 0 until measured (again)
  bool laying_ = false;        // in updateGeometries
  bool layAgain_ = false;      // the viewport changed size meanwhile
};

}  // namespace ui_detail
