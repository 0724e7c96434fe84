// What the access-rule forms share: a synchronous request over one rule
// table (two index columns: the profile or mask ID and the access ID) shown
// in a list view, key edits, one control per rule field with a tick box
// beside it (only ticked fields are written), a port frame, the buttons
// Refresh, Add, Edit, Delete, Check All and Clear Checks, and a status bar
// whose first panel shows failures.
//
// A form derives from TAccessRuleForm, builds its components, fills `Rule`
// and `TickItems`, and calls the helpers from its own handlers:
//
//   FormCreate:  CreateRuleRequest(table); bindings; presets; ReadRules();
//   Refresh:     ReadRules(); its selector handlers
//   Add:         AddRule();    (ValidateRuleInput and ApplyFieldMasks are the
//   Edit:        EditRule();    form's own)
//   Delete:      DeleteRule();
//   list click:  RuleListClick(); its selector handlers
//   FormClose:   CloseRules(); Action = caFree;
#pragma once

#include <memory>
#include <utility>
#include <vector>

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

  // Owned by the form; null once it has closed.
  std::unique_ptr<VnSNMPRequest2Edits> Request;
  // The port grid in the port host panel; owned by the form, freed on close.
  TStackingPortUitForm* PortFrame = nullptr;

  // Empties the key and field edits, unticks the tick boxes and the ports,
  // and shows the row count.
  virtual void ClearRuleEdits() = 0;
  // The whole-record check of Add and Edit: false after its message.
  virtual bool ValidateRuleInput() = 0;

  // True when one of the first 32 port boxes is ticked; otherwise "You must
  // choose at least 1 port!" (the focus stays) and false.
  bool CheckPortSelected();

 protected:
  explicit TAccessRuleForm(TComponent* AOwner);

  // The controls and texts that the shared handling works on.
  struct TRuleControls {
    TListView* List = nullptr;
    TEdit* FirstKeyEdit = nullptr;
    TEdit* AccessKeyEdit = nullptr;
    TWinControl* AddButton = nullptr;
    TWinControl* EditButton = nullptr;
    TWinControl* DeleteButton = nullptr;
    TControl* CountText = nullptr;  // the row count
    TWinControl* PortHost = nullptr;
    TStatusBar* StatusBar = nullptr;
    TComboBox* RowStatus = nullptr;
    TCheckBox* RowTick = nullptr;
    TComboBox* Permit = nullptr;
    TCheckBox* PermitTick = nullptr;
    // Set only where Add requires a VLAN.
    TCheckBox* VlanTick = nullptr;
    TEdit* VlanEdit = nullptr;
    int RowStatusItem = 0;
    int PortItem = 0;
    const char* FirstKeyMessage = "";
    const char* AccessKeyMessage = "";
    const char* DuplicateMessage = "";
    bool PortWrittenOnEdit = true;
    bool DeleteCarriesPorts = false;
    bool StatusBarIsTarget = true;
  };
  TRuleControls Rule;
  // Tick box and the item it lets into the SET, in the form's order.
  std::vector<std::pair<TCheckBox*, int>> TickItems;

  // The masks a form applies after the unticked fields are left out (its
  // protocol and priority masks); `editing` for Edit.
  virtual void ApplyFieldMasks(TSavedAccess& saved, bool editing);
  // What follows a completed Add, Edit or Delete: by default ReadRules().
  virtual void ReadAfterWrite();

  // The port frame, the request (synchronous, item type 3, two index
  // columns) over the table, the list view attached, the port item bound to
  // the frame's boxes, and the status bar as status target when asked.
  void CreateRuleRequest(const VnSNMPVarDesc* table);
  // Get, then no-selection and ClearRuleEdits; a failure goes to the first
  // status panel with the same reset.
  void ReadRules();
  // The first read of FormCreate: Get (a failure to the first status panel),
  // then the row count.
  void FirstRead();

  // Button and key-edit states, set as a whole.
  void SetNoSelection();
  void SetRowSelected();
  // The list view's click: keys from the row and row-selected, or
  // no-selection and ClearRuleEdits. True when a row is selected.
  bool RuleListClick();
  // The row count into the count text.
  void ShowCount();

  // Key edits filled (the form's key messages, focus to the edit).
  bool CheckKeys();
  // False after `message` (focus to the control when enabled) when the box
  // is ticked and the edit is empty or the combo box has no choice.
  bool TickedFieldFilled(TCheckBox* tick, TWinControl* control, const char* message);

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

  // Ticks (Check All) or unticks (Clear Checks) every box of TickItems.
  void SetAllTicks(bool checked);

  // One button of the button column: the form's member, its name, caption
  // and click handler.
  struct TColumnButton {
    TButton*& Button;
    const char* Name;
    const char* Caption;
    TNotifyEvent OnClick;
  };
  // The button column: `panel` ("Panel1", aligned right, 116 wide, no
  // bevels) on the form, the buttons in order with the row count `count`
  // ("StaticText1", centred, 17 high) after the fourth, arranged top-down.
  // Leaves the builder's parent at `panel`.
  void BuildRuleButtonColumn(TFormBuilder& B, TPanel*& panel, TStaticText*& count,
                             const std::vector<TColumnButton>& buttons);
  // The client panel `panel` ("Panel2", no bevels) on the form and the list
  // view `list` ("ListView1") on it at the bounds given with its handlers. Leaves
  // the builder's parent at `panel`.
  void BuildListPanel(TFormBuilder& B, TPanel*& panel, TListView*& list, int left, int top,
                      int width, int height, TNotifyEvent onClick, TLVChangeEvent onChange);

  // The labelled field rows of a rule form: each row a label ("Label1",
  // "Label2", ... in the order made), its tick box (17 wide) unless
  // `boxName` is null, and its edit or drop-down list, put on the builder's
  // current parent.
  struct TRuleRows {
    explicit TRuleRows(TFormBuilder& builder) : B(builder) {}
    void Edit(TCheckBox*& box, const char* boxName, TEdit*& field, const char* name,
              const char* caption);
    void Combo(TCheckBox*& box, const char* boxName, TComboBox*& field, const char* name,
               const char* caption);
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
  void WriteRule(TSavedAccess& saved);
  void ShowFailure(const AnsiString& text);
};

// Item index of the row-status options in a rule form's combo box.
inline constexpr int kRuleCreateAndGo = 3;
inline constexpr int kRuleDestroy = 5;
// Permit combo box preset: "permit".
inline constexpr int kRulePermit = 1;
inline constexpr const char* kRxRateRange = "Rx Rate should between 0-156249";
inline constexpr int kRxRateMax = 156249;
