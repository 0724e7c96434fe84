// What the IGMP and MLD snooping router ports forms share: per VLAN, the
// static, dynamic and forbidden router ports on three tabs of port grids
// under the list of VLANs; Set writes the static and forbidden lists of the
// selected VLAN (the dynamic list is the device's and never sent), then
// reads again once the SET is answered. Set with no VLAN selected does
// nothing.
//
// A form of the family still writes itself: its layout (through
// BuildComponents and a TRouterPortsLayout), the texts beyond the VLAN ID
// and their bindings (BindExtras, ClearExtras), its status target
// (AttachStatus, ShowFailure) and, where it has one, its close query.
#pragma once

#include <cstdint>
#include <memory>

#include "forms/common/ListRows.h"
#include "platform/AnsiString.h"
#include "platform/ComCtrls.h"
#include "platform/Forms.h"

class TButton;
class TFormBuilder;
class TLabel;
class TStackingPortUitForm;
class TStaticText;
class VnSNMPRequest2Controls;
class VnSNMPRequest2Edits;
struct VnSNMPError;
struct VnSNMPVarDesc;

// Where a form of the family puts the shared controls.
struct TRouterPortsLayout {
  const char* Caption;
  int Width;
  int Height;
  int ListWidth;  // the buttons stand right of the list
  int ButtonsLeft;
  const char* VlanIdCaption;
  int VlanIdLeft;  // of the VLAN ID text
  int TabsWidth;
  int TabsHeight;
};

class TRouterPortsForm : public TForm {
 public:
  ~TRouterPortsForm() override;

  TListView* ListView1 = nullptr;
  TLabel* Label1 = nullptr;  // the VLAN ID's label
  TStaticText* stVlanID = nullptr;
  TPageControl* PageControl1 = nullptr;
  TTabSheet* tbsStatic = nullptr;
  TTabSheet* tbsDynamic = nullptr;
  TTabSheet* tbsForbidden = nullptr;
  TScrollBox* ScrollBox1 = nullptr;
  TScrollBox* ScrollBox2 = nullptr;
  TScrollBox* ScrollBox3 = nullptr;
  TButton* btnGet = nullptr;
  TButton* btnSet = nullptr;
  TButton* btnStop = nullptr;
  TButton* btnClose = nullptr;

  void FormCreate(TObject* Sender);
  void btnGetClick(TObject* Sender);
  void btnSetClick(TObject* Sender);
  void ListView1Click(TObject* Sender);
  void btnStopClick(TObject* Sender);
  void btnCloseClick(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);

  // Owned by the form; stopped, waited for and released when it closes.
  std::unique_ptr<VnSNMPRequest2Edits> Request;
  // The rows and Set, following the list (after the request).
  TListRows Rows;
  // Owned by the form (component owner); deleted when it closes.
  TStackingPortUitForm* StaticPortFrame = nullptr;
  TStackingPortUitForm* DynamicPortFrame = nullptr;
  TStackingPortUitForm* ForbiddenPortFrame = nullptr;

 protected:
  // `table`: VLAN ID as item 0 and the index; the static, dynamic and
  // forbidden port lists at `staticItem` and the two items after it.
  TRouterPortsForm(TComponent* AOwner, const VnSNMPVarDesc* table, int staticItem);

  // The form, the list, the buttons, the VLAN ID row and the three tabs.
  void BuildComponents(TFormBuilder& B, const TRouterPortsLayout& layout);

  // Bindings beyond the VLAN ID and the three port lists.
  virtual void BindExtras() {}
  // Empties what BindExtras bound.
  virtual void ClearExtras() {}
  // Makes the memo or status bar the request's status target.
  virtual void AttachStatus() = 0;
  // A handler's failure in the status target.
  virtual void ShowFailure(const AnsiString& message) = 0;

 private:
  void CreatePortFrame();
  void ClearEntryFields();
  // With no VLAN selected: the fields emptied, the VLAN texts greyed and
  // the ports tickable, as the form opened them.
  void ShowNoVlan();
  // Once idle again, the ports are tickable (the library leaves the bound
  // boxes disabled until a row is selected).
  void RouterPortsIdle(VnSNMPRequest2Controls* Sender);

  const VnSNMPVarDesc* table_;
  int staticItem_;
};
