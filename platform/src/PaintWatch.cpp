// TPaintWatch: an event filter that notes the widget's state as each paint
// event reaches it (a list paints in its viewport and its scroll bar; its
// scroll bar also tells when rows joined without changing its picture).
#include "platform/PaintWatch.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QScrollBar>

#include "RowView.h"
#include "Toolkit.h"

using namespace ui_detail;

struct TPaintWatch::Filter : QObject {
  explicit Filter(TPaintWatch& w) : watch(w) {}
  TPaintWatch& watch;
  QPointer<QWidget> widget;
  int paints = 0;
  QString text;
  int rows = -1;

  bool eventFilter(QObject*, QEvent* e) override {
    const bool stands = e->type() == ScrollBarPictureStands();
    if ((e->type() != QEvent::Paint && !stands) || !widget) return false;
    if (!stands) ++paints;
    if (auto* view = qobject_cast<QAbstractItemView*>(widget.data())) {
      rows = view->model() ? view->model()->rowCount() : 0;
    } else if (auto* label = qobject_cast<QLabel*>(widget.data())) {
      text = label->text();
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget.data())) {
      text = edit->text();
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget.data())) {
      text = button->text();
    }
    if (watch.OnPainted) watch.OnPainted();
    return false;
  }
};

TPaintWatch::TPaintWatch(TControl* control) : filter_(std::make_unique<Filter>(*this)) {
  QWidget* w = W(control);
  if (!w) return;
  filter_->widget = w;
  if (auto* view = qobject_cast<QAbstractItemView*>(w)) {
    // Rows that join below the visible ones show in the scroll bar only.
    view->viewport()->installEventFilter(filter_.get());
    view->verticalScrollBar()->installEventFilter(filter_.get());
  } else {
    w->installEventFilter(filter_.get());
  }
}

TPaintWatch::~TPaintWatch() = default;  // a filter object leaves its widget as it goes

int TPaintWatch::Paints() const { return filter_->paints; }

AnsiString TPaintWatch::PaintedText() const { return A(filter_->text); }

int TPaintWatch::PaintedRows() const { return filter_->rows; }
