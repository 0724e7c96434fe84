// The checker's own class: one entry against the simulated switch, its
// paths split over the files that name them (Checker.cpp: the seeds and the
// switch; WriteChecks.cpp: rows, untouched writes, fields changed alone,
// Delete; FailureChecks.cpp: writes that fail; AddChecks.cpp: Add;
// DialogChecks.cpp: dialogs opened again; EntryChecks.cpp: Refresh after
// the switch changed, reads that fail, entries that cannot be driven,
// action forms; OddAgentChecks.cpp: the seeds of an agent that answers
// oddly).
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "AnsweredBoxes.h"
#include "FormChecker.h"
#include "FormInput.h"
#include "FormModel.h"
#include "OddAgent.h"
#include "SwitchImage.h"

class TButton;
class TControl;
class TWinControl;

namespace formcheck {

class TChecker {
 public:
  TChecker(const TEntry& entry, simtest::Simulator& sim) : entry_(entry), sim_(sim) {
    boxes_.AnswerNo(entry.GoOnWithNo);
  }

  void Run();

 private:
  enum class TAction { Write, Delete };
  enum class TFailure { Refused, TimedOut, SendFails, Stopped, RefusedThenReadFails };

  // ---- the switch (Checker.cpp) ----
  std::string Control(const std::string& command);
  // Gives the switch the seed's values (the store reset first).
  void Seed(const std::string& seed);
  // The request log's length in bytes.
  std::size_t LogSize();
  std::vector<std::string> SetsSince(std::size_t mark) const;
  // The form's variables, and the whole switch but the values that move.
  TImage Image();
  TImage WholeSwitch();
  // The differences between two images of the whole switch outside the
  // form's variables, one line each.
  std::string ChangedElsewhere(const TImage& before, const TImage& after) const;
  const TItem* ItemOf(const std::string& oid, std::string* instance, bool* rows) const;
  // Whether a difference is one the forms make on purpose; `refuses`: one
  // that must come with a box.
  bool Exempt(const TItem& item, const std::string& before, const std::string& after,
              const TImage& held, bool* refuses = nullptr) const;
  // Instances of the rows in the store's order.
  std::vector<std::string> RowInstances(const TImage& image) const;
  // The instance of the list's row, when the list shows the table's rows in
  // order; empty otherwise.
  std::string InstanceOfRow(const TOpen& open, int row);
  std::string Describe(const std::vector<std::string>& sets) const;
  // A SET of no variable is no write: none may go out.
  void NoEmptySet(const std::vector<std::string>& sets, const std::string& what) const;
  // Reads the switch again with the form's Refresh, where it has one.
  bool Restore(TOpen& open);
  // The controls of variables the form does not write (their values move),
  // and with `boxes` the check boxes bound to none (Refresh may untick them).
  std::set<TControl*> Moving(const TOpen& open, bool boxes) const;
  // The controls of the variables the form shows and does not write.
  std::set<TControl*> Displays(const TOpen& open) const;
  // The form as FieldsOf shows it with the values that move left out (with
  // `boxes` the unbound check boxes too) and greyed displays alike.
  std::vector<std::string> Look(const TOpen& open, bool boxes,
                                const std::set<TControl*>& skipped = {}) const;
  // The controls of the variables this entry's exceptions name (the form
  // shows values of its own there on purpose).
  std::set<TControl*> Excepted(const TOpen& open) const;
  // The fields of a list form as FieldsOf gives them, the count of its rows
  // (where a control shows it) named as such: the look of the form with no
  // row selected.
  std::vector<std::string> Unselected(const TOpen& open) const;
  // The list's rows as the user reads them.
  std::vector<std::string> RowsOf(const TOpen& open) const;
  // The cells RowsOf reads, row by row, each named by its column.
  std::vector<std::vector<std::string>> CellRows(const TOpen& open) const;
  // A window of the form (the form, or a dialog its requests write through)
  // as FieldsOf shows it with the values that move left out.
  std::vector<std::string> WindowLook(const TOpen& open, TWinControl* window) const;

  // ---- the paths ----
  void CheckForm(TOpen& open, std::size_t seed);
  // `writes`: the writes as well as the rows chosen with the keys and a click.
  void CheckRows(TOpen& open, bool full, bool writes = true);
  void CheckScalars(TOpen& open, bool full);
  // Every field changed alone (every edit, every box of a grid; with
  // `options` every option of each choice), spread over the rows.
  void CheckEveryField(TOpen& open, bool options);
  void CheckRefusedEntries(TOpen& open);
  void CheckNoSelection(TOpen& open);
  void CheckLastRowDelete(TOpen& open);
  // `forced`: the field to change (else the first one the user can), an
  // option of a choice among them.
  void CheckAfterFailure(TOpen& open, TFailure failure, const TField* forced = nullptr);
  // The next write of the form's requests meets `failure` (not Stopped)
  // while the returned holder lives; its words, as in the failure checks.
  std::shared_ptr<void> FailNextWrite(TOpen& open, TFailure failure);
  static const char* FailureWords(TFailure failure);
  void CheckAdd(TOpen& open);
  // Opens every dialog `times` times: the first time in the seed it records
  // what the dialog shows, each other time it compares.
  void CheckDialogs(TOpen& open, int times);
  void CheckShownAfterRead(TOpen& open, std::size_t seed);
  // A Refresh with a row selected that reads the whole list, is refused, or
  // times out.
  void CheckReads(TOpen& open);
  void CheckNoWrite(TOpen& open);
  // An entry that writes no field of a row offers no Edit or Set for one.
  void CheckNoFieldWrite(TOpen& open);
  // A page's rows take the edit formats of its menu entry.
  void CheckFormats(const TOpen& open);
  void CheckActions(TOpen& open);
  // The row buttons of a list form agree with its selection.
  void CheckRowButtons(const TOpen& open, const std::string& what);
  // The row counts of a list: the static texts that show a number.
  void FindCounts(const TOpen& open);
  // Every row count the form showed as opened shows the rows the list has.
  void CheckCount(const TOpen& open, const std::string& what);
  // The selection, the fields, the row buttons and the row count agree: no
  // row selected, the form shows what it showed with none; a row selected,
  // what a click on it shows (the click is made).
  void CheckAgreement(TOpen& open, const std::string& what);

  // ---- an agent that answers oddly (OddAgentChecks.cpp) ----
  // The odd seed of that name, or null.
  const TOddSeed* OddSeedOf(std::size_t seed) const;
  // What the plain seed shows that the odd seeds are compared with.
  void RecordForOddAgents(TOpen& open);
  void CheckOddAgent(TOpen& open, std::size_t seed);
  // The markers of missing values after a read, and with `boxes` (those
  // the read brought) that the read named what it could not take.
  void CheckOddRead(TOpen& open, const TOddSeed& odd, const std::string& what,
                    const std::string* boxes);

  // ---- steps ----
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
  void OneField(TOpen& open, const TField& f, const std::string& what, const std::string& instance,
                bool partial);
  // Delete: the row of the instance goes ("-": nothing goes), nothing else
  // changes. False when Delete could not be pressed (reported unless
  // `mayBeOff`).
  bool DeleteRow(TOpen& open, const std::string& what, const std::string& instance,
                 bool mayBeOff = false);
  // Presses the action; false when it could not be pressed (reported unless
  // `optional`). Waits until the form is quiet unless `wait` is off.
  bool Press(TOpen& open, TAction action, const TPress& press, const std::string& what,
             bool optional = false, bool wait = true);

  const TEntry& entry_;
  simtest::Simulator& sim_;
  TFormModel model_;
  TAnsweredBoxes boxes_;
  std::size_t logRead_ = 0;       // the log's length when last looked at (it only grows)
  std::set<std::string> moving_;  // instances of the whole switch that move by themselves
  // The variables the form shows but does not write whose values move
  // (counters, time ticks, the front panel; any without an identifier).
  std::set<std::string> movingItems_;
  TImage held_;  // the form's variables as the fixture holds them
  // Per seed: its name, and what the form showed when opened on it (the
  // fields and the rows); empty until then.
  std::vector<std::string> seeds_;
  std::string seed_;  // the seed the switch was given last
  std::vector<std::vector<std::string>> shown_;
  // The form with no row selected, as the user first finds it.
  std::vector<std::string> unselected_;
  bool addDialog_ = false;  // Add opens a dialog
  // The static texts that showed the count of the list's rows as the form
  // was opened.
  std::vector<TControl*> counts_;
  // What each dialog (by its button's caption) showed the first time in the
  // seed: Add every field, the others their boxes.
  std::map<std::string, std::vector<std::string>> dialogLooks_;
  // The odd seeds that hit the form (named after the others in seeds_); the
  // plain seed's rows and the fields of the rows they hit.
  std::vector<TOddSeed> odd_;
  // What the reads of the odd seed being checked cannot take (a box naming
  // one of them is the read's word, not the write's).
  std::vector<std::string> readFails_;
  std::vector<std::vector<std::string>> plainRows_;
  std::map<int, std::vector<std::string>> plainFields_;
  // The controls whose values move, as the form was opened (a form that
  // binds its controls anew meanwhile keeps its first ones).
  std::set<TControl*> moving_controls_;
};

}  // namespace formcheck
