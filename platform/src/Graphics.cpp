#include "platform/Graphics.h"

#include <QApplication>
#include <QPalette>
#include <cmath>

#include "Toolkit.h"
#include "platform/Forms.h"

namespace {

QPalette::ColorRole RoleOf(int index) {
  switch (index) {
    case 4:
      return QPalette::Window;  // menu
    case 5:
      return QPalette::Base;  // window (text field)
    case 8:
      return QPalette::Text;  // window text
    case 13:
      return QPalette::Highlight;
    case 14:
      return QPalette::HighlightedText;
    case 16:
      return QPalette::Mid;  // button shadow
    case 17:
      return QPalette::PlaceholderText;
    case 18:
      return QPalette::ButtonText;
    case 24:
      return QPalette::ToolTipBase;
    default:
      return QPalette::Button;  // button face
  }
}

}  // namespace

namespace ui_detail {

QColor ToQColor(TColor c) {
  unsigned u = static_cast<unsigned>(c);
  if (u & 0x80000000u) {
    int index = static_cast<int>(u & 0xFF);
    if (index == 0) return QColor(0xC8, 0xC8, 0xC8);  // scroll bar: light grey
    if (index == 1) return QColor(0x3A, 0x6E, 0xA5);
    if (!qApp) return QColor(0xF0, 0xF0, 0xF0);
    return QApplication::palette().color(QPalette::Active, RoleOf(index));
  }
  return QColor(static_cast<int>(u & 0xFF), static_cast<int>((u >> 8) & 0xFF),
                static_cast<int>((u >> 16) & 0xFF));
}

QFont ToQFont(const TFont& f) {
  QString family = Q(f.Name());
  if (f.Name() == "MS Sans Serif" || f.Name() == "Tahoma" || f.Name() == "Arial" ||
      f.Name().IsEmpty())
    family = QStringLiteral("DejaVu Sans");
  QFont q(family);
  int h = f.Height();
  int px = h < 0 ? -h : (h > 0 ? std::max(1, h * 4 / 5) : 11);
  q.setPixelSize(px);
  q.setBold(f.Style() & fsBold);
  q.setItalic(f.Style() & fsItalic);
  q.setUnderline(f.Style() & fsUnderline);
  q.setStrikeOut(f.Style() & fsStrikeOut);
  return q;
}

}  // namespace ui_detail

int ColorToRGB(TColor color) {
  if (!(static_cast<unsigned>(color) & 0x80000000u)) return color;
  QColor q = ui_detail::ToQColor(color);
  return q.red() | (q.green() << 8) | (q.blue() << 16);
}

TFont& TFont::operator=(const TFont& other) {
  if (this == &other) return *this;
  bool same = *this == other;
  name_ = other.name_;
  height_ = other.height_;
  style_ = other.style_;
  color_ = other.color_;
  if (!same) Changed();
  return *this;
}

void TFont::Changed() {
  if (OnChange) OnChange(this);
}

void TFont::SetName(const AnsiString& v) {
  if (v == name_) return;
  name_ = v;
  Changed();
}

void TFont::SetHeight(int v) {
  if (v == height_) return;
  height_ = v;
  Changed();
}

int TFont::Size() const {
  int ppi = Screen ? Screen->PixelsPerInch() : 96;
  return static_cast<int>(std::lround(-height_ * 72.0 / ppi));
}

void TFont::SetSize(int points) {
  int ppi = Screen ? Screen->PixelsPerInch() : 96;
  SetHeight(-static_cast<int>(std::lround(points * ppi / 72.0)));
}

void TFont::SetStyle(TFontStyles v) {
  if (v == style_) return;
  style_ = v;
  Changed();
}

void TFont::SetColor(TColor v) {
  if (v == color_) return;
  color_ = v;
  Changed();
}

// ---- TPen

void TPen::Changed() {
  if (OnChange) OnChange(this);
}

void TPen::SetColor(TColor v) {
  if (v == color_) return;
  color_ = v;
  Changed();
}

void TPen::SetWidth(int v) {
  if (v < 0) v = 0;
  if (v == width_) return;
  width_ = v;
  Changed();
}

void TPen::SetStyle(TPenStyle v) {
  if (v == style_) return;
  style_ = v;
  Changed();
}

void TPen::Assign(const TPen& other) {
  color_ = other.color_;
  width_ = other.width_;
  style_ = other.style_;
  Changed();
}

// ---- TBrush

void TBrush::Changed() {
  if (OnChange) OnChange(this);
}

void TBrush::SetColor(TColor v) {
  if (v == color_) return;
  color_ = v;
  // As the class library does: a colour on a clear brush makes it solid.
  if (style_ == bsClear) style_ = bsSolid;
  Changed();
}

void TBrush::SetStyle(TBrushStyle v) {
  if (v == style_) return;
  style_ = v;
  Changed();
}

void TBrush::Assign(const TBrush& other) {
  color_ = other.color_;
  style_ = other.style_;
  Changed();
}
