#include "forms/acl/ProfileListForm.h"

#include "platform/StdCtrls.h"

TProfileListForm::TProfileListForm(TComponent* AOwner) : TAccessProfileForm(AOwner) {}

TProfileListForm::~TProfileListForm() = default;

void TProfileListForm::GetButtonClick(TObject*) { ReadProfiles(); }

void TProfileListForm::ListView1Click(TObject*) { ProfileListClick(); }

void TProfileListForm::FormClose(TObject*, TCloseAction& Action) {
  CloseProfiles(true);
  Action = caFree;
}
