// The front panel against Debian's snmpd, which lacks the device's LED
// status object: no port is drawn as linked, the LEDs stay as they are, and
// the status line says what it says when a version 1 agent answers
// noSuchName for the object.
#include <string>

#include "InteropTestSupport.h"
#include "app/PanelForm.h"
#include "library/VnErrors.h"
#include "library/VnSNMPRequest2Leds.h"
#include "platform/ComCtrls.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"

namespace {

// A form of the test's hosts the panel, with a status bar whose first panel
// receives the LED request's status lines.
class SnmpdPanel : public SnmpdTest {
 protected:
  void TearDown() override {
    ClosePanel();
    SnmpdTest::TearDown();
  }

  void OpenPanel() {
    host_ = Create<TForm>(Application);
    bar_ = new TStatusBar(host_);
    bar_->SetParent(host_);
    bar_->Panels()->Add()->SetWidth(700);
    panel_ = Create<TKXR5810PanelForm>(host_);
    panel_->SetupPanelLeds(bar_->Panels()->Items(0));
    panel_->CollectPortImages();
    panel_->SetParent(host_);
    host_->Show();
    panel_->Show();
    ASSERT_TRUE(PumpSnmpUntil([this] { return !panel_->LedRequest()->Busy; }));
  }
  void ClosePanel() {
    delete host_;  // the panel with it, as at program end
    host_ = nullptr;
    panel_ = nullptr;
  }
  // The status line without its time of day.
  std::string StatusLine() const {
    const std::string line = bar_->Panels()->Items(0)->Text().str();
    return line.substr(0, line.find(" Receive at "));
  }
  // Which link pictures show, one letter per slot: G, O or -.
  std::string Links() const {
    std::string shown;
    for (const char* slot : {"Port1", "Port2", "Port3", "Port4", "Port5", "Port6", "Port7", "Port8",
                             "Port9", "Port10", "Combo1", "Combo2"}) {
      auto* g = dynamic_cast<TImage*>(panel_->FindComponent(AnsiString(slot) + "G"));
      auto* o = dynamic_cast<TImage*>(panel_->FindComponent(AnsiString(slot) + "O"));
      shown += g->Visible() ? 'G' : o->Visible() ? 'O' : '-';
    }
    return shown;
  }

  TForm* host_ = nullptr;
  TStatusBar* bar_ = nullptr;
  TKXR5810PanelForm* panel_ = nullptr;
};

TEST_F(SnmpdPanel, AbsentLedObjectLinksNoPortAndReadsAsVersion1SaysIt) {
  TestKit::VirtualTime time;
  StartModule(Over::V1);
  OpenPanel();
  const std::string v1 = StatusLine();
  EXPECT_EQ(v1, "Get: " + ErrorText(VNERR_NOSUCHNAME).str() + " Request: Led Status.");
  ClosePanel();
  DeleteMainWindow();

  for (Over version : {Over::V2c, Over::V3}) {
    SCOPED_TRACE(version == Over::V2c ? "v2c" : "v3");
    StartModule(version);
    OpenPanel();
    EXPECT_EQ(StatusLine(), v1);
    const VnSNMPRequest2Leds& leds = *panel_->LedRequest();
    for (int k = 0; k < leds.LedCount(); ++k) {
      EXPECT_EQ(leds.Led(k).Color, 0x000000u) << k;
      EXPECT_FALSE(leds.Led(k).Blinking) << k;
    }
    // Timer1 reads the value for the link pictures; the LED request reads
    // it again.
    time.Advance(5000);
    ASSERT_TRUE(PumpSnmpUntil([&leds] { return !leds.Busy; }));
    EXPECT_EQ(Links(), "------------");
    EXPECT_EQ(StatusLine(), v1);
    ClosePanel();
    DeleteMainWindow();
  }
}

}  // namespace
