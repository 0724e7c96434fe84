#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>

#include "platform/Jpeg.h"
#include "platform/Pictures.h"
#include "platform/Resources.h"
#include "support/TestSupport.h"

namespace {

enum class Kind { kColour, kProgressive, kGrey, kAdobeCmyk };

// Four vertical stripes, 16 pixels wide each, 64 x 24 in all.
const std::uint32_t kStripes[4] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu};

std::uint32_t StripeAt(int x) { return kStripes[x / 16]; }

// Encodes the stripes with libjpeg, as a picture tool would.
std::string Encode(Kind kind) {
  const int width = 64, height = 24;
  jpeg_compress_struct c;
  jpeg_error_mgr err;
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &buffer, &size);
  c.image_width = width;
  c.image_height = height;
  c.input_components = kind == Kind::kGrey ? 1 : kind == Kind::kAdobeCmyk ? 4 : 3;
  c.in_color_space = kind == Kind::kGrey        ? JCS_GRAYSCALE
                     : kind == Kind::kAdobeCmyk ? JCS_CMYK
                                                : JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 100, TRUE);
  if (kind == Kind::kProgressive) jpeg_simple_progression(&c);
  jpeg_start_compress(&c, TRUE);
  std::vector<unsigned char> row(static_cast<std::size_t>(width) *
                                 static_cast<std::size_t>(c.input_components));
  while (c.next_scanline < c.image_height) {
    for (int x = 0; x < width; ++x) {
      const std::uint32_t px = StripeAt(x);
      const unsigned r = (px >> 16) & 0xFF, g = (px >> 8) & 0xFF, b = px & 0xFF;
      unsigned char* p =
          &row[static_cast<std::size_t>(x) * static_cast<std::size_t>(c.input_components)];
      if (kind == Kind::kGrey) {
        p[0] = static_cast<unsigned char>((r + g + b) / 3);
      } else if (kind == Kind::kAdobeCmyk) {
        // Adobe's inverted samples: C = R, M = G, Y = B with K = 255 (no black).
        p[0] = static_cast<unsigned char>(r);
        p[1] = static_cast<unsigned char>(g);
        p[2] = static_cast<unsigned char>(b);
        p[3] = 255;
      } else {
        p[0] = static_cast<unsigned char>(r);
        p[1] = static_cast<unsigned char>(g);
        p[2] = static_cast<unsigned char>(b);
      }
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&c, rows, 1);
  }
  jpeg_finish_compress(&c);
  std::string bytes(reinterpret_cast<char*>(buffer), size);
  jpeg_destroy_compress(&c);
  std::free(buffer);
  return bytes;
}

// Each channel within a small distance of the wanted one.
void ExpectNear(const TPixels& p, int x, int y, std::uint32_t want) {
  const std::uint32_t got = p.At(x, y);
  for (int shift : {24, 16, 8, 0}) {
    const int g = static_cast<int>((got >> shift) & 0xFF),
              w = static_cast<int>((want >> shift) & 0xFF);
    EXPECT_LE(std::abs(g - w), 6) << "(" << x << "," << y << ")" << std::hex << ": got 0x" << got
                                  << ", want 0x" << want;
  }
}

void ExpectStripes(const TPixels& p, bool grey) {
  ASSERT_EQ(p.Width, 64);
  ASSERT_EQ(p.Height, 24);
  ASSERT_EQ(p.Data.size(), 64u * 24u);
  for (int stripe = 0; stripe < 4; ++stripe) {
    std::uint32_t want = kStripes[stripe];
    if (grey) {
      const unsigned v = (((want >> 16) & 0xFF) + ((want >> 8) & 0xFF) + (want & 0xFF)) / 3;
      want = 0xFF000000u | v << 16 | v << 8 | v;
    }
    // Away from the edges, where the compression blurs.
    for (int y : {3, 12, 20})
      for (int x : {stripe * 16 + 4, stripe * 16 + 11}) ExpectNear(p, x, y, want);
  }
}

TEST(Jpeg, DecodesToTheRightSizeAndColours) {
  const std::string colour = Encode(Kind::kColour);
  ExpectStripes(DecodeJpeg(colour.data(), colour.size()), false);
  const std::string progressive = Encode(Kind::kProgressive);
  ExpectStripes(DecodeJpeg(progressive.data(), progressive.size()), false);
  const std::string grey = Encode(Kind::kGrey);
  ExpectStripes(DecodeJpeg(grey.data(), grey.size()), true);
  const std::string cmyk = Encode(Kind::kAdobeCmyk);
  ExpectStripes(DecodeJpeg(cmyk.data(), cmyk.size()), false);
}

TEST(Jpeg, DamagedDataRaisesAndLeavesThePictureAlone) {
  const std::string good = Encode(Kind::kColour);
  TJPEGImage image;
  image.LoadFromMemory(good.data(), good.size());
  ASSERT_EQ(image.Width(), 64);

  // Cut inside the compressed rows: libjpeg itself would only warn.
  const std::size_t scan = good.find("\xFF\xDA");
  ASSERT_NE(scan, std::string::npos);
  const std::string cut = good.substr(0, scan + (good.size() - scan) / 2);
  EXPECT_THROW(image.LoadFromMemory(cut.data(), cut.size()), EJPEG);
  // Cut inside the header, garbage after the start marker, nothing at all.
  EXPECT_THROW(image.LoadFromMemory(good.data(), 40), EJPEG);
  const std::string garbage = std::string("\xFF\xD8", 2) + std::string(200, '\x5A');
  EXPECT_THROW(image.LoadFromMemory(garbage.data(), garbage.size()), EJPEG);
  EXPECT_THROW(image.LoadFromMemory(good.data(), 0), EJPEG);
  EXPECT_THROW(image.LoadFromMemory(nullptr, 10), EJPEG);
  try {
    image.LoadFromMemory(cut.data(), cut.size());
  } catch (const EInvalidGraphic& e) {  // a kind of invalid picture
    EXPECT_EQ(e.Message.Pos("JPEG error: "), 1) << e.Message;
  }
  EXPECT_EQ(image.Width(), 64);
  EXPECT_EQ(image.Height(), 24);
  ExpectStripes(image.Pixels(), false);
}

TEST(Picture, LoadsJpegFromAFileOrAnEmbeddedResource) {
  vntest::TempDir dir;
  const std::string jpeg = Encode(Kind::kColour);
  // Any extension: the data decides.
  dir.Write("pictures/panel.pic", jpeg);

  TPicture picture;
  int changes = 0;
  picture.OnChange = [&] { ++changes; };
  picture.LoadFromFile((dir.Path() + "\\pictures\\panel.pic").c_str());
  ASSERT_NE(dynamic_cast<TJPEGImage*>(picture.Graphic()), nullptr);
  EXPECT_EQ(picture.Width(), 64);
  EXPECT_EQ(picture.Height(), 24);
  EXPECT_EQ(changes, 1);

  // Failures keep the picture it had.
  EXPECT_THROW(picture.LoadFromFile(dir.File("missing.jpg").c_str()), EFOpenError);
  EXPECT_THROW(picture.LoadFromFile(dir.Path().c_str()), EFOpenError);
  dir.Write("text.jpg", "not a picture");
  EXPECT_THROW(picture.LoadFromFile(dir.File("text.jpg").c_str()), EInvalidGraphic);
  EXPECT_THROW(picture.LoadFromResourceName("VN_NO_SUCH_PICTURE"), EResNotFound);
  EXPECT_EQ(picture.Width(), 64);
  EXPECT_EQ(changes, 1);

  // Bytes compiled into a program stay put: a static copy stands in for them.
  static const std::string embedded = jpeg;
  EXPECT_TRUE(RegisterResource("VnTestPanel", embedded.data(), embedded.size()));
  auto found = FindResourceData("VNTESTPANEL");
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ(found->Size, embedded.size());
  TPicture fromResource;
  fromResource.LoadFromResourceName("vntestpanel");
  ExpectStripes(fromResource.Graphic()->Pixels(), false);

  TPicture copy;
  copy.Assign(fromResource);
  fromResource.Clear();
  EXPECT_EQ(fromResource.Graphic(), nullptr);
  EXPECT_EQ(fromResource.Width(), 0);
  ASSERT_NE(dynamic_cast<TJPEGImage*>(copy.Graphic()), nullptr);
  EXPECT_EQ(copy.Width(), 64);
}

}  // namespace
