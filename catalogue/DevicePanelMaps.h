// The front panel's two LED colour maps, built by the device unit's
// initialiser after its option lists and the model text, and freed by its
// finaliser (port link map first) before the model text.
#pragma once

class VnSNMPLedColorMapList;

// Power, console and the LEDs in the port 9 and port 11 hosts: 1 white,
// 2 and 3 green, 4 blue, 5 red. Null outside Init and Free.
VnSNMPLedColorMapList* SystemLedColorMap();
// Ports 1 to 8 and the LEDs in the port 10 and port 12 hosts: 0 black,
// 1 and 2 orange, 3 and 4 green, 5 red. Null outside Init and Free.
VnSNMPLedColorMapList* PortLinkLedColorMap();

// Both maps: colour mask 7, blink mask 0x80, normal and absent colour black.
// Init builds them once; Free frees them in reverse order.
void InitDevicePanelMaps();
void FreeDevicePanelMaps();
