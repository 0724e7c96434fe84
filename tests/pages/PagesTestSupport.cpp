#include "PagesTestSupport.h"

#include <chrono>
#include <sstream>
#include <thread>

#include "catalogue/MibOptionLists.h"
#include "library/VnMessageTables.h"
#include "library/VnSNMPConnection.h"
#include "library/VnSNMPRequest2Edits.h"
#include "library/VnSNMPSession.h"
#include "pages/GUIConfigForm.h"
#include "pages/GUIGenerator.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "snmp/Snmp.h"

namespace {
void ReportToTest(const std::string& message) { ADD_FAILURE() << message; }

VnSNMPRequest2Edits* NewRequest(TConfigForm* form, const VnSNMPVarDesc* table, VnItemType itemType,
                                int keyCount) {
  auto* request = new VnSNMPRequest2Edits(form);
  VnSNMPVarList list(table, itemType, static_cast<std::uint32_t>(keyCount));
  request->Request.VarList = list;
  return request;
}
}  // namespace

void PagesUiTest::SetUpTestSuite() {
  TestKit::EnsureApplication();
  TestKit::SetFailureReporter(&ReportToTest);
  static bool lists = false;
  if (!lists) InitMibOptionLists();  // once per process; the lists live until exit
  lists = true;
}

void PagesUiTest::SetUp() {
  TestKit::ClearModalScripts();
  TestKit::SetPixelsPerInch(0);
  RestoreBuiltInMessages();
}

void PagesUiTest::TearDown() {
  EXPECT_EQ(TestKit::PendingModalScripts(), 0) << "modal scripts left unused";
  TestKit::ClearModalScripts();
  TestKit::Pump();
}

Page MakeEditorPage(const VnSNMPVarDesc* table, VnItemType itemType, int keyCount) {
  Page page;
  page.Form = new TConfigForm(Application);
  page.Request = NewRequest(page.Form, table, itemType, keyCount);
  page.Editor = page.Form->AddEditorPanel(page.Request);
  return page;
}

Page MakeListPage(const VnSNMPVarDesc* table, VnItemType itemType, int keyCount, int addIndex,
                  const char* addText, int deleteIndex, const char* deleteText) {
  Page page;
  page.Form = new TConfigForm(Application);
  page.Request = NewRequest(page.Form, table, itemType, keyCount);
  page.List = page.Form->AddListViewPanel(page.Request, addIndex, addText, deleteIndex, deleteText);
  page.Editor = page.List;
  return page;
}

std::unique_ptr<simtest::Simulator> PagesDeviceTest::sim_;
std::unique_ptr<vntest::TempDir> PagesDeviceTest::session_;

void PagesDeviceTest::SetUpTestSuite() {
  PagesUiTest::SetUpTestSuite();
  if (!sim_) {
    sim_ = std::make_unique<simtest::Simulator>();
    session_ = std::make_unique<vntest::TempDir>();
    InitSnmpSession(AnsiString(session_->Path()));
  }
}

void PagesDeviceTest::SetUp() {
  PagesUiTest::SetUp();
  ASSERT_TRUE(sim_->Running()) << sim_->Output();
  Control("reset");
  PresetConnectionDefaults();
  ConnectionDefaults.Device.Address = "127.0.0.1";
  ConnectionDefaults.Device.Port = static_cast<std::uint16_t>(sim_->Port());
  ConnectionDefaults.Security.Version = 1;  // v2c
  ConnectionDefaults.Security.SecurityModel = 2;
  logStart_ = sim_->Log().size();
}

void PagesDeviceTest::TearDown() {
  Control("reset");
  PagesUiTest::TearDown();
}

void PagesDeviceTest::Control(const std::string& command) {
  const std::string reply = sim_->Control(command);
  EXPECT_EQ(reply.rfind("ok", 0), 0u) << command << ": " << reply;
}

std::string PagesDeviceTest::Value(const std::string& oid) {
  const std::string reply = sim_->Control("get " + oid);
  return reply.rfind("ok ", 0) == 0 ? reply.substr(3) : reply;
}

bool PagesDeviceTest::PumpUntil(const std::function<bool()>& done, int ms) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    Application->ProcessMessages();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

bool PagesDeviceTest::WaitIdle(const VnSNMPRequest2Controls& request, int ms) {
  return PumpUntil([&request] { return !request.Busy; }, ms);
}

void PagesDeviceTest::SettleSwitch() {
  Control("ping");
  Control("ping");
}

bool PagesDeviceTest::TakeLateReplies(int ms) {
  return Sim().TakeLateReplies(
      g_SnmpSession ? g_SnmpSession->get_socket() : -1, [] { Application->ProcessMessages(); }, ms);
}

bool PagesDeviceTest::WaitQuiet(int ms) {
  int quiet = 0;
  const bool done = PumpUntil(
      [&quiet] {
        quiet = g_SnmpSession && g_SnmpSession->outstanding() != 0 ? 0 : quiet + 1;
        return quiet >= 2;
      },
      ms);
  SettleSwitch();
  return done;
}

std::vector<std::string> PagesDeviceTest::NewLog() const {
  std::vector<std::string> lines;
  std::istringstream in(sim_->Log().substr(logStart_));
  for (std::string line; std::getline(in, line);)
    if (!line.empty()) lines.push_back(line);
  return lines;
}

std::vector<std::string> PagesDeviceTest::SetLines() const {
  std::vector<std::string> sets;
  for (const std::string& line : NewLog())
    if (line.find("\tSET\t") != std::string::npos) sets.push_back(line);
  return sets;
}

int PagesDeviceTest::CountLog(const char* pdu, std::size_t from) const {
  const std::string field = std::string("\t") + pdu + "\t";
  const std::vector<std::string> lines = NewLog();
  int n = 0;
  for (std::size_t i = from; i < lines.size(); ++i)
    if (lines[i].find(field) != std::string::npos) ++n;
  return n;
}

int PagesDeviceTest::ExchangesOfTwoClicks(TControl* button, const VnSNMPRequest2Controls& request,
                                          const char* pdu) {
  Control("delay 30");
  const std::size_t mark = NewLog().size();
  TestKit::Click(button);
  TestKit::Click(button);
  EXPECT_TRUE(WaitIdle(request));
  EXPECT_TRUE(WaitQuiet());
  Control("delay 0");
  return CountLog(pdu, mark);
}

std::string PagesDeviceTest::RefreshAfterSetOk(const TMemo* memo, TControl* refresh,
                                               const VnSNMPRequest2Controls& request,
                                               std::size_t mark) {
  EXPECT_TRUE(PumpUntil([memo] { return MemoText(memo).find("Set: Ok!") != std::string::npos; }));
  TestKit::Click(refresh);
  EXPECT_TRUE(WaitIdle(request));
  EXPECT_TRUE(WaitQuiet());
  return std::to_string(CountLog("SET", mark)) + "/" + std::to_string(CountLog("GETNEXT", mark));
}

void Typed(TEdit* edit, const char* text) {
  edit->SetText(text);
  edit->SetModified(true);
}

std::string LastMemoLine(const TMemo* memo) {
  const int n = memo->Lines()->Count();
  return n ? memo->Lines()->Strings(n - 1).str() : std::string();
}

std::string MemoText(const TMemo* memo) {
  std::string text;
  for (int i = 0; i < memo->Lines()->Count(); ++i) {
    if (i) text += "|";
    text += memo->Lines()->Strings(i).str();
  }
  return text;
}

TSNMPPanel* FrameOf(TCustomForm* dialog) {
  for (int i = 0; i < dialog->ComponentCount(); ++i)
    if (auto* frame = dynamic_cast<TSNMPPanel*>(dialog->Components(i))) return frame;
  return nullptr;
}
