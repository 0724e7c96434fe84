// The device-file example of README.md, taken from the README as it stands
// (so that the two stay in step) with the simulator's port for the agent's,
// must bring the module to the device.
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "MainWindowTestSupport.h"
#include "app/MainMenuTree.h"
#include "app/MainUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/GUIConfigForm.h"
#include "pages/GUIGenerator.h"
#include "platform/Classes.h"
#include "platform/StdCtrls.h"

namespace {

// The indented block of the README that starts with the file's section.
std::string ExampleDeviceFile() {
  std::istringstream readme(vntest::ReadFile(vntest::SourceDir() + "/README.md"));
  std::string line, file;
  bool inside = false;
  while (std::getline(readme, line)) {
    if (!inside && line == "    [Program Information]") inside = true;
    if (!inside) continue;
    if (line.rfind("    ", 0) != 0) break;
    file += line.substr(4) + "\n";
  }
  return file;
}

using ReadmeDeviceFile = MainWindowTest;

TEST_F(ReadmeDeviceFile, ExampleReachesTheDevice) {
  std::string file = ExampleDeviceFile();
  ASSERT_NE(file.find("AgentPort=161\n"), std::string::npos) << file;
  file = std::regex_replace(file, std::regex("AgentPort=161"),
                            "AgentPort=" + std::to_string(Sim().Port()));
  {
    std::ofstream out(WorkDir() + "/127.0.0.1.cfg");
    out << file;
  }
  CreateMainWindow({"/I127.0.0.1", "/Rqovalt", "/Wmundrel"});
  bool read = false;
  TestKit::OnNextModal<TConfigForm>([&](TConfigForm* page) {
    VnSNMPRequest2Edits* request = PageRequest(page);
    TSNMPEditorPanel* panel = PagePanel(page);
    if (request && panel) {
      EXPECT_TRUE(PumpUntil([&] { return !request->Busy && request->RowCount > 0; }));
      EXPECT_EQ(panel->EditsPanel->Row(0).EditCtrl->Text(), "10");  // ports
      read = true;
    }
    page->Close();
  });
  window_->RunMenuEntry(*FindMenuEntryByName("DeviceInformation1"));
  EXPECT_TRUE(read);
  EXPECT_NE(NewLog().find("v2c\tqovalt"), std::string::npos) << NewLog();
}

}  // namespace
