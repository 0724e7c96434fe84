// The spanning-tree settings of every port, edited one port at a time
// through the edit dialog, whose controls are bound to this form's port
// table request. Which columns a write carries depends on the bridge's
// spanning-tree version, read into a hidden label.
#pragma once

#include <cstdint>
#include <memory>

#include "forms/common/ListRows.h"
#include "platform/ComCtrls.h"
#include "platform/Forms.h"

class TButton;
class TLabel;
class TListView;
class TMemo;
class VnSNMPRequest2Controls;
class VnSNMPRequest2Edits;
class VnSNMPError;

class TMSTPPortStateForm : public TForm {
 public:
  explicit TMSTPPortStateForm(TComponent* AOwner);
  ~TMSTPPortStateForm() override;

  TListView* lvMSTPPortState = nullptr;
  TMemo* memMsg = nullptr;
  TLabel* lblSTPVersion = nullptr;  // hidden
  TButton* btnRefresh = nullptr;
  TButton* btnEdit = nullptr;
  TButton* btnStop = nullptr;
  TButton* btnClose = nullptr;

  // Owned by the form; deleted when it closes.
  std::unique_ptr<VnSNMPRequest2Edits> VersionRequest;
  std::unique_ptr<VnSNMPRequest2Edits> Request;  // the port table
  TListRows Rows;  // Edit follows the selection, whatever took it away
  void FormCreate(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void btnRefreshClick(TObject* Sender);
  void btnEditClick(TObject* Sender);
  void btnStopClick(TObject* Sender);
  void btnCloseClick(TObject* Sender);
  void lvMSTPPortStateSelectItem(TObject* Sender, TListItem* Item, bool Selected);
  void lvMSTPPortStateDblClick(TObject* Sender);

 private:
  void BuildComponents();
  void ReadVersion();
};

// Kept by the menu's opener while the form is open; the edit dialog writes
// through it.
extern TMSTPPortStateForm* MSTPPortStateForm;
