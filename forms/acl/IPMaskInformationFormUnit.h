// IP access profiles: lists the device's IP profiles (which IPv4 header
// fields their rules compare, and with which masks), adds one and deletes
// one. The columns an Add writes follow the mask state, the option combos
// and the protocol type.
#pragma once

#include "forms/acl/AccessProfileForm.h"

class TBitBtn;
class TButton;
class TLabel;
class TPanel;

class TIPMaskInformationForm : public TAccessProfileForm {
 public:
  explicit TIPMaskInformationForm(TComponent* AOwner);
  ~TIPMaskInformationForm() override;

  TPanel* Panel1 = nullptr;  // button column
  TButton* BT_Get = nullptr;
  TButton* BT_Add = nullptr;
  TButton* BT_Delete = nullptr;
  TBitBtn* SetBtn = nullptr;  // never shown
  TPanel* Panel2 = nullptr;   // the list and the edit rows
  TListView* ListView1 = nullptr;
  TEdit* IPIDEdit = nullptr;
  TComboBox* VlanComboBox = nullptr;
  TComboBox* IpAddMaskStateComboBox = nullptr;
  TEdit* IpAddMaskSrcEdit = nullptr;
  TEdit* IpAddMaskDstEdit = nullptr;
  TComboBox* UseDSCPComBo = nullptr;
  TComboBox* UseProTypeComBo = nullptr;
  TComboBox* IcmpComboBox = nullptr;
  TComboBox* IgmpComboBox = nullptr;
  TComboBox* TCPOptionComBo = nullptr;
  TComboBox* UDPOptionComBo = nullptr;
  TEdit* TCPUDPSrcMaskEdit = nullptr;
  TEdit* TCPUDPDstPortMaskEdit = nullptr;
  TComboBox* TCPFlagBitOptionComBo = nullptr;
  TEdit* TCPFlagBitMaskEdit = nullptr;
  TComboBox* ProOptionComBo = nullptr;
  TEdit* ProtoIDEdit = nullptr;
  TEdit* ProIDMaskEdit = nullptr;
  TComboBox* RowStatusComBo = nullptr;
  TComboBox* OwnerComboBox = nullptr;
  TEdit* SrcMacAddrMaskEdit = nullptr;
  TEdit* EntriesEdit = nullptr;
  TStatusBar* StatusBar1 = nullptr;

  void FormCreate(TObject* Sender);
  void BT_GetClick(TObject* Sender);
  void BT_AddClick(TObject* Sender);
  void BT_DeleteClick(TObject* Sender);
  void ListView1Click(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);

  void ClearMaskEdits() override;
  bool ValidateMaskInput();
  void WriteMask();
  // Leaves out the columns that the chosen protocol type does not use.
  void ApplyProtocolTypeMask(TSavedAccess& saved);

 private:
  void BuildComponents();
};
