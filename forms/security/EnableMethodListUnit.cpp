#include "forms/security/EnableMethodListUnit.h"

#include "app/FormOpeners.h"
#include "catalogue/SecurityMib.h"
#include "forms/common/FeatureForm.h"
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
  B.Add(ListView1, "ListView1")
      .At(8, 8, 560, 190)
      .OnClick(this, &F::ListView1Click)
      .OnChange(this, &F::ListView1Change);
  B.Add(GetButton, "GetButton")
      .At(584, 8, 96, 25)
      .Caption("Refresh")
      .OnClick(this, &F::GetButtonClick);
  B.Add(EditButton, "EditButton")
      .At(584, 40, 96, 25)
      .Caption("Edit")
      .OnClick(this, &F::EditButtonClick);
  B.Add(AddButton, "AddButton")
      .At(584, 72, 96, 25)
      .Caption("Add")
      .OnClick(this, &F::AddButtonClick);
  B.Add(DeleteButton, "DeleteButton")
      .At(584, 104, 96, 25)
      .Caption("Delete")
      .OnClick(this, &F::DeleteButtonClick);
  B.Add(StaticText1, "StaticText1").At(584, 140, 96, 17).Caption("0");

  B.Parent(Panel1);
  B.Add(Label1, "Label1").At(8, 12).Caption("Enable MethodList Name");
  B.Add(NameEdit, "NameEdit").At(180, 8, 140, 21);
  B.Add(Label10, "Label10").At(350, 12).Caption("Row Status");
  B.Add(RowComboBox, "RowComboBox").At(530, 8, 140, 21).Style(csDropDownList);

  TLabel** typeLabels[] = {&Label2, &Label4, &Label6, &Label8};
  TLabel** groupLabels[] = {&Label3, &Label5, &Label7, &Label9};
  TComboBox** types[] = {&Type1ComboBox, &Type2ComboBox, &Type3ComboBox, &Type4ComboBox};
  TEdit** groups[] = {&ServerGroupEdit1, &ServerGroupEdit2, &ServerGroupEdit3, &ServerGroupEdit4};
  void (F::*changes[])(TObject*) = {&F::Type1ComboBoxChange, &F::Type2ComboBoxChange,
                                    &F::Type3ComboBoxChange, &F::Type4ComboBoxChange};
  for (int n = 0; n < kSlots; ++n) {
    const int y = 40 + n * 30;
    const AnsiString slot = IntToStr(n + 1);
    B.Add(*typeLabels[n], "Label" + IntToStr(2 * n + 2))
        .At(8, y + 4)
        .Caption("Enable Method" + slot + " Type");
    B.Add(*types[n], "Type" + slot + "ComboBox")
        .At(180, y, 140, 21)
        .Style(csDropDownList)
        .OnChange(this, changes[n]);
    B.Add(*groupLabels[n], "Label" + IntToStr(2 * n + 3))
        .At(350, y + 4)
        .Caption("Enable Method" + slot + " Server Group");
    B.Add(*groups[n], "ServerGroupEdit" + slot).At(530, y, 140, 21);
    Type_[n] = *types[n];
    Group_[n] = *groups[n];
  }

  List_ = ListView1;
  Name_ = NameEdit;
  Row_ = RowComboBox;
  Bar_ = StatusBar1;
  Count_ = StaticText1;
  Get_ = GetButton;
  Edit_ = EditButton;
  Add_ = AddButton;
  Delete_ = DeleteButton;
}
