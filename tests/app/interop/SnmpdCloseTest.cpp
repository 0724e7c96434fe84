// RMON > RMON Control against Debian's snmpd over version 1, an agent without
// the device's RMON state object: the page's close reads that state again
// and the agent answers noSuchName. The state is absent, as over version 2c:
// the page goes, no failure is shown, and the RMON entries keep their state.
#include <memory>

#include "InteropTestSupport.h"
#include "app/MainMenuTree.h"
#include "app/MainUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/GUIConfigForm.h"
#include "platform/ExtCtrls.h"
#include "platform/Menus.h"
#include "platform/TestKit.h"

namespace {

class SnmpdClose : public SnmpdTest {};

TEST_F(SnmpdClose, RmonControlClosesThoughTheAgentLacksTheRmonState) {
  StartModule(Over::V1);
  const TMainMenuEntry* entry = FindMenuEntryByName("RMONSetting1");
  ASSERT_NE(entry, nullptr);
  const bool statistics = window_->Statistics1->Enabled();
  TestKit::DialogScript boxes;  // a box would be a failure
  std::weak_ptr<void> life;
  TConfigForm* shown = nullptr;
  bool stuck = false;
  // The page still open a while after its close: it would stay so for ever.
  // Its close handler goes, so that it can close and the test goes on.
  TTimer watchdog(nullptr);
  watchdog.SetEnabled(false);
  watchdog.SetInterval(3000);
  watchdog.OnTimer = [&](TObject*) {
    watchdog.SetEnabled(false);
    if (life.expired()) return;
    stuck = true;
    shown->OnClose = nullptr;
    shown->Close();
  };
  TestKit::OnNextModal<TConfigForm>([&](TConfigForm* page) {
    shown = page;
    life = page->LifeToken();
    if (VnSNMPRequest2Edits* request = PageRequest(page)) {
      EXPECT_TRUE(WaitIdle(*request));
    }
    watchdog.SetEnabled(true);
    page->Close();
  });
  window_->RunMenuEntry(*entry);
  watchdog.SetEnabled(false);
  EXPECT_FALSE(stuck);
  EXPECT_TRUE(life.expired());
  boxes.Verify();
  EXPECT_EQ(window_->Statistics1->Enabled(), statistics);
  DeleteMainWindow();
}

}  // namespace
