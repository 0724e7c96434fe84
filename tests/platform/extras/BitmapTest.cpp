#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Pictures.h"
#include "support/TestSupport.h"

namespace {

void Put(std::string& s, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// BMP data as picture tools write it; rows in file order, unpadded.
struct Bmp {
  std::uint32_t headerSize = 40;
  int width = 0, height = 0;
  int bpp = 24;
  std::uint32_t compression = 0;
  std::uint32_t colorsUsed = 0;
  std::vector<std::uint32_t> palette;  // 0x00RRGGBB
  std::vector<std::uint32_t> masks;    // R, G, B[, A]
  std::vector<std::string> rows;

  std::string Bytes() const {
    std::string header;
    if (headerSize == 12) {
      Put(header, 12, 4);
      Put(header, static_cast<std::uint32_t>(width), 2);
      Put(header, static_cast<std::uint32_t>(height), 2);
      Put(header, 1, 2);
      Put(header, static_cast<std::uint32_t>(bpp), 2);
    } else {
      Put(header, headerSize, 4);
      Put(header, static_cast<std::uint32_t>(width), 4);
      Put(header, static_cast<std::uint32_t>(height), 4);
      Put(header, 1, 2);
      Put(header, static_cast<std::uint32_t>(bpp), 2);
      Put(header, compression, 4);
      Put(header, 0, 4);
      Put(header, 2835, 4);
      Put(header, 2835, 4);
      Put(header, colorsUsed, 4);
      Put(header, 0, 4);
      if (headerSize > 40) {
        for (std::uint32_t m : masks) Put(header, m, 4);
        header.resize(headerSize, '\0');
      } else {
        for (std::uint32_t m : masks) Put(header, m, 4);
      }
    }
    for (std::uint32_t c : palette) Put(header, c, headerSize == 12 ? 3 : 4);
    std::string bits;
    for (const auto& row : rows) {
      bits += row;
      bits.append((4 - row.size() % 4) % 4, '\0');
    }
    std::string file = "BM";
    Put(file, static_cast<std::uint32_t>(14 + header.size() + bits.size()), 4);
    Put(file, 0, 4);
    Put(file, static_cast<std::uint32_t>(14 + header.size()), 4);
    return file + header + bits;
  }
};

std::string Row(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s += static_cast<char>(b);
  return s;
}

TBitmap Load(const Bmp& bmp) {
  const std::string bytes = bmp.Bytes();
  TBitmap b;
  b.LoadFromMemory(bytes.data(), bytes.size());
  return b;
}

TEST(Bitmap, ReadsPaletteBitmapsBottomUpAndTopDown) {
  Bmp four;
  four.width = 3;
  four.height = 2;
  four.bpp = 4;
  four.colorsUsed = 3;
  four.palette = {0x000000, 0xFF0000, 0x0000FF};
  four.rows = {Row({0x12, 0x00}), Row({0x25, 0x10})};  // bottom row first; index 5 is unset
  TBitmap b = Load(four);
  ASSERT_EQ(b.Width(), 3);
  ASSERT_EQ(b.Height(), 2);
  EXPECT_EQ(b.Pixel(0, 0), 0xFF0000FFu);
  EXPECT_EQ(b.Pixel(1, 0), 0xFF000000u);
  EXPECT_EQ(b.Pixel(2, 0), 0xFFFF0000u);
  EXPECT_EQ(b.Pixel(0, 1), 0xFFFF0000u);
  EXPECT_EQ(b.Pixel(1, 1), 0xFF0000FFu);
  EXPECT_EQ(b.Pixel(2, 1), 0xFF000000u);
  EXPECT_EQ(b.Pixel(3, 0), 0u);  // outside

  Bmp eight;
  eight.width = 2;
  eight.height = -2;  // top-down
  eight.bpp = 8;
  eight.palette = std::vector<std::uint32_t>(256, 0x00FF00);
  eight.palette[7] = 0x123456;
  eight.rows = {Row({7, 0}), Row({0, 7})};
  b = Load(eight);
  EXPECT_EQ(b.Pixel(0, 0), 0xFF123456u);
  EXPECT_EQ(b.Pixel(1, 0), 0xFF00FF00u);
  EXPECT_EQ(b.Pixel(1, 1), 0xFF123456u);

  Bmp one;
  one.width = 9;
  one.height = 1;
  one.bpp = 1;
  one.palette = {0x000000, 0xFFFFFF};
  one.rows = {Row({0xA1, 0x80})};
  b = Load(one);
  const std::uint32_t w = 0xFFFFFFFFu, k = 0xFF000000u;
  std::vector<std::uint32_t> want = {w, k, w, k, k, k, k, w, w};
  EXPECT_EQ(b.Pixels().Data, want);
}

TEST(Bitmap, ReadsTrueColourAndBitFieldBitmaps) {
  Bmp rgb555;
  rgb555.width = 2;
  rgb555.height = 1;
  rgb555.bpp = 16;
  rgb555.rows = {Row({0x00, 0x7C, 0x1F, 0x00})};
  TBitmap b = Load(rgb555);
  EXPECT_EQ(b.Pixel(0, 0), 0xFFFF0000u);
  EXPECT_EQ(b.Pixel(1, 0), 0xFF0000FFu);

  Bmp rgb565;
  rgb565.width = 3;
  rgb565.height = 1;
  rgb565.bpp = 16;
  rgb565.compression = 3;
  rgb565.masks = {0xF800, 0x07E0, 0x001F};
  rgb565.rows = {Row({0x00, 0xF8, 0xE0, 0x07, 0x10, 0x00})};
  b = Load(rgb565);
  EXPECT_EQ(b.Pixel(0, 0), 0xFFFF0000u);
  EXPECT_EQ(b.Pixel(1, 0), 0xFF00FF00u);
  EXPECT_EQ(b.Pixel(2, 0), 0xFF000083u);  // 16 of 31

  Bmp alpha;  // a version 4 header with the masks inside it
  alpha.headerSize = 108;
  alpha.width = 1;
  alpha.height = 1;
  alpha.bpp = 32;
  alpha.compression = 3;
  alpha.masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
  alpha.rows = {Row({0x33, 0x22, 0x11, 0x80})};
  EXPECT_EQ(Load(alpha).Pixel(0, 0), 0x80112233u);

  Bmp plain32 = alpha;  // without bit fields the fourth byte is unused
  plain32.headerSize = 40;
  plain32.compression = 0;
  plain32.masks.clear();
  EXPECT_EQ(Load(plain32).Pixel(0, 0), 0xFF112233u);

  Bmp core;  // the oldest header, with 3-byte colour entries
  core.headerSize = 12;
  core.width = 2;
  core.height = 1;
  core.bpp = 24;
  core.rows = {Row({1, 2, 3, 4, 5, 6})};
  b = Load(core);
  EXPECT_EQ(b.Pixel(0, 0), 0xFF030201u);
  EXPECT_EQ(b.Pixel(1, 0), 0xFF060504u);
}

TEST(Bitmap, InvalidDataRaisesAndKeepsThePicture) {
  Bmp good;
  good.width = 2;
  good.height = 2;
  good.rows = {Row({1, 2, 3, 4, 5, 6}), Row({7, 8, 9, 10, 11, 12})};
  TBitmap b = Load(good);
  const TPixels before = b.Pixels();

  auto expectInvalid = [&](const std::string& bytes) {
    EXPECT_THROW(b.LoadFromMemory(bytes.data(), bytes.size()), EInvalidGraphic);
    EXPECT_EQ(b.Pixels().Data, before.Data);
  };
  const std::string bytes = good.Bytes();
  expectInvalid(bytes.substr(0, bytes.size() - 1));  // last row cut short
  expectInvalid(bytes.substr(0, 20));
  expectInvalid("BM");
  expectInvalid("");
  Bmp rle = good;
  rle.bpp = 8;
  rle.compression = 1;
  expectInvalid(rle.Bytes());
  Bmp odd = good;
  odd.bpp = 7;
  expectInvalid(odd.Bytes());
  Bmp negative = good;
  negative.width = -2;
  expectInvalid(negative.Bytes());
  Bmp huge = good;
  huge.width = 100000;
  huge.height = 100000;
  expectInvalid(huge.Bytes());
  Bmp noPalette = good;  // colour table cut off by the end of the data
  noPalette.bpp = 8;
  noPalette.rows.clear();
  expectInvalid(noPalette.Bytes());
}

TEST(Bitmap, SavesAndLoadsBackEveryPixel) {
  vntest::TempDir dir;
  TBitmap b;
  b.SetSize(5, 3);  // rows of 15 bytes need padding
  EXPECT_EQ(b.Pixel(4, 2), 0xFF000000u);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x)
      b.SetPixel(x, y,
                 0xFF000000u | static_cast<std::uint32_t>(x * 50) << 16 |
                     static_cast<std::uint32_t>(y * 100) << 8 | static_cast<std::uint32_t>(x + y));
  b.SetPixel(9, 9, 0xFFFFFFFFu);  // outside: ignored

  const std::string file = dir.Path() + "\\Get.bmp";
  b.SaveToFile(file.c_str());
  EXPECT_EQ(vntest::ReadFile(dir.File("Get.bmp")).size(), 54u + 16u * 3u);

  TBitmap back;
  back.LoadFromFile(file.c_str());
  EXPECT_EQ(back.Width(), 5);
  EXPECT_EQ(back.Height(), 3);
  EXPECT_EQ(back.Pixels().Data, b.Pixels().Data);

  TPicture picture;
  picture.LoadFromFile(dir.File("Get.bmp").c_str());
  ASSERT_NE(dynamic_cast<TBitmap*>(picture.Graphic()), nullptr);
  EXPECT_EQ(picture.Graphic()->Pixels().Data, b.Pixels().Data);

  // Growing keeps what was there; shrinking keeps what still fits.
  b.SetSize(6, 2);
  EXPECT_EQ(b.Pixel(4, 1), back.Pixel(4, 1));
  EXPECT_EQ(b.Pixel(5, 0), 0xFF000000u);
  b.SetHeight(0);
  EXPECT_TRUE(b.Empty());
  EXPECT_THROW(b.SaveToFile(dir.File("no/such/folder/x.bmp").c_str()), EFOpenError);
  EXPECT_THROW(back.LoadFromFile(dir.File("missing.bmp").c_str()), EFOpenError);
}

}  // namespace
