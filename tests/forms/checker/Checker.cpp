#include "Checker.h"

#include <gtest/gtest.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <sstream>
#include <thread>

#include "FormView.h"
#include "library/VnSNMPRequest2Edits.h"
#include "library/VnSNMPSession.h"
#include "pages/Progress2.h"
#include "pages/progress.h"
#include "platform/Buttons.h"
#include "platform/ComCtrls.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "platform/SysUtils.h"
#include "platform/TestKit.h"
#include "simulator/SimulatorHarness.h"
#include "snmp/Snmp.h"

namespace formcheck {

// ---- waiting ------------------------------------------------------------------

namespace {

bool SessionQuiet() { return !g_SnmpSession || g_SnmpSession->outstanding() == 0; }

bool Quiet(const TOpen& open) {
  if (!SessionQuiet()) return false;
  for (const VnSNMPRequest2Edits* r : open.Requests)
    if (r->Busy) return false;
  return true;
}

// One turn of the loop: until a reply comes, or a millisecond for the timers.
void Turn() {
  Application->ProcessMessages();
  pollfd reply{g_SnmpSession ? g_SnmpSession->get_socket() : -1, POLLIN, 0};
  if (reply.fd < 0 || poll(&reply, 1, 1) < 0)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

std::string g_step;

// The OID is the other or lies under it.
bool InstanceOrSame(const std::string& oid, const std::string& under) {
  return oid == under || !InstanceUnder(oid, under).empty();
}

// The front panel's LED octets: their pattern moves with the clock.
const std::string kFrontPanelLeds = "1.3.6.1.4.1.171.11.101.1.2.1.1.4.0";
bool g_failing = false;

}  // namespace

bool WaitQuiet(const TOpen& open, int ms) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  int quietTurns = 0;
  while (quietTurns < 2) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    Application->ProcessMessages();
    quietTurns = Quiet(open) ? quietTurns + 1 : 0;
    if (quietTurns == 0) Turn();
  }
  return true;
}

void SetProgressStep(const std::string& step, bool failing) {
  g_step = step;
  g_failing = failing;
}

bool ProgressFailing() { return g_failing; }

void QueueProgressDialogs() {
  TestKit::OnNextModal(TestKit::ModalScript([](TCustomForm* dialog) {
    auto* progress = dynamic_cast<TProgressForm*>(dialog);
    auto* progress2 = dynamic_cast<TProgressForm2*>(dialog);
    if ((progress || progress2) && g_failing) {
      // The write it waits for fails: once that is answered the box goes by
      // itself.
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
      int quiet = 0;
      while (dialog->ModalResult() == mrNone && quiet < 20 &&
             std::chrono::steady_clock::now() < deadline) {
        quiet = SessionQuiet() ? quiet + 1 : 0;
        Turn();
      }
      EXPECT_NE(dialog->ModalResult(), mrNone)
          << g_step << ": the progress box \"" << dialog->Caption().str()
          << "\" stays open after the write it waits for failed";
    }
    for (int tick = 0; tick < 200 && dialog->ModalResult() == mrNone; ++tick) {
      if (progress)
        progress->ProgressTimerTimer(nullptr);
      else if (progress2)
        progress2->ProgressTimerTimer(nullptr);
      else
        break;
      TestKit::Pump();
    }
    if (dialog->ModalResult() == mrNone) {
      ADD_FAILURE() << g_step << ": a dialog the checker does not know opened: \""
                    << dialog->Caption().str() << "\"";
      dialog->Close();
    }
    QueueProgressDialogs();
  }));
}

// ---- the switch -------------------------------------------------------------------

std::string TChecker::Control(const std::string& command) {
  const std::string reply = sim_.Control(command);
  EXPECT_EQ(reply.rfind("ok", 0), 0u) << command << ": " << reply;
  return reply;
}

void TChecker::Seed(const std::string& seed) {
  seed_ = seed;
  Control("reset");
  for (const std::string& line : entry_.Rows) Control(line);
  for (const auto& [name, lines] : entry_.Branches)
    if (name == seed)
      for (const std::string& line : lines) Control(line);
  for (const TOddSeed& odd : odd_)
    if (odd.Name == seed)
      for (const std::string& line : odd.Commands) Control(line);
  for (const TRequestModel& r : model_.Requests)
    for (const TItem& item : r.Items)
      for (const auto& [oid, value] : held_.Values) {
        if (InstanceUnder(oid, item.Oid).empty()) continue;
        const std::string command = SeedCommand(item, oid, value, seed);
        if (!command.empty()) Control(command);
      }
}

std::size_t TChecker::LogSize() {
  logRead_ += sim_.LogFrom(logRead_).size();
  return logRead_;
}

std::vector<std::string> TChecker::SetsSince(std::size_t mark) const {
  std::vector<std::string> sets;
  std::istringstream in(sim_.LogFrom(mark));
  for (std::string line; std::getline(in, line);)
    if (line.find("\tSET\t") != std::string::npos) sets.push_back(line);
  return sets;
}

TImage TChecker::Image() {
  TImage image;
  std::set<std::string> done;
  for (const TRequestModel& r : model_.Requests)
    for (const TItem& item : r.Items)
      if (!item.Oid.empty() && done.insert(item.Oid).second)
        image.Add(ParseDump(Control("dump " + item.Oid)));
  return image;
}

TImage TChecker::WholeSwitch() {
  TImage image = ParseDump(Control("dump 1.3"));
  std::erase_if(image.Values, [this](const auto& v) {
    return moving_.count(v.first) || MovesByItself(v.second);
  });
  return image;
}

std::string TChecker::ChangedElsewhere(const TImage& before, const TImage& after) const {
  std::string out;
  auto mine = [this](const std::string& oid) { return ItemOf(oid, nullptr, nullptr) != nullptr; };
  for (const auto& [oid, was] : before.Values) {
    if (mine(oid)) continue;
    const std::string* now = after.Find(oid);
    if (!now)
      out += "\n    " + oid + " is gone (held " + was + ")";
    else if (*now != was)
      out += "\n    " + oid + ": before " + was + ", after " + *now;
  }
  for (const auto& [oid, now] : after.Values)
    if (!mine(oid) && !before.Find(oid)) out += "\n    " + oid + " is new: " + now;
  return out;
}

const TItem* TChecker::ItemOf(const std::string& oid, std::string* instance, bool* rows) const {
  for (const TRequestModel& r : model_.Requests) {
    for (const TItem& item : r.Items) {
      const std::string rest = InstanceUnder(oid, item.Oid);
      if (rest.empty()) continue;
      if (instance) *instance = rest;
      if (rows) *rows = r.Rows;
      return &item;
    }
  }
  return nullptr;
}

bool TChecker::Exempt(const TItem& item, const std::string& before, const std::string& after,
                      const TImage& held, bool* refuses) const {
  for (const TException& e : kExceptions) {
    if (e.Entry[0] && entry_.Name != e.Entry) continue;
    if (e.Oid[0] && !InstanceOrSame(item.Oid, e.Oid)) continue;
    if (e.Allows ? e.Allows(held, item.Syntax, before, after) : before == after) {
      if (refuses) *refuses = e.Refuses;
      return true;
    }
  }
  return false;
}

std::vector<std::string> TChecker::RowInstances(const TImage& image) const {
  // The rows of the columns the writes go to; of any column where none is
  // written.
  std::vector<std::string> best;
  for (bool written : {true, false}) {
    for (const TRequestModel& r : model_.Requests) {
      if (!r.Rows) continue;
      for (const TItem& item : r.Items) {
        if (written && (!item.Writable || item.Key)) continue;
        std::vector<std::string> rows;
        for (const auto& [oid, value] : image.Values) {
          const std::string rest = InstanceUnder(oid, item.Oid);
          if (!rest.empty()) rows.push_back(rest);
        }
        if (rows.size() > best.size()) best = rows;
      }
    }
    if (!best.empty()) return best;
  }
  return best;
}

std::string TChecker::InstanceOfRow(const TOpen& open, int row) {
  const std::vector<std::string> instances = RowInstances(Image());
  if (!open.List || row < 0 || static_cast<int>(instances.size()) != open.List->Items()->Count())
    return "";
  return instances[static_cast<std::size_t>(row)];
}

std::string TChecker::Describe(const std::vector<std::string>& sets) const {
  std::string out;
  for (const std::string& line : sets) {
    out += "\n    SET " + StatusOf(line) + ":";
    for (const auto& [oid, value] : VarbindsOf(line)) out += " " + oid + "=" + value;
  }
  return out.empty() ? "\n    no SET" : out;
}

void TChecker::NoEmptySet(const std::vector<std::string>& sets, const std::string& what) const {
  for (const std::string& line : sets)
    EXPECT_FALSE(VarbindsOf(line).empty())
        << what << ": a SET of no variable went out (the switch answered " << StatusOf(line) << ")";
}

bool TChecker::Restore(TOpen& open) {
  TButton* refresh = ButtonOf(open.Form, "Refresh");
  if (!refresh || !refresh->Enabled()) return false;
  TestKit::Click(refresh);
  EXPECT_TRUE(WaitQuiet(open)) << "the form is still busy after Refresh";
  return true;
}

std::set<TControl*> TChecker::Moving(const TOpen& open, bool boxes) const {
  std::set<TControl*> moving = moving_controls_;
  for (std::size_t r = 0; r < open.Requests.size() && r < model_.Requests.size(); ++r)
    for (const auto& b : open.Requests[r]->Bindings) {
      const std::vector<TItem>& items = model_.Requests[r].Items;
      if (b->ItemIndex < 0 || b->ItemIndex >= static_cast<int>(items.size())) continue;
      const TItem& item = items[static_cast<std::size_t>(b->ItemIndex)];
      if (!item.Writable && !item.Key && movingItems_.count(item.Oid))
        moving.insert(b->Controls.begin(), b->Controls.end());
    }
  if (!boxes) return moving;
  std::set<TControl*> bound;
  for (VnSNMPRequest2Edits* r : open.Requests)
    for (const auto& b : r->Bindings) bound.insert(b->Controls.begin(), b->Controls.end());
  std::function<void(TControl*)> ticks = [&](TControl* c) {
    if (dynamic_cast<TCheckBox*>(c) && !bound.count(c)) moving.insert(c);
    if (auto* parent = dynamic_cast<TWinControl*>(c))
      for (int i = 0; i < parent->ControlCount(); ++i) ticks(parent->Controls(i));
  };
  ticks(open.Form);
  return moving;
}

std::vector<std::string> TChecker::Unselected(const TOpen& open) const {
  // The count of the rows beside the list is judged by CheckCount.
  std::vector<std::string> lines = Look(open, false);
  for (std::string& line : lines)
    for (TControl* count : counts_)
      if (const std::string start = FieldPath(count) + " "; line.rfind(start, 0) == 0)
        line = start + "(the row count)";
  std::sort(lines.begin(), lines.end());
  return lines;
}

void TChecker::FindCounts(const TOpen& open) {
  counts_.clear();
  if (!open.List) return;
  std::function<void(TWinControl*)> find = [&](TWinControl* w) {
    for (int i = 0; i < w->ControlCount(); ++i) {
      TControl* c = w->Controls(i);
      const std::string text = c->Text().str();
      if (dynamic_cast<TStaticText*>(c) && c->Showing() && !text.empty() &&
          std::all_of(text.begin(), text.end(), [](char d) { return d >= '0' && d <= '9'; }))
        counts_.push_back(c);
      if (auto* inner = dynamic_cast<TWinControl*>(c)) find(inner);
    }
  };
  find(open.Form);
}

void TChecker::CheckCount(const TOpen& open, const std::string& what) {
  if (!open.List) return;
  const std::string rows = std::to_string(open.List->Items()->Count());
  for (TControl* count : counts_) {
    EXPECT_EQ(count->Text().str(), rows)
        << what << ": the row count " << FieldPath(count) << " is not the count of the rows shown";
  }
}

void TChecker::CheckAgreement(TOpen& open, const std::string& what) {
  if (!open.List) return;
  CheckCount(open, what);
  CheckRowButtons(open, what);
  const int selected = open.List->ItemIndex();
  if (selected < 0) {
    const std::vector<std::string> now = Unselected(open);
    EXPECT_TRUE(now == unselected_)
        << what << ", no row selected: the fields are not those of the form with no row selected:"
        << Differences(now, "now", unselected_, "as opened, no row selected");
    return;
  }
  const std::vector<std::string> now = Look(open, false);
  boxes_.Take();
  TestKit::ClickRow(open.List, selected);
  TestKit::Pump();
  boxes_.Take();
  const std::vector<std::string> clicked = Look(open, false);
  EXPECT_TRUE(now == clicked) << what << ", row " << selected + 1
                              << " selected: the fields and buttons are not those of the row:"
                              << Differences(now, "as left", clicked, "a click on the row");
}

std::vector<std::string> TChecker::WindowLook(const TOpen& open, TWinControl* window) const {
  return FieldsOf(window, Moving(open, false), {}, Displays(open));
}

std::set<TControl*> TChecker::Displays(const TOpen& open) const {
  std::set<TControl*> out;
  for (std::size_t r = 0; r < open.Requests.size() && r < model_.Requests.size(); ++r)
    for (const auto& b : open.Requests[r]->Bindings) {
      const std::vector<TItem>& items = model_.Requests[r].Items;
      if (b->ItemIndex < 0 || b->ItemIndex >= static_cast<int>(items.size())) continue;
      const TItem& item = items[static_cast<std::size_t>(b->ItemIndex)];
      if (!item.Writable && !item.Key) out.insert(b->Controls.begin(), b->Controls.end());
    }
  return out;
}

std::vector<std::string> TChecker::Look(const TOpen& open, bool boxes,
                                        const std::set<TControl*>& skipped) const {
  return FieldsOf(open.Form, Moving(open, boxes), skipped, Displays(open));
}

std::set<TControl*> TChecker::Excepted(const TOpen& open) const {
  std::set<TControl*> out;
  for (std::size_t r = 0; r < open.Requests.size() && r < model_.Requests.size(); ++r)
    for (const auto& b : open.Requests[r]->Bindings) {
      const std::vector<TItem>& items = model_.Requests[r].Items;
      if (b->ItemIndex < 0 || b->ItemIndex >= static_cast<int>(items.size())) continue;
      const std::string& oid = items[static_cast<std::size_t>(b->ItemIndex)].Oid;
      for (const TException& e : kExceptions)
        if (entry_.Name == e.Entry && InstanceOrSame(oid, e.Oid))
          out.insert(b->Controls.begin(), b->Controls.end());
    }
  return out;
}

std::vector<std::vector<std::string>> TChecker::CellRows(const TOpen& open) const {
  std::vector<std::vector<std::string>> rows;
  if (!open.List) return rows;
  // The cells of the columns of variables that do not move by themselves
  // (named as the variables' labels).
  std::set<std::string> still;
  for (const TRequestModel& r : model_.Requests)
    for (const TItem& item : r.Items)
      if (item.Writable || item.Key) still.insert(item.Label);
  TListView* list = open.List;
  for (int i = 0; i < list->Items()->Count(); ++i) {
    std::vector<std::string> row;
    for (int c = 0; c < list->Columns()->Count(); ++c) {
      const std::string caption = list->Columns()->Items(c)->Caption().str();
      if (still.count(caption)) row.push_back(caption + ": \"" + CellOf(list, i, c) + "\"");
    }
    rows.push_back(row);
  }
  return rows;
}

std::vector<std::string> TChecker::RowsOf(const TOpen& open) const {
  std::vector<std::string> rows;
  for (const std::vector<std::string>& cells : CellRows(open)) {
    std::string text = "row " + std::to_string(rows.size() + 1) + ":";
    for (const std::string& cell : cells) text += " " + cell;
    rows.push_back(text);
  }
  return rows;
}

// ---- choosing rows and pressing ---------------------------------------------------------

void TChecker::ChooseByKeys(TListView* list, int row) {
  boxes_.Take();
  // From no row selected (what a click fills is not there yet): Home, then
  // Down to the row.
  list->SetSelected(nullptr);
  TestKit::Pump();
  TestKit::PressKeyInList(list, VK_HOME);
  for (int i = 0; i < row; ++i) TestKit::PressKeyInList(list, VK_DOWN);
  TestKit::Pump();
  const std::string boxes = boxes_.Take();
  EXPECT_TRUE(boxes.empty()) << "row " << row + 1 << " chosen with the keys: boxes " << boxes;
}

void TChecker::ChooseByClick(TListView* list, int row) {
  boxes_.Take();
  const int count = list->Items()->Count();
  if (count > 1) TestKit::ClickRow(list, row == 0 ? 1 : row - 1);
  TestKit::ClickRow(list, row);
  TestKit::Pump();
  const std::string boxes = boxes_.Take();
  EXPECT_TRUE(boxes.empty()) << "row " << row + 1 << " chosen with a click: boxes " << boxes;
}

bool TChecker::Press(TOpen& open, TAction action, const TPress& press, const std::string& what,
                     bool optional, bool wait) {
  std::string why;
  const TWrite& write = action == TAction::Write ? entry_.Write : entry_.Delete;
  SetProgressStep(what, ProgressFailing());
  const bool pressed = write && write(open, press, why);
  TestKit::ClearModalScripts();
  EXPECT_TRUE(pressed || optional)
      << what << ": " << (action == TAction::Write ? "the write" : "Delete")
      << " cannot be pressed: " << why;
  if (wait) {
    EXPECT_TRUE(WaitQuiet(open)) << what << ": the form is still busy after the write";
  }
  return pressed;
}

void TChecker::PassThrough(TOpen& open, const std::string& what) {
  for (const TField& f : FieldsToChange(open, model_, TFieldSet::Every)) {
    auto* edit = dynamic_cast<TEdit*>(f.Control);
    if (!edit || !edit->Showing() || !edit->Enabled() || edit->ReadOnly()) continue;
    const std::string shown = edit->Text().str();
    TestKit::FocusTo(edit);
    TestKit::PressTab();
    TestKit::Pump();
    EXPECT_EQ(edit->Text().str(), shown)
        << what << ": passing through " << NameOf(edit) << " with the keys changed its text";
  }
}

// ---- one entry ------------------------------------------------------------------------

// How many options of the form's choices are written and refused, at most.
constexpr std::size_t kRefusedOptions = 12;

void TChecker::CheckForm(TOpen& open, std::size_t seed) {
  if (OddSeedOf(seed)) return CheckOddAgent(open, seed);
  const std::string opening = boxes_.Take();
  EXPECT_TRUE(opening.empty()) << "boxes on opening: " << opening;
  if (!WaitQuiet(open)) ADD_FAILURE() << "the form did not become idle after opening";
  moving_controls_.clear();
  moving_controls_ = Moving(open, false);
  std::vector<std::string> shown = Look(open, false);
  const std::vector<std::string> rows = RowsOf(open);
  shown.insert(shown.end(), rows.begin(), rows.end());
  shown_[seed] = shown;
  const bool full = seed == 0;
  FindCounts(open);
  CheckCount(open, "the form as opened");
  if (full) RecordForOddAgents(open);
  if (open.List && full) {
    if (open.List->Selected()) TestKit::ClickEmpty(open.List);
    unselected_ = Unselected(open);
    CheckRowButtons(open, "the form as opened");
  }
  dialogLooks_.clear();
  CheckDialogs(open, 1);
  if (full && !entry_.Write) CheckNoFieldWrite(open);
  if (full) CheckFormats(open);
  CheckShownAfterRead(open, seed);
  if (open.List)
    CheckRows(open, full);
  else
    CheckScalars(open, full);
  if (full) {
    CheckEveryField(open, true);
    CheckRefusedEntries(open);
  }
  CheckAfterFailure(open, TFailure::Refused);
  if (full) {
    // A refused write of each option of the form's choices: the branches a
    // choice leads down (a progress box, a second write) fail too.
    const std::vector<TField> options = FieldsToChange(open, model_, TFieldSet::Options);
    for (std::size_t k = 0; k < options.size() && k < kRefusedOptions; ++k)
      CheckAfterFailure(open, TFailure::Refused, &options[k]);
    CheckAfterFailure(open, TFailure::TimedOut);
    CheckAfterFailure(open, TFailure::SendFails);
    CheckAfterFailure(open, TFailure::Stopped);
    CheckAfterFailure(open, TFailure::RefusedThenReadFails);
    CheckReads(open);
    CheckAdd(open);
  }
  CheckDialogs(open, full ? 2 : 1);
  if (open.List) CheckNoSelection(open);
  CheckLastRowDelete(open);
}

void TChecker::Run() {
  Control("reset");
  for (const std::string& line : entry_.Rows) Control(line);
  entry_.Open([&](TOpen& open) {
    ASSERT_TRUE(WaitQuiet(open)) << "the form did not become idle after opening";
    model_ = ModelOf(open.Requests, open.RowRequest);
    moving_controls_.clear();
    held_ = Image();
    // What moves by itself: what two readings of the switch tell apart.
    const TImage first = ParseDump(Control("dump 1.3"));
    const TImage second = ParseDump(Control("dump 1.3"));
    for (const auto& [oid, value] : first.Values)
      if (const std::string* again = second.Find(oid); !again || *again != value)
        moving_.insert(oid);
    moving_.insert(kFrontPanelLeds);
    for (const TRequestModel& r : model_.Requests)
      for (const TItem& item : r.Items) {
        if (item.Oid.empty()) movingItems_.insert(item.Oid);
        for (const auto& [oid, value] : first.Values)
          if (!InstanceUnder(oid, item.Oid).empty() && (moving_.count(oid) || MovesByItself(value)))
            movingItems_.insert(item.Oid);
      }
    const std::string opening = boxes_.Take();
    EXPECT_TRUE(opening.empty()) << "boxes on opening: " << opening;
    if (!entry_.CannotDrive.empty()) CheckNoWrite(open);
    if (!entry_.Actions.empty()) CheckActions(open);
    std::set<std::string> fields;
    for (const TField& f : FieldsToChange(open, model_)) fields.insert(FieldItem(model_, f).Oid);
    odd_ = OddSeeds(model_, held_, fields);
  });
  if (!entry_.CannotDrive.empty() || !entry_.Actions.empty()) return;
  seeds_.assign(std::begin(kSeeds), std::end(kSeeds));
  for (const auto& [name, lines] : entry_.Branches) seeds_.push_back(name);
  for (const TOddSeed& odd : odd_) seeds_.push_back(odd.Name);
  shown_.assign(seeds_.size(), {});
  for (std::size_t seed = 0; seed < seeds_.size(); ++seed) {
    SCOPED_TRACE("seed " + seeds_[seed]);
    Seed(seeds_[seed]);
    entry_.Open([&](TOpen& open) { CheckForm(open, seed); });
  }
}

void CheckEntry(const TEntry& entry, simtest::Simulator& sim) {
  TChecker checker(entry, sim);
  checker.Run();
}

}  // namespace formcheck
