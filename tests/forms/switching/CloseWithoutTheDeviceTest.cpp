// Windows whose close handler reads the device again, opened from the main
// window's menu: with the agent silent or without the object, the window
// still goes, within the reading's own timeout; the failed reading is shown
// and the RMON entries keep their state.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

#include "FormsL2Support.h"
#include "app/MainUnit.h"
#include "forms/switching/Layer2ControlUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/GUIConfigForm.h"
#include "platform/Classes.h"
#include "platform/ExtCtrls.h"
#include "platform/Menus.h"
#include "platform/RegistryStore.h"
#include "support/TestSupport.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kRmonState = "1.3.6.1.4.1.171.11.101.1.2.1.2.4";
constexpr const char* kTimedOut = "(SNMPClass) SNMP request timed out!";
constexpr const char* kNoObject = "(SNMP) Variable does not exist!";

bool Idle(const VnSNMPRequest2Controls* request) { return !request || !request->Busy; }

// The window's own reads are over.
bool PageIdle(TForm* form) {
  auto* page = dynamic_cast<TConfigForm*>(form);
  if (!page || !page->RequestList()) return false;
  for (int i = 0; i < page->RequestList()->Count(); ++i)
    if (!Idle(static_cast<VnSNMPRequest2Edits*>(page->RequestList()->Items(i)))) return false;
  return true;
}

bool Layer2Idle(TForm* form) {
  auto* f = dynamic_cast<TLayer2ControlForm*>(form);
  return f && Idle(f->Request.get()) && Idle(f->WebPortRequest.get()) &&
         Idle(f->TelnetPortRequest.get()) && Idle(f->AuthTrapRequest.get());
}

struct CloseCase {
  const char* name;
  void (TMainForm::*open)(TObject*);  // the menu handler: shows the window modally
  bool (*idle)(TForm*);
  std::string agent;  // simulator command once the window has read the device
  const char* shown;  // the box that reports the failed reading
};

class CloseWithoutTheDevice : public FormsL2Test {
 protected:
  void SetUp() override {
    FormsL2Test::SetUp();
    useRegistry_ = std::make_unique<TRegistryStoreOverride>(registry_);
    window_.reset(MakeMainWindow(work_.Path(), Sim().Port()));
  }
  void TearDown() override {
    window_.reset();
    useRegistry_.reset();
    FormsL2Test::TearDown();
  }
  TMemoryRegistryStore registry_;
  std::unique_ptr<TRegistryStoreOverride> useRegistry_;
  vntest::TempDir work_;
  std::unique_ptr<TMainForm> window_;
};

TEST_F(CloseWithoutTheDevice, TheWindowGoesWithinTheReadingsTimeout) {
  const CloseCase cases[] = {
      {"RMON Control, agent silent", &TMainForm::RMONSetting1Click, &PageIdle, "mute", kTimedOut},
      {"RMON Control, no RMON state", &TMainForm::RMONSetting1Click, &PageIdle,
       std::string("inject get ") + kRmonState + " noSuchName", kNoObject},
      {"Layer2 Device Control, agent silent", &TMainForm::DeviceControl1Click, &Layer2Idle, "mute",
       kTimedOut},
      {"Layer2 Device Control, no RMON state", &TMainForm::DeviceControl1Click, &Layer2Idle,
       std::string("inject get ") + kRmonState + " noSuchName", kNoObject},
  };
  const VnSNMPRequest& reading = window_->RmonStateRequest()->Request;
  // The reading's timeout with its retries, and time for the rest of the close.
  const auto limit = std::chrono::milliseconds(10 * reading.Timeout * (reading.Retries + 1) + 1000);
  for (const CloseCase& c : cases) {
    SCOPED_TRACE(c.name);
    Control("reset");
    Control(std::string("set ") + kRmonState + ".0 i 3");
    window_->UpdateRmonMenuState();
    ASSERT_TRUE(window_->Statistics1->Enabled());

    TestKit::DialogScript boxes;
    boxes.Expect(c.shown);
    TForm* shown = nullptr;
    std::weak_ptr<void> life;
    Clock::time_point closed = Clock::now();
    bool stuck = false;
    // A window still open after the limit fails the case; the agent then
    // answers again so that it can close and the test goes on.
    TTimer watchdog(nullptr);
    watchdog.SetEnabled(false);
    watchdog.SetInterval(50);
    watchdog.OnTimer = [&](TObject*) {
      if (life.expired() || Clock::now() - closed < limit) return;
      stuck = true;
      Control("unmute");
      shown->Close();
    };
    TestKit::OnNextModal<TForm>([&](TForm* form) {
      shown = form;
      life = form->LifeToken();
      EXPECT_TRUE(PumpUntil([&] { return c.idle(form); }));
      Control(c.agent);
      closed = Clock::now();
      watchdog.SetEnabled(true);
      form->Close();
    });
    (window_.get()->*c.open)(nullptr);
    const auto took = Clock::now() - closed;
    watchdog.SetEnabled(false);
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(life.expired());
    EXPECT_FALSE(stuck);
    EXPECT_LT(took, limit);
    boxes.Verify();
    EXPECT_TRUE(window_->Statistics1->Enabled());
    EXPECT_TRUE(window_->History1->Enabled());
    EXPECT_TRUE(window_->AlarmEvent1->Enabled());
  }
}

}  // namespace
