// A write that carries a change and fails: the switch refuses it, it times
// out, it cannot be sent, or the user stops it while it is out. Afterwards
// the form is idle, the failure is the last status line, a dialog stays open
// with what was typed, and the selection, the fields and the buttons agree
// with the switch.
#include <gtest/gtest.h>

#include <utility>

#include "Checker.h"
#include "FormView.h"
#include "library/VnSNMPConnection.h"
#include "library/VnSNMPRequest2Edits.h"
#include "library/VnSNMPSession.h"
#include "platform/Buttons.h"
#include "platform/ComCtrls.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "platform/TestKit.h"

namespace formcheck {

namespace {

const char* KindOf(int failure) {
  static const char* const kKinds[] = {
      "after a write the switch refused", "after a write that timed out",
      "after a write that could not be sent", "after a write stopped while it was out",
      "after a write the switch refused and a read that failed after it"};
  return kKinds[failure];
}

// Makes the failure happen to the next write and undoes it when it goes.
class TFailureSetUp {
 public:
  TFailureSetUp(const std::function<std::string(const std::string&)>& control,
                const std::vector<VnSNMPRequest2Edits*>& requests, int failure)
      : control_(control) {
    switch (failure) {
      case 0:
        control_("inject set 1 genErr");
        break;
      case 1:
        // Short time-outs: the write and its one retry are dropped.
        savedTimeout_ = g_SnmpTimeout;
        g_SnmpTimeout = 25;
        for (VnSNMPRequest2Edits* r : requests) {
          timeouts_.emplace_back(r, r->Request.Timeout);
          r->Request.Timeout = 25;
        }
        control_("drop 2");
        break;
      case 2:
        // No address to send to: the send fails at once.
        savedAddress_ = ConnectionDefaults.Device.Address;
        ConnectionDefaults.Device.Address = "";
        for (VnSNMPRequest2Edits* r : requests) {
          addresses_.emplace_back(r, r->Request.Device.Address);
          r->Request.Device.Address = "";
        }
        changedAddress_ = true;
        break;
      case 3:
        control_("hold");
        break;
      default:
        // The read after the refusal fails too: its failure is shown, no "Ok!".
        control_("inject set 1 genErr");
        control_("inject get 1 genErr");
        control_("inject getnext 1 genErr");
        break;
    }
  }
  ~TFailureSetUp() { Undo(); }
  TFailureSetUp(const TFailureSetUp&) = delete;
  TFailureSetUp& operator=(const TFailureSetUp&) = delete;

  void Undo() {
    if (done_) return;
    done_ = true;
    control_("normal");  // drops, holds and the injection that no request met
    for (auto& [r, t] : timeouts_) r->Request.Timeout = t;
    if (!timeouts_.empty()) g_SnmpTimeout = savedTimeout_;
    for (auto& [r, a] : addresses_) r->Request.Device.Address = a;
    if (changedAddress_) ConnectionDefaults.Device.Address = savedAddress_;
  }

 private:
  std::function<std::string(const std::string&)> control_;
  std::vector<std::pair<VnSNMPRequest2Edits*, std::uint32_t>> timeouts_;
  std::uint32_t savedTimeout_ = 0;
  std::vector<std::pair<VnSNMPRequest2Edits*, AnsiString>> addresses_;
  AnsiString savedAddress_;
  bool changedAddress_ = false;
  bool done_ = false;
};

bool AnyBusy(const TOpen& open) {
  for (const VnSNMPRequest2Edits* r : open.Requests)
    if (r->Busy) return true;
  return false;
}

bool Inside(TControl* control, TWinControl* window) {
  for (TControl* c = control; c; c = c->Parent())
    if (c == window) return true;
  return false;
}

}  // namespace

void TChecker::CheckAfterFailure(TOpen& open, TFailure failure, const TField* forced) {
  if (!entry_.Write && !entry_.Delete) return;
  const TAction action = entry_.Write ? TAction::Write : TAction::Delete;
  const int kindIndex = static_cast<int>(failure);
  const std::string kind = KindOf(kindIndex);
  TButton* stop = ButtonOf(open.Form, "Stop");
  if (failure == TFailure::Stopped && !stop) return;  // nothing to stop it with
  if (open.List && open.List->Items()->Count() > 0) {
    const int count = open.List->Items()->Count();
    ChooseByClick(open.List, action == TAction::Delete ? count - 1 : (count > 1 ? 1 : 0));
  }
  const std::vector<std::string> before = Look(open, !open.List);
  const int chosen = open.List ? open.List->ItemIndex() : -1;
  const std::vector<TField> fields =
      forced ? std::vector<TField>{*forced} : FieldsToChange(open, model_);

  // The write, with the first field the user can change changed.
  TControl* typedControl = nullptr;
  std::string typed, done;
  TPress press;
  if (action == TAction::Write)
    press.Change = [&] {
      for (const TField& f : fields) {
        done = Change(entry_, open, f, FieldItem(model_, f), &typed);
        if (!done.empty()) {
          TickOwnBox(open, f.Control);
          typedControl = f.Control;
          break;
        }
      }
    };
  press.After = [&](TWinControl* window) {
    if (failure == TFailure::Stopped) return;
    const std::string step = kind + (done.empty() ? "" : ", " + done);
    const bool inDialog = window != open.Form;
    if (inDialog) {
      auto* dialog = static_cast<TCustomForm*>(window);
      EXPECT_EQ(dialog->ModalResult(), mrNone)
          << step << ": the dialog \"" << dialog->Caption().str()
          << "\" closed: the user cannot correct what was typed";
      if (auto* edit = dynamic_cast<TEdit*>(typedControl); edit && Inside(edit, window)) {
        EXPECT_EQ(edit->Text().str(), typed) << step << ": the dialog lost what was typed";
      }
    }
  };
  boxes_.Take();
  const std::size_t mark = LogSize();
  bool stopped = false, pressed = false;
  {
    TFailureSetUp setUp([this](const std::string& c) { return Control(c); }, open.Requests,
                        kindIndex);
    SetProgressStep(kind, failure != TFailure::Stopped);
    pressed = Press(open, action, press, kind, true, failure != TFailure::Stopped);
    SetProgressStep(kind);
    if (failure == TFailure::Stopped) {
      stopped = AnyBusy(open) && stop->Showing() && stop->Enabled();
      if (stopped) TestKit::Click(stop);
    }
    setUp.Undo();
  }
  TestKit::ClearModalScripts();
  const std::string what = kind + (done.empty() ? "" : ", " + done);
  const bool idle = WaitQuiet(open);
  EXPECT_TRUE(idle) << what << ": the form is still busy";
  const std::string boxes = boxes_.Take();
  if (!pressed || (failure == TFailure::Stopped && !stopped)) return;  // no write went out
  const std::vector<std::string> sets = SetsSince(mark);
  NoEmptySet(sets, what);
  if (sets.empty() && failure != TFailure::SendFails) return;  // the form sent nothing
  if (failure != TFailure::Stopped) {
    const std::string status = LastStatus(open.Form);
    EXPECT_TRUE(!status.empty() && status.find("Ok!") == std::string::npos)
        << what << ": the last status line is not the failure: \"" << status << "\""
        << Describe(sets) << (boxes.empty() ? "" : "\n    boxes: " + boxes);
  }
  CheckRowButtons(open, what);

  // Whether the field's line shows what was typed (a box: its tick).
  auto shows = [&](const std::string& line) {
    if (dynamic_cast<TCheckBox*>(typedControl)) {
      const bool ticked = line.size() >= 7 && line.compare(line.size() - 7, 7, " ticked") == 0;
      return ticked == (typed == "ticked");
    }
    return line.find("\"" + typed + "\"") != std::string::npos;
  };
  // The typed field shows what was typed or what the switch holds; every
  // other field what the switch holds.
  auto typedShown = [&](const std::vector<std::string>& now, const std::vector<std::string>& truth,
                        const std::string& step) {
    if (!typedControl) return;
    const std::string line = LineOf(now, typedControl);
    EXPECT_TRUE(line.empty() || line == LineOf(truth, typedControl) || shows(line))
        << step << ": " << NameOf(typedControl) << " shows neither what was typed (\"" << typed
        << "\") nor what the switch holds:\n    " << line
        << "\n    switch: " << LineOf(truth, typedControl);
  };
  const std::vector<std::string> now = Look(open, !open.List);
  // Where the typed field keeps what was typed, fields that follow it (a
  // choice that enables others) may show the typed choice's look.
  const bool kept = typedControl && shows(LineOf(now, typedControl));
  const std::string next =
      std::string("the next ") + (action == TAction::Write ? "write " : "Delete ") + kind;
  if (!open.List) {
    if (Restore(open)) {
      const std::vector<std::string> read = Look(open, !open.List);
      EXPECT_TRUE(kept || Without(now, typedControl) == Without(read, typedControl))
          << what << ", the fields are not what the switch holds:"
          << Differences(Without(now, typedControl), "after the write", Without(read, typedControl),
                         "read again");
      typedShown(now, read, what);
      if (failure != TFailure::Stopped) {
        EXPECT_TRUE(read == before)
            << what << ": the switch changed:" << Differences(before, "before", read, "after");
      }
    }
    if (action == TAction::Write) Untouched(open, next, "");
    boxes_.Take();
    return;
  }
  const int selected = open.List->ItemIndex();
  if (selected < 0) {
    const std::vector<std::string> unselected = Unselected(open);
    EXPECT_TRUE(kept || Without(unselected, typedControl) == Without(unselected_, typedControl))
        << what << ", no row selected: the fields are not those of the form with no row selected:"
        << Differences(Without(unselected, typedControl), "now", Without(unselected_, typedControl),
                       "as opened, no row selected");
    typedShown(now, unselected_, what);
    if (action == TAction::Write)
      Untouched(open, next + ", no row selected", "-");
    else
      DeleteRow(open, next + ", no row selected", "-");
    boxes_.Take();
    return;
  }
  const std::string name = what + ", row " + std::to_string(selected + 1) + " drawn selected";
  TestKit::ClickRow(open.List, selected);
  TestKit::Pump();
  const std::vector<std::string> clicked = Look(open, !open.List);
  EXPECT_TRUE(kept || Without(now, typedControl) == Without(clicked, typedControl))
      << name << ": the fields and buttons are not those of the row:"
      << Differences(Without(now, typedControl), "as left", Without(clicked, typedControl),
                     "a click on the row");
  typedShown(now, clicked, name);
  ChooseByClick(open.List, selected);
  const std::vector<std::string> fresh = Look(open, !open.List);
  EXPECT_TRUE(clicked == fresh) << name << ": a click on the selected row does not show its values:"
                                << Differences(clicked, "a click on it", fresh,
                                               "chosen again from another row");
  if (failure != TFailure::Stopped && selected == chosen) {
    EXPECT_TRUE(fresh == before) << name << ": the row shows other values than before the write:"
                                 << Differences(before, "before", fresh, "after");
  }
  // The next action, as the user finds the form: the row clicked again.
  TestKit::ClickRow(open.List, selected);
  const std::string instance = InstanceOfRow(open, selected);
  if (action == TAction::Write)
    Untouched(open, next + ", row " + std::to_string(selected + 1) + RowText(open.List, selected),
              instance);
  else
    DeleteRow(open, next + ", row " + std::to_string(selected + 1) + RowText(open.List, selected),
              instance);
  boxes_.Take();
}

std::shared_ptr<void> TChecker::FailNextWrite(TOpen& open, TFailure failure) {
  return std::make_shared<TFailureSetUp>([this](const std::string& c) { return Control(c); },
                                         open.Requests, static_cast<int>(failure));
}

const char* TChecker::FailureWords(TFailure failure) { return KindOf(static_cast<int>(failure)); }

}  // namespace formcheck
