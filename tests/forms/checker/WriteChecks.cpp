// The rows, the untouched write, every field changed alone, and Delete.
#include <gtest/gtest.h>

#include <algorithm>

#include "Checker.h"
#include "FormView.h"
#include "library/VnEditConstraint.h"
#include "library/VnErrors.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/GUIGenerator.h"
#include "platform/Buttons.h"
#include "platform/ComCtrls.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "platform/TestKit.h"
#include "snmp/Snmp.h"

namespace formcheck {

namespace {

std::string Boxes(const std::string& boxes) { return boxes.empty() ? "" : "\n    boxes: " + boxes; }

}  // namespace

void TChecker::CheckRowButtons(const TOpen& open, const std::string& what) {
  if (!open.List) return;
  const bool selected = open.List->Selected() != nullptr;
  for (TButton* button : RowButtons(open.Form)) {
    const std::string caption = button->Caption().str();
    if (std::count(entry_.FormButtons.begin(), entry_.FormButtons.end(), caption)) continue;
    // A selected row may keep a button off (a row the form keeps); none is
    // on without one.
    if (!selected) {
      EXPECT_FALSE(button->Enabled())
          << what << ": \"" << caption << "\" is enabled with no row selected";
    }
  }
}

bool TChecker::NothingShownToWrite(const TOpen& open) const {
  bool any = false;
  for (std::size_t r = 0; r < open.Requests.size(); ++r) {
    for (const auto& b : open.Requests[r]->Bindings) {
      const std::vector<TItem>& items = model_.Requests[r].Items;
      if (b->ItemIndex < 0 || b->ItemIndex >= static_cast<int>(items.size())) continue;
      const TItem& item = items[static_cast<std::size_t>(b->ItemIndex)];
      if (!item.Writable || item.Key || item.RowStatus || b->Controls.empty()) continue;
      auto* combo = dynamic_cast<TComboBox*>(b->Controls.front());
      if (!combo || combo->ItemIndex() >= 0 || open.Requests[r]->ItemChanged(b->ItemIndex))
        return false;
      any = true;
    }
  }
  return any;
}

void TChecker::Untouched(TOpen& open, const std::string& what, const std::string& instance) {
  const TImage before = Image();
  const TImage whole = WholeSwitch();
  const std::size_t mark = LogSize();
  boxes_.Take();
  if (!Press(open, TAction::Write, TPress{}, what, instance == "-")) return;
  const std::string boxes = boxes_.Take();
  const TImage after = Image();
  const std::vector<std::string> sets = SetsSince(mark);
  NoEmptySet(sets, what);
  std::string faults = ChangedElsewhere(whole, WholeSwitch());
  for (const auto& [oid, was] : before.Values) {
    const std::string* now = after.Find(oid);
    const TItem* item = ItemOf(oid, nullptr, nullptr);
    if (!item || !item->Writable) continue;
    if (!now) {
      faults += "\n    " + oid + " (" + item->Label + ") is gone (held " + was + ")";
    } else if (*now != was && !Exempt(*item, was, *now, after)) {
      faults += "\n    " + oid + " (" + item->Label + "): before " + was + ", after " + *now;
    }
  }
  for (const auto& [oid, now] : after.Values) {
    const TItem* item = ItemOf(oid, nullptr, nullptr);
    if (item && item->Writable && !before.Find(oid))
      faults += "\n    " + oid + " (" + item->Label + ") is new: " + now;
  }
  std::string sent;
  std::set<std::string> rowInstances;
  for (const std::string& line : sets) {
    if (StatusOf(line) != "noError") sent += "\n    the switch answered " + StatusOf(line);
    for (const auto& [oid, value] : VarbindsOf(line)) {
      std::string inst;
      bool rows = false;
      const TItem* item = ItemOf(oid, &inst, &rows);
      const std::string* held = before.Find(oid);
      if (item && held && *held != value && !Exempt(*item, *held, value, after))
        sent += "\n    sent " + oid + " (" + item->Label + ") = " + value +
                " where the switch held " + *held;
      if (item && rows && !item->Key) rowInstances.insert(inst);
    }
  }
  // A write that every item is left out of sends nothing and says so, in
  // its status line or in a box.
  const std::string nothing = ErrorText(VNERR_NOTHING_TO_SET).str();
  const bool saidNothing =
      sets.empty() &&
      (LastStatus(open.Form).find(nothing) != std::string::npos || boxes == "\"" + nothing + "\"");
  if (instance != "-" && !NothingShownToWrite(open)) {
    EXPECT_TRUE(!sets.empty() || saidNothing) << what << ", nothing touched: the write sent nothing"
                                              << StatusLine(open.Form) << Boxes(boxes);
  }
  EXPECT_TRUE(faults.empty()) << what << ", nothing touched: the switch changed:" << faults
                              << Describe(sets) << Boxes(boxes);
  EXPECT_TRUE(sent.empty()) << what << ", nothing touched: the write sent other values:" << sent
                            << Boxes(boxes);
  // Against an agent that answers oddly, the read after the write may tell
  // in a box what it could not take.
  const bool readFailed = std::any_of(readFails_.begin(), readFails_.end(), [&](const auto& f) {
    return boxes.find(f) != std::string::npos;
  });
  EXPECT_TRUE(boxes.empty() || saidNothing || readFailed)
      << what << ", nothing touched: the write brought the boxes " << boxes;
  if (instance == "-") {
    EXPECT_TRUE(rowInstances.empty())
        << what << ": no row is selected, yet the write went to rows" << Describe(sets);
  } else if (!instance.empty()) {
    for (const std::string& inst : rowInstances) {
      EXPECT_EQ(inst, instance) << what << ": the write went to another row than the one drawn "
                                << "selected" << Describe(sets);
    }
  }
}

void TChecker::OneField(TOpen& open, const TField& f, const std::string& what,
                        const std::string& instance, bool partial) {
  const TItem& item = FieldItem(model_, f);
  const TImage before = Image();
  const TImage whole = WholeSwitch();
  const std::size_t mark = LogSize();
  boxes_.Take();
  std::string done;
  TPress press;
  press.Partial = partial;
  press.Change = [&] {
    done = Change(entry_, open, f, item);
    if (!done.empty()) TickOwnBox(open, f.Control);
  };
  if (!Press(open, TAction::Write, press, what, partial)) {
    // Nothing to write where nothing could be changed; a change the user
    // cannot write is a fault.
    EXPECT_TRUE(done.empty()) << what << ", " << done << " (" << item.Label
                              << "): the write cannot be pressed";
    // What was changed and not written goes.
    Restore(open);
    return;
  }
  const std::string boxes = boxes_.Take();
  // A list shows the row's values again when the row is chosen; a form
  // without one reads them again.
  if (done.empty()) {
    if (!open.List) Restore(open);
    return;  // nothing could be changed there: that was an untouched write
  }
  const TImage after = Image();
  const std::vector<std::string> sets = SetsSince(mark);
  // The variable of the field: of the row when the row's instance is known,
  // else the one instance of the column that changed.
  std::string target = item.Oid + "." + (instance.empty() ? "0" : instance);
  if (instance.empty() && open.List) {
    for (const auto& [oid, was] : before.Values) {
      const std::string* now = after.Find(oid);
      if (!InstanceUnder(oid, item.Oid).empty() && (!now || *now != was)) {
        target = oid;
        break;
      }
    }
  }
  const std::string step = what + ", " + done + " (" + item.Label + ", " + target + ")";
  NoEmptySet(sets, step);
  // A page writes the rows ticked: with the field's row alone ticked, the
  // SET carries that variable alone.
  if (partial && entry_.Page) {
    std::string unticked;
    for (const std::string& line : sets)
      for (const auto& [oid, value] : VarbindsOf(line))
        if (oid != target) unticked += " " + oid + "=" + value;
    EXPECT_TRUE(unticked.empty()) << step
                                  << ": the write sent rows that were not ticked:" << unticked;
  }
  std::string others = ChangedElsewhere(whole, WholeSwitch());
  bool changed = false;
  for (const auto& [oid, was] : before.Values) {
    const std::string* now = after.Find(oid);
    const TItem* other = ItemOf(oid, nullptr, nullptr);
    if (!other || !other->Writable) continue;
    const std::string value = now ? *now : "(gone)";
    if (value == was) continue;
    if (oid == target) {
      changed = true;
      const std::string a = OctetsOf(was), b = OctetsOf(value);
      if (f.Element >= 0 || f.PartOffset >= 0) {
        // Only the bits of the port, or the bytes of the part, may differ.
        const std::size_t first = f.Element >= 0 ? static_cast<std::size_t>(f.Element / 8)
                                                 : static_cast<std::size_t>(f.PartOffset);
        const std::size_t width =
            f.Element >= 0 ? 1
                           : (f.PartSyntax >= SNMP_SYNTAX_BOOL16 ? std::size_t{2} : std::size_t{1});
        // A list too short for the port grows, no further than a unit's
        // four octets, with no other port in the new octets.
        const bool grows = f.Element >= 0 && a.size() <= first && b.size() > a.size() &&
                           b.size() <= std::max<std::size_t>(4, first + 1);
        std::string outside;
        for (std::size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
          if (i >= first && i < first + width) continue;
          if (grows && i >= a.size() && i < b.size() && b[i] == '\0') continue;
          if (i >= a.size() || i >= b.size() || a[i] != b[i]) outside += " " + std::to_string(i);
        }
        if (a.size() != b.size() && !grows)
          outside +=
              " (length " + std::to_string(a.size()) + " to " + std::to_string(b.size()) + ")";
        EXPECT_TRUE(outside.empty()) << step << ": octets beyond the field changed:" << outside
                                     << "\n    before " << was << ", after " << value;
      }
      continue;
    }
    if (!Exempt(*other, was, value, after))
      others += "\n    " + oid + " (" + other->Label + "): before " + was + ", after " + value;
  }
  // What the switch did not hold (the agent gave no value): the field's own
  // comes to be where the user typed one; any other is no part of the change.
  for (const auto& [oid, now] : after.Values) {
    const TItem* other = before.Find(oid) ? nullptr : ItemOf(oid, nullptr, nullptr);
    if (!other || !other->Writable) continue;
    if (oid == target)
      changed = true;
    else
      others += "\n    " + oid + " (" + other->Label + ") is new: " + now;
  }
  // An action column takes the value written and reads back its idle value:
  // the SET the switch took carries the change.
  const std::string* held = before.Find(target);
  bool action = false;
  for (const std::string& line : sets)
    for (const auto& [oid, value] : VarbindsOf(line))
      if (oid == target && StatusOf(line) == "noError" && held && *held != value && !changed)
        changed = action = true;
  // What an action does to the other variables is its purpose.
  if (action) others.clear();
  const bool written = changed && !action;
  bool refuses = false;
  if (held && !changed && Exempt(item, *held, *held, before, &refuses)) {
    changed = true;  // left out, or refused, on purpose
    // The user is told: a box, or the refusal as the last status line.
    const std::string said = LastStatus(open.Form);
    if (refuses) {
      EXPECT_TRUE(!boxes.empty() || (!said.empty() && said.find("Ok!") == std::string::npos))
          << step << ": the form refused the change without a word" << Describe(sets)
          << StatusLine(open.Form);
    }
  }
  const std::string status = StatusLine(open.Form);
  if (!open.List) {
    // After a write the switch took, the form shows what the switch holds:
    // what a read of it shows (but where the form shows a value of its own
    // on purpose).
    const std::set<TControl*> excepted = Excepted(open);
    const std::vector<std::string> shown = Look(open, true, excepted);
    if (Restore(open) && written && boxes.empty()) {
      const std::vector<std::string> read = Look(open, true, excepted);
      EXPECT_TRUE(shown == read)
          << step << ": after the write the form shows other values than the switch holds:"
          << Differences(shown, "after the write", read, "read again");
    }
  }
  EXPECT_TRUE(changed) << step << ": the field did not change on the switch" << Describe(sets)
                       << status << Boxes(boxes);
  EXPECT_TRUE(others.empty()) << step << ": the write changed other variables too:" << others
                              << Describe(sets);
}

bool TChecker::DeleteRow(TOpen& open, const std::string& what, const std::string& instance,
                         bool mayBeOff) {
  const TImage before = Image();
  const TImage whole = WholeSwitch();
  const std::size_t mark = LogSize();
  boxes_.Take();
  if (!Press(open, TAction::Delete, TPress{}, what, instance == "-" || mayBeOff)) return false;
  const std::string boxes = boxes_.Take();
  const TImage after = Image();
  const std::vector<std::string> sets = SetsSince(mark);
  std::set<std::string> gone;
  NoEmptySet(sets, what);
  std::string others = ChangedElsewhere(whole, WholeSwitch());
  for (const auto& [oid, was] : before.Values) {
    std::string inst;
    bool rows = false;
    const TItem* item = ItemOf(oid, &inst, &rows);
    if (!item) continue;
    const std::string* now = after.Find(oid);
    if (!now && rows) {
      gone.insert(inst);
      continue;
    }
    if (item->Writable && (!now || *now != was) && (instance.empty() || inst != instance))
      others += "\n    " + oid + " (" + item->Label + "): before " + was + ", after " +
                (now ? *now : "(gone)");
  }
  // A table whose rows are removed by a value of a column: the SET the
  // switch took names the row.
  for (const std::string& line : sets) {
    if (StatusOf(line) != "noError") continue;
    for (const auto& [oid, value] : VarbindsOf(line)) {
      std::string inst;
      bool rows = false;
      if (ItemOf(oid, &inst, &rows) && rows) gone.insert(inst);
    }
  }
  if (instance == "-") {
    EXPECT_TRUE(gone.empty() && others.empty())
        << what << ": no row is selected, yet Delete changed the switch:" << others
        << Describe(sets) << Boxes(boxes);
    return true;
  }
  EXPECT_FALSE(gone.empty()) << what << ": Delete removed no row and wrote none" << Describe(sets)
                             << StatusLine(open.Form) << Boxes(boxes);
  for (const std::string& inst : gone) {
    if (!instance.empty()) {
      EXPECT_EQ(inst, instance) << what << ": Delete went to another row than the one drawn "
                                << "selected" << Describe(sets);
    }
  }
  EXPECT_TRUE(others.empty()) << what << ": Delete changed other variables too:" << others
                              << Describe(sets);
  return true;
}

void TChecker::CheckRows(TOpen& open, bool full, bool writes) {
  TListView* list = open.List;
  const int count = list->Items()->Count();
  EXPECT_GT(count, 0) << "the list shows no row";
  const std::vector<TField> fields = FieldsToChange(open, model_);
  // Every row of a short list; of a long one the first two and the last
  // (the keys reach them from the top, through the rows between).
  std::vector<int> rows;
  for (int row = 0; row < count; ++row)
    if (count <= 4 || row < 2 || row == count - 1) rows.push_back(row);
  for (int row : rows) {
    if (row >= list->Items()->Count()) break;
    const std::string instance = InstanceOfRow(open, row);
    const std::string name = "row " + std::to_string(row + 1) + RowText(list, row) +
                             (instance.empty() ? "" : " (instance ." + instance + ")");
    ChooseByKeys(list, row);
    if (list->ItemIndex() != row) {
      ADD_FAILURE() << name << ": the keys did not choose the row (selected: " << list->ItemIndex()
                    << ")";
      continue;
    }
    const std::vector<std::string> byKeys = FieldsOf(open.Form);
    ChooseByClick(list, row);
    const std::vector<std::string> byClick = FieldsOf(open.Form);
    EXPECT_TRUE(byKeys == byClick)
        << name << " chosen with the keys shows other fields than a "
        << "click on it:" << Differences(byKeys, "by keys", byClick, "by a click");
    if (!writes || !entry_.Write) continue;
    ChooseByKeys(list, row);
    Untouched(open, name + " chosen with the keys", instance);
    if (row >= list->Items()->Count()) break;
    ChooseByClick(list, row);
    if (full) PassThrough(open, name);
    Untouched(open, name + " chosen with a click", instance);
    if (!fields.empty() && row < list->Items()->Count()) {
      ChooseByClick(list, row);
      OneField(open, fields[static_cast<std::size_t>(row) % fields.size()], name, instance, false);
    }
  }
}

void TChecker::CheckScalars(TOpen& open, bool full) {
  if (!entry_.Write) return;
  if (full) PassThrough(open, "the form");
  Untouched(open, "the form", "");
  if (!full)
    for (const TField& f : FieldsToChange(open, model_)) OneField(open, f, "the form", "", false);
}

void TChecker::CheckEveryField(TOpen& open, bool options) {
  if (!entry_.Write) return;
  std::vector<TField> fields = FieldsToChange(open, model_, TFieldSet::Every);
  if (options) {
    const std::vector<TField> more = FieldsToChange(open, model_, TFieldSet::Options);
    fields.insert(fields.end(), more.begin(), more.end());
  }
  // On a list the fields go to the rows in turn.
  for (std::size_t k = 0; k < fields.size(); ++k) {
    std::string name = "the form", instance;
    if (open.List) {
      const int count = open.List->Items()->Count();
      if (count == 0) return;
      const int row = static_cast<int>(k % static_cast<std::size_t>(count));
      instance = InstanceOfRow(open, row);
      name = "row " + std::to_string(row + 1) + RowText(open.List, row) +
             (instance.empty() ? "" : " (instance ." + instance + ")");
      ChooseByClick(open.List, row);
    }
    OneField(open, fields[k], name, instance, true);
  }
}

void TChecker::CheckRefusedEntries(TOpen& open) {
  if (!entry_.Write) return;
  auto choose = [&] {
    if (open.List && open.List->Items()->Count() > 0) ChooseByClick(open.List, 0);
  };
  for (const TField& f : FieldsToChange(open, model_)) {
    choose();
    auto* edit = dynamic_cast<TEdit*>(f.Control);
    VnSNMPRequest2Edits* request = open.Requests[f.Request];
    const _EditConstraint_s* rule =
        edit && request->EditConstraint ? request->EditConstraint->Find(edit) : nullptr;
    if (!rule || (rule->Type != 'i' && rule->Type != 'u') || !edit->Showing() || !edit->Enabled() ||
        edit->ReadOnly())
      continue;
    const long long top = rule->Type == 'u' ? 4294967295LL : 2147483647LL;
    if (static_cast<long long>(rule->Maximum) >= top) continue;
    const TItem& item = FieldItem(model_, f);
    const std::string what = "the entry refused by " + NameOf(edit) + " (" + item.Label + ")";
    const std::string held = edit->Text().str();
    const std::string passing = OtherText(entry_, open, f, item, edit);
    const std::string refused = std::to_string(static_cast<long long>(rule->Maximum) + 1);
    auto type = [&](const std::string& text) {
      TypeInto(edit, text);
      return boxes_.Take();
    };
    boxes_.Take();
    EXPECT_EQ(type(passing), "") << what << ": " << passing << " passes";
    EXPECT_NE(type(refused), "") << what << ": " << refused << " brings the rule's box";
    EXPECT_EQ(edit->Text().str(), passing)
        << what << ": the edit goes back to the entry that passed";
    if (ButtonOf(open.Form, "Refresh")) {
      Restore(open);
      choose();
      EXPECT_EQ(edit->Text().str(), held) << what << ": Refresh shows what the switch holds";
      EXPECT_NE(type(refused), "") << what << ": " << refused << " brings the rule's box";
      EXPECT_EQ(edit->Text().str(), held) << what << ": the edit goes back to the switch's value";
      Untouched(open, what, InstanceOfRow(open, open.List ? 0 : -1));
    }
    Restore(open);
  }
}

void TChecker::CheckNoSelection(TOpen& open) {
  if (!open.List || (!entry_.Write && !entry_.Delete)) return;
  if (open.List->Items()->Count() > 0) ChooseByClick(open.List, 0);
  TestKit::ClickEmpty(open.List);
  TestKit::Pump();
  const std::string what = "a click beside the rows";
  if (open.List->Selected()) return;  // the rows fill the list: no click falls beside them
  CheckAgreement(open, what);
  if (entry_.Write) Untouched(open, what + ", no row selected", "-");
  if (entry_.Delete && !open.List->Selected()) {
    TestKit::ClickEmpty(open.List);
    DeleteRow(open, what + ", no row selected", "-");
  }
  boxes_.Take();
}

void TChecker::CheckLastRowDelete(TOpen& open) {
  if (!entry_.Delete || !open.List || open.List->Items()->Count() == 0) return;
  const int row = open.List->Items()->Count() - 1;
  const std::string what = "the last row" + RowText(open.List, row);
  const std::string instance = InstanceOfRow(open, row);
  ChooseByKeys(open.List, row);
  // A row the form keeps from being deleted has Delete off, alike when it
  // is chosen with the keys and with a click.
  if (!DeleteRow(open, what + " chosen with the keys", instance, true)) {
    ChooseByClick(open.List, row);
    EXPECT_FALSE(DeleteRow(open, what + " chosen with a click", instance, true))
        << what << ": Delete is off when the row is chosen with the keys, on after a click";
  }
}

}  // namespace formcheck
