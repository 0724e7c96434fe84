// Packet-content access rules: lists the rules of the device's packet-content
// access profiles (the 4-octet value each of up to four chunks must hold,
// beside the offset the device reports for it; permit, deny or mirror, a new
// priority, a replaced DSCP and a receive-rate limit), and adds, edits and
// deletes them. Only ticked fields are written; the ports always are.
#pragma once

#include <utility>
#include <vector>

#include "forms/acl/ActionRuleForm.h"

class TButton;
class TLabel;

class TPktContentRuleForm : public TActionRuleForm {
 public:
  explicit TPktContentRuleForm(TComponent* AOwner);
  ~TPktContentRuleForm() override;

  TButton* CheckButton = nullptr;
  TButton* UncheckButton = nullptr;
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
  TComboBox* PriorityComboBox = nullptr;
  TLabel* TimeRangeLabel = nullptr;    // never shown
  TCheckBox* cbxTimeRange = nullptr;   // never shown, not bound
  TEdit* edtTimeRange = nullptr;       // never shown, not bound
  TLabel* OwnerLabel = nullptr;        // never shown
  TComboBox* OwnerComboBox = nullptr;  // never shown, not bound

  void FormCreate(TObject* Sender) override;
  void CheckButtonClick(TObject* Sender);
  void UncheckButtonClick(TObject* Sender);
  void ListView1Click(TObject* Sender) override;
  void PriorityComboBoxChange(TObject* Sender);

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
