// Adds an authentication server (address and protocol) to a server group or
// removes it from one: one SET of the member table's action column.
#pragma once

#include <memory>

#include "platform/ComCtrls.h"
#include "platform/Forms.h"

class TButton;
class TComboBox;
class TEdit;
class TLabel;
class TPanel;
class TSplitter;
class VnSNMPRequest2Edits;

class TAAASrvCtrlForm : public TForm {
 public:
  explicit TAAASrvCtrlForm(TComponent* AOwner);
  ~TAAASrvCtrlForm() override;

  TPanel* pnlBottom = nullptr;
  TPanel* pnlCtrl = nullptr;
  TPanel* pnlBtn = nullptr;
  TSplitter* splV_Ctrl_Btn = nullptr;
  TLabel* lblSrvGrpName = nullptr;  // "Server Group Name"
  TEdit* edtSrvGrpName = nullptr;
  TLabel* lblSrvIP = nullptr;  // "Server IP Address"
  TEdit* edtSrvIP = nullptr;
  TLabel* lblAuthPtcl = nullptr;  // "Server Authentication Protocol"
  TComboBox* cbxAuthPtcl = nullptr;
  TLabel* lblOper = nullptr;  // "Operate"
  TComboBox* cbxOper = nullptr;
  TListView* lvOper = nullptr;  // never shown
  TStatusBar* stbResult = nullptr;
  TButton* btnSet = nullptr;
  TButton* btnClose = nullptr;

  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void btnSetClick(TObject* Sender);
  void btnCloseClick(TObject* Sender);

  // The member table, asynchronous. Owned by the form.
  std::unique_ptr<VnSNMPRequest2Edits> Request;

 private:
  void InitComponents();
};

extern TAAASrvCtrlForm* AAASrvCtrlForm;
