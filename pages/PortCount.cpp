#include "pages/PortCount.h"

#include "platform/SysUtils.h"

int GetPortCount(const AnsiString& model) {
  if (SameText(model, "KXR-5810")) return 10;
  if (SameText(model, "KXR-5816")) return 16;
  return 0;
}
