// The safeguard engine (CPU protection): rising and falling utilisation
// thresholds, mode and alarm state, each written only when its box is ticked
// and each in a SET of its own; the current state is shown read-only.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/Forms.h"

class TButton;
class TCheckBox;
class TComboBox;
class TEdit;
class TLabel;
class TStatusBar;
class VnSNMPRequest2Edits;

class TSafeguardCtrlForm : public TForm {
 public:
  explicit TSafeguardCtrlForm(TComponent* AOwner);
  ~TSafeguardCtrlForm() override;

  TLabel* Label1 = nullptr;
  TLabel* Label2 = nullptr;
  TLabel* Label3 = nullptr;
  TLabel* Label4 = nullptr;
  TLabel* Label5 = nullptr;
  TEdit* edtRising = nullptr;
  TEdit* edtFalling = nullptr;
  TComboBox* cbxAlarm = nullptr;
  TComboBox* cbxMode = nullptr;
  TComboBox* cbxCurrentState = nullptr;
  TCheckBox* ckRising = nullptr;
  TCheckBox* ckFalling = nullptr;
  TCheckBox* ckAlarm = nullptr;
  TCheckBox* ckMode = nullptr;
  TButton* btnGet = nullptr;
  TButton* btnSet = nullptr;
  TButton* btnClose = nullptr;
  TButton* btnCheckAll = nullptr;
  TButton* btnClearCheck = nullptr;
  TStatusBar* stbStatus = nullptr;
  // The falling threshold as the device last reported it.
  TLabel* lbFalling = nullptr;

  void FormCreate(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void btnGetClick(TObject* Sender);
  void btnSetClick(TObject* Sender);
  void btnCloseClick(TObject* Sender);
  void ChangeSetState(TObject* Sender);
  void btnCheckAllClick(TObject* Sender);
  void btnClearCheckClick(TObject* Sender);

  // Owned by the form; null once the form has closed.
  std::unique_ptr<VnSNMPRequest2Edits> Request;
  // Set while a Set writes the falling threshold before the rising one.
  std::uint8_t FallingFirst = 0;

 private:
  void InitComponents();
  // Writes item alone when its box is ticked.
  // False when the ticked setting had nothing to write (nothing was sent).
  bool WriteOne(int item, const TCheckBox* box);
  // Reads every item; false when the read failed (its message is shown).
  bool Refresh();
  void ShowStatusText(const AnsiString& text);
};

extern TSafeguardCtrlForm* SafeguardCtrlForm;
