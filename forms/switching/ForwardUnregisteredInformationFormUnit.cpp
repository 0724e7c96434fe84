#include "forms/switching/ForwardUnregisteredInformationFormUnit.h"

#include "app/FormOpeners.h"
#include "catalogue/BridgeExtMib.h"
#include "forms/common/FeatureForm.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

TForwardUnregisteredInformationForm* ForwardUnregisteredInformationForm = nullptr;

VN_REGISTER_FORM_OPENER(TForwardUnregisteredInformationForm, &ForwardUnregisteredInformationForm);

namespace {}  // namespace

TForwardUnregisteredInformationForm::TForwardUnregisteredInformationForm(TComponent* AOwner)
    : TPortListTableForm(
          AOwner, "Forward Unregistered Information", 696, 480, "LV_dot1qForwardUnregisteredEntry",
          ForwardUnregisteredInformationVars, 2, 1,
          {{"Unregistered Ports", ForwardUnregisteredInformationItem::kUnregisteredPorts},
           {"Unregisteried Static Ports",
            ForwardUnregisteredInformationItem::kUnregisteredStaticPorts},
           {"Unregistered Forbidden Ports",
            ForwardUnregisteredInformationItem::kUnregisteredForbiddenPorts}}) {
  using Self = TForwardUnregisteredInformationForm;
  LV_dot1qForwardUnregisteredEntry = ListView();
  TFormBuilder B(this);
  B.Add(RefreshBtn, "RefreshBtn")
      .At(kSideLeft, 8, 88, 25)
      .Caption("Refresh")
      .OnClick(this, &Self::RefreshBtnClick);
  B.Add(SetBtn, "SetBtn")
      .At(kSideLeft, 40, 88, 25)
      .Caption("Set")
      .OnClick(this, &Self::SetBtnClick);
  B.Add(Label1, "Label1").At(kSideLeft, 190).Caption("Samples");
  B.Add(ST_Count, "ST_Count").At(kSideLeft + 50, 190, 38, 17).Caption("0");
}

void TForwardUnregisteredInformationForm::ClearEntryFields() { ClearPortFrames(); }

void TForwardUnregisteredInformationForm::RefreshBtnClick(TObject*) {
  ReadTable();
  ShowRowCount(LV_dot1qForwardUnregisteredEntry, ST_Count);
  ClearEntryFields();
}

// Writes the static and forbidden lists of the selected VLAN, as the
// forward-all form does.
void TForwardUnregisteredInformationForm::SetBtnClick(TObject*) {
  WriteSelectedRow();
  ShowRowCount(LV_dot1qForwardUnregisteredEntry, ST_Count);
}

void TForwardUnregisteredInformationForm::TableRead() {
  ShowRowCount(LV_dot1qForwardUnregisteredEntry, ST_Count);
}
