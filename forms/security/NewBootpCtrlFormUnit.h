// The dialog that adds a relay server to an interface. It has no request of
// its own: its edits are bound to the relay table form's request, and Set
// writes "valid" into the new entry's state through it, then has the table
// read again.
#pragma once

#include "platform/Forms.h"

class TBitBtn;
class TButton;
class TEdit;
class TLabel;

class TNewBootpCtrlForm : public TForm {
 public:
  explicit TNewBootpCtrlForm(TComponent* AOwner);
  ~TNewBootpCtrlForm() override;

  TLabel* Label1 = nullptr;  // "Interface Name"
  TLabel* Label2 = nullptr;  // "DHCP Server IP"
  TEdit* Edit1 = nullptr;
  TEdit* Edit2 = nullptr;
  TButton* DeleteBtn = nullptr;  // "Set"
  TBitBtn* BitBtn1 = nullptr;    // "Close"

  void FormActivate(TObject* Sender);
  void DeleteBtnClick(TObject* Sender);
  void BitBtn1Click(TObject* Sender);

 private:
  void InitComponents();
};

// At most this many relay servers per interface.
inline constexpr int kMaxServersPerInterface = 4;

// Created by the relay table form; destroyed with it.
extern TNewBootpCtrlForm* NewBootpCtrlForm;
