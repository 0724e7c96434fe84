// Picture files: writers of the finished pictures, each returning false (after printing why) when
// it fails, and a JPEG reader for checking the result.
#pragma once

#include <string>

#include "Canvas.h"

namespace artwork {

// Baseline JPEG through libjpeg, without chroma subsampling so that small coloured details stay
// sharp.
bool WriteJpeg(const Image& image, const std::string& path, int quality);

// Uncompressed 24-bit Windows bitmap (bottom-up rows, 96 pixels per inch).
bool WriteBmp(const Image& image, const std::string& path);

// Decodes a JPEG file; an empty image when it cannot be read.
Image ReadJpeg(const std::string& path);

// PNG with stored (uncompressed) deflate blocks: for previews only.
bool WritePng(const Image& image, const std::string& path);

}  // namespace artwork
