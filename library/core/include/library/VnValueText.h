// Text forms of SNMP values: how octets, time ticks, 64-bit counters, numbers
// and dotted identifiers are printed and read back as value texts. Every
// form is printed and parsed here, byte for byte, without the SNMP layer's
// printers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/AnsiString.h"

using VnOctets = std::vector<std::uint8_t>;
using VnSubIds = std::vector<std::uint32_t>;

// The value text of an absent value, in every syntax.
extern const char* const VnNullValueText;  // "(NULL)"

// Two upper-case hexadecimal digits per octet, no separators: 001AFF.
AnsiString VnHexText(const std::uint8_t* octets, std::size_t count);
inline AnsiString VnHexText(const VnOctets& octets) {
  return VnHexText(octets.data(), octets.size());
}
// Reads hex text: blanks are dropped; an odd count makes the first character
// an octet alone; every other character than 0-9, a-f, A-F counts as 0.
VnOctets VnHexOctets(const AnsiString& text);
// True when the text holds nothing but hexadecimal digits and blanks.
bool VnIsHexText(const AnsiString& text);

// "%lu:%02lu:%02lu.%02lu", "1 day %lu:%02lu:%02lu.%02lu" or
// "%lu days, %lu:%02lu:%02lu.%02lu" of a count of hundredths of a second.
AnsiString VnTimeTicksText(std::uint32_t hundredths);
// The count of hundredths that a time-ticks text stands for (modulo 2^32).
std::uint32_t VnTimeTicksValue(const AnsiString& text);
// True when the text, blanks around it aside, is a time as it is printed:
// "h:mm:ss.cc", after "1 day " or "N days, " when it has days; minutes and
// seconds below 60, two digits of hundredths, hours below 24 after days,
// the whole below 2^32 hundredths. Leading zeros are allowed.
bool VnIsTimeTicksText(const AnsiString& text);

// Unsigned decimal, without sign or separators.
AnsiString VnCounter64Text(std::uint64_t value);
// The text read as a decimal floating-point number and brought into the
// counter's range (negative and unreadable texts give 0, larger values the
// largest counter).
std::uint64_t VnCounter64Value(const AnsiString& text);

// True when the text, blanks around it aside, is one whole decimal number
// (an optional sign, then digits only) from least to most.
bool VnIsWholeNumber(const AnsiString& text, std::int64_t least, std::uint64_t most);
// True when the text is a whole number that the number syntax cannot carry
// (the agent gave another type): it is shown as it is and never sent in
// that syntax. False for a syntax that is no number.
bool VnIsNumberPastSyntax(const AnsiString& text, std::uint32_t syntax);

// The leading decimal number of a text: blanks skipped, an optional sign,
// digits up to the first non-digit, accumulated modulo 2^32; no digits give 0.
std::uint32_t VnLeadingNumber(const AnsiString& text);
// The leading decimal floating-point number of a text (digits, optional
// fraction and exponent); 0 when there is none.
double VnFloatValue(const AnsiString& text);
long double VnLongFloatValue(const AnsiString& text);

// The octets as characters, ending at the first zero octet.
AnsiString VnDisplayText(const std::uint8_t* octets, std::size_t count);

// Dotted decimal sub-identifiers, without a leading dot. Reading accepts an
// optional leading dot and numbers below 2^32 separated by single dots; an
// empty text gives no sub-identifiers. False for anything else.
AnsiString VnDottedText(const std::uint32_t* subIds, std::size_t count);
inline AnsiString VnDottedText(const VnSubIds& subIds) {
  return VnDottedText(subIds.data(), subIds.size());
}
bool VnParseDotted(const AnsiString& text, VnSubIds& out);
// Whether an object identifier reaches the agent as these sub-identifiers.
// The wire form joins the first two into one number (first x 40 + second),
// so it needs two at least, the first 0, 1 or 2, the second at most 39
// under 0 and 1, and under 2 a joined number within 32 bits; anything else
// would arrive as another identifier or not be encoded at all.
bool VnIsSendableOid(const VnSubIds& subIds);

// A date-time number (days since 1899-12-30) as "yyyy/mm/dd hh:nn:ss am/pm";
// raises -511 for a number outside the years 1 to 9999.
AnsiString VnCalendarText(double dateTime);
// The date-time number of a calendar text (the class library's reading).
double VnCalendarValue(const AnsiString& text);

// The eight octets of a double in memory order, and back.
void VnDoubleToOctets(double value, std::uint8_t out[8]);
double VnOctetsToDouble(const std::uint8_t in[8]);
