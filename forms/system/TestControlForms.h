// What the ping and traceroute control forms share. Both list the device's
// remote tests of one DISMAN control table (rows addressed by owner index and
// test name) and change them through an add/edit dialog with a tick box per
// field ("Set Checked": only ticked fields are written). The dialog has no
// request of its own: its controls are bound to the list form's request and
// it writes through it, then has the list read again.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "forms/common/FeatureForm.h"
#include "forms/common/ListRows.h"
#include "platform/ComCtrls.h"
#include "platform/Forms.h"

class TButton;
class TCheckBox;
class TComboBox;
class TEdit;
class TFormBuilder;
class TLabel;
class TMemo;
class TStaticText;
class VnSNMPRequest2Edits;
class TTestControlEditForm;

class TTestControlListForm : public TForm {
 public:
  ~TTestControlListForm() override;

  TListView* ListView1 = nullptr;
  TMemo* Memo1 = nullptr;
  TStaticText* StaticText1 = nullptr;  // row count
  TLabel* Label1 = nullptr;            // "Samples"
  TButton* GetButton = nullptr;        // "Refresh"
  TButton* EditButton = nullptr;
  TButton* AddButton = nullptr;
  TButton* DeleteButton = nullptr;
  TButton* CloseButton = nullptr;

  // Owned by the form; created in FormCreate, deleted when the form closes.
  std::unique_ptr<VnSNMPRequest2Edits> Request;
  // The row count and buttons following the list.
  TListRows Rows;
  // 0 after creation, 1 add, 2 edit: read by the dialog.
  enum : std::int32_t { kAddMode = 1, kEditMode = 2 };
  std::int32_t EditMode = 0;

  void FormCreate(TObject* Sender);
  void GetButtonClick(TObject* Sender);
  void EditButtonClick(TObject* Sender);
  void AddButtonClick(TObject* Sender);
  void DeleteButtonClick(TObject* Sender);
  void CloseButtonClick(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void FormClose(TObject* Sender, TCloseAction& Action);

  // A failure of a handler: a line of the memo, the row buttons following
  // the list.
  void ShowFailure(const AnsiString& message);

  // The item of the row status (the last one).
  virtual int RowStatusItem() const = 0;

 protected:
  TTestControlListForm(TComponent* AOwner, const char* caption);
  // Creates the dialog (owned by this form) and stores it in its global.
  virtual TTestControlEditForm* CreateEditForm() = 0;
  // The dialog (its global pointer; null once freed).
  virtual TTestControlEditForm* EditForm() const = 0;
  // Deletes the dialog and clears its global pointer.
  virtual void FreeEditForm() = 0;
  // Creates Request over the table and binds the dialog's controls.
  virtual void CreateRequest(TTestControlEditForm* dialog) = 0;

 private:
  void InitComponents(const char* caption);
  void EnableRowButtons(bool enabled);
  void ShowEditForm(std::int32_t mode, const char* suffix);
  void FreeDialogAndRequest();
};

class TTestControlEditForm : public TForm {
 public:
  ~TTestControlEditForm() override;

  TCheckBox* IndexCBox = nullptr;
  TEdit* IndexEdit = nullptr;
  TCheckBox* TestNameCheckBox = nullptr;
  TEdit* NameEdit = nullptr;
  TCheckBox* IPCBox = nullptr;
  TEdit* IpEdit = nullptr;
  TCheckBox* TimeoutCheckBox = nullptr;
  TEdit* TimeoutEdit = nullptr;
  TCheckBox* ProbeCheckBox = nullptr;
  TCheckBox* AdminCheckBox = nullptr;
  TComboBox* AdminComboBox = nullptr;
  TCheckBox* DescriptionCBX = nullptr;
  TEdit* DecpEdit = nullptr;
  TCheckBox* StatusCBox = nullptr;
  TComboBox* StatusComboBox = nullptr;
  TButton* SetButton = nullptr;  // "Set Checked"
  TButton* CheckAllButton = nullptr;
  TButton* ClearButton = nullptr;
  TButton* CloseButton = nullptr;

  // The target address under test by ValidateIpAddressText.
  AnsiString TargetText;
  // The list form's access words while a Set is prepared and sent.
  std::optional<TSavedAccess> SavedAccess;

  void FormActivate(TObject* Sender);
  void SetButtonClick(TObject* Sender);
  void CheckAllButtonClick(TObject* Sender);
  void ClearButtonClick(TObject* Sender);
  void CloseButtonClick(TObject* Sender);

  // Refuses (its own message shown) the target address in IpEdit.
  bool IsAllowedTargetIp();
  // Checks the ticked fields and leaves the unticked ones out of the SET.
  bool PrepareCheckedFields();
  bool ValidateIpAddressText();

 protected:
  explicit TTestControlEditForm(TComponent* AOwner);
  // The list form whose request the controls are bound to (may be null).
  virtual TTestControlListForm* ListForm() const = 0;

  // A field with its tick box: the value fields between the target address
  // and the row status, in the order they are checked; Item -1 for a field
  // that has no column.
  struct TValueField {
    TCheckBox* Box;
    TWinControl* Control;
    int Item;
  };
  std::vector<TValueField> ValueFields;

  // One row of the dialog: a tick box with the caption and the value control.
  void AddRow(TFormBuilder& B, TCheckBox*& box, const char* boxName, const char* caption,
              TEdit*& edit, const char* editName, int top);
  void AddRow(TFormBuilder& B, TCheckBox*& box, const char* boxName, const char* caption,
              TComboBox*& combo, const char* comboName, int top);
  // Buttons and the form itself; `height` is the client height.
  void BuildFrame(TFormBuilder& B, int height);

 private:
  bool FieldEmpty(const TValueField& field) const;
};
