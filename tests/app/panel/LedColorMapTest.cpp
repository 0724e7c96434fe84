// Colour maps of LED state bytes, and the device unit's two maps.
#include <gtest/gtest.h>

#include "catalogue/DeviceMib.h"
#include "catalogue/DevicePanelMaps.h"
#include "catalogue/MibOptionLists.h"
#include "library/VnSNMPLedColorMapList.h"
#include "platform/AnsiString.h"
#include "platform/Exceptions.h"

namespace {

constexpr VnLedColor kWhite = 0xFFFFFF, kGreen = 0x00FF00, kBlue = 0xFF0000, kRed = 0x0000FF,
                     kOrange = 0x4080FF;

constexpr VnLedColorPair kRepeated[] = {{1, kWhite}, {1, kGreen}, {2, kGreen},     {3, kGreen},
                                        {4, kBlue},  {5, kRed},   {0, kNoLedColor}};

TEST(LedColorMap, CopiesPairsUpToTheEndRecordAndTheFirstPairOfAValueWins) {
  VnSNMPLedColorMapList map(kRepeated, 7, 0x80, 0, 0);
  EXPECT_EQ(map.Count(), 6);
  EXPECT_EQ(VnSNMPLedColorMapList::CountPairs(kRepeated), 6);
  EXPECT_EQ(map.IndexOf(1), 0);
  EXPECT_EQ(map.ColorOf(1), kWhite);
  EXPECT_EQ(map.IndexOf(5), 5);
  EXPECT_EQ(map.ColorOf(5), kRed);
  // No pair: index -1 and black.
  EXPECT_EQ(map.IndexOf(6), -1);
  EXPECT_EQ(map.ColorOf(6), 0u);
  EXPECT_EQ(map.ColorOf(0), 0u);
  EXPECT_EQ(map.Pair(4).Color, kBlue);
  EXPECT_THROW(map.Pair(6), EListError);
  EXPECT_THROW(map.Pair(-1), EListError);
}

TEST(LedColorMap, KeepsItsSettingsAndAcceptsNoPairs) {
  VnSNMPLedColorMapList map(nullptr, 3, 0x40, 0x123456, kNoLedColor);
  EXPECT_EQ(VnSNMPLedColorMapList::CountPairs(nullptr), 0);
  EXPECT_EQ(map.Count(), 0);
  EXPECT_EQ(map.ColorMask, 3);
  EXPECT_EQ(map.BlinkMask, 0x40);
  EXPECT_EQ(map.NormalColor, 0x123456u);
  EXPECT_EQ(map.AbsentColor, kNoLedColor);
  EXPECT_EQ(map.ColorOf(1), 0u);
  map.AddPairs(kRepeated);
  map.AddPairs(kRepeated);
  EXPECT_EQ(map.Count(), 12);
  map.Clear();
  EXPECT_EQ(map.Count(), 0);
}

TEST(DevicePanelMaps, ExistBetweenTheDeviceUnitsInitAndFree) {
  // The unit on its own, as the program's start-up and exit run it.
  FreeMibOptionLists();
  ASSERT_EQ(SystemLedColorMap(), nullptr);
  InitDeviceMibOptionLists();
  VnSNMPLedColorMapList* system = SystemLedColorMap();
  VnSNMPLedColorMapList* link = PortLinkLedColorMap();
  ASSERT_NE(system, nullptr);
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(g_ModelText, "KXR5810");

  for (VnSNMPLedColorMapList* map : {system, link}) {
    EXPECT_EQ(map->ColorMask, 7);
    EXPECT_EQ(map->BlinkMask, 0x80);
    EXPECT_EQ(map->NormalColor, 0u);
    EXPECT_EQ(map->AbsentColor, 0u);
  }
  EXPECT_EQ(system->Count(), 5);
  const VnLedColor systemColours[] = {0, kWhite, kGreen, kGreen, kBlue, kRed, 0, 0};
  for (std::uint8_t v = 0; v < 8; ++v) EXPECT_EQ(system->ColorOf(v), systemColours[v]) << int(v);
  EXPECT_EQ(link->Count(), 6);
  const VnLedColor linkColours[] = {0, kOrange, kOrange, kGreen, kGreen, kRed, 0, 0};
  for (std::uint8_t v = 0; v < 8; ++v) EXPECT_EQ(link->ColorOf(v), linkColours[v]) << int(v);
  EXPECT_EQ(link->IndexOf(0), 0);  // black is a pair of its own here

  FreeDeviceMibOptionLists();
  EXPECT_EQ(SystemLedColorMap(), nullptr);
  EXPECT_EQ(PortLinkLedColorMap(), nullptr);
  EXPECT_TRUE(g_ModelText.IsEmpty());
  InitMibOptionLists();  // as the other tests expect it
}

}  // namespace
