// The groups learnt by IGMP snooping: one row per VLAN, group and source,
// with the row's include and exclude ports, up time and expiry time. Read
// only.
#pragma once

#include "forms/switching/SnoopingGroupTableForm.h"

class TIGMP_SnoopingGroupTableForm : public TSnoopingGroupTableForm {
 public:
  explicit TIGMP_SnoopingGroupTableForm(TComponent* AOwner);

  TLabel* Label4 = nullptr;  // "Up Time"
  TStaticText* InputUpTime = nullptr;
  TLabel* Label5 = nullptr;  // "Expiry Time"
  TStaticText* InputExpiryTime = nullptr;

 protected:
  void BindExtras() override;
};

extern TIGMP_SnoopingGroupTableForm* IGMP_SnoopingGroupTableForm;
