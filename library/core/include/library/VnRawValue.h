// Raw bytes of value texts and of parts inside them: a byte or a 16-bit word
// at a byte offset of an octet string, and the LED status bytes.
//
// 32- and 64-bit quantities are stored least significant byte first, 16-bit
// part values most significant byte first, single bytes as they are. The
// text "(NULL)" encodes to no bytes and no bytes decode to "(NULL)", in every
// syntax. Failures raise the library's numbered exceptions: -511 for a
// syntax these routines do not know, -519 for a part beyond the value, -518
// for too few bytes to decode and for an address part above 255.
#pragma once

#include <cstdint>

#include "library/VnValueText.h"
#include "platform/AnsiString.h"

class OctetStr;

// Bytes a part of the syntax takes, or VnRestWidth for the syntaxes that take
// everything from the offset on; -1 for an unknown syntax.
constexpr int VnRestWidth = -2;
int VnPartWidth(std::uint32_t syntax);

VnOctets VnValueToBytes(const AnsiString& text, std::uint32_t syntax);
VnOctets VnPartBytes(const VnOctets& bytes, std::uint32_t offset, std::uint32_t syntax);
AnsiString VnBytesToValue(const VnOctets& bytes, std::uint32_t syntax);

// The same three conversions over the SNMP layer's byte container.
OctetStr ValueToOctets(const AnsiString& text, std::uint32_t syntax);
OctetStr GetPartOctets(const OctetStr& bytes, std::uint32_t offset, std::uint32_t syntax);
AnsiString OctetsToValue(const OctetStr& bytes, std::uint32_t syntax);
