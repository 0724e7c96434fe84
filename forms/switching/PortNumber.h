// Port numbers of the switching forms: a global or logical port number split
// into the unit and port texts that the forms show, and the key filter of
// their number edits.
#pragma once

#include <vector>

#include "platform/AnsiString.h"

class TObject;
struct TStackUnitRecord;

// Ports per unit in a global port number: port lists and trunk master ports
// count 32 per unit, the mirror target and the traffic-segmentation port 64.
inline constexpr int kListPortsPerUnit = 32;
inline constexpr int kLogicalPortsPerUnit = 64;

// Unit and port texts of port number n with `perUnit` ports per unit
// ((unit - 1) * perUnit + port). A multiple of perUnit is the last port of
// the unit below; 0 gives "0" and "0".
struct TUnitPort {
  AnsiString Unit;
  AnsiString Port;
};
TUnitPort SplitPortNumber(int n, int perUnit);

// A port number the switch holds (`held`, the text read), split as
// SplitPortNumber splits it. Known: it is 0 or falls on one of `units`.
// Otherwise no port of a unit the form shows would be that port: Port is
// the text as held (trimmed), and Unit the unit the number gives.
struct THeldPort {
  AnsiString Unit;
  AnsiString Port;
  bool Known;
};
THeldPort SplitHeldPort(const AnsiString& held, int perUnit,
                        const std::vector<TStackUnitRecord>& units);

// Digits and backspace pass; any other key is dropped with a beep.
void DigitsOnlyKeyPress(char& Key);
