#include "app/DeviceAddress.h"

AnsiString DeviceAddress;
