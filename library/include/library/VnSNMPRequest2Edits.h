// A request bound to edit boxes, combo boxes, check boxes, labels, static
// texts and a list view. A binding ties one item of the variable list, or a
// byte range of its raw value, to one or more controls: Get shows the values
// in them, Set reads them back first.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "library/VnSNMPRequest2Controls.h"
#include "platform/Closure.h"

class TCheckBox;
class TComboBox;
class TComponent;
class TControl;
class TEdit;
class TLabel;
class TList;
class TListItem;
class TListView;
class TStaticText;
class VnEditConstraint;
class VnOptionList;

// One binding; owned by the request.
struct ControlBinding {
  int ItemIndex = 0;
  std::uint32_t PartOffset = 0;     // byte offset of the part; 0 for whole values
  std::uint32_t Syntax = 0;         // the item's syntax, or the part syntax
  VnOptionList* Options = nullptr;  // given to a part binder; not owned
  bool HasElements = false;
  std::vector<int> Elements;                // element bindings: one element per control
  std::vector<TControl*> Controls;          // not owned
  std::vector<TNotifyEvent> SavedHandlers;  // the combo boxes' and check boxes' own
  // The last showing of a value that succeeded: the item's value text it came
  // from and what each control held right after (Shown false: none yet).
  bool Shown = false;
  AnsiString ShownValue;
  std::vector<AnsiString> HeldAfterShow;
  int ControlCount() const { return static_cast<int>(Controls.size()); }
};

using TLVSelectItemHandler = TClosure<void(TObject*, TListItem*, bool)>;
using TLVItemHandler = TClosure<void(TObject*, TListItem*)>;

class VnSNMPRequest2Edits : public VnSNMPRequest2Controls {
 public:
  explicit VnSNMPRequest2Edits(TWinControl* owner);
  // Unbinds every control (handlers and edit constraints restored) and
  // gives the list view its own selection handler back.
  ~VnSNMPRequest2Edits() override;

  // Whole-value bindings of one control. A control may be bound once; a
  // second binding raises EInvalidOperation.
  void BindLabel(int item, TLabel* label);
  void BindStaticText(int item, TStaticText* text);
  // Makes the combo box a drop-down list of the item's option texts (-520
  // without an option list, -522 for a prefix list).
  void BindComboBox(int item, TComboBox* combo);
  // One edit per spec of the format ("%i{n1x4094l4}%i{n0x7}": two edits),
  // each getting its input rule.
  void BindEdits(int item, const AnsiString& format, const std::vector<TEdit*>& edits);
  template <class... More>
  void BindEdits(int item, const AnsiString& format, TEdit* edit, More*... more) {
    BindEdits(item, format, std::vector<TEdit*>{edit, more...});
  }
  // A part of the item's octets: `syntax` one of bool8 ... uint16 at `offset`.
  void BindPartEdits(int item, std::uint32_t offset, std::uint32_t syntax, VnOptionList* options,
                     const AnsiString& format, const std::vector<TEdit*>& edits);
  template <class... More>
  void BindPartEdits(int item, std::uint32_t offset, std::uint32_t syntax, VnOptionList* options,
                     const AnsiString& format, TEdit* edit, More*... more) {
    BindPartEdits(item, offset, syntax, options, format, std::vector<TEdit*>{edit, more...});
  }
  void BindPartComboBox(int item, std::uint32_t offset, std::uint32_t syntax, VnOptionList* options,
                        TComboBox* combo);
  // A check box for a two-state value: with an option list the first option
  // is unchecked and the second checked; without one the syntax must be
  // boolean, bool8 or bool16 (-517 at the transfer otherwise).
  void BindCheckBox(int item, TCheckBox* box);
  void BindPartCheckBox(int item, std::uint32_t offset, std::uint32_t syntax, VnOptionList* options,
                        TCheckBox* box);
  // One control (a check box) per element of a bit string, elements listed
  // as "0,1,2": element e is bit 0x80 >> (e % 8) of byte e / 8.
  void BindElements(int item, const AnsiString& indexList, const std::vector<TControl*>& controls);
  template <class... More>
  void BindElements(int item, const AnsiString& indexList, TControl* control, More*... more) {
    BindElements(item, indexList, std::vector<TControl*>{control, more...});
  }
  // The k-th listed element with item k of the list (-522 when the list is
  // shorter).
  void BindElementList(int item, const AnsiString& indexList, TList* controls);
  // Removes every binding of the item, giving its controls back their own
  // handlers and taking the input rules off its edits.
  void Unbind(int item);
  void SetConstraintWindow(TWinControl* window);

  // Item -1: every binding. Each binding remembers the value it showed and
  // what its controls held right after. Reading back, an item whose value
  // text is still the one its bindings showed and whose controls still hold
  // what they held then keeps that value as it is (a port list longer or
  // shorter than its check boxes, a text longer than its edit takes); such
  // an item whose combo box could not show its value (an option the list
  // does not hold) is left out of the next SET, which would refuse it, and
  // takes part again once that SET has gone out (a SET refused before it
  // went out: at the next read or Set). A binding whose controls were
  // changed writes only the bytes and bits they cover. A value text other
  // than the one shown (no row selected, a value the page put in) is
  // rebuilt from the controls as they stand.
  void ValuesToControls(int item);
  void ControlsToValues(int item);
  // What Set does first when the values come from the controls: every value
  // text cleared, then the selected list row (with a list view) or the
  // values last shown (without one) and the bound controls read in. For a
  // page that marks or completes the values before it sends them.
  void ReadValuesFromControls() { DoSetValues(); }
  // True when a control bound to the item no longer holds what it held right
  // after the item was last shown, or a binding of it has not shown a value
  // yet: the user (or the page) changed it since the last read or row.
  bool ItemChanged(int item) const;
  // What the user typed: ItemChanged, judged by the bindings of the item
  // whose controls the user can change (enabled). A field a form switched
  // off and emptied is none; an item no enabled control shows is never
  // typed. What a form keeps after a failed write, and an empty field the
  // Edit dialog refuses.
  bool ItemTyped(int item) const;
  // True when the item holds no value (the agent gave none, or none the
  // item can hold) and its controls still show nothing of it: no check
  // judges it, and a SET leaves it out.
  bool HoldsNoValue(int item) const;
  void EnableControls(bool enable);

  // From then on a Get fills the list view, one row per table row, and a
  // selected row goes into the bound controls.
  void AttachListView(TListView* listView, bool disableUntilSelected);
  // The list view's selection handler.
  virtual void ListViewSelectItem(TObject* Sender, TListItem* Item, bool Selected);
  // Runs (Sender: the list view) once the selection handler has put a newly
  // selected row into the bound controls, whichever way the row was chosen:
  // the pointer, the keys or code, and once a press on the row selected
  // already has put it there again. Not for a row losing the selection.
  TNotifyEvent OnRowShown;

  TLVSelectItemHandler SavedOnSelectItem;
  TListView* ListView = nullptr;
  std::vector<std::unique_ptr<ControlBinding>> Bindings;
  std::unique_ptr<VnEditConstraint> EditConstraint;
  bool DisableUntilSelected = true;
  // A read that fails leaves the controls as the last read that succeeded
  // left them: for a display that writes nothing and stands until the next
  // reading (the front panel's). Off, they show nothing of the read before.
  bool KeepShownOnFailedRead = false;

 protected:
  void DoGetBegin() override;
  void DoGetRow() override;
  void DoSetValues() override;
  void DoSetError(const VnSNMPError& error) override;
  // Without a list view: every item the read was to bring holds no value
  // and its controls show nothing (with `keepTyped`, an item the user
  // changed keeps what was typed). A list view's rows went at the read's
  // start.
  void DoGetLost(bool keepTyped) override;
  void DoGetEnd() override;
  void DoSetEnd() override;
  void CheckBeforeSet(const AnsiString& indexList, TStrings* values) override;
  void ComponentGone(TComponent* component) override;

 private:
  // An item whose controls held a text that cannot be sent as it stands
  // (non-hex characters for a hex syntax, a typed number that is not whole or
  // does not fit the syntax, an unselected combo box), with the value text
  // that was made of it.
  struct BadInput {
    int Item;
    AnsiString Value;
  };

  ControlBinding* AddControlBinding(int item, std::uint32_t offset, std::uint32_t syntax,
                                    VnOptionList* options, TControl* control);
  ControlBinding* AddFormatBinding(int item, std::uint32_t offset, std::uint32_t syntax,
                                   VnOptionList* options, const AnsiString& format,
                                   const std::vector<TEdit*>& edits);
  ControlBinding* AddElementBinding(int item, const AnsiString& indexList,
                                    const std::vector<TControl*>& controls);
  ControlBinding* AddBinding(std::unique_ptr<ControlBinding> binding);
  void CheckItem(int item) const;
  void CheckUnbound(TControl* control) const;
  void HookControl(ControlBinding& b, int k);
  void UnhookControl(ControlBinding& b, int k);
  void DropBinding(std::size_t index, TControl* dead);
  void ForwardEvent(TObject* Sender);
  // The overflow handler of a MAC address in one edit: an address written
  // with separators, too long for the edit, is taken as its twelve digits.
  bool TakeMacDigits(TObject* Sender, AnsiString& Text);
  VnOptionList* EffectiveOptions(const ControlBinding& b) const;

  void ShowBinding(const ControlBinding& b);
  // The binding showed the value text and its controls hold what they held
  // right after: reading them would give that value back, or less of it.
  bool HoldsShownValue(const ControlBinding& b, const AnsiString& value) const;
  // The bytes a binding contributes to its item, whose bytes so far are
  // `value`; bad is set when the controls held a text that cannot be sent.
  std::vector<std::uint8_t> ReadBinding(const ControlBinding& b,
                                        const std::vector<std::uint8_t>& value, bool& bad);
  void NoteBadInput(int item, bool bad);
  // A combo box bound to the whole item shows none of its options.
  bool ShowsNoOption(int item) const;
  // Marks the item invalid for the SET about to go out; TakeBackLeftOut
  // undoes the marks that are still as they were made.
  void LeaveOutOfSet(int item);
  void TakeBackLeftOut();

  // What a list row holds where its cells do not say all of it: the value
  // text of each column's item (a cell shows nothing where the item held no
  // value), the whole values of items whose text shows less, and the row's
  // instance where the index items could not name it. A row without one is
  // what its cells show. Owned by the request; the row points at it.
  struct RowRecord {
    const VnSNMPRequest2Edits* Owner;
    std::vector<AnsiString> Values;
    std::vector<std::optional<VnWholeValue>> Whole;
    AnsiString Instance;
  };
  // The record of a row of the list view, or null.
  const RowRecord* RecordOf(const TListItem* row) const;
  // The rows let go of their records, which are freed.
  void ReleaseRowRecords();

  void BuildListColumns();
  void AddListRow();
  void SelectedRowToValues();
  void RecordColumnMap();
  // The selected row into the bound controls, enabled, then OnRowShown.
  void ShowSelectedRow(TObject* sender);
  // The list view's handler of a press on the row selected already.
  void ListViewPressSelected(TObject* Sender, TListItem* Item);

  std::vector<BadInput> badInputs_;
  // The list view's own handler of a press on its selected row.
  TLVItemHandler savedOnPressSelected_;
  // Items left out of the next SET: the access word before and after.
  struct LeftOut {
    int Item;
    std::uint32_t Before, Marked;
  };
  std::vector<LeftOut> leftOut_;
  // Item of each list-view column, recorded when the columns are built.
  std::vector<int> columnItems_;
  std::vector<std::unique_ptr<RowRecord>> rowRecords_;
  // The cells of the row being added, kept from row to row for their room.
  std::vector<AnsiString> rowCells_;
};
