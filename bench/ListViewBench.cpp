// Walks on the GUI thread, as the forms run them, against the simulator:
//   1. an asynchronous walk of 1,000 x 5 against the synchronous one (rows
//      per second), with the longest gap between two runs of the event loop;
//   2. synchronous and asynchronous walks of 5,000 x 5 into a list view
//      against the same walks with no controls bound;
//   3. 50,000 x 5 into a list view: the same ratio, and the cost per row
//      against the cost per row at 5,000 (a fill that stays linear keeps it
//      near 1);
//   4. the longest time a batch of rows takes to join the list's widget,
//      per 1,000 of its rows, over the list fills of 2 and 3 (asked of the
//      widget: the insertion and the layout it causes; painting the rows
//      that come into sight is a screenful at most), against the limit of
//      1 ms.
// The event loop runs as in a modal form. A 1 ms timer measures the gaps:
// the longest time between two of its ticks during an asynchronous walk or
// a list fill (a coarser one could not show a gap below its interval). It
// runs in walks of their own: its ticks cost the asynchronous walk loop
// turns that the synchronous one, blocked in its wait, never makes, so the
// walks compared for speed run without it. A list fill ends when the list's
// widget has painted with every row in it.
// Figures of one round are measured side by side; the report gives medians
// of the rounds.
//
// usage: listview_bench [--no-pin] [ROUNDS]
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "library/VnSNMPConnection.h"
#include "library/VnSNMPRequest2Edits.h"
#include "platform/ComCtrls.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/ListBatchWatch.h"
#include "platform/PaintWatch.h"
#include "support/TestSupport.h"

namespace {

using namespace bench;

constexpr VnSNMPVarDesc Desc(const char* oid, const char* label, std::uint32_t syntax) {
  return {oid,     label,   syntax, SNMP_ACCESS_READONLY, nullptr, nullptr, nullptr,
          nullptr, nullptr, nullptr};
}

const VnSNMPVarDesc kColumns[] = {
    Desc("1.3.6.1.3.1717.1.1.1", "Row", SNMP_SYNTAX_INTEGER),
    Desc("1.3.6.1.3.1717.1.1.2", "Text", SNMP_SYNTAX_DISPLAYSTR),
    Desc("1.3.6.1.3.1717.1.1.3", "Counter", SNMP_SYNTAX_COUNTER),
    Desc("1.3.6.1.3.1717.1.1.4", "Number", SNMP_SYNTAX_INTEGER),
    Desc("1.3.6.1.3.1717.1.1.5", "Address", SNMP_SYNTAX_IPADDRESS),
    Desc(nullptr, nullptr, 0),
};

// Whether a walk runs with the timer that measures the gaps.
enum class Gauge { Off, Gaps };

// Batches of fewer rows are left out of the time per 1,000 rows: the first
// row of a fill joins alone, and the last batch holds what is left.
constexpr int kCountedBatch = 100;

struct Walk {
  double ms = 0;
  double gap = 0;  // longest gap between two ticks of the 1 ms timer
  long rows = 0;
  double batch = 0;  // a list fill: the longest batch, ms per 1,000 rows
};

// A form with a shown list view and the timer that measures the gaps.
class Bench {
 public:
  Bench() : pulse_(nullptr) {
    form_ = Create<TForm>(Application);
    form_->SetBounds(0, 0, 640, 480);
    view_ = new TListView(form_);
    view_->SetParent(form_);
    view_->SetBounds(0, 0, 600, 440);
    form_->Show();
    pulse_.SetEnabled(false);
    pulse_.SetInterval(1);
    pulse_.OnTimer = [this](TObject*) {
      const auto now = Clock::now();
      if (last_ != Clock::time_point())
        longest_ =
            std::max(longest_, std::chrono::duration<double, std::milli>(now - last_).count());
      last_ = now;
    };
  }
  ~Bench() { delete form_; }
  Bench(const Bench&) = delete;
  Bench& operator=(const Bench&) = delete;

  Walk Run(const Simulator& sim, bool async, bool listView, Gauge gauge = Gauge::Off) {
    auto request = std::make_unique<VnSNMPRequest2Edits>(form_);
    request->Request.Device.Port = static_cast<std::uint16_t>(sim.Port());
    request->Request.VarList = VnSNMPVarList(kColumns, VnItemType::MVT_FMV, 1);
    request->AsyncMode = async;
    if (listView) request->AttachListView(view_, false);
    // The rows of the previous walk go before the clock starts.
    view_->Items()->Clear();
    Application->ProcessMessages();
    TPaintWatch shown(view_);
    TListBatchWatch batches(view_);
    longest_ = 0;
    last_ = Clock::time_point();
    pulse_.SetEnabled(gauge == Gauge::Gaps);
    const auto start = Clock::now();
    request->Get();
    while (request->Busy) Application->HandleMessage();
    // A list fill ends when the widget has painted with every row in it
    // (the last batch joins it at most 30 ms after the last row).
    while (listView && shown.PaintedRows() < view_->Items()->Count() && MsSince(start) < 120000)
      Application->HandleMessage();
    Walk w;
    w.ms = MsSince(start);
    pulse_.SetEnabled(false);
    w.gap = longest_;
    w.rows = static_cast<long>(request->RowCount);
    for (const TListBatchWatch::Batch& b : batches.Batches())
      if (b.rows >= kCountedBatch) w.batch = std::max(w.batch, b.ms * 1000 / b.rows);
    return w;
  }

 private:
  TForm* form_ = nullptr;
  TListView* view_ = nullptr;
  TTimer pulse_;
  Clock::time_point last_;
  double longest_ = 0;
};

bool CheckRows(const Walk& w, long rows, const char* what) {
  if (w.rows == rows) return true;
  std::fprintf(stderr, "%s: %ld rows instead of %ld\n", what, w.rows, rows);
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = TakeOptions(argc, argv, 5);
  const int rounds = options.rounds;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  Application->Initialize();
  vntest::TempDir dir;
  Simulator small(VN_SIMULATOR, dir.Path() + "/1000", 1000);
  Simulator medium(VN_SIMULATOR, dir.Path() + "/5000", 5000);
  Simulator large(VN_SIMULATOR, dir.Path() + "/50000", 50000);
  if (!small.Port() || !medium.Port() || !large.Port() || !StartSession(dir.Path())) return 1;
  ConnectionDefaults.Security.Version = 1;  // v2c, as the walk benchmark
  Note("walks on the GUI thread, " + std::to_string(rounds) + " rounds of each size" +
       (options.pin ? ", client and agent on one processor" : "") + "; load average " +
       LoadAverage());
  auto rate = [](const std::vector<double>& ms, int rows) { return rows / (Median(ms) / 1000); };
  auto perRow = [](const std::vector<double>& ms, int rows) { return Median(ms) * 1000 / rows; };
  int status = 0;
  {
    Bench bench;
    std::vector<double> syncMs, asyncMs, asyncGap, speed;
    std::vector<double> bareSync, listSync, bareAsync, listAsync, syncFill, asyncFill, fillGap;
    std::vector<double> batch(static_cast<std::size_t>(rounds));  // each round's longest
    bool rowsOk = true;
    for (int i = 0; i < rounds; ++i) {
      const Walk s = bench.Run(small, false, false);
      const Walk a = bench.Run(small, true, false);
      const Walk g = bench.Run(small, true, false, Gauge::Gaps);
      rowsOk = CheckRows(s, 1000, "sync walk") && CheckRows(a, 1000, "async walk") &&
               CheckRows(g, 1000, "async walk") && rowsOk;
      syncMs.push_back(s.ms);
      asyncMs.push_back(a.ms);
      asyncGap.push_back(g.gap);
      speed.push_back(s.ms / a.ms);  // async rows/s over sync rows/s

      const Walk sb = bench.Run(medium, false, false, Gauge::Gaps);
      const Walk sl = bench.Run(medium, false, true, Gauge::Gaps);
      const Walk ab = bench.Run(medium, true, false, Gauge::Gaps);
      const Walk al = bench.Run(medium, true, true, Gauge::Gaps);
      rowsOk =
          CheckRows(sl, 5000, "sync list fill") && CheckRows(al, 5000, "async list fill") && rowsOk;
      bareSync.push_back(sb.ms);
      listSync.push_back(sl.ms);
      bareAsync.push_back(ab.ms);
      listAsync.push_back(al.ms);
      syncFill.push_back(sl.ms / sb.ms);
      asyncFill.push_back(al.ms / ab.ms);
      fillGap.push_back(std::max(sl.gap, al.gap));
      batch[static_cast<std::size_t>(i)] = std::max(sl.batch, al.batch);
      Note("  round " + std::to_string(i + 1) + ": 1,000x5 sync " + Fixed(s.ms, 1) + " ms, async " +
           Fixed(a.ms, 1) + " ms; 5,000x5 into a list view sync " + Fixed(sl.ms, 1) +
           " ms (no controls " + Fixed(sb.ms, 1) + "), async " + Fixed(al.ms, 1) +
           " ms (no controls " + Fixed(ab.ms, 1) + ")");
    }
    bool ok = true;
    const std::vector<Figure> figures = {
        {"async walk 1,000x5", rate(asyncMs, 1000), "sync walk", rate(syncMs, 1000), "rows/s",
         Median(speed), '>', 0.9},
        {"longest pump gap, async walk 1,000x5", Median(asyncGap), "limit", 30, "ms",
         Median(asyncGap) / 30, '<', 1},
        {"sync walk 5,000x5 into a list view", Median(listSync), "same walk, no controls",
         Median(bareSync), "ms", Median(syncFill), '<', 1.5},
        {"async walk 5,000x5 into a list view", Median(listAsync), "same walk, no controls",
         Median(bareAsync), "ms", Median(asyncFill), '<', 1.5},
        {"longest pump gap, list fills 5,000x5", Median(fillGap), "limit", 30, "ms",
         Median(fillGap) / 30, '<', 1},
    };
    for (const Figure& f : figures) ok = Report(f) && ok;
    // The large table in as many rounds: with fewer, its ratios flip with
    // the load of a shared machine.
    std::vector<double> largeBare, largeSync, largeAsync, largeFill, syncGrowth, asyncGrowth;
    for (int i = 0; i < rounds; ++i) {
      const Walk lb = bench.Run(large, false, false, Gauge::Gaps);
      const Walk ll = bench.Run(large, false, true, Gauge::Gaps);
      const Walk la = bench.Run(large, true, true, Gauge::Gaps);
      rowsOk = CheckRows(ll, 50000, "sync list fill") && CheckRows(la, 50000, "async list fill") &&
               rowsOk;
      largeBare.push_back(lb.ms);
      largeSync.push_back(ll.ms);
      largeAsync.push_back(la.ms);
      largeFill.push_back(ll.ms / lb.ms);
      // Time per row against the time per row at 5,000 (medians).
      syncGrowth.push_back((ll.ms / 50000) / (Median(listSync) / 5000));
      asyncGrowth.push_back((la.ms / 50000) / (Median(listAsync) / 5000));
      double& longest = batch[static_cast<std::size_t>(i)];
      longest = std::max({longest, ll.batch, la.batch});
      Note("  round " + std::to_string(i + 1) + ": 50,000x5 into a list view sync " +
           Fixed(ll.ms, 1) + " ms (no controls " + Fixed(lb.ms, 1) + "), async " + Fixed(la.ms, 1) +
           " ms");
    }
    const std::vector<Figure> fifty = {
        {"sync walk 50,000x5 into a list view", Median(largeSync), "same walk, no controls",
         Median(largeBare), "ms", Median(largeFill), '<', 1.5},
        {"sync list fill per row at 50,000", perRow(largeSync, 50000), "per row at 5,000",
         perRow(listSync, 5000), "us", Median(syncGrowth), '<', 1.5},
        {"async list fill per row at 50,000", perRow(largeAsync, 50000), "per row at 5,000",
         perRow(listAsync, 5000), "us", Median(asyncGrowth), '<', 1.5},
        {"longest batch join per 1,000 rows", Median(batch), "limit", 1, "ms", Median(batch), '<',
         1},
    };
    for (const Figure& f : fifty) ok = Report(f) && ok;
    status = ok && rowsOk ? 0 : 1;
  }
  Application->Finalize();
  return status;
}
