// The pictures of the front panel and the About box, compiled into the
// program from resources/ (the build generates their source).
#pragma once

// Registers every embedded picture under its resource name; once, however
// often it is called. The forms that load them call it first.
void RegisterEmbeddedResources();

// Resource names.
inline constexpr const char* kResPanelFace = "KXR5810_FACE";    // 794 x 125 JPEG
inline constexpr const char* kResLinkGreen = "LINK_GREEN";      // 37 x 15
inline constexpr const char* kResLinkOrange = "LINK_ORANGE";    // 37 x 15
inline constexpr const char* kResComboGreen = "COMBO_GREEN";    // 42 x 15
inline constexpr const char* kResComboOrange = "COMBO_ORANGE";  // 42 x 15
inline constexpr const char* kResIcon5810 = "KXR5810";          // 32 x 32
inline constexpr const char* kResIcon5816 = "KXR5816";          // 32 x 32
