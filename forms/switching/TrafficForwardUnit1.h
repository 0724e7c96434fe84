// The traffic segmentation form: for every port, the ports that traffic
// received on it may be forwarded to. Lists the ports with their lists and
// writes the selected port's list from a port grid. Reads and writes run
// asynchronously; Stop ends a running read.
#pragma once

#include <cstdint>
#include <memory>

#include "forms/common/ListRows.h"
#include "platform/ComCtrls.h"
#include "platform/Forms.h"

class TButton;
class TEdit;
class TGroupBox;
class TLabel;
class TListItem;
class TListView;
class TPanel;
class TStackingPortUitForm;
class TStaticText;
class TStatusBar;
struct VnSNMPError;
class VnSNMPRequest2Controls;
class VnSNMPRequest2Edits;

class TTrafficSegmentationForm : public TForm {
 public:
  explicit TTrafficSegmentationForm(TComponent* AOwner);
  ~TTrafficSegmentationForm() override;

  TListView* LV_TrafficForward = nullptr;
  TStaticText* StaticText1 = nullptr;
  TGroupBox* GroupBox1 = nullptr;
  TLabel* Label_Unit = nullptr;
  TEdit* Combo_Unit = nullptr;
  TLabel* Label_Port = nullptr;
  TEdit* Combo_Port = nullptr;
  TStaticText* ST_Port = nullptr;
  TPanel* Panel4 = nullptr;
  TButton* BT_Get = nullptr;
  TButton* BT_Set = nullptr;
  TButton* StopBtn = nullptr;
  TStatusBar* StatusBar1 = nullptr;

  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void BT_GetClick(TObject* Sender);
  void BT_SetClick(TObject* Sender);
  void StopBtnClick(TObject* Sender);
  void LV_TrafficForwardClick(TObject* Sender);
  // Not busy (otherwise "Refresh not complete").
  bool ReadyForWork();

  // Owned by the form; null once it has closed.
  std::unique_ptr<VnSNMPRequest2Edits> Request;
  // Set, the row count and the ports following the list.
  TListRows Rows;
  TStackingPortUitForm* PortFrame = nullptr;

 private:
  void BuildComponents();
  // No port in the edits, every box unticked.
  void ClearSelection();
};
