#include "ImageFiles.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <memory>

// libjpeg's header needs FILE and size_t declared first.
#include <jpeglib.h>

namespace artwork {
namespace {

using Bytes = std::string;

void Put16(Bytes& b, unsigned v) { b += char(v & 0xFF), b += char((v >> 8) & 0xFF); }
void Put32(Bytes& b, uint32_t v) { Put16(b, v & 0xFFFF), Put16(b, v >> 16); }
void Put32Be(Bytes& b, uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) b += char((v >> s) & 0xFF);
}

bool Save(const Bytes& bytes, const std::string& path) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), std::streamsize(bytes.size()));
  if (!out.flush()) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

uint32_t Crc32(const Bytes& data, size_t from) {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  uint32_t c = 0xFFFFFFFFu;
  for (size_t i = from; i < data.size(); ++i) c = table[(c ^ uint8_t(data[i])) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

void PngChunk(Bytes& png, const char* type, const Bytes& payload) {
  Put32Be(png, uint32_t(payload.size()));
  const size_t start = png.size();
  png += type;
  png += payload;
  Put32Be(png, Crc32(png, start));
}

}  // namespace

bool WriteJpeg(const Image& image, const std::string& path, int quality) {
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
  if (!file) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return false;
  }
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);  // a libjpeg failure ends the tool with its message
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, file.get());
  info.image_width = JDIMENSION(image.width);
  info.image_height = JDIMENSION(image.height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  info.optimize_coding = TRUE;
  for (int i = 0; i < info.num_components; ++i) {
    info.comp_info[i].h_samp_factor = 1;
    info.comp_info[i].v_samp_factor = 1;
  }
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row =
        const_cast<JSAMPROW>(&image.rgb[size_t(info.next_scanline) * size_t(image.width) * 3]);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return std::fflush(file.get()) == 0;
}

Image ReadJpeg(const std::string& path) {
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!file) return {};
  jpeg_decompress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&info);
  jpeg_stdio_src(&info, file.get());
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  Image image(int(info.output_width), int(info.output_height));
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = &image.rgb[size_t(info.output_scanline) * size_t(image.width) * 3];
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return image;
}

bool WriteBmp(const Image& image, const std::string& path) {
  const uint32_t stride = (uint32_t(image.width) * 3 + 3) & ~3u;
  const uint32_t pixels = stride * uint32_t(image.height);
  Bytes b;
  b += "BM";
  Put32(b, 14 + 40 + pixels);
  Put32(b, 0);
  Put32(b, 14 + 40);
  Put32(b, 40);  // BITMAPINFOHEADER
  Put32(b, uint32_t(image.width));
  Put32(b, uint32_t(image.height));  // positive: bottom-up
  Put16(b, 1);
  Put16(b, 24);
  Put32(b, 0);  // BI_RGB
  Put32(b, pixels);
  Put32(b, 3780);  // 96 pixels per inch
  Put32(b, 3780);
  Put32(b, 0);
  Put32(b, 0);
  for (int y = image.height - 1; y >= 0; --y) {
    for (int x = 0; x < image.width; ++x) {
      const Rgb c = image.At(x, y);
      b += char(c.b), b += char(c.g), b += char(c.r);
    }
    b.append(stride - uint32_t(image.width) * 3, '\0');
  }
  return Save(b, path);
}

bool WritePng(const Image& image, const std::string& path) {
  Bytes raw;
  for (int y = 0; y < image.height; ++y) {
    raw += '\0';  // filter: none
    raw.append(reinterpret_cast<const char*>(&image.rgb[size_t(y) * size_t(image.width) * 3]),
               size_t(image.width) * 3);
  }
  Bytes z = "\x78\x01";
  for (size_t at = 0; at < raw.size(); at += 65535) {  // stored blocks of at most 65535 bytes
    const size_t n = std::min<size_t>(65535, raw.size() - at);
    z += char(at + n == raw.size() ? 1 : 0);
    Put16(z, unsigned(n));
    Put16(z, unsigned(~n & 0xFFFF));
    z.append(raw, at, n);
  }
  uint32_t a = 1, s = 0;
  for (char ch : raw) a = (a + uint8_t(ch)) % 65521, s = (s + a) % 65521;
  Put32Be(z, (s << 16) | a);

  Bytes header;
  Put32Be(header, uint32_t(image.width));
  Put32Be(header, uint32_t(image.height));
  header += std::string("\x08\x02\x00\x00\x00", 5);  // 8-bit RGB, no interlace
  Bytes png = "\x89PNG\r\n\x1a\n";
  PngChunk(png, "IHDR", header);
  PngChunk(png, "IDAT", z);
  PngChunk(png, "IEND", "");
  return Save(png, path);
}

}  // namespace artwork
