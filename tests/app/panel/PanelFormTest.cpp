// The front panel against the simulated switch: its components, the LEDs and
// link pictures that the LED status octets give, errors, a silent device and
// closing while a reading is outstanding. Virtual time drives the 5,000 ms
// polling and the 60 ms blinking; replies arrive in real time.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

#include "PanelTestSupport.h"
#include "app/PanelForm.h"
#include "app/PanelLayout.h"
#include "library/VnErrors.h"
#include "library/VnSNMPConnection.h"
#include "library/VnSNMPRequest2Edits.h"
#include "library/VnSNMPRequest2Leds.h"
#include "platform/ComCtrls.h"
#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

constexpr VnLedColor kBlack = 0x000000, kWhite = 0xFFFFFF, kGreen = 0x00FF00, kBlue = 0xFF0000,
                     kRed = 0x0000FF, kOrange = 0x4080FF;

// LED indexes in the order they are added.
enum { kPowerLed, kConsoleLed, kPort1Led, kPort10Host = 10, kPort9Host, kPort12Host, kPort11Host };

// 29 octets: power, console, then the twelve (state, colour) pairs.
std::string Octets(const std::string& power, const std::string& console,
                   const std::vector<std::string>& pairs) {
  std::string hex = "0000" + power + console + "00";
  for (const std::string& p : pairs) hex += p;
  return hex;
}

std::vector<std::string> AllPorts(const std::string& pair) {
  return std::vector<std::string>(12, pair);
}

// A form of the test's hosts the panel, with a status bar whose first panel
// receives the LED request's status lines.
class FrontPanel : public PanelDeviceTest {
 protected:
  void TearDown() override {
    ClosePanel();
    delete host_;
    host_ = nullptr;
    PanelDeviceTest::TearDown();
  }

  TKXR5810PanelForm* OpenPanel() {
    host_ = Create<TForm>(Application);
    bar_ = new TStatusBar(host_);
    bar_->SetParent(host_);
    bar_->Panels()->Add()->SetWidth(700);
    panel_ = Create<TKXR5810PanelForm>(host_);
    alive_ = panel_->LifeToken();
    panel_->SetupPanelLeds(bar_->Panels()->Items(0));
    panel_->CollectPortImages();
    panel_->SetParent(host_);
    panel_->SetBounds(0, 0, panel_->Width(), panel_->Height());
    host_->SetClientWidth(panel_->ClientWidth() + 3);
    host_->SetClientHeight(panel_->Height() + bar_->Height() + 3);
    panel_->Show();
    host_->Show();
    TestKit::Pump();
    return panel_;
  }
  // Closes and deletes the panel as "Refresh Panel" does.
  void ClosePanel() {
    if (!panel_ || alive_.expired()) return;
    panel_->Close();
    if (!alive_.expired()) delete panel_;
    panel_ = nullptr;
  }
  VnSNMPRequest2Leds& Leds() const { return *panel_->LedRequest(); }
  const LedBinding& Led(int index) const { return Leds().Led(index); }
  VnLedColor Painted(int index) const {
    return static_cast<VnLedColor>(Led(index).Shape->Brush()->Color());
  }
  // On to the next 5,000 ms tick, `since` ms after the last one: Timer1
  // reads the link pictures, the LED request starts a reading, which is
  // then waited for. Both timers started together, so they tick together.
  void NextPoll(TestKit::VirtualTime& time, unsigned since = 0) {
    time.Advance(5000 - since);
    ASSERT_TRUE(WaitIdle(Leds()));
  }
  AnsiString StatusLine() const { return bar_->Panels()->Items(0)->Text(); }
  // "G", "O" or "-": which link picture of the slot shows.
  std::string LinkOf(const char* green, const char* orange) const {
    auto* g = dynamic_cast<TImage*>(panel_->FindComponent(green));
    auto* o = dynamic_cast<TImage*>(panel_->FindComponent(orange));
    EXPECT_FALSE(g->Visible() && o->Visible()) << green;
    return g->Visible() ? "G" : o->Visible() ? "O" : "-";
  }
  std::string Port(int n) const {
    const std::string p = "Port" + std::to_string(n);
    return LinkOf((p + "G").c_str(), (p + "O").c_str());
  }

  TForm* host_ = nullptr;
  TStatusBar* bar_ = nullptr;
  TKXR5810PanelForm* panel_ = nullptr;
  std::weak_ptr<void> alive_;
};

TEST_F(FrontPanel, SetupBuildsBothRequestsAndFourteenLedsAndReadsAtOnce) {
  TestKit::VirtualTime time;
  SetLedOctets(Octets("02", "01", AllPorts("0101")));
  OpenPanel();
  ASSERT_NE(panel_->LedRequest(), nullptr);
  ASSERT_NE(panel_->StatusTextRequest(), nullptr);
  ASSERT_TRUE(WaitIdle(Leds()));
  EXPECT_NE(NewLog().find(std::string("\tGET\tnoError\t0\t") + kLedStatusInstance + "=Hex-STRING:"),
            std::string::npos)
      << NewLog();

  const VnSNMPRequest& led = Leds().Request;
  EXPECT_EQ(led.Retries, 300u);
  EXPECT_EQ(led.VarList.ItemType, VnItemType::MVT_SV);
  EXPECT_EQ(led.VarList.InstanceSuffix, "0");
  EXPECT_EQ(led.VarList.Description, " Led Status");
  EXPECT_TRUE(Leds().AsyncMode);
  EXPECT_EQ(Leds().LayoutMode, 2u);
  EXPECT_EQ(Leds().LayoutStart, 5u);
  EXPECT_TRUE(Leds().PollTimer()->Enabled());
  EXPECT_EQ(Leds().PollTimer()->Interval(), 5000u);
  EXPECT_EQ(Leds().StatusTarget, bar_->Panels()->Items(0));
  EXPECT_FALSE(panel_->StatusTextRequest()->AsyncMode);
  EXPECT_EQ(panel_->StatusTextRequest()->Request.VarList.ItemType, VnItemType::SVT_SV);
  EXPECT_EQ(StatusLine().str().rfind("Get: Ok! Request: Led Status. Receive at ", 0), 0u)
      << StatusLine().str();

  ASSERT_EQ(Leds().LedCount(), 14);
  const int bytes[] = {2, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 25, 27};
  for (int k = 0; k < 14; ++k) {
    const PanelLedDef& def = PanelLeds()[static_cast<std::size_t>(k)];
    const LedBinding& b = Led(k);
    EXPECT_EQ(b.ByteIndex, bytes[k]) << k;
    EXPECT_EQ(b.Shape->Parent(), panel_->FindComponent(def.Host)) << k;
    EXPECT_EQ(b.Shape->Shape(), stRectangle);
    const bool small = k < 10;
    EXPECT_EQ(b.Shape->BoundsRect(), small ? (TRect{1, 1, 6, 6}) : (TRect{0, 1, 6, 7})) << k;
  }
  EXPECT_EQ(Led(kPowerLed).Color, kGreen);
  EXPECT_EQ(Led(kConsoleLed).Color, kWhite);
  EXPECT_EQ(panel_->Port10LedPanel->BevelOuter(), bvNone);
  EXPECT_EQ(panel_->Port10LedPanel->BevelInner(), bvNone);
}

TEST_F(FrontPanel, PortOneFollowsItsStateAndColourBytes) {
  TestKit::VirtualTime time;
  SetLedOctets(Octets("02", "01", AllPorts("0101")));
  OpenPanel();
  ASSERT_TRUE(WaitIdle(Leds()));
  // Before the first Timer1 tick every link picture is hidden.
  EXPECT_EQ(Port(1), "-");
  EXPECT_EQ(panel_->Portspeed->Caption(), "Portspeed");
  EXPECT_FALSE(panel_->Portspeed->Visible());

  struct Case {
    const char* pair;
    const char* picture;
    VnLedColor colour;
    bool blinking;
  };
  const Case cases[] = {
      {"0101", "-", kBlack, false},  // no link
      {"8203", "G", kGreen, true},   // full speed, traffic
      {"8101", "O", kOrange, true},  // any other pair
      {"0204", "O", kGreen, false},  // link, no traffic: still the orange picture
      {"0101", "-", kBlack, false},
  };
  unsigned since = 0;
  for (const Case& c : cases) {
    std::vector<std::string> pairs = AllPorts("0101");
    pairs[0] = c.pair;
    SetLedOctets(Octets("02", "01", pairs));
    NextPoll(time, since);
    since = 0;
    SCOPED_TRACE(c.pair);
    EXPECT_EQ(panel_->Portspeed->Caption().SubString(11, 4), c.pair);
    EXPECT_EQ(Port(1), c.picture);
    EXPECT_EQ(Port(2), "-");
    EXPECT_EQ(Led(kPort1Led).Color, c.colour);
    EXPECT_EQ(Led(kPort1Led).Blinking, c.blinking);
    // The next blink ticks: a blinking LED alternates with black, a steady
    // one keeps its colour.
    std::vector<VnLedColor> shown = {Painted(kPort1Led)};
    for (int tick = 0; tick < 3; ++tick) {
      time.Advance(60);
      since += 60;
      shown.push_back(Painted(kPort1Led));
    }
    if (c.blinking) {
      EXPECT_NE(shown[0], shown[1]);
      EXPECT_EQ(shown[0], shown[2]);
      EXPECT_NE(shown[2], shown[3]);
      EXPECT_TRUE(shown[1] == c.colour || shown[0] == c.colour);
    } else {
      EXPECT_EQ(shown, std::vector<VnLedColor>(4, c.colour));
    }
  }
  // Long after the reading a blinking LED stays in its colour.
  std::vector<std::string> pairs = AllPorts("0101");
  pairs[0] = "8203";
  SetLedOctets(Octets("02", "01", pairs));
  NextPoll(time, since);
  time.Advance(600);
  EXPECT_EQ(Painted(kPort1Led), kGreen);
}

TEST_F(FrontPanel, AShortValueLinksNoPortBeyondIt) {
  TestKit::VirtualTime time;
  // 15 octets: ports 1 to 4 and half of port 5.
  SetLedOctets("0000020100 8203 0101 8101 0204 82");
  OpenPanel();
  ASSERT_TRUE(WaitIdle(Leds()));
  NextPoll(time);
  EXPECT_EQ(panel_->Portspeed->Caption(),
            "00000201008203010181010204"
            "82");
  EXPECT_EQ(Port(1), "G");
  EXPECT_EQ(Port(2), "-");
  EXPECT_EQ(Port(3), "O");
  EXPECT_EQ(Port(4), "O");
  for (int n = 5; n <= 10; ++n) EXPECT_EQ(Port(n), "-") << n;
  EXPECT_EQ(LinkOf("Combo1G", "Combo1O"), "-");
  EXPECT_EQ(LinkOf("Combo2G", "Combo2O"), "-");

  EXPECT_EQ(Led(kPort1Led).Color, kGreen);
  EXPECT_EQ(Led(kPort1Led + 3).Color, kGreen);  // port 4: 02 04
  for (int k = kPort1Led + 4; k < 14; ++k) {    // port 5 lacks its colour byte
    EXPECT_EQ(Led(k).Color, kBlack) << k;
    EXPECT_FALSE(Led(k).Blinking) << k;
  }
  time.Advance(120);
  for (int k = kPort1Led + 4; k < 14; ++k) EXPECT_EQ(Painted(k), kBlack) << k;
}

TEST_F(FrontPanel, SlotsAfterPortEightMapToTheirHostsAndColourMaps) {
  TestKit::VirtualTime time;
  std::vector<std::string> pairs = AllPorts("0101");
  pairs[8] = "0204";   // port 9: the LED in Port10LedPanel, port link map
  pairs[9] = "0204";   // combo 1: the LED in Port9LedPanel, system map
  pairs[10] = "8203";  // port 10: the LED in Port12LedPanel
  pairs[11] = "0205";  // combo 2: the LED in Port11LedPanel
  SetLedOctets(Octets("02", "84", pairs));
  OpenPanel();
  ASSERT_TRUE(WaitIdle(Leds()));
  NextPoll(time);

  EXPECT_EQ(Led(kPort10Host).Shape->Parent(), panel_->Port10LedPanel);
  EXPECT_EQ(Led(kPort10Host).Color, kGreen);
  EXPECT_EQ(Led(kPort9Host).Shape->Parent(), panel_->Port9LedPanel);
  EXPECT_EQ(Led(kPort9Host).Color, kBlue);  // 4 is blue in the system map
  EXPECT_EQ(Led(kPort12Host).Color, kGreen);
  EXPECT_TRUE(Led(kPort12Host).Blinking);
  EXPECT_EQ(Led(kPort11Host).Color, kRed);
  EXPECT_EQ(Led(kPowerLed).Color, kGreen);
  EXPECT_EQ(Led(kConsoleLed).Color, kBlue);  // one byte: 0x84 blue, blinking
  EXPECT_TRUE(Led(kConsoleLed).Blinking);

  EXPECT_EQ(Port(9), "O");
  EXPECT_EQ(LinkOf("Combo1G", "Combo1O"), "O");
  EXPECT_EQ(Port(10), "G");
  EXPECT_EQ(LinkOf("Combo2G", "Combo2O"), "O");
  for (int n = 1; n <= 8; ++n) EXPECT_EQ(Port(n), "-") << n;
}

TEST_F(FrontPanel, AnErrorReplyResetsTheLedsAndShowsItsStatusLine) {
  TestKit::VirtualTime time;
  SetLedOctets(Octets("02", "01", AllPorts("8203")));
  Control("inject get 1.3.6.1.4.1.171.11.101.1.2.1.1.4 genErr");
  TestKit::DialogScript boxes;  // no message box
  OpenPanel();
  ASSERT_TRUE(WaitIdle(Leds()));
  EXPECT_EQ(StatusLine().str().rfind("Get: (SNMP) Cannot perform operation, General Error! "
                                     "Request: Led Status. Receive at ",
                                     0),
            0u)
      << StatusLine().str();
  EXPECT_TRUE(EndsWithReceiveTime(StatusLine()));
  for (int k = 0; k < 14; ++k) {
    EXPECT_EQ(Led(k).Color, kBlack) << k;
    EXPECT_FALSE(Led(k).Blinking) << k;
  }
  // The next reading works again.
  NextPoll(time);
  EXPECT_EQ(StatusLine().str().rfind("Get: Ok! Request: Led Status. Receive at ", 0), 0u);
  EXPECT_EQ(Led(kPort1Led).Color, kGreen);
}

// An agent without the object gives no octets ("(NULL)" or an empty string):
// that is no news of the links, not a panel whose ports all have link.
TEST_F(FrontPanel, AValueWithoutOctetsLinksNoPortAndKeepsTheLeds) {
  TestKit::VirtualTime time;
  std::vector<std::string> pairs = AllPorts("0101");
  pairs[0] = "8203";
  SetLedOctets(Octets("02", "01", pairs));
  OpenPanel();
  ASSERT_TRUE(WaitIdle(Leds()));
  NextPoll(time);
  ASSERT_EQ(Port(1), "G");

  SetLedOctets("");
  NextPoll(time);
  EXPECT_EQ(Port(1), "G");
  for (int n = 2; n <= 10; ++n) EXPECT_EQ(Port(n), "-") << n;
  EXPECT_EQ(LinkOf("Combo1G", "Combo1O"), "-");
  EXPECT_EQ(Led(kPowerLed).Color, kGreen);
  EXPECT_EQ(Led(kPort1Led).Color, kGreen);
  EXPECT_TRUE(Led(kPort1Led).Blinking);
  EXPECT_EQ(
      StatusLine().str().rfind(
          "Get: " + ErrorText(VNERR_NOSUCHNAME).str() + " Request: Led Status. Receive at ", 0),
      0u)
      << StatusLine().str();
}

TEST_F(FrontPanel, ASilentDeviceGetsNoSecondReadingAndClosingGivesUpOnIt) {
  TestKit::VirtualTime time;
  SetLedOctets(Octets("02", "01", AllPorts("8203")));
  OpenPanel();
  ASSERT_TRUE(WaitIdle(Leds()));
  NextPoll(time);
  EXPECT_EQ(Port(1), "G");
  const AnsiString lastText = panel_->Portspeed->Caption();

  Control("mute");
  // Timer1's reading gives up quickly; the LED request keeps its 300 retries.
  panel_->StatusTextRequest()->Request.Timeout = 5;
  panel_->StatusTextRequest()->Request.Retries = 0;
  Leds().Request.Timeout = 200;
  for (int tick = 0; tick < 4; ++tick) {
    time.Advance(5000);
    PumpSnmpUntil([] { return false; }, 20);
    EXPECT_TRUE(Leds().Busy) << tick;
    EXPECT_EQ(Leds().Request.Outstanding, 1) << tick;  // one reading, never a second
  }
  // Timer1's failures are dropped: the pictures and the label stay.
  EXPECT_EQ(panel_->Portspeed->Caption(), lastText);
  EXPECT_EQ(Port(1), "G");

  const auto before = time.Now();
  ClosePanel();
  // Waited as long as a request's end waits, then withdrawn.
  EXPECT_GE(time.Now() - before, 6000u);
  EXPECT_LT(time.Now() - before, 7000u);
  EXPECT_TRUE(alive_.expired());
  Control("unmute");
  PumpFor(300);  // nothing comes back for the panel that is gone
}

// However the panel ends, closed by "Refresh Panel" or destroyed with the
// main window at program end, it waits for the LED reading still out as long
// as a request's end waits, and starts no link reading meanwhile (one would
// hold the end for its own time-out).
TEST_F(FrontPanel, ItsEndWaitsForTheLedReadingAndStartsNoOther) {
  for (const bool closed : {true, false}) {
    SCOPED_TRACE(closed ? "closed" : "destroyed by its owner");
    TestKit::VirtualTime time;
    OpenPanel();
    ASSERT_TRUE(WaitIdle(Leds()));
    // Every request is dropped (and logged); the reading that starts now
    // stays out, and no retransmission of it falls into the end.
    Control("drop 100000");
    Leds().Request.Timeout = 3000;
    panel_->StatusTextRequest()->Request.Timeout = 5;
    panel_->StatusTextRequest()->Request.Retries = 0;
    const auto dropped = [this] {
      const std::string log = NewLog();
      std::size_t n = 0;
      for (auto at = log.find("\tdropped\t"); at != std::string::npos;
           at = log.find("\tdropped\t", at + 1))
        ++n;
      return n;
    };
    time.Advance(5000);
    ASSERT_TRUE(Leds().Busy);
    // The LED reading and the link reading of this tick reached the device.
    ASSERT_TRUE(PumpSnmpUntil([&] { return dropped() >= 2; }));
    PumpSnmpUntil([] { return false; }, 200);
    const std::size_t requests = NewLog().size();
    const auto before = time.Now();
    if (closed) ClosePanel();
    delete host_;
    host_ = nullptr;
    EXPECT_GE(time.Now() - before, 6000u);
    EXPECT_LT(time.Now() - before, 7000u);
    EXPECT_TRUE(alive_.expired());
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(NewLog().substr(requests), "");
    Control("reset");
  }
}

TEST_F(FrontPanel, ClosingWaitsForTheReadingInFlight) {
  // Real time: the reply comes 600 ms after the request.
  Control("delay 600");
  OpenPanel();
  ASSERT_TRUE(Leds().Busy);
  const auto start = std::chrono::steady_clock::now();
  ClosePanel();
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_GE(waited, std::chrono::milliseconds(450));
  EXPECT_LT(waited, std::chrono::milliseconds(5000));
  EXPECT_TRUE(alive_.expired());
  EXPECT_NE(NewLog().find(std::string("\tGET\tnoError\t0\t") + kLedStatusInstance),
            std::string::npos);
  PumpFor(200);
}

TEST_F(FrontPanel, SetupFailuresAreDroppedAndTheTimerKeepsThePictures) {
  TestKit::VirtualTime time;
  ConnectionDefaults.Device.Address = "";  // no address: every send fails at once
  EXPECT_NO_THROW(OpenPanel());
  ASSERT_NE(panel_->LedRequest(), nullptr);
  EXPECT_EQ(Leds().LedCount(), 14);
  EXPECT_FALSE(Leds().Busy);
  for (int k = 0; k < 14; ++k) EXPECT_EQ(Led(k).Color, kBlack);
  time.Advance(5000);
  EXPECT_EQ(panel_->Portspeed->Caption(), "Portspeed");
  for (int n = 1; n <= 10; ++n) EXPECT_EQ(Port(n), "-");
  // A poll tick's failure goes to the status line.
  time.Advance(5000);
  EXPECT_FALSE(StatusLine().IsEmpty());
}

TEST_F(FrontPanel, PictureWithTheSimulatorsPattern) {
  TestKit::VirtualTime time;
  OpenPanel();
  ASSERT_TRUE(WaitIdle(Leds()));
  NextPoll(time);
  time.Advance(500);  // the blinking is over: every LED in its colour
  EXPECT_EQ(Painted(kPowerLed), kGreen);
  EXPECT_TRUE(TestKit::Grab(panel_, vntest::ArtifactsDir() + "/front-panel.png"));
  EXPECT_TRUE(TestKit::Grab(host_, vntest::ArtifactsDir() + "/front-panel-host.png"));
}

using PanelDesign = PanelUiTest;

TEST_F(PanelDesign, EveryComponentSitsWhereTheFormPutsIt) {
  auto* panel = Create<TKXR5810PanelForm>(Application);
  EXPECT_EQ(panel->BorderStyle(), bsNone);
  EXPECT_EQ(panel->ClientWidth(), 795);
  EXPECT_EQ(panel->ClientHeight(), 125);
  EXPECT_EQ(panel->Font()->Name(), "MS Sans Serif");
  EXPECT_EQ(panel->Font()->Height(), -11);

  EXPECT_EQ(panel->DeviceBG->Align(), alClient);
  EXPECT_TRUE(panel->DeviceBG->Stretch());
  EXPECT_EQ(panel->DeviceBG->Picture()->Width(), 794);
  EXPECT_EQ(panel->DeviceBG->Picture()->Height(), 125);
  EXPECT_EQ(panel->PowerLedPanel->BoundsRect(), (TRect{177, 89, 182, 94}));
  EXPECT_EQ(panel->ConsoleLedPanel->BoundsRect(), (TRect{177, 74, 182, 79}));
  EXPECT_EQ(panel->Port9LedPanel->BoundsRect(), (TRect{477, 74, 482, 79}));
  EXPECT_EQ(panel->Port10LedPanel->BoundsRect(), (TRect{477, 89, 482, 94}));
  EXPECT_EQ(panel->Port11LedPanel->BoundsRect(), (TRect{622, 74, 627, 79}));
  EXPECT_EQ(panel->Port12LedPanel->BoundsRect(), (TRect{622, 89, 627, 94}));
  TPanel* leds[] = {panel->Port1LedPanel, panel->Port2LedPanel, panel->Port3LedPanel,
                    panel->Port4LedPanel, panel->Port5LedPanel, panel->Port6LedPanel,
                    panel->Port7LedPanel, panel->Port8LedPanel};
  TImage* green[] = {panel->Port1G, panel->Port2G, panel->Port3G, panel->Port4G,
                     panel->Port5G, panel->Port6G, panel->Port7G, panel->Port8G};
  TImage* orange[] = {panel->Port1O, panel->Port2O, panel->Port3O, panel->Port4O,
                      panel->Port5O, panel->Port6O, panel->Port7O, panel->Port8O};
  for (int n = 1; n <= 8; ++n) {
    const int column = (n - 1) / 2;
    const bool odd = n % 2 == 1;
    const int ledLeft = 230 + 14 * column, ledTop = odd ? 74 : 89;
    EXPECT_EQ(leds[n - 1]->BoundsRect(), (TRect{ledLeft, ledTop, ledLeft + 5, ledTop + 5})) << n;
    const int left = 300 + 39 * column, top = odd ? 41 : 68;
    EXPECT_EQ(green[n - 1]->BoundsRect(), (TRect{left, top, left + 37, top + 15})) << n;
    EXPECT_EQ(orange[n - 1]->BoundsRect(), green[n - 1]->BoundsRect()) << n;
    EXPECT_EQ(green[n - 1]->Picture()->Width(), 37);
  }
  EXPECT_EQ(panel->Combo1G->BoundsRect(), (TRect{501, 72, 543, 87}));
  EXPECT_EQ(panel->Combo1O->BoundsRect(), (TRect{501, 72, 543, 87}));
  EXPECT_EQ(panel->Combo2G->BoundsRect(), (TRect{646, 72, 688, 87}));
  EXPECT_EQ(panel->Combo2O->Picture()->Width(), 42);
  EXPECT_EQ(panel->Port9G->BoundsRect(), (TRect{561, 67, 598, 82}));
  EXPECT_EQ(panel->Port10O->BoundsRect(), (TRect{706, 67, 743, 82}));
  EXPECT_EQ(panel->Timer1->Interval(), 5000u);
  EXPECT_TRUE(panel->Timer1->Enabled());
  EXPECT_EQ(panel->Portspeed->Left(), 720);
  EXPECT_EQ(panel->Portspeed->Top(), 16);
  EXPECT_FALSE(panel->Portspeed->Visible());
  EXPECT_EQ(panel->Portspeed->Caption(), "Portspeed");

  // The lists exist from FormCreate on; CollectPortImages fills them in
  // port order and hides every link picture.
  ASSERT_NE(panel->GreenImages(), nullptr);
  EXPECT_EQ(panel->GreenImages()->Count(), 0);
  EXPECT_TRUE(panel->Port1G->Visible());
  panel->CollectPortImages();
  ASSERT_EQ(panel->GreenImages()->Count(), 10);
  ASSERT_EQ(panel->OrangeImages()->Count(), 10);
  EXPECT_EQ(panel->GreenImages()->Items(0), panel->Port1G);
  EXPECT_EQ(panel->GreenImages()->Items(8), panel->Port9G);
  EXPECT_EQ(panel->OrangeImages()->Items(9), panel->Port10O);
  for (int i = 0; i < panel->ComponentCount(); ++i) {
    auto* image = dynamic_cast<TImage*>(panel->Components(i));
    if (image && image != panel->DeviceBG) {
      EXPECT_FALSE(image->Visible()) << image->Name().str();
    }
  }
  EXPECT_EQ(panel->LedRequest(), nullptr);
  delete panel;  // never closed: no requests to end
}

}  // namespace
