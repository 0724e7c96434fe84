#include "forms/switching/VlanForwardPortsForm.h"

#include "forms/common/FeatureForm.h"
#include "library/VnSNMPVarDesc.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

TVlanForwardPortsForm::TVlanForwardPortsForm(TComponent* AOwner, const char* name, int width,
                                             int height, const VnSNMPVarDesc* table,
                                             std::vector<TPortTab> tabs)
    : TPortListTableForm(AOwner, name, width, height, "LV_dot1qForwardUnregisteredEntry", table,
                         VnItemType::MVT_FMV, 1, std::move(tabs)) {
  using Self = TVlanForwardPortsForm;
  LV_dot1qForwardUnregisteredEntry = ListView();
  TFormBuilder B(this);
  B.Add(RefreshBtn, "RefreshBtn")
      .At(kSideLeft, 8, 88, 25)
      .Caption("Refresh")
      .OnClick(this, &Self::RefreshBtnClick);
  B.Add(SetBtn, "SetBtn")
      .At(kSideLeft, 40, 88, 25)
      .Caption("Set")
      .Enabled(false)
      .OnClick(this, &Self::SetBtnClick);
  B.Add(Label1, "Label1").At(kSideLeft, 190).Caption("Samples");
  B.Add(ST_Count, "ST_Count").At(kSideLeft + 50, 190, 38, 17).Caption("0");
  RowCount = ST_Count;
}

void TVlanForwardPortsForm::RefreshBtnClick(TObject*) { ReadTable(); }

void TVlanForwardPortsForm::SetBtnClick(TObject*) { WriteSelectedRow(); }

void TVlanForwardPortsForm::RowChosen(bool selected) { SetBtn->SetEnabled(selected); }
