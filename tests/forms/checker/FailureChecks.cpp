// A write that carries a change and fails: the switch refuses it, it times
// out, it cannot be sent, or the user stops it while it is out. Afterwards
// the form is idle, the failure is the last status line, each field changed
// keeps what was typed and the window the write was pressed in shows what it
// showed then (a dialog stays open, the form keeps its row), and the
// selection, the fields, the row buttons and the row count agree.
#include <gtest/gtest.h>

#include <set>
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

// What the field shows, as Change tells what was typed: the text, or
// whether the box is ticked.
std::string Shown(TControl* control) {
  if (auto* box = dynamic_cast<TCheckBox*>(control)) return box->Checked() ? "ticked" : "unticked";
  return control->Text().str();
}

// The window the control is in: the form, or a dialog.
TWinControl* WindowOf(TControl* control) {
  TControl* top = control;
  while (top->Parent()) top = top->Parent();
  return dynamic_cast<TWinControl*>(top);
}

// The kind of a field, of which the failing write changes one each: an
// edit, a choice, a box.
int KindOfField(TControl* control) {
  if (dynamic_cast<TComboBox*>(control)) return 1;
  if (dynamic_cast<TCheckBox*>(control)) return 2;
  return 0;
}

// A field the user changed, and what was typed (or chosen, or ticked).
struct TChanged {
  TControl* Control;
  std::string Typed;
};

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

  // The write, with a field of each kind the user can change changed.
  std::vector<TChanged> changed;
  TWinControl* window = nullptr;         // the window they are in
  std::vector<std::string> changedLook;  // and what it showed as the write was pressed
  std::string done;
  TPress press;
  if (action == TAction::Write)
    press.Change = [&] {
      std::set<int> kinds;
      for (const TField& f : fields) {
        if (kinds.count(KindOfField(f.Control))) continue;
        std::string typed;
        const std::string one = Change(entry_, open, f, FieldItem(model_, f), &typed);
        if (one.empty()) continue;
        TickOwnBox(open, f.Control);
        kinds.insert(KindOfField(f.Control));
        changed.push_back({f.Control, typed});
        done += (done.empty() ? "" : ", ") + one;
      }
      // A field that a later change switched off (emptied, greyed) is not
      // what the user changed in the end.
      std::erase_if(changed, [](const TChanged& c) { return Shown(c.Control) != c.Typed; });
      if (changed.empty()) return;
      window = WindowOf(changed.front().Control);
      changedLook = WindowLook(open, window);
    };
  // Each field changed shows what was typed; with `whole`, the window shows
  // what it showed as the write was pressed.
  auto keeps = [&](TWinControl* w, const std::string& step, bool whole) {
    for (const TChanged& c : changed) {
      EXPECT_EQ(Shown(c.Control), c.Typed)
          << step << ": " << NameOf(c.Control) << " does not keep what was typed";
    }
    if (!whole) return;
    const std::vector<std::string> now = WindowLook(open, w);
    EXPECT_TRUE(now == changedLook) << step << ": the " << (w == open.Form ? "form" : "dialog")
                                    << " does not show what it showed as the write was pressed:"
                                    << Differences(now, "now", changedLook, "as pressed");
  };
  // A stopped write is judged once Stop was pressed (a write waited for
  // would have ended by itself).
  if (failure != TFailure::Stopped)
    press.After = [&](TWinControl* w) {
      if (w == open.Form) return;
      const std::string step = kind + (done.empty() ? "" : ", " + done);
      auto* dialog = static_cast<TCustomForm*>(w);
      EXPECT_EQ(dialog->ModalResult(), mrNone)
          << step << ": the dialog \"" << dialog->Caption().str()
          << "\" closed: the user cannot correct what was typed";
      if (w == window) keeps(w, step, true);
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
  // Changed on the form, the fields keep what was typed, and with the row
  // it was typed for still selected (or no list) the form shows what it
  // showed then; changed in a dialog, the form shows what its selection
  // has.
  const bool onForm = window == open.Form;
  if (onForm) {
    const int now = open.List ? open.List->ItemIndex() : -1;
    keeps(open.Form, what, now == chosen);
    EXPECT_TRUE(now < 0 || now == chosen)
        << what << ": row " << now + 1 << " is selected, not the row " << chosen + 1
        << " the fields were typed for";
    CheckCount(open, what);
    CheckRowButtons(open, what);
  }
  const std::string next =
      std::string("the next ") + (action == TAction::Write ? "write " : "Delete ") + kind;
  if (!open.List) {
    const std::vector<std::string> now = Look(open, true);
    if (Restore(open)) {
      const std::vector<std::string> read = Look(open, true);
      EXPECT_TRUE(onForm || now == read) << what << ", the fields are not what the switch holds:"
                                         << Differences(now, "after the write", read, "read again");
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
  if (!onForm) CheckAgreement(open, what);
  if (selected < 0) {
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
  const std::vector<std::string> clicked = Look(open, false);
  ChooseByClick(open.List, selected);
  const std::vector<std::string> fresh = Look(open, false);
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
