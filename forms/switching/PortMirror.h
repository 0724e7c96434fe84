// The port mirror form: the mirror target port, the source ports whose
// received and sent traffic is copied to it, and whether mirroring is on.
// A target that is a source port or a member of an enabled trunk group is
// refused; the trunk groups are read into hidden controls for that test.
// Both requests block until the device answers.
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
class TListView;
class TPanel;
class TStackingPortUitForm;
class TStatusBar;
class VnSNMPRequest2Edits;

class TPortMirrorForm : public TForm {
 public:
  explicit TPortMirrorForm(TComponent* AOwner);
  ~TPortMirrorForm() override;

  TGroupBox* SourcePortGB = nullptr;
  TGroupBox* IngressPortGB = nullptr;
  TGroupBox* EgressPortGB = nullptr;
  TLabel* Label_Target = nullptr;
  TEdit* UnitEdit = nullptr;
  TEdit* PortEdit = nullptr;
  TEdit* ET_TargetPort = nullptr;
  TLabel* Label_State = nullptr;
  TComboBox* State_Combox = nullptr;
  TButton* BT_Refresh = nullptr;
  TButton* BT_Set = nullptr;
  TListView* LV_PortTrunk = nullptr;
  TEdit* ED_MasterPort = nullptr;
  TPanel* StackingPortPanel = nullptr;
  TStatusBar* StatusBar1 = nullptr;

  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void BT_RefreshClick(TObject* Sender);
  void BT_SetClick(TObject* Sender);
  void ET_TargetPortChange(TObject* Sender);
  void UnitEditKeyPress(TObject* Sender, char& Key);
  void PortEditKeyPress(TObject* Sender, char& Key);

  // The mirror scalars and the trunk table; owned by the form, null once it
  // has closed.
  std::unique_ptr<VnSNMPRequest2Edits> Request;
  std::unique_ptr<VnSNMPRequest2Edits> TrunkRequest;
  TStackingPortUitForm* IngressFrame = nullptr;
  TStackingPortUitForm* EgressFrame = nullptr;
  TStackingPortUitForm* TrunkFrame = nullptr;
  std::vector<TStackUnitRecord> UnitRecords;

 private:
  void BuildComponents();
  void ShowFailure(const AnsiString& message);
  const TStackUnitRecord* FindUnit(int unit) const;
  bool CheckTargetPort();
  bool PortInTrunk(int target);
  // The source boxes as the last read left them.
  void RememberSources();
  bool SourcesChanged();
  std::vector<bool> readIngress_, readEgress_;
};
