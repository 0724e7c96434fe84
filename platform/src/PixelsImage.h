// Private: decoded pictures as toolkit images.
#pragma once

#include <QImage>

#include "platform/Pictures.h"

namespace ui_detail {

// The pixels as an image (the same 0xAARRGGBB layout).
QImage ToQImage(const TPixels& pixels);
// As ToQImage, with every pixel of the bottom-left pixel's colour left
// transparent: how the class library draws button glyphs and transparent
// bitmaps.
QImage ToQImageKeyed(const TPixels& pixels);

}  // namespace ui_detail
