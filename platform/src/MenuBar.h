// Private: a form's menu bar. Entries that do not fit in one row wrap onto
// further rows, as the class library's menu bar does; the form takes the
// extra rows from its client area.
#pragma once

#include <QFont>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

class QMenuBar;

namespace ui_detail {

// The font of menu bars and pop-up menus: its metrics are close to the class
// library's default menu font, so the usual menu bar needs one row.
QFont MenuFont();

class WrappingMenuBar : public QWidget {
 public:
  static constexpr int kRowHeight = 20;

  // rowsChanged runs when a change of the entries changes the number of
  // rows at the width last laid out.
  WrappingMenuBar(QWidget* parent, std::function<void()> rowsChanged);

  // Lays the entries out for the width; the number of rows (at least one).
  int LayOut(int width);
  int Rows() const { return static_cast<int>(rows_.size()); }

 protected:
  void actionEvent(QActionEvent* e) override;

 private:
  // The entries of each row at the width: as many as fit, at least one.
  std::vector<QList<QAction*>> Split(int width);
  void Apply(const std::vector<QList<QAction*>>& split, int width);

  std::vector<QPointer<QMenuBar>> rows_;
  QPointer<QMenuBar> measure_;  // hidden: measures candidate rows
  int width_ = -1;
  bool dirty_ = true;  // the entries changed since the last layout
  std::function<void()> rowsChanged_;
};

}  // namespace ui_detail
