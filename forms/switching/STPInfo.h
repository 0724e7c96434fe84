// The bridge's spanning-tree version (STP, RSTP or MSTP) and timers. Four
// synchronous requests: the timers, the MSTP settings (written through a
// hidden one-row list, without a hello time), the version and the switch's
// spanning-tree state. A version change while spanning tree is on waits
// behind the timed progress dialog.
#pragma once

#include <memory>

#include "platform/Forms.h"

class TButton;
class TComboBox;
class TEdit;
class TLabel;
class TListView;
class TStatusBar;
class VnSNMPRequest2Edits;

class TSTP_Info : public TForm {
 public:
  explicit TSTP_Info(TComponent* AOwner);
  ~TSTP_Info() override;

  TLabel* Label1 = nullptr;  // "STP Version"
  TComboBox* Combo_STPVersion = nullptr;
  TLabel* Label2 = nullptr;  // "Max Age (600-4000) [MSEL]"
  TEdit* ET_AgingTime = nullptr;
  TLabel* Label3 = nullptr;  // "Hello Time(100-200) [MSEL]"
  TEdit* ET_HelloTime = nullptr;
  TLabel* Label4 = nullptr;  // "Forward Delay(400-3000) [MSEL]"
  TEdit* ET_ForwardDelay = nullptr;
  TLabel* Label5 = nullptr;  // "Max Hops[6-40]"
  TEdit* ET_Priority = nullptr;
  TLabel* Label6 = nullptr;  // "TX Hold Count (1-10)"
  TEdit* ED_TxHoldCount = nullptr;
  TLabel* Label7 = nullptr;  // "Forwarding BPDU"
  TComboBox* Combo_BPDU = nullptr;
  TLabel* Label8 = nullptr;  // "Max Age>= 2*(Hello Time + 100)"
  TLabel* Label9 = nullptr;  // "Notes : 2*(Forward Delay - 100) >= Max Age"
  // Hidden and unbound.
  TLabel* Label10 = nullptr;  // "STP LBD"
  TComboBox* Combo_LBD = nullptr;
  TLabel* Label11 = nullptr;  // "STP LBD Recover time"
  TEdit* ET_LBDRecover = nullptr;
  // Hidden: what the other requests read.
  TListView* ListView1 = nullptr;
  TLabel* lbstpversion = nullptr;
  TLabel* lbMSTPState = nullptr;
  TButton* BT_Get = nullptr;
  TButton* BT_Set = nullptr;
  TStatusBar* StatusBar1 = nullptr;

  // Owned by the form; deleted when it closes.
  std::unique_ptr<VnSNMPRequest2Edits> TimerRequest;
  std::unique_ptr<VnSNMPRequest2Edits> MSTPRequest;
  std::unique_ptr<VnSNMPRequest2Edits> VersionRequest;
  std::unique_ptr<VnSNMPRequest2Edits> StateRequest;

  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void BT_GetClick(TObject* Sender);
  void BT_SetClick(TObject* Sender);
  void Combo_STPVersionChange(TObject* Sender);

 private:
  void BuildComponents();
  // MSTP has no bridge hello time: the edit is emptied and switched off;
  // stp and rstp get 200; any other version keeps the value read.
  void ApplyHelloTimeRule(const AnsiString& version);
  // Input checks and the write; false when nothing was sent.
  bool CheckAndWrite(const AnsiString& version);
  void WriteMstpRow(const AnsiString& version);
  void ShowVersionProgress();
};

extern TSTP_Info* STP_Info;
