#include "forms/acl/ProfileListForm.h"

#include "forms/common/FeatureForm.h"
#include "platform/StdCtrls.h"

TProfileListForm::TProfileListForm(TComponent* AOwner) : TAccessProfileForm(AOwner) {}

TProfileListForm::~TProfileListForm() = default;

void TProfileListForm::GetButtonClick(TObject*) { ReadProfiles(); }

void TProfileListForm::ListView1Change(TObject*, TListItem*, TItemChange) {
  ShowRowCount(ListView1, Static);
}

void TProfileListForm::ListView1Click(TObject*) { ProfileListClick(); }

void TProfileListForm::FormClose(TObject*, TCloseAction& Action) {
  CloseProfiles(true);
  Action = caFree;
}
