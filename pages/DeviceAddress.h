// The managed device's address text, from the command line ("/I"); captions
// of pages and feature forms end with it.
#pragma once

#include "platform/AnsiString.h"

extern AnsiString DeviceAddress;
