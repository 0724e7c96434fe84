// The checker's table: one entry for every form entry and every generic page
// of the main window's menu, found by its menu path. Feature forms are
// opened by their registered menu openers and listed with the typed builder
// Of<T>; generic pages are built from the menu table as the menu handlers
// build them.
//
//   Of<TSTP_Info>("Bridge > Spanning Tree > STP Control")
//       .Requests(&TSTP_Info::TimerRequest, &TSTP_Info::MSTPRequest)
//       .Writes("Set"),
//   Of<TTrafficSegmentationForm>("Layer 2 Management > Traffic Segmentation Table")
//       .Requests(&TTrafficSegmentationForm::Request)   // its list view shows the rows
//       .Rows({"set 1.3.6... x 00000000"}),            // more rows for the keys
//   Of<TDiagnosticsInformationForm>("...").CannotDrive("shows counters and writes nothing"),
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "FormChecker.h"
#include "platform/Forms.h"

class TListView;
class VnSNMPRequest2Edits;
struct TMainMenuEntry;

namespace formcheck {

// The menu entry with the path (null: none).
const TMainMenuEntry* MenuEntryAt(const std::string& path);
// The test's name of a menu entry: its path's captions in camel case, as
// few from the end as make it unique in the menu (and the component's name
// after them where two entries share the path).
std::string TestNameOf(const std::string& path, const std::string& component = "");

// Writes with the button of that caption ("A|B": A, else B), after "Check
// All" where the form has it (unless the write is partial: on a generic
// `page` every row is unticked then, and the change ticks its own). Every
// row is ticked, the rows the switch holds empty too.
TWrite PressButton(std::string caption, bool page = false);
// Writes in the dialog the button opens: "Check All" there where it has
// it (else every row of a page's edits ticked, unless the write is partial),
// the check boxes named in `ticks`, the change, then the dialog's button
// ("Set Checked", else "Set"); the dialog is closed with its Close button
// when it is still up.
TWrite ThroughDialog(std::string caption, std::vector<std::string> ticks = {});
// Presses the button alone (Delete: its question answered yes).
TWrite PressOnly(std::string caption);
// Closes a dialog still up as the user does: its Close button, else its
// window's close box.
void CloseDialog(TCustomForm* dialog);
// Ticks every row a page's edits (in the window) offer for writing, as the
// user does one by one where the window has no Check All.
void TickEveryRow(TWinControl* window);

// Opens the entry's form with the handler of its menu item; the body gets
// the form and what `collect` finds in it. Afterwards the form is closed as
// the user closes it.
void OpenFeatureForm(const std::string& path,
                     const std::function<void(TCustomForm*, TOpen&)>& collect,
                     const std::function<void(TOpen&)>& body);

template <class T>
class Of {
 public:
  using TRequestOf = std::function<VnSNMPRequest2Edits*(T*)>;

  explicit Of(const char* path) {
    entry_.Path = path;
    entry_.Name = "Form_" + TestNameOf(path);
    entry_.Write = PressButton("Set");
  }
  // The form's requests, as members.
  template <class... M>
  Of&& Requests(M... members) && {
    (requests_.push_back([members](T* f) -> VnSNMPRequest2Edits* { return (f->*members).get(); }),
     ...);
    return std::move(*this);
  }
  // A request that is no member of the form (a dialog's, a base's).
  Of&& Request(TRequestOf request) && {
    requests_.push_back(std::move(request));
    return std::move(*this);
  }
  // The list of the rows, when no request's list view shows them.
  Of&& List(TListView* T::*list) && {
    list_ = list;
    return std::move(*this);
  }
  Of&& Writes(const char* caption) && {
    entry_.Write = PressButton(caption);
    return std::move(*this);
  }
  // `ticks`: the dialog's boxes that choose the fields to write.
  Of&& WritesInDialog(const char* caption, std::vector<std::string> ticks = {}) && {
    entry_.Write = ThroughDialog(caption, std::move(ticks));
    entry_.Dialogs.push_back(caption);
    return std::move(*this);
  }
  // The form writes no field of a row (it adds and deletes rows only).
  Of&& NoWrite() && {
    entry_.Write = nullptr;
    return std::move(*this);
  }
  Of&& Deletes(const char* caption = "Delete") && {
    entry_.Delete = PressOnly(caption);
    return std::move(*this);
  }
  Of&& Rows(std::vector<std::string> lines) && {
    entry_.Rows = std::move(lines);
    return std::move(*this);
  }
  // What the checker types into the edit of the variable labelled so: a,
  // or b where the edit shows a.
  Of&& Types(const char* label, const char* a, const char* b) && {
    entry_.Texts.push_back({label, {a, b}});
    return std::move(*this);
  }
  Of&& CannotDrive(const char* why) && {
    entry_.CannotDrive = why;
    return std::move(*this);
  }
  // A seed of the entry's own: the control lines that lead the form down
  // another branch.
  Of&& Branch(const char* name, std::vector<std::string> lines) && {
    entry_.Branches.push_back({name, std::move(lines)});
    return std::move(*this);
  }
  // An action form: what is typed (edit or combo box by name), and the
  // varbinds its Set must send.
  Of&& Action(std::vector<std::pair<std::string, std::string>> typed,
              std::vector<std::string> sent) && {
    entry_.Write = nullptr;
    entry_.Actions.push_back({std::move(typed), "Set", std::move(sent)});
    return std::move(*this);
  }
  Of&& NoAdd(const char* why) && {
    entry_.NoAdd = why;
    return std::move(*this);
  }
  // A question of the form whose No lets the write go on.
  Of&& GoesOnWithNo(const char* question) && {
    entry_.GoOnWithNo.push_back(question);
    return std::move(*this);
  }
  // A button of the list form that acts on the form's own fields.
  Of&& ActsOnForm(const char* caption) && {
    entry_.FormButtons.push_back(caption);
    return std::move(*this);
  }

  operator TEntry() && {  // NOLINT: table entries
    auto requests = requests_;
    auto list = list_;
    const std::string path = entry_.Path;
    entry_.Open = [path, requests, list](const std::function<void(TOpen&)>& body) {
      OpenFeatureForm(
          path,
          [requests, list](TCustomForm* form, TOpen& open) {
            T* f = dynamic_cast<T*>(form);
            if (!f) return;
            for (const TRequestOf& r : requests)
              if (VnSNMPRequest2Edits* request = r(f)) open.Requests.push_back(request);
            if (list) open.List = f->*list;
            if (list && !open.Requests.empty()) open.RowRequest = open.Requests.front();
          },
          body);
    };
    return std::move(entry_);
  }

 private:
  TEntry entry_;
  std::vector<TRequestOf> requests_;
  TListView* T::*list_ = nullptr;
};

// Every entry of the menu that opens a form or a generic page, in menu
// order: the feature forms of the table, the pages from the menu table.
const std::vector<TEntry>& MenuEntries();
// The feature forms' entries.
std::vector<TEntry> FeatureForms();

}  // namespace formcheck
