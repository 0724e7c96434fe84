// An entry against an agent that answers otherwise than the catalogue says
// (OddAgent.h): after the read no field and no cell of the list shows a
// marker of a missing value or a value of another row, the list shows the
// rows of the switch (each once, with its own values, the row count beside
// it), a read that could not take something ends with a failure naming it,
// and a write of the row it hit, untouched and with one field changed,
// sends exactly that change: the whole switch compared before and after.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "Checker.h"
#include "FormView.h"
#include "library/VnSNMPRequest2Edits.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "platform/TestKit.h"

namespace formcheck {

namespace {

const char* const kMarkers[] = {"(NULL)", "(NOTDONE)"};

std::string Markers(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines)
    for (const char* marker : kMarkers)
      if (line.find(marker) != std::string::npos) {
        out += "\n    " + line;
        break;
      }
  return out;
}

// Every cell of the list, named by its row and its column's caption.
std::vector<std::string> CellsOf(TListView* list) {
  std::vector<std::string> cells;
  for (int i = 0; list && i < list->Items()->Count(); ++i)
    for (int c = 0; c < list->Columns()->Count(); ++c)
      cells.push_back("row " + std::to_string(i + 1) + ", " +
                      list->Columns()->Items(c)->Caption().str() + ": \"" + CellOf(list, i, c) +
                      "\"");
  return cells;
}

}  // namespace

const TOddSeed* TChecker::OddSeedOf(std::size_t seed) const {
  for (const TOddSeed& odd : odd_)
    if (seed < seeds_.size() && odd.Name == seeds_[seed]) return &odd;
  return nullptr;
}

void TChecker::RecordForOddAgents(TOpen& open) {
  plainRows_ = CellRows(open);
  plainFields_.clear();
  const TOddSeed* hit = nullptr;
  for (const TOddSeed& odd : odd_)
    if (odd.Row >= 0 && model_.Requests[static_cast<std::size_t>(odd.Request)].Rows) hit = &odd;
  // Rows are chosen only where a click beside them leaves none chosen again,
  // as the form opened (rows that fill the list leave no room beside them).
  if (!open.List || !hit || open.List->Items()->Count() != static_cast<int>(hit->Rows.size()) ||
      !TestKit::RoomBesideRows(open.List))
    return;
  for (int row : {0, 1, hit->Row, hit->Row + 1})
    if (row < open.List->Items()->Count() && !plainFields_.count(row)) {
      ChooseByClick(open.List, row);
      plainFields_[row] = Look(open, false);
    }
  TestKit::ClickEmpty(open.List);
}

void TChecker::CheckOddRead(TOpen& open, const TOddSeed& odd, const std::string& what,
                            const std::string* boxes) {
  // Where the read could not take something it says so: in its last status
  // line, or in a box where the form shows its reads' failures so.
  const std::string said = LastStatus(open.Form);
  if (boxes && !odd.Fails.empty()) {
    const auto names = [&](const std::string& text) {
      return std::any_of(odd.Fails.begin(), odd.Fails.end(),
                         [&](const std::string& f) { return text.find(f) != std::string::npos; });
    };
    EXPECT_TRUE((names(said) && said.find("Ok!") == std::string::npos) || names(*boxes))
        << what << ": the read could not take what the switch holds, yet its last status line "
        << "is no failure naming \"" << odd.Fails.front() << "\"" << StatusLine(open.Form)
        << (boxes->empty() ? "" : "\n    boxes: " + *boxes);
  }
  std::vector<std::string> lines = FieldsOf(open.Form);
  const std::vector<std::string> cells = CellsOf(open.List);
  lines.insert(lines.end(), cells.begin(), cells.end());
  const std::string markers = Markers(lines);
  EXPECT_TRUE(markers.empty()) << what
                               << ": the form shows a value the switch never held:" << markers;
}

void TChecker::CheckOddAgent(TOpen& open, std::size_t seed) {
  const TOddSeed& odd = *OddSeedOf(seed);
  readFails_ = odd.Fails;
  struct Forget {
    std::vector<std::string>& fails;
    ~Forget() { fails.clear(); }
  } forget{readFails_};
  // A box that tells the read's failure is a word to the user.
  std::string opening = boxes_.Take();
  if (!WaitQuiet(open)) ADD_FAILURE() << "the form did not become idle after opening";
  opening += boxes_.Take();
  EXPECT_TRUE(opening.empty() || std::any_of(odd.Fails.begin(), odd.Fails.end(),
                                             [&](const std::string& f) {
                                               return opening.find(f) != std::string::npos;
                                             }))
      << "boxes on opening: " << opening;
  FindCounts(open);
  moving_controls_ = Moving(open, false);
  std::vector<std::string> shown = Look(open, false);
  const std::vector<std::string> lines = RowsOf(open);
  shown.insert(shown.end(), lines.begin(), lines.end());
  shown_[seed] = shown;
  CheckOddRead(open, odd, "the form as opened", &opening);
  // A Refresh after other values, and one on these: each shows what it read.
  if (ButtonOf(open.Form, "Refresh")) {
    CheckShownAfterRead(open, seed);
    boxes_.Take();
    Restore(open);
    const std::string refreshed = boxes_.Take();
    CheckOddRead(open, odd, "after a Refresh", &refreshed);
  }

  // The controls of what the seed hit, and of the row counts: they show
  // what the switch gave them.
  std::set<TControl*> hit, scalarsHit;
  for (std::size_t r = 0; r < open.Requests.size() && r < model_.Requests.size(); ++r)
    for (const auto& b : open.Requests[r]->Bindings) {
      const std::vector<TItem>& items = model_.Requests[r].Items;
      if (b->ItemIndex < 0 || b->ItemIndex >= static_cast<int>(items.size())) continue;
      const std::string& oid = items[static_cast<std::size_t>(b->ItemIndex)].Oid;
      if (!std::count(odd.Hit.begin(), odd.Hit.end(), oid)) continue;
      hit.insert(b->Controls.begin(), b->Controls.end());
      if (!model_.Requests[r].Table) scalarsHit.insert(b->Controls.begin(), b->Controls.end());
    }
  hit.insert(counts_.begin(), counts_.end());
  scalarsHit.insert(counts_.begin(), counts_.end());
  // On the row hit, the form's own fields (no variable binds them) may show
  // what it makes of the value hit: they are left out there too.
  std::set<TControl*> bound;
  for (const VnSNMPRequest2Edits* r : open.Requests)
    for (const auto& b : r->Bindings) bound.insert(b->Controls.begin(), b->Controls.end());
  std::set<TControl*> hitRow = hit;
  std::function<void(TWinControl*)> own = [&](TWinControl* w) {
    for (int i = 0; i < w->ControlCount(); ++i) {
      TControl* c = w->Controls(i);
      auto* inner = dynamic_cast<TWinControl*>(c);
      if (inner && inner->ControlCount() > 0)
        own(inner);
      else if (!bound.count(c) && !dynamic_cast<TButton*>(c))
        hitRow.insert(c);
    }
  };
  own(open.Form);

  // The list shows the switch's rows, each once with its own values, and a
  // row count beside it counts them.
  using TReach = TOddSeed::TReach;
  const int count = open.List ? open.List->Items()->Count() : 0;
  const int plain = static_cast<int>(plainRows_.size());
  const bool rows = open.List && odd.Row >= 0 &&
                    model_.Requests[static_cast<std::size_t>(odd.Request)].Rows &&
                    plainRows_.size() == odd.Rows.size();
  // Whether row i of the list may differ from the switch's in what was hit.
  auto differs = [&](int i) {
    return (odd.Reach == TReach::Cell && i == odd.Row) ||
           (odd.Reach == TReach::LaterRows && i >= odd.Row);
  };
  CheckCount(open, "the form as opened");
  if (rows) {
    if (odd.Reach == TReach::Prefix) {
      EXPECT_TRUE(count >= 1 && count <= plain)
          << "the walk ends where the answers stop increasing: the list shows " << count
          << " of the switch's " << plain << " rows";
    } else {
      EXPECT_EQ(count, plain) << "the list does not show the rows the switch holds";
    }
    const std::vector<std::vector<std::string>> now = CellRows(open);
    std::string wrong;
    for (int i = 0; i < std::min(count, plain) && i < static_cast<int>(now.size()); ++i) {
      std::vector<std::string> a = now[static_cast<std::size_t>(i)];
      std::vector<std::string> b = plainRows_[static_cast<std::size_t>(i)];
      if (differs(i))
        for (const std::string& label : odd.Labels) {
          auto of = [&](const std::string& cell) { return cell.rfind(label + ": \"", 0) == 0; };
          std::erase_if(a, of);
          std::erase_if(b, of);
        }
      if (a == b) continue;
      wrong += "\n    row " + std::to_string(i + 1) + ":";
      for (const std::string& cell : a) wrong += " " + cell;
      wrong += "\n      the switch's:";
      for (const std::string& cell : b) wrong += " " + cell;
    }
    EXPECT_TRUE(wrong.empty()) << "the list shows values on other rows than the switch holds them:"
                               << wrong;
  }

  // The rows chosen show their own fields (a read a row brings may say Ok),
  // and nothing the switch never held.
  std::vector<int> chosen;
  if (rows) {
    for (int i : odd.Reach == TReach::Prefix ? std::vector<int>{0, 1}
                                             : std::vector<int>{odd.Row, odd.Row + 1})
      if (i < count) chosen.push_back(i);
  }
  for (int i : chosen) {
    ChooseByClick(open.List, i);
    const std::string name = "row " + std::to_string(i + 1) + RowText(open.List, i);
    CheckOddRead(open, odd, name, nullptr);
    if (!plainFields_.count(i)) continue;
    const std::set<TControl*>& skipped = differs(i) ? hitRow : scalarsHit;
    const std::vector<std::string> now = Look(open, false, skipped);
    std::vector<std::string> was = plainFields_[i];
    // The same controls left out of what the plain seed showed.
    for (TControl* c : skipped) was = Without(was, c);
    EXPECT_TRUE(now == was) << name << " shows other fields than the switch holds there:"
                            << Differences(now, "now", was, "the switch's row as first read");
  }

  if (!entry_.Write) return;
  // The write of the row hit (of the first row where the walk ended early,
  // or no table was hit), untouched and with one field changed.
  int row = -1;
  std::string instance;
  if (open.List && count > 0) {
    row = rows && odd.Reach != TReach::Prefix && odd.Row < count ? odd.Row : 0;
    if (rows)
      instance = odd.Rows[static_cast<std::size_t>(row)];
    else
      instance = InstanceOfRow(open, row);
  }
  const std::string name = row < 0 ? std::string("the form")
                                   : "row " + std::to_string(row + 1) + RowText(open.List, row) +
                                         (instance.empty() ? "" : " (instance ." + instance + ")");
  if (row >= 0) ChooseByClick(open.List, row);
  Untouched(open, name + ", untouched", instance);
  // The field after the first one hit: the one a form most likely judges
  // with it.
  const std::vector<TField> fields = FieldsToChange(open, model_);
  auto wasHit = [&](const TField& f) {
    return std::count(odd.Hit.begin(), odd.Hit.end(), FieldItem(model_, f).Oid) != 0;
  };
  std::size_t first = 0;
  while (first < fields.size() && !wasHit(fields[first])) ++first;
  if (fields.empty()) return;
  std::size_t pick = first % fields.size();
  for (std::size_t n = 1; n <= fields.size(); ++n)
    if (!wasHit(fields[(first + n) % fields.size()])) {
      pick = (first + n) % fields.size();
      break;
    }
  // A cell the walk left empty that the switch holds: a value chosen there
  // may be the one it holds.
  if (wasHit(fields[pick]) && odd.Reach == TReach::LaterRows) return;
  if (row >= 0 && row < open.List->Items()->Count()) ChooseByClick(open.List, row);
  OneField(open, fields[pick], name, instance, false);
}

}  // namespace formcheck
