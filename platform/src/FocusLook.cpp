// The focus as the class library's controls show it (FocusLook.h): one
// style over the toolkit's own draws the marks of buttons, check boxes,
// radio buttons and drop-down lists.
#include "FocusLook.h"

#include <QApplication>
#include <QPainter>
#include <QPolygon>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleOption>

namespace ui_detail {

namespace {

// The marks the toolkit's own style draws for the focus.
constexpr QStyle::State kToolkitFocus = QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange;

// Another push button of w's window has the focus: Enter presses that one,
// and it wears the frame in the default button's place.
bool OtherButtonFocused(const QWidget* w) {
  const QWidget* f = QApplication::focusWidget();
  return w && f && f != w && f->window() == w->window() && dynamic_cast<const QPushButton*>(f);
}

class ClassicFocusStyle : public QProxyStyle {
 public:
  void drawControl(ControlElement e, const QStyleOption* o, QPainter* p,
                   const QWidget* w) const override {
    switch (e) {
      case CE_PushButton:
        if (const auto* b = qstyleoption_cast<const QStyleOptionButton*>(o))
          return DrawPushButton(*b, p, w);
        break;
      case CE_CheckBox:
      case CE_RadioButton:
        if (const auto* b = qstyleoption_cast<const QStyleOptionButton*>(o))
          return DrawTickBox(e, *b, p, w);
        break;
      case CE_ComboBoxLabel:
        if (const auto* c = qstyleoption_cast<const QStyleOptionComboBox*>(o))
          return DrawComboText(*c, p, w);
        break;
      default:
        break;
    }
    QProxyStyle::drawControl(e, o, p, w);
  }

  void drawComplexControl(ComplexControl cc, const QStyleOptionComplex* o, QPainter* p,
                          const QWidget* w) const override {
    // A drop-down list's mark is its text's (drawn with the label); a radio
    // group's is its chosen button's, not the title's.
    if (const auto* c = qstyleoption_cast<const QStyleOptionComboBox*>(o); c && cc == CC_ComboBox) {
      QStyleOptionComboBox plain(*c);
      plain.state &= ~kToolkitFocus;
      QProxyStyle::drawComplexControl(cc, &plain, p, w);
      return;
    }
    if (const auto* g = qstyleoption_cast<const QStyleOptionGroupBox*>(o); g && cc == CC_GroupBox) {
      QStyleOptionGroupBox plain(*g);
      plain.state &= ~kToolkitFocus;
      QProxyStyle::drawComplexControl(cc, &plain, p, w);
      return;
    }
    QProxyStyle::drawComplexControl(cc, o, p, w);
  }

 private:
  void DrawPushButton(const QStyleOptionButton& b, QPainter* p, const QWidget* w) const {
    const bool focused = b.state & State_HasFocus;
    const bool framed =
        focused || ((b.features & QStyleOptionButton::DefaultButton) && !OtherButtonFocused(w));
    QStyleOptionButton plain(b);
    plain.state &= ~kToolkitFocus;
    plain.features &= ~(QStyleOptionButton::DefaultButton | QStyleOptionButton::AutoDefaultButton);
    if (framed) plain.rect.adjust(1, 1, -1, -1);
    QProxyStyle::drawControl(CE_PushButton, &plain, p, w);
    if (framed) {
      p->save();
      p->setPen(QColor(0, 0, 0));
      p->setBrush(Qt::NoBrush);
      p->drawRect(b.rect.adjusted(0, 0, -1, -1));
      p->restore();
    }
    if (focused) DrawFocusRect(*p, b.rect.adjusted(3, 3, -4, -4));
  }

  void DrawTickBox(ControlElement e, const QStyleOptionButton& b, QPainter* p,
                   const QWidget* w) const {
    QStyleOptionButton plain(b);
    plain.state &= ~kToolkitFocus;
    QProxyStyle::drawControl(e, &plain, p, w);
    if (!(b.state & State_HasFocus)) return;
    // Around the caption; inside the box when there is none.
    const QRect r = subElementRect(
        e == CE_RadioButton ? SE_RadioButtonFocusRect : SE_CheckBoxFocusRect, &plain, w);
    DrawFocusRect(*p, r.adjusted(0, 0, -1, -1));
  }

  void DrawComboText(const QStyleOptionComboBox& c, QPainter* p, const QWidget* w) const {
    QStyleOptionComboBox plain(c);
    plain.state &= ~kToolkitFocus;
    if (!(c.state & State_HasFocus) || c.editable) {
      QProxyStyle::drawControl(CE_ComboBoxLabel, &plain, p, w);
      return;
    }
    p->fillRect(subControlRect(CC_ComboBox, &plain, SC_ComboBoxEditField, w),
                c.palette.brush(QPalette::Highlight));
    const QColor text = c.palette.color(QPalette::HighlightedText);
    for (QPalette::ColorRole role : {QPalette::Text, QPalette::ButtonText, QPalette::WindowText})
      plain.palette.setColor(role, text);
    QProxyStyle::drawControl(CE_ComboBoxLabel, &plain, p, w);
  }
};

// The default buttons under `o`. A window that is being destroyed (a
// message box going with its buttons, the focused one among them) holds its
// children deleted so far as empty places: they are passed over.
void RepaintDefaultButtonsUnder(const QObject* o) {
  for (QObject* child : o->children()) {
    if (!child) continue;
    if (auto* b = qobject_cast<QPushButton*>(child); b && b->isDefault()) b->update();
    RepaintDefaultButtonsUnder(child);
  }
}

void RepaintDefaultButtons(const QWidget* w) {
  if (w) RepaintDefaultButtonsUnder(w->window());
}

}  // namespace

void InstallFocusLook() {
  if (!dynamic_cast<ClassicFocusStyle*>(QApplication::style()))
    QApplication::setStyle(new ClassicFocusStyle());
}

void DrawFocusRect(QPainter& p, const QRect& r) {
  if (r.width() <= 0 || r.height() <= 0) return;
  QPolygon dots;
  auto dot = [&dots](int x, int y) {
    if (((x + y) & 1) == 0) dots << QPoint(x, y);
  };
  for (int x = r.left(); x <= r.right(); ++x) {
    dot(x, r.top());
    if (r.bottom() != r.top()) dot(x, r.bottom());
  }
  for (int y = r.top() + 1; y < r.bottom(); ++y) {
    dot(r.left(), y);
    if (r.right() != r.left()) dot(r.right(), y);
  }
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  p.setPen(QColor(255, 255, 255));
  p.drawPoints(dots);
  p.restore();
}

void FocusMoved(const QWidget* old, const QWidget* now) {
  RepaintDefaultButtons(old);
  if (!old || !now || old->window() != now->window()) RepaintDefaultButtons(now);
}

}  // namespace ui_detail
