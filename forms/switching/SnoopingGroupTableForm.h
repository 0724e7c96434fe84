// What the IGMP and MLD snooping group table forms share: the learnt groups
// of every VLAN, one row per (VLAN, group, source), with the include and
// exclude ports of the selected row on two tabs of port grids. Read only;
// Refresh is the one command. The forms differ in their table and in the
// IGMP form's up and expiry times: a form of the family still gives its
// table, caption and size, and binds its texts beyond the five shared
// columns (BindExtras).
#pragma once

#include <memory>

#include "platform/ComCtrls.h"
#include "platform/Forms.h"

class TButton;
class TLabel;
class TStackingPortUitForm;
class TStaticText;
class TStatusBar;
class VnSNMPRequest2Edits;
struct VnSNMPVarDesc;

class TSnoopingGroupTableForm : public TForm {
 public:
  ~TSnoopingGroupTableForm() override;

  TListView* ListView1 = nullptr;
  TLabel* Label1 = nullptr;  // "VID"
  TStaticText* stVlanID = nullptr;
  TLabel* Label2 = nullptr;  // "Group Address"
  TStaticText* stGroupAddress = nullptr;
  TLabel* Label3 = nullptr;  // "Source Address"
  TStaticText* stSourceAddress = nullptr;
  TPageControl* PageControl1 = nullptr;
  TTabSheet* tbsInclude = nullptr;
  TTabSheet* tbsExculude = nullptr;
  TScrollBox* ScrollBox1 = nullptr;
  TScrollBox* ScrollBox2 = nullptr;
  TButton* btnGet = nullptr;
  TStatusBar* StatusBar1 = nullptr;

  void FormCreate(TObject* Sender);
  void btnGetClick(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);

  // Owned by the form; stopped, waited for and released when it closes.
  std::unique_ptr<VnSNMPRequest2Edits> Request;
  // Owned by the form (component owner); deleted when it closes.
  TStackingPortUitForm* IncludePortFrame = nullptr;
  TStackingPortUitForm* ExcludePortFrame = nullptr;

 protected:
  // `table`: the group table (VLAN, group and source as its index columns,
  // then the include and exclude port maps).
  TSnoopingGroupTableForm(TComponent* AOwner, const VnSNMPVarDesc* table, const char* caption,
                          int width, int height);
  // The rows of the address and time texts below the index texts, for the
  // IGMP form's additions; the port tabs start below `extraRows` rows.
  void BuildComponents(int extraRows);
  // Bindings beyond the five shared columns.
  virtual void BindExtras() {}

 private:
  const VnSNMPVarDesc* table_;
  const char* caption_;
  int width_;
  int height_;
};
