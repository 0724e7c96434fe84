#include "forms/system/PingControlTableFormUnit.h"

#include "catalogue/EquipmentMib.h"
#include "forms/system/PingControlTableFormEditUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/StdCtrls.h"

TPingctrlTableForm* PingctrlTableForm = nullptr;

VN_REGISTER_FORM_OPENER(TPingctrlTableForm, &PingctrlTableForm);

TPingctrlTableForm::TPingctrlTableForm(TComponent* AOwner)
    : TTestControlListForm(AOwner, "Ping Control Table") {}

// A form destroyed without closing takes its dialog with it (as owner): the
// global must not keep pointing at it.
TPingctrlTableForm::~TPingctrlTableForm() {
  if (PingcrtlEditForm && PingcrtlEditForm->Owner() == this) PingcrtlEditForm = nullptr;
}

TTestControlEditForm* TPingctrlTableForm::CreateEditForm() {
  PingcrtlEditForm = Create<TPingcrtlEditForm>(this);
  return PingcrtlEditForm;
}

TTestControlEditForm* TPingctrlTableForm::EditForm() const { return PingcrtlEditForm; }

void TPingctrlTableForm::FreeEditForm() {
  delete PingcrtlEditForm;
  PingcrtlEditForm = nullptr;
}

void TPingctrlTableForm::CreateRequest(TTestControlEditForm* dialog) {
  auto* d = static_cast<TPingcrtlEditForm*>(dialog);
  namespace Item = PingctrlTableItem;
  Request = NewFormRequest(this, PingctrlTableVars, VnItemType::MVT_UMV, 2);
  Request->BindEdits(Item::kOwnerIndex, "%i{n1x32l2}", d->IndexEdit);
  Request->BindEdits(Item::kTestName, "%s{l32}", d->NameEdit);
  Request->BindEdits(Item::kTargetAddress, "%s{l16}", d->IpEdit);
  Request->BindEdits(Item::kTimeOut, "%s", d->TimeoutEdit);
  Request->BindEdits(Item::kProbeCount, "%i{n1x255l3}", d->probeEdit);
  Request->BindComboBox(Item::kAdminStatus, d->AdminComboBox);
  Request->BindEdits(Item::kDescr, "%s{l16}", d->DecpEdit);
  Request->BindComboBox(Item::kRowStatus, d->StatusComboBox);
}
