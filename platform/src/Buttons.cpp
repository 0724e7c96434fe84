// Bit buttons and speed buttons: glyphs over the toolkit's buttons.
#include "platform/Buttons.h"

#include <QIcon>
#include <QPainter>
#include <QPushButton>

#include "PixelsImage.h"
#include "Widgets.h"

using namespace ui_detail;

namespace {

// How many images a glyph holds side by side, as the class library counts
// them: width a multiple (up to 4) of the height.
int GlyphCount(const TBitmap& b) {
  if (b.Empty() || b.Width() % b.Height() != 0) return 1;
  int n = b.Width() / b.Height();
  return n >= 1 && n <= 4 ? n : 1;
}

// Image `index` of a glyph strip, its bottom-left colour transparent.
QPixmap GlyphImage(const TBitmap& b, int count, int index) {
  QImage all = ToQImageKeyed(b.Pixels());
  if (all.isNull()) return QPixmap();
  int w = all.width() / std::max(1, count);
  return QPixmap::fromImage(all.copy(w * std::min(index, count - 1), 0, w, all.height()));
}

void DrawBevel(QPainter& p, QRect r, bool sunken) {
  QColor light(255, 255, 255), dark(128, 128, 128);
  if (sunken) std::swap(light, dark);
  p.setPen(light);
  p.drawLine(r.topLeft(), r.topRight());
  p.drawLine(r.topLeft(), r.bottomLeft());
  p.setPen(dark);
  p.drawLine(r.bottomLeft(), r.bottomRight());
  p.drawLine(r.topRight(), r.bottomRight());
}

class SpeedWidget : public QWidget {
 public:
  SpeedWidget() { setAutoFillBackground(true); }

 protected:
  void mousePressEvent(QMouseEvent* e) override {
    if (e->button() != Qt::LeftButton) return;
    pressed_ = true;
    update();
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    if (e->button() != Qt::LeftButton || !pressed_) return;
    pressed_ = false;
    update();
    if (!rect().contains(e->position().toPoint())) return;
    if (auto* b = dynamic_cast<TSpeedButton*>(ControlOf(this)))
      Guarded(b, [b] { b->UserClicked(); });
  }
  void paintEvent(QPaintEvent*) override {
    auto* b = dynamic_cast<TSpeedButton*>(ControlOf(this));
    if (!b) return;
    QPainter p(this);
    bool sunken = b->Down() || pressed_;
    if (!b->Flat() || sunken) DrawBevel(p, rect().adjusted(0, 0, -1, -1), sunken);
    QRect inner = rect().adjusted(2, 2, -2, -2);
    if (sunken) inner.translate(1, 1);
    const TBitmap* g = b->Glyph();
    int x = inner.left();
    QPixmap pix = g->Empty() ? QPixmap() : GlyphImage(*g, GlyphCount(*g), b->Enabled() ? 0 : 1);
    QString text = Q(b->Caption());
    int textWidth = text.isEmpty() ? 0 : fontMetrics().horizontalAdvance(text);
    int total = pix.width() + (pix.isNull() || text.isEmpty() ? 0 : 4) + textWidth;
    x += (inner.width() - total) / 2;
    if (!pix.isNull()) {
      p.drawPixmap(x, inner.top() + (inner.height() - pix.height()) / 2, pix);
      x += pix.width() + 4;
    }
    if (!text.isEmpty()) {
      p.setPen(palette().color(b->Enabled() ? QPalette::Active : QPalette::Disabled,
                               QPalette::ButtonText));
      p.drawText(QRect(x, inner.top(), textWidth + 1, inner.height()), Qt::AlignVCenter, text);
    }
  }

 private:
  bool pressed_ = false;
};

}  // namespace

// ---- TBitBtn

TBitBtn::TBitBtn(TComponent* AOwner) : TButton(AOwner), glyph_(std::make_unique<TBitmap>()) {
  glyph_->OnChange = [this] { GlyphChanged(); };
}

TBitBtn::~TBitBtn() {
  BeginDestroy();
  glyph_->OnChange = nullptr;
}

void TBitBtn::GlyphChanged() {
  numGlyphs_ = GlyphCount(*glyph_);
  ShowGlyph();
}

void TBitBtn::SetNumGlyphs(int n) {
  numGlyphs_ = std::clamp(n, 1, 4);
  ShowGlyph();
}

void TBitBtn::ShowGlyph() {
  auto* b = WidgetAs<QPushButton>(this);
  if (glyph_->Empty()) {
    b->setIcon(QIcon());
    return;
  }
  QIcon icon;
  QPixmap up = GlyphImage(*glyph_, numGlyphs_, 0);
  icon.addPixmap(up, QIcon::Normal);
  if (numGlyphs_ >= 2) icon.addPixmap(GlyphImage(*glyph_, numGlyphs_, 1), QIcon::Disabled);
  b->setIconSize(up.size());
  b->setIcon(icon);
}

// ---- TSpeedButton

TSpeedButton::TSpeedButton(TComponent* AOwner)
    : TGraphicControl(AOwner, new Peer(new SpeedWidget()), 23, 22),
      glyph_(std::make_unique<TBitmap>()) {
  glyph_->OnChange = [this] { Repaint(); };
}

TSpeedButton::~TSpeedButton() {
  BeginDestroy();
  glyph_->OnChange = nullptr;
}

void TSpeedButton::SetTextValue(const AnsiString& v) {
  text_ = v;
  Repaint();
}

void TSpeedButton::SetDown(bool v) {
  if (groupIndex_ == 0) v = false;
  if (v == down_) return;
  if (down_ && !allowAllUp_) return;
  down_ = v;
  Repaint();
  if (!v || !Parent()) return;
  // One button down per group: the others of this parent go up.
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    auto* other = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
    if (other && other != this && other->groupIndex_ == groupIndex_ && other->down_) {
      other->down_ = false;
      other->Repaint();
    }
  }
}

void TSpeedButton::SetGroupIndex(int v) {
  groupIndex_ = v;
  if (v == 0 && down_) {
    down_ = false;
    Repaint();
  }
}

void TSpeedButton::SetFlat(bool v) {
  flat_ = v;
  Repaint();
}

void TSpeedButton::UserClicked() {
  std::weak_ptr<void> alive = LifeToken();
  if (groupIndex_ != 0) SetDown(!down_);
  if (!alive.expired()) Click();
}
