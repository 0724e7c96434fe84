// The switch's daylight-saving rule: off, a repeating rule (week, weekday and
// month, hour and minute of the start and of the end) or an annual one (day,
// month, hour and minute), and the offset in minutes.
//
// The form hosts the generic editor panel over the summer-time scalars and
// replaces the plain rows of the four rule values by composite rows: combo
// boxes and edit boxes bound to the parts of the octet strings. Its own
// "Refresh" and "Set Checked" read and write in two steps, the status first,
// then the offset and the rule that the status selects. The request is
// synchronous.
#pragma once

#include <array>
#include <initializer_list>
#include <memory>

#include "platform/Classes.h"
#include "platform/Closure.h"
#include "platform/Forms.h"

class TComboBox;
class TEdit;
class TLabel;
class TPanel;
class TSNMPEditorPanel;
class VnSNMPRequest2Edits;

// The controls of one composite row: entry 0 is the row's own (hidden) edit
// box, which the editor panel's empty-row check reads; then the composite
// controls from left to right (repeating rows: month, week, weekday, hour,
// minute; annual rows: day, month, hour, minute). Nothing is owned.
class TCtrlsList : public TList {
 public:
  TControl* Control(int i) const { return static_cast<TControl*>(Items(i)); }
  // The panel that stands in the place of the row's edit box.
  TPanel* Host = nullptr;
};

class TSummerTimeForm : public TForm {
 public:
  explicit TSummerTimeForm(TComponent* AOwner);
  ~TSummerTimeForm() override;

  // Checks the ticked rows the user changed; the first failure is shown and
  // false returned.
  bool CheckSummerTime();
  // Shows the rule rows that the status selects; the others are hidden and
  // unticked.
  void ShowRuleRows(TObject* Sender);
  void RefreshSummerTime(TObject* Sender);
  void SetSummerTime(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);

  // Owned by the form; deleted when the form closes.
  std::unique_ptr<VnSNMPRequest2Edits> Request;
  TSNMPEditorPanel* Panel = nullptr;  // owned by the form (component)
  // Items 2, 3, 4, 5 in this order.
  std::array<std::unique_ptr<TCtrlsList>, 4> CtrlsLists;
  // The editor panel's own "Set Checked" action.
  TNotifyEvent SavedSetAction;

 private:
  void BuildCompositeRow(int item);
  // Puts each composite panel over its row's edit box and shows it with the
  // row.
  void PlaceCompositeRows();
  void ArrangeAndFit();
  TComboBox* StatusCombo() const;
  AnsiString StatusText() const;
  // Leaves every item but those listed out of the next read or write.
  void MarkValid(std::initializer_list<int> items);
  // Runs the saved "Set Checked" unless none of the valid rows is ticked.
  void WriteTickedValidRows();
};
