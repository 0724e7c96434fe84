// The front-panel port count of each supported switch model.
#pragma once

#include "platform/AnsiString.h"

// Ports of a model: 10 for "KXR-5810", 16 for "KXR-5816" (letter case
// ignored), 0 for any other text.
int GetPortCount(const AnsiString& model);
