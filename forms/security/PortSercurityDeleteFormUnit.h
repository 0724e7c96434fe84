// Deletes one learned port-security entry on the device: the user names the
// VLAN, the port (on unit 1) and the MAC address, and Set starts the
// deletion with the port sent as a global port number.
#pragma once

#include <memory>
#include <vector>

#include "forms/common/FeatureForm.h"
#include "platform/Forms.h"

class TButton;
class TComboBox;
class TEdit;
class TGroupBox;
class TLabel;
class TStatusBar;
class VnSNMPRequest2Edits;

class TPrtSecDelCtrlForm : public TForm {
 public:
  explicit TPrtSecDelCtrlForm(TComponent* AOwner);
  ~TPrtSecDelCtrlForm() override;

  TLabel* Label1 = nullptr;
  TLabel* Label2 = nullptr;
  TLabel* Label3 = nullptr;
  TEdit* edtVlan = nullptr;
  TEdit* PortEdit = nullptr;
  TEdit* edtMac = nullptr;
  TButton* btnRefresh = nullptr;
  TButton* btnSet = nullptr;
  TStatusBar* StatusBar1 = nullptr;
  // Kept hidden: the global port number (bound), the activity, and the unit.
  TEdit* edtPort = nullptr;
  TComboBox* cbxOper = nullptr;
  TGroupBox* GroupBox1 = nullptr;
  TLabel* Label4 = nullptr;
  TLabel* Label5 = nullptr;
  TEdit* UnitEdit = nullptr;

  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void btnRefreshClick(TObject* Sender);
  void btnSetClick(TObject* Sender);

  // Owned by the form; null once the form has closed.
  std::unique_ptr<VnSNMPRequest2Edits> Request;
  // Unit and port of the last read's global port number.
  int Unit = 0;
  int Port = 0;
  // One record per stack unit (unit 1 only).
  std::vector<TStackUnitRecord> SecurityEreaseLockUnitInfoList;

 private:
  void InitComponents();
  bool CheckInput();
  bool CheckPort();
  bool CheckMac() const;
  void ShowUnitAndPort();
  void BuildUnitList();
  void FreeUnitList();
  int PortCountOfUnit(int unit) const;
};

extern TPrtSecDelCtrlForm* PrtSecDelCtrlForm;
