// Checks of typed IPv4, IPv6 and MAC addresses.
#include "library/VnAddressValidators.h"

#include <cstring>

namespace {

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

bool IsOddHexDigit(char c) { return c != 0 && std::strchr("13579BbDdFf", c) != nullptr; }

// A non-empty run of decimal digits whose value is at most 255; its value in
// *value.
bool ReadIpv4Part(const AnsiString& part, int* value) {
  if (part.IsEmpty()) return false;
  int v = 0;
  for (int i = 1; i <= part.Length(); ++i) {
    const char c = part[i];
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
    if (v > 255) return false;
  }
  *value = v;
  return true;
}

// The value of the first part of a dotted IPv4 address, or -1 when the text
// is no such address.
int Ipv4FirstPart(const AnsiString& text) {
  if (text.Length() > 16) return -1;
  AnsiString rest = text;
  int first = -1;
  for (int part = 0; part < 4; ++part) {
    AnsiString field;
    const int dot = rest.Pos(".");
    if (part < 3) {
      if (dot == 0) return -1;  // fewer than three dots
      field = rest.SubString(1, dot - 1);
      rest = rest.SubString(dot + 1, rest.Length());
    } else {
      field = rest;  // a further dot is no digit and fails below
    }
    int value = 0;
    if (!ReadIpv4Part(field, &value)) return -1;
    if (part == 0) first = value;
  }
  return first;
}

int CountChar(const AnsiString& text, int from, char wanted) {
  int n = 0;
  for (int i = from; i <= text.Length(); ++i)
    if (text[i] == wanted) ++n;
  return n;
}

}  // namespace

bool IsValidIpv4(const AnsiString& text) { return Ipv4FirstPart(text) >= 0; }

bool IsValidMulticastIpv4(const AnsiString& text) {
  const int first = Ipv4FirstPart(text);
  return first >= 224 && first <= 239;
}

bool IsValidIpv6(const AnsiString& text) {
  if (text.Length() != 32) return false;
  for (int i = 1; i <= 32; ++i)
    if (!IsHexDigit(text[i])) return false;
  return true;
}

bool IsValidMulticastIpv6(const AnsiString& text) {
  return IsValidIpv6(text) && (text[1] == 'F' || text[1] == 'f') &&
         (text[2] == 'F' || text[2] == 'f');
}

bool IsValidMac(const AnsiString& text) {
  char separator = 0;
  if (text.Pos("-") > 0)
    separator = '-';
  else if (text.Pos(".") > 0)
    separator = '.';

  if (separator == 0) {
    if (text.Length() != 12) return false;
    for (int i = 1; i <= 12; ++i)
      if (!IsHexDigit(text[i])) return false;
    return true;
  }

  if (CountChar(text, 1, separator) != 5) return false;
  // Only the first two characters of each group are examined.
  int groupStart = 1;
  for (int group = 0; group < 6; ++group) {
    int groupEnd = groupStart;
    while (groupEnd <= text.Length() && text[groupEnd] != separator) ++groupEnd;
    if (groupEnd - groupStart < 2) return false;
    if (!IsHexDigit(text[groupStart]) || !IsHexDigit(text[groupStart + 1])) return false;
    groupStart = groupEnd + 1;
  }
  return true;
}

bool IsMulticastMac(const AnsiString& text) {
  if (text.Length() < 2) return false;
  if (CountChar(text, 1, 'F') + CountChar(text, 1, 'f') == 12) return false;  // broadcast
  if (CountChar(text, 3, '0') > 9) return false;  // a first octet followed by zeros
  return IsOddHexDigit(text[2]);
}

bool IsUnicastMac(const AnsiString& text) {
  if (text.Length() < 2) return false;
  if (CountChar(text, 1, '0') == 12) return false;  // all zeros
  return !IsOddHexDigit(text[2]);
}
