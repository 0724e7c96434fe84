#include "app/PanelLayout.h"

namespace {

using enum PanelPart;

// Ports 1 and 2 share a column, as do 3 and 4 and so on: odd ports on top.
// clang-format off
constexpr PanelComponentDef kComponents[] = {
    {"DeviceBG", Image, 0, 0, 795, 125},
    {"PowerLedPanel", Panel, 177, 89, 5, 5},
    {"ConsoleLedPanel", Panel, 177, 74, 5, 5},
    {"Port12LedPanel", Panel, 622, 89, 5, 5},
    {"Port9LedPanel", Panel, 477, 74, 5, 5},
    {"Port10LedPanel", Panel, 477, 89, 5, 5},
    {"Port11LedPanel", Panel, 622, 74, 5, 5},
    {"Port1LedPanel", Panel, 230, 74, 5, 5},
    {"Port2LedPanel", Panel, 230, 89, 5, 5},
    {"Port3LedPanel", Panel, 244, 74, 5, 5},
    {"Port4LedPanel", Panel, 244, 89, 5, 5},
    {"Port5LedPanel", Panel, 258, 74, 5, 5},
    {"Port6LedPanel", Panel, 258, 89, 5, 5},
    {"Port7LedPanel", Panel, 272, 74, 5, 5},
    {"Port8LedPanel", Panel, 272, 89, 5, 5},
    {"Port1G", Image, 300, 41, 37, 15},
    {"Port2G", Image, 300, 68, 37, 15},
    {"Port3G", Image, 339, 41, 37, 15},
    {"Port4G", Image, 339, 68, 37, 15},
    {"Port5G", Image, 378, 41, 37, 15},
    {"Port6G", Image, 378, 68, 37, 15},
    {"Port7G", Image, 417, 41, 37, 15},
    {"Port8G", Image, 417, 68, 37, 15},
    {"Port1O", Image, 300, 41, 37, 15},
    {"Port2O", Image, 300, 68, 37, 15},
    {"Port3O", Image, 339, 41, 37, 15},
    {"Port4O", Image, 339, 68, 37, 15},
    {"Port5O", Image, 378, 41, 37, 15},
    {"Port6O", Image, 378, 68, 37, 15},
    {"Port7O", Image, 417, 41, 37, 15},
    {"Port8O", Image, 417, 68, 37, 15},
    {"Combo1G", Image, 501, 72, 42, 15},
    {"Combo1O", Image, 501, 72, 42, 15},
    {"Combo2G", Image, 646, 72, 42, 15},
    {"Combo2O", Image, 646, 72, 42, 15},
    {"Port9G", Image, 561, 67, 37, 15},
    {"Port9O", Image, 561, 67, 37, 15},
    {"Port10G", Image, 706, 67, 37, 15},
    {"Port10O", Image, 706, 67, 37, 15},
    {"Timer1", Timer, 0, 0, 0, 0},
    {"Portspeed", Label, 720, 16, 48, 13},
};
// clang-format on

using enum PanelLedMap;

// Power and console read one byte each; the ports a state and a colour byte
// from their element on (port n of 1 to 8 at 2n + 3).
// clang-format off
constexpr PanelLedDef kLeds[] = {
    {"PowerLedPanel", "2", System, 1, 10, 5, 5},
    {"ConsoleLedPanel", "3", System, 1, 10, 5, 5},
    {"Port1LedPanel", "5", PortLink, 1, 6, 5, 5},
    {"Port2LedPanel", "7", PortLink, 1, 6, 5, 5},
    {"Port3LedPanel", "9", PortLink, 1, 6, 5, 5},
    {"Port4LedPanel", "11", PortLink, 1, 6, 5, 5},
    {"Port5LedPanel", "13", PortLink, 1, 6, 5, 5},
    {"Port6LedPanel", "15", PortLink, 1, 6, 5, 5},
    {"Port7LedPanel", "17", PortLink, 1, 6, 5, 5},
    {"Port8LedPanel", "19", PortLink, 1, 6, 5, 5},
    {"Port10LedPanel", "21", PortLink, 0, 10, 6, 6},
    {"Port9LedPanel", "23", System, 0, 10, 6, 6},
    {"Port12LedPanel", "25", PortLink, 0, 10, 6, 6},
    {"Port11LedPanel", "27", System, 0, 10, 6, 6},
};
// clang-format on

}  // namespace

std::span<const PanelComponentDef> PanelComponents() { return kComponents; }
std::span<const PanelLedDef> PanelLeds() { return kLeds; }
