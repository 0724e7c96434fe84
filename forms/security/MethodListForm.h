// What the login and the enable method-list forms share: a synchronous
// request over a method-list table (name, four method slots of type and
// server group, row status), the list view with its edit panel, and the
// Refresh, Add, Edit and Delete handlers, and the components both forms
// name alike. Each form lays them out and builds the name and slot edits
// (their names differ), then gives this class their addresses.
#pragma once

#include <functional>
#include <memory>

#include "forms/common/ListRows.h"
#include "platform/ComCtrls.h"
#include "platform/Forms.h"

class TButton;
class TComboBox;
class TEdit;
class TFormBuilder;
class TLabel;
class TPanel;
class TStaticText;
class VnSNMPRequest2Edits;
class TSavedAccess;
struct VnSNMPVarDesc;

class TMethodListForm : public TForm {
 public:
  static constexpr int kSlots = 4;

  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void GetButtonClick(TObject* Sender);
  void AddButtonClick(TObject* Sender);
  void EditButtonClick(TObject* Sender);
  void DeleteButtonClick(TObject* Sender);
  void ListView1Click(TObject* Sender);

  void ClearMethodEdits();
  // True when no method follows a "local" ("local-enable") or "none" slot.
  bool ValidateMethodOrder();
  // Leaves every slot after the first ending method out of the next SET.
  void DropMethodsAfterLocal(TSavedAccess& saved);

  // The table, read and written synchronously. Owned by the form.
  std::unique_ptr<VnSNMPRequest2Edits> Request;
  // The row count, buttons and fields following the list.
  TListRows Rows;
  // Per slot: the type combo's item index, -1 when the slot has no method.
  int MethodTypeIndex[kSlots] = {-1, -1, -1, -1};

  // Components named alike in both forms (owned by the form).
  TListView* ListView1 = nullptr;
  TLabel* Label1 = nullptr;  // the list name
  // Per slot its type's and its server group's label ("Label2" .. "Label9").
  TLabel* SlotLabels[2 * kSlots] = {};
  TLabel* Label10 = nullptr;  // "Row Status"
  TComboBox* RowComboBox = nullptr;
  TStatusBar* StatusBar1 = nullptr;
  TStaticText* StaticText1 = nullptr;
  TButton* GetButton = nullptr;
  TButton* EditButton = nullptr;
  TButton* AddButton = nullptr;
  TButton* DeleteButton = nullptr;

 protected:
  // What differs between the two forms.
  struct TMethodListTexts {
    const VnSNMPVarDesc* Table;
    const char* CaptionTitle;  // set by FormCreate too; null: only by the opener
    const char* NameMissing;
    const char* Duplicate;
    bool TypesAgainAfterWrite;  // the type handlers run once more after Add and Edit
  };
  TMethodListForm(TComponent* AOwner, const TMethodListTexts& texts);
  ~TMethodListForm() override;

  // Slot n (0-based): enables its server-group edit for "server-group" and
  // disables it otherwise; the edit is emptied unless `keepName` (a row was
  // just loaded) and the slot is a server group.
  void TypeChanged(int slot, bool keepName = false);

  // The list view at (8, 8) and the button column right of it at `buttonsX`.
  void AddListAndButtons(TFormBuilder& B, int listWidth, int listHeight, int buttonsX);
  // Points the logic at the components; `name` and the slot edits are the
  // derived form's.
  void BindComponents(TEdit* name, TComboBox* const (&types)[kSlots],
                      TEdit* const (&groups)[kSlots]);

 private:
  // What the logic works on, set by BindComponents.
  TListView* List_ = nullptr;
  TEdit* Name_ = nullptr;
  TComboBox* Type_[kSlots] = {};
  TEdit* Group_[kSlots] = {};
  TComboBox* Row_ = nullptr;
  TStatusBar* Bar_ = nullptr;
  TStaticText* Count_ = nullptr;
  TButton* Get_ = nullptr;
  TButton* Edit_ = nullptr;
  TButton* Add_ = nullptr;
  TButton* Delete_ = nullptr;

  void SetIdleState();
  void SetRowState();
  // The edit panel as with no row chosen: no name, no method, the row status
  // of a new list.
  void ShowNoRow();
  void AllTypesChanged(bool keepNames = false);
  void ShowFailure(const AnsiString& message);
  // Method-slot write rule: which type and group items go into the SET.
  void LeaveOutUnusedSlots(TSavedAccess& saved);
  // The order check and its question; false when the user chose to correct
  // the slots. `drop` tells whether the later methods are to be left out.
  bool AskAboutMethodOrder(bool& drop);
  // The user changed the type of some slot since the row was shown.
  bool AnyTypeChanged() const;
  // Delete steps: everything but the name, type 1 and the row status left
  // out, "destroy", SET, read again.
  // False when the SET failed.
  bool DestroySelectedRow();
  // WriteAndReread of Add and Edit; after a completed write the type
  // handlers once more where the form runs them so.
  void WriteSlots(TSavedAccess& saved);
  // SET of the bound values (Rows.Write), then the table read again;
  // failures into panel 0, with the typed fields kept. False when the SET
  // failed.
  bool WriteAndReread(TSavedAccess& saved, const std::function<void()>& first = {});

  TMethodListTexts texts_;
  // The fields show the row last selected (a click beside the rows takes
  // it away with them), not a new list being typed.
  bool rowShown_ = false;
};
