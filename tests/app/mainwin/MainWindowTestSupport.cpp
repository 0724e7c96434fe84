#include "MainWindowTestSupport.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <thread>

#include "app/ConnectionParameters.h"
#include "app/MainUnit.h"
#include "catalogue/MibOptionLists.h"
#include "library/VnMessageTables.h"
#include "library/VnSNMPConnection.h"
#include "library/VnSNMPRequest2Controls.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/GUIConfigForm.h"
#include "pages/GUIGenerator.h"
#include "platform/Classes.h"
#include "platform/ComCtrls.h"
#include "platform/Files.h"
#include "platform/Forms.h"

namespace {

void ReportToTest(const std::string& message) { ADD_FAILURE() << message; }

vntest::TempDir& Work() {
  static vntest::TempDir dir;
  return dir;
}

}  // namespace

std::unique_ptr<simtest::Simulator> MainWindowTest::sim_;

void MainWindowTest::SetUpTestSuite() {
  TestKit::EnsureApplication();
  TestKit::SetFailureReporter(&ReportToTest);
  InitMibOptionLists();  // once per process; the lists live until exit
  if (chdir(Work().Path().c_str()) != 0) FAIL() << "cannot enter " << Work().Path();
  if (!sim_) sim_ = std::make_unique<simtest::Simulator>();
}

const std::string& MainWindowTest::WorkDir() { return Work().Path(); }

void MainWindowTest::SetUp() {
  ASSERT_TRUE(sim_->Running()) << sim_->Output();
  Control("reset");
  TestKit::ClearModalScripts();
  TestKit::SetPixelsPerInch(0);
  RestoreBuiltInMessages();
  registryOverride_ = std::make_unique<TRegistryStoreOverride>(registry_);
  std::remove((WorkDir() + "/127.0.0.1.cfg").c_str());
  Application->ResetLoopState();
  logStart_ = sim_->Log().size();
}

void MainWindowTest::TearDown() {
  DeleteMainWindow();
  EXPECT_EQ(TestKit::PendingModalScripts(), 0) << "modal scripts left unused";
  TestKit::ClearModalScripts();
  TestKit::Pump();
  registryOverride_.reset();
  Application->ResetLoopState();
  SetCommandLine(0, nullptr);
  Control("reset");
}

void MainWindowTest::Control(const std::string& command) {
  const std::string reply = sim_->Control(command);
  EXPECT_EQ(reply.rfind("ok", 0), 0u) << command << ": " << reply;
}

std::string MainWindowTest::WriteConfig(const std::string& folder, const std::string& address,
                                        const std::vector<std::string>& lines) {
  const std::string path = (folder.empty() ? WorkDir() : folder) + "/" + address + ".cfg";
  std::ofstream out(path);
  out << "[Program Information]\n";
  for (const std::string& l : lines) out << l << "\n";
  return path;
}

void MainWindowTest::WriteSimulatorConfig(const std::string& address) {
  WriteConfig(
      "", address,
      {"AgentPort=" + std::to_string(sim_->Port()), "Version=1",
       "ContextName=", "ContextEngineID=", "SecurityModel=2", "SecurityLevel=0",
       "SecurityName=", "AuthProtocol=0", "PrivProtocol=0", "AuthPassword=", "PrivPassword="});
}

void MainWindowTest::SetArguments(const std::vector<std::string>& args) {
  std::vector<const char*> argv = {"kxr-module"};
  for (const std::string& a : args) argv.push_back(a.c_str());
  SetCommandLine(static_cast<int>(argv.size()), argv.data());
}

TMainForm* MainWindowTest::CreateMainWindow(const std::vector<std::string>& args) {
  SetArguments(args);
  window_ = Create<TMainForm>(Application);
  MainForm = window_;
  return window_;
}

TMainForm* MainWindowTest::StartAgainstSimulator() {
  WriteSimulatorConfig();
  CreateMainWindow({"/I127.0.0.1", "/Rqovalt", "/Wmundrel"});
  TestKit::ShowAndActivate(window_);
  return window_;
}

void MainWindowTest::DeleteMainWindow() {
  delete window_;
  window_ = nullptr;
  MainForm = nullptr;
}

bool MainWindowTest::PumpUntil(const std::function<bool()>& done, int ms) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    Application->ProcessMessages();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

bool MainWindowTest::WaitIdle(const VnSNMPRequest2Controls& request, int ms) {
  return PumpUntil([&request] { return !request.Busy; }, ms);
}

std::string MainWindowTest::NewLog() const { return sim_->Log().substr(logStart_); }

AnsiString StatusText(TMainForm* window) { return window->StatusBar->Panels()->Items(0)->Text(); }

TSNMPEditorPanel* PagePanel(TConfigForm* page) {
  for (int i = 0; i < page->ControlCount(); ++i)
    if (auto* p = dynamic_cast<TSNMPEditorPanel*>(page->Controls(i))) return p;
  return nullptr;
}

VnSNMPRequest2Edits* PageRequest(TConfigForm* page) {
  TList* list = page->RequestList();
  return list && list->Count() ? static_cast<VnSNMPRequest2Edits*>(list->Items(0)) : nullptr;
}
