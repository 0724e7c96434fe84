#include "forms/common/InputChecks.h"

#include "platform/Dialogs.h"
#include "platform/SysUtils.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// The digits' value, held at 1000 once it is above 255 (no overflow).
int PartValue(const std::string& part) {
  int n = 0;
  for (char c : part) {
    n = n * 10 + (c - '0');
    if (n > 999) n = 1000;
  }
  return n;
}

// Exactly `count` characters, each a hexadecimal digit.
bool ExactHex(const std::string& s, int count) {
  if (count <= 0 || s.size() != static_cast<std::size_t>(count)) return false;
  for (char c : s)
    if (!IsHexDigit(c)) return false;
  return true;
}

}  // namespace

TIpTextFault CheckIpAddressText(const AnsiString& text) {
  const std::string& t = text.str();
  // The whole text is judged: a dotted address never needs more than 15
  // characters.
  if (t.empty() || t.size() > 15) return TIpTextFault::Bad;
  int dots = 0;
  std::string part;
  for (std::size_t i = 0; i < t.size(); ++i) {
    const char c = t[i];
    if (c == '.') {
      if (i + 1 >= t.size() || !IsDigit(t[i + 1])) return TIpTextFault::Bad;
      ++dots;
      if (i == 0) return TIpTextFault::Bad;
      if (part.size() > 3) return TIpTextFault::Bad;
      const int n = PartValue(part);
      if (n == 0 && part.find("00") != std::string::npos) return TIpTextFault::DoubleZeroPart;
      if (n > 255) return TIpTextFault::Bad;
      part.clear();
    } else {
      if (!IsDigit(c)) return TIpTextFault::Bad;
      part += c;
    }
  }
  const int n = PartValue(part);
  if (n == 0 && part.find("00") != std::string::npos) return TIpTextFault::Bad;
  if (n > 255) return TIpTextFault::Bad;
  return dots == 3 ? TIpTextFault::None : TIpTextFault::Bad;
}

bool ValidateIpAddressText(const AnsiString& text) {
  return ValidateIpAddressText(text, kInvalidIpMessage);
}

bool ValidateIpAddressText(const AnsiString& text, const AnsiString& doubleZeroMessage) {
  switch (CheckIpAddressText(text)) {
    case TIpTextFault::None:
      return true;
    case TIpTextFault::DoubleZeroPart:
      ShowMessage(doubleZeroMessage);
      return false;
    case TIpTextFault::Bad:
      break;
  }
  ShowMessage(kInvalidIpMessage);
  return false;
}

bool IsMacInputText(const AnsiString& text) { return ExactHex(text.str(), 12); }

bool ValidateMacInput(const AnsiString& text) {
  if (IsMacInputText(text)) return true;
  ShowMessage(kInvalidMacMessage);
  return false;
}

int TypedNumber(const AnsiString& text, int fallback) { return StrToIntDef(text.Trim(), fallback); }

bool IsHexDigitsText(const AnsiString& text, int digits) { return ExactHex(text.str(), digits); }

bool ValidateHexDigits(const AnsiString& text, int digits, const AnsiString& message) {
  if (IsHexDigitsText(text, digits)) return true;
  ShowMessage(message);
  return false;
}
