// Raw bytes of value texts and of parts inside them: a byte or a 16-bit word
// at a byte offset of an octet string, and the LED status bytes.
//
// 32- and 64-bit quantities are stored least significant byte first, 16-bit
// part values most significant byte first, single bytes as they are. The
// text "(NULL)" (no value) encodes to no bytes. No bytes decode to the empty
// text in the syntaxes that travel as an octet string (an empty octet string
// is a value like any other) and to "(NULL)" in every other. Failures raise
// the library's numbered exceptions: -511 for a syntax these routines do not
// know, -519 for a part beyond the value, -518 for too few bytes to decode
// and for an address part above 255.
#pragma once

#include <cstdint>

#include "library/VnValueText.h"
#include "platform/AnsiString.h"

class OctetStr;

// Bytes a part of the syntax takes, or VnRestWidth for the syntaxes that take
// everything from the offset on; -1 for an unknown syntax.
constexpr int VnRestWidth = -2;
int VnPartWidth(std::uint32_t syntax);

// Whether values of the syntax travel as an OCTET STRING: display and hex
// strings, port lists, MAC and IPv6 addresses, date-and-time and the double
// forms. Their empty text is the empty octet string.
bool VnIsOctetStringSyntax(std::uint32_t syntax);

VnOctets VnValueToBytes(const AnsiString& text, std::uint32_t syntax);
VnOctets VnPartBytes(const VnOctets& bytes, std::uint32_t offset, std::uint32_t syntax);
AnsiString VnBytesToValue(const VnOctets& bytes, std::uint32_t syntax);

// The same three conversions over the SNMP layer's byte container.
OctetStr ValueToOctets(const AnsiString& text, std::uint32_t syntax);
OctetStr GetPartOctets(const OctetStr& bytes, std::uint32_t offset, std::uint32_t syntax);
AnsiString OctetsToValue(const OctetStr& bytes, std::uint32_t syntax);
