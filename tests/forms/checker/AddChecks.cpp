// Add, on every form that has it: with a row selected and nothing typed it
// creates nothing over that row; with a value typed into every field (the
// key at the top of its range) it sends those values byte for byte; and
// refused, it keeps them where the user typed them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "CheckedForms.h"
#include "Checker.h"
#include "FormView.h"
#include "library/VnEditConstraint.h"
#include "library/VnSNMPRequest2Edits.h"
#include "platform/Buttons.h"
#include "platform/ComCtrls.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "platform/TestKit.h"

namespace formcheck {

namespace {

// One field the checker filled in.
struct TTyped {
  const TItem* Item = nullptr;
  TControl* Control = nullptr;
  std::string Text;                                // typed, or the option chosen
  std::vector<int> Ticked;                         // the elements of a grid ticked
  std::vector<int> Unticked;                       // the elements of a grid the user sees unticked
  std::vector<std::pair<TCheckBox*, bool>> Boxes;  // the grid's boxes and their ticks
};

bool Inside(TControl* control, TWinControl* window) {
  for (TControl* c = control; c; c = c->Parent())
    if (c == window) return true;
  return false;
}

bool HasArcs(const std::string& instance, const std::string& arcs) {
  return ("." + instance + ".").find("." + arcs + ".") != std::string::npos;
}

}  // namespace

void TChecker::CheckAdd(TOpen& open) {
  if (!entry_.NoAdd.empty()) return;
  TButton* add = ButtonOf(open.Form, "Add");
  if (!add) return;
  const std::vector<std::string> rowsBefore = RowInstances(Image());
  bool dialog = false;

  // Presses Add; in a dialog `fill` fills it, its Set is pressed, `after`
  // judges it while it is up, and it is closed. On the form `fill` fills
  // the fields before Add.
  auto pressAdd = [&](const std::function<void(TWinControl*)>& fill,
                      const std::function<void(TWinControl*)>& after, bool probe) {
    bool opened = false;
    if (!probe && !dialog && fill) fill(open.Form);
    TestKit::OnNextModal(TestKit::ModalScript([&](TCustomForm* d) {
      opened = true;
      if (fill) fill(d);
      TButton* set = ButtonOf(d, "Set Checked");
      if (!set) set = ButtonOf(d, "Set");
      QueueProgressDialogs();
      if (set && set->Enabled()) TestKit::Click(set);
      WaitQuiet(open);
      if (after) after(d);
      TestKit::ClearModalScripts();
      CloseDialog(d);
    }));
    if (add->Showing() && add->Enabled()) TestKit::Click(add);
    TestKit::ClearModalScripts();
    EXPECT_TRUE(WaitQuiet(open)) << "Add: the form is still busy";
    if (probe) dialog = addDialog_ = opened;
    if (!opened && after) after(open.Form);
  };

  // With a row selected and nothing typed: nothing is created over the row.
  if (open.List && open.List->Items()->Count() > 0) {
    ChooseByClick(open.List, 0);
    const std::string what = "Add with row 1" + RowText(open.List, 0) + " selected, nothing typed";
    const TImage before = Image();
    const std::size_t mark = LogSize();
    boxes_.Take();
    pressAdd(nullptr, nullptr, true);
    boxes_.Take();
    const std::vector<std::string> sets = SetsSince(mark);
    std::string over;
    for (const std::string& line : sets)
      for (const auto& [oid, value] : VarbindsOf(line)) {
        std::string inst;
        bool rows = false;
        const TItem* item = ItemOf(oid, &inst, &rows);
        if (item && item->RowStatus && value == "INTEGER:4" &&
            std::count(rowsBefore.begin(), rowsBefore.end(), inst))
          over +=
              "\n    createAndGo for the row that is there: " + oid + " (" + StatusOf(line) + ")";
      }
    const TImage after = Image();
    for (const auto& [oid, was] : before.Values) {
      const TItem* item = ItemOf(oid, nullptr, nullptr);
      const std::string* now = after.Find(oid);
      if (item && item->Writable && now && *now != was)
        over += "\n    " + oid + " (" + item->Label + "): before " + was + ", after " + *now;
    }
    EXPECT_TRUE(over.empty()) << what << ": the row that is there was written:" << over
                              << Describe(sets);
  } else {
    // Nothing to select: the probe is the empty Add.
    boxes_.Take();
    pressAdd(nullptr, nullptr, true);
    boxes_.Take();
    Restore(open);
  }

  // Every field typed.
  std::vector<TTyped> typed;
  auto fill = [&](TWinControl* window) {
    typed.clear();
    if (window != open.Form) TickEveryRow(window);
    const std::vector<std::string> existing = RowInstances(Image());
    for (std::size_t r = 0; r < open.Requests.size() && r < model_.Requests.size(); ++r) {
      VnSNMPRequest2Edits* request = open.Requests[r];
      for (const auto& b : request->Bindings) {
        const std::vector<TItem>& items = model_.Requests[r].Items;
        if (b->ItemIndex < 0 || b->ItemIndex >= static_cast<int>(items.size())) continue;
        const TItem& item = items[static_cast<std::size_t>(b->ItemIndex)];
        if (!item.Writable && !item.Key) continue;
        if (b->HasElements) {
          // Two boxes of a grid: the second the user sees and the last.
          TTyped t{&item, b->Controls.front(), "", {}, {}, {}};
          std::vector<std::size_t> shown;
          for (std::size_t k = 0; k < b->Controls.size(); ++k)
            if (b->Controls[k]->Showing() && b->Controls[k]->Enabled() &&
                Inside(b->Controls[k], window))
              shown.push_back(k);
          if (shown.empty()) continue;
          for (std::size_t k : shown) {
            auto* box = dynamic_cast<TCheckBox*>(b->Controls[k]);
            const bool want = k == shown.back() || (shown.size() > 1 && k == shown[1]);
            if (box && box->Checked() != want) TestKit::Click(box);
            if (box) (box->Checked() ? t.Ticked : t.Unticked).push_back(b->Elements[k]);
            if (box) t.Boxes.emplace_back(box, box->Checked());
          }
          typed.push_back(t);
          continue;
        }
        TControl* c = b->Controls.empty() ? nullptr : b->Controls.front();
        if (!c || !c->Showing() || !c->Enabled() || !Inside(c, window)) continue;
        if (auto* combo = dynamic_cast<TComboBox*>(c)) {
          int index = std::min(1, combo->Items()->Count() - 1);
          // A row status creates the row; a choice whose values only look
          // like a row status's (none, icmp, ... protocolId) takes its option.
          if (item.RowStatus && combo->Items()->IndexOf("createAndGo") >= 0)
            index = combo->Items()->IndexOf("createAndGo");
          // A key chosen from a list: a row that is not there, where the
          // list offers one.
          for (int k = index; item.Key && k >= 0 && k < combo->Items()->Count(); ++k) {
            const std::vector<std::string> arcs = KeyArcs(item, combo->Items()->Strings(k).str());
            if (std::none_of(existing.begin(), existing.end(), [&](const std::string& i) {
                  return std::any_of(arcs.begin(), arcs.end(),
                                     [&](const std::string& a) { return HasArcs(i, a); });
                })) {
              index = k;
              break;
            }
          }
          // The option the entry names, where the form needs that one.
          for (const auto& [label, texts] : entry_.Texts)
            if (label == item.Label || label == combo->Name().str())
              index = combo->Items()->IndexOf(texts.first.c_str());
          if (index < 0) continue;
          if (combo->ItemIndex() != index) TestKit::PickItem(combo, index);
          TickOwnBox(open, c);
          typed.push_back({&item, c, combo->Items()->Strings(index).str(), {}, {}, {}});
        } else if (auto* edit = dynamic_cast<TEdit*>(c); edit && !edit->ReadOnly()) {
          TField f;
          f.Request = r;
          f.Item = b->ItemIndex;
          f.Control = c;
          edit->SetText("");
          std::string text = OtherText(entry_, open, f, item, edit);
          const _EditConstraint_s* rule =
              request->EditConstraint ? request->EditConstraint->Find(edit) : nullptr;
          const bool ranged =
              rule && (rule->Type == 'i' || rule->Type == 'u') && rule->Maximum < 4294967295.0;
          if (item.Key && (ranged || item.Shown == TShown::Number)) {
            // A row that is not there: the top of the key's range (or 77),
            // or the number below where that row is there.
            long long key = ranged ? static_cast<long long>(rule->Maximum) : 77;
            while (std::any_of(existing.begin(), existing.end(), [&](const std::string& i) {
              return HasArcs(i, std::to_string(key));
            }))
              --key;
            text = std::to_string(key);
          }
          TypeInto(edit, text);
          TickOwnBox(open, c);
          typed.push_back({&item, c, text, {}, {}, {}});
        }
      }
    }
    // An edit no variable binds that the entry names (a port the form makes
    // a variable of with its unit) takes the entry's text.
    for (const auto& [name, texts] : entry_.Texts) {
      auto* edit = dynamic_cast<TEdit*>(open.Form->FindComponent(name.c_str()));
      bool bound = false;
      for (VnSNMPRequest2Edits* request : open.Requests)
        for (const auto& b : request->Bindings)
          bound =
              bound || std::find(b->Controls.begin(), b->Controls.end(), edit) != b->Controls.end();
      if (edit && !bound && edit->Showing() && edit->Enabled() && !edit->ReadOnly() &&
          Inside(edit, window))
        TypeInto(edit, texts.first);
    }
  };

  // The values typed went out as typed.
  auto judge = [&](const std::string& what, const std::vector<std::string>& sets,
                   const std::string& boxes, const TImage& whole) {
    std::string faults = ChangedElsewhere(whole, WholeSwitch());
    std::vector<std::pair<std::string, std::string>> sent;
    for (const std::string& line : sets)
      if (StatusOf(line) == "noError")
        for (const auto& v : VarbindsOf(line)) sent.push_back(v);
    if (sent.empty()) {
      ADD_FAILURE() << what << ": Add sent nothing" << Describe(sets) << StatusLine(open.Form)
                    << (boxes.empty() ? "" : "\n    boxes: " + boxes);
      return;
    }
    std::string instance;
    for (const auto& [oid, value] : sent) {
      std::string inst;
      bool rows = false;
      if (const TItem* item = ItemOf(oid, &inst, &rows); item && rows) instance = inst;
    }
    for (const TTyped& t : typed) {
      if (t.Item->Oid.empty()) continue;
      if (t.Item->Key && t.Ticked.empty() && t.Unticked.empty()) {
        const std::vector<std::string> arcs = KeyArcs(*t.Item, t.Text);
        if (!instance.empty() && !arcs.empty() &&
            std::none_of(arcs.begin(), arcs.end(),
                         [&](const std::string& a) { return HasArcs(instance, a); }))
          faults += "\n    the row ." + instance + " does not carry the key " + t.Item->Label +
                    " typed \"" + t.Text + "\"";
        continue;
      }
      const std::string* value = nullptr;
      for (const auto& [oid, v] : sent)
        if (!InstanceUnder(oid, t.Item->Oid).empty()) value = &v;
      // A field the form leaves out by the choice of another (a mask of a
      // kind not chosen) is no fault: what goes out is judged.
      if (!value) continue;
      if (!t.Ticked.empty() || !t.Unticked.empty()) {
        const std::string octets = OctetsOf(*value);
        auto bit = [&](int e) {
          const std::size_t at = static_cast<std::size_t>(e / 8);
          return at < octets.size() && (static_cast<unsigned char>(octets[at]) & (0x80 >> (e % 8)));
        };
        for (int e : t.Ticked)
          if (!bit(e))
            faults += "\n    " + t.Item->Label + ": port " + std::to_string(e + 1) +
                      " ticked, not sent: " + *value;
        for (int e : t.Unticked)
          if (bit(e))
            faults += "\n    " + t.Item->Label + ": port " + std::to_string(e + 1) +
                      " not ticked, sent: " + *value;
        continue;
      }
      std::string why;
      if (!SentAsTyped(*t.Item, t.Text, *value, why))
        faults += "\n    " + t.Item->Label + ": " + why;
    }
    EXPECT_TRUE(faults.empty()) << what << ": the SET is not what was typed:" << faults
                                << Describe(sets);
  };

  if (open.List) TestKit::ClickEmpty(open.List);
  {
    const std::string what = "Add with every field typed";
    const TImage whole = WholeSwitch();
    const std::size_t mark = LogSize();
    boxes_.Take();
    pressAdd(fill, nullptr, false);
    judge(what, SetsSince(mark), boxes_.Take(), whole);
  }

  // Refused, timed out, not sent: what was typed stays, the failure is the
  // last line. The switch first goes back to the seed, without the row
  // just added.
  Seed(seed_);
  Restore(open);
  for (const TFailure failure : {TFailure::Refused, TFailure::TimedOut, TFailure::SendFails}) {
    if (open.List) TestKit::ClickEmpty(open.List);
    const std::string what = std::string("Add, ") + FailureWords(failure);
    const std::vector<std::string> rows = RowInstances(Image());
    const std::size_t mark = LogSize();
    boxes_.Take();
    std::shared_ptr<void> failing = FailNextWrite(open, failure);
    pressAdd(
        fill,
        [&](TWinControl* window) {
          if (window != open.Form) {
            EXPECT_EQ(static_cast<TCustomForm*>(window)->ModalResult(), mrNone)
                << what << ": the dialog closed: the user cannot correct what was typed";
          }
          for (const TTyped& t : typed) {
            if (dynamic_cast<TEdit*>(t.Control) || dynamic_cast<TComboBox*>(t.Control)) {
              EXPECT_EQ(t.Control->Text().str(), t.Text)
                  << what << ": " << NameOf(t.Control) << " (" << t.Item->Label
                  << ") lost what was typed";
            }
            for (const auto& [box, ticked] : t.Boxes) {
              EXPECT_EQ(box->Checked(), ticked)
                  << what << ": " << t.Item->Label << ", " << NameOf(box) << " lost its tick";
            }
          }
        },
        false);
    failing.reset();
    const std::vector<std::string> sets = SetsSince(mark);
    const std::string status = LastStatus(open.Form);
    const std::string boxes = boxes_.Take();
    if (!sets.empty() || failure == TFailure::SendFails) {
      EXPECT_TRUE(!status.empty() && status.find("Ok!") == std::string::npos)
          << what << ": the last status line is not the failure: \"" << status << "\""
          << Describe(sets) << (boxes.empty() ? "" : "\n    boxes: " + boxes);
    }
    EXPECT_EQ(RowInstances(Image()), rows) << what << ": the rows changed" << Describe(sets);
    CheckCount(open, what);
    CheckRowButtons(open, what);
    boxes_.Take();
  }
  Restore(open);
}

}  // namespace formcheck
