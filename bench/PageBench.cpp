// The generic list page as a user sees it: VLAN > 802.1Q > Forwarding/
// Filtering > Unicast Forwarding Information, opened through the main
// window's menu handler on an X server (the xcb platform; Xvfb is started
// when no display is set), fills 10,003 rows from the simulator (the
// 10,000 of a fixture written by the benchmark and the device fixture's 3).
// Side by side in every round, over SNMPv2c and over SNMPv3 authPriv
// (MD5/DES):
//   - snmptable -CB reading the same table (the same PDUs: one GETNEXT per
//     row for both columns), timed as a process from its start to its end,
//     as a user waits for it, with the processor time of its processes;
//   - the minimal Net-SNMP client walking the same way (its walk only);
//   - the library's bare asynchronous walk of the same table, no controls.
// Figures: the page's time and processor time (this process) against
// snmptable's, the X server's processor time while the page fills, the
// longest gap of the event loop while the page fills (between two ticks of
// a 1 ms timer), and at 50,003 rows (v2c) the page's time per row against
// its time per row at 10,003.
//
// The page's clock starts at the menu handler's call and stops when the
// screen shows the whole walk: the walk is over, the list's widget has
// painted with every row in it, and the row count's widget has painted the
// final number (both asked of the widgets, not of the controls). The main
// window is not shown (its front panel would poll the device meanwhile).
//
// usage: page_bench [--pin] [ROUNDS]
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "app/MainMenuTree.h"
#include "app/MainUnit.h"
#include "catalogue/MibOptionLists.h"
#include "library/VnSNMPConnection.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/GUIConfigForm.h"
#include "pages/GUIGenerator.h"
#include "platform/ComCtrls.h"
#include "platform/ExtCtrls.h"
#include "platform/Files.h"
#include "platform/Forms.h"
#include "platform/PaintWatch.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

using namespace bench;

constexpr const char* kFdbEntry = "1.3.6.1.2.1.17.7.1.2.2.1";
// The rows of the table in the device fixture, besides the generated ones.
constexpr long kDeviceRows = 3;
constexpr const char* kCommunity = "qovalt";

// A fixture with `rows` learnt addresses in FDB 1 (the device fixture
// declares the table).
std::string WriteFdbFixture(const std::string& dir, int rows) {
  const std::string path = dir + "/fdb-" + std::to_string(rows) + ".fixture";
  std::ofstream out(path);
  for (int i = 0; i < rows; ++i)
    out << "value " << kFdbEntry << ".2.1.0.10." << ((i >> 16) & 255) << "." << ((i >> 8) & 255)
        << "." << (i & 255) << ".1 " << (1 + i % 10) << "\n";
  return path;
}

// The device's fixtures as the simulator takes them by default, then more.
std::vector<std::string> FixtureArgs(const std::string& extra) {
  namespace fs = std::filesystem;
  std::vector<std::string> files;
  const fs::path dir = fs::path(VN_FIXTURE).parent_path();
  for (const auto& entry : fs::directory_iterator(dir))
    if (entry.path().extension() == ".fixture" && entry.path() != fs::path(VN_FIXTURE))
      files.push_back(entry.path().string());
  std::sort(files.begin(), files.end());
  files.insert(files.begin(), VN_FIXTURE);
  files.push_back(extra);
  std::vector<std::string> args;
  for (const std::string& f : files) args.insert(args.end(), {"--fixture", f});
  return args;
}

// A MIB of the page's table for snmptable: its two readable columns (the
// address column is the index), standing on its own.
constexpr const char* kFdbMib = R"(BENCH-FDB-MIB DEFINITIONS ::= BEGIN
benchTp OBJECT IDENTIFIER ::= { iso org(3) dod(6) internet(1) mgmt(2) mib-2(1) dot1dBridge(17)
    qBridgeMIB(7) qBridgeMIBObjects(1) dot1qTp(2) }
benchFdbId OBJECT-TYPE SYNTAX Unsigned32 MAX-ACCESS not-accessible STATUS current
    DESCRIPTION "The filtering database." ::= { benchTp 99 }
benchFdbTable OBJECT-TYPE SYNTAX SEQUENCE OF BenchFdbEntry MAX-ACCESS not-accessible
    STATUS current DESCRIPTION "Learnt addresses." ::= { benchTp 2 }
benchFdbEntry OBJECT-TYPE SYNTAX BenchFdbEntry MAX-ACCESS not-accessible STATUS current
    DESCRIPTION "An address." INDEX { benchFdbId, benchFdbAddress } ::= { benchFdbTable 1 }
BenchFdbEntry ::= SEQUENCE { benchFdbAddress OCTET STRING, benchFdbPort Integer32,
    benchFdbStatus Integer32 }
benchFdbAddress OBJECT-TYPE SYNTAX OCTET STRING (SIZE (6)) MAX-ACCESS not-accessible
    STATUS current DESCRIPTION "Address." ::= { benchFdbEntry 1 }
benchFdbPort OBJECT-TYPE SYNTAX Integer32 MAX-ACCESS read-only STATUS current
    DESCRIPTION "Port." ::= { benchFdbEntry 2 }
benchFdbStatus OBJECT-TYPE SYNTAX Integer32 MAX-ACCESS read-only STATUS current
    DESCRIPTION "Status." ::= { benchFdbEntry 3 }
END
)";

// A reference walker's run: time, processor time and rows.
struct Walked {
  double ms = 0;
  double cpu = 0;
  long rows = 0;
};

// The Net-SNMP tools' settings: no MIBs but ours, no files of the user's.
std::string ToolEnvironment(const std::string& dir) {
  return "env MIBS= SNMPCONFPATH=" + dir + "/toolconf SNMP_PERSISTENT_DIR=" + dir + "/toolstate ";
}

// The tools' arguments for a version (the module's own credentials).
std::string ToolSecurity(int version) {
  if (version == 1) return std::string("-v2c -c ") + kCommunity;
  return "-v3 -l authPriv -u md5des -a MD5 -A md5password -x DES -X despassword";
}

// snmptable -CB as a user waits for it: the same PDUs as the page's walk.
Walked Snmptable(const Simulator& agent, int version, const std::string& dir) {
  const Command c = RunCommand(ToolEnvironment(dir) + "snmptable -M " + dir + "/mibs" +
                               " -m BENCH-FDB-MIB " + ToolSecurity(version) +
                               " -CB -CH -Cf , 127.0.0.1:" + std::to_string(agent.Port()) +
                               " BENCH-FDB-MIB::benchFdbTable 2>/dev/null");
  Walked w;
  w.ms = c.ms;
  w.cpu = c.cpu;
  std::istringstream lines(c.out);
  for (std::string line; std::getline(lines, line);)
    if (!line.empty() && std::isdigit(static_cast<unsigned char>(line[0]))) ++w.rows;
  return w;
}

// The minimal Net-SNMP client walking the same columns row by row; its own
// report of its walk.
Walked NetSnmpClient(const Simulator& agent, int version, const std::string& dir) {
  const std::string credentials =
      version == 1 ? std::string(kCommunity) : "v3:md5des:md5password:despassword";
  const Command c = RunCommand(ToolEnvironment(dir) + VN_NETSNMP_WALK +
                               " 127.0.0.1:" + std::to_string(agent.Port()) + " " + credentials +
                               " " + kFdbEntry + ".2 " + kFdbEntry + ".3 2>/dev/null");
  Walked w;
  const std::size_t at = c.out.find("requests=");
  long requests = 0;
  if (at == std::string::npos ||
      std::sscanf(c.out.c_str() + at, "requests=%ld rows=%ld ms=%lf cpu=%lf", &requests, &w.rows,
                  &w.ms, &w.cpu) != 4)
    w.ms = w.cpu = -1;
  return w;
}

struct Fill {
  double ms = 0;
  double cpu = 0;
  double xcpu = -1;  // the X server's processor time meanwhile (-1: unknown)
  double gap = 0;
  long rows = 0;
};

// A 1 ms timer whose ticks show how long the event loop went without a
// turn; it also runs a check on every tick.
class Pulse {
 public:
  Pulse() : timer_(nullptr) {
    timer_.SetEnabled(false);
    timer_.SetInterval(1);
    timer_.OnTimer = [this](TObject*) {
      const auto now = Clock::now();
      if (last_ != Clock::time_point())
        longest_ =
            std::max(longest_, std::chrono::duration<double, std::milli>(now - last_).count());
      last_ = now;
      if (check_) check_();
    };
  }
  void Start(std::function<void()> check) {
    check_ = std::move(check);
    longest_ = 0;
    last_ = Clock::time_point();
    timer_.SetEnabled(true);
  }
  double Stop() {
    timer_.SetEnabled(false);
    check_ = nullptr;
    return longest_;
  }

 private:
  TTimer timer_;
  std::function<void()> check_;
  Clock::time_point last_;
  double longest_ = 0;
};

TConfigForm* OpenPage() {
  for (int i = 0; i < Application->ComponentCount(); ++i)
    if (auto* page = dynamic_cast<TConfigForm*>(Application->Components(i))) return page;
  return nullptr;
}

TSNMPListViewPanel* ListPanelOf(TConfigForm* page) {
  for (int i = 0; i < page->ControlCount(); ++i)
    if (auto* p = dynamic_cast<TSNMPListViewPanel*>(page->Controls(i))) return p;
  return nullptr;
}

// The page from the menu, until the screen shows its whole walk (or a
// minute has passed); then the page is closed.
Fill PageFill(TMainForm* window, Pulse& pulse, long rows, pid_t xserver) {
  Fill f;
  Clock::time_point end;
  double cpuEnd = 0, xEnd = -1;
  // What the list's and the count's widgets last painted, watched from the
  // moment the page exists.
  std::unique_ptr<TPaintWatch> list, count;
  const double xStart = xserver > 0 ? ProcessCpuMs(xserver) : -1;
  const auto start = Clock::now();
  const double cpuStart = CpuMs();
  // Found once the page exists; the check runs on every tick of the 1 ms
  // timer, so it stays light.
  TConfigForm* page = nullptr;
  VnSNMPRequest2Edits* request = nullptr;
  const AnsiString finalCount(static_cast<int>(rows));
  bool closed = false;  // the page may go as soon as it has been closed
  pulse.Start([&] {
    if (closed) return;
    if (!list) {
      page = OpenPage();
      if (!page || page->ModalResult() != mrNone) return;
      TSNMPListViewPanel* panel = ListPanelOf(page);
      TList* requests = page->RequestList();
      if (!panel || !requests || requests->Count() == 0) return;
      request = static_cast<VnSNMPRequest2Edits*>(requests->Items(0));
      list = std::make_unique<TPaintWatch>(panel->ListViewPanel->ListView);
      count = std::make_unique<TPaintWatch>(panel->BtnPanel->CountText);
    }
    if (page->ModalResult() != mrNone) return;
    const bool onScreen = list->PaintedRows() == rows && count->PaintedText() == finalCount;
    if ((request->Busy || !onScreen) && MsSince(start) < 60000) return;
    end = Clock::now();
    cpuEnd = CpuMs();
    if (xserver > 0) xEnd = ProcessCpuMs(xserver);
    f.rows = onScreen ? rows : -1;
    if (!onScreen)
      std::fprintf(stderr, "after a minute the list showed %d rows and the count \"%s\"\n",
                   list->PaintedRows(), count->PaintedText().c_str());
    closed = true;
    page->Close();
  });
  window->UnicastForwardingInformation1Click(nullptr);
  f.gap = pulse.Stop();
  f.ms = std::chrono::duration<double, std::milli>(end - start).count();
  f.cpu = cpuEnd - cpuStart;
  if (xStart >= 0 && xEnd >= 0) f.xcpu = xEnd - xStart;
  Application->ProcessMessages();
  return f;
}

// The library's asynchronous walk of the page's table with no controls,
// with the same 1 ms timer running as beside the page.
Fill BareWalk(TForm* host, Pulse& pulse, const VnSNMPVarDesc* table) {
  const TMainMenuEntry* entry = FindMenuEntry(&TMainForm::UnicastForwardingInformation1Click);
  auto request = std::make_unique<VnSNMPRequest2Edits>(host);
  request->Request.VarList = VnSNMPVarList(table, entry->Page.ItemType, entry->Page.KeyCount);
  request->AsyncMode = 1;
  Application->ProcessMessages();
  Fill f;
  const auto start = Clock::now();
  const double cpuStart = CpuMs();
  pulse.Start(nullptr);
  request->Get();
  while (request->Busy) Application->HandleMessage();
  f.ms = MsSince(start);
  f.cpu = CpuMs() - cpuStart;
  f.gap = pulse.Stop();
  f.rows = static_cast<long>(request->RowCount);
  return f;
}

bool CheckRows(long got, long rows, const std::string& what) {
  if (got == rows) return true;
  if (got < 0)
    std::fprintf(stderr, "%s: the screen did not show every row and the final count\n",
                 what.c_str());
  else
    std::fprintf(stderr, "%s: %ld rows instead of %ld\n", what.c_str(), got, rows);
  return false;
}

// One version's figures, a value per round.
struct Series {
  std::vector<double> page, pageCpu, xCpu, gap, table, tableCpu, client, bare;
  std::vector<double> tableRatio, cpuRatio, xRatio, clientRatio, bareRatio;
  void Add(const Fill& p, const Walked& t, const Walked& c, const Fill& b) {
    page.push_back(p.ms);
    pageCpu.push_back(p.cpu);
    gap.push_back(p.gap);
    table.push_back(t.ms);
    tableCpu.push_back(t.cpu);
    client.push_back(c.ms);
    bare.push_back(b.ms);
    tableRatio.push_back(p.ms / t.ms);
    cpuRatio.push_back(p.cpu / std::max(1.0, t.cpu));
    clientRatio.push_back(p.ms / c.ms);
    bareRatio.push_back(p.ms / b.ms);
    if (p.xcpu >= 0) {
      xCpu.push_back(p.xcpu);
      xRatio.push_back(p.xcpu / std::max(1.0, p.cpu));
    }
  }
};

void ReportSeries(const Series& s, const std::string& what, bool& ok) {
  const std::string page = "page 10,003 rows " + what;
  ok = Report({page, Median(s.page), "snmptable -CB", Median(s.table), "ms", Median(s.tableRatio),
               '<', 1.3}) &&
       ok;
  ok = Report({page + ", processor", Median(s.pageCpu), "snmptable -CB", Median(s.tableCpu), "ms",
               Median(s.cpuRatio), '<', 1.6}) &&
       ok;
  Report(
      {page, Median(s.page), "Net-SNMP row client", Median(s.client), "ms", Median(s.clientRatio)});
  Report({page, Median(s.page), "bare async walk", Median(s.bare), "ms", Median(s.bareRatio)});
  if (!s.xCpu.empty())
    Report({"X server processor, page " + what, Median(s.xCpu), "page processor", Median(s.pageCpu),
            "ms", Median(s.xRatio)});
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = TakeOptions(argc, argv, 9, false);
  XServer x;
  if (!x.Ok()) return 1;
  setenv("QT_QPA_PLATFORM", "xcb", 1);
  vntest::TempDir dir;
  if (chdir(dir.Path().c_str()) != 0) return 1;
  std::filesystem::create_directories(dir.Path() + "/mibs");
  std::ofstream(dir.Path() + "/mibs/BENCH-FDB-MIB.txt") << kFdbMib;
  constexpr int kRows = 10000, kLarge = 50000;
  // The rows the page shows, for the time per row.
  constexpr double kShown = kRows + kDeviceRows, kLargeShown = kLarge + kDeviceRows;
  Simulator sim(VN_SIMULATOR, dir.Path() + "/sim", 1,
                FixtureArgs(WriteFdbFixture(dir.Path(), kRows)));
  Simulator large(VN_SIMULATOR, dir.Path() + "/large", 1,
                  FixtureArgs(WriteFdbFixture(dir.Path(), kLarge)));
  if (!sim.Port() || !large.Port()) return 1;

  Application->Initialize();
  InitMibOptionLists();
  // The module's command line for SNMPv3 authPriv; v2c rounds switch the
  // version only (the communities and the port are given too).
  const std::string port = "/t" + std::to_string(sim.Port());
  const char* args[] = {"kxr-module",    "/I127.0.0.1", "/Rqovalt",     "/Wmundrel", "/v3",
                        port.c_str(),    "/m3",         "/l3",          "/nmd5des",  "/a2",
                        "/Amd5password", "/p2",         "/Pdespassword"};
  SetCommandLine(static_cast<int>(std::size(args)), args);
  int status = 0;
  {
    auto* window = Create<TMainForm>(Application);
    MainForm = window;
    const VnSNMPVarDesc* table =
        FindMenuEntry(&TMainForm::UnicastForwardingInformation1Click)->Page.Table;
    Pulse pulse;
    Series v2, v3;
    std::vector<double> growth, largePage, largeTable, largeRatio;
    bool rowsOk = true;
    // The page and its references side by side, the page in turns first,
    // so that neither always meets the other's leftovers (or a quieter
    // moment).
    auto round = [&](const Simulator& agent, int version, long expected, bool pageFirst,
                     const std::string& what, Fill& p, Walked& t, Walked& c, Fill& b) {
      ConnectionDefaults.Device.Port = static_cast<std::uint16_t>(agent.Port());
      SnmpVersion = static_cast<std::uint8_t>(version);
      if (pageFirst) p = PageFill(window, pulse, expected, x.Pid());
      t = Snmptable(agent, version, dir.Path());
      c = NetSnmpClient(agent, version, dir.Path());
      b = BareWalk(window, pulse, table);
      if (!pageFirst) p = PageFill(window, pulse, expected, x.Pid());
      rowsOk = CheckRows(b.rows, expected, "bare walk " + what) &&
               CheckRows(t.rows, expected, "snmptable " + what) &&
               CheckRows(c.rows, expected, "Net-SNMP row client " + what) &&
               CheckRows(p.rows, expected, "page " + what) && rowsOk;
    };
    for (int i = 0; i < options.rounds; ++i) {
      Fill p, b;
      Walked t, c;
      round(sim, 1, kRows + kDeviceRows, i % 2 == 1, "v2c", p, t, c, b);
      v2.Add(p, t, c, b);
      round(sim, 3, kRows + kDeviceRows, i % 2 == 0, "v3", p, t, c, b);
      v3.Add(p, t, c, b);
    }
    // 50,000 rows over v2c in fewer rounds: each takes seconds.
    for (int i = 0; i < std::max(1, options.rounds - 4); ++i) {
      Fill p, b;
      Walked t, c;
      round(large, 1, kLarge + kDeviceRows, i % 2 == 1, "50,000", p, t, c, b);
      largePage.push_back(p.ms);
      largeTable.push_back(t.ms);
      largeRatio.push_back(p.ms / t.ms);
      growth.push_back((p.ms / kLargeShown) / (Median(v2.page) / kShown));
    }
    delete window;
    MainForm = nullptr;

    Note("the generic list page on an X server (" + x.Description() + "), " +
         std::to_string(options.rounds) +
         " rounds (50,000 rows: " + std::to_string(largeRatio.size()) + ")" +
         (options.pin ? ", all on one processor" : "") + "; load average " + LoadAverage());
    bool ok = true;
    ReportSeries(v2, "v2c", ok);
    ReportSeries(v3, "v3 authPriv", ok);
    const double gap = std::max(Median(v2.gap), Median(v3.gap));
    ok = Report({"longest pump gap, page fills", gap, "limit", 30, "ms", gap / 30, '<', 1}) && ok;
    Report({"page 50,003 rows v2c", Median(largePage), "snmptable -CB", Median(largeTable), "ms",
            Median(largeRatio)});
    ok = Report({"page per row at 50,003 v2c", Median(largePage) * 1000 / kLargeShown,
                 "per row at 10,003", Median(v2.page) * 1000 / kShown, "us", Median(growth), '<',
                 1.2}) &&
         ok;
    status = ok && rowsOk ? 0 : 1;
  }
  Application->Finalize();
  FreeMibOptionLists();
  return status;
}
