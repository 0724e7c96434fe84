// The groups learnt by MLD snooping: one row per VLAN, IPv6 group and
// source, with the row's include and exclude ports. Read only.
#pragma once

#include "forms/switching/SnoopingGroupTableForm.h"

class TMLD_SnoopingGroupTableForm : public TSnoopingGroupTableForm {
 public:
  explicit TMLD_SnoopingGroupTableForm(TComponent* AOwner);
};

extern TMLD_SnoopingGroupTableForm* MLD_SnoopingGroupTableForm;
