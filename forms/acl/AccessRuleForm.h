// What the access-rule forms share: a synchronous request over one rule
// table (two index columns: the profile or mask ID and the access ID) shown
// in a list view, key edits, one control per rule field with a tick box
// beside it (only ticked fields are written), a port frame, the buttons
// Refresh, Add, Edit, Delete, Check All and Clear Checks, and a status bar
// whose first panel shows failures. The checks judge what the user entered:
// a value of the selected rule left alone goes back as the switch holds it.
//
// A form of the family still writes itself: its own components (built with
// BuildRuleFrame, TRuleRows and its layout data), its key edits and the
// texts and flags of `Rule`, `TickItems`, FormCreate (CreateRuleRequest, the
// table's bindings, its presets, FirstRead), ClearRuleEdits,
// ValidateRuleInput with its own checks in their order, the masks of
// ApplyFieldMasks, and its Check All and Clear Checks handlers. Refresh,
// Add, Edit, Delete, the list's click, Permit's change and
// closing are here; a form overrides the virtual ones only where its steps
// differ.
#pragma once

#include <functional>
#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

#include "forms/common/ListRows.h"
#include "forms/common/NewEntryChoices.h"
#include "platform/ComCtrls.h"  // TListItem, TItemChange of the list handlers
#include "platform/Forms.h"
#include "platform/Layout.h"

class TButton;
class TCheckBox;
class TComboBox;
class TEdit;
class TFormBuilder;
class TPanel;
class TSavedAccess;
class TStackingPortUitForm;
class TStaticText;
class TStatusBar;
class VnSNMPRequest2Edits;
struct VnSNMPVarDesc;

class TAccessRuleForm : public TForm {
 public:
  ~TAccessRuleForm() override;

  // The components every rule form has, under its resource's names.
  TPanel* Panel1 = nullptr;  // button column
  TButton* GetButton = nullptr;
  TButton* EditButton = nullptr;
  TButton* AddButton = nullptr;
  TButton* DeleteButton = nullptr;
  TStaticText* StaticText1 = nullptr;  // the row count
  TPanel* Panel2 = nullptr;            // list, fields and ports
  TListView* ListView1 = nullptr;
  TCheckBox* cbxPermit = nullptr;
  TComboBox* PermitComboBox = nullptr;
  TCheckBox* cbxRow = nullptr;
  TComboBox* RowComboBox = nullptr;
  TPanel* StackingPortPanel = nullptr;
  TStatusBar* StatusBar1 = nullptr;

  // Owned by the form; null once it has closed.
  std::unique_ptr<VnSNMPRequest2Edits> Request;
  // The row count and the row-selected states following the list.
  TListRows Rows;
  // The port grid in the port host panel; owned by the form, freed on close.
  TStackingPortUitForm* PortFrame = nullptr;

  virtual void FormCreate(TObject* Sender) = 0;
  // CloseRules, then the form is freed.
  void FormClose(TObject* Sender, TCloseAction& Action);
  // Refresh: ReadRules, then the replace-DSCP state where the form has one.
  virtual void GetButtonClick(TObject* Sender);
  void AddButtonClick(TObject* Sender);
  virtual void EditButtonClick(TObject* Sender);
  void DeleteButtonClick(TObject* Sender);
  virtual void ListView1Click(TObject* Sender);
  void PermitComboBoxChange(TObject* Sender);

  // Empties the key and field edits, unticks the tick boxes and the ports,
  // and shows the row count.
  virtual void ClearRuleEdits() = 0;
  // The whole-record check of Add and Edit: false after its message.
  virtual bool ValidateRuleInput() = 0;

  // True when one of the first 32 port boxes is ticked, or the ports are
  // those of the selected rule as the switch holds them; otherwise "You must
  // choose at least 1 port!" (the focus stays) and false.
  bool CheckPortSelected();

 protected:
  explicit TAccessRuleForm(TComponent* AOwner);

  // The priority, replace-DSCP and receive-rate controls of the forms that
  // have them (null elsewhere).
  struct TRuleActions {
    TComboBox* EnablePriority = nullptr;
    TCheckBox* PriorityTick = nullptr;
    TEdit* Priority = nullptr;
    TComboBox* ReplaceDscp = nullptr;
    TCheckBox* ReplaceDscpTick = nullptr;
    TCheckBox* DscpValueTick = nullptr;
    TEdit* DscpValue = nullptr;
    TCheckBox* RxRateTick = nullptr;
    TEdit* RxRate = nullptr;
  };
  // What differs between the forms in the shared handling.
  struct TRuleControls {
    TEdit* FirstKeyEdit = nullptr;
    TEdit* AccessKeyEdit = nullptr;
    // Set only where Add requires a VLAN.
    TCheckBox* VlanTick = nullptr;
    TEdit* VlanEdit = nullptr;
    TRuleActions Actions;
    int RowStatusItem = 0;
    int PortItem = 0;
    const char* FirstKeyMessage = "";
    const char* AccessKeyMessage = "";
    const char* DuplicateMessage = "";
    // False: an Edit writes the ports only when the user changed them.
    bool PortWrittenOnEdit = true;
    bool DeleteCarriesPorts = false;
    bool StatusBarIsTarget = true;
    // Refresh ends with the replace-DSCP state; the read after Add, Edit and
    // Delete only where this is set.
    bool ReplaceDscpAfterWrite = false;
  };
  TRuleControls Rule;
  // Tick box and the item it lets into the SET, in the form's order.
  std::vector<std::pair<TCheckBox*, int>> TickItems;

  // The masks a form applies after the unticked fields are left out (its
  // protocol and priority masks); `editing` for Edit.
  virtual void ApplyFieldMasks(TSavedAccess& saved, bool editing);
  // What follows a completed Add, Edit or Delete: ReadRules(), then the
  // replace-DSCP state where Rule.ReplaceDscpAfterWrite asks for it.
  virtual void ReadAfterWrite();

  // The port frame, the request (synchronous, item type 3, two index
  // columns) over the table, the list view attached, the port item bound to
  // the frame's boxes, and the status bar as status target when asked.
  void CreateRuleRequest(const VnSNMPVarDesc* table);
  // Get, then no-selection and a new entry (ShowNewEntry); a failure goes
  // to the first status panel with the same reset.
  void ReadRules();
  // The first read of FormCreate, once the form has set its presets: the
  // presets are kept as those of a new entry; Get (a failure to the first
  // status panel), then the row count.
  void FirstRead();
  // The fields of a new entry: ClearRuleEdits, and the drop-down lists back
  // at the presets FirstRead kept.
  void ShowNewEntry();

  // Button and key-edit states, set as a whole.
  void SetNoSelection();
  void SetRowSelected();
  // The list view's click: keys from the row and row-selected, or
  // no-selection and ClearRuleEdits. True when a row is selected.
  bool RuleListClick();
  // The row count into the count text.
  void ShowCount();

  // True while a row is selected and the controls of `item` hold what the
  // row showed in them: the user left the value alone (not ItemEntered).
  // Such a value goes back as the switch holds it, and the checks do not
  // judge it (they judge what the user entered).
  bool LeftAlone(int item) const;
  // LeftAlone for the field (not FieldEntered).
  bool LeftAlone(const TControl* control) const;

  // Key edits filled (the form's key messages, focus to the edit).
  bool CheckKeys();
  // False after `message` (focus to the control when enabled) when the box
  // is ticked and the edit is empty or the combo box has no choice, unless
  // the control was left alone.
  bool TickedFieldFilled(TCheckBox* tick, TWinControl* control, const char* message);
  // TickedFieldFilled over the pairs in order.
  bool TickedFieldsFilled(std::initializer_list<std::pair<TCheckBox*, TWinControl*>> fields,
                          const char* message);
  // False after `message` (focus to the edit when enabled) when the box is
  // ticked and the edit, not left alone, does not hold `digits` hexadecimal
  // digits.
  bool TickedHexDigits(TCheckBox* tick, TEdit* edit, int digits, const char* message);
  // False after the Rx-rate range message when the Rx rate is ticked, not
  // left alone, and not 0 to 156249.
  bool RxRateInRange();

  // The priority selector's change: "enabled" enables the priority edit and
  // its box, "disabled" disables them, the box unticked either way. Any
  // other text changes nothing, or disables like "disabled" where
  // `otherTextDisables`.
  void PriorityChange(bool otherTextDisables);
  // The replace-DSCP selector's change: "disabled" empties and disables the
  // value edit and unticks both boxes, the value box disabled; "enabled"
  // enables the edit and both boxes; any other text changes nothing.
  void ReplaceDscpChange();

  // Unticked boxes' items := 32.
  void MaskUnticked(TSavedAccess& saved);
  // Leaves the priority item out when the rule's priority is disabled:
  // `enableItem`'s column of the selected row, or the selector's text.
  void ApplyPriorityFieldMask(TSavedAccess& saved, int priorityItem, int enableItem,
                              TCheckBox* enableTick, TComboBox* enableCombo);
  // With the protocol's tick box ticked, leaves out the protocol fields that
  // the chosen protocol (item index of the combo box: none, icmp, igmp, tcp,
  // udp, protocolId) does not use. `typeItem` is the Type item; Code, Source
  // Port, Destination Port, Flag Bits, Protocol ID and User Mask follow it.
  void MaskUnusedProtocolFields(TSavedAccess& saved, TCheckBox* protocolTick,
                                TComboBox* protocolCombo, int typeItem);

  void AddRule();
  void EditRule();
  void DeleteRule();

  // One button of the button column: the form's member, its name, caption
  // and click handler.
  struct TColumnButton {
    TButton*& Button;
    const char* Name;
    const char* Caption;
    TNotifyEvent OnClick;
  };
  // The frame of a rule form: its name, caption and size, and the list
  // view's size.
  struct TRuleFrame {
    const char* Name;
    const char* Caption;
    int Width;
    int Height;
    int ListWidth;
    int ListHeight;
  };
  // The form (centred, single border, its font, FormCreate and FormClose),
  // the status bar with one panel, the button column ("Panel1", aligned
  // right, 116 wide, no bevels: Refresh, Edit, Add, Delete, the row count
  // "StaticText1" centred and 17 high, then `more`), and the client panel
  // ("Panel2", no bevels) with the list view at (8, 8). Leaves the builder's
  // parent at the client panel.
  void BuildRuleFrame(TFormBuilder& B, const TRuleFrame& frame,
                      const std::vector<TColumnButton>& more);
  // The port host panel below the field rows, as wide as the list view.
  void BuildPortPanel(TFormBuilder& B, int top, int height);

  // The labelled field rows of a rule form: each row a label ("Label1",
  // "Label2", ... in the order made), its tick box (17 wide) unless
  // `boxName` is null, and its edit or drop-down list (`width` wide, or the
  // layout's width when 0), put on the builder's current parent. A
  // captioned row's tick box carries the caption in the label's place.
  struct TRuleRows {
    explicit TRuleRows(TFormBuilder& builder) : B(builder) {}
    void Edit(TCheckBox*& box, const char* boxName, TEdit*& field, const char* name,
              const char* caption, int width = 0);
    void Combo(TCheckBox*& box, const char* boxName, TComboBox*& field, const char* name,
               const char* caption, int width = 0);
    void CaptionedEdit(TCheckBox*& box, const char* boxName, const char* caption, int boxWidth,
                       TEdit*& field, const char* name, int width = 0);
    void CaptionedCombo(TCheckBox*& box, const char* boxName, const char* caption, int boxWidth,
                        TComboBox*& field, const char* name, int width = 0);
    TFormBuilder& B;
    std::vector<TFieldRow> Rows;

   private:
    TControl* Label(const char* caption);
    int count_ = 0;
  };

  // Selection cleared, the port frame freed, the request stopped, waited for
  // and deleted.
  void CloseRules();

 private:
  bool AddConditionsHold();
  // `first` (the row status a Delete chooses), the SET (Rows.Write), then
  // the read after it; false (nothing read) when the SET failed: then the
  // typed fields stay, and no row stays selected where the list is read
  // again.
  bool WriteRule(TSavedAccess& saved, const std::function<void()>& first = {});
  void ShowFailure(const AnsiString& text);
  TNewEntryChoices newEntry_;
};

// Preset of the rule forms' hidden, unbound owner combo box: the position
// of "acl" in the mask tables' owner lists. The box has no items, so it
// stays unchosen.
extern const int kRuleOwnerAcl;
inline constexpr const char* kRxRateRange = "Rx Rate should between 0-156249";
inline constexpr int kRxRateMax = 156249;
