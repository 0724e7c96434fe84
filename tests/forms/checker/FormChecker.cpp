#include "FormChecker.h"

#include <gtest/gtest.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <map>
#include <set>
#include <sstream>
#include <thread>

#include "FormModel.h"
#include "SwitchImage.h"
#include "library/VnEditConstraint.h"
#include "library/VnErrors.h"
#include "library/VnSNMPConnection.h"
#include "library/VnSNMPRequest2Edits.h"
#include "library/VnSNMPSession.h"
#include "pages/Progress2.h"
#include "pages/progress.h"
#include "platform/Buttons.h"
#include "platform/ComCtrls.h"
#include "platform/Dialogs.h"
#include "platform/Forms.h"
#include "platform/Messages.h"
#include "platform/StdCtrls.h"
#include "platform/TestKit.h"
#include "simulator/SimulatorHarness.h"
#include "snmp/Snmp.h"

namespace formcheck {

// ---- waiting ------------------------------------------------------------------

namespace {

bool Quiet(const TOpen& open) {
  if (g_SnmpSession && g_SnmpSession->outstanding() != 0) return false;
  for (const VnSNMPRequest2Edits* r : open.Requests)
    if (r->Busy) return false;
  return true;
}

}  // namespace

bool WaitQuiet(const TOpen& open, int ms) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  int quietTurns = 0;
  while (quietTurns < 2) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    Application->ProcessMessages();
    quietTurns = Quiet(open) ? quietTurns + 1 : 0;
    if (quietTurns > 0) continue;
    // Until a reply comes (or a millisecond for the timers).
    pollfd reply{g_SnmpSession ? g_SnmpSession->get_socket() : -1, POLLIN, 0};
    if (reply.fd < 0 || poll(&reply, 1, 1) < 0)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

TButton* ButtonOf(TWinControl* window, const char* caption) {
  if (!window) return nullptr;
  for (int i = 0; i < window->ControlCount(); ++i) {
    TControl* c = window->Controls(i);
    if (auto* button = dynamic_cast<TButton*>(c); button && c->Showing() && c->Caption() == caption)
      return button;
    if (auto* inner = dynamic_cast<TWinControl*>(c))
      if (TButton* found = ButtonOf(inner, caption)) return found;
  }
  return nullptr;
}

void QueueProgressDialogs() {
  TestKit::OnNextModal(TestKit::ModalScript([](TCustomForm* dialog) {
    for (int tick = 0; tick < 200 && dialog->ModalResult() == mrNone; ++tick) {
      if (auto* progress = dynamic_cast<TProgressForm*>(dialog))
        progress->ProgressTimerTimer(nullptr);
      else if (auto* progress2 = dynamic_cast<TProgressForm2*>(dialog))
        progress2->ProgressTimerTimer(nullptr);
      else
        break;
      TestKit::Pump();
    }
    if (dialog->ModalResult() == mrNone) {
      ADD_FAILURE() << "a dialog the checker does not know opened: \"" << dialog->Caption().str()
                    << "\"";
      dialog->Close();
    }
    QueueProgressDialogs();
  }));
}

namespace {

// ---- message boxes --------------------------------------------------------------

// Answers every box (Ok, or Yes where it asks) and keeps those that were
// no question, for the step that brought them.
class TBoxes : public IDialogService {
 public:
  TBoxes() : previous_(SetDialogService(this)) {}
  ~TBoxes() override { SetDialogService(previous_); }
  TBoxes(const TBoxes&) = delete;
  TBoxes& operator=(const TBoxes&) = delete;

  int Show(const TDialogRequest& request) override {
    if (request.type != mtConfirmation) texts_.push_back(request.text.str());
    if (request.buttons & mbYes) return mrYes;
    return mrOk;
  }
  // The boxes since the last call, joined.
  std::string Take() {
    std::string out;
    for (const std::string& t : texts_) out += (out.empty() ? "\"" : ", \"") + t + "\"";
    texts_.clear();
    return out;
  }

 private:
  IDialogService* previous_;
  std::vector<std::string> texts_;
};

// ---- what the user sees -----------------------------------------------------------

// The fields of a window as the user finds them, one line each: name, text,
// and whether it is disabled, read-only, ticked, or coloured as a locked
// key. Memos, status bars and lists are left out: their lines are the
// status and the rows.
void Describe(TControl* control, const std::string& path, const std::set<TControl*>& moving,
              std::vector<std::string>& lines) {
  if (dynamic_cast<TMemo*>(control) || dynamic_cast<TStatusBar*>(control) ||
      dynamic_cast<TListView*>(control))
    return;
  // A control without a name is named by its place among its parent's.
  std::string own = control->Name().str();
  if (own.empty() && control->Parent())
    for (int i = 0; i < control->Parent()->ControlCount(); ++i)
      if (control->Parent()->Controls(i) == control) own = "#" + std::to_string(i);
  const std::string name = path + own;
  std::string line = name + (moving.count(control) ? std::string(" (read only)")
                                                   : " \"" + control->Text().str() + "\"");
  if (!control->Enabled()) line += " disabled";
  if (auto* edit = dynamic_cast<TEdit*>(control)) {
    if (edit->ReadOnly()) line += " read-only";
    line += " colour " + std::to_string(static_cast<long>(edit->Color()));
  }
  if (auto* box = dynamic_cast<TCheckBox*>(control); box && box->Checked() && !moving.count(box))
    line += " ticked";
  lines.push_back(line);
  if (auto* parent = dynamic_cast<TWinControl*>(control))
    for (int i = 0; i < parent->ControlCount(); ++i)
      Describe(parent->Controls(i), name + "/", moving, lines);
}

// `moving`: controls whose text is left out (values that move on the switch).
std::vector<std::string> FieldsOf(TCustomForm* form, const std::set<TControl*>& moving = {}) {
  std::vector<std::string> lines;
  Describe(form, "", moving, lines);
  return lines;
}

// The lines of `a` that `b` lacks.
std::string Missing(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  std::string out;
  for (const std::string& line : a)
    if (std::find(b.begin(), b.end(), line) == b.end()) out += "\n    " + line;
  return out;
}

std::string Differences(const std::vector<std::string>& first, const char* firstName,
                        const std::vector<std::string>& second, const char* secondName) {
  return std::string("\n  ") + firstName + ":" + Missing(first, second) + "\n  " + secondName +
         ":" + Missing(second, first);
}

// The form's last status line: its memo's, or its status bar's.
void FindStatus(TControl* control, std::string& status) {
  if (auto* memo = dynamic_cast<TMemo*>(control); memo && memo->Lines()->Count() > 0)
    status = memo->Lines()->Strings(memo->Lines()->Count() - 1).str();
  if (auto* bar = dynamic_cast<TStatusBar*>(control)) status = bar->DisplayedText().str();
  if (auto* parent = dynamic_cast<TWinControl*>(control))
    for (int i = 0; i < parent->ControlCount(); ++i) FindStatus(parent->Controls(i), status);
}

std::string StatusLine(TCustomForm* form) {
  std::string status;
  FindStatus(form, status);
  return status.empty() ? "" : "\n    status: \"" + status + "\"";
}

// The cells of a list's row as the user reads them.
std::string RowText(TListView* list, int row) {
  if (row < 0 || row >= list->Items()->Count()) return "";
  TListItem* item = list->Items()->Item(row);
  std::string text = item->Caption().str();
  for (int i = 0; i < item->SubItems()->Count() && i < 4; ++i)
    text += " | " + item->SubItems()->Strings(i).str();
  return " \"" + text + "\"";
}

std::string NameOf(TControl* control) {
  std::string name = control->Name().str();
  if (!name.empty()) return name;
  if (dynamic_cast<TCheckBox*>(control)) return "the check box";
  if (dynamic_cast<TComboBox*>(control)) return "the combo box";
  return "the edit";
}

// ---- one field ------------------------------------------------------------------------

// A control the checker may change, bound to item `Item` of request
// `Request` (element `Element` of a port list, -1 otherwise).
struct TField {
  std::size_t Request = 0;
  int Item = 0;
  TControl* Control = nullptr;
  int Element = -1;
  int PartOffset = -1;
  std::uint32_t PartSyntax = 0;
};

std::vector<TField> FieldsToChange(const TOpen& open, const TFormModel& model) {
  std::vector<TField> fields;
  for (std::size_t r = 0; r < open.Requests.size(); ++r) {
    const TRequestModel& rm = model.Requests[r];
    for (const auto& b : open.Requests[r]->Bindings) {
      if (b->ItemIndex < 0 || b->ItemIndex >= static_cast<int>(rm.Items.size())) continue;
      const TItem& item = rm.Items[static_cast<std::size_t>(b->ItemIndex)];
      if (!item.Writable || item.Key || item.RowStatus || item.Oid.empty()) continue;
      if (b->Controls.empty()) continue;
      TControl* c = b->Controls.front();
      if (!dynamic_cast<TEdit*>(c) && !dynamic_cast<TComboBox*>(c) && !dynamic_cast<TCheckBox*>(c))
        continue;
      TField f{r, b->ItemIndex, c, -1, -1, 0};
      if (b->HasElements && !b->Elements.empty()) f.Element = b->Elements.front();
      if (b->PartOffset != 0 || b->Syntax >= SNMP_SYNTAX_BOOL8) {
        f.PartOffset = static_cast<int>(b->PartOffset);
        f.PartSyntax = b->Syntax;
      }
      fields.push_back(f);
    }
  }
  return fields;
}

// A text the edit's rule (or else the variable's syntax) takes that differs
// from what it shows.
std::string OtherText(const TEntry& entry, const TOpen& open, const TField& f, const TItem& item,
                      TEdit* edit) {
  for (const auto& [label, texts] : entry.Texts)
    if (label == item.Label) return edit->Text().str() == texts.first ? texts.second : texts.first;
  const _EditConstraint_s* rule = open.Requests[f.Request]->EditConstraint
                                      ? open.Requests[f.Request]->EditConstraint->Find(edit)
                                      : nullptr;
  const std::string now = edit->Text().str();
  if (rule && rule->AddressKind != EC_ADDR_NONE) {
    switch (rule->AddressKind) {
      case EC_ADDR_IPV4:
        return now == "10.1.2.3" ? "10.1.2.4" : "10.1.2.3";
      case EC_ADDR_MCAST_IPV4:
        return now == "224.1.2.3" ? "224.1.2.4" : "224.1.2.3";
      case EC_ADDR_IPV6:
        return now == "2001:db8::1" ? "2001:db8::2" : "2001:db8::1";
      case EC_ADDR_MCAST_MAC:
        return now == "01005E010203" ? "01005E010204" : "01005E010203";
      default:
        return now == "000A5E010203" ? "000A5E010204" : "000A5E010203";
    }
  }
  if (rule && (rule->Type == 'i' || rule->Type == 'u')) {
    // A neighbour of the value shown, so that the value goes on agreeing with
    // the fields it is judged with; else the lowest number of the range (1
    // where the range is the syntax's).
    const long long lo = std::max(static_cast<long long>(rule->Minimum), 1LL);
    const long long hi = static_cast<long long>(rule->Maximum);
    char* end = nullptr;
    const long long shown = std::strtoll(now.c_str(), &end, 10);
    if (!now.empty() && *end == '\0' && shown >= lo && shown <= hi)
      return std::to_string(shown + 1 <= hi ? shown + 1 : shown - 1);
    return std::to_string(lo);
  }
  if (rule && rule->Type == 'h') return now == "0A" ? "0B" : "0A";
  if (rule && rule->Type == 'n') return now == "1" ? "2" : "1";
  if (rule && rule->Type != 's') return now == "ab" ? "cd" : "ab";
  switch (item.Syntax) {
    case SNMP_SYNTAX_OBJECTID:
      return now == "1.3.6.1.2" ? "1.3.6.1.3" : "1.3.6.1.2";
    case SNMP_SYNTAX_DATETIME:
      return now == "2001-2-3,4:5:6.0" ? "2001-2-3,4:5:7.0" : "2001-2-3,4:5:6.0";
    case SNMP_SYNTAX_DISPLAYSTR:
    case SNMP_SYNTAX_OCTETSTR:
      if (item.Label.find("Address") != std::string::npos || item.Label.find("IP") == 0)
        return now == "10.1.2.3" ? "10.1.2.4" : "10.1.2.3";
      if (item.Syntax == SNMP_SYNTAX_DISPLAYSTR) return now == "ab" ? "cd" : "ab";
      return now == "0A" ? "0B" : "0A";
    case SNMP_SYNTAX_INTEGER:
    case SNMP_SYNTAX_GUAGE:
    case SNMP_SYNTAX_UINTEGER:
    case SNMP_SYNTAX_COUNTER:
    case SNMP_SYNTAX_TIMETICKS:
      return now == "1" ? "2" : "1";
    case SNMP_SYNTAX_IPADDRESS:
      return now == "10.1.2.3" ? "10.1.2.4" : "10.1.2.3";
    case SNMP_SYNTAX_MACADDRESS:
      return now == "000A5E010203" ? "000A5E010204" : "000A5E010203";
    case SNMP_SYNTAX_BITSTR:
      return now == "0A" ? "0B" : "0A";
    default:
      return now == "ab" ? "cd" : "ab";
  }
}

// Changes the field as the user does; what was done, or empty when the
// control cannot be changed now (hidden, disabled, one choice only).
std::string Change(const TEntry& entry, const TOpen& open, const TField& f, const TItem& item) {
  TControl* c = f.Control;
  if (!c->Showing() || !c->Enabled()) return "";
  if (auto* box = dynamic_cast<TCheckBox*>(c)) {
    TestKit::Click(box);
    return NameOf(c) + (box->Checked() ? " ticked" : " unticked");
  }
  if (auto* combo = dynamic_cast<TComboBox*>(c)) {
    const int n = combo->Items()->Count();
    for (int i = 0; i < n; ++i) {
      if (i == combo->ItemIndex()) continue;
      TestKit::PickItem(combo, i);
      return NameOf(c) + " := \"" + combo->Items()->Strings(i).str() + "\"";
    }
    return "";
  }
  if (auto* edit = dynamic_cast<TEdit*>(c)) {
    if (edit->ReadOnly()) return "";
    const std::string text = OtherText(entry, open, f, item, edit);
    TestKit::FocusTo(edit);
    edit->SelectAll();
    TestKit::TypeText(edit, "\b" + AnsiString(text.c_str()));
    TestKit::Pump();
    if (edit->Focused()) TestKit::PressTab();
    return NameOf(c) + " := \"" + text + "\"";
  }
  return "";
}

// ---- the checks ---------------------------------------------------------------------

class TChecker {
 public:
  TChecker(const TEntry& entry, simtest::Simulator& sim) : entry_(entry), sim_(sim) {}

  void Run();

 private:
  enum class TAction { Write, Delete };

  // The switch.
  std::string Control(const std::string& command) {
    const std::string reply = sim_.Control(command);
    EXPECT_EQ(reply.rfind("ok", 0), 0u) << command << ": " << reply;
    return reply;
  }
  // The request log's length in bytes.
  std::size_t LogSize();
  std::vector<std::string> SetsSince(std::size_t mark) const;
  TImage Image();
  const TItem* ItemOf(const std::string& oid, std::string* instance, bool* rows) const;
  bool Exempt(const TItem& item, const std::string& before, const std::string& after) const;
  // Instances of the rows in the store's order.
  std::vector<std::string> RowInstances(const TImage& image) const;
  // The instance of the list's row, when the list shows the table's rows in
  // order; empty otherwise.
  std::string InstanceOfRow(const TOpen& open, int row);

  void CheckForm(TOpen& open, const std::string& seed);
  // `writes`: the writes as well as the rows chosen by keys and by a click.
  void CheckRows(TOpen& open, bool writes);
  void CheckScalars(TOpen& open);
  void CheckRefusedEntries(TOpen& open);
  void CheckAfterFailure(TOpen& open, bool timeout);

  void ChooseByKeys(TListView* list, int row);
  void ChooseByClick(TListView* list, int row);
  // Enters and leaves every edit of the form's fields with the keys: none
  // may bring a box or change its text.
  void PassThrough(TOpen& open, const std::string& what);
  // The write with nothing touched: the switch unchanged, the SET's values
  // those the switch held, every row instance the expected one (empty: any
  // one; "-": none at all, and the write may be unavailable).
  void Untouched(TOpen& open, const std::string& what, const std::string& instance);
  // True when every field the form writes is a combo box the user left
  // alone showing no choice (the switch holds a value its list lacks): such
  // values are left out of the write, so there is nothing to send.
  bool NothingShownToWrite(const TOpen& open) const;
  void OneField(TOpen& open, const TField& f, const std::string& what, const std::string& instance);
  // Delete: the row of the instance goes ("-": nothing goes), nothing else
  // changes. False when Delete could not be pressed (reported unless
  // `mayBeOff`).
  bool DeleteRow(TOpen& open, const std::string& what, const std::string& instance,
                 bool mayBeOff = false);
  // Presses the action with the change; false when it could not be pressed
  // (reported unless `optional`).
  bool Press(TOpen& open, TAction action, const std::function<void()>& change,
             const std::string& what, bool optional = false);

  std::string Describe(const std::vector<std::string>& sets) const;
  // Reads the switch again with the form's Refresh, where it has one.
  void Restore(TOpen& open);

  const TEntry& entry_;
  simtest::Simulator& sim_;
  TFormModel model_;
  TBoxes boxes_;
  std::size_t logRead_ = 0;  // the log's length when last looked at (it only grows)
};

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

bool TChecker::Exempt(const TItem& item, const std::string& before,
                      const std::string& after) const {
  for (const TException& e : kExceptions) {
    if (e.Entry[0] && entry_.Name != e.Entry) continue;
    if (e.Oid[0] && item.Oid != e.Oid) continue;
    if (e.Allows ? e.Allows(item.Syntax, before, after) : before == after) return true;
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

void TChecker::Restore(TOpen& open) {
  TButton* refresh = ButtonOf(open.Form, "Refresh");
  if (!refresh || !refresh->Enabled()) return;
  TestKit::Click(refresh);
  EXPECT_TRUE(WaitQuiet(open)) << "the form is still busy after Refresh";
}

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

bool TChecker::Press(TOpen& open, TAction action, const std::function<void()>& change,
                     const std::string& what, bool optional) {
  std::string why;
  const TWrite& press = action == TAction::Write ? entry_.Write : entry_.Delete;
  const bool pressed = press(open, change, why);
  TestKit::ClearModalScripts();
  EXPECT_TRUE(pressed || optional)
      << what << ": " << (action == TAction::Write ? "the write" : "Delete")
      << " cannot be pressed: " << why;
  EXPECT_TRUE(WaitQuiet(open)) << what << ": the form is still busy after the write";
  return pressed;
}

void TChecker::PassThrough(TOpen& open, const std::string& what) {
  for (const TField& f : FieldsToChange(open, model_)) {
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
  const std::size_t mark = LogSize();
  boxes_.Take();
  if (!Press(open, TAction::Write, nullptr, what, instance == "-")) return;
  const std::string boxes = boxes_.Take();
  const TImage after = Image();
  const std::vector<std::string> sets = SetsSince(mark);
  std::string faults;
  for (const auto& [oid, was] : before.Values) {
    const std::string* now = after.Find(oid);
    const TItem* item = ItemOf(oid, nullptr, nullptr);
    if (!item || !item->Writable) continue;
    if (!now) {
      faults += "\n    " + oid + " (" + item->Label + ") is gone (held " + was + ")";
    } else if (*now != was && !Exempt(*item, was, *now)) {
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
    if (VarbindsOf(line).empty()) sent += "\n    a SET with nothing in it";
    for (const auto& [oid, value] : VarbindsOf(line)) {
      std::string inst;
      bool rows = false;
      const TItem* item = ItemOf(oid, &inst, &rows);
      const std::string* held = before.Find(oid);
      if (item && held && *held != value && !Exempt(*item, *held, value))
        sent += "\n    sent " + oid + " (" + item->Label + ") = " + value +
                " where the switch held " + *held;
      if (item && rows && !item->Key) rowInstances.insert(inst);
    }
  }
  const std::string shownBoxes = boxes.empty() ? "" : "\n    boxes: " + boxes;
  // A write that every item is left out of sends nothing and says so, in
  // its status line or in a box.
  const std::string nothing = ErrorText(VNERR_NOTHING_TO_SET).str();
  const bool saidNothing =
      sets.empty() &&
      (StatusLine(open.Form).find(nothing) != std::string::npos || boxes == "\"" + nothing + "\"");
  if (instance != "-" && !NothingShownToWrite(open)) {
    EXPECT_TRUE(!sets.empty() || saidNothing) << what << ", nothing touched: the write sent nothing"
                                              << StatusLine(open.Form) << shownBoxes;
  }
  EXPECT_TRUE(faults.empty()) << what << ", nothing touched: the switch changed:" << faults
                              << Describe(sets) << shownBoxes;
  EXPECT_TRUE(sent.empty()) << what << ", nothing touched: the write sent other values:" << sent
                            << shownBoxes;
  EXPECT_TRUE(boxes.empty() || saidNothing)
      << what << ", nothing touched: the write brought the boxes " << boxes;
  if (instance == "-") {
    EXPECT_TRUE(rowInstances.empty())
        << what << ": no row is selected, yet the write went to rows" << Describe(sets);
  } else if (!instance.empty()) {
    for (const std::string& inst : rowInstances)
      EXPECT_EQ(inst, instance) << what << ": the write went to another row than the one drawn "
                                << "selected" << Describe(sets);
  }
}

void TChecker::OneField(TOpen& open, const TField& f, const std::string& what,
                        const std::string& instance) {
  const TItem& item = model_.Requests[f.Request].Items[static_cast<std::size_t>(f.Item)];
  const TImage before = Image();
  const std::size_t mark = LogSize();
  boxes_.Take();
  std::string done;
  if (!Press(
          open, TAction::Write, [&] { done = Change(entry_, open, f, item); }, what))
    return;
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
  std::string others;
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
        std::string outside;
        for (std::size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
          if (i >= first && i < first + width) continue;
          if (i >= a.size() || i >= b.size() || a[i] != b[i]) outside += " " + std::to_string(i);
        }
        if (a.size() != b.size())
          outside +=
              " (length " + std::to_string(a.size()) + " to " + std::to_string(b.size()) + ")";
        EXPECT_TRUE(outside.empty()) << step << ": octets beyond the field changed:" << outside
                                     << "\n    before " << was << ", after " << value;
      }
      continue;
    }
    if (!Exempt(*other, was, value))
      others += "\n    " + oid + " (" + other->Label + "): before " + was + ", after " + value;
  }
  // An action column takes the value written and reads back its idle value:
  // the SET the switch took carries the change.
  const std::string* held = before.Find(target);
  for (const std::string& line : sets)
    for (const auto& [oid, value] : VarbindsOf(line))
      if (oid == target && StatusOf(line) == "noError" && held && *held != value) changed = true;
  if (held && !changed && Exempt(item, *held, *held)) changed = true;  // left out on purpose
  const std::string status = StatusLine(open.Form);
  if (!open.List) Restore(open);
  EXPECT_TRUE(changed) << step << ": the field did not change on the switch" << Describe(sets)
                       << status << (boxes.empty() ? "" : "\n    boxes: " + boxes);
  EXPECT_TRUE(others.empty()) << step << ": the write changed other variables too:" << others
                              << Describe(sets);
}

bool TChecker::DeleteRow(TOpen& open, const std::string& what, const std::string& instance,
                         bool mayBeOff) {
  const TImage before = Image();
  const std::size_t mark = LogSize();
  boxes_.Take();
  if (!Press(open, TAction::Delete, nullptr, what, instance == "-" || mayBeOff)) return false;
  const std::string boxes = boxes_.Take();
  const TImage after = Image();
  const std::vector<std::string> sets = SetsSince(mark);
  std::set<std::string> gone;
  std::string others;
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
  const std::string shownBoxes = boxes.empty() ? "" : "\n    boxes: " + boxes;
  if (instance == "-") {
    EXPECT_TRUE(gone.empty() && others.empty())
        << what << ": no row is selected, yet Delete changed the switch:" << others
        << Describe(sets) << shownBoxes;
    return true;
  }
  EXPECT_FALSE(gone.empty()) << what << ": Delete removed no row and wrote none" << Describe(sets)
                             << StatusLine(open.Form) << shownBoxes;
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

void TChecker::CheckRows(TOpen& open, bool writes) {
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
    PassThrough(open, name);
    Untouched(open, name + " chosen with a click", instance);
    if (!fields.empty() && row < list->Items()->Count()) {
      ChooseByClick(list, row);
      OneField(open, fields[static_cast<std::size_t>(row) % fields.size()], name, instance);
    }
  }
}

void TChecker::CheckScalars(TOpen& open) {
  if (!entry_.Write) return;
  PassThrough(open, "the form");
  Untouched(open, "the form", "");
  for (const TField& f : FieldsToChange(open, model_)) OneField(open, f, "the form", "");
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
    const TItem& item = model_.Requests[f.Request].Items[static_cast<std::size_t>(f.Item)];
    const std::string what = "the entry refused by " + NameOf(edit) + " (" + item.Label + ")";
    const std::string held = edit->Text().str();
    const std::string passing = OtherText(entry_, open, f, item, edit);
    const std::string refused = std::to_string(static_cast<long long>(rule->Maximum) + 1);
    auto type = [&](const std::string& text) {
      TestKit::FocusTo(edit);
      edit->SelectAll();
      TestKit::TypeText(edit, "\b" + AnsiString(text.c_str()));
      TestKit::Pump();
      if (edit->Focused()) TestKit::PressTab();
      TestKit::Pump();
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

void TChecker::CheckAfterFailure(TOpen& open, bool timeout) {
  const TAction action = entry_.Write ? TAction::Write : TAction::Delete;
  if (!entry_.Write && !entry_.Delete) return;
  const char* kind = timeout ? "after a write that timed out" : "after a write the switch refused";
  if (open.List && open.List->Items()->Count() > 0) {
    const int count = open.List->Items()->Count();
    ChooseByClick(open.List, action == TAction::Delete ? count - 1 : (count > 1 ? 1 : 0));
  }
  std::vector<std::pair<VnSNMPRequest2Edits*, std::uint32_t>> timeouts;
  const std::uint32_t savedTimeout = g_SnmpTimeout;
  if (timeout) {
    // Short time-outs: the write and its one retry are dropped.
    g_SnmpTimeout = 25;
    for (VnSNMPRequest2Edits* r : open.Requests) {
      timeouts.emplace_back(r, r->Request.Timeout);
      r->Request.Timeout = 25;
    }
    Control("drop 2");
  } else {
    Control("inject set 1.3 genErr");
  }
  Press(open, action, nullptr, kind, true);
  Control("normal");  // drops and the injection that no request met
  for (auto& [r, t] : timeouts) r->Request.Timeout = t;
  g_SnmpTimeout = savedTimeout;
  boxes_.Take();

  // Controls of variables the form does not write: their values may move.
  std::set<TControl*> moving;
  for (std::size_t r = 0; r < open.Requests.size(); ++r)
    for (const auto& b : open.Requests[r]->Bindings)
      if (b->ItemIndex >= 0 && b->ItemIndex < static_cast<int>(model_.Requests[r].Items.size()) &&
          !model_.Requests[r].Items[static_cast<std::size_t>(b->ItemIndex)].Writable &&
          !model_.Requests[r].Items[static_cast<std::size_t>(b->ItemIndex)].Key)
        moving.insert(b->Controls.begin(), b->Controls.end());
  // And the boxes that only choose what a write sends: Refresh may untick them.
  std::set<TControl*> bound;
  for (VnSNMPRequest2Edits* r : open.Requests)
    for (const auto& b : r->Bindings) bound.insert(b->Controls.begin(), b->Controls.end());
  std::function<void(TControl*)> ticks = [&](TControl* c) {
    if (dynamic_cast<TCheckBox*>(c) && !bound.count(c)) moving.insert(c);
    if (auto* parent = dynamic_cast<TWinControl*>(c))
      for (int i = 0; i < parent->ControlCount(); ++i) ticks(parent->Controls(i));
  };
  if (!open.List) ticks(open.Form);
  const std::vector<std::string> now = FieldsOf(open.Form, moving);
  const std::string next =
      std::string("the next ") + (action == TAction::Write ? "write " : "Delete ") + kind;
  if (!open.List) {
    if (TButton* refresh = ButtonOf(open.Form, "Refresh"); refresh && refresh->Enabled()) {
      TestKit::Click(refresh);
      EXPECT_TRUE(WaitQuiet(open));
      const std::vector<std::string> read = FieldsOf(open.Form, moving);
      EXPECT_TRUE(now == read) << kind << ", the fields are not what the switch holds:"
                               << Differences(now, "after the write", read, "read again");
    }
    Untouched(open, next, "");
    boxes_.Take();
    return;
  }
  const int selected = open.List->ItemIndex();
  if (selected < 0) {
    if (action == TAction::Write)
      Untouched(open, next + ", no row selected", "-");
    else
      DeleteRow(open, next + ", no row selected", "-");
    boxes_.Take();
    return;
  }
  const std::string name =
      std::string(kind) + ", row " + std::to_string(selected + 1) + " drawn selected";
  TestKit::ClickRow(open.List, selected);
  TestKit::Pump();
  const std::vector<std::string> clicked = FieldsOf(open.Form, moving);
  EXPECT_TRUE(now == clicked) << name << ": the fields and buttons are not those of the row:"
                              << Differences(now, "as left", clicked, "a click on the row");
  ChooseByClick(open.List, selected);
  const std::vector<std::string> fresh = FieldsOf(open.Form, moving);
  EXPECT_TRUE(clicked == fresh) << name << ": a click on the selected row does not show its values:"
                                << Differences(clicked, "a click on it", fresh,
                                               "chosen again from another row");
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

void TChecker::CheckForm(TOpen& open, const std::string& seed) {
  const std::string opening = boxes_.Take();
  EXPECT_TRUE(opening.empty()) << "boxes on opening: " << opening;
  if (!WaitQuiet(open)) ADD_FAILURE() << "the form did not become idle after opening";
  if (open.List)
    CheckRows(open, true);
  else
    CheckScalars(open);
  if (seed == std::string(kSeeds[0])) CheckRefusedEntries(open);
  CheckAfterFailure(open, false);
  if (seed == std::string(kSeeds[0])) CheckAfterFailure(open, true);
  if (entry_.Write && entry_.Delete && open.List && open.List->Items()->Count() > 0) {
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
}

void TChecker::Run() {
  auto reset = [this] {
    Control("reset");
    for (const std::string& line : entry_.Rows) Control(line);
  };
  reset();
  TImage held;
  entry_.Open([&](TOpen& open) {
    ASSERT_TRUE(WaitQuiet(open)) << "the form did not become idle after opening";
    model_ = ModelOf(open.Requests, open.RowRequest);
    held = Image();
    const std::string opening = boxes_.Take();
    EXPECT_TRUE(opening.empty()) << "boxes on opening: " << opening;
    // A form that writes nothing still follows the rows chosen by keys.
    if (!entry_.CannotDrive.empty() && open.List && open.List->Items()->Count() > 0)
      CheckRows(open, false);
  });
  if (!entry_.CannotDrive.empty()) return;
  for (const char* seed : kSeeds) {
    SCOPED_TRACE(std::string("seed ") + seed);
    reset();
    for (const TRequestModel& r : model_.Requests) {
      for (const TItem& item : r.Items) {
        for (const auto& [oid, value] : held.Values) {
          if (InstanceUnder(oid, item.Oid).empty()) continue;
          const std::string command = SeedCommand(item, oid, value, seed);
          if (!command.empty()) Control(command);
        }
      }
    }
    entry_.Open([&](TOpen& open) { CheckForm(open, seed); });
  }
}

}  // namespace

void CheckEntry(const TEntry& entry, simtest::Simulator& sim) {
  TChecker checker(entry, sim);
  checker.Run();
}

}  // namespace formcheck
