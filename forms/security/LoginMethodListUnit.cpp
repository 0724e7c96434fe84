#include "forms/security/LoginMethodListUnit.h"

#include "catalogue/SecurityMib.h"
#include "forms/common/FeatureForm.h"
#include "pages/FormOpeners.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"
#include "platform/SysUtils.h"

TLoginMethodListForm* LoginMethodListForm = nullptr;

VN_REGISTER_FORM_OPENER(TLoginMethodListForm, &LoginMethodListForm);

TLoginMethodListForm::TLoginMethodListForm(TComponent* AOwner)
    : TMethodListForm(AOwner, {.Table = LoginMethodListVars,
                               .CaptionTitle = "Login Method List: ",
                               .NameMissing = "AAC Login Method List Name must be set.",
                               .Duplicate = "Has already a record with the same Login Method List "
                                            "Name. Please Change Login Method List Name.",
                               .TypesAgainAfterWrite = false}) {
  InitComponents();
  ScaleFormForScreen(this);
}

TLoginMethodListForm::~TLoginMethodListForm() = default;

void TLoginMethodListForm::InitComponents() {
  using F = TLoginMethodListForm;
  TFormBuilder B(this);
  B.Form()
      .Caption("Login Method List")
      .Size(633, 423)
      .Position(poScreenCenter)
      .BorderStyle(bsSingle)
      .OnCreate(this, &F::FormCreate)
      .OnClose(this, &F::FormClose);
  SetName("LoginMethodListForm");

  B.Add(StatusBar1, "StatusBar1").Align(alBottom).Panels({50});
  AddListAndButtons(B, 500, 170, 520);

  B.Add(Label1, "Label1").At(8, 194).Caption("AAC Login Method List Name");
  B.Add(ListnameEdit, "ListnameEdit").At(180, 190, 130, 21);
  B.Add(Label10, "Label10").At(320, 194).Caption("Row Status");
  B.Add(RowComboBox, "RowComboBox").At(480, 190, 130, 21).Style(csDropDownList);

  TComboBox** types[] = {&ComboBoxType1, &ComboBoxType2, &ComboBoxType3, &ComboBoxType4};
  TEdit** groups[] = {&Server1Edit, &Server2Edit, &Server3Edit, &Server4Edit};
  void (F::*changes[])(TObject*) = {&F::ComboBoxType1Change, &F::ComboBoxType2Change,
                                    &F::ComboBoxType3Change, &F::ComboBoxType4Change};
  for (int n = 0; n < kSlots; ++n) {
    const int y = 222 + n * 30;
    const AnsiString slot = IntToStr(n + 1);
    B.Add(SlotLabels[2 * n], "Label" + IntToStr(2 * n + 2))
        .At(8, y + 4)
        .Caption("Method" + slot + " Type");
    B.Add(*types[n], "ComboBoxType" + slot)
        .At(180, y, 130, 21)
        .Style(csDropDownList)
        .OnChange(this, changes[n]);
    B.Add(SlotLabels[2 * n + 1], "Label" + IntToStr(2 * n + 3))
        .At(320, y + 4)
        .Caption("Method" + slot + " Server Group");
    B.Add(*groups[n], "Server" + slot + "Edit").At(480, y, 130, 21);
  }

  BindComponents(ListnameEdit, {ComboBoxType1, ComboBoxType2, ComboBoxType3, ComboBoxType4},
                 {Server1Edit, Server2Edit, Server3Edit, Server4Edit});
}
