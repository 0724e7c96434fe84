// The choices of a form's drop-down lists as they stand for a new entry
// (the presets the form sets when it opens), kept once and put back
// whenever the form shows a new entry again: after a read, after a
// removal, when no row is selected. A list left at the last row's choice
// would have the next Add write, or refuse, what the user never chose.
//
//   FormCreate:  ...presets...; choices.Remember(this);
//   Refresh:     ...clear the edits...; choices.Restore();
#pragma once

#include <memory>
#include <vector>

class TComboBox;
class TComponent;

class TNewEntryChoices {
 public:
  // The item index of every combo box that `owner` owns, as it is now;
  // later calls keep what the first one kept.
  void Remember(TComponent* owner);
  // Puts each list back at its kept choice; the OnChange handler of a list
  // whose choice changed runs, as when the user picks it, so that what
  // follows the choice follows it again. Lists destroyed meanwhile are
  // passed by.
  void Restore();

 private:
  struct TChoice {
    TComboBox* Combo;
    std::weak_ptr<void> Alive;
    int Index;
  };
  std::vector<TChoice> choices_;
  bool remembered_ = false;
};
