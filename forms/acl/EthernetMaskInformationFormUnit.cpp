#include "forms/acl/EthernetMaskInformationFormUnit.h"

#include <vector>

#include "catalogue/AclMib.h"
#include "forms/common/FeatureForm.h"
#include "forms/common/InputChecks.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/Buttons.h"
#include "platform/ComCtrls.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/FormBuilder.h"
#include "platform/Layout.h"
#include "platform/StdCtrls.h"
#include "platform/SysUtils.h"

VN_REGISTER_FORM_OPENER(TEthernetMaskInformationForm, nullptr);

namespace {

namespace Item = EthernetMaskInformationItem;

constexpr const char* kInvalidMac = "Invalid MAC Address";

}  // namespace

TEthernetMaskInformationForm::TEthernetMaskInformationForm(TComponent* AOwner)
    : TAccessProfileForm(AOwner) {
  BuildComponents();
  ScaleFormForScreen(this);
  Profile.List = ListView1;
  Profile.IdEdit = IDEdit;
  Profile.AddButton = AddBtn;
  Profile.DeleteButton = BT_Delete;
  Profile.SetButton = SetBtn;
  Profile.RowStatus = RowStatusComBo;
  Profile.StatusBar = StatusBar1;
  Profile.RowStatusItem = Item::kRowStatus;
}

TEthernetMaskInformationForm::~TEthernetMaskInformationForm() = default;

void TEthernetMaskInformationForm::BuildComponents() {
  TFormBuilder B(this);
  B.Form()
      .Caption("Ethernet Mask Information Form")
      .Size(705, 355)
      .Position(poScreenCenter)
      .BorderStyle(bsSingle)
      .Font("MS Sans Serif", -11)
      .OnCreate(this, &TEthernetMaskInformationForm::FormCreate)
      .OnClose(this, &TEthernetMaskInformationForm::FormClose);
  SetName("EthernetMaskInformationForm");

  B.Add(StatusBar1, "StatusBar1").Align(alBottom).Panels({50});
  BuildProfileButtons(
      B, Panel1,
      {{BT_Get, "BT_Get", "Refresh",
        TNotifyEvent(this, &TEthernetMaskInformationForm::BT_GetClick)},
       {AddBtn, "AddBtn", "Add", TNotifyEvent(this, &TEthernetMaskInformationForm::AddBtnClick)},
       {BT_Delete, "BT_Delete", "Delete",
        TNotifyEvent(this, &TEthernetMaskInformationForm::BT_DeleteClick)}});
  B.Add(SetBtn, "SetBtn", Panel1).At(10, 100, 96, 25).Caption("Set").Hidden();

  B.Add(Panel2, "Panel2").Align(alClient).BevelOuter(bvNone);
  B.Parent(Panel2);
  B.Add(ListView1, "ListView1")
      .At(8, 8, 565, 130)
      .OnClick(this, &TEthernetMaskInformationForm::ListView1Click);

  TProfileRows fields(B);
  fields.Edit(IDEdit, "IDEdit", "Ethernet Mask ID");
  fields.Combo(UseVLanComBo, "UseVLanComBo", "Use VLAN");
  fields.Combo(MacMaskStateComBo, "MacMaskStateComBo", "MAC Address Mask State");
  fields.Edit(MacAddMaskSourceEdit, "MacAddMaskSourceEdit", "MAC Address Mask Source");
  fields.Edit(MacMaskDstEdit, "MacMaskDstEdit", "MAC Address Mask Destination");
  fields.Combo(Use8021pComBo, "Use8021pComBo", "Use 8021p");
  fields.Combo(UseEthTypeCombo, "UseEthTypeCombo", "Use Ethernet Type");
  fields.Combo(RowStatusComBo, "RowStatusComBo", "Row Status");
  fields.Combo(cbxOwner, "cbxOwner", "Owner");
  fields.Edit(EntiesEdit, "EntiesEdit", "Unused Rule Entries");
  cbxOwner->SetEnabled(false);
  EntiesEdit->SetEnabled(false);

  TFieldLayout layout;
  layout.Left = 8;
  layout.Top = 146;
  layout.Gap = 5;
  layout.FieldWidth = 120;
  layout.Columns = 2;
  layout.ColumnGap = 24;
  ArrangeFieldRows(fields.Rows, layout);
}

void TEthernetMaskInformationForm::FormCreate(TObject*) {
  try {
    CreateProfileRequest(EthernetMaskInformationVars);
    Request->BindEdits(Item::kEthernetMaskID, "%i{n1x200}", IDEdit);
    Request->BindComboBox(Item::kUseVLAN, UseVLanComBo);
    Request->BindComboBox(Item::kMACAddressMaskState, MacMaskStateComBo);
    Request->BindEdits(Item::kMACAddressMaskSource, "%s", MacAddMaskSourceEdit);
    Request->BindEdits(Item::kMACAddressMaskDestination, "%s", MacMaskDstEdit);
    Request->BindComboBox(Item::kUse8021p, Use8021pComBo);
    Request->BindComboBox(Item::kUseEthernetType, UseEthTypeCombo);
    Request->BindComboBox(Item::kRowStatus, RowStatusComBo);
    Request->BindComboBox(Item::kOwner, cbxOwner);
    Request->BindEdits(Item::kUnusedRuleEntries, "%i", EntiesEdit);
  } catch (const Exception& e) {
    ShowFailureInStatusBar(StatusBar1, e.Message);
  }
  UseVLanComBo->SetItemIndex(EthernetMaskInformationUseVLANOption::kEnabled);
  Use8021pComBo->SetItemIndex(EthernetMaskInformationUse8021pOption::kDisabled);
  MacMaskStateComBo->SetItemIndex(EthernetMaskInformationMACAddressMaskStateOption::kOther);
  UseEthTypeCombo->SetItemIndex(EthernetMaskInformationUseEthernetTypeOption::kDisabled);
  RowStatusComBo->SetItemIndex(EthernetMaskInformationRowStatusOption::kCreateAndGo);
  ReadProfiles();
}

void TEthernetMaskInformationForm::ClearMaskEdits() {
  for (TEdit* e : {IDEdit, MacMaskDstEdit, MacAddMaskSourceEdit, EntiesEdit}) e->SetText("");
}

void TEthernetMaskInformationForm::BT_GetClick(TObject*) { ReadProfiles(); }

void TEthernetMaskInformationForm::ListView1Click(TObject*) { ProfileListClick(); }

void TEthernetMaskInformationForm::AddBtnClick(TObject*) {
  if (!Request) return;
  if (IsDuplicateProfile(
          "There is already a record with the same Ethernet Mask ID. Please modified it."))
    return;
  if (!RowStatusIsCreateAndGo()) return;
  if (!ValidateMaskInput()) return;
  WriteMask();
}

bool TEthernetMaskInformationForm::ValidateMaskInput() {
  if (IDEdit->Text().IsEmpty()) {
    InputError("Mask ID must be set", IDEdit);
    return false;
  }
  if (Request->Busy) {
    ShowMessage("Get data not complet");
    return false;
  }
  // A non-empty mask must be twelve hex digits; the check shows its message.
  auto bad = [](TEdit* edit) {
    if (edit->Text().IsEmpty() || ValidateHexDigits(edit->Text(), 12, kInvalidMac)) return false;
    FocusIfPossible(edit);
    return true;
  };
  const AnsiString state = ComboText(MacMaskStateComBo);
  if (state == "dst-mac-addr") return !bad(MacMaskDstEdit);
  if (state == "src-mac-addr") return !bad(MacAddMaskSourceEdit);
  if (state == "dst-src-mac-addr") return !bad(MacMaskDstEdit) && !bad(MacAddMaskSourceEdit);
  return true;
}

void TEthernetMaskInformationForm::WriteMask() {
  TSavedAccess saved(*Request);
  if (ComboText(UseVLanComBo).IsEmpty()) saved.Invalidate(Item::kUseVLAN);
  if (ComboText(Use8021pComBo).IsEmpty()) saved.Invalidate(Item::kUse8021p);
  const AnsiString state = ComboText(MacMaskStateComBo);
  if (state.IsEmpty()) {
    saved.Invalidate(Item::kMACAddressMaskState);
    saved.Invalidate(Item::kMACAddressMaskSource);
    saved.Invalidate(Item::kMACAddressMaskDestination);
  } else if (state == "other") {
    saved.Invalidate(Item::kMACAddressMaskSource);
    saved.Invalidate(Item::kMACAddressMaskDestination);
  } else if (state == "dst-mac-addr") {
    saved.Invalidate(Item::kMACAddressMaskSource);
  } else if (state == "src-mac-addr") {
    saved.Invalidate(Item::kMACAddressMaskDestination);
  }
  if (MacMaskDstEdit->Text().IsEmpty()) saved.Invalidate(Item::kMACAddressMaskDestination);
  if (MacAddMaskSourceEdit->Text().IsEmpty()) saved.Invalidate(Item::kMACAddressMaskSource);
  if (ComboText(UseEthTypeCombo).IsEmpty()) saved.Invalidate(Item::kUseEthernetType);
  WriteProfile(saved);
}

void TEthernetMaskInformationForm::BT_DeleteClick(TObject*) { DeleteProfile(); }

void TEthernetMaskInformationForm::FormClose(TObject*, TCloseAction& Action) {
  CloseProfiles(false);
  Action = caFree;
}
