// A supersampled RGB drawing surface with a handful of anti-aliased primitives.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace artwork {

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
};

// Linear mix of two colours: t = 0 gives a, t = 1 gives b.
Rgb Mix(Rgb a, Rgb b, double t);

// A finished picture: top-down rows of packed RGB bytes.
struct Image {
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;

  Image() = default;
  Image(int w, int h) : width(w), height(h), rgb(size_t(w) * size_t(h) * 3) {}
  Rgb At(int x, int y) const;
  void Set(int x, int y, Rgb c);
  Image Crop(int x, int y, int w, int h) const;
  void Paste(const Image& src, int x, int y);
  Image Zoom(int factor) const;
};

// Coordinates are in output pixels (doubles); a shape covers the subsamples whose centres lie
// inside it, so shapes on whole pixels stay crisp and everything else is smoothed.
class Canvas {
 public:
  Canvas(int width, int height, Rgb background, int supersample = 4);

  int Width() const { return width_; }
  int Height() const { return height_; }

  void FillRect(double x, double y, double w, double h, Rgb c, double alpha = 1.0);
  void FillRoundRect(double x, double y, double w, double h, double radius, Rgb c,
                     double alpha = 1.0);
  // Vertical gradient from the top colour to the bottom colour.
  void GradientRect(double x, double y, double w, double h, Rgb top, Rgb bottom);
  void Line(double x0, double y0, double x1, double y1, double width, Rgb c, double alpha = 1.0);
  // One-pixel bevel just inside the rectangle: light top and left edge, dark bottom and right.
  void Bevel(double x, double y, double w, double h, Rgb light, Rgb dark, double alpha = 1.0);
  // Horizontal brushed-metal streaks of +-amplitude levels over the rectangle; the same seed
  // always gives the same streaks.
  void Brush(double x, double y, double w, double h, int amplitude, uint32_t seed);

  // Text in the built-in 5 x 7 font, top-left at (x, y). scale 1 draws crisp pixels; smooth
  // joins the glyph dots into rounded strokes, for larger sizes.
  void Text(double x, double y, std::string_view text, Rgb c, double scale = 1.0,
            bool smooth = false);
  static double TextWidth(std::string_view text, double scale = 1.0);

  Image Resolve() const;

 private:
  template <class Inside>
  void Cover(double x0, double y0, double x1, double y1, Inside inside, Rgb c, double alpha);
  void Blend(int sx, int sy, Rgb c, double alpha);

  int width_, height_, ss_;
  std::vector<Rgb> sub_;
};

}  // namespace artwork
