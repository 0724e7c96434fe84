#include "forms/system/EquipmentBasicInfoFormUnit.h"

#include "catalogue/EquipmentMib.h"
#include "forms/common/FeatureForm.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/Buttons.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

TEquipmentBasicInfoForm* EquipmentBasicInfoForm = nullptr;

VN_REGISTER_FORM_OPENER(TEquipmentBasicInfoForm, &EquipmentBasicInfoForm);

namespace {

// What the capacity field shows; the device's own capacity text is not shown.
constexpr const char* kCapacityText = "Fan, Redundant Power";

}  // namespace

TEquipmentBasicInfoForm::TEquipmentBasicInfoForm(TComponent* AOwner) : TForm(AOwner) {
  InitComponents();
  ScaleFormForScreen(this);
  bbtnSet->SetEnabled(false);
  bbtnSet->Hide();
}

TEquipmentBasicInfoForm::~TEquipmentBasicInfoForm() = default;

void TEquipmentBasicInfoForm::InitComponents() {
  TFormBuilder B(this);
  B.Form()
      .Caption("Equipment Basic Information")
      .ClientSize(372, 246)
      .Position(poScreenCenter)
      .BorderStyle(bsSingle)
      .OnCreate(this, &TEquipmentBasicInfoForm::FormCreate)
      .OnClose(this, &TEquipmentBasicInfoForm::FormClose);
  B.Add(Label1, "Label1").At(16, 20).Caption("Equipment Capacity");
  B.Add(Edit1, "Edit1").At(150, 16, 200, 21).ReadOnly();
  B.Add(Label2, "Label2").At(16, 52).Caption("Max Supported Units").Hidden();
  B.Add(Edit2, "Edit2").At(150, 48, 200, 21).Hidden();
  B.Add(Label3, "Label3").At(16, 52).Caption("Number Of Unit").Hidden();
  B.Add(Edit3, "Edit3").At(150, 48, 200, 21).Hidden();
  B.Add(Label4, "Label4").At(16, 52).Caption("Stacking Version").Hidden();
  B.Add(Edit4, "Edit4").At(150, 48, 200, 21).Hidden();
  B.Add(Label5, "Label5").At(16, 52).Caption("Topology");
  B.Add(cbxTopology, "cbxTopology").At(150, 48, 200).Style(csDropDownList).Enabled(false);
  B.Add(Label6, "Label6").At(16, 84).Caption("Stack Mode").Hidden();
  B.Add(cbxStackMode, "cbxStackMode").At(150, 80, 200).Style(csDropDownList).Hidden();
  B.Add(BitBtn1, "BitBtn1")
      .At(150, 90, 96, 25)
      .Caption("Refresh")
      .OnClick(this, &TEquipmentBasicInfoForm::BitBtn1Click);
  B.Add(bbtnSet, "bbtnSet").At(254, 90, 96, 25).Caption("Set");
  B.Add(Memo1, "Memo1").At(0, 136, 372, 110).Align(alBottom).ReadOnly();
}

void TEquipmentBasicInfoForm::FormCreate(TObject*) {
  Request = NewFormRequest(this, EquipmentBasicInfoVars, VnItemType::SVT_SV, 0, true);
  Request->BindComboBox(EquipmentBasicInfoItem::kTopology, cbxTopology);
  Request->SetStatusMemo(Memo1);
  ReadDevice();
  Edit1->SetText(kCapacityText);
}

void TEquipmentBasicInfoForm::BitBtn1Click(TObject*) { ReadDevice(); }

void TEquipmentBasicInfoForm::ReadDevice() {
  if (!Request || Request->Busy) return;
  try {
    Request->Get();
  } catch (const Exception& e) {
    Request->StatusKind = STATUS_KIND_GET;
    Request->ShowRequestStatus(e.Message);
  }
}

void TEquipmentBasicInfoForm::FormClose(TObject*, TCloseAction& Action) {
  StopWaitDelete(Request);
  Action = caFree;
}
