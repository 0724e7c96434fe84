#include "FormsL2Support.h"

#include <filesystem>
#include <fstream>

#include "app/MainUnit.h"
#include "pages/StackingPortUitFormUnit.h"
#include "platform/Classes.h"
#include "platform/Files.h"
#include "platform/StdCtrls.h"

TCheckBox* FormsL2Test::Port(TStackingPortUitForm* frame, int port) {
  return static_cast<TCheckBox*>(frame->PortCheckBoxes->Items(port - 1));
}

void FormsL2Test::SavePicture(TControl* form, const std::string& name) {
  EXPECT_TRUE(TestKit::Grab(form, vntest::ArtifactsDir() + "/form-" + name + ".png"));
}

TMainForm* MakeMainWindow(const std::string& folder, int agentPort) {
  std::ofstream(folder + "/127.0.0.1.cfg")
      << "[Program Information]\nAgentPort=" << agentPort << "\nVersion=1\nSecurityModel=2\n";
  // Back to the test's folder and command line however the start ends.
  struct Restore {
    std::filesystem::path here = std::filesystem::current_path();
    ~Restore() {
      SetCommandLine(0, nullptr);
      std::filesystem::current_path(here);
    }
  } restore;
  std::filesystem::current_path(folder);
  const char* argv[] = {"kxr-module", "/I127.0.0.1", "/Rqovalt", "/Wmundrel"};
  SetCommandLine(4, argv);
  auto* window = Create<TMainForm>(Application);
  MainForm = window;
  return window;
}
