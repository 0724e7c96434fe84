#include <algorithm>
#include <cstring>

#include "PictureFile.h"
#include "platform/Pictures.h"

namespace {

constexpr std::uint32_t kOpaque = 0xFF000000u;
constexpr std::uint32_t kRgb = 0, kBitFields = 3, kAlphaBitFields = 6;

[[noreturn]] void Invalid() { throw EInvalidGraphic("Bitmap image is not valid"); }

// Little-endian fields of the data, every read checked against its end.
class Bytes {
 public:
  Bytes(const unsigned char* p, std::size_t n) : p_(p), n_(n) {}
  std::size_t Size() const { return n_; }
  void Need(std::uint64_t offset, std::uint64_t count) const {
    if (offset > n_ || count > n_ - offset) Invalid();
  }
  std::uint8_t U8(std::uint64_t at) const {
    Need(at, 1);
    return p_[at];
  }
  std::uint16_t U16(std::uint64_t at) const {
    Need(at, 2);
    return static_cast<std::uint16_t>(p_[at] | p_[at + 1] << 8);
  }
  std::uint32_t U32(std::uint64_t at) const {
    Need(at, 4);
    return static_cast<std::uint32_t>(p_[at]) | static_cast<std::uint32_t>(p_[at + 1]) << 8 |
           static_cast<std::uint32_t>(p_[at + 2]) << 16 |
           static_cast<std::uint32_t>(p_[at + 3]) << 24;
  }
  std::int32_t I32(std::uint64_t at) const { return static_cast<std::int32_t>(U32(at)); }
  const unsigned char* At(std::uint64_t at) const { return p_ + at; }

 private:
  const unsigned char* p_;
  std::size_t n_;
};

// One colour channel of a bit-field pixel, scaled to 0..255.
struct Channel {
  std::uint32_t mask = 0;
  int shift = 0;
  std::uint32_t max = 0;

  explicit Channel(std::uint32_t m) : mask(m) {
    if (!m) return;
    while (!((m >> shift) & 1u)) ++shift;
    max = m >> shift;
  }
  std::uint32_t Get(std::uint32_t v, std::uint32_t absent) const {
    if (!max) return absent;
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>((v & mask) >> shift) * 255u / max);
  }
};

std::uint32_t Argb(std::uint32_t a, std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  return a << 24 | r << 16 | g << 8 | b;
}

TPixels Decode(const Bytes& in) {
  if (in.Size() < 18 || in.U8(0) != 'B' || in.U8(1) != 'M') Invalid();
  const std::uint32_t bitsOffset = in.U32(10);
  const std::uint32_t headerSize = in.U32(14);
  const bool core = headerSize == 12;
  if (!core && headerSize < 40) Invalid();

  std::int64_t width, height;
  unsigned bpp;
  std::uint32_t compression = kRgb, colorsUsed = 0;
  std::uint32_t masks[4] = {0, 0, 0, 0};
  std::uint64_t paletteAt = 14 + std::uint64_t{headerSize};
  if (core) {
    width = in.U16(18);
    height = in.U16(20);
    bpp = in.U16(24);
  } else {
    width = in.I32(18);
    height = in.I32(22);
    bpp = in.U16(28);
    compression = in.U32(30);
    colorsUsed = in.U32(46);
    if (compression == kBitFields || compression == kAlphaBitFields) {
      const unsigned count = compression == kAlphaBitFields ? 4 : 3;
      // Short headers have the masks behind them, the longer ones inside.
      const std::uint64_t at = headerSize >= 52 ? 54 : paletteAt;
      for (unsigned i = 0; i < count; ++i) masks[i] = in.U32(at + 4u * i);
      if (headerSize >= 56) masks[3] = in.U32(66);
      if (headerSize < 52) paletteAt += 4u * count;
    }
  }
  const bool topDown = height < 0;
  if (topDown) height = -height;
  if (width < 0) Invalid();

  switch (compression) {
    case kRgb:
      if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) Invalid();
      break;
    case kBitFields:
    case kAlphaBitFields:
      if (bpp != 16 && bpp != 32) Invalid();
      break;
    default:
      throw EInvalidGraphic("Bitmap compression not supported");
  }
  if (compression == kRgb && bpp == 16) {
    masks[0] = 0x7C00;
    masks[1] = 0x03E0;
    masks[2] = 0x001F;
  }

  TPixels out;
  if (width == 0 || height == 0) return out;
  if (width * height > kMaxPicturePixels) throw EInvalidGraphic("Bitmap image is too large");

  std::vector<std::uint32_t> palette;
  if (bpp <= 8) {
    const std::uint32_t full = 1u << bpp;
    const std::uint32_t count = colorsUsed && colorsUsed < full ? colorsUsed : full;
    const unsigned entry = core ? 3 : 4;
    in.Need(paletteAt, std::uint64_t{count} * entry);
    for (std::uint32_t i = 0; i < count; ++i) {
      const unsigned char* e = in.At(paletteAt + std::uint64_t{i} * entry);
      palette.push_back(Argb(0xFF, e[2], e[1], e[0]));
    }
  }

  const std::uint64_t stride = (static_cast<std::uint64_t>(width) * bpp + 31) / 32 * 4;
  in.Need(bitsOffset, stride * static_cast<std::uint64_t>(height));

  out.Width = static_cast<int>(width);
  out.Height = static_cast<int>(height);
  out.Data.assign(static_cast<std::size_t>(width * height), kOpaque);
  const Channel red(masks[0]), green(masks[1]), blue(masks[2]), alpha(masks[3]);
  for (int y = 0; y < out.Height; ++y) {
    const int row = topDown ? y : out.Height - 1 - y;
    const unsigned char* src = in.At(bitsOffset + stride * static_cast<std::uint64_t>(row));
    for (int x = 0; x < out.Width; ++x) {
      std::uint32_t& px = out.At(x, y);
      switch (bpp) {
        case 1:
        case 4:
        case 8: {
          const unsigned perByte = 8 / bpp;
          const unsigned column = static_cast<unsigned>(x);
          const unsigned byte = src[column / perByte];
          const unsigned shift = 8 - bpp * (column % perByte + 1);
          const unsigned index = (byte >> shift) & ((1u << bpp) - 1);
          px = index < palette.size() ? palette[index] : kOpaque;
          break;
        }
        case 16: {
          const std::uint32_t v = src[2 * x] | src[2 * x + 1] << 8;
          px = Argb(alpha.Get(v, 0xFF), red.Get(v, 0), green.Get(v, 0), blue.Get(v, 0));
          break;
        }
        case 24:
          px = Argb(0xFF, src[3 * x + 2], src[3 * x + 1], src[3 * x]);
          break;
        case 32: {
          const unsigned char* s = src + 4 * x;
          if (compression == kRgb) {
            px = Argb(0xFF, s[2], s[1], s[0]);
          } else {
            const std::uint32_t v = static_cast<std::uint32_t>(s[0]) | s[1] << 8 | s[2] << 16 |
                                    static_cast<std::uint32_t>(s[3]) << 24;
            px = Argb(alpha.Get(v, 0xFF), red.Get(v, 0), green.Get(v, 0), blue.Get(v, 0));
          }
          break;
        }
      }
    }
  }
  return out;
}

void Put16(std::string& s, std::uint32_t v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>((v >> 8) & 0xFF);
}

void Put32(std::string& s, std::uint32_t v) {
  Put16(s, v & 0xFFFF);
  Put16(s, v >> 16);
}

}  // namespace

void TBitmap::SetSize(int w, int h) {
  w = std::max(w, 0);
  h = std::max(h, 0);
  if (static_cast<long long>(w) * h > kMaxPicturePixels)
    throw EInvalidGraphic("Bitmap image is too large");
  TPixels next;
  next.Width = w;
  next.Height = h;
  next.Data.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), kOpaque);
  for (int y = 0; y < std::min(h, pixels_.Height); ++y)
    for (int x = 0; x < std::min(w, pixels_.Width); ++x) next.At(x, y) = pixels_.At(x, y);
  pixels_ = std::move(next);
  Changed();
}

void TBitmap::SetPixel(int x, int y, std::uint32_t argb) {
  if (x < 0 || y < 0 || x >= pixels_.Width || y >= pixels_.Height) return;
  pixels_.At(x, y) = argb;
  Changed();
}

void TBitmap::LoadFromMemory(const void* data, std::size_t size) {
  if (!data) Invalid();
  pixels_ = Decode(Bytes(static_cast<const unsigned char*>(data), size));
  Changed();
}

std::string TBitmap::SaveToMemory() const {
  const std::uint32_t w = static_cast<std::uint32_t>(pixels_.Width);
  const std::uint32_t h = static_cast<std::uint32_t>(pixels_.Height);
  const std::uint32_t stride = (w * 3 + 3) & ~3u;
  const std::uint32_t bitsSize = stride * h;
  std::string out;
  out.reserve(54 + bitsSize);
  out += "BM";
  Put32(out, 54 + bitsSize);
  Put32(out, 0);
  Put32(out, 54);
  Put32(out, 40);
  Put32(out, w);
  Put32(out, h);
  Put16(out, 1);
  Put16(out, 24);
  Put32(out, kRgb);
  Put32(out, bitsSize);
  Put32(out, 3780);  // 96 pixels per inch
  Put32(out, 3780);
  Put32(out, 0);
  Put32(out, 0);
  for (int y = pixels_.Height - 1; y >= 0; --y) {
    for (int x = 0; x < pixels_.Width; ++x) {
      const std::uint32_t px = pixels_.At(x, y);
      out += static_cast<char>(px & 0xFF);
      out += static_cast<char>((px >> 8) & 0xFF);
      out += static_cast<char>((px >> 16) & 0xFF);
    }
    out.append(stride - w * 3, '\0');
  }
  return out;
}

void TBitmap::SaveToFile(const AnsiString& fileName) const {
  vn_pictures::WriteFile(fileName, SaveToMemory());
}
