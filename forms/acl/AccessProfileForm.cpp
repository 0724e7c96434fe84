#include "forms/acl/AccessProfileForm.h"

#include "catalogue/AclMib.h"
#include "forms/common/FeatureForm.h"
#include "library/VnSNMPRequest2Edits.h"
#include "platform/ComCtrls.h"
#include "platform/Exceptions.h"
#include "platform/ExtCtrls.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"
#include "platform/SysUtils.h"

namespace {

// Positions in the row-status combo box, which every profile table fills
// with the same options.
constexpr int kProfileCreateAndGo = IPMaskInformationRowStatusOption::kCreateAndGo;
constexpr int kProfileDestroy = IPMaskInformationRowStatusOption::kDestroy;
static_assert(EthernetMaskInformationRowStatusOption::kCreateAndGo == kProfileCreateAndGo &&
              EthernetMaskInformationRowStatusOption::kDestroy == kProfileDestroy &&
              PktContentMaskRowStatusOption::kCreateAndGo == kProfileCreateAndGo &&
              PktContentMaskRowStatusOption::kDestroy == kProfileDestroy &&
              IPv6MaskInfoRowStatusOption::kCreateAndGo == kProfileCreateAndGo &&
              IPv6MaskInfoRowStatusOption::kDestroy == kProfileDestroy);

}  // namespace

TAccessProfileForm::TAccessProfileForm(TComponent* AOwner) : TForm(AOwner) {}

TAccessProfileForm::~TAccessProfileForm() = default;

void TAccessProfileForm::CreateProfileRequest(const VnSNMPVarDesc* table) {
  Request = NewFormRequest(this, table, VnItemType::MVT_UMV, 1, true);
  Request->AttachListView(Profile.List, true);
  ClickFollowsSelection(*Request);
  SetStatusTargetShown(*Request, Profile.StatusBar);
  Rows.Attach(
      *Request, Profile.List, Profile.Count,
      [this](bool rowSelected) {
        if (rowSelected)
          SetRowSelected();
        else
          SetNoSelection();
      },
      [this] { ShowNewEntry(); });
}

void TAccessProfileForm::ShowFailure(const AnsiString& text) {
  ShowFailureInStatusBar(Profile.StatusBar, text);
}

void TAccessProfileForm::ReadProfiles() {
  // The first read comes once the form has set its presets.
  newEntry_.Remember(this);
  Rows.ReadAnew(Request, [this](const AnsiString& message) { ShowFailure(message); });
}

void TAccessProfileForm::ShowNewEntry() {
  ClearMaskEdits();
  newEntry_.Restore();
}

void TAccessProfileForm::SetNoSelection() {
  Profile.AddButton->SetEnabled(true);
  Profile.DeleteButton->SetEnabled(false);
  Profile.IdEdit->SetEnabled(true);
  if (Profile.SetButton) Profile.SetButton->SetEnabled(false);
}

void TAccessProfileForm::SetRowSelected() {
  Profile.AddButton->SetEnabled(false);
  Profile.DeleteButton->SetEnabled(true);
  Profile.IdEdit->SetEnabled(false);
  if (Profile.SetButton) Profile.SetButton->SetEnabled(true);
}

void TAccessProfileForm::ProfileListClick() { Rows.Click(); }

bool TAccessProfileForm::IsDuplicateProfile(const AnsiString& message) {
  if (!ListViewHasRow(Profile.List, {{0, Profile.IdEdit->Text()}})) return false;
  InputError(message, Profile.IdEdit);
  return true;
}

bool TAccessProfileForm::RowStatusIsCreateAndGo() {
  if (Profile.RowStatus->ItemIndex() == kProfileCreateAndGo) return true;
  InputError(kRowStatusMustBeCreateAndGo, Profile.RowStatus);
  return false;
}

void TAccessProfileForm::ReadAfterWrite() {
  Rows.ReadAnew(Request, [this](const AnsiString& message) { ShowFailure(message); });
}

void TAccessProfileForm::WriteProfile(TSavedAccess& saved) {
  // A failed SET is reported where a failed read is: the user must see that
  // the profile was not written.
  if (Rows.WriteControls(Request, saved, [this](const AnsiString& m) { ShowFailure(m); }))
    ReadAfterWrite();
}

void TAccessProfileForm::DeleteProfile() {
  if (!Request) return;
  TSavedAccess saved(*Request);
  saved.InvalidateAllBut({0, Profile.RowStatusItem});
  if (Rows.WriteControls(
          Request, saved, [this](const AnsiString& m) { ShowFailure(m); },
          [this] { Profile.RowStatus->SetItemIndex(kProfileDestroy); }))
    ReadAfterWrite();
}

void TAccessProfileForm::CloseProfiles(bool clearSelectionFirst) {
  if (clearSelectionFirst && Profile.List && Profile.List->Selected())
    Profile.List->SetSelected(nullptr);
  StopWaitDelete(Request);
}

void TAccessProfileForm::BuildProfileButtons(TFormBuilder& B, TPanel*& panel,
                                             const std::vector<TProfileButton>& buttons) {
  B.Add(panel, "Panel1").Align(alRight).Width(116).BevelOuter(bvNone);
  int top = 10;
  for (const TProfileButton& b : buttons) {
    B.Add(b.Button, b.Name, panel).At(10, top, 96, 25).Caption(b.Caption).OnClick(b.OnClick);
    top += 30;
  }
}

TControl* TAccessProfileForm::TProfileRows::Label(const AnsiString& caption) {
  return B.Make<TLabel>("Label" + IntToStr(++count_)).Caption(caption).Get();
}

void TAccessProfileForm::TProfileRows::Edit(TEdit*& field, const AnsiString& name,
                                            const AnsiString& caption) {
  TControl* l = Label(caption);
  B.Add(field, name);
  Rows.push_back({l, field});
}

void TAccessProfileForm::TProfileRows::Combo(TComboBox*& field, const AnsiString& name,
                                             const AnsiString& caption) {
  TControl* l = Label(caption);
  B.Add(field, name).Style(csDropDownList);
  Rows.push_back({l, field});
}
