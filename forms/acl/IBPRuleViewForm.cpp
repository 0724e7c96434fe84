#include "forms/acl/IBPRuleViewForm.h"

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
constexpr int kAccessIdItem = 1;

}  // namespace

TIBPRuleViewForm::TIBPRuleViewForm(TComponent* AOwner, const TRuleView& view)
    : TIBPViewForm(AOwner), rule_(view) {}

TIBPRuleViewForm::~TIBPRuleViewForm() = default;

void TIBPRuleViewForm::BuildRuleView(std::vector<TViewField> fields) {
  using F = TIBPRuleViewForm;
  fields_ = std::move(fields);
  TFormBuilder B(this);
  B.Form()
      .Caption(rule_.Caption)
      .Size(rule_.Width, rule_.Height)
      .Position(poScreenCenter)
      .BorderStyle(bsSingle)
      .Font("MS Sans Serif", -11)
      .OnCreate(this, &F::FormCreate)
      .OnClose(this, &F::FormClose);
  SetName(rule_.Name);

  B.Add(StatusBar1, "StatusBar1").Align(alBottom).Panels({50});
  B.Add(Panel1, "Panel1").Align(alRight).Width(116).BevelOuter(bvNone);
  B.Add(btnRefresh, "btnRefresh", Panel1)
      .At(10, 10, 96, 25)
      .Caption("Refresh")
      .OnClick(this, &F::btnRefreshClick);
  B.Add(ListView1, "ListView1")
      .At(8, 8, rule_.ListWidth, rule_.ListHeight)
      .OnClick(this, &F::ListView1Click);

  TViewRows rows(B);
  rows.Edit(edtMaskID, "edtMaskID", "Mask ID");
  rows.Edit(edtAccessID, "edtAccessID", "Access ID");
  for (const TViewField& f : fields_) rows.Edit(*f.Field, f.Name, f.Caption);
  rows.Combo(cbxPermit, "cbxPermit", "Permit");
  rows.Arrange(8, rule_.RowsTop, rule_.FieldWidth, 2);
  B.Add(StackingPortPanel, "StackingPortPanel")
      .At(8, rule_.PortsTop, rule_.PortsWidth, rule_.PortsHeight)
      .BevelOuter(bvNone);

  View.List = ListView1;
  View.StatusBar = StatusBar1;
  View.Edits = {edtMaskID, edtAccessID};
  for (const TViewField& f : fields_) View.Edits.push_back(*f.Field);
  View.Combo = cbxPermit;
}

void TIBPRuleViewForm::FormCreate(TObject*) {
  try {
    CreateViewPorts(StackingPortPanel);
    CreateViewRequest(rule_.Table, 2);
    Request->BindEdits(kProfileIdItem, "%i{n1x14}", edtMaskID);
    Request->BindEdits(kAccessIdItem, "%i{n1x128}", edtAccessID);
    for (const TViewField& f : fields_) Request->BindEdits(f.Item, "%s", *f.Field);
    Request->BindComboBox(rule_.PermitItem, cbxPermit);
    BindViewPorts(rule_.PortItem);
  } catch (const Exception& e) {
    ShowFailureInStatusBar(StatusBar1, e.Message);
  }
  ReadView();
}

void TIBPRuleViewForm::btnRefreshClick(TObject*) { ReadView(); }

void TIBPRuleViewForm::ListView1Click(TObject*) { ViewListClick(); }

void TIBPRuleViewForm::FormClose(TObject*, TCloseAction& Action) {
  CloseView();
  Action = caFree;
}
