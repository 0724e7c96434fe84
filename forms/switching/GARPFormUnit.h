// The GARP join, leave and leave-all timers of each bridge port, in
// centiseconds; read only. Its busy state is the pair of idle flags its host
// shares with the port capability form, which the walk's end sets.
#pragma once

#include <memory>

#include "platform/ComCtrls.h"
#include "platform/Forms.h"

class TButton;
class TEdit;
class TLabel;
class TMemo;
class TPanel;
class TStaticText;
class VnSNMPRequest2Edits;

class TGARPForm : public TForm {
 public:
  explicit TGARPForm(TComponent* AOwner);
  ~TGARPForm() override;

  TListView* LV_dot1dPortGarpEntry = nullptr;
  TLabel* Label4 = nullptr;  // "Samples"
  TStaticText* ST_Count = nullptr;
  TButton* RefreshBtn = nullptr;
  TMemo* Memo1 = nullptr;
  // Kept hidden: the selected row's timers, never written.
  TPanel* Panel5 = nullptr;
  TLabel* Label1 = nullptr;
  TEdit* GarpJoinTime = nullptr;
  TLabel* Label5 = nullptr;  // "Centiseconds"
  TLabel* Label2 = nullptr;
  TEdit* GarpLeaveTime = nullptr;
  TLabel* Label6 = nullptr;
  TLabel* Label3 = nullptr;
  TEdit* GarpLeaveAllTime = nullptr;
  TLabel* Label7 = nullptr;
  TButton* SetBtn = nullptr;

  void FormCreate(TObject* Sender);
  void RefreshBtnClick(TObject* Sender);
  void LV_dot1dPortGarpEntryChange(TObject* Sender, TListItem* Item, TItemChange Change);
  void FormClose(TObject* Sender, TCloseAction& Action);

  // Asynchronous; owned by the form and released, once idle, when it closes.
  std::unique_ptr<VnSNMPRequest2Edits> Request;

 private:
  void InitComponents();
  void ShowCount();
};

extern TGARPForm* GARPForm;
