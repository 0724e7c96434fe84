// Checks of typed network addresses. Each returns true for a valid text and
// never raises; the caller chooses the message for a false result. Hex digits
// are 0-9, A-F and a-f.
#pragma once

#include "platform/AnsiString.h"

class TEdit;

// Dotted IPv4 address: at most 16 characters, four non-empty decimal parts,
// each at most 255 (leading zeros allowed).
bool IsValidIpv4(const AnsiString& text);
// As IsValidIpv4, with a first part of 224 to 239.
bool IsValidMulticastIpv4(const AnsiString& text);
// Exactly 32 hex digits, no separators.
bool IsValidIpv6(const AnsiString& text);
// As IsValidIpv6, with a first octet of FF (either letter case).
bool IsValidMulticastIpv6(const AnsiString& text);
// 12 hex digits, or six groups separated by "-" (or else ".") whose first two
// characters are hex digits.
bool IsValidMac(const AnsiString& text);
// For a text that passed IsValidMac: the group bit is set, and the address is
// neither the broadcast address nor a first octet followed by zeros.
bool IsMulticastMac(const AnsiString& text);
// For a text that passed IsValidMac: the group bit is clear and the address
// is not all zeros.
bool IsUnicastMac(const AnsiString& text);

// The same checks on an edit's text; defined with the edit constraints.
bool IsValidIpv4(TEdit* edit);
bool IsValidMulticastIpv4(TEdit* edit);
bool IsValidIpv6(TEdit* edit);
bool IsValidMulticastIpv6(TEdit* edit);
bool IsValidMac(TEdit* edit);
bool IsMulticastMac(TEdit* edit);
bool IsUnicastMac(TEdit* edit);
