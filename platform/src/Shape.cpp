// Shapes: drawn from their brush and pen, colours exactly as given.
#include <QPainter>

#include "Widgets.h"
#include "platform/ExtCtrls.h"

using namespace ui_detail;

namespace {

Qt::PenStyle ToQPenStyle(TPenStyle s) {
  switch (s) {
    case psDash:
      return Qt::DashLine;
    case psDot:
      return Qt::DotLine;
    case psDashDot:
      return Qt::DashDotLine;
    case psDashDotDot:
      return Qt::DashDotDotLine;
    case psClear:
      return Qt::NoPen;
    default:
      return Qt::SolidLine;
  }
}

Qt::BrushStyle ToQBrushStyle(TBrushStyle s) {
  switch (s) {
    case bsClear:
      return Qt::NoBrush;
    case bsHorizontal:
      return Qt::HorPattern;
    case bsVertical:
      return Qt::VerPattern;
    case bsFDiagonal:
      return Qt::FDiagPattern;
    case bsBDiagonal:
      return Qt::BDiagPattern;
    case bsCross:
      return Qt::CrossPattern;
    case bsDiagCross:
      return Qt::DiagCrossPattern;
    default:
      return Qt::SolidPattern;
  }
}

class ShapeWidget : public Clickable<QWidget> {
 protected:
  // The class library's geometry: the outline runs half a pen inside the
  // bounds; squares and circles take the shorter side, centred.
  void paintEvent(QPaintEvent*) override {
    auto* shape = dynamic_cast<TShape*>(ControlOf(this));
    if (!shape) return;
    const TPen* pen = shape->Pen();
    const TBrush* brush = shape->Brush();
    int pw = pen->Style() == psClear ? 0 : pen->Width();
    int x = pw / 2, y = pw / 2;
    int w = width() - pw + 1, h = height() - pw + 1;
    if (pw == 0) {
      --w;
      --h;
    }
    int s = std::min(w, h);
    TShapeType type = shape->Shape();
    if (type == stSquare || type == stRoundSquare || type == stCircle) {
      x += (w - s) / 2;
      y += (h - s) / 2;
      w = h = s;
    }
    QPainter p(this);
    if (pw > 0) {
      QPen qpen(ToQColor(pen->Color()), pw, ToQPenStyle(pen->Style()));
      qpen.setJoinStyle(Qt::MiterJoin);
      p.setPen(qpen);
    } else {
      p.setPen(Qt::NoPen);
    }
    p.setBrush(QBrush(ToQColor(brush->Color()), ToQBrushStyle(brush->Style())));
    // Qt's outline covers one pixel more than the rectangle it is given.
    QRect r = pw > 0 ? QRect(x, y, std::max(0, w - 1), std::max(0, h - 1)) : QRect(x, y, w, h);
    switch (type) {
      case stRoundRect:
      case stRoundSquare:
        p.setRenderHint(QPainter::Antialiasing);
        p.drawRoundedRect(r, s / 8.0, s / 8.0);
        break;
      case stEllipse:
      case stCircle:
        p.setRenderHint(QPainter::Antialiasing);
        p.drawEllipse(r);
        break;
      default:
        p.drawRect(r);
        break;
    }
  }
};

}  // namespace

TShape::TShape(TComponent* AOwner) : TGraphicControl(AOwner, new Peer(new ShapeWidget()), 65, 65) {
  brush_.OnChange = [this](TObject*) { Repaint(); };
  pen_.OnChange = [this](TObject*) { Repaint(); };
}

void TShape::SetShape(TShapeType s) {
  if (s == shape_) return;
  shape_ = s;
  Repaint();
}
