#include "catalogue/DevicePanelMaps.h"

#include <memory>

#include "library/VnSNMPLedColorMapList.h"

namespace {

constexpr VnLedColor kBlack = 0x000000;
constexpr VnLedColor kWhite = 0xFFFFFF;
constexpr VnLedColor kGreen = 0x00FF00;
constexpr VnLedColor kBlue = 0xFF0000;
constexpr VnLedColor kRed = 0x0000FF;
constexpr VnLedColor kOrange = 0x4080FF;

constexpr std::uint8_t kColorMask = 7;
constexpr std::uint8_t kBlinkMask = 0x80;

constexpr VnLedColorPair kSystemPairs[] = {{1, kWhite}, {2, kGreen}, {3, kGreen},
                                           {4, kBlue},  {5, kRed},   {0, kNoLedColor}};
constexpr VnLedColorPair kPortLinkPairs[] = {
    {0, kBlack}, {1, kOrange}, {2, kOrange}, {3, kGreen}, {4, kGreen}, {5, kRed}, {0, kNoLedColor}};

std::unique_ptr<VnSNMPLedColorMapList> gSystemMap;
std::unique_ptr<VnSNMPLedColorMapList> gPortLinkMap;

}  // namespace

VnSNMPLedColorMapList* SystemLedColorMap() { return gSystemMap.get(); }
VnSNMPLedColorMapList* PortLinkLedColorMap() { return gPortLinkMap.get(); }

void InitDevicePanelMaps() {
  if (gSystemMap) return;
  gSystemMap =
      std::make_unique<VnSNMPLedColorMapList>(kSystemPairs, kColorMask, kBlinkMask, kBlack, kBlack);
  gPortLinkMap = std::make_unique<VnSNMPLedColorMapList>(kPortLinkPairs, kColorMask, kBlinkMask,
                                                         kBlack, kBlack);
}

void FreeDevicePanelMaps() {
  gPortLinkMap.reset();
  gSystemMap.reset();
}
