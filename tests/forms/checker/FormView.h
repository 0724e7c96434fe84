// What the user sees of a form or dialog, as the checker compares it: its
// fields line by line, its last status line, the cells of a list's row, the
// control that has the focus, and the buttons that act on a row.
#pragma once

#include <set>
#include <string>
#include <vector>

class TButton;
class TControl;
class TCustomForm;
class TListView;
class TWinControl;

namespace formcheck {

// The fields of a window on the screen as the user finds them, one line each: name, text,
// and whether it is disabled, read-only, ticked, or coloured as a locked
// key. Memos, status bars and lists are left out: their lines are the
// status and the rows. The text of the controls in `moving` (values that
// move on the switch) is left out, and so are the controls in `skipped`.
// The lines come in the order of their names.
// Of the controls in `displays` (values shown that take no input) whether
// they are greyed is left out.
std::vector<std::string> FieldsOf(TWinControl* window, const std::set<TControl*>& moving = {},
                                  const std::set<TControl*>& skipped = {},
                                  const std::set<TControl*>& displays = {});
// The line FieldsOf gives the control, or empty; and its name there.
std::string FieldLine(TControl* control);
std::string FieldPath(TControl* control);
// The lines without the control's (all of them when null), and its line
// among them (empty: none).
std::vector<std::string> Without(const std::vector<std::string>& lines, TControl* control);
std::string LineOf(const std::vector<std::string>& lines, TControl* control);

// "\n  first:" the lines of `first` that `second` lacks, then the same the
// other way round.
std::string Differences(const std::vector<std::string>& first, const char* firstName,
                        const std::vector<std::string>& second, const char* secondName);

// The window's last status line: its memo's, or its status bar's (empty when
// it has none or it is empty).
std::string LastStatus(TWinControl* window);
// The same as a line of a failure message ("" when empty).
std::string StatusLine(TWinControl* window);

// The cells of a list's row as the user reads them, quoted.
std::string RowText(TListView* list, int row);
// One cell of a list: column 0 is the caption; a column the row has no
// text for is empty.
std::string CellOf(TListView* list, int row, int column);
// A control's name, or what it is.
std::string NameOf(TControl* control);

// The button of the window with this caption that is shown (null: none).
TButton* ButtonOf(TWinControl* window, const char* caption);
// Every button of the window that is shown.
std::vector<TButton*> ButtonsOf(TWinControl* window);
// The control of the window that has the focus (null: none).
TWinControl* FocusedIn(TWinControl* window);
// The first field of the window's tab order that takes the focus (an edit,
// a combo box, a check box, a list), null when none.
TWinControl* FirstField(TWinControl* window);

// The buttons of a list form that act on the selected row: Edit, Delete and
// Set where they are shown.
std::vector<TButton*> RowButtons(TWinControl* window);

}  // namespace formcheck
