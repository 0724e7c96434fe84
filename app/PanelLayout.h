// The front panel's design: its components in the order of the form's
// fields, where each one sits, and which LED goes on which host panel.
#pragma once

#include <span>

enum class PanelPart { Image, Panel, Timer, Label };

struct PanelComponentDef {
  const char* Name;
  PanelPart Kind;
  int Left, Top, Width, Height;
};

// DeviceBG, the LED host panels, the link pictures, Timer1 and Portspeed.
std::span<const PanelComponentDef> PanelComponents();

enum class PanelLedMap { System, PortLink };

// One LED of the panel: its host, the byte where its state starts, its
// colour map and its shape's place inside the host.
struct PanelLedDef {
  const char* Host;
  const char* Element;
  PanelLedMap Map;
  int Left, Spacing, Width, Height;
};

// The fourteen LEDs in the order they are added.
std::span<const PanelLedDef> PanelLeds();

// Client area of the panel form.
inline constexpr int kPanelClientWidth = 795;
inline constexpr int kPanelClientHeight = 125;
// Link-picture slots in the order of the LED status value's pairs from byte
// 5 on: ports 1 to 8, port 9, combo 1, port 10, combo 2.
inline constexpr int kLinkSlots = 12;
