// The 802.1D/802.1Q capability bits of each bridge port; read only. Its
// busy state is the refresh flag of the idle flags its host shares with the
// GARP form, which the walk's end sets.
#pragma once

#include <memory>

#include "platform/ComCtrls.h"
#include "platform/Forms.h"

class TButton;
class TLabel;
class TMemo;
class TStaticText;
class VnSNMPRequest2Edits;

class TPortCapabilities8021dForm : public TForm {
 public:
  explicit TPortCapabilities8021dForm(TComponent* AOwner);
  ~TPortCapabilities8021dForm() override;

  TListView* LV_dot1dPortCapabilitiesEntry = nullptr;
  TLabel* Label1 = nullptr;  // "Samples"
  TStaticText* ST_Count = nullptr;
  TButton* RefreshBtn = nullptr;
  TMemo* Memo1 = nullptr;

  void FormCreate(TObject* Sender);
  void RefreshBtnClick(TObject* Sender);
  void LV_dot1dPortCapabilitiesEntryChanging(TObject* Sender, TListItem* Item, TItemChange Change,
                                             bool& AllowChange);
  void FormClose(TObject* Sender, TCloseAction& Action);

  // Asynchronous; owned by the form and released, once idle, when it closes.
  std::unique_ptr<VnSNMPRequest2Edits> Request;

 private:
  void InitComponents();
  void ShowCount();
};

extern TPortCapabilities8021dForm* PortCapabilities8021dForm;
