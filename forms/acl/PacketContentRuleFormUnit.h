// Packet-content access rules: lists the rules of the device's packet-content
// access profiles (the 4-octet value each of up to four chunks must hold,
// beside the offset the device reports for it; permit, deny or mirror, a new
// priority, a replaced DSCP and a receive-rate limit), and adds, edits and
// deletes them. Only ticked fields are written; the ports always are.
#pragma once

#include "forms/acl/AccessRuleForm.h"

class TButton;
class TLabel;
class TPanel;
class TStaticText;

class TPktContentRuleForm : public TAccessRuleForm {
 public:
  explicit TPktContentRuleForm(TComponent* AOwner);
  ~TPktContentRuleForm() override;

  TPanel* Panel1 = nullptr;  // button column
  TButton* GetButton = nullptr;
  TButton* EditButton = nullptr;
  TButton* AddButton = nullptr;
  TButton* DeleteButton = nullptr;
  TStaticText* StaticText1 = nullptr;
  TButton* CheckButton = nullptr;
  TButton* UncheckButton = nullptr;
  TPanel* Panel2 = nullptr;  // list, fields and ports
  TListView* ListView1 = nullptr;
  TEdit* edtProfile = nullptr;
  TEdit* edtAccess = nullptr;
  // The offsets the device reports: shown, never written.
  TEdit* edtChunk1Value = nullptr;
  TEdit* edtChunk2Value = nullptr;
  TEdit* edtChunk3Value = nullptr;
  TEdit* edtChunk4Value = nullptr;
  // The chunk data, 8 hexadecimal digits each.
  TCheckBox* cbxChunk1Offset = nullptr;
  TEdit* edtChunk1Offset = nullptr;
  TCheckBox* cbxChunk2Offset = nullptr;
  TEdit* edtChunk2Offset = nullptr;
  TCheckBox* cbxChunk3Offset = nullptr;
  TEdit* edtChunk3Offset = nullptr;
  TCheckBox* cbxChunk4Offset = nullptr;
  TEdit* edtChunk4Offset = nullptr;
  TCheckBox* cbxEnablePriority = nullptr;
  TComboBox* PriorityComboBox = nullptr;
  TCheckBox* cbxPriority = nullptr;
  TEdit* PriorityEdit = nullptr;
  TCheckBox* cbxPermit = nullptr;
  TComboBox* PermitComboBox = nullptr;
  TCheckBox* cbxRow = nullptr;
  TComboBox* RowComboBox = nullptr;
  TCheckBox* cbxRxRate = nullptr;
  TEdit* RxRateEdit = nullptr;
  TCheckBox* cbxEnableReplaceDSCP = nullptr;
  TComboBox* EnableReplaceDSCPComboBox = nullptr;
  TCheckBox* cbxEnableDSCPValue = nullptr;
  TEdit* DSCPEdit = nullptr;
  TLabel* TimeRangeLabel = nullptr;    // never shown
  TCheckBox* cbxTimeRange = nullptr;   // never shown, not bound
  TEdit* edtTimeRange = nullptr;       // never shown, not bound
  TLabel* OwnerLabel = nullptr;        // never shown
  TComboBox* OwnerComboBox = nullptr;  // never shown, not bound
  TPanel* StackingPortPanel = nullptr;
  TStatusBar* StatusBar1 = nullptr;

  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void GetButtonClick(TObject* Sender);
  void AddButtonClick(TObject* Sender);
  void EditButtonClick(TObject* Sender);
  void DeleteButtonClick(TObject* Sender);
  void CheckButtonClick(TObject* Sender);
  void UncheckButtonClick(TObject* Sender);
  void ListView1Click(TObject* Sender);
  void ListView1Change(TObject* Sender, TListItem* Item, TItemChange Change);
  void PriorityComboBoxChange(TObject* Sender);
  void EnableReplaceDSCPComboBoxChange(TObject* Sender);

  void ClearRuleEdits() override;
  bool ValidateRuleInput() override;

 protected:
  void ApplyFieldMasks(TSavedAccess& saved, bool editing) override;

 private:
  void BuildComponents();
  // Chunk tick boxes and data edits, chunk 1 first.
  std::vector<std::pair<TCheckBox*, TEdit*>> Chunks() const;
};

extern TPktContentRuleForm* PktContentRuleForm;
