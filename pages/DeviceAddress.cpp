#include "pages/DeviceAddress.h"

AnsiString DeviceAddress;
