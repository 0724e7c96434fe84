// The checker of the menu's forms and pages against the simulated switch.
// For one menu entry it opens the form through the menu's own handler, for
// each seed of the switch (see FormModel.h), and takes every path a user can
// take on it:
// - every row, chosen with the keys and with a click, shows the same fields;
//   the write with nothing touched leaves the whole switch byte for byte as
//   it was and goes to the row drawn selected;
// - every writable field changed alone (every edit, every option of each
//   choice, every box of a grid, the rows of a list in turn; on pages and in
//   dialogs with that row alone ticked) changes that variable alone, and on
//   the whole switch nothing else;
// - after a write that carries a change (an edit, a choice and a box, on
//   the form or in its dialog) and is refused, times out, fails at send, or
//   is stopped while it is out: the form is idle, a progress box has
//   closed, the failure is the last status line, each field changed shows
//   what was typed, the window the write was pressed in shows what it
//   showed then (a dialog stays open; the form, while the row the fields
//   were typed for stays selected), the selection, the fields, the row
//   buttons and the row count agree (the buttons that act on a row are
//   enabled exactly while one is selected), the next write writes the row
//   drawn selected or nothing, and Close closes the form;
// - after a read, whole or failed, and after a click beside the rows: the
//   selection, the fields, the row buttons and the row count agree;
// - a page writes with every row ticked, the rows the switch holds empty
//   too: an empty value nobody touched goes back as it is;
// - a Refresh after the switch changed behind the form shows what the switch
//   holds (what the form showed when opened on those values);
// - Write and Delete with no row selected change nothing; Delete removes the
//   selected row alone;
// - Add, with a row selected and nothing typed, creates nothing over that
//   row; with values typed into every field, sends those values byte for
//   byte; refused, it keeps them (texts, choices and ticks) and the row
//   count stays the count of the rows shown;
// - every dialog opens as it did the first time, each time: the focus on
//   its first field, its boxes ticked as then (Add: every field as then),
//   whatever was ticked and typed in it or in another dialog meanwhile;
// - an entry that cannot be driven offers no write; an action form sends the
//   SET its action must send.
// Exceptions the forms make on purpose stand in one table (kExceptions).
//
// A failure names the entry, the seed, the row, the field, the variable and
// its values before and after.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class TCustomForm;
class TListView;
class TWinControl;
class VnSNMPRequest2Edits;

namespace simtest {
class Simulator;
}

namespace formcheck {

struct TImage;

// A form (or generic page) on the screen, as its entry found it.
struct TOpen {
  TCustomForm* Form = nullptr;
  std::vector<VnSNMPRequest2Edits*> Requests;  // every request that reads or writes
  VnSNMPRequest2Edits* RowRequest = nullptr;   // the one whose list shows the rows
  TListView* List = nullptr;                   // the rows, or null
};

// How a write is pressed: `Change` (null: nothing is changed) runs once the
// fields are on the screen; `Partial`: on a page or in a dialog of a page,
// only the rows `Change` ticks are ticked (else every row is); `After` runs
// in the window the write was pressed in (the dialog while it is still up)
// once the write has been answered.
struct TPress {
  std::function<void()> Change;
  bool Partial = false;
  std::function<void(TWinControl* window)> After;
};

// Writes through the form as the user does. False, with the reason, when
// the write cannot be pressed.
using TWrite = std::function<bool(TOpen& open, const TPress& press, std::string& why)>;

// What an action form must send: the texts typed into its edits (by name),
// the button, and the varbinds ("OID=VALUE" as the switch writes them) the
// SET carries.
struct TActionCase {
  std::vector<std::pair<std::string, std::string>> Typed;
  std::string Button = "Set";
  std::vector<std::string> Sent;
};

// One menu entry.
struct TEntry {
  std::string Name;       // the test's name
  std::string Path;       // the menu path
  std::string Component;  // the menu item's component name
  // Why the checker cannot drive it (empty when it can). Such an entry is
  // still opened, and must then offer no write.
  std::string CannotDrive;
  // Control lines that give the switch more rows before the form opens.
  std::vector<std::string> Rows;
  // Seeds of the entry's own: a name and the control lines that lead the
  // form down another branch.
  std::vector<std::pair<std::string, std::vector<std::string>>> Branches;
  // Texts the checker types into the edit of a variable (by its label or
  // the edit's name) where the edit's rule does not tell a valid one: two,
  // so that one differs from what the edit shows. Named for a choice: the
  // option (the first text) Add picks for it.
  std::vector<std::pair<std::string, std::pair<std::string, std::string>>> Texts;
  // Opens the form as the menu does, runs the body while it is shown, and
  // closes it.
  std::function<void(const std::function<void(TOpen&)>& body)> Open;
  // The form's write of the fields (null: it has none), and its Delete of
  // the selected row (null: none).
  TWrite Write;
  TWrite Delete;
  // The action of an action form, and what it must send.
  std::vector<TActionCase> Actions;
  // Why Add is not driven with typed values (empty: it is, where the form
  // shows an Add button).
  std::string NoAdd;
  // Buttons of a list form that act on the form, not on the selected row.
  std::vector<std::string> FormButtons;
  // Questions whose No lets the write go on (the form asks whether the
  // user would rather correct the fields first): answered No.
  std::vector<std::string> GoOnWithNo;
  // The captions of the buttons that open a dialog to write (Add is found
  // by pressing it).
  std::vector<std::string> Dialogs;
  // A generic page: it writes the rows ticked alone.
  bool Page = false;
  // The edit formats its menu entry gives a page's rows ("%i{n0x255l3}"),
  // which the page's edits must take.
  std::vector<std::pair<int, std::string>> Formats;
};

// A difference the forms make on purpose: the entry (empty: any), the
// variable (empty: any), whether it allows the value `after` where the
// switch held `before` (null: the form leaves the variable out of its write
// when the user changes it alone), given the form's variables `held` as the
// write left them, and the reason. `Refuses`: the difference is the form refusing the
// change, which it must tell the user (a box, or its last status line).
struct TException {
  const char* Entry;
  const char* Oid;
  bool (*Allows)(const TImage& held, std::uint32_t syntax, const std::string& before,
                 const std::string& after);
  const char* Reason;
  bool Refuses = false;
};
extern const std::vector<TException> kExceptions;

// Runs every check of the entry against the simulator (reset between the
// seeds); failures go to the running test. The entry is opened through the
// menu window that lives meanwhile (MenuWindow.h).
void CheckEntry(const TEntry& entry, simtest::Simulator& sim);

// ---- helpers the entries share ----------------------------------------------

// Runs the message loop until no request of the form is busy and the SNMP
// session has nothing outstanding, twice in a row; false after `ms`.
bool WaitQuiet(const TOpen& open, int ms = 15000);
// Lets the progress dialogs a write may open run to their end (their timer
// driven at once), and fails on any other dialog that opens.
void QueueProgressDialogs();
// Names the step whose dialogs QueueProgressDialogs judges. While `failing`,
// the write they wait for fails: each must close by itself once the write
// has been answered, without its timer.
void SetProgressStep(const std::string& step, bool failing = false);
// Whether the write the progress dialogs wait for is failing now.
bool ProgressFailing();

}  // namespace formcheck
