// The command line that starts the host's table viewer: the viewer's name,
// then the device's address and communities, the table, and on an SNMPv3
// device its SNMPv3 parameters, each as the switch with its value.
#pragma once

#include "app/ConnectionParameters.h"
#include "platform/AnsiString.h"

// `tableSwitch` is "/T" + viewer name + "_" + table. The SNMPv3 part follows
// SnmpVersion, ConfigFileFound and the Have... flags. Every switch comes
// back from WinExec's split as one argument with its whole value; a value
// holding a zero byte, which no command line can carry, raises
// EConvertError.
AnsiString ViewerCommandLine(const TConnectionTexts& texts, const AnsiString& tableSwitch);
