// Packet-content access profiles: lists the device's packet-content
// profiles (up to four chunks of the packet, each with a state, a position
// and a four-byte value), adds one and deletes one.
#pragma once

#include <array>

#include "forms/acl/ProfileListForm.h"

class TButton;

class TPktContentMaskForm : public TProfileListForm {
 public:
  explicit TPktContentMaskForm(TComponent* AOwner);
  ~TPktContentMaskForm() override;

  TEdit* edtProfileID = nullptr;
  TComboBox* cbxChunk1State = nullptr;
  TEdit* edtChunk1Value = nullptr;
  TEdit* edtChunk1Offset = nullptr;
  TComboBox* cbxChunk2State = nullptr;
  TEdit* edtChunk2Value = nullptr;
  TEdit* edtChunk2Offset = nullptr;
  TComboBox* cbxChunk3State = nullptr;
  TEdit* edtChunk3Value = nullptr;
  TEdit* edtChunk3Offset = nullptr;
  TComboBox* cbxChunk4State = nullptr;
  TEdit* edtChunk4Value = nullptr;
  TEdit* edtChunk4Offset = nullptr;

  void FormCreate(TObject* Sender);
  void AddButtonClick(TObject* Sender);
  void DeleteButtonClick(TObject* Sender);

  void ClearMaskEdits() override;
  bool ValidateMaskInput();
  // Whole bytes of at most eight hexadecimal digits, either case: an odd
  // count of digits is no octet string the switch takes.
  static bool IsHexOffset(const AnsiString& text);
  // The position and hex items of every disabled chunk := invalid.
  void DropDisabledChunks(TSavedAccess& saved);

 private:
  struct TChunk {
    TComboBox* State;
    TEdit* Value;   // the position 0 to 31 (item "ChunkN Value")
    TEdit* Offset;  // the hex digits (item "ChunkN Offset")
  };
  std::array<TChunk, 4> Chunks() const;
  void BuildComponents();
};

extern TPktContentMaskForm* PktContentMaskForm;
