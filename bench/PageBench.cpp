// The generic list page as a user sees it: VLAN > 802.1Q > Forwarding/
// Filtering > Unicast Forwarding Information, opened through the main
// window's menu handler on an X server (the xcb platform; Xvfb is started
// when no display is set), fills 10,000 rows from the simulator. Against it,
// side by side in every round, the library's bare asynchronous walk of the
// same table with no controls, over SNMPv2c and over SNMPv3 authPriv
// (MD5/DES). Figures: the page's time and processor time against the bare
// walk's, the longest gap of the event loop while the page fills (between
// two ticks of a 1 ms timer), and at 50,000 rows (v2c) the page's time per
// row against its time per row at 10,000.
//
// The page is timed from the menu handler's call until its walk is over
// with every row in the list; the main window is not shown (its front panel
// would poll the device meanwhile).
//
// usage: page_bench [--pin] [ROUNDS]
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "app/GUIConfigForm.h"
#include "app/GUIGenerator.h"
#include "app/MainMenuTree.h"
#include "app/MainUnit.h"
#include "catalogue/MibOptionLists.h"
#include "library/VnSNMPConnection.h"
#include "library/VnSNMPRequest2Edits.h"
#include "platform/ComCtrls.h"
#include "platform/ExtCtrls.h"
#include "platform/Files.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

using namespace bench;

constexpr const char* kFdbEntry = "1.3.6.1.2.1.17.7.1.2.2.1";
// The rows of the table in the device fixture, besides the generated ones.
constexpr long kDeviceRows = 3;

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

struct Fill {
  double ms = 0;
  double cpu = 0;
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

// The page from the menu, until its walk is over with the `rows` rows (or
// a minute has passed); then the page is closed.
Fill PageFill(TMainForm* window, Pulse& pulse, long rows) {
  Fill f;
  Clock::time_point end;
  double cpuEnd = 0;
  const auto start = Clock::now();
  const double cpuStart = CpuMs();
  pulse.Start([&] {
    TConfigForm* page = OpenPage();
    if (!page || page->ModalResult() != mrNone) return;
    TSNMPListViewPanel* panel = ListPanelOf(page);
    TList* requests = page->RequestList();
    if (!panel || !requests || requests->Count() == 0) return;
    auto* request = static_cast<VnSNMPRequest2Edits*>(requests->Items(0));
    const long shown = panel->ListViewPanel->ListView->Items()->Count();
    const bool over = !request->Busy && shown >= rows;
    if (!over && MsSince(start) < 60000) return;
    end = Clock::now();
    cpuEnd = CpuMs();
    f.rows = shown;
    if (panel->BtnPanel->CountText->Caption() != AnsiString(static_cast<int>(shown))) f.rows = -1;
    page->Close();
  });
  window->UnicastForwardingInformation1Click(nullptr);
  f.gap = pulse.Stop();
  f.ms = std::chrono::duration<double, std::milli>(end - start).count();
  f.cpu = cpuEnd - cpuStart;
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

bool CheckRows(const Fill& f, long rows, const std::string& what) {
  if (f.rows == rows) return true;
  if (f.rows < 0)
    std::fprintf(stderr, "%s: the row count label does not show the rows\n", what.c_str());
  else
    std::fprintf(stderr, "%s: %ld rows instead of %ld\n", what.c_str(), f.rows, rows);
  return false;
}

struct Series {
  std::vector<double> page, bare, ratio, pageCpu, bareCpu, cpuRatio, gap;
  void Add(const Fill& p, const Fill& b) {
    page.push_back(p.ms);
    bare.push_back(b.ms);
    ratio.push_back(p.ms / b.ms);
    pageCpu.push_back(p.cpu);
    bareCpu.push_back(b.cpu);
    cpuRatio.push_back(p.cpu / std::max(1.0, b.cpu));
    gap.push_back(p.gap);
  }
};

}  // namespace

int main(int argc, char** argv) {
  const Options options = TakeOptions(argc, argv, 9, false);
  XServer x;
  if (!x.Ok()) return 1;
  setenv("QT_QPA_PLATFORM", "xcb", 1);
  vntest::TempDir dir;
  if (chdir(dir.Path().c_str()) != 0) return 1;
  constexpr int kRows = 10000, kLarge = 50000;
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
    std::vector<double> growth, largePage, largeRatio;
    bool rowsOk = true;
    // The page and the bare walk side by side, in turns first, so that
    // neither always meets the other's leftovers (or a quieter moment).
    auto pair = [&](const Simulator& agent, int version, long expected, bool pageFirst,
                    const std::string& what, Fill& p, Fill& b) {
      ConnectionDefaults.Device.Port = static_cast<std::uint16_t>(agent.Port());
      SnmpVersion = static_cast<std::uint8_t>(version);
      if (pageFirst) p = PageFill(window, pulse, expected);
      b = BareWalk(window, pulse, table);
      if (!pageFirst) p = PageFill(window, pulse, expected);
      rowsOk = CheckRows(b, expected, "bare walk " + what) &&
               CheckRows(p, expected, "page " + what) && rowsOk;
    };
    for (int i = 0; i < options.rounds; ++i) {
      Fill p, b;
      pair(sim, 1, kRows + kDeviceRows, i % 2 == 1, "v2c", p, b);
      v2.Add(p, b);
      pair(sim, 3, kRows + kDeviceRows, i % 2 == 0, "v3", p, b);
      v3.Add(p, b);
    }
    // 50,000 rows over v2c in fewer rounds: each takes seconds.
    for (int i = 0; i < std::max(1, options.rounds - 4); ++i) {
      Fill p, b;
      pair(large, 1, kLarge + kDeviceRows, i % 2 == 1, "50,000", p, b);
      largePage.push_back(p.ms);
      largeRatio.push_back(p.ms / b.ms);
      growth.push_back((p.ms / kLarge) / (Median(v2.page) / kRows));
    }
    delete window;
    MainForm = nullptr;

    Note("the generic list page on an X server (" + x.Description() + "), " +
         std::to_string(options.rounds) +
         " rounds (50,000 rows: " + std::to_string(largeRatio.size()) + ")" +
         (options.pin ? ", all on one processor" : "") + "; load average " + LoadAverage());
    auto ms = [](const std::vector<double>& v) { return Median(v); };
    const std::vector<Figure> figures = {
        {"page 10,000 rows v2c", ms(v2.page), "bare walk", ms(v2.bare), "ms", Median(v2.ratio), '<',
         1.5},
        {"page 10,000 rows v2c, processor", ms(v2.pageCpu), "bare walk", ms(v2.bareCpu), "ms",
         Median(v2.cpuRatio), '<', 2},
        {"page 10,000 rows v3 authPriv", ms(v3.page), "bare walk", ms(v3.bare), "ms",
         Median(v3.ratio), '<', 1.5},
        {"page 10,000 rows v3, processor", ms(v3.pageCpu), "bare walk", ms(v3.bareCpu), "ms",
         Median(v3.cpuRatio), '<', 2},
        {"longest pump gap, page fills", std::max(ms(v2.gap), ms(v3.gap)), "limit", 30, "ms",
         std::max(ms(v2.gap), ms(v3.gap)) / 30, '<', 1},
        {"page per row at 50,000 v2c", ms(largePage) * 1000 / kLarge, "per row at 10,000",
         ms(v2.page) * 1000 / kRows, "us", Median(growth), '<', 1.5},
    };
    bool ok = true;
    for (const Figure& f : figures) ok = Report(f) && ok;
    status = ok && rowsOk ? 0 : 1;
  }
  Application->Finalize();
  FreeMibOptionLists();
  return status;
}
