// Private: widget classes shared by several controls.
#pragma once

#include <QMouseEvent>
#include <QWidget>

#include "Toolkit.h"

namespace ui_detail {

// A widget that turns mouse clicks into the control's OnClick and OnDblClick.
template <class Base>
class Clickable : public Base {
 public:
  using Base::Base;

 protected:
  void mouseReleaseEvent(QMouseEvent* e) override {
    Base::mouseReleaseEvent(e);
    if (e->button() != Qt::LeftButton || !this->rect().contains(e->position().toPoint())) return;
    if (TControl* c = ControlOf(this)) Guarded(c, [c] { c->Click(); });
  }
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    Base::mouseDoubleClickEvent(e);
    if (TControl* c = ControlOf(this))
      if (c->OnDblClick) Guarded(c, [c] { c->OnDblClick(c); });
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    Base::mouseMoveEvent(e);
    if (TControl* c = ControlOf(this)) {
      if (!c->OnMouseMove) return;
      QPoint p = e->position().toPoint();
      TShiftState s = 0;
      if (e->modifiers() & Qt::ShiftModifier) s |= ssShift;
      if (e->buttons() & Qt::LeftButton) s |= ssLeft;
      Guarded(c, [&] { c->OnMouseMove(c, s, p.x(), p.y()); });
    }
  }
};

// Text extent of one or more lines in a font, as the class library measures
// captions: an empty text measures as one blank.
QSize TextExtent(const TFont& font, const AnsiString& text);

}  // namespace ui_detail
