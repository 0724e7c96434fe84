// LED shapes bound to an octet string of LED states: colours, blinking,
// value layouts, missing bytes, polling and the end of a request.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "PanelTestSupport.h"
#include "library/VnErrors.h"
#include "library/VnMessageTables.h"
#include "library/VnSNMPRequest2Leds.h"
#include "platform/ComCtrls.h"
#include "platform/ExtCtrls.h"

namespace {

constexpr VnLedColor kWhite = 0xFFFFFF, kGreen = 0x00FF00, kBlue = 0xFF0000, kRed = 0x0000FF;
constexpr VnLedColor kGrey = 0x808080;

constexpr VnLedColorPair kPairs[] = {{1, kWhite}, {1, kGreen}, {2, kGreen},     {3, kGreen},
                                     {4, kBlue},  {5, kRed},   {0, kNoLedColor}};

constexpr VnSNMPVarDesc kLedTable[] = {
    {"1.3.6.1.4.1.171.11.101.1.2.1.1.4", "Led", SNMP_SYNTAX_OCTETSTR, SNMP_ACCESS_READONLY, nullptr,
     nullptr, nullptr, nullptr, nullptr, nullptr},
    {},
};

// The hooks that a reading and a failed reading run.
class TestLeds : public VnSNMPRequest2Leds {
 public:
  using VnSNMPRequest2Leds::VnSNMPRequest2Leds;
  void Reading(const AnsiString& hex) {
    *Request.VarList.Item(0)->Value = hex;
    DoGetRow();
  }
  void FailedReading(const AnsiString& text) {
    VnSNMPError error;
    error.Number = VNERR_GEN_ERR;
    error.Text = text;
    DoGetError(error);
  }
  void Update(int led) { UpdateLed(const_cast<LedBinding&>(Led(led))); }
};

class LedShapes : public PanelUiTest {
 protected:
  void SetUp() override {
    PanelUiTest::SetUp();
    form_ = Create<TForm>(Application);
    form_->SetBounds(0, 0, 300, 100);
    panel_ = new TPanel(form_);
    panel_->SetParent(form_);
    panel_->SetBounds(10, 10, 200, 20);
    map_ = std::make_unique<VnSNMPLedColorMapList>(kPairs, 7, 0x80, kGrey, 0);
    leds_ = std::make_unique<TestLeds>(form_);
    leds_->Request.VarList = VnSNMPVarList(kLedTable, VnItemType::MVT_SV, 0);
  }
  void TearDown() override {
    leds_.reset();
    delete form_;
    PanelUiTest::TearDown();
  }
  TShape* ShapeOf(int led) const { return leds_->Led(led).Shape; }
  VnLedColor Painted(int led) const {
    return static_cast<VnLedColor>(ShapeOf(led)->Brush()->Color());
  }

  TForm* form_ = nullptr;
  TPanel* panel_ = nullptr;
  std::unique_ptr<VnSNMPLedColorMapList> map_;
  std::unique_ptr<TestLeds> leds_;
};

TEST_F(LedShapes, AddLedsPlacesOneShapePerListedByteOnThePanel) {
  leds_->AddLeds(0, "0,2,5", map_.get(), panel_, 3, 4, stCircle, 6, 7);
  ASSERT_EQ(leds_->LedCount(), 3);
  const int bytes[] = {0, 2, 5};
  for (int k = 0; k < 3; ++k) {
    const LedBinding& led = leds_->Led(k);
    EXPECT_EQ(led.ByteIndex, bytes[k]);
    EXPECT_EQ(led.ItemIndex, 0);
    EXPECT_EQ(led.ColorMap, map_.get());
    EXPECT_FALSE(led.Blinking);
    EXPECT_EQ(led.Color, kGrey);
    ASSERT_NE(led.Shape, nullptr);
    EXPECT_EQ(led.Shape->Owner(), form_);
    EXPECT_EQ(led.Shape->Parent(), panel_);
    EXPECT_EQ(led.Shape->Shape(), stCircle);
    EXPECT_EQ(led.Shape->BoundsRect(), (TRect{3 + 10 * k, 1, 3 + 10 * k + 6, 8}));
    EXPECT_TRUE(led.Shape->Visible());
    EXPECT_EQ(Painted(k), kGrey);
    EXPECT_EQ(static_cast<VnLedColor>(led.Shape->Pen()->Color()), kGrey);
  }
  EXPECT_EQ(panel_->BevelInner(), bvNone);
  EXPECT_EQ(panel_->BevelOuter(), bvNone);
}

TEST_F(LedShapes, OneByteLayoutMasksColourAndBlinkBits) {
  leds_->AddLeds(0, "0,1,2,3", map_.get(), panel_, 0, 2, stRectangle, 5, 5);
  leds_->Reading("85010680");
  EXPECT_EQ(leds_->Led(0).Color, kRed);  // 0x85: colour 5, blinking
  EXPECT_TRUE(leds_->Led(0).Blinking);
  EXPECT_EQ(leds_->Led(1).Color, kWhite);  // the first pair of value 1
  EXPECT_FALSE(leds_->Led(1).Blinking);
  EXPECT_EQ(leds_->Led(2).Color, 0u);  // 6: no pair, black
  EXPECT_FALSE(leds_->Led(2).Blinking);
  EXPECT_EQ(leds_->Led(3).Color, 0u);  // 0x80: black and blinking
  EXPECT_TRUE(leds_->Led(3).Blinking);
}

TEST_F(LedShapes, TwoByteLayoutReadsStateAndColourFromItsStart) {
  leds_->SetValueLayout(LED_LAYOUT_TWO_BYTES, 5);
  leds_->AddLeds(0, "3,5,7", map_.get(), panel_, 0, 2, stRectangle, 5, 5);
  leds_->Reading("00000084 04 8203 0105");
  EXPECT_EQ(leds_->Led(0).Color, kBlue);  // byte 3 alone: 0x84
  EXPECT_TRUE(leds_->Led(0).Blinking);
  EXPECT_EQ(leds_->Led(1).Color, kGreen);  // 0x82 0x03: blinks in the colour of 3
  EXPECT_TRUE(leds_->Led(1).Blinking);
  EXPECT_EQ(leds_->Led(2).Color, 0u);  // state 1: the absent colour, steady
  EXPECT_FALSE(leds_->Led(2).Blinking);
}

TEST_F(LedShapes, SetValueLayoutFallsBackToOneByteFromFour) {
  leds_->SetValueLayout(0, 0);
  EXPECT_EQ(leds_->LayoutMode, 1u);
  EXPECT_EQ(leds_->LayoutStart, 4u);
  leds_->SetValueLayout(2, 9);
  EXPECT_EQ(leds_->LayoutMode, 2u);
  EXPECT_EQ(leds_->LayoutStart, 9u);
}

TEST_F(LedShapes, MissingBytesTakeTheAbsentColourOrFailWithout) {
  map_->AbsentColor = kBlue;
  leds_->SetValueLayout(LED_LAYOUT_TWO_BYTES, 3);
  leds_->AddLeds(0, "0,6,4", map_.get(), panel_, 0, 2, stRectangle, 5, 5);
  leds_->Reading("8500008203");  // five bytes: byte 6 is missing
  EXPECT_EQ(leds_->Led(0).Color, kRed);
  EXPECT_EQ(leds_->Led(1).Color, kBlue);
  EXPECT_FALSE(leds_->Led(1).Blinking);
  EXPECT_EQ(leds_->Led(2).Color, kBlue);  // state at byte 4, its colour byte missing

  map_->AbsentColor = kNoLedColor;
  try {
    leds_->Reading("0500008203");
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.HelpContext, VNERR_PART_INDEX_RANGE);
    EXPECT_EQ(e.Message,
              "Out of range for the bit(byte) index of the associated SNMP variable's "
              "(partial) data!");
  }
  // The LED read before the missing one keeps its new state.
  EXPECT_EQ(leds_->Led(0).Color, kRed);
  EXPECT_FALSE(leds_->Led(0).Blinking);
}

TEST_F(LedShapes, AnEmptyOrNullValueLeavesEveryLedAbsent) {
  leds_->AddLeds(0, "0,1", map_.get(), panel_, 0, 2, stRectangle, 5, 5);
  leds_->Reading("(NULL)");
  EXPECT_EQ(leds_->Led(0).Color, 0u);
  leds_->Reading("");
  EXPECT_EQ(leds_->Led(1).Color, 0u);
}

TEST_F(LedShapes, BlinkingLedsFlashForSevenTicksAfterAReadingThenStay) {
  TestKit::VirtualTime time;
  leds_->AddLeds(0, "0,1,2", map_.get(), panel_, 0, 2, stRectangle, 5, 5);
  leds_->Reading("850183");  // red blinking, white steady, green blinking
  // Tick 0 runs with the reading: the blinking LEDs were in the normal
  // colour, so they show their own now.
  EXPECT_EQ(Painted(0), kRed);
  EXPECT_EQ(Painted(1), kWhite);
  EXPECT_EQ(Painted(2), kGreen);
  EXPECT_EQ(leds_->BlinkTicks, 1u);
  std::vector<VnLedColor> seen;
  for (int tick = 1; tick <= 10; ++tick) {
    time.Advance(60);
    seen.push_back(Painted(0));
    EXPECT_EQ(Painted(1), kWhite);
    EXPECT_EQ(Painted(2), Painted(0) == kRed ? kGreen : kGrey);
  }
  // Ticks 1 to 6 flash; from tick 7 on the colour stays.
  const std::vector<VnLedColor> expected = {kGrey, kRed, kGrey, kRed, kGrey,
                                            kRed,  kRed, kRed,  kRed, kRed};
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(leds_->BlinkTicks, 11u);

  // The next reading starts the burst again (from the colour shown).
  leds_->Reading("850183");
  EXPECT_EQ(Painted(0), kGrey);
  EXPECT_EQ(leds_->BlinkTicks, 1u);
}

TEST_F(LedShapes, ABlinkingLedInItsNormalColourShowsNoFlashButTicksCount) {
  TestKit::VirtualTime time;
  map_->NormalColor = kGreen;
  leds_->AddLeds(0, "0", map_.get(), panel_, 0, 2, stRectangle, 5, 5);
  leds_->Reading("83");
  for (int tick = 0; tick < 3; ++tick) {
    EXPECT_EQ(Painted(0), kGreen);
    time.Advance(60);
  }
  EXPECT_EQ(leds_->BlinkTicks, 4u);
  leds_->Reading("03");  // nothing blinks: the count stays
  time.Advance(120);
  EXPECT_EQ(leds_->BlinkTicks, 0u);
}

TEST_F(LedShapes, AFailedReadingResetsTheLedsAndGoesToTheStatusTargetOnly) {
  auto* bar = new TStatusBar(form_);
  bar->SetParent(form_);
  bar->Panels()->Add();
  leds_->Request.VarList.Description = " Led Status";
  leds_->AddLeds(0, "0,1", map_.get(), panel_, 0, 2, stRectangle, 5, 5);
  leds_->Reading("8504");
  leds_->SetStatusPanel(bar->Panels()->Items(0));
  TestKit::DialogScript boxes;  // none may come
  leds_->FailedReading("(SNMP) Cannot perform operation, General Error!");
  for (int k = 0; k < 2; ++k) {
    EXPECT_FALSE(leds_->Led(k).Blinking);
    EXPECT_EQ(leds_->Led(k).Color, kGrey);
    EXPECT_EQ(Painted(k), kGrey);
  }
  EXPECT_TRUE(bar->Panels()->Items(0)->Text().str().starts_with(
      "Get: (SNMP) Cannot perform operation, General Error! Request: Led Status. Receive at "));

  // Without a status target nothing is shown at all.
  leds_->SetStatusPanel(nullptr);
  leds_->FailedReading("again");
  EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(LedShapes, StopPollingResetsAndTheEndDetachesTheTimers) {
  leds_->AddLeds(0, "0", map_.get(), panel_, 0, 2, stRectangle, 5, 5);
  leds_->Reading("05");
  EXPECT_EQ(Painted(0), kRed);
  TTimer* poll = leds_->PollTimer();
  TTimer* blink = leds_->BlinkTimer();
  ASSERT_NE(poll, nullptr);
  ASSERT_NE(blink, nullptr);
  EXPECT_FALSE(poll->Enabled());
  EXPECT_TRUE(blink->Enabled());
  EXPECT_EQ(blink->Interval(), 60u);
  EXPECT_EQ(poll->Owner(), form_);
  EXPECT_EQ(blink->Owner(), form_);
  leds_->StopPolling();
  EXPECT_EQ(Painted(0), kGrey);
  EXPECT_FALSE(poll->Enabled());

  TShape* shape = ShapeOf(0);
  leds_.reset();
  // Timers and shapes stay with the form, quiet.
  EXPECT_FALSE(blink->Enabled());
  EXPECT_FALSE(static_cast<bool>(blink->OnTimer));
  EXPECT_FALSE(static_cast<bool>(poll->OnTimer));
  EXPECT_EQ(shape->Owner(), form_);
}

TEST_F(LedShapes, ShapesAndTimersDestroyedFirstAreForgotten) {
  TestKit::VirtualTime time;
  leds_->AddLeds(0, "0,1", map_.get(), panel_, 0, 2, stRectangle, 5, 5);
  delete ShapeOf(0);
  delete leds_->BlinkTimer();
  EXPECT_EQ(leds_->Led(0).Shape, nullptr);
  EXPECT_EQ(leds_->BlinkTimer(), nullptr);
  leds_->Reading("8585");
  EXPECT_EQ(leds_->Led(0).Color, kRed);
  EXPECT_EQ(Painted(1), kRed);
  leds_->StopPolling();
  time.Advance(200);
}

TEST_F(LedShapes, AColourMapIsRequired) {
  EXPECT_THROW(leds_->AddLeds(0, "0", nullptr, panel_, 0, 2, stRectangle, 5, 5), EInvalidOperation);
  EXPECT_EQ(leds_->LedCount(), 0);
}

}  // namespace
