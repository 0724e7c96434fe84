// How the front panel reads the device's LED status value: the hex text of
// its octets (two upper- or lower-case digits per byte, nothing else).
// Anything else is no reading at all: the "(NULL)" of a value the agent
// lacks, an empty octet string, or text that is not whole octets. Such a
// value must not be taken for a panel whose ports all have link.
#pragma once

#include "platform/AnsiString.h"

// What the link pictures of one slot show.
enum class TLinkPicture { None, Green, Orange };

// True when the text holds at least one whole octet and nothing but octets.
bool IsLedStatusText(const AnsiString& hex);

// The link picture of slot 1 to kLinkSlots from a reading: its state and
// colour pair "0101" shows none, "8203" the green picture, any other pair
// the orange one; a slot whose pair the value does not hold whole shows none.
TLinkPicture LinkPictureOf(const AnsiString& hex, int slot);
