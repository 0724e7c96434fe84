// The hosts that IP-MAC binding has blocked, by VLAN and MAC address, with
// the VLAN name and the port; Delete takes the selected host off the list.
#pragma once

#include <memory>

#include "forms/common/ListRows.h"
#include "platform/Forms.h"

class TButton;
class TComboBox;
class TListView;
class TMemo;
class VnSNMPRequest2Edits;

class TIpMacBindBlockedForm : public TForm {
 public:
  explicit TIpMacBindBlockedForm(TComponent* AOwner);
  ~TIpMacBindBlockedForm() override;

  TListView* ListView1 = nullptr;
  TMemo* Memo1 = nullptr;
  TButton* btnGet = nullptr;
  TButton* btnDelete = nullptr;
  TButton* btnClose = nullptr;
  // Kept hidden: the row's status, written by Delete.
  TComboBox* ComboType = nullptr;

  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void btnGetClick(TObject* Sender);
  void ListView1Click(TObject* Sender);
  void btnDeleteClick(TObject* Sender);
  void btnCloseClick(TObject* Sender);

  // Owned by the form; null once the form has closed.
  std::unique_ptr<VnSNMPRequest2Edits> Request;
  // Delete following the list.
  TListRows Rows;

 private:
  void InitComponents();
};

extern TIpMacBindBlockedForm* IpMacBindBlockedForm;
