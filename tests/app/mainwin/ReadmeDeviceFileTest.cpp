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
#include "platform/RegistryStore.h"
#include "platform/StdCtrls.h"

namespace {

// The indented block of the README that starts with the line (a file's
// first section).
std::string IndentedBlock(const std::string& first) {
  std::istringstream readme(vntest::ReadFile(vntest::SourceDir() + "/README.md"));
  std::string line, file;
  bool inside = false;
  while (std::getline(readme, line)) {
    if (!inside && line == "    " + first) inside = true;
    if (!inside) continue;
    if (line.rfind("    ", 0) != 0) break;
    file += line.substr(4) + "\n";
  }
  return file;
}

using ReadmeDeviceFile = MainWindowTest;

TEST_F(ReadmeDeviceFile, ExampleReachesTheDevice) {
  std::string file = IndentedBlock("[Program Information]");
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

// The registry file of the README's example, with a folder of the test's
// own for the README's: its Path is joined to the device file's name as it
// stands, and the module reads its connection from the file there.
TEST_F(ReadmeDeviceFile, RegistryExampleNamesTheFolderOfTheDeviceFiles) {
  std::string registry =
      IndentedBlock("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vantrel\\Kelvane5.1\\MibFile]");
  const std::string readmeFolder = "/home/ops/devices/";
  ASSERT_NE(registry.find("Path=" + readmeFolder + "\n"), std::string::npos) << registry;
  vntest::TempDir devices;
  registry.replace(registry.find(readmeFolder), readmeFolder.size(), devices.Path() + "/");
  TFileRegistryStore store(AnsiString(devices.Write("registry.ini", registry)));
  TRegistryStoreOverride use(store);
  WriteConfig(devices.Path(), "127.0.0.1",
              {"AgentPort=" + std::to_string(Sim().Port()), "Version=1"});
  CreateMainWindow({"/I127.0.0.1", "/Rqovalt", "/Wmundrel"});
  TestKit::ShowAndActivate(window_);  // the front panel reads the device
  EXPECT_TRUE(PumpUntil([this] { return NewLog().find("v2c\tqovalt") != std::string::npos; }))
      << NewLog();
}

}  // namespace
