// Progress bars: the range and position live here; the widget draws them.
#include <QPainter>

#include "Widgets.h"
#include "platform/ComCtrls.h"

using namespace ui_detail;

namespace {

class ProgressWidget : public Clickable<QWidget> {
 protected:
  // A sunken frame; the done part filled in the highlight colour from the
  // left, in blocks unless Smooth.
  void paintEvent(QPaintEvent*) override {
    auto* bar = dynamic_cast<TProgressBar*>(ControlOf(this));
    if (!bar) return;
    QPainter p(this);
    QRect r = rect();
    p.fillRect(r, palette().color(QPalette::Window));
    p.setPen(QColor(128, 128, 128));
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(QColor(255, 255, 255));
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    QRect inner = r.adjusted(1, 1, -1, -1);
    int range = bar->Max() - bar->Min();
    if (range <= 0 || inner.width() <= 0) return;
    int done = static_cast<int>(static_cast<long long>(bar->Position() - bar->Min()) *
                                inner.width() / range);
    QColor fill = ToQColor(clHighlight);
    if (bar->Smooth()) {
      p.fillRect(inner.left(), inner.top(), done, inner.height(), fill);
      return;
    }
    int block = std::max(2, inner.height() * 2 / 3);
    for (int x = 0; x < done; x += block + 2)
      p.fillRect(inner.left() + x, inner.top(), std::min(block, done - x), inner.height(), fill);
  }
};

}  // namespace

TProgressBar::TProgressBar(TComponent* AOwner)
    : TWinControl(AOwner, new Peer(new ProgressWidget()), 150, 16) {}

int TProgressBar::Clamp(int v) const {
  if (min_ > max_) return min_;
  return std::clamp(v, min_, max_);
}

void TProgressBar::SetMin(int v) {
  min_ = v;
  position_ = Clamp(position_);
  Repaint();
}

void TProgressBar::SetMax(int v) {
  max_ = v;
  position_ = Clamp(position_);
  Repaint();
}

void TProgressBar::SetPosition(int v) {
  v = Clamp(v);
  if (v == position_) return;
  position_ = v;
  Repaint();
}

void TProgressBar::SetSmooth(bool v) {
  smooth_ = v;
  Repaint();
}

// Past the end the bar starts again from the beginning, as the system's
// progress control does.
void TProgressBar::StepIt() {
  long long next = static_cast<long long>(position_) + step_;
  long long range = static_cast<long long>(max_) - min_;
  if (range > 0) {
    if (next > max_) next = min_ + (next - max_) % range;
    if (next < min_) next = max_ - (min_ - next) % range;
  }
  SetPosition(static_cast<int>(std::clamp<long long>(next, INT32_MIN, INT32_MAX)));
}

void TProgressBar::StepBy(int delta) {
  long long next = static_cast<long long>(position_) + delta;
  SetPosition(static_cast<int>(std::clamp<long long>(next, INT32_MIN, INT32_MAX)));
}
