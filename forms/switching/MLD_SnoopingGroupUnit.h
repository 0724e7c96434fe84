// The groups MLD snooping has learnt, one row per VLAN and IPv6 group, with
// the group's MAC address, member ports and report count. Read only: the
// edit boxes can be typed into, but nothing is ever written.
#pragma once

#include <memory>

#include "platform/ComCtrls.h"
#include "platform/Forms.h"

class TButton;
class TEdit;
class TLabel;
class TPanel;
class TStackingPortUitForm;
class TStaticText;
class TStatusBar;
class VnSNMPRequest2Edits;

class TMLD_SnoopingGroupForm : public TForm {
 public:
  explicit TMLD_SnoopingGroupForm(TComponent* AOwner);
  ~TMLD_SnoopingGroupForm() override;

  TListView* ListView1 = nullptr;
  TLabel* Label1 = nullptr;  // "VID"
  TStaticText* stVID = nullptr;
  TLabel* Label2 = nullptr;  // "IP Address"
  TEdit* edtIPAddress = nullptr;
  TLabel* Label3 = nullptr;  // "MAC Address"
  TEdit* edtMAC = nullptr;
  TLabel* Label4 = nullptr;  // "Count"
  TEdit* edtCount = nullptr;
  TPanel* StackingPortPanel = nullptr;
  TButton* btnGet = nullptr;
  TStatusBar* StatusBar1 = nullptr;

  void FormCreate(TObject* Sender);
  void btnGetClick(TObject* Sender);
  void ListView1Click(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);

  // Owned by the form; stopped, waited for and released when it closes.
  std::unique_ptr<VnSNMPRequest2Edits> Request;
  // Owned by the form (component owner).
  TStackingPortUitForm* PortFrame = nullptr;

 private:
  void BuildComponents();
  void ClearEntryFields();
};

extern TMLD_SnoopingGroupForm* MLD_SnoopingGroupForm;
