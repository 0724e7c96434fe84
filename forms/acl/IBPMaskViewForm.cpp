#include "forms/acl/IBPMaskViewForm.h"

#include "forms/acl/IBPViewLayout.h"
#include "forms/common/FeatureForm.h"
#include "library/VnSNMPRequest2Edits.h"
#include "platform/ComCtrls.h"
#include "platform/Exceptions.h"
#include "platform/ExtCtrls.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

namespace {

constexpr int kProfileIdItem = 0;

}  // namespace

TIBPMaskViewForm::TIBPMaskViewForm(TComponent* AOwner, const TMaskView& view)
    : TIBPViewForm(AOwner), mask_(view) {}

TIBPMaskViewForm::~TIBPMaskViewForm() = default;

void TIBPMaskViewForm::BuildMaskView(std::vector<TViewField> fields, const TViewCombo* combo) {
  using F = TIBPMaskViewForm;
  fields_ = std::move(fields);
  TFormBuilder B(this);
  B.Form()
      .Caption(mask_.Caption)
      .Size(mask_.Width, mask_.Height)
      .Position(poScreenCenter)
      .BorderStyle(bsSingle)
      .Font("MS Sans Serif", -11)
      .OnCreate(this, &F::FormCreate)
      .OnClose(this, &F::FormClose);
  SetName(mask_.Name);

  B.Add(StatusBar1, "StatusBar1").Align(alBottom).Panels({50});
  B.Add(Panel1, "Panel1").Align(alRight).Width(116).BevelOuter(bvNone);
  B.Add(BT_Get, "BT_Get", Panel1)
      .At(10, 10, 96, 25)
      .Caption("Refresh")
      .OnClick(this, &F::BT_GetClick);
  B.Add(ListView1, "ListView1")
      .At(8, 8, mask_.ListWidth, mask_.ListHeight)
      .OnClick(this, &F::ListView1Click);

  TViewRows rows(B);
  rows.Edit(edtID, "edtID", "Profile ID");
  for (const TViewField& f : fields_) rows.Edit(*f.Field, f.Name, f.Caption);
  if (combo) {
    rows.Combo(*combo->Field, combo->Name, combo->Caption);
    combo_ = *combo->Field;
    comboItem_ = combo->Item;
  }
  rows.Arrange(8, mask_.RowsTop, 160);

  View.List = ListView1;
  View.StatusBar = StatusBar1;
  View.Edits = {edtID};
  for (const TViewField& f : fields_) View.Edits.push_back(*f.Field);
  View.Combo = combo_;
}

void TIBPMaskViewForm::FormCreate(TObject*) {
  try {
    CreateViewRequest(mask_.Table, 1);
    Request->BindEdits(kProfileIdItem, "%i{n1x14l2}", edtID);
    for (const TViewField& f : fields_) Request->BindEdits(f.Item, "%s", *f.Field);
    if (combo_) Request->BindComboBox(comboItem_, combo_);
  } catch (const Exception& e) {
    ShowFailureInStatusBar(StatusBar1, e.Message);
  }
  ReadView();
}

void TIBPMaskViewForm::BT_GetClick(TObject*) { ReadView(); }

void TIBPMaskViewForm::ListView1Click(TObject*) { ViewListClick(); }

void TIBPMaskViewForm::FormClose(TObject*, TCloseAction& Action) {
  CloseView();
  Action = caFree;
}
