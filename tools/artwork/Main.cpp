// Draws the front-panel and About box pictures and writes them into the resources folder:
//   kxr-artwork <resources folder> [<preview folder>]
// The preview folder gets PNG pictures for looking at the result: the face with link pictures
// and LEDs laid over it as the panel shows them, and enlarged link pictures and icons.
#include <cstdio>
#include <filesystem>
#include <string>

#include "ImageFiles.h"
#include "Scenes.h"

namespace {

using artwork::Image;
using artwork::Lit;
using artwork::Place;
using artwork::Rgb;

// Side by side on a white strip, each enlarged, for a close look.
Image Sheet(const std::vector<Image>& images, int zoom) {
  int w = 8, h = 0;
  for (const Image& i : images) w += i.width * zoom + 8, h = std::max(h, i.height * zoom);
  Image sheet(w, h + 16);
  std::fill(sheet.rgb.begin(), sheet.rgb.end(), uint8_t(255));
  int x = 8;
  for (const Image& i : images) sheet.Paste(i.Zoom(zoom), x, 8), x += i.width * zoom + 8;
  return sheet;
}

// The face (as decoded from its JPEG) as the panel shows it: some ports with link pictures, the LED
// shapes coloured.
Image PanelPreview(const Image& face, const Image& green, const Image& orange,
                   const Image& comboGreen, const Image& comboOrange) {
  Image panel = face;
  const auto copper = artwork::CopperPictures();
  const char* link = "GGOGG-GOGO";  // ports 1 to 10: green, orange or none
  for (size_t n = 0; n < copper.size(); ++n) {
    if (link[n] == 'G') panel.Paste(green, copper[n].x, copper[n].y);
    if (link[n] == 'O') panel.Paste(orange, copper[n].x, copper[n].y);
  }
  const auto combo = artwork::ComboPictures();
  panel.Paste(comboGreen, combo[0].x, combo[0].y);
  panel.Paste(comboOrange, combo[1].x, combo[1].y);
  const Rgb kGreen{0, 255, 0}, kOrange{255, 128, 0}, kWhite{255, 255, 255}, kBlack{0, 0, 0};
  const Rgb colours[] = {kGreen, kWhite, kGreen,  kGreen, kOrange, kGreen,  kGreen,
                         kBlack, kGreen, kOrange, kGreen, kGreen,  kOrange, kOrange};
  const auto leds = artwork::LedPanels();
  for (size_t i = 0; i < leds.size(); ++i) {
    const Place& p = leds[i];
    const int left = i < 10 ? 1 : 0;  // the shape's place inside its 5 x 5 host panel
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 5; ++x)
        panel.Set(p.x + x, p.y + y, x >= left && y >= 1 ? colours[i] : Rgb{});
  }
  return panel;
}

// One link picture serves every port of its kind, so the lit sockets must look alike everywhere.
bool SameAtEveryPlace(const Image& lit, const std::vector<Place>& places) {
  const Image first = lit.Crop(places[0].x, places[0].y, places[0].w, places[0].h);
  for (const Place& p : places) {
    if (lit.Crop(p.x, p.y, p.w, p.h).rgb != first.rgb) {
      std::fprintf(stderr, "the lit socket at %d,%d differs from the first one\n", p.x, p.y);
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: %s <resources folder> [<preview folder>]\n", argv[0]);
    return 2;
  }
  namespace fs = std::filesystem;
  const fs::path out = argv[1];
  std::error_code error;
  fs::create_directories(out / "panel", error);
  fs::create_directories(out / "about", error);

  const Image face = artwork::DrawFace(Lit::kNone);
  const Image litGreen = artwork::DrawFace(Lit::kGreen);
  const Image litOrange = artwork::DrawFace(Lit::kOrange);
  const Place port = artwork::CopperPictures()[0], combo = artwork::ComboPictures()[0];
  const Image green = litGreen.Crop(port.x, port.y, port.w, port.h);
  const Image orange = litOrange.Crop(port.x, port.y, port.w, port.h);
  const Image comboGreen = litGreen.Crop(combo.x, combo.y, combo.w, combo.h);
  const Image comboOrange = litOrange.Crop(combo.x, combo.y, combo.w, combo.h);
  const Image icon10 = artwork::DrawModelIcon(10), icon16 = artwork::DrawModelIcon(16);

  bool ok = true;
  for (const Image* lit : {&litGreen, &litOrange}) {
    ok &= SameAtEveryPlace(*lit, artwork::CopperPictures());
    ok &= SameAtEveryPlace(*lit, artwork::ComboPictures());
  }
  ok &= artwork::WriteJpeg(face, (out / "panel/kxr5810-face.jpg").string(), 90);
  ok &= artwork::WriteBmp(green, (out / "panel/link-green.bmp").string());
  ok &= artwork::WriteBmp(orange, (out / "panel/link-orange.bmp").string());
  ok &= artwork::WriteBmp(comboGreen, (out / "panel/combo-green.bmp").string());
  ok &= artwork::WriteBmp(comboOrange, (out / "panel/combo-orange.bmp").string());
  ok &= artwork::WriteBmp(icon10, (out / "about/kxr5810.bmp").string());
  ok &= artwork::WriteBmp(icon16, (out / "about/kxr5816.bmp").string());

  if (argc == 3) {
    const fs::path preview = argv[2];
    fs::create_directories(preview, error);
    const Image decoded = artwork::ReadJpeg((out / "panel/kxr5810-face.jpg").string());
    if (decoded.width != artwork::kFaceWidth) ok = false;
    const Image panel = PanelPreview(decoded, green, orange, comboGreen, comboOrange);
    ok &= artwork::WritePng(panel, (preview / "panel.png").string());
    ok &= artwork::WritePng(panel.Crop(0, 0, 400, 125).Zoom(3), (preview / "left-x3.png").string());
    ok &= artwork::WritePng(panel.Crop(394, 0, 400, 125).Zoom(3),
                            (preview / "right-x3.png").string());
    ok &= artwork::WritePng(Sheet({green, orange, comboGreen, comboOrange}, 8),
                            (preview / "pictures.png").string());
    ok &= artwork::WritePng(Sheet({icon10, icon16}, 8), (preview / "icons.png").string());
  }
  return ok ? 0 : 1;
}
