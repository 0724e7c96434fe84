#include "app/PanelLedStatus.h"

#include <cctype>

bool IsLedStatusText(const AnsiString& hex) {
  const std::string& text = hex.str();
  if (text.empty() || text.size() % 2 != 0) return false;
  for (char c : text)
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
  return true;
}

TLinkPicture LinkPictureOf(const AnsiString& hex, int slot) {
  // Slot 1 starts at character 11: byte 5, the state byte of port 1.
  const AnsiString pair = hex.SubString(4 * slot + 7, 4);
  // A slot the value does not reach says nothing of a link, as its black LED
  // does not either.
  if (pair.Length() < 4 || pair == "0101") return TLinkPicture::None;
  if (pair == "8203") return TLinkPicture::Green;
  return TLinkPicture::Orange;
}
