// The multicast router ports MLD snooping uses, per VLAN: static, dynamic
// and forbidden ports on three tabs of port grids. Set writes the static and
// forbidden lists of the selected VLAN; the dynamic list is the device's.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/ComCtrls.h"
#include "platform/Forms.h"

class TButton;
class TLabel;
class TStackingPortUitForm;
class TStaticText;
class TStatusBar;
class VnSNMPRequest2Controls;
class VnSNMPRequest2Edits;
struct VnSNMPError;

class TMLD_SnoopingRouterPortsForm : public TForm {
 public:
  explicit TMLD_SnoopingRouterPortsForm(TComponent* AOwner);
  ~TMLD_SnoopingRouterPortsForm() override;

  TListView* ListView1 = nullptr;
  TLabel* Label1 = nullptr;  // "VID"
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
  TStatusBar* StatusBar1 = nullptr;

  void FormCreate(TObject* Sender);
  void btnGetClick(TObject* Sender);
  void btnSetClick(TObject* Sender);
  void ListView1Click(TObject* Sender);
  void btnStopClick(TObject* Sender);
  void btnCloseClick(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void FormClose(TObject* Sender, TCloseAction& Action);

  // Owned by the form; stopped, waited for and released when it closes.
  std::unique_ptr<VnSNMPRequest2Edits> Request;
  // Owned by the form (component owner); deleted when it closes.
  TStackingPortUitForm* StaticPortFrame = nullptr;
  TStackingPortUitForm* DynamicPortFrame = nullptr;
  TStackingPortUitForm* ForbiddenPortFrame = nullptr;
  // 0 from the start of a walk until it ends.
  std::uint8_t RequestIdle = 0;

 private:
  void BuildComponents();
  void CreatePortFrame();
  void ClearEntryFields();
  void RouterPortsGetDone(VnSNMPRequest2Controls* Sender, const VnSNMPError& Result);
};

extern TMLD_SnoopingRouterPortsForm* MLD_SnoopingRouterPortsForm;
