// Every non-visual header of the stand-in class library at once.
#pragma once

#include "platform/AnsiString.h"
#include "platform/Classes.h"
#include "platform/Clock.h"
#include "platform/DateTime.h"
#include "platform/Exceptions.h"
#include "platform/Files.h"
#include "platform/SysUtils.h"
#include "platform/Types.h"
#include "platform/WinApi.h"
