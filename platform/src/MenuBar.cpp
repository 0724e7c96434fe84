#include "MenuBar.h"

#include <QActionEvent>
#include <QMenuBar>

namespace ui_detail {

namespace {

QMenuBar* NewRow(QWidget* parent) {
  auto* bar = new QMenuBar(parent);
  bar->setNativeMenuBar(false);
  bar->setFont(MenuFont());
  return bar;
}

}  // namespace

QFont MenuFont() {
  QFont f(QStringLiteral("DejaVu Sans Condensed"));
  f.setPixelSize(11);
  return f;
}

WrappingMenuBar::WrappingMenuBar(QWidget* parent, std::function<void()> rowsChanged)
    : QWidget(parent), rowsChanged_(std::move(rowsChanged)) {
  measure_ = NewRow(this);
  measure_->hide();
  rows_.emplace_back(NewRow(this));
}

std::vector<QList<QAction*>> WrappingMenuBar::Split(int width) {
  std::vector<QList<QAction*>> split(1);
  measure_->clear();
  bool anyShown = false;  // the current row holds an entry that takes room
  for (QAction* a : actions()) {
    measure_->addAction(a);
    if (a->isVisible() && anyShown && measure_->sizeHint().width() > width) {
      split.emplace_back();
      measure_->clear();
      measure_->addAction(a);
      anyShown = false;
    }
    split.back().append(a);
    anyShown = anyShown || a->isVisible();
  }
  measure_->clear();
  return split;
}

void WrappingMenuBar::Apply(const std::vector<QList<QAction*>>& split, int width) {
  while (rows_.size() > split.size()) {
    delete rows_.back().data();
    rows_.pop_back();
  }
  while (rows_.size() < split.size()) rows_.emplace_back(NewRow(this));
  for (std::size_t i = 0; i < split.size(); ++i) {
    QMenuBar* bar = rows_[i];
    if (bar->actions() != split[i]) {
      bar->clear();
      bar->addActions(split[i]);
    }
    bar->setGeometry(0, static_cast<int>(i) * kRowHeight, width, kRowHeight);
    bar->show();
  }
  resize(width, Rows() * kRowHeight);
}

int WrappingMenuBar::LayOut(int width) {
  if (width == width_ && !dirty_) return Rows();
  width_ = width;
  dirty_ = false;
  Apply(Split(width), width);
  return Rows();
}

void WrappingMenuBar::actionEvent(QActionEvent* e) {
  QWidget::actionEvent(e);
  dirty_ = true;
  if (width_ < 0) return;
  const int before = Rows();
  if (LayOut(width_) != before && rowsChanged_) rowsChanged_();
}

}  // namespace ui_detail
