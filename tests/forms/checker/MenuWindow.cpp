#include "MenuWindow.h"

#include <unistd.h>

#include <fstream>

#include "app/MainMenuTree.h"
#include "app/MainUnit.h"
#include "platform/Files.h"
#include "platform/Forms.h"
#include "platform/RegistryStore.h"
#include "simulator/SimulatorHarness.h"

namespace formcheck {

namespace {
TMenuWindow* g_current = nullptr;
}  // namespace

// Where the window lives: its folder (the SNMP session's boot counter and
// the device's configuration file), the registry, the folder it came from.
struct TMenuWindow::TPlace {
  vntest::TempDir folder;
  TMemoryRegistryStore registry;
  TRegistryStoreOverride registryOverride{registry};
  std::string previousFolder;
};

TMenuWindow::TMenuWindow(simtest::Simulator& sim) : place_(std::make_unique<TPlace>()) {
  char here[4096];
  if (getcwd(here, sizeof here)) place_->previousFolder = here;
  if (chdir(place_->folder.Path().c_str()) != 0) return;
  std::ofstream(place_->folder.File("127.0.0.1.cfg"))
      << "[Program Information]\nAgentPort=" << sim.Port()
      << "\nVersion=1\nContextName=\nContextEngineID=\nSecurityModel=2\nSecurityLevel=0\n"
         "SecurityName=\nAuthProtocol=0\nPrivProtocol=0\nAuthPassword=\nPrivPassword=\n";
  const char* argv[] = {"kxr-module", "/I127.0.0.1", "/Rqovalt", "/Wmundrel"};
  SetCommandLine(4, argv);
  window_ = Create<TMainForm>(Application);
  MainForm = window_;
  g_current = this;
}

TMenuWindow::~TMenuWindow() {
  if (g_current == this) g_current = nullptr;
  delete window_;
  MainForm = nullptr;
  SetCommandLine(0, nullptr);
  Application->ResetLoopState();
  if (!place_->previousFolder.empty() && chdir(place_->previousFolder.c_str()) != 0) return;
}

bool RunMenuHandler(const TMainMenuEntry& entry) {
  if (!g_current || !g_current->Window() || !entry.OnClick) return false;
  (g_current->Window()->*entry.OnClick)(nullptr);
  return true;
}

}  // namespace formcheck
