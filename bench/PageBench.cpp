// The generic list page as a user sees it: the module's own program entry
// runs (the main window shown, its front panel polling the LEDs), and its
// menu entry VLAN > 802.1Q > Forwarding/Filtering > Unicast Forwarding
// Information, chosen from the message loop, opens the page modal over the
// main window on an X server (the xcb platform; Xvfb is started when no
// display is set). The page fills 10,003 rows from the simulator (the
// 10,000 of a fixture written by the benchmark and the device fixture's 3).
// Side by side in every round, over SNMPv2c and over SNMPv3 authPriv
// (MD5/DES):
//   - snmptable -CB reading the same table (the same PDUs: one GETNEXT per
//     row for both columns), timed as a process from its start to its end,
//     as a user waits for it, with the processor time of its processes;
//   - the minimal Net-SNMP client walking the same way (its walk only);
//   - the library's bare asynchronous walk of the same table, no controls.
// A round whose two Net-SNMP references disagree (more than 1.5 times apart)
// is run again, at most three times. The simulator stands for the device:
// it runs on processors of its own (unless --pin puts everything on one),
// so that its replies never wait for a processor a client is busy on. It
// notes when each request arrives and each reply leaves (--turnaround),
// which gives every walker's time from a reply to its next request, how the
// page's time divides between its turns and the agent's, and the time from
// the page's last reply to the rows on the screen.
//
// The page's clock starts at the menu entry's click and stops at the first
// tick of a 1 ms timer that finds the whole walk on the screen: the walk is
// over, the list's widget has painted with every row in it, and the row
// count's widget has painted the final number (both asked of the widgets,
// not of the controls). The timer rests through the walk; the paintings
// wake it. How long the page's message loop went without a turn comes from
// the agent's notes: its longest time from a reply to the next request,
// from the page's first painting on (a reply that comes before it waits for
// the new window to paint).
//
// Then the page's user-space instructions per row against snmptable -CB's,
// counted by callgrind (see "Instructions per row" below).
//
// usage: page_bench [--pin] [--loaded] [--no-count | --count-only] [ROUNDS]
//   --loaded: one spinning process per processor of the user's side (every
//   processor where the agent shares them) beside the rounds, and the goal
//   of a machine whose processors are all busy.
//   --no-count: no instruction counts; --count-only: those alone.
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <future>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#define VN_CALLGRIND 1
#else
#define VN_CALLGRIND 0
#endif

#include "BenchSupport.h"
#include "app/MainMenuTree.h"
#include "app/MainUnit.h"
#include "app/ProgramEntry.h"
#include "catalogue/MibOptionLists.h"
#include "library/VnSNMPConnection.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/GUIConfigForm.h"
#include "pages/GUIGenerator.h"
#include "platform/ComCtrls.h"
#include "platform/ExtCtrls.h"
#include "platform/Files.h"
#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/PaintWatch.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

using namespace bench;

constexpr const char* kFdbEntry = "1.3.6.1.2.1.17.7.1.2.2.1";
// The rows of the table in the device fixture, besides the generated ones.
constexpr long kDeviceRows = 3;
constexpr const char* kCommunity = "qovalt";

// Goals: the page's time against snmptable -CB's (ratio of medians) on a
// quiet machine and with every processor busy (--loaded); its processor
// time against snmptable's; the rows on the screen after the last reply;
// its time from a reply to the next request against snmptable's; its time
// per row at 50,003 rows against 10,003.
constexpr double kTimeGoal = 1.1, kLoadedTimeGoal = 1.3, kCpuGoal = 1.3;
constexpr double kScreenLimitMs = 30, kTurnaroundMarginUs = 5, kGrowthGoal = 1.2;
// The references of a round disagree when one takes this many times as long
// as the other; such a round runs again, at most kReruns times.
constexpr double kDisagreement = 1.5;
constexpr int kReruns = 3;

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

// A reference walker's run: time, processor time and rows, and the span it
// talked to the agent in (SystemNs).
struct Walked {
  double ms = 0;
  double cpu = 0;
  long rows = 0;
  std::int64_t from = 0, to = 0;
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
  Walked w;
  w.from = SystemNs();
  const Command c = RunCommand(ToolEnvironment(dir) + "snmptable -M " + dir + "/mibs" +
                               " -m BENCH-FDB-MIB " + ToolSecurity(version) +
                               " -CB -CH -Cf , 127.0.0.1:" + std::to_string(agent.Port()) +
                               " BENCH-FDB-MIB::benchFdbTable 2>/dev/null");
  w.to = SystemNs();
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
  Walked w;
  w.from = SystemNs();
  const Command c = RunCommand(ToolEnvironment(dir) + VN_NETSNMP_WALK +
                               " 127.0.0.1:" + std::to_string(agent.Port()) + " " + credentials +
                               " " + kFdbEntry + ".2 " + kFdbEntry + ".3 2>/dev/null");
  w.to = SystemNs();
  const std::size_t at = c.out.find("requests=");
  long requests = 0;
  if (at == std::string::npos ||
      std::sscanf(c.out.c_str() + at, "requests=%ld rows=%ld ms=%lf cpu=%lf", &requests, &w.rows,
                  &w.ms, &w.cpu) != 4)
    w.ms = w.cpu = -1;
  return w;
}

// A fill of the page (or the bare walk): its clock, its processor time, and
// the spans it talked to the agent in (SystemNs): from the click (or Get),
// to the tick that first found the walk over, to the stop.
struct Fill {
  double ms = 0;
  double cpu = 0;
  double xcpu = -1;  // the X server's processor time meanwhile (-1: unknown)
  long rows = 0;
  std::int64_t from = 0, walkEnd = 0, to = 0;
  std::int64_t painted = 0;  // the page's first painting (0: none seen)
};

// A 1 ms timer that runs a check on each tick while it is on. A fill keeps
// it on only while it looks for the page and once the screen shows every
// row: ticking through the walk, it would wake the message loop a thousand
// times a second, a load the page does not carry for its users (it cost the
// bare walk a tenth of its processor time).
class Ticker {
 public:
  Ticker() : timer_(nullptr) {
    timer_.SetEnabled(false);
    timer_.SetInterval(1);
    timer_.OnTimer = [this](TObject*) {
      if (check_) check_();
    };
  }
  void Start(std::function<void()> check) {
    check_ = std::move(check);
    timer_.SetEnabled(true);
  }
  void Pause() { timer_.SetEnabled(false); }
  void Resume() {
    if (check_) timer_.SetEnabled(true);
  }
  void Stop() {
    timer_.SetEnabled(false);
    check_ = nullptr;
  }

 private:
  TTimer timer_;
  std::function<void()> check_;
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

// The page from the main window's menu entry, until the screen shows its
// whole walk (or `limitMs` have passed, a minute unless told); then the page
// is closed as its close box would, and the entry's handler returns.
Fill PageFill(TMenuItem* entry, Ticker& ticker, long rows, pid_t xserver, int limitMs = 60000) {
  Fill f;
  Clock::time_point end;
  double cpuEnd = 0, xEnd = -1;
  // What the list's and the count's widgets last painted, watched from the
  // moment the page exists.
  std::unique_ptr<TPaintWatch> list, count;
  const double xStart = xserver > 0 ? ProcessCpuMs(xserver) : -1;
  f.from = SystemNs();
  const auto start = Clock::now();
  const double cpuStart = CpuMs();
  // Found once the page exists.
  TConfigForm* page = nullptr;
  VnSNMPRequest2Edits* request = nullptr;
  const AnsiString finalCount(static_cast<int>(rows));
  bool closed = false;  // the page may go as soon as it has been closed
  auto onScreen = [&] { return list->PaintedRows() == rows && count->PaintedText() == finalCount; };
  // The ticks look for the page, then rest until the screen shows every row
  // and the final count (or the limit has passed), then find the walk over.
  TTimer limit(nullptr);
  limit.SetInterval(static_cast<unsigned>(limitMs));
  limit.OnTimer = [&](TObject*) { ticker.Resume(); };
  ticker.Start([&] {
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
      list->OnPainted = count->OnPainted = [&] {
        if (!f.painted) f.painted = SystemNs();
        if (onScreen()) ticker.Resume();
      };
    }
    if (page->ModalResult() != mrNone) return;
    const bool late = MsSince(start) >= limitMs, shown = onScreen();
    if (!shown && !late) {
      ticker.Pause();
      return;
    }
    if (!request->Busy && !f.walkEnd) f.walkEnd = SystemNs();
    if (request->Busy && !late) return;
    end = Clock::now();
    f.to = SystemNs();
    cpuEnd = CpuMs();
    if (xserver > 0) xEnd = ProcessCpuMs(xserver);
    f.rows = shown ? rows : -1;
    if (!shown)
      std::fprintf(stderr, "after %d s the list showed %d rows and the count \"%s\"\n",
                   limitMs / 1000, list->PaintedRows(), count->PaintedText().c_str());
    closed = true;
    page->Close();
  });
  entry->Click();
  ticker.Stop();
  f.ms = std::chrono::duration<double, std::milli>(end - start).count();
  f.cpu = cpuEnd - cpuStart;
  if (xStart >= 0 && xEnd >= 0) f.xcpu = xEnd - xStart;
  if (!f.walkEnd) f.walkEnd = f.to;
  Application->ProcessMessages();
  return f;
}

// The library's asynchronous walk of the page's table with no controls.
Fill BareWalk(TForm* host, const VnSNMPVarDesc* table) {
  const TMainMenuEntry* entry = FindMenuEntry(&TMainForm::UnicastForwardingInformation1Click);
  auto request = std::make_unique<VnSNMPRequest2Edits>(host);
  request->Request.VarList = VnSNMPVarList(table, entry->Page.ItemType, entry->Page.KeyCount);
  request->AsyncMode = 1;
  Application->ProcessMessages();
  Fill f;
  f.from = SystemNs();
  const auto start = Clock::now();
  const double cpuStart = CpuMs();
  request->Get();
  while (request->Busy) Application->HandleMessage();
  f.ms = MsSince(start);
  f.cpu = CpuMs() - cpuStart;
  f.to = f.walkEnd = SystemNs();
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

// One round of one version: the page and its references side by side.
struct Round {
  Fill page, bare;
  Walked table, client;
};

// Everything the rounds need, and what they measured.
struct Bench {
  Bench(const Simulator& s, const Simulator& l, const XServer& server, std::string folder,
        int count, bool busyMachine, bool agentsApart)
      : sim(s),
        large(l),
        x(server),
        dir(std::move(folder)),
        rounds(count),
        loaded(busyMachine),
        separated(agentsApart) {}

  const Simulator& sim;
  const Simulator& large;
  const XServer& x;
  std::string dir;
  int rounds = 0;
  bool loaded = false;
  // The agents run on processors of their own: the spinning processes of
  // a busy machine load the module's side only, as a user's builds would.
  bool separated = false;
  Ticker* ticker = nullptr;  // made with the module's message loop, gone before it
  std::vector<Round> v2, v3, big;
  int reruns = 0;
  int busy = 0;  // spinning processes beside the rounds
  bool rowsOk = true;
  bool started = false;  // the main window was up and the rounds ran

  // The page first in turns, so that neither side always meets the
  // other's leftovers (or a quieter moment).
  Round RunOnce(TMenuItem* entry, const VnSNMPVarDesc* table, const Simulator& agent, int version,
                long expected, bool pageFirst) {
    ConnectionDefaults.Device.Port = static_cast<std::uint16_t>(agent.Port());
    SnmpVersion = static_cast<std::uint8_t>(version);
    Round r;
    if (pageFirst) r.page = PageFill(entry, *ticker, expected, x.Pid());
    r.table = Snmptable(agent, version, dir);
    r.client = NetSnmpClient(agent, version, dir);
    r.bare = BareWalk(MainForm, table);
    if (!pageFirst) r.page = PageFill(entry, *ticker, expected, x.Pid());
    return r;
  }

  // A round, run again while its references disagree (at most kReruns
  // times), said as it happens; its times are said once it is kept, so that
  // a run shows how it goes before the figures, medians of every round.
  Round Run(TMenuItem* entry, const VnSNMPVarDesc* table, const Simulator& agent, int version,
            long expected, bool pageFirst, const std::string& what, int number) {
    for (int attempt = 0;; ++attempt) {
      Round r = RunOnce(entry, table, agent, version, expected, pageFirst);
      const double t = r.table.ms, c = r.client.ms;
      const double apart = t > 0 && c > 0 ? std::max(t, c) / std::min(t, c) : 1;
      if (apart > kDisagreement) {
        const std::string said = "round " + std::to_string(number) + " " + what +
                                 ": snmptable -CB " + Fixed(t, 1) + " ms, Net-SNMP row client " +
                                 Fixed(c, 1) + " ms, " + Fixed(apart, 2) + "x apart";
        if (attempt < kReruns) {
          Note(said + ": run again");
          ++reruns;
          continue;
        }
        Note(said + ": kept after " + std::to_string(kReruns) + " reruns");
      }
      Note("round " + std::to_string(number) + " " + what + ": page " + Fixed(r.page.ms, 1) +
           " ms, snmptable -CB " + Fixed(t, 1) + " ms, Net-SNMP row client " + Fixed(c, 1) +
           " ms, bare async walk " + Fixed(r.bare.ms, 1) + " ms");
      rowsOk = CheckRows(r.bare.rows, expected, "bare walk " + what) &&
               CheckRows(r.table.rows, expected, "snmptable " + what) &&
               CheckRows(r.client.rows, expected, "Net-SNMP row client " + what) &&
               CheckRows(r.page.rows, expected, "page " + what) && rowsOk;
      return r;
    }
  }

  // Runs from the module's message loop once its main window is up; ends
  // by closing the main window, as a user ends the module.
  void Rounds() {
    TMenuItem* entry = MainForm && MainForm->MainMenu1
                           ? MainForm->MainMenu1->FindItem("UnicastForwardingInformation1")
                           : nullptr;
    if (!entry || !MainForm->Visible() || !MainForm->CurrentPanelForm) {
      std::fprintf(stderr, "the main window, its front panel or its menu entry is missing\n");
    } else {
      const VnSNMPVarDesc* table =
          FindMenuEntry(&TMainForm::UnicastForwardingInformation1Click)->Page.Table;
      std::optional<BusyProcessors> spinning;
      if (loaded) {
        spinning.emplace(separated);
        busy = spinning->Count();
      }
      for (int i = 0; i < rounds; ++i) {
        v2.push_back(Run(entry, table, sim, 1, kRows + kDeviceRows, i % 2 == 1, "v2c", i + 1));
        v3.push_back(Run(entry, table, sim, 3, kRows + kDeviceRows, i % 2 == 0, "v3", i + 1));
      }
      // 50,000 rows over v2c in fewer rounds: each takes seconds.
      for (int i = 0; i < std::max(1, rounds - 4); ++i)
        big.push_back(
            Run(entry, table, large, 1, kLarge + kDeviceRows, i % 2 == 1, "50,000", i + 1));
      started = true;
    }
    if (MainForm)
      MainForm->Close();
    else
      Application->Terminate();
  }

  static constexpr int kRows = 10000, kLarge = 50000;
};

// One version's figures; false when a goal was missed.
bool ReportVersion(const std::vector<Round>& rounds, const std::string& what,
                   const AgentTimes& times, double timeGoal) {
  std::vector<double> page, pageCpu, xCpu, table, tableCpu, client, bare;
  std::vector<double> screen, turnPage, turnTable, turnClient, turnBare;
  auto turnaround = [&](std::vector<double>& into, std::int64_t from, std::int64_t to) {
    const double us = times.MedianTurnaroundUs(from, to);
    if (us >= 0) into.push_back(us);
  };
  for (const Round& r : rounds) {
    page.push_back(r.page.ms);
    pageCpu.push_back(r.page.cpu);
    table.push_back(r.table.ms);
    tableCpu.push_back(r.table.cpu);
    client.push_back(r.client.ms);
    bare.push_back(r.bare.ms);
    if (r.page.xcpu >= 0) xCpu.push_back(r.page.xcpu);
    // The agent's last reply before the walk was seen over; without the
    // agent's notes, that sight of it.
    std::int64_t lastReply = times.LastReply(r.page.from, r.page.walkEnd);
    if (!lastReply) lastReply = r.page.walkEnd;
    screen.push_back(static_cast<double>(r.page.to - lastReply) / 1e6);
    turnaround(turnPage, r.page.from, r.page.to);
    turnaround(turnTable, r.table.from, r.table.to);
    turnaround(turnClient, r.client.from, r.client.to);
    turnaround(turnBare, r.bare.from, r.bare.to);
  }
  auto ratio = [](double a, double b) { return b > 0 ? a / b : 0; };
  const std::string name = "page 10,003 rows " + what;
  // Where the page's time went against snmptable's, from the agent's notes.
  std::vector<double> shares[2][4];
  for (const Round& r : rounds) {
    const AgentTimes::Shares sides[2] = {times.SharesOf(r.page.from, r.page.to),
                                         times.SharesOf(r.table.from, r.table.to)};
    for (int side = 0; side < 2; ++side) {
      const AgentTimes::Shares& s = sides[side];
      const double parts[4] = {s.before, s.client, s.agent, s.after};
      for (int k = 0; k < 4; ++k) shares[side][k].push_back(parts[k]);
    }
  }
  bool ok = true;
  ok = Report({name, Median(page), "snmptable -CB", Median(table), "ms",
               ratio(Median(page), Median(table)), '<', timeGoal}) &&
       ok;
  Report({name + ", minimums", Minimum(page), "snmptable -CB", Minimum(table), "ms",
          ratio(Minimum(page), Minimum(table))});
  ok = Report({"page " + what + ", processor", Median(pageCpu), "snmptable -CB", Median(tableCpu),
               "ms", ratio(Median(pageCpu), Median(tableCpu)), '<', kCpuGoal}) &&
       ok;
  Report({"page " + what + ", processor, minimums", Minimum(pageCpu), "snmptable -CB",
          Minimum(tableCpu), "ms", ratio(Minimum(pageCpu), Minimum(tableCpu))});
  Report({name, Median(page), "Net-SNMP row client", Median(client), "ms",
          ratio(Median(page), Median(client))});
  Report({name, Median(page), "bare async walk", Median(bare), "ms",
          ratio(Median(page), Median(bare))});
  if (!xCpu.empty())
    Report({"X server processor, page " + what, Median(xCpu), "page processor", Median(pageCpu),
            "ms", ratio(Median(xCpu), Median(pageCpu))});
  ok = Report({"last reply to rows on screen " + what, Median(screen), "limit", kScreenLimitMs,
               "ms", Median(screen) / kScreenLimitMs, '<', 1}) &&
       ok;
  const char* shareNames[4] = {"start to first request", "the client's turns", "the agent's turns",
                               "last reply to the end"};
  for (int k = 0; k < 4; ++k)
    Report({"  " + what + ", " + shareNames[k], Median(shares[0][k]), "snmptable -CB",
            Median(shares[1][k]), "ms", ratio(Median(shares[0][k]), Median(shares[1][k]))});
  if (turnPage.empty() || turnTable.empty()) {
    std::fprintf(stderr, "%s: the simulator noted no turnaround\n", what.c_str());
    return false;
  }
  const double pageUs = Median(turnPage), tableUs = Median(turnTable);
  Report({"turnaround " + what + ", page", pageUs, "snmptable -CB", tableUs, "us",
          ratio(pageUs, tableUs)});
  ok = Report({"  page - snmptable -CB", pageUs - tableUs, "limit", kTurnaroundMarginUs, "us",
               (pageUs - tableUs) / kTurnaroundMarginUs, '<', 1}) &&
       ok;
  if (!turnBare.empty())
    Report({"turnaround " + what + ", bare async walk", Median(turnBare), "snmptable -CB", tableUs,
            "us", ratio(Median(turnBare), tableUs)});
  if (!turnClient.empty())
    Report({"turnaround " + what + ", row client", Median(turnClient), "snmptable -CB", tableUs,
            "us", ratio(Median(turnClient), tableUs)});
  return ok;
}

// Takes `word` out of the command line; true when it was there.
bool TakeWord(int& argc, char** argv, const std::string& word) {
  bool found = false;
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    if (argv[i] == word)
      found = true;
    else
      argv[kept++] = argv[i];
  }
  argc = kept;
  return found;
}

// The module's command line: v3 authPriv against the simulator on `port`
// (v2c takes its port from the connection defaults, set before each fill).
void SetModuleCommandLine(int port) {
  const std::string portArg = "/t" + std::to_string(port);
  const char* args[] = {"kxr-module",    "/I127.0.0.1", "/Rqovalt",     "/Wmundrel", "/v3",
                        portArg.c_str(), "/m3",         "/l3",          "/nmd5des",  "/a2",
                        "/Amd5password", "/p2",         "/Pdespassword"};
  SetCommandLine(static_cast<int>(std::size(args)), args);
}

// ---- Instructions per row
//
// The page's user-space instructions per row against snmptable -CB's, on the
// same rows: a count that does not move with the machine's load (perf's
// counters are not there on every machine, virtual ones mostly: callgrind
// counts instead). Each side is counted at two row counts and the figure is
// the difference over the rows between them, so that start-up, the page's
// opening and closing, and snmptable's reading of its MIB and the v3 keys
// fall out. snmptable is counted over its whole process; the page in a
// process of its own run under callgrind (this program with --count-fill),
// from the menu entry's click to the page closed once the screen shows every
// row (CountedFill starts and stops callgrind's instrumentation).
//
// Left out of the page's count: what its message loop runs at a human rate
// rather than per row, its timers (rows joining the view in batches, the
// count's text, the front panel's polling) and its posted events (painting
// above all). Under callgrind everything runs some 50 times slower while
// those keep their pace in real time, so that their share per row would
// follow callgrind's pace, and so the machine's load: the count would hold
// 20 to 50 times a user's share of them. The loop's own work for every
// datagram, the reply, the row and the next request count in full.
constexpr int kCountedSmall = 2000;   // fixture rows of the smaller count
constexpr int kCountedLarge = 10000;  // and of the larger
constexpr double kInstructionGoal = 1.1;
// How long a counted fill may take (callgrind's pace).
constexpr int kCountedLimitMs = 20 * 60 * 1000;
// What the loop runs at a human rate: the functions that deliver the
// toolkit's timers and its posted events (callgrind stops counting while
// one runs).
constexpr const char* kHumanRate[] = {"QTimerInfoList::activateTimers*",
                                      "QCoreApplicationPrivate::sendPostedEvents*",
                                      "ui_detail::ShownLater::ShowAfterQuiet*"};

}  // namespace

// The fill that callgrind counts: it starts callgrind's instrumentation, and
// stops it once the page has closed (no-ops outside callgrind).
namespace bench {
Fill CountedFill(TMenuItem* entry, Ticker& ticker, long rows) {
#if VN_CALLGRIND
  // Given functions to toggle at, callgrind starts with collection off.
  CALLGRIND_START_INSTRUMENTATION;
  CALLGRIND_TOGGLE_COLLECT;
#endif
  const Fill f = PageFill(entry, ticker, rows, -1, kCountedLimitMs);
#if VN_CALLGRIND
  CALLGRIND_TOGGLE_COLLECT;
  CALLGRIND_STOP_INSTRUMENTATION;
#endif
  return f;
}
}  // namespace bench

namespace {

// One fill of the page, for the count (--count-fill VERSION ROWS PORT): the
// module as its main() runs it on the display this process was given, the
// page filled once over SNMP version VERSION (1 v2c, 3 v3) from the agent on
// PORT, which serves ROWS rows. Status 0 when the screen showed them all.
int CountFillMain(int version, long rows, int port) {
  if (!std::getenv("DISPLAY")) {
    std::fprintf(stderr, "count: no DISPLAY\n");
    return 1;
  }
  setenv("QT_QPA_PLATFORM", "xcb", 1);
  vntest::TempDir dir;
  if (chdir(dir.Path().c_str()) != 0) return 1;
  SetModuleCommandLine(port);
  InitMibOptionLists();
  long shown = -1;
  int status = 0;
  {
    Ticker ticker;
    TTimer starter(nullptr);
    starter.SetInterval(1000);
    starter.OnTimer = [&](TObject*) {
      starter.SetEnabled(false);
      TMenuItem* entry = MainForm && MainForm->MainMenu1
                             ? MainForm->MainMenu1->FindItem("UnicastForwardingInformation1")
                             : nullptr;
      if (entry && MainForm->Visible()) {
        ConnectionDefaults.Device.Port = static_cast<std::uint16_t>(port);
        SnmpVersion = static_cast<std::uint8_t>(version);
        try {
          shown = CountedFill(entry, ticker, rows).rows;
        } catch (...) {
          std::fprintf(stderr, "count: the fill stopped on an exception\n");
        }
      }
      if (MainForm)
        MainForm->Close();
      else
        Application->Terminate();
    };
    status = RunModule();
  }
  Application->Finalize();
  FreeMibOptionLists();
  return shown == rows && status == 0 ? 0 : 1;
}

// The events callgrind collected over a process, from its output files named
// `prefix`* (one per process: a fork writes its own, with nothing counted):
// the largest total, or -1 when none counted anything.
double CallgrindTotal(const std::string& dir, const std::string& prefix) {
  namespace fs = std::filesystem;
  double best = -1;
  for (const auto& entry : fs::directory_iterator(dir)) {
    if (entry.path().filename().string().rfind(prefix, 0) != 0) continue;
    std::ifstream in(entry.path());
    for (std::string line; std::getline(in, line);)
      if (line.rfind("totals:", 0) == 0) best = std::max(best, std::atof(line.c_str() + 7));
  }
  return best > 0 ? best : -1;
}

std::string Callgrind(const std::string& out) {
  return "valgrind --tool=callgrind --callgrind-out-file=" + out + ".%p ";
}

// The page's instructions over one counted fill of `rows` rows (-1: failed).
double PageInstructions(const std::string& dir, int version, long rows, int port) {
  const std::string prefix = "page-" + std::to_string(version) + "-" + std::to_string(rows);
  char self[4096];
  const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  if (n <= 0) return -1;
  self[n] = '\0';
  std::string leftOut;
  for (const char* f : kHumanRate) leftOut += std::string(" '--toggle-collect=") + f + "'";
  const Command c =
      RunCommand(Callgrind(dir + "/" + prefix) + "--instr-atstart=no" + leftOut + " " + self +
                 " --count-fill " + std::to_string(version) + " " + std::to_string(rows) + " " +
                 std::to_string(port) + " 2>" + dir + "/" + prefix + ".err && echo counted");
  if (c.out.find("counted") == std::string::npos) {
    std::fprintf(stderr, "the counted page (%s) failed: see %s.err\n", prefix.c_str(),
                 prefix.c_str());
    return -1;
  }
  return CallgrindTotal(dir, prefix + ".");
}

// snmptable -CB's instructions reading `rows` rows (-1: failed).
double SnmptableInstructions(const std::string& dir, int version, long rows, int port) {
  const std::string prefix = "table-" + std::to_string(version) + "-" + std::to_string(rows);
  const Command c =
      RunCommand(ToolEnvironment(dir) + Callgrind(dir + "/" + prefix) + "snmptable -M " + dir +
                 "/mibs -m BENCH-FDB-MIB " + ToolSecurity(version) + " -CB -CH -Cf , 127.0.0.1:" +
                 std::to_string(port) + " BENCH-FDB-MIB::benchFdbTable 2>/dev/null");
  long got = 0;
  std::istringstream lines(c.out);
  for (std::string line; std::getline(lines, line);)
    if (!line.empty() && std::isdigit(static_cast<unsigned char>(line[0]))) ++got;
  if (got != rows) {
    std::fprintf(stderr, "counted snmptable read %ld rows instead of %ld\n", got, rows);
    return -1;
  }
  return CallgrindTotal(dir, prefix + ".");
}

// The instruction figures, each side counted at two row counts against
// agents of their own; false when a goal was missed or a count failed.
bool CountInstructions(const std::string& dir) {
  if (!VN_CALLGRIND || RunCommand("command -v valgrind").out.empty()) {
    std::fprintf(stderr,
                 "callgrind is missing (valgrind, and its header when the benchmark was built): "
                 "no instruction count (./run bench installs it)\n");
    return false;
  }
  const long small = kCountedSmall + kDeviceRows, large = kCountedLarge + kDeviceRows;
  Simulator smallAgent(VN_SIMULATOR, dir + "/count-small", 1,
                       FixtureArgs(WriteFdbFixture(dir, kCountedSmall)));
  Simulator largeAgent(VN_SIMULATOR, dir + "/count-large", 1,
                       FixtureArgs(WriteFdbFixture(dir, kCountedLarge)));
  if (!smallAgent.Port() || !largeAgent.Port()) return false;
  Note("instructions per row: callgrind's count of user-space instructions at " +
       std::to_string(small) + " and " + std::to_string(large) +
       " rows, the difference over the rows between them; the page from the click to the "
       "screen showing every row, snmptable -CB over its process");
  bool ok = true;
  for (int version : {1, 3}) {
    const std::string what = version == 1 ? "v2c" : "v3 authPriv";
    const auto start = Clock::now();
    // The four counts side by side: a count does not depend on the time it
    // takes.
    auto count = [&](double (*counter)(const std::string&, int, long, int), long rows,
                     const Simulator& agent) {
      return std::async(std::launch::async, counter, dir, version, rows, agent.Port());
    };
    std::future<double> counts[] = {count(PageInstructions, small, smallAgent),
                                    count(PageInstructions, large, largeAgent),
                                    count(SnmptableInstructions, small, smallAgent),
                                    count(SnmptableInstructions, large, largeAgent)};
    const double pageSmall = counts[0].get(), pageLarge = counts[1].get();
    const double tableSmall = counts[2].get(), tableLarge = counts[3].get();
    if (pageSmall < 0 || pageLarge < 0 || tableSmall < 0 || tableLarge < 0) {
      ok = false;
      continue;
    }
    const double rows = static_cast<double>(large - small);
    const double page = (pageLarge - pageSmall) / rows, table = (tableLarge - tableSmall) / rows;
    Note("  " + what + ": page " + Fixed(pageSmall / 1e6, 1) + " and " + Fixed(pageLarge / 1e6, 1) +
         " million, snmptable -CB " + Fixed(tableSmall / 1e6, 1) + " and " +
         Fixed(tableLarge / 1e6, 1) + " million (counted in " + Fixed(MsSince(start) / 1000, 0) +
         " s)");
    ok = Report({"page instructions per row " + what, page, "snmptable -CB", table, "instr",
                 table > 0 ? page / table : 0, '<', kInstructionGoal}) &&
         ok;
  }
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 5 && std::string(argv[1]) == "--count-fill")
    return CountFillMain(std::atoi(argv[2]), std::atol(argv[3]), std::atoi(argv[4]));
  const bool loaded = TakeWord(argc, argv, "--loaded");
  const bool countOnly = TakeWord(argc, argv, "--count-only");
  const bool noCount = TakeWord(argc, argv, "--no-count");
  const Options options = TakeOptions(argc, argv, 9, false);
  XServer x;
  if (!x.Ok()) return 1;
  setenv("QT_QPA_PLATFORM", "xcb", 1);
  vntest::TempDir dir;
  if (chdir(dir.Path().c_str()) != 0) return 1;
  std::filesystem::create_directories(dir.Path() + "/mibs");
  std::ofstream(dir.Path() + "/mibs/BENCH-FDB-MIB.txt") << kFdbMib;
  if (countOnly) return CountInstructions(dir.Path()) ? 0 : 1;
  constexpr int kRows = Bench::kRows, kLarge = Bench::kLarge;
  // The rows the page shows, for the time per row.
  constexpr double kShown = kRows + kDeviceRows, kLargeShown = kLarge + kDeviceRows;
  const std::string timesFile = dir.Path() + "/agent-times";
  std::vector<std::string> simArgs = FixtureArgs(WriteFdbFixture(dir.Path(), kRows));
  simArgs.insert(simArgs.end(), {"--turnaround", timesFile});
  Simulator sim(VN_SIMULATOR, dir.Path() + "/sim", 1, simArgs);
  Simulator large(VN_SIMULATOR, dir.Path() + "/large", 1,
                  FixtureArgs(WriteFdbFixture(dir.Path(), kLarge)));
  if (!sim.Port() || !large.Port()) return 1;
  std::string placement;
  const bool separated =
      !options.pin && SeparateAgents({sim.Pid(), large.Pid()}, x.Pid(), placement);

  const double timeGoal = loaded ? kLoadedTimeGoal : kTimeGoal;
  Note("the generic list page on an X server (" + x.Description() + "), " +
       std::to_string(options.rounds) +
       " rounds (50,000 rows: " + std::to_string(std::max(1, options.rounds - 4)) + ")" +
       (options.pin ? ", all on one processor" : "; " + placement) + "; load average " +
       LoadAverage());
  Note(
      "the module's program entry with its main window shown (front panel, LED polling); the "
      "page opened by its menu entry, modal over it");
  Note(std::string("goal of the page's time: <= ") + Fixed(timeGoal, 2) +
       " x snmptable -CB, ratio of the medians, " +
       (loaded ? "every processor busy (--loaded; on a quiet machine " + Fixed(kTimeGoal, 2) + ")"
               : "a quiet machine (every processor busy, --loaded: " + Fixed(kLoadedTimeGoal, 2) +
                     ")"));

  // The module as its main() runs it, with a timer that runs the rounds from
  // its message loop once the main window is up.
  SetModuleCommandLine(sim.Port());
  InitMibOptionLists();
  Bench bench(sim, large, x, dir.Path(), options.rounds, loaded, separated);
  int moduleStatus = 0;
  {
    Ticker ticker;
    bench.ticker = &ticker;
    TTimer starter(nullptr);
    starter.SetInterval(1000);
    starter.OnTimer = [&](TObject*) {
      starter.SetEnabled(false);
      try {
        bench.Rounds();
      } catch (...) {
        std::fprintf(stderr, "the rounds stopped on an exception\n");
        Application->Terminate();
      }
    };
    moduleStatus = RunModule();
  }
  Application->Finalize();
  FreeMibOptionLists();
  if (!bench.started || moduleStatus != 0) {
    std::fprintf(stderr, "the module did not run the rounds (status %d)\n", moduleStatus);
    return 1;
  }

  AgentTimes times;
  if (!sim.Stop() || !times.Read(timesFile))
    std::fprintf(stderr, "the simulator's turnaround notes are missing\n");
  if (bench.busy) Note(std::to_string(bench.busy) + " spinning processes ran beside the rounds");
  Note("rounds run again: " + std::to_string(bench.reruns) + "; load average " + LoadAverage());
  Note("a thread waiting in poll() runs again " + Fixed(WakeUpUs(2000), 1) +
       " us (median) after a datagram arrives for it: every walker's turnaround pays it");
  bool ok = ReportVersion(bench.v2, "v2c", times, timeGoal);
  ok = ReportVersion(bench.v3, "v3 authPriv", times, timeGoal) && ok;
  std::vector<double> gaps, gapsAll, largePage, largeTable, growth, v2page;
  for (const Round& r : bench.v2) v2page.push_back(r.page.ms);
  // The window's first painting is no batch: a reply that comes before it
  // waits for it (over v2c it usually does), so the goal counts the turns
  // from that painting on, and the turns from the click are information.
  for (const std::vector<Round>* v : {&bench.v2, &bench.v3}) {
    std::vector<double> g, all;
    for (const Round& r : *v) {
      g.push_back(
          times.LongestTurnaroundUs(r.page.painted ? r.page.painted : r.page.from, r.page.to) /
          1e3);
      all.push_back(times.LongestTurnaroundUs(r.page.from, r.page.to) / 1e3);
    }
    gaps.push_back(Median(g));
    gapsAll.push_back(Median(all));
  }
  for (const Round& r : bench.big) {
    largePage.push_back(r.page.ms);
    largeTable.push_back(r.table.ms);
    growth.push_back((r.page.ms / kLargeShown) / (Median(v2page) / kShown));
  }
  const double gap = std::max(gaps[0], gaps[1]);
  ok = Report({"longest turn of a page's walk, once shown", gap, "limit", kScreenLimitMs, "ms",
               gap / kScreenLimitMs, '<', 1}) &&
       ok;
  Report({"  from the click", std::max(gapsAll[0], gapsAll[1]), "limit", kScreenLimitMs, "ms",
          std::max(gapsAll[0], gapsAll[1]) / kScreenLimitMs});
  Report({"page 50,003 rows v2c", Median(largePage), "snmptable -CB", Median(largeTable), "ms",
          Median(largePage) / Median(largeTable)});
  ok = Report({"page per row at 50,003 v2c", Median(largePage) * 1000 / kLargeShown,
               "per row at 10,003", Median(v2page) * 1000 / kShown, "us", Median(growth), '<',
               kGrowthGoal}) &&
       ok;
  if (!noCount) ok = CountInstructions(dir.Path()) && ok;
  return ok && bench.rowsOk ? 0 : 1;
}
