// Images: the picture lives in the control; the widget draws it.
#include <QPainter>

#include "PixelsImage.h"
#include "Widgets.h"
#include "platform/ExtCtrls.h"

using namespace ui_detail;

namespace {

class ImageWidget : public Clickable<QWidget> {
 public:
  void PictureChanged() {
    dirty_ = true;
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    auto* image = dynamic_cast<TImage*>(ControlOf(this));
    if (!image) return;
    TGraphic* g = image->Picture()->Graphic();
    if (!g || g->Empty()) return;
    if (dirty_) {
      bool keyed = image->Transparent() && dynamic_cast<TBitmap*>(g);
      cache_ = keyed ? ToQImageKeyed(g->Pixels()) : ToQImage(g->Pixels());
      dirty_ = false;
    }
    QPainter p(this);
    p.drawImage(Target(image, g->Width(), g->Height()), cache_);
  }

 private:
  // Where the picture goes, as the class library places it.
  QRect Target(const TImage* image, int w, int h) const {
    int cw = width(), ch = height();
    if (image->Stretch() || (image->Proportional() && (w > cw || h > ch))) {
      if (image->Proportional() && w > 0 && h > 0) {
        double scale = std::min(double(cw) / w, double(ch) / h);
        w = static_cast<int>(w * scale);
        h = static_cast<int>(h * scale);
      } else {
        w = cw;
        h = ch;
      }
    }
    int x = 0, y = 0;
    if (image->Center()) {
      x = (cw - w) / 2;
      y = (ch - h) / 2;
    }
    return QRect(x, y, w, h);
  }

  QImage cache_;
  bool dirty_ = true;
};

}  // namespace

TImage::TImage(TComponent* AOwner)
    : TGraphicControl(AOwner, new Peer(new ImageWidget()), 105, 105),
      picture_(std::make_unique<TPicture>()) {
  picture_->OnChange = [this] { PictureChanged(); };
}

TImage::~TImage() {
  BeginDestroy();
  picture_->OnChange = nullptr;
}

void TImage::PictureChanged() {
  if (autoSize_ && picture_->Width() > 0 && picture_->Height() > 0)
    SetBounds(Left(), Top(), picture_->Width(), picture_->Height());
  static_cast<ImageWidget*>(W(this))->PictureChanged();
}

void TImage::SetStretch(bool v) {
  stretch_ = v;
  Repaint();
}

void TImage::SetAutoSize(bool v) {
  autoSize_ = v;
  if (v) PictureChanged();
}

void TImage::SetCenter(bool v) {
  center_ = v;
  Repaint();
}

void TImage::SetProportional(bool v) {
  proportional_ = v;
  Repaint();
}

void TImage::SetTransparent(bool v) {
  transparent_ = v;
  static_cast<ImageWidget*>(W(this))->PictureChanged();
}
