// What the form shows after a Refresh once the switch changed behind it;
// entries that cannot be driven offer no write; action forms send the SET
// of their action.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>

#include "CheckedForms.h"
#include "Checker.h"
#include "FormView.h"
#include "library/VnEditConstraint.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/GUIGenerator.h"
#include "platform/Buttons.h"
#include "platform/ComCtrls.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "platform/TestKit.h"

namespace formcheck {

namespace {

TControl* Named(TWinControl* window, const std::string& name) {
  if (!window) return nullptr;
  for (int i = 0; i < window->ControlCount(); ++i) {
    TControl* c = window->Controls(i);
    if (c->Name().str() == name) return c;
    if (auto* inner = dynamic_cast<TWinControl*>(c))
      if (TControl* found = Named(inner, name)) return found;
  }
  return nullptr;
}

}  // namespace

void TChecker::CheckShownAfterRead(TOpen& open, std::size_t seed) {
  if (seed == 0 || !ButtonOf(open.Form, "Refresh")) return;
  // The switch comes to hold the values of the seed before, then of this
  // one again: each Refresh shows what the form showed when it was opened on
  // those values.
  for (std::size_t s : {seed - 1, seed}) {
    Seed(seeds_[s]);
    if (!Restore(open)) return;
    CheckAgreement(open, "Refresh once the switch holds the values of seed " + seeds_[s]);
    if (open.List && open.List->Selected()) TestKit::ClickEmpty(open.List);
    std::vector<std::string> now = Look(open, false);
    const std::vector<std::string> rows = RowsOf(open);
    now.insert(now.end(), rows.begin(), rows.end());
    EXPECT_TRUE(now == shown_[s]) << "Refresh once the switch holds the values of seed "
                                  << seeds_[s]
                                  << ": the form does not show what it showed when opened on them:"
                                  << Differences(now, "after Refresh", shown_[s], "opened on them");
  }
  // The values a Refresh brought go back untouched.
  if (!open.List && entry_.Write)
    Untouched(open, "after a Refresh brought the values of seed " + seeds_[seed], "");
  boxes_.Take();
}

void TChecker::CheckReads(TOpen& open) {
  if (!open.List || open.List->Items()->Count() == 0 || !ButtonOf(open.Form, "Refresh")) return;
  const struct {
    const char* Words;
    bool Fails;
    TFailure Failure;
  } kReads[] = {{"a Refresh", false, TFailure::Refused},
                {"a Refresh the switch refused", true, TFailure::RefusedThenReadFails},
                {"a Refresh that timed out", true, TFailure::TimedOut}};
  for (const auto& read : kReads) {
    const int row = open.List->Items()->Count() > 1 ? 1 : 0;
    ChooseByClick(open.List, row);
    const std::string what = std::string(read.Words) + " with row " + std::to_string(row + 1) +
                             RowText(open.List, row) + " selected";
    {
      std::shared_ptr<void> failing = read.Fails ? FailNextWrite(open, read.Failure) : nullptr;
      boxes_.Take();
      TestKit::Click(ButtonOf(open.Form, "Refresh"));
      EXPECT_TRUE(WaitQuiet(open)) << what << ": the form is still busy";
    }
    const std::string status = LastStatus(open.Form);
    if (read.Fails) {
      EXPECT_TRUE(!status.empty() && status.find("Ok!") == std::string::npos)
          << what << ": the last status line is not the failure: \"" << status << "\"";
    }
    boxes_.Take();
    CheckAgreement(open, what);
    if (read.Fails) Restore(open);
  }
}

void TChecker::CheckNoWrite(TOpen& open) {
  // The rows chosen with the keys and with a click show the same.
  if (open.List && open.List->Items()->Count() > 0) CheckRows(open, false, false);
  // Every button but Close, with a row selected and with none: no SET.
  const std::size_t mark = LogSize();
  std::string pressed;
  for (bool row : {true, false}) {
    if (open.List && open.List->Items()->Count() > 0) {
      if (row)
        ChooseByClick(open.List, 0);
      else
        TestKit::ClickEmpty(open.List);
    } else if (!row) {
      break;
    }
    for (TButton* button : ButtonsOf(open.Form)) {
      const std::string caption = button->Caption().str();
      if (caption == "Close" || !button->Showing() || !button->Enabled()) continue;
      const std::size_t before = LogSize();
      // A dialog it opens is written as it stands, as the user may.
      TestKit::OnNextModal(TestKit::ModalScript([&](TCustomForm* dialog) {
        pressed += "\n    \"" + caption + "\" opened \"" + dialog->Caption().str() + "\"";
        if (TButton* all = ButtonOf(dialog, "Check All"); all && all->Enabled())
          TestKit::Click(all);
        else
          TickEveryRow(dialog);
        TButton* write = ButtonOf(dialog, "Set Checked");
        if (!write) write = ButtonOf(dialog, "Set");
        if (write && write->Enabled()) TestKit::Click(write);
        TestKit::ClearModalScripts();
        if (dialog->ModalResult() == mrNone) dialog->Close();
      }));
      TestKit::Click(button);
      TestKit::ClearModalScripts();
      EXPECT_TRUE(WaitQuiet(open)) << "\"" << caption << "\": the form is still busy";
      if (!SetsSince(before).empty()) pressed += "\n    \"" + caption + "\" sent a SET";
    }
  }
  const std::vector<std::string> sets = SetsSince(mark);
  EXPECT_TRUE(sets.empty()) << "the entry is marked \"" << entry_.CannotDrive
                            << "\", yet it writes:" << pressed << Describe(sets);
  boxes_.Take();
}

void TChecker::CheckNoFieldWrite(TOpen& open) {
  if (open.List && open.List->Items()->Count() > 0) ChooseByClick(open.List, 0);
  for (const char* caption : {"Edit", "Set", "Set Checked"})
    if (TButton* button = ButtonOf(open.Form, caption)) {
      EXPECT_FALSE(button->Enabled())
          << "the entry writes no field of a row, yet \"" << caption << "\" is offered";
    }
  boxes_.Take();
}

void TChecker::CheckFormats(const TOpen& open) {
  TEditsPanel* rows = nullptr;
  std::function<void(TWinControl*)> find = [&](TWinControl* w) {
    for (int i = 0; i < w->ControlCount() && !rows; ++i) {
      rows = dynamic_cast<TEditsPanel*>(w->Controls(i));
      if (auto* inner = dynamic_cast<TWinControl*>(w->Controls(i)); inner && !rows) find(inner);
    }
  };
  find(open.Form);
  for (const auto& [row, format] : entry_.Formats) {
    const std::string what =
        "row " + std::to_string(row) + " of the page, format \"" + format + "\"";
    auto* edit =
        rows && row < rows->RowCount() ? dynamic_cast<TEdit*>(rows->Row(row).EditCtrl) : nullptr;
    VnSNMPRequest2Edits* request = open.Requests.front();
    const _EditConstraint_s* rule =
        edit && request->EditConstraint ? request->EditConstraint->Find(edit) : nullptr;
    ASSERT_NE(rule, nullptr) << what << ": the row's edit has no input rule";
    EXPECT_EQ(rule->Type, format.size() > 1 ? format[1] : 0) << what;
    // "n" the least, "x" the most, "l" the length: as the format gives them.
    for (const char key : {'n', 'x', 'l'}) {
      const std::size_t at = format.find(key, 2);
      if (at == std::string::npos) continue;
      const double wanted = static_cast<double>(std::strtoll(format.c_str() + at + 1, nullptr, 10));
      const double got = key == 'n' ? rule->Minimum : key == 'x' ? rule->Maximum : rule->Length;
      EXPECT_EQ(got, wanted) << what << ": '" << key << "' of the rule";
    }
  }
}

void TChecker::CheckActions(TOpen& open) {
  for (const TActionCase& action : entry_.Actions) {
    std::string what = "the action";
    for (const auto& [name, text] : action.Typed) {
      TControl* c = Named(open.Form, name);
      EXPECT_NE(c, nullptr) << "the form has no " << name;
      if (auto* edit = dynamic_cast<TEdit*>(c)) TypeInto(edit, text);
      if (auto* combo = dynamic_cast<TComboBox*>(c)) {
        const int index = combo->Items()->IndexOf(text.c_str());
        EXPECT_GE(index, 0) << name << " offers no \"" << text << "\"";
        if (index >= 0) TestKit::PickItem(combo, index);
      }
      what += ", " + name + " := \"" + text + "\"";
    }
    const std::size_t mark = LogSize();
    boxes_.Take();
    TButton* button = ButtonOf(open.Form, action.Button.c_str());
    ASSERT_TRUE(button && button->Enabled()) << what << ": no \"" << action.Button << "\" to press";
    SetProgressStep(what);
    QueueProgressDialogs();
    TestKit::Click(button);
    TestKit::ClearModalScripts();
    EXPECT_TRUE(WaitQuiet(open)) << what << ": the form is still busy";
    const std::string boxes = boxes_.Take();
    const std::vector<std::string> sets = SetsSince(mark);
    std::string sent;
    for (const std::string& line : sets)
      if (StatusOf(line) == "noError")
        for (const auto& [oid, value] : VarbindsOf(line)) sent += " " + oid + "=" + value + " ";
    for (const std::string& varbind : action.Sent) {
      EXPECT_NE(sent.find(" " + varbind + " "), std::string::npos)
          << what << ": the SET lacks " << varbind << Describe(sets) << StatusLine(open.Form)
          << (boxes.empty() ? "" : "\n    boxes: " + boxes);
    }
  }
}

}  // namespace formcheck
