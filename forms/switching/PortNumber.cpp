#include "forms/switching/PortNumber.h"

#include "platform/Launch.h"
#include "platform/SysUtils.h"

TUnitPort SplitPortNumber(int n, int perUnit) {
  const int port = n % perUnit;
  const int unit = n / perUnit;
  if (port != 0) return {IntToStr(unit + 1), IntToStr(port)};
  return {IntToStr(unit), n != 0 ? IntToStr(perUnit) : AnsiString("0")};
}

void DigitsOnlyKeyPress(char& Key) {
  if ((Key >= '0' && Key <= '9') || Key == '\b') return;
  Key = 0;
  MessageBeep(0);
}
