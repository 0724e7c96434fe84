// A table of entries that tie an IPv4 address and a MAC address to a set of
// ports, with a row status: the list, the two address edits, one port grid
// and Refresh / Add / Edit / Delete. The IP-MAC binding table and the DHCP
// server screening permit table are built on it; TIpMacPortTableLayout says
// where they differ.
#pragma once

#include <functional>
#include <memory>

#include "forms/common/ListRows.h"
#include "platform/Forms.h"

class TButton;
class TComboBox;
class TEdit;
class TLabel;
class TListView;
class TPanel;
class TStackingPortUitForm;
class TStatusBar;
class TSavedAccess;
class VnSNMPRequest2Edits;
struct VnSNMPVarDesc;

struct TIpMacPortTableLayout {
  const char* Caption = "";
  const VnSNMPVarDesc* Table = nullptr;
  int KeyCount = 1;
  // Items of the columns (the IP address is item 0, the MAC address item 1).
  int StatusItem = 2;
  int PortsItem = 3;
  // The MAC address is part of the key: locked with the IP edit.
  bool MacIsKey = false;
  // Add is refused while no port is ticked.
  bool NeedsPorts = false;
  bool OffersEdit = true;
};

class TIpMacPortTableForm : public TForm {
 public:
  TIpMacPortTableForm(TComponent* AOwner, const TIpMacPortTableLayout& layout);
  ~TIpMacPortTableForm() override;

  TListView* ListView1 = nullptr;
  TLabel* Label1 = nullptr;
  TEdit* edtIpAddr = nullptr;
  TLabel* Label2 = nullptr;
  TEdit* edtMacAddr = nullptr;
  TPanel* StackingPortPanel = nullptr;
  TStatusBar* StatusBar1 = nullptr;
  TPanel* Panel1 = nullptr;
  TButton* btnGet = nullptr;
  TButton* btnAdd = nullptr;
  TButton* btnEdit = nullptr;
  TButton* btnDelete = nullptr;
  TButton* btnClose = nullptr;
  // Kept hidden: the row status (bound), a mode selector that nothing reads,
  // and a Stop button that does nothing.
  TComboBox* ComboStatus = nullptr;
  TLabel* Label3 = nullptr;
  TComboBox* cbxMode = nullptr;
  TButton* Button1 = nullptr;

  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void btnGetClick(TObject* Sender);
  void ListView1Click(TObject* Sender);
  void btnAddClick(TObject* Sender);
  void btnEditClick(TObject* Sender);
  void btnDeleteClick(TObject* Sender);
  void btnCloseClick(TObject* Sender);
  void Button1Click(TObject* Sender);

  // Owned by the form; null once the form has closed.
  std::unique_ptr<VnSNMPRequest2Edits> Request;
  // The buttons, key edits and fields following the list.
  TListRows Rows;
  // Owned by the form until FormClose frees it.
  TStackingPortUitForm* PortFrame = nullptr;

 private:
  void InitComponents();
  // The buttons and the key edits as the selection says.
  void ShowRowState(bool rowSelected);
  // The edits and the ports emptied: a new entry.
  void ClearEntry();
  bool AnyPortTicked() const;
  bool CheckAddresses(bool adding);
  // SET of the entry as the controls show it, `leaveOut` marking what it
  // does not carry (Rows.WriteControls), then a Refresh; on failure the
  // message goes to the status bar and the typed entry stays.
  void WriteEntry(const std::function<void(TSavedAccess&)>& leaveOut);

  TIpMacPortTableLayout layout_;
};
