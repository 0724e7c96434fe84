#include "FormView.h"

#include <cxxabi.h>

#include <algorithm>
#include <cstdlib>
#include <typeinfo>

#include "platform/Buttons.h"
#include "platform/ComCtrls.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"

namespace formcheck {

namespace {

bool IsStatusOrList(TControl* control) {
  return dynamic_cast<TMemo*>(control) || dynamic_cast<TStatusBar*>(control) ||
         dynamic_cast<TListView*>(control);
}

std::string ClassOf(TControl* control) {
  const char* mangled = typeid(*control).name();
  int status = 0;
  char* plain = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
  std::string name = status == 0 && plain ? plain : mangled;
  std::free(plain);
  return name;
}

// A control without a name is named by its class and its place among its
// parent's controls of that class (a panel lent to a dialog and taken back
// keeps its name).
std::string OwnName(TControl* control) {
  std::string own = control->Name().str();
  if (!own.empty() || !control->Parent()) return own;
  const std::string kind = ClassOf(control);
  int place = 0;
  for (int i = 0; i < control->Parent()->ControlCount(); ++i) {
    TControl* sibling = control->Parent()->Controls(i);
    if (sibling == control) break;
    if (sibling->Name().IsEmpty() && ClassOf(sibling) == kind) ++place;
  }
  return kind + "#" + std::to_string(place);
}

std::string Line(TControl* control, const std::string& name, bool moving, bool display) {
  std::string line =
      name + (moving ? std::string(" (read only)") : " \"" + control->Text().str() + "\"");
  // A value that only shows what the switch holds takes no input: whether
  // it is greyed is no part of it.
  if (!control->Enabled() && !moving && !display) line += " disabled";
  if (auto* edit = dynamic_cast<TEdit*>(control)) {
    if (edit->ReadOnly()) line += " read-only";
    line += " colour " + std::to_string(static_cast<long>(edit->Color()));
  }
  if (auto* box = dynamic_cast<TCheckBox*>(control); box && box->Checked() && !moving)
    line += " ticked";
  return line;
}

void Describe(TControl* control, const std::string& path, const std::set<TControl*>& moving,
              const std::set<TControl*>& skipped, const std::set<TControl*>& displays,
              std::vector<std::string>& lines) {
  // What is not on the screen is nothing the user sees.
  if (IsStatusOrList(control) || skipped.count(control) || !control->Showing()) return;
  const std::string name = path + OwnName(control);
  lines.push_back(Line(control, name, moving.count(control) != 0, displays.count(control) != 0));
  if (auto* parent = dynamic_cast<TWinControl*>(control))
    for (int i = 0; i < parent->ControlCount(); ++i)
      Describe(parent->Controls(i), name + "/", moving, skipped, displays, lines);
}

// The lines of `a` that `b` lacks.
std::string Missing(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  std::string out;
  for (const std::string& line : a)
    if (std::find(b.begin(), b.end(), line) == b.end()) out += "\n    " + line;
  return out;
}

void FindStatus(TControl* control, std::string& status) {
  if (auto* memo = dynamic_cast<TMemo*>(control); memo && memo->Lines()->Count() > 0)
    status = memo->Lines()->Strings(memo->Lines()->Count() - 1).str();
  if (auto* bar = dynamic_cast<TStatusBar*>(control)) status = bar->DisplayedText().str();
  if (auto* parent = dynamic_cast<TWinControl*>(control))
    for (int i = 0; i < parent->ControlCount(); ++i) FindStatus(parent->Controls(i), status);
}

bool IsField(TWinControl* control) {
  return dynamic_cast<TEdit*>(control) || dynamic_cast<TComboBox*>(control) ||
         dynamic_cast<TCheckBox*>(control) || dynamic_cast<TListView*>(control) ||
         dynamic_cast<TMemo*>(control);
}

}  // namespace

std::vector<std::string> FieldsOf(TWinControl* window, const std::set<TControl*>& moving,
                                  const std::set<TControl*>& skipped,
                                  const std::set<TControl*>& displays) {
  std::vector<std::string> lines;
  if (window) Describe(window, "", moving, skipped, displays, lines);
  // In the order of their names: where a control sits among its siblings
  // is nothing the user sees.
  std::sort(lines.begin(), lines.end());
  return lines;
}

std::string FieldPath(TControl* control) {
  std::string path;
  for (TControl* c = control; c; c = c->Parent())
    path = OwnName(c) + (path.empty() ? "" : "/") + path;
  return path;
}

std::string FieldLine(TControl* control) {
  return control ? Line(control, FieldPath(control), false, false) : "";
}

std::vector<std::string> Without(const std::vector<std::string>& lines, TControl* control) {
  if (!control) return lines;
  const std::string start = FieldPath(control) + " ";
  std::vector<std::string> out;
  for (const std::string& line : lines)
    if (line.rfind(start, 0) != 0) out.push_back(line);
  return out;
}

std::string LineOf(const std::vector<std::string>& lines, TControl* control) {
  if (!control) return "";
  const std::string start = FieldPath(control) + " ";
  for (const std::string& line : lines)
    if (line.rfind(start, 0) == 0) return line;
  return "";
}

std::string Differences(const std::vector<std::string>& first, const char* firstName,
                        const std::vector<std::string>& second, const char* secondName) {
  return std::string("\n  ") + firstName + ":" + Missing(first, second) + "\n  " + secondName +
         ":" + Missing(second, first);
}

std::string LastStatus(TWinControl* window) {
  std::string status;
  if (window) FindStatus(window, status);
  return status;
}

std::string StatusLine(TWinControl* window) {
  const std::string status = LastStatus(window);
  return status.empty() ? "" : "\n    status: \"" + status + "\"";
}

std::string RowText(TListView* list, int row) {
  if (row < 0 || row >= list->Items()->Count()) return "";
  TListItem* item = list->Items()->Item(row);
  std::string text = item->Caption().str();
  for (int i = 0; i < item->SubItems()->Count() && i < 4; ++i)
    text += " | " + item->SubItems()->Strings(i).str();
  return " \"" + text + "\"";
}

std::string CellOf(TListView* list, int row, int column) {
  TListItem* item = list->Items()->Item(row);
  if (column == 0) return item->Caption().str();
  return column - 1 < item->SubItems()->Count() ? item->SubItems()->Strings(column - 1).str() : "";
}

std::string NameOf(TControl* control) {
  std::string name = control->Name().str();
  if (!name.empty()) return name;
  if (dynamic_cast<TCheckBox*>(control)) return "the check box \"" + control->Text().str() + "\"";
  if (dynamic_cast<TComboBox*>(control)) return "the combo box";
  return "the edit";
}

TButton* ButtonOf(TWinControl* window, const char* caption) {
  if (!window) return nullptr;
  for (TButton* button : ButtonsOf(window))
    if (button->Caption() == caption) return button;
  return nullptr;
}

std::vector<TButton*> ButtonsOf(TWinControl* window) {
  std::vector<TButton*> out;
  if (!window) return out;
  for (int i = 0; i < window->ControlCount(); ++i) {
    TControl* c = window->Controls(i);
    if (auto* button = dynamic_cast<TButton*>(c); button && c->Showing()) out.push_back(button);
    if (auto* inner = dynamic_cast<TWinControl*>(c)) {
      const std::vector<TButton*> more = ButtonsOf(inner);
      out.insert(out.end(), more.begin(), more.end());
    }
  }
  return out;
}

TWinControl* FocusedIn(TWinControl* window) {
  if (!window) return nullptr;
  if (window->Focused()) return window;
  for (int i = 0; i < window->ControlCount(); ++i)
    if (auto* inner = dynamic_cast<TWinControl*>(window->Controls(i)))
      if (TWinControl* found = FocusedIn(inner)) return found;
  return nullptr;
}

TWinControl* FirstField(TWinControl* window) {
  std::vector<TWinControl*> order;
  if (window) window->GetTabOrderList(order);
  for (TWinControl* c : order)
    if (c->TabStop() && c->CanFocus() && IsField(c)) return c;
  return nullptr;
}

std::vector<TButton*> RowButtons(TWinControl* window) {
  std::vector<TButton*> out;
  for (const char* caption : {"Edit", "Delete", "Set"})
    if (TButton* button = ButtonOf(window, caption)) out.push_back(button);
  return out;
}

}  // namespace formcheck
