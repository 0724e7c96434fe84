// The add/edit dialog of the system log host list. It has no request of its
// own: its controls are bound to the list form's request (selecting a row
// there fills them) and Set writes through that request, then has the list
// read again.
#pragma once

#include <cstdint>

#include "platform/Forms.h"

class TButton;
class TComboBox;
class TControl;
class TEdit;

class TLogHostEditForm : public TForm {
 public:
  explicit TLogHostEditForm(TComponent* AOwner);
  ~TLogHostEditForm() override;

  TComboBox* cbxIndex = nullptr;
  TComboBox* FacComboBox = nullptr;
  TComboBox* SevComboBox = nullptr;
  TEdit* PortEdit = nullptr;
  TEdit* IPAddrEdit = nullptr;
  TComboBox* StateComboBox = nullptr;
  TComboBox* RowComboBox = nullptr;
  TButton* SetButton = nullptr;
  TButton* CloseButton = nullptr;

  // Set by the list form before each opening.
  enum : std::int32_t { kEditMode = 1, kAddMode = 2 };
  std::int32_t EditMode = 0;

  void FormActivate(TObject* Sender);
  void SetButtonClick(TObject* Sender);
  void CloseButtonClick(TObject* Sender);

 private:
  void InitComponents();
  bool CheckAdd();
  bool CheckEdit();
  bool CheckPortAndAddress();
  // The checks judge what the user entered: every field of a new host, the
  // fields of a host being edited that the user changed (FieldEntered).
  bool Entered(const TControl* field) const;
  bool WriteThroughList(bool adding);
};

// Which kinds of address a log host may have.
struct THostAddressRule {
  char Name[32];
  std::uint8_t Allowed;
};
extern const THostAddressRule HostAddressRules[11];

// The address in the dialog's IPAddrEdit: a dotted IPv4 address of a kind
// the rules allow.
bool IsValidLogHostAddress(TLogHostEditForm* dialog);
// The port in PortEdit: 514 or 6000..65535.
bool IsValidLogHostPort(TLogHostEditForm* dialog);

// Created by the list form when it is created, deleted when it closes.
extern TLogHostEditForm* LogHostEditForm;
