// The 802.1Q settings of each bridge port (port VLAN ID, acceptable frame
// types, ingress filtering, GVRP status) with its GVRP counters; the four
// settings of the selected port are written in one SET.
#pragma once

#include <memory>

#include "forms/common/ListRows.h"
#include "platform/ComCtrls.h"
#include "platform/Forms.h"

class TButton;
class TComboBox;
class TEdit;
class TLabel;
class TMemo;
class TStaticText;
class VnSNMPRequest2Edits;

class TVLanPortInfomationForm : public TForm {
 public:
  explicit TVLanPortInfomationForm(TComponent* AOwner);
  ~TVLanPortInfomationForm() override;

  TListView* LV_dot1qPortVlanEntry = nullptr;
  TLabel* Label1 = nullptr;  // "Port VLAN ID"
  TEdit* PortVLanID = nullptr;
  TLabel* Label2 = nullptr;  // "Acceptable Frame Types"
  TComboBox* AcceptableFrameTypes = nullptr;
  TLabel* Label3 = nullptr;  // "Ingress Filtering"
  TComboBox* IngressFiltering = nullptr;
  TLabel* Label4 = nullptr;  // "GVRP Status"
  TComboBox* GvrpStatus = nullptr;
  TLabel* Label5 = nullptr;  // "Samples"
  TStaticText* ST_Count = nullptr;
  TButton* RefreshBtn = nullptr;
  TButton* SetBtn = nullptr;
  TMemo* Memo1 = nullptr;

  void FormCreate(TObject* Sender);
  void RefreshBtnClick(TObject* Sender);
  void SetBtnClick(TObject* Sender);
  void LV_dot1qPortVlanEntryClick(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);

  // Asynchronous; its busy flag guards Refresh and Set. Owned by the form
  // and released, once idle, when it closes.
  std::unique_ptr<VnSNMPRequest2Edits> Request;
  // The ports, the count and Set (after the request).
  TListRows Rows;

 private:
  void InitComponents();
  // No port chosen: the fields empty and greyed, as when the form opened.
  void ClearFields();
  void ShowFailure(const AnsiString& message);
};

extern TVLanPortInfomationForm* VLanPortInfomationForm;
