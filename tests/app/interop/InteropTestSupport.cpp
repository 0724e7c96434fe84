#include "InteropTestSupport.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <thread>

#include "app/MainMenuTree.h"
#include "app/MainUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "library/VnSNMPSession.h"
#include "pages/GUIConfigForm.h"
#include "pages/GUIGenerator.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "platform/TestKit.h"
#include "support/TestSupport.h"

namespace {

constexpr const char* kUser = "md5des";
constexpr const char* kAuthPass = "qovalt-auth-1";
constexpr const char* kPrivPass = "mundrel-priv-1";

std::vector<unsigned> SubIds(const std::string& dotted) {
  std::vector<unsigned> out;
  std::size_t at = 0;
  while (at < dotted.size()) {
    std::size_t dot = dotted.find('.', at);
    if (dot == std::string::npos) dot = dotted.size();
    if (dot > at) out.push_back(static_cast<unsigned>(std::stoul(dotted.substr(at, dot - at))));
    at = dot + 1;
  }
  return out;
}

}  // namespace

std::unique_ptr<vntest::Snmpd> SnmpdTest::agent_;
std::unique_ptr<vntest::TempDir> SnmpdTest::tools_;

void SnmpdTest::SetUpTestSuite() {
  MainWindowTest::SetUpTestSuite();
  vntest::SnmpdOptions options;
  options.users.push_back({kUser, "MD5", kAuthPass, "DES", kPrivPass, true});
  // A notification target gives the target and notify tables a row each.
  options.extra_config = "trapsess -v 2c -c qovalt 127.0.0.1:9\n";
  agent_ = std::make_unique<vntest::Snmpd>(options);
  tools_ = std::make_unique<vntest::TempDir>();
}

void SnmpdTest::TearDownTestSuite() {
  agent_.reset();
  tools_.reset();
}

void SnmpdTest::StartModule(Over version) {
  const std::string port = std::to_string(agent_->Port());
  if (version == Over::V3) {
    CreateMainWindow({"/I127.0.0.1", "/v3", "/t" + port, "/m3", "/l3", std::string("/n") + kUser,
                      "/a2", std::string("/A") + kAuthPass, "/p2", std::string("/P") + kPrivPass});
    return;
  }
  WriteConfig("", "127.0.0.1",
              {"AgentPort=" + port, version == Over::V1 ? "Version=0" : "Version=1",
               version == Over::V1 ? "SecurityModel=1" : "SecurityModel=2"});
  CreateMainWindow({"/I127.0.0.1", "/Rqovalt", "/Wmundrel"});
}

PageView SnmpdTest::ViewOf(TConfigForm* page) {
  PageView view;
  TSNMPEditorPanel* panel = PagePanel(page);
  if (!panel) return view;
  if (TMsgPanel* messages = panel->StatusPanel(); messages && messages->Memo)
    view.Status = messages->Memo->Lines()->Text().str();
  if (auto* list = dynamic_cast<TSNMPListViewPanel*>(panel)) {
    TListView* lv = list->ListViewPanel->ListView;
    for (int c = 0; c < lv->Columns()->Count(); ++c)
      view.Columns.push_back(lv->Columns()->Items(c)->Caption().str());
    for (int r = 0; r < lv->Items()->Count(); ++r) {
      TListItem* item = lv->Items()->Item(r);
      std::vector<std::string> row = {item->Caption().str()};
      for (int s = 0; s < item->SubItems()->Count(); ++s)
        row.push_back(item->SubItems()->Strings(s).str());
      view.Rows.push_back(std::move(row));
    }
  } else if (panel->EditsPanel) {
    for (int r = 0; r < panel->EditsPanel->RowCount(); ++r)
      view.Edits.push_back(panel->EditsPanel->Row(r).EditCtrl->Text().str());
  }
  return view;
}

PageView SnmpdTest::OpenPage(const char* entryName,
                             const std::function<void(TConfigForm*)>& whileOpen) {
  const TMainMenuEntry* entry = FindMenuEntryByName(entryName);
  PageView view;
  if (!entry) {
    ADD_FAILURE() << "no menu entry " << entryName;
    return view;
  }
  TestKit::OnNextModal<TConfigForm>([&](TConfigForm* page) {
    VnSNMPRequest2Edits* request = PageRequest(page);
    TSNMPEditorPanel* panel = PagePanel(page);
    if (!request || !panel) {
      ADD_FAILURE() << entryName << ": no request or panel";
      page->Close();
      return;
    }
    EXPECT_TRUE(PumpUntil([&] { return !request->Busy && request->RowCount > 0; }))
        << entryName << " read nothing";
    EXPECT_TRUE(WaitIdle(*request));
    EXPECT_TRUE(TestKit::Grab(page, vntest::ArtifactsDir() + "/snmpd-" + entryName + ".png"));
    view = ViewOf(page);
    if (whileOpen) whileOpen(page);
    page->Close();
  });
  window_->RunMenuEntry(*entry);
  return view;
}

bool SnmpdTest::PumpSnmpUntil(const std::function<bool()>& done, int realMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(realMs);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    g_SnmpEventProcessor.OnTimer(nullptr);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

namespace {

std::vector<std::string> VersionArgs(Over version) {
  if (version == Over::V3)
    return {"-v3", "-l",      "authPriv", "-u",  kUser, "-a",     "MD5",
            "-A",  kAuthPass, "-x",       "DES", "-X",  kPrivPass};
  return {version == Over::V1 ? "-v1" : "-v2c", "-c", "qovalt"};
}

}  // namespace

std::vector<WalkLine> SnmpdTest::Walk(const std::string& oid, Over version,
                                      const std::vector<std::string>& options) {
  std::vector<std::string> args = {"snmpwalk"};
  const std::vector<std::string> access = VersionArgs(version);
  args.insert(args.end(), access.begin(), access.end());
  args.insert(args.end(), {"-On", "-Oq", "-Oe", "-r1", "-t2"});
  args.insert(args.end(), options.begin(), options.end());
  args.insert(args.end(), {"127.0.0.1:" + std::to_string(agent_->Port()), oid});
  const simtest::ToolResult result = simtest::RunTool(args, tools_->Path());
  EXPECT_EQ(result.status, 0) << result.out;
  std::vector<WalkLine> lines;
  const std::string prefix = "." + oid + ".";
  std::size_t at = 0;
  while (at < result.out.size()) {
    std::size_t end = result.out.find('\n', at);
    if (end == std::string::npos) end = result.out.size();
    std::string line = result.out.substr(at, end - at);
    at = end + 1;
    if (line.rfind(prefix, 0) != 0) continue;
    const std::size_t space = line.find(' ');
    // A quoted value the tool broke over lines (hex of more than 16
    // octets) goes on until its closing quote.
    while (space != std::string::npos && line[space + 1] == '"' &&
           (line.size() < space + 3 || line.back() != '"') && at < result.out.size()) {
      end = result.out.find('\n', at);
      if (end == std::string::npos) end = result.out.size();
      line += result.out.substr(at, end - at);
      at = end + 1;
    }
    WalkLine w;
    w.Suffix = SubIds(line.substr(prefix.size(), space - prefix.size()));
    w.Value = space == std::string::npos ? "" : line.substr(space + 1);
    if (w.Value.size() >= 2 && w.Value.front() == '"' && w.Value.back() == '"')
      w.Value = w.Value.substr(1, w.Value.size() - 2);
    lines.push_back(std::move(w));
  }
  return lines;
}

int SnmpdTest::Tool(const std::string& tool, Over version, const std::vector<std::string>& args) {
  std::vector<std::string> all = {tool};
  const std::vector<std::string> access = VersionArgs(version);
  all.insert(all.end(), access.begin(), access.end());
  all.insert(all.end(), {"-r0", "-t1", "127.0.0.1:" + std::to_string(agent_->Port())});
  all.insert(all.end(), args.begin(), args.end());
  return simtest::RunTool(all, tools_->Path()).status;
}

void SnmpdTest::SendDatagram(const std::string& bytes) {
  const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  ASSERT_GE(fd, 0);
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(static_cast<std::uint16_t>(agent_->Port()));
  to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  EXPECT_EQ(sendto(fd, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to),
            static_cast<ssize_t>(bytes.size()));
  close(fd);
}

std::string LengthPrefixedText(const std::vector<unsigned>& suffix, std::size_t at) {
  std::string text;
  if (at >= suffix.size()) return text;
  for (std::size_t i = at + 1; i <= at + suffix[at] && i < suffix.size(); ++i)
    text += static_cast<char>(suffix[i]);
  return text;
}
