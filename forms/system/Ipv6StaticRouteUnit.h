// The device's IPv6 static routes. A route is added (or a default route)
// through the edit dialog, whose controls are bound to this form's request,
// and a selected route is deleted by writing "destroy" into its status. A
// route is addressed by destination, prefix length, interface name and next
// hop. The request is synchronous.
#pragma once

#include <memory>

#include "forms/common/ListRows.h"
#include "platform/ComCtrls.h"
#include "platform/Forms.h"

class TButton;
class TMemo;
class TStaticText;
class VnSNMPRequest2Edits;

class TIpv6StaticRouteForm : public TForm {
 public:
  explicit TIpv6StaticRouteForm(TComponent* AOwner);
  ~TIpv6StaticRouteForm() override;

  TListView* ListView1 = nullptr;
  TMemo* Memo1 = nullptr;
  TStaticText* StaticText1 = nullptr;  // row count
  TButton* btnGet = nullptr;           // "Refresh"
  TButton* btnAdd = nullptr;
  TButton* btnAddDefault = nullptr;
  TButton* btnDelete = nullptr;
  TButton* btnClose = nullptr;

  // Owned by the form; created in FormCreate, deleted when the form closes.
  // The edit dialog's controls are bound to it.
  std::unique_ptr<VnSNMPRequest2Edits> Request;
  // Delete and the row count following the list.
  TListRows Rows;

  void FormCreate(TObject* Sender);
  void btnGetClick(TObject* Sender);
  void btnAddClick(TObject* Sender);
  void btnAddDefaultClick(TObject* Sender);
  void btnDeleteClick(TObject* Sender);
  void btnCloseClick(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);

 private:
  void InitComponents();
  void ShowEditDialog(int mode, const char* title);
};

extern TIpv6StaticRouteForm* Ipv6StaticRouteForm;
