#include "PixelsImage.h"

#include <cstring>

namespace ui_detail {

QImage ToQImage(const TPixels& pixels) {
  if (pixels.Empty()) return QImage();
  QImage image(pixels.Width, pixels.Height, QImage::Format_ARGB32);
  const std::size_t rowBytes = static_cast<std::size_t>(pixels.Width) * sizeof(std::uint32_t);
  for (int y = 0; y < pixels.Height; ++y)
    std::memcpy(image.scanLine(y), &pixels.Data[pixels.Index(0, y)], rowBytes);
  return image;
}

QImage ToQImageKeyed(const TPixels& pixels) {
  QImage image = ToQImage(pixels);
  if (image.isNull()) return image;
  const std::uint32_t key = pixels.At(0, pixels.Height - 1) | 0xFF000000u;
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x)
      if ((line[x] | 0xFF000000u) == key) line[x] = 0;
  }
  return image;
}

}  // namespace ui_detail
