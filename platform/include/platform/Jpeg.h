// JPEG pictures, decoded with libjpeg.
#pragma once

#include <cstddef>

#include "platform/Pictures.h"

// Data that is not a complete, valid JPEG picture.
class EJPEG : public EInvalidGraphic {
 public:
  using EInvalidGraphic::EInvalidGraphic;
};

class TJPEGImage : public TGraphic {
 public:
  TJPEGImage() = default;
  // Baseline and progressive; greyscale, colour and CMYK. Damaged or
  // truncated data raises EJPEG, also where the decoder would only warn.
  void LoadFromMemory(const void* data, std::size_t size) override;
  std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TJPEGImage>(*this); }
};

// Decodes JPEG data to opaque pixels; EJPEG on any fault.
TPixels DecodeJpeg(const void* data, std::size_t size);
