// Values of the SNMP DateAndTime convention (RFC 2579) and their text form
// "year-month-day,hour:minutes:seconds.deciseconds[,+hours:minutes]".
#pragma once

#include "platform/AnsiString.h"
#include "platform/Types.h"

// The 11 octets of the wire form in the same order, except that Year is held
// in the host's byte order. After copying octets in from SNMP the year octets
// are swapped once (SwapYearOctets), and swapped again on a copy before the
// octets go out.
class VnDateTime {
 public:
  static constexpr int kOctets = 11;
  // The shorter form of the convention: no direction and zone.
  static constexpr int kOctetsWithoutZone = 8;

  // The current local date and time to the second; deci-seconds 0, direction
  // '+', zone 0:0.
  VnDateTime();

  // Reads "%d-%d-%d,%d:%d:%d.%d" with an optional ",+%d:%d" or ",-%d:%d".
  // Fields the text does not reach are 0; a zone that is not given whole
  // counts as absent. The year keeps its low 16 bits, every other number its
  // low 8 bits.
  static VnDateTime Parse(const AnsiString& text);
  // True when a typed text is the text form and nothing else: blanks only
  // around it, plain decimals (leading zeros allowed) and every number in its
  // range (kRanges). Parse reads more (values from the device keep it); a
  // text sent as typed must pass this first.
  static bool IsValidText(const AnsiString& text);
  // The range of each number of the text form, in text order: year, month,
  // day, hour, minutes, seconds, deci-seconds, zone hours, zone minutes.
  struct Range {
    int Least;
    int Most;
  };
  static constexpr int kNumbers = 9;
  static constexpr Range kRanges[kNumbers] = {{0, 65535}, {1, 12}, {1, 31}, {0, 23}, {0, 59},
                                              {0, 60},    {0, 9},  {0, 13}, {0, 59}};
  // Plain decimals without leading zeros; the zone only when it is not 0:0
  // and the direction is '+' or '-'.
  AnsiString Format() const;

  // Exchanges the two octets of Year in place.
  void SwapYearOctets();
  // Raw copies of the octets in memory order (no swap). CopyOctetsIn takes at
  // most kOctets; octets beyond length are 0.
  void CopyOctetsIn(const BYTE* octets, int length);
  void CopyOctetsOut(BYTE* octets) const;

  // A value received from SNMP: copy in, then swap the year octets.
  static VnDateTime FromWire(const BYTE* octets, int length);
  // The kOctets octets to send, year most significant first.
  void ToWire(BYTE* octets) const;

  WORD Year = 0;
  BYTE Month = 0;
  BYTE Day = 0;
  BYTE Hour = 0;
  BYTE Minutes = 0;
  BYTE Seconds = 0;
  BYTE DeciSeconds = 0;
  char Direction = '+';  // '+' or '-' from UTC
  BYTE ZoneHours = 0;
  BYTE ZoneMinutes = 0;

 private:
  struct Zeroed {};
  explicit VnDateTime(Zeroed) {}
};
