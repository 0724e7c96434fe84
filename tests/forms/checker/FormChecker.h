// The checker of the menu's forms and pages against the simulated switch.
// For one menu entry and each seed of the switch it opens the form as the
// menu does and proves, row by row (each row chosen with the keys and with
// a click):
// - the write with nothing touched leaves the switch byte for byte as it
//   was and goes to the row drawn selected;
// - one field changed changes that field alone (and, in a port list or a
//   part of an octet string, those bits alone);
// - after a write the switch refuses, and after one that times out, the
//   selection, the fields and the buttons agree, a click on the selected
//   row shows its values, and the next write writes that row or nothing.
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

class TButton;
class TCustomForm;
class TListView;
class TWinControl;
class VnSNMPRequest2Edits;

namespace simtest {
class Simulator;
}

namespace formcheck {

// A form (or generic page) on the screen, as its entry found it.
struct TOpen {
  TCustomForm* Form = nullptr;
  std::vector<VnSNMPRequest2Edits*> Requests;  // every request that reads or writes
  VnSNMPRequest2Edits* RowRequest = nullptr;   // the one whose list shows the rows
  TListView* List = nullptr;                   // the rows, or null
};

// Writes through the form as the user does: `change` (null: nothing is
// changed) runs once the fields are on the screen, then the form's write is
// pressed. False, with the reason, when the write cannot be pressed.
using TWrite =
    std::function<bool(TOpen& open, const std::function<void()>& change, std::string& why)>;

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
  // Texts the checker types into the edit of a variable (by its label)
  // where the edit's rule does not tell a valid one: two, so that one
  // differs from what the edit shows.
  std::vector<std::pair<std::string, std::pair<std::string, std::string>>> Texts;
  // Opens the form as the menu does, runs the body while it is shown, and
  // closes it.
  std::function<void(const std::function<void(TOpen&)>& body)> Open;
  // The form's write of the fields (null: it has none), and its Delete of
  // the selected row (null: none).
  TWrite Write;
  TWrite Delete;
};

// A difference the forms make on purpose: the entry (empty: any), the
// variable (empty: any), whether it allows the value `after` where the
// switch held `before` (null: the form leaves the variable out of its write
// when the user changes it alone), and the reason.
struct TException {
  const char* Entry;
  const char* Oid;
  bool (*Allows)(std::uint32_t syntax, const std::string& before, const std::string& after);
  const char* Reason;
};
extern const std::vector<TException> kExceptions;

// Runs every check of the entry against the simulator (reset between the
// seeds); failures go to the running test.
void CheckEntry(const TEntry& entry, simtest::Simulator& sim);

// ---- helpers the entries share ----------------------------------------------

// Runs the message loop until no request of the form is busy and the SNMP
// session has nothing outstanding, twice in a row; false after `ms`.
bool WaitQuiet(const TOpen& open, int ms = 15000);
// The button of the window with this caption that is shown (null: none).
TButton* ButtonOf(TWinControl* window, const char* caption);
// Lets the progress dialogs a write may open run to their end (their timer
// driven at once), and fails on any other dialog that opens.
void QueueProgressDialogs();

}  // namespace formcheck
