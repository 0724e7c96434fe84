// The port trunk form: the switch's link-aggregation groups (index, master
// port, member ports, type, state, active ports). Lists the groups, adds one,
// changes or deletes the selected one. Every Get and Set blocks until the
// device answers.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "forms/common/FeatureForm.h"
#include "forms/common/ListRows.h"
#include "platform/Forms.h"

class TButton;
class TComboBox;
class TEdit;
class TGroupBox;
class TLabel;
class TListView;
class TPageControl;
class TPanel;
class TStackingPortUitForm;
class TStatusBar;
class TTabSheet;
class VnSNMPRequest2Edits;

class TPortTrunkForm : public TForm {
 public:
  explicit TPortTrunkForm(TComponent* AOwner);
  ~TPortTrunkForm() override;

  TListView* LV_PortTrunk = nullptr;
  TLabel* Label_Index = nullptr;
  TEdit* ED_Index = nullptr;
  TLabel* Label1 = nullptr;
  TEdit* ED_Name = nullptr;
  TEdit* ED_MasterPort = nullptr;
  TGroupBox* GroupBox1 = nullptr;
  TLabel* Label_Unit = nullptr;
  TLabel* Label_Port = nullptr;
  TEdit* UnitEdit = nullptr;
  TLabel* Label_MasterPort = nullptr;
  TEdit* PortEdit = nullptr;
  TLabel* Label_Type = nullptr;
  TComboBox* Combo_Type = nullptr;
  TComboBox* Combo_State = nullptr;
  TLabel* Label_Status = nullptr;
  TComboBox* ComboBox1 = nullptr;
  TPageControl* PageControl1 = nullptr;
  TTabSheet* TabSheet1 = nullptr;
  TTabSheet* TabSheet2 = nullptr;
  TPanel* StackingPortPanel = nullptr;
  TPanel* StackingPortPanel2 = nullptr;
  TButton* BT_Get = nullptr;
  TButton* BT_Set = nullptr;
  TButton* SetBtn = nullptr;
  TButton* BT_Delete = nullptr;
  TButton* BT_Close = nullptr;
  TStatusBar* StatusBar1 = nullptr;

  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void BT_GetClick(TObject* Sender);
  void BT_SetClick(TObject* Sender);
  void SetBtnClick(TObject* Sender);
  void BT_DeleteClick(TObject* Sender);
  void BT_CloseClick(TObject* Sender);
  void LV_PortTrunkClick(TObject* Sender);
  void Combo_StateChange(TObject* Sender);
  void UnitEditKeyPress(TObject* Sender, char& Key);

  // Owned by the form; null once the form has closed.
  std::unique_ptr<VnSNMPRequest2Edits> Request;
  // The member and active-port grids (owned by the form as components).
  TStackingPortUitForm* MemberFrame = nullptr;
  TStackingPortUitForm* ActiveFrame = nullptr;
  std::vector<TStackUnitRecord> UnitRecords;
  // The groups, the row buttons and a new group's fields (after the request).
  TListRows Rows;

 private:
  void BuildComponents();
  // The fields of a new group: every edit, choice and grid empty.
  void ResetEdits();
  // With a group selected Set and Delete, its index locked; without, Add.
  void ShowRowButtons(bool rowSelected);
  // The failure of a handler, a write or a read: panel 0.
  void ShowFailure(const AnsiString& message);
  // The writes `sends` make, in order (TListRows::WriteInOrder), and once
  // the switch has taken them all the groups read again. A write not taken
  // keeps the form's own fields (unit, port, state) with the bound ones.
  void WriteThenRead(const std::vector<std::function<void()>>& sends);
  bool CheckMasterPort(int unit, int port);
  bool CheckMemberCount(int unit);
  bool MasterPortTicked(int masterPort);
};
