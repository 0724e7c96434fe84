#include "Font.h"

#include <array>
#include <cctype>
#include <string>
#include <string_view>

namespace artwork {
namespace {

// Each entry: the character, a blank, then its seven rows as two hexadecimal digits each.
// clang-format off
constexpr std::string_view kGlyphs[] = {
    "  00000000000000", "0 0E11131519110E", "1 040C040404040E", "2 0E11010204081F",
    "3 1F02040201110E", "4 02060A121F0202", "5 1F101E0101110E", "6 0608101E11110E",
    "7 1F010204080808", "8 0E11110E11110E", "9 0E11110F01020C", "A 0E1111111F1111",
    "B 1E11111E11111E", "C 0E11101010110E", "D 1C12111111121C", "E 1F10101E10101F",
    "F 1F10101E101010", "G 0E11101711110F", "H 1111111F111111", "I 0E04040404040E",
    "J 0702020202120C", "K 11121418141211", "L 1010101010101F", "M 111B1515111111",
    "N 11111915131111", "O 0E11111111110E", "P 1E11111E101010", "Q 0E11111115120D",
    "R 1E11111E141211", "S 0F10100E01011E", "T 1F040404040404", "U 1111111111110E",
    "V 11111111110A04", "W 1111111515150A", "X 11110A040A1111", "Y 1111110A040404",
    "Z 1F01020408101F", "- 0000001F000000", "/ 00010204081000", ". 00000000000C0C",
    ": 000C0C000C0C00", "+ 0004041F040400",
};
// clang-format on

}  // namespace

const uint8_t* Glyph(char c) {
  // Decoded once into a table indexed by character code; unknown characters stay blank.
  static const auto table = [] {
    std::array<std::array<uint8_t, kGlyphHeight>, 128> t{};
    for (std::string_view g : kGlyphs) {
      for (int row = 0; row < kGlyphHeight; ++row) {
        const std::string_view hex = g.substr(size_t(2 + 2 * row), 2);
        t[size_t(g[0])][size_t(row)] = uint8_t(std::stoi(std::string(hex), nullptr, 16));
      }
    }
    return t;
  }();
  return table[size_t(std::toupper(static_cast<unsigned char>(c)) & 0x7F)].data();
}

}  // namespace artwork
