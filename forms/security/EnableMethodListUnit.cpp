#include "forms/security/EnableMethodListUnit.h"

#include "catalogue/SecurityMib.h"
#include "forms/common/FeatureForm.h"
#include "pages/FormOpeners.h"
#include "platform/ExtCtrls.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"
#include "platform/SysUtils.h"

TEnableMethodForm* EnableMethodForm = nullptr;

VN_REGISTER_FORM_OPENER(TEnableMethodForm, &EnableMethodForm);

TEnableMethodForm::TEnableMethodForm(TComponent* AOwner)
    : TMethodListForm(AOwner, {.Table = EnableMethodVars,
                               .CaptionTitle = nullptr,
                               .NameMissing = "Enable MethodList Name must be set.",
                               .Duplicate = "Has already a record with the same Enable MethodList "
                                            "Name. Please Change Enable MethodList Name.",
                               .TypesAgainAfterWrite = true}) {
  InitComponents();
  ScaleFormForScreen(this);
}

TEnableMethodForm::~TEnableMethodForm() = default;

void TEnableMethodForm::InitComponents() {
  using F = TEnableMethodForm;
  TFormBuilder B(this);
  B.Form()
      .Caption("Enable Method List")
      .Size(700, 419)
      .Position(poScreenCenter)
      .BorderStyle(bsSingle)
      .OnCreate(this, &F::FormCreate)
      .OnClose(this, &F::FormClose);
  SetName("EnableMethodForm");

  B.Add(Panel1, "Panel1").Align(alBottom).Height(162).BevelOuter(bvNone);
  B.Add(StatusBar1, "StatusBar1").At(0, 1000, 100, 19).Align(alBottom).Panels({50});
  AddListAndButtons(B, 560, 190, 584);

  B.Parent(Panel1);
  B.Add(Label1, "Label1").At(8, 12).Caption("Enable MethodList Name");
  B.Add(NameEdit, "NameEdit").At(180, 8, 140, 21);
  B.Add(Label10, "Label10").At(350, 12).Caption("Row Status");
  B.Add(RowComboBox, "RowComboBox").At(530, 8, 140, 21).Style(csDropDownList);

  TComboBox** types[] = {&Type1ComboBox, &Type2ComboBox, &Type3ComboBox, &Type4ComboBox};
  TEdit** groups[] = {&ServerGroupEdit1, &ServerGroupEdit2, &ServerGroupEdit3, &ServerGroupEdit4};
  void (F::*changes[])(TObject*) = {&F::Type1ComboBoxChange, &F::Type2ComboBoxChange,
                                    &F::Type3ComboBoxChange, &F::Type4ComboBoxChange};
  for (int n = 0; n < kSlots; ++n) {
    const int y = 40 + n * 30;
    const AnsiString slot = IntToStr(n + 1);
    B.Add(SlotLabels[2 * n], "Label" + IntToStr(2 * n + 2))
        .At(8, y + 4)
        .Caption("Enable Method" + slot + " Type");
    B.Add(*types[n], "Type" + slot + "ComboBox")
        .At(180, y, 140, 21)
        .Style(csDropDownList)
        .OnChange(this, changes[n]);
    B.Add(SlotLabels[2 * n + 1], "Label" + IntToStr(2 * n + 3))
        .At(350, y + 4)
        .Caption("Enable Method" + slot + " Server Group");
    B.Add(*groups[n], "ServerGroupEdit" + slot).At(530, y, 140, 21);
  }

  BindComponents(NameEdit, {Type1ComboBox, Type2ComboBox, Type3ComboBox, Type4ComboBox},
                 {ServerGroupEdit1, ServerGroupEdit2, ServerGroupEdit3, ServerGroupEdit4});
}
