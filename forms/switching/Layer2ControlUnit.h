// The switch-wide layer-2 settings: one row per setting, each with a tick
// box; "Set Checked" writes only the ticked rows. Four synchronous requests:
// the main scalar group, the web TCP port, the telnet TCP port and the
// authentication-trap state.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/Forms.h"

class TButton;
class TCheckBox;
class TComboBox;
class TEdit;
class TLabel;
class TMemo;
class VnSNMPRequest2Edits;

class TLayer2ControlForm : public TForm {
 public:
  explicit TLayer2ControlForm(TComponent* AOwner);
  ~TLayer2ControlForm() override;

  // Rows of the main request, in item order, with their tick boxes.
  TCheckBox* CheckBox1 = nullptr;  // IGMP Snooping State
  TComboBox* IGMPComBo = nullptr;
  TCheckBox* CheckBox3 = nullptr;  // RMON State
  TComboBox* RmonComBo = nullptr;
  TCheckBox* CheckBox17 = nullptr;  // SNMP Trap State
  TComboBox* TrapStateComBo = nullptr;
  TCheckBox* CheckBox4 = nullptr;  // Clean All Statistic Counters
  TComboBox* CleanComBo = nullptr;
  TCheckBox* CheckBox5 = nullptr;  // VLAN ID Of FDB Table
  TEdit* VlanEdit = nullptr;
  TCheckBox* CheckBox11 = nullptr;  // Management VLAN ID
  TEdit* edtMVlanID = nullptr;
  TCheckBox* CheckBox12 = nullptr;  // MAC Notification
  TComboBox* cbxMACNotify = nullptr;
  TCheckBox* CheckBox13 = nullptr;  // MAC Notify History Size
  TEdit* edtNotifySize = nullptr;
  TCheckBox* CheckBox14 = nullptr;  // MAC Notify Interval
  TEdit* edtNotifyInterval = nullptr;
  TCheckBox* CheckBox6 = nullptr;  // Web State
  TComboBox* WebStateComBo = nullptr;
  TCheckBox* CheckBox8 = nullptr;  // Telnet State
  TComboBox* TelStateComBo = nullptr;
  TCheckBox* CheckBox10 = nullptr;  // IP Auto Config
  TComboBox* IPConfigComBo = nullptr;
  TCheckBox* CheckBox16 = nullptr;  // Port Security Trap Log State
  TComboBox* TrapLogComBo = nullptr;
  TCheckBox* CheckBox18 = nullptr;  // VLAN Trunk State
  TComboBox* VLANTrunkCombo = nullptr;
  // The one-variable requests' rows.
  TCheckBox* CheckBox7 = nullptr;  // Web Port
  TEdit* WebPortEdit = nullptr;
  TCheckBox* CheckBox9 = nullptr;  // Telnet Port
  TEdit* TelPortEdit = nullptr;
  TCheckBox* cbxAuthTrap = nullptr;  // Authentication Trap State
  TComboBox* ComboAuthTrap = nullptr;
  // Kept hidden and unbound.
  TCheckBox* CheckBox15 = nullptr;  // PoE State
  TComboBox* cbxPOE = nullptr;
  TCheckBox* CheckBox2 = nullptr;  // Snooping Multicast Route Only State
  TComboBox* SnoopingComBo = nullptr;

  TMemo* Memo1 = nullptr;
  TButton* GetButton = nullptr;
  TButton* SetButton = nullptr;
  TButton* CheckButton = nullptr;
  TButton* ClearButton = nullptr;
  TButton* CloseButton = nullptr;

  // Owned by the form; deleted when it closes.
  std::unique_ptr<VnSNMPRequest2Edits> Request;
  std::unique_ptr<VnSNMPRequest2Edits> WebPortRequest;
  std::unique_ptr<VnSNMPRequest2Edits> TelnetPortRequest;
  std::unique_ptr<VnSNMPRequest2Edits> AuthTrapRequest;

  // Which kinds of rows the running Set Checked found ticked.
  bool MainRowsChecked = false;
  bool AuthRowChecked = false;
  bool WebStateRowChecked = false;
  bool TelnetStateRowChecked = false;

  void FormCreate(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void GetButtonClick(TObject* Sender);
  void SetButtonClick(TObject* Sender);
  void CheckButtonClick(TObject* Sender);
  void ClearButtonClick(TObject* Sender);
  void CloseButtonClick(TObject* Sender);
  void WebStateComBoChange(TObject* Sender);
  void TelStateComBoChange(TObject* Sender);

 private:
  void BuildComponents();
  bool AnyRequestBusy() const;
  // The main and authentication-trap reads, the port rules and the port
  // reads that the states allow.
  void ReadAll();
  // The first ticked row whose field is empty and was changed (emptied by
  // the user, or never filled by a read), in the form's check order; null
  // when none. A field the switch's value left empty and the user left
  // alone (an option its list lacks) goes back as the switch holds it.
  TWinControl* FirstEmptyCheckedField() const;
  // Step 5 and 6 of Set Checked for one port row.
  void WritePortRow(VnSNMPRequest2Edits* request, TComboBox* state, TCheckBox* portRow,
                    TEdit* portEdit, bool stateRowChecked);
};

extern TLayer2ControlForm* Layer2ControlForm;
