#include "Canvas.h"

#include <algorithm>
#include <cmath>

#include "Font.h"

namespace artwork {
namespace {

uint8_t Clamp8(double v) { return uint8_t(std::clamp(std::lround(v), 0L, 255L)); }

// Small deterministic generator (numerical recipes LCG) for the brushed streaks.
struct Lcg {
  uint32_t state;
  double Next() {
    state = state * 1664525u + 1013904223u;
    return double(state >> 8) / double(1u << 24) * 2.0 - 1.0;  // -1 .. 1
  }
};

}  // namespace

Rgb Mix(Rgb a, Rgb b, double t) {
  return {Clamp8(a.r + (b.r - a.r) * t), Clamp8(a.g + (b.g - a.g) * t),
          Clamp8(a.b + (b.b - a.b) * t)};
}

Rgb Image::At(int x, int y) const {
  const uint8_t* p = &rgb[(size_t(y) * size_t(width) + size_t(x)) * 3];
  return {p[0], p[1], p[2]};
}

void Image::Set(int x, int y, Rgb c) {
  if (x < 0 || y < 0 || x >= width || y >= height) return;
  uint8_t* p = &rgb[(size_t(y) * size_t(width) + size_t(x)) * 3];
  p[0] = c.r, p[1] = c.g, p[2] = c.b;
}

Image Image::Crop(int x, int y, int w, int h) const {
  Image out(w, h);
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) out.Set(i, j, At(x + i, y + j));
  return out;
}

void Image::Paste(const Image& src, int x, int y) {
  for (int j = 0; j < src.height; ++j)
    for (int i = 0; i < src.width; ++i) Set(x + i, y + j, src.At(i, j));
}

Image Image::Zoom(int factor) const {
  Image out(width * factor, height * factor);
  for (int j = 0; j < out.height; ++j)
    for (int i = 0; i < out.width; ++i) out.Set(i, j, At(i / factor, j / factor));
  return out;
}

Canvas::Canvas(int width, int height, Rgb background, int supersample)
    : width_(width),
      height_(height),
      ss_(supersample),
      sub_(size_t(width) * size_t(height) * size_t(supersample * supersample), background) {}

void Canvas::Blend(int sx, int sy, Rgb c, double alpha) {
  Rgb& d = sub_[size_t(sy) * size_t(width_ * ss_) + size_t(sx)];
  d = alpha >= 1.0 ? c : Mix(d, c, alpha);
}

template <class Inside>
void Canvas::Cover(double x0, double y0, double x1, double y1, Inside inside, Rgb c, double alpha) {
  const int sx0 = std::max(0, int(std::floor(x0 * ss_)));
  const int sy0 = std::max(0, int(std::floor(y0 * ss_)));
  const int sx1 = std::min(width_ * ss_, int(std::ceil(x1 * ss_)));
  const int sy1 = std::min(height_ * ss_, int(std::ceil(y1 * ss_)));
  for (int sy = sy0; sy < sy1; ++sy) {
    const double py = (sy + 0.5) / ss_;
    for (int sx = sx0; sx < sx1; ++sx) {
      const double px = (sx + 0.5) / ss_;
      if (inside(px, py)) Blend(sx, sy, c, alpha);
    }
  }
}

void Canvas::FillRect(double x, double y, double w, double h, Rgb c, double alpha) {
  FillRoundRect(x, y, w, h, 0.0, c, alpha);
}

void Canvas::FillRoundRect(double x, double y, double w, double h, double radius, Rgb c,
                           double alpha) {
  const double r = std::min({radius, w / 2, h / 2});
  Cover(
      x, y, x + w, y + h,
      [&](double px, double py) {
        if (px < x || px >= x + w || py < y || py >= y + h) return false;
        const double dx = std::max({x + r - px, 0.0, px - (x + w - r)});
        const double dy = std::max({y + r - py, 0.0, py - (y + h - r)});
        return dx * dx + dy * dy <= r * r;
      },
      c, alpha);
}

void Canvas::GradientRect(double x, double y, double w, double h, Rgb top, Rgb bottom) {
  // Bands of one subsample row are as fine as the canvas can show.
  const int bands = std::max(1, int(std::ceil(h * ss_)));
  for (int i = 0; i < bands; ++i)
    FillRect(x, y + h * i / bands, w, h / bands,
             Mix(top, bottom, bands == 1 ? 0.0 : double(i) / (bands - 1)));
}

void Canvas::Line(double x0, double y0, double x1, double y1, double width, Rgb c, double alpha) {
  const double hw = width / 2, dx = x1 - x0, dy = y1 - y0;
  const double len2 = dx * dx + dy * dy;
  Cover(
      std::min(x0, x1) - hw, std::min(y0, y1) - hw, std::max(x0, x1) + hw, std::max(y0, y1) + hw,
      [&](double px, double py) {
        double t = len2 > 0 ? ((px - x0) * dx + (py - y0) * dy) / len2 : 0.0;
        t = std::clamp(t, 0.0, 1.0);
        const double ex = x0 + t * dx - px, ey = y0 + t * dy - py;
        return ex * ex + ey * ey <= hw * hw;
      },
      c, alpha);
}

void Canvas::Bevel(double x, double y, double w, double h, Rgb light, Rgb dark, double alpha) {
  FillRect(x, y, w, 1, light, alpha);
  FillRect(x, y + 1, 1, h - 1, light, alpha);
  FillRect(x + 1, y + h - 1, w - 1, 1, dark, alpha);
  FillRect(x + w - 1, y + 1, 1, h - 2, dark, alpha);
}

void Canvas::Brush(double x, double y, double w, double h, int amplitude, uint32_t seed) {
  constexpr int kKnot = 12;  // pixels between the streak's random levels
  const int knots = int(w) / kKnot + 2;
  std::vector<double> level(size_t(knots) + 1);
  for (int row = 0; row < int(h); ++row) {
    Lcg rng{seed * 2654435761u + uint32_t(row) * 40503u + 1u};
    const double base = rng.Next() * 0.6;
    for (double& v : level) v = base + rng.Next() * 0.4;
    for (int sy = (int(y) + row) * ss_; sy < (int(y) + row + 1) * ss_; ++sy) {
      if (sy < 0 || sy >= height_ * ss_) continue;
      for (int sx = int(x) * ss_; sx < int(x + w) * ss_ && sx < width_ * ss_; ++sx) {
        const double u = (sx / double(ss_) - x) / kKnot;
        const int k = int(u);
        const double f = u - k, v = level[size_t(k)] * (1 - f) + level[size_t(k) + 1] * f;
        Rgb& d = sub_[size_t(sy) * size_t(width_ * ss_) + size_t(sx)];
        const double delta = v * amplitude;
        d = {Clamp8(d.r + delta), Clamp8(d.g + delta), Clamp8(d.b + delta)};
      }
    }
  }
}

void Canvas::Text(double x, double y, std::string_view text, Rgb c, double scale, bool smooth) {
  for (char ch : text) {
    const uint8_t* rows = Glyph(ch);
    auto on = [&](int col, int row) {
      return col >= 0 && col < kGlyphWidth && row >= 0 && row < kGlyphHeight &&
             (rows[row] & (0x10 >> col)) != 0;
    };
    for (int row = 0; row < kGlyphHeight; ++row) {
      for (int col = 0; col < kGlyphWidth; ++col) {
        if (!on(col, row)) continue;
        if (!smooth) {
          FillRect(x + col * scale, y + row * scale, scale, scale, c);
          continue;
        }
        const double cx = x + (col + 0.5) * scale, cy = y + (row + 0.5) * scale;
        const double stroke = scale * 1.1;
        Line(cx, cy, cx, cy, stroke, c);
        if (on(col + 1, row)) Line(cx, cy, cx + scale, cy, stroke, c);
        if (on(col, row + 1)) Line(cx, cy, cx, cy + scale, stroke, c);
        if (on(col + 1, row + 1) && !on(col + 1, row) && !on(col, row + 1))
          Line(cx, cy, cx + scale, cy + scale, stroke, c);
        if (on(col - 1, row + 1) && !on(col - 1, row) && !on(col, row + 1))
          Line(cx, cy, cx - scale, cy + scale, stroke, c);
      }
    }
    x += kGlyphAdvance * scale;
  }
}

double Canvas::TextWidth(std::string_view text, double scale) {
  return text.empty() ? 0.0 : (double(text.size()) * kGlyphAdvance - 1) * scale;
}

Image Canvas::Resolve() const {
  Image out(width_, height_);
  const int n = ss_ * ss_;
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      int r = 0, g = 0, b = 0;
      for (int j = 0; j < ss_; ++j) {
        for (int i = 0; i < ss_; ++i) {
          const Rgb& s = sub_[size_t(y * ss_ + j) * size_t(width_ * ss_) + size_t(x * ss_ + i)];
          r += s.r, g += s.g, b += s.b;
        }
      }
      out.Set(x, y, {uint8_t((r + n / 2) / n), uint8_t((g + n / 2) / n), uint8_t((b + n / 2) / n)});
    }
  }
  return out;
}

}  // namespace artwork
