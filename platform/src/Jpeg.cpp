#include "platform/Jpeg.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>

// libjpeg reports a fatal error by calling error_exit, whose default prints
// and ends the program. Ours jumps back (longjmp) into the step that called
// the decoder, which then fails; the decoder's memory is released by
// jpeg_destroy_decompress. The functions that call setjmp hold no object
// with a destructor, so the jump skips nothing but libjpeg's own frames.

namespace {

struct ErrorManager {
  jpeg_error_mgr pub;  // first: libjpeg sees only this part
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->message);
  std::longjmp(err->jump, 1);
}

// Warnings mean damaged data (libjpeg pads a truncated picture, for one):
// they are counted and the first is kept; trace messages are dropped.
void OnMessage(j_common_ptr cinfo, int level) {
  if (level >= 0) return;
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  if (err->pub.num_warnings++ == 0) (*cinfo->err->format_message)(cinfo, err->message);
}

void Silent(j_common_ptr) {}

struct Decoder {
  jpeg_decompress_struct cinfo;
  ErrorManager err;

  Decoder() {
    std::memset(&cinfo, 0, sizeof cinfo);
    std::memset(&err, 0, sizeof err);
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = OnError;
    err.pub.emit_message = OnMessage;
    err.pub.output_message = Silent;
  }
  // Safe on a zeroed or partly built decoder as well.
  ~Decoder() { jpeg_destroy_decompress(&cinfo); }
  Decoder(const Decoder&) = delete;
  Decoder& operator=(const Decoder&) = delete;

  [[noreturn]] void Fail() const { throw EJPEG(AnsiString("JPEG error: ") + err.message); }
};

// Reads the header and starts decoding; false on a fatal error.
bool Start(Decoder* d, const unsigned char* data, std::size_t size) {
  if (setjmp(d->err.jump)) return false;
  jpeg_create_decompress(&d->cinfo);
  jpeg_mem_src(&d->cinfo, data, static_cast<unsigned long>(size));
  jpeg_read_header(&d->cinfo, TRUE);
  const J_COLOR_SPACE in = d->cinfo.jpeg_color_space;
  d->cinfo.out_color_space = (in == JCS_CMYK || in == JCS_YCCK) ? JCS_CMYK : JCS_RGB;
  jpeg_calc_output_dimensions(&d->cinfo);
  if (static_cast<long long>(d->cinfo.output_width) * d->cinfo.output_height > kMaxPicturePixels) {
    std::snprintf(d->err.message, sizeof d->err.message, "picture of %ux%u pixels is too large",
                  d->cinfo.output_width, d->cinfo.output_height);
    return false;
  }
  jpeg_start_decompress(&d->cinfo);
  return true;
}

std::uint32_t FromCmyk(const JSAMPLE* p, bool inverted) {
  unsigned c = p[0], m = p[1], y = p[2], k = p[3];
  if (!inverted) {
    c = 255 - c;
    m = 255 - m;
    y = 255 - y;
    k = 255 - k;
  }
  return 0xFF000000u | (c * k / 255) << 16 | (m * k / 255) << 8 | (y * k / 255);
}

// Decodes every row into `out` (output_width * output_height pixels); false
// on a fatal error.
bool ReadRows(Decoder* d, std::uint32_t* out) {
  if (setjmp(d->err.jump)) return false;
  jpeg_decompress_struct& c = d->cinfo;
  const JDIMENSION width = c.output_width;
  const int components = c.output_components;
  JSAMPARRAY row = (*c.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&c), JPOOL_IMAGE,
                                          width * static_cast<JDIMENSION>(components), 1);
  const bool inverted = c.saw_Adobe_marker;
  while (c.output_scanline < c.output_height) {
    std::uint32_t* dst = out + static_cast<std::size_t>(c.output_scanline) * width;
    if (jpeg_read_scanlines(&c, row, 1) != 1) break;
    const JSAMPLE* src = row[0];
    for (JDIMENSION x = 0; x < width; ++x, src += components) {
      dst[x] = components == 4 ? FromCmyk(src, inverted)
                               : 0xFF000000u | static_cast<std::uint32_t>(src[0]) << 16 |
                                     static_cast<std::uint32_t>(src[1]) << 8 | src[2];
    }
  }
  jpeg_finish_decompress(&c);
  return true;
}

}  // namespace

TPixels DecodeJpeg(const void* data, std::size_t size) {
  if (!data || size == 0) throw EJPEG("JPEG error: no data");
  Decoder d;
  if (!Start(&d, static_cast<const unsigned char*>(data), size)) d.Fail();
  const int components = d.cinfo.output_components;
  if (!(components == 3 && d.cinfo.out_color_space == JCS_RGB) &&
      !(components == 4 && d.cinfo.out_color_space == JCS_CMYK))
    throw EJPEG("JPEG error: unsupported colour layout");
  TPixels pixels;
  pixels.Width = static_cast<int>(d.cinfo.output_width);
  pixels.Height = static_cast<int>(d.cinfo.output_height);
  pixels.Data.assign(
      static_cast<std::size_t>(pixels.Width) * static_cast<std::size_t>(pixels.Height),
      0xFF000000u);
  if (!ReadRows(&d, pixels.Data.data())) d.Fail();
  if (d.err.pub.num_warnings > 0) d.Fail();
  return pixels;
}

void TJPEGImage::LoadFromMemory(const void* data, std::size_t size) {
  pixels_ = DecodeJpeg(data, size);
  Changed();
}
