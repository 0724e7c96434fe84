// The built-in 5 x 7 bitmap font: upper-case letters, digits and a few signs.
#pragma once

#include <cstdint>

namespace artwork {

constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;
constexpr int kGlyphAdvance = 6;

// Seven rows, top first; bit 4 is the leftmost column. Unknown characters give a blank.
const uint8_t* Glyph(char c);

}  // namespace artwork
