#include "forms/switching/PortNumber.h"

#include "forms/common/FeatureForm.h"
#include "forms/common/InputChecks.h"
#include "platform/Launch.h"
#include "platform/SysUtils.h"

TUnitPort SplitPortNumber(int n, int perUnit) {
  const int port = n % perUnit;
  const int unit = n / perUnit;
  if (port != 0) return {IntToStr(unit + 1), IntToStr(port)};
  return {IntToStr(unit), n != 0 ? IntToStr(perUnit) : AnsiString("0")};
}

THeldPort SplitHeldPort(const AnsiString& held, int perUnit,
                        const std::vector<TStackUnitRecord>& units) {
  const int number = TypedNumber(held, -1);
  const TUnitPort split = SplitPortNumber(number < 0 ? 0 : number, perUnit);
  bool known = number == 0;
  for (const TStackUnitRecord& r : units)
    if (number > 0 && r.Unit == split.Unit.ToIntDef(-1)) known = true;
  return {split.Unit, known ? split.Port : held.Trim(), known};
}

void DigitsOnlyKeyPress(char& Key) {
  if ((Key >= '0' && Key <= '9') || Key == '\b') return;
  Key = 0;
  MessageBeep(0);
}
