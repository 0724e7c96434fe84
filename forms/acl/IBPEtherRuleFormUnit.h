// The Ethernet rules of IP-MAC binding, read only, with the rule's ports.
#pragma once

#include "forms/acl/IBPViewForm.h"

class TButton;
class TPanel;

class TIBPEtherRuleForm : public TIBPViewForm {
 public:
  explicit TIBPEtherRuleForm(TComponent* AOwner);
  ~TIBPEtherRuleForm() override;

  TPanel* Panel1 = nullptr;  // button column
  TButton* btnRefresh = nullptr;
  TListView* ListView1 = nullptr;
  TEdit* edtMaskID = nullptr;
  TEdit* edtAccessID = nullptr;
  TEdit* edtRuleType = nullptr;
  TComboBox* cbxPermit = nullptr;
  TPanel* StackingPortPanel = nullptr;
  TStatusBar* StatusBar1 = nullptr;

  TStackingPortUitForm* PortFrame() const { return View.Ports; }

  void FormCreate(TObject* Sender);
  void btnRefreshClick(TObject* Sender);
  void ListView1Click(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);

 private:
  void BuildComponents();
};

extern TIBPEtherRuleForm* IBPEtherRuleForm;
