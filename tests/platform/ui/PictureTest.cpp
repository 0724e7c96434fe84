// Images from resources and files, button glyphs that replace captions,
// shapes painted in exact colours, progress bars and speed buttons.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>

#include "UiTestSupport.h"
#include "platform/Buttons.h"
#include "platform/ComCtrls.h"
#include "platform/ExtCtrls.h"
#include "platform/Files.h"
#include "platform/Jpeg.h"
#include "platform/Resources.h"
#include "support/TestSupport.h"

namespace {

constexpr std::uint32_t kRed = 0xFFFF0000u, kBlue = 0xFF0000FFu, kWhite = 0xFFFFFFFFu,
                        kGreen = 0xFF00FF00u, kMagenta = 0xFFFF00FFu;

// A JPEG picture: the left half red, the right half blue.
std::string EncodeHalves(int width, int height) {
  jpeg_compress_struct c;
  jpeg_error_mgr err;
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &buffer, &size);
  c.image_width = static_cast<JDIMENSION>(width);
  c.image_height = static_cast<JDIMENSION>(height);
  c.input_components = 3;
  c.in_color_space = JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 100, TRUE);
  jpeg_start_compress(&c, TRUE);
  std::vector<unsigned char> row(static_cast<std::size_t>(width) * 3);
  for (int x = 0; x < width; ++x) {
    bool left = x < width / 2;
    const std::size_t at = static_cast<std::size_t>(x) * 3;
    row[at] = left ? 255 : 0;
    row[at + 1] = 0;
    row[at + 2] = left ? 0 : 255;
  }
  while (c.next_scanline < c.image_height) {
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&c, rows, 1);
  }
  jpeg_finish_compress(&c);
  std::string bytes(reinterpret_cast<char*>(buffer), size);
  jpeg_destroy_compress(&c);
  std::free(buffer);
  return bytes;
}

// Near in every channel (JPEG is lossy).
bool Near(std::uint32_t got, std::uint32_t want) {
  for (int shift : {16, 8, 0}) {
    int g = static_cast<int>((got >> shift) & 0xFF), w = static_cast<int>((want >> shift) & 0xFF);
    if (std::abs(g - w) > 24) return false;
  }
  return true;
}

// A bitmap of solid colours, one per cell of `cells` across.
TBitmap Cells(const std::vector<std::uint32_t>& cells, int cellWidth, int height) {
  TBitmap b;
  b.SetSize(static_cast<int>(cells.size()) * cellWidth, height);
  for (int x = 0; x < b.Width(); ++x)
    for (int y = 0; y < height; ++y)
      b.SetPixel(x, y, cells[static_cast<std::size_t>(x / cellWidth)]);
  return b;
}

class Pictures : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    form = Create<TForm>(Application);
    form->SetBorderStyle(bsNone);
    form->SetClientWidth(200);
    form->SetClientHeight(100);
    form->SetColor(clWhite);
  }
  void TearDown() override {
    delete form;
    UiTest::TearDown();
  }
  TPixels Shot() {
    TestKit::ShowAndActivate(form);
    return TestKit::GrabPixels(form);
  }
  TForm* form = nullptr;
};

TEST_F(Pictures, AJpegResourceIsDecodedSizedAndDrawn) {
  static const std::string kJpeg = EncodeHalves(32, 16);
  RegisterResource("TEST_HALVES", kJpeg.data(), kJpeg.size());
  auto* image = new TImage(form);
  image->SetParent(form);
  image->SetBounds(10, 20, 105, 105);
  EXPECT_EQ(image->Width(), 105);
  image->SetAutoSize(true);
  image->Picture()->LoadFromResourceName("test_halves");
  ASSERT_NE(dynamic_cast<TJPEGImage*>(image->Picture()->Graphic()), nullptr);
  EXPECT_EQ(image->Width(), 32);
  EXPECT_EQ(image->Height(), 16);
  TPixels shot = Shot();
  EXPECT_TRUE(Near(shot.At(10 + 4, 20 + 8), kRed));
  EXPECT_TRUE(Near(shot.At(10 + 28, 20 + 8), kBlue));
  EXPECT_EQ(shot.At(10 + 40, 20 + 8), kWhite);  // beyond the picture
  image->Hide();
  EXPECT_EQ(TestKit::GrabPixels(form).At(14, 28), kWhite);
  image->Show();
  EXPECT_TRUE(Near(TestKit::GrabPixels(form).At(14, 28), kRed));
}

TEST_F(Pictures, StretchAndAlignFillTheClientWithABitmapFromAFile) {
  vntest::TempDir dir;
  Cells({kRed, kGreen, kBlue, kMagenta}, 1, 2).SaveToFile(dir.File("bg.bmp").c_str());
  auto* image = new TImage(form);
  image->SetParent(form);
  image->Picture()->LoadFromFile(AnsiString(dir.Path().c_str()) +
                                 "\\bg.bmp");  // as the module writes paths
  image->SetAlign(alClient);
  image->SetStretch(true);
  EXPECT_EQ(image->BoundsRect(), (TRect{0, 0, 200, 100}));
  TPixels shot = Shot();
  EXPECT_EQ(shot.At(0, 0), kRed);
  EXPECT_EQ(shot.At(49, 99), kRed);
  EXPECT_EQ(shot.At(50, 50), kGreen);
  EXPECT_EQ(shot.At(120, 10), kBlue);
  EXPECT_EQ(shot.At(199, 99), kMagenta);
  // Without Stretch it stays 4 x 2 at the top left.
  image->SetStretch(false);
  shot = TestKit::GrabPixels(form);
  EXPECT_EQ(shot.At(3, 1), kMagenta);
  EXPECT_EQ(shot.At(4, 1), kWhite);
  EXPECT_EQ(shot.At(0, 2), kWhite);
}

TEST_F(Pictures, ABadPictureRaisesAndKeepsTheOldOne) {
  vntest::TempDir dir;
  std::string bad = EncodeHalves(16, 16);
  bad.resize(bad.size() / 2);
  std::string path = dir.Write("bad.jpg", bad);
  auto* image = new TImage(form);
  image->SetParent(form);
  image->SetAutoSize(true);
  TPicture green;
  std::string bmp = Cells({kGreen}, 8, 8).SaveToMemory();
  green.LoadFromMemory(bmp.data(), bmp.size());
  image->SetPicture(green);
  EXPECT_EQ(image->Width(), 8);
  EXPECT_THROW(image->Picture()->LoadFromFile(path.c_str()), EJPEG);
  EXPECT_THROW(image->Picture()->LoadFromFile(dir.File("missing.bmp").c_str()), EFOpenError);
  EXPECT_EQ(image->Width(), 8);
  EXPECT_EQ(Shot().At(4, 4), kGreen);
}

TEST_F(Pictures, ATransparentBitmapLeavesItsBackgroundColourUndrawn) {
  std::string bmp = Cells({kMagenta, kBlue, kMagenta}, 4, 4).SaveToMemory();
  auto* image = new TImage(form);
  image->SetParent(form);
  image->Picture()->LoadFromMemory(bmp.data(), bmp.size());
  image->SetTransparent(true);
  TPixels shot = Shot();
  EXPECT_EQ(shot.At(1, 1), kWhite);
  EXPECT_EQ(shot.At(5, 1), kBlue);
}

// What the button column does for each of its buttons: the picture in the
// current folder replaces the caption when the file exists.
void ApplyGlyph(TBitBtn* button, const char* file) {
  AnsiString path = GetCurrentDir() + "\\" + file;
  if (FileExists(path)) {
    button->SetCaption("");
    button->Glyph()->LoadFromFile(path);
  }
}

TEST_F(Pictures, AGlyphFilePresentReplacesTheCaptionAbsentKeepsIt) {
  vntest::TempDir dir;
  // Green arrow-ish cell on a magenta background (the transparent colour).
  TBitmap glyph = Cells({kMagenta, kGreen, kGreen, kMagenta}, 4, 16);
  glyph.SaveToFile(dir.File("Get.bmp").c_str());
  char old[4096];
  ASSERT_NE(getcwd(old, sizeof old), nullptr);
  ASSERT_EQ(chdir(dir.Path().c_str()), 0);
  auto* refresh = new TBitBtn(form);
  refresh->SetParent(form);
  refresh->SetCaption("Refresh");
  refresh->SetBounds(10, 10, 96, 25);
  auto* edit = new TBitBtn(form);
  edit->SetParent(form);
  edit->SetCaption("Edit");
  edit->SetBounds(10, 40, 96, 25);
  ApplyGlyph(refresh, "Get.bmp");
  ApplyGlyph(edit, "Set.bmp");
  ASSERT_EQ(chdir(old), 0);
  EXPECT_EQ(refresh->Caption(), "");
  EXPECT_EQ(TestKit::DisplayedText(refresh), "");
  EXPECT_EQ(refresh->Glyph()->Width(), 16);
  EXPECT_EQ(refresh->NumGlyphs(), 1);
  EXPECT_EQ(edit->Caption(), "Edit");
  EXPECT_TRUE(edit->Glyph()->Empty());
  TPixels shot = Shot();
  // The picture sits in the middle of the button; its magenta is not drawn.
  int greens = 0, magentas = 0;
  for (int y = 10; y < 35; ++y)
    for (int x = 10; x < 106; ++x) {
      greens += shot.At(x, y) == kGreen;
      magentas += shot.At(x, y) == kMagenta;
    }
  EXPECT_EQ(greens, 8 * 16);
  EXPECT_EQ(magentas, 0);
  // A strip of two images: up and disabled.
  refresh->SetGlyph(Cells({kGreen, kBlue}, 16, 16));
  EXPECT_EQ(refresh->NumGlyphs(), 2);
}

TEST_F(Pictures, ShapesKeepAndPaintTheirColoursExactly) {
  // The LED colours: white, green, blue, red, orange (0x00BBGGRR).
  const TColor colours[] = {0xFFFFFF, 0x00FF00, 0xFF0000, 0x0000FF, 0x4080FF};
  const std::uint32_t painted[] = {0xFFFFFFFFu, 0xFF00FF00u, 0xFF0000FFu, 0xFFFF0000u, 0xFFFF8040u};
  form->SetColor(clBlack);
  std::vector<TShape*> shapes;
  for (int i = 0; i < 5; ++i) {
    auto* s = new TShape(form);
    s->SetParent(form);
    s->SetBounds(10 + i * 12, 10, 5, 5);
    s->Brush()->SetColor(colours[i]);
    s->Pen()->SetColor(colours[i]);
    shapes.push_back(s);
  }
  // A framed one: pen and brush differ.
  auto* framed = new TShape(form);
  framed->SetParent(form);
  framed->SetBounds(100, 10, 20, 20);
  framed->Brush()->SetColor(0x4080FF);
  framed->Pen()->SetColor(clBlue);
  EXPECT_EQ(framed->Width(), 20);
  EXPECT_EQ(framed->Shape(), stRectangle);
  EXPECT_EQ(shapes[4]->Brush()->Color(), 0x4080FF);  // read back as written
  TPixels shot = Shot();
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(shot.At(10 + i * 12, 10), painted[i]);       // corner
    EXPECT_EQ(shot.At(10 + i * 12 + 2, 12), painted[i]);   // middle
    EXPECT_EQ(shot.At(10 + i * 12 + 4, 14), painted[i]);   // opposite corner
    EXPECT_EQ(shot.At(10 + i * 12 + 5, 12), 0xFF000000u);  // beyond it
  }
  EXPECT_EQ(shot.At(100, 10), 0xFF0000FFu);
  EXPECT_EQ(shot.At(119, 29), 0xFF0000FFu);
  EXPECT_EQ(shot.At(110, 20), 0xFFFF8040u);
  // A repaint after a colour change, and system colours read back as written.
  shapes[0]->Brush()->SetColor(clBtnFace);
  EXPECT_EQ(shapes[0]->Brush()->Color(), clBtnFace);
  shapes[0]->Brush()->SetColor(0x000000);
  EXPECT_EQ(TestKit::GrabPixels(form).At(12, 12), 0xFF000000u);
}

TEST_F(Pictures, ProgressBarKeepsItsPositionInRangeAndDrawsIt) {
  auto* bar = new TProgressBar(form);
  bar->SetParent(form);
  EXPECT_EQ(bar->Width(), 150);
  EXPECT_EQ(bar->Height(), 16);
  bar->SetBounds(16, 32, 154, 16);
  bar->SetMax(76);
  bar->SetSmooth(true);
  for (int i = 0; i < 15; ++i) bar->SetPosition(bar->Position() + 1);
  EXPECT_EQ(bar->Position(), 15);
  TPixels shot = Shot();
  // 152 inner pixels, 15 of 76 done: 30 pixels filled from x 17.
  std::uint32_t fill = shot.At(17, 40);
  EXPECT_NE(fill, shot.At(17 + 30, 40));
  EXPECT_EQ(shot.At(17 + 29, 40), fill);
  bar->SetPosition(500);
  EXPECT_EQ(bar->Position(), 76);
  bar->SetMax(50);
  EXPECT_EQ(bar->Position(), 50);
  bar->SetPosition(-3);
  EXPECT_EQ(bar->Position(), 0);
  bar->SetStep(20);
  bar->SetPosition(40);
  bar->StepIt();  // past the end: from the start again
  EXPECT_EQ(bar->Position(), 10);
  bar->StepBy(100);
  EXPECT_EQ(bar->Position(), 50);
}

TEST_F(Pictures, SpeedButtonsGoDownInGroupsOnly) {
  std::vector<TSpeedButton*> ports;
  int clicks = 0;
  for (int i = 0; i < 3; ++i) {
    auto* b = new TSpeedButton(form);
    b->SetParent(form);
    b->SetBounds(10 + i * 30, 10, 28, 20);
    b->SetCaption(AnsiString(i + 1) + ".1");
    b->OnClick = [&](TObject*) { ++clicks; };
    ports.push_back(b);
  }
  ports[0]->SetDown(true);  // GroupIndex 0: never stays down
  EXPECT_FALSE(ports[0]->Down());
  for (TSpeedButton* b : ports) {
    b->SetGroupIndex(1);
    b->SetAllowAllUp(true);
  }
  ports[0]->SetDown(true);
  ports[1]->SetDown(true);
  EXPECT_FALSE(ports[0]->Down());
  EXPECT_TRUE(ports[1]->Down());
  TestKit::ShowAndActivate(form);
  TestKit::Click(ports[2]);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(ports[2]->Down());
  EXPECT_FALSE(ports[1]->Down());
  ports[2]->SetDown(false);  // allowed with AllowAllUp
  EXPECT_FALSE(ports[2]->Down());
  ports[2]->SetAllowAllUp(false);
  ports[2]->SetDown(true);
  ports[2]->SetDown(false);  // a down button stays down without AllowAllUp
  EXPECT_TRUE(ports[2]->Down());
}

}  // namespace
