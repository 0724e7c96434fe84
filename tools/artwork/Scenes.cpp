#include "Scenes.h"

#include <cmath>
#include <string>
#include <string_view>

namespace artwork {
namespace {

constexpr Rgb kFaceTop{68, 70, 75}, kFaceBottom{44, 46, 50};
constexpr Rgb kEarTop{80, 82, 87}, kEarBottom{56, 58, 62};
constexpr Rgb kSteel{150, 153, 158}, kSteelLight{200, 203, 208}, kSteelDark{82, 84, 88};
constexpr Rgb kHole{14, 14, 16};
constexpr Rgb kInk{216, 218, 222}, kInkDim{160, 163, 168};
constexpr Rgb kGold{176, 146, 64};

// Socket cell and picture sizes of the face.
constexpr int kCellW = 37, kCellH = 25, kPictureH = 15, kComboW = 42;

Rgb GlowColour(Lit lit) { return lit == Lit::kGreen ? Rgb{70, 240, 90} : Rgb{255, 156, 36}; }

void Centred(Canvas& c, double cx, double y, std::string_view s, Rgb ink) {
  c.Text(std::round(cx - Canvas::TextWidth(s) / 2), y, s, ink);
}

// A light fading downwards over rows [y, y + h): alpha from top to bottom.
void Glow(Canvas& c, double x, double y, double w, double h, Rgb colour, double top,
          double bottom) {
  for (double row = 0; row < h; row += 0.25) {
    const double t = row / h;
    c.FillRect(x, y + row, w, 0.25, colour, top + (bottom - top) * t);
  }
}

void ScrewSlot(Canvas& c, double cx, double cy) {
  const double w = 13, h = 7;
  c.FillRoundRect(cx - w / 2 - 1, cy - h / 2 - 1, w + 2, h + 2, h / 2 + 1, {34, 35, 38});
  c.FillRoundRect(cx - w / 2, cy - h / 2 + 0.75, w, h, h / 2, {128, 130, 135});
  c.FillRoundRect(cx - w / 2, cy - h / 2, w, h - 0.75, h / 2, {8, 8, 9});
}

void Ear(Canvas& c, int x, int w) {
  c.GradientRect(x, 0, w, kFaceHeight, kEarTop, kEarBottom);
  c.Brush(x, 0, w, kFaceHeight, 3, uint32_t(7 + x));
  ScrewSlot(c, x + w / 2.0, 18);
  ScrewSlot(c, x + w / 2.0, 107);
}

// The dark recess that a 5 x 5 LED host panel sits in.
void LedWindow(Canvas& c, const Place& p) {
  c.Bevel(p.x - 2, p.y - 2, 9, 9, {24, 25, 27}, {104, 106, 111});
  c.FillRect(p.x - 1, p.y - 1, 7, 7, {10, 10, 11});
}

// One RJ-45 socket in a 37 x 25 cell: shield metal around the plug opening, the latch notch at
// the bottom and the eight contacts at the top. A lit socket glows from its top edge and the glow
// dies out at the cell's 15th row, so that a link picture holds all of it.
void Socket(Canvas& c, int x, int y, Lit lit) {
  c.FillRect(x, y, kCellW, kCellH, kSteel);
  c.FillRect(x + 2, y + 2, 33, 15, kHole);
  c.FillRect(x + 11, y + 17, 15, 6, kHole);
  c.FillRect(x + 2, y + 2, 33, 1, {4, 4, 5});
  c.FillRect(x + 3, y + 16, 8, 1, {40, 41, 44});
  c.FillRect(x + 26, y + 16, 8, 1, {40, 41, 44});
  c.FillRect(x + 11, y + 23, 15, 1, kSteelLight);
  c.FillRect(x + 2, y + 17, 9, 1, kSteelLight, 0.6);
  c.FillRect(x + 26, y + 17, 9, 1, kSteelLight, 0.6);
  if (lit != Lit::kNone) {
    c.FillRect(x + 2, y + 2, 33, 1, GlowColour(lit), 0.95);
    Glow(c, x + 2, y + 3, 33, kPictureH - 3, GlowColour(lit), 0.75, 0.0);
    c.FillRect(x + 1, y, 35, 2, GlowColour(lit), 0.35);
  }
  const Rgb pin = lit == Lit::kNone ? kGold : Mix(kGold, {255, 240, 200}, 0.45);
  for (int k = 0; k < 8; ++k) {
    const double px = x + 18.5 + (k - 3.5) * 2.5;
    c.Line(px, y + 3, px, y + 7.5, 0.9, pin);
  }
}

// A combo port's SFP cage; (x, y) is its opening, the place of the 42 x 15 link picture.
void SfpCage(Canvas& c, int x, int y, Lit lit) {
  c.FillRoundRect(x - 4, y - 5, kComboW + 8, kPictureH + 10, 1.5, kSteel);
  c.Bevel(x - 4, y - 5, kComboW + 8, kPictureH + 10, kSteelLight, kSteelDark);
  for (int i = 0; i < 6; ++i) {
    c.FillRect(x + 3 + i * 6.6, y - 3.5, 3, 1.5, kSteelDark, 0.6);
    c.FillRect(x + 3 + i * 6.6, y + kPictureH + 2, 3, 1.5, kSteelDark, 0.6);
  }
  c.FillRect(x, y, kComboW, kPictureH, kHole);
  c.FillRect(x, y, kComboW, 2, {5, 5, 6});
  if (lit != Lit::kNone) Glow(c, x, y, kComboW, kPictureH, GlowColour(lit), 0.85, 0.3);
  const double a = lit == Lit::kNone ? 1.0 : 0.7;
  c.FillRect(x + 8, y + 5, 26, 5, {52, 54, 58}, a);
  c.FillRect(x + 10, y + 7, 22, 1, {8, 8, 9}, a);
}

}  // namespace

std::vector<Place> CopperPictures() {
  std::vector<Place> places;
  for (int n = 1; n <= 8; ++n)
    places.push_back({300 + 39 * ((n - 1) / 2), n % 2 ? 41 : 68, 37, 15});
  places.push_back({561, 67, 37, 15});
  places.push_back({706, 67, 37, 15});
  return places;
}

std::vector<Place> ComboPictures() { return {{501, 72, 42, 15}, {646, 72, 42, 15}}; }

std::vector<Place> LedPanels() {
  std::vector<Place> places{{177, 89, 5, 5}, {177, 74, 5, 5}};
  for (int n = 1; n <= 8; ++n) places.push_back({230 + 14 * ((n - 1) / 2), n % 2 ? 74 : 89, 5, 5});
  for (Place p : {Place{477, 74, 5, 5}, {477, 89, 5, 5}, {622, 74, 5, 5}, {622, 89, 5, 5}})
    places.push_back(p);
  return places;
}

Image DrawFace(Lit lit) {
  Canvas c(kFaceWidth, kFaceHeight, kFaceBottom);
  c.GradientRect(0, 0, kFaceWidth, kFaceHeight, kFaceTop, kFaceBottom);
  c.Brush(0, 0, kFaceWidth, kFaceHeight, 3, 1);
  Ear(c, 0, 35);
  Ear(c, 759, 35);
  c.FillRect(35, 0, 1, kFaceHeight, {22, 23, 25});
  c.FillRect(36, 0, 1, kFaceHeight, {100, 102, 107}, 0.5);
  c.FillRect(758, 0, 1, kFaceHeight, {22, 23, 25});
  c.FillRect(0, 0, kFaceWidth, 1, {140, 142, 148}, 0.7);
  c.FillRect(0, kFaceHeight - 1, kFaceWidth, 1, {16, 16, 18});

  // A shallow recessed bay for the LEDs and the ports.
  c.FillRoundRect(196, 10, 555, 105, 3, {36, 37, 41}, 0.55);
  c.Bevel(196, 10, 555, 105, {24, 25, 28}, {96, 98, 104}, 0.8);

  // Model name and series.
  c.Text(50, 22, "KXR-5810", kInk, 2.2, true);
  c.FillRect(50, 44, 103, 1, {74, 142, 196});
  c.Text(50, 50, "10-PORT GIGABIT", kInkDim);
  c.Text(50, 59, "MANAGED SWITCH", kInkDim);

  // LED row: power and console, the port matrix, and the pairs of ports 9 and 10.
  const std::vector<Place> leds = LedPanels();
  for (const Place& p : leds) LedWindow(c, p);
  c.Text(172 - Canvas::TextWidth("CONSOLE"), 73, "CONSOLE", kInkDim);
  c.Text(172 - Canvas::TextWidth("POWER"), 88, "POWER", kInkDim);
  for (int n = 1; n <= 8; ++n) {
    const Place& p = leds[size_t(n + 1)];
    Centred(c, p.x + 2.5, n % 2 ? 64 : 98, std::to_string(n), kInkDim);
  }
  Centred(c, 253.5, 54, "LINK/ACT", kInkDim);

  // Ports 1 to 8: a 2 x 4 block of stacked sockets in one shield.
  c.FillRoundRect(297, 38, 160, 58, 1.5, kSteel);
  c.Bevel(297, 38, 160, 58, kSteelLight, kSteelDark);
  const std::vector<Place> copper = CopperPictures();
  for (int n = 1; n <= 10; ++n) {
    const Place& p = copper[size_t(n - 1)];
    if (n > 8) {
      c.FillRoundRect(p.x - 2, p.y - 2, kCellW + 4, kCellH + 4, 1.5, kSteel);
      c.Bevel(p.x - 2, p.y - 2, kCellW + 4, kCellH + 4, kSteelLight, kSteelDark);
    }
    Socket(c, p.x, p.y, lit);
    const double cx = p.x + kCellW / 2.0;
    if (n <= 8)
      Centred(c, cx, n % 2 ? 30 : 98, std::to_string(n), kInk);
    else
      Centred(c, cx, 98, std::to_string(n), kInk);
  }
  const std::vector<Place> combo = ComboPictures();
  for (size_t i = 0; i < combo.size(); ++i) {
    const Place& p = combo[i];
    SfpCage(c, p.x, p.y, lit);
    Centred(c, p.x + kComboW / 2.0, 98, "SFP", kInkDim);
    Centred(c, leds[10 + 2 * i].x + 2.5, 64, i == 0 ? "9" : "10", kInkDim);
    // A bracket pairs the SFP cage with its copper port.
    const double left = p.x - 4, right = copper[8 + i].x + kCellW + 2, mid = (left + right) / 2;
    c.FillRect(left, 58, mid - 20 - left, 1, kInkDim, 0.6);
    c.FillRect(mid + 20, 58, right - mid - 20, 1, kInkDim, 0.6);
    c.FillRect(left, 58, 1, 4, kInkDim, 0.6);
    c.FillRect(right - 1, 58, 1, 4, kInkDim, 0.6);
    Centred(c, mid, 55, "COMBO", kInkDim);
  }
  Centred(c, 377, 19, "10/100/1000BASE-T", kInkDim);
  return c.Resolve();
}

Image DrawModelIcon(int ports) {
  Canvas c(32, 32, {240, 240, 240});
  c.FillRoundRect(2, 24, 28, 3, 1.5, {218, 218, 220});
  // Top face in perspective, then the front.
  for (double row = 0; row < 5; row += 0.25) {
    const double inset = 3.0 * (1 - row / 5);
    c.FillRect(1 + inset, 8 + row, 30 - 2 * inset, 0.25,
               Mix({168, 171, 178}, {120, 123, 130}, row / 5));
  }
  c.GradientRect(1, 13, 30, 11, {78, 80, 86}, {46, 48, 52});
  c.FillRect(1, 13, 30, 1, {150, 153, 160}, 0.6);
  c.FillRect(2, 15, 2, 2, {80, 230, 90});
  c.FillRect(2, 19, 2, 2, {255, 170, 40});
  // Copper ports as two rows of holes in a shield, on whole pixels so that they stay sharp.
  const int columns = ports == 16 ? 8 : 4, pitch = ports == 16 ? 3 : 4;
  c.FillRect(5, 14, columns * pitch + 1, 9, {170, 173, 178});
  for (int col = 0; col < columns; ++col) {
    for (int row = 0; row < 2; ++row)
      c.FillRect(6 + col * pitch, 15 + row * 4, pitch - 1, 3, {16, 16, 18});
  }
  if (ports != 16) {  // the combo ports
    c.FillRect(23, 16, 7, 5, {170, 173, 178});
    c.FillRect(24, 17, 2, 3, {16, 16, 18});
    c.FillRect(27, 17, 2, 3, {16, 16, 18});
  }
  return c.Resolve();
}

}  // namespace artwork
