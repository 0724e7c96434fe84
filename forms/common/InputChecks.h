// Checks of typed text that many forms make before they write a value: a
// dotted IPv4 address, a MAC address as twelve hexadecimal digits, and
// exactly N hexadecimal digits. The Validate* functions show their message
// with ShowMessage on failure and return false; on success they show nothing.
// The Is* / Check* functions only judge. Callers focus the edit and send
// nothing on false.
#pragma once

#include "platform/AnsiString.h"

inline constexpr const char* kInvalidIpMessage = "Please input a valid IP";
inline constexpr const char* kInvalidIpLowerMessage = "Please input a valid ip";
inline constexpr const char* kInvalidMacMessage = "Invalid MAC address";

// How an IPv4 text failed. The whole text is judged: more than 15
// characters fail.
enum class TIpTextFault {
  None,
  Bad,
  // A part written with "00" (or "000") before a ".".
  DoubleZeroPart,
};
TIpTextFault CheckIpAddressText(const AnsiString& text);
inline bool IsIpAddressText(const AnsiString& text) {
  return CheckIpAddressText(text) == TIpTextFault::None;
}

// "Please input a valid IP" on every failure.
bool ValidateIpAddressText(const AnsiString& text);
// As above, but a part written with "00" before a "." shows
// `doubleZeroMessage` instead (kInvalidIpLowerMessage in the IP mask form).
bool ValidateIpAddressText(const AnsiString& text, const AnsiString& doubleZeroMessage);

// Exactly twelve hexadecimal digits, no separators.
bool IsMacInputText(const AnsiString& text);
// "Invalid MAC address" on failure.
bool ValidateMacInput(const AnsiString& text);

// A whole number typed into a field. Blanks around it are no part of it,
// as for the library's number check and what it sends (" 20 " is 20);
// `fallback` when the rest is no whole number.
int TypedNumber(const AnsiString& text, int fallback);

// Exactly `digits` hexadecimal digits (either case); the empty text fails.
bool IsHexDigitsText(const AnsiString& text, int digits);
// `message` on failure ("Invalid Mask!", "Invalid MAC Address", ...).
bool ValidateHexDigits(const AnsiString& text, int digits, const AnsiString& message);
