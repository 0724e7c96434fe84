#include "forms/acl/EthernetMaskInformationFormUnit.h"

#include <vector>

#include "app/FormOpeners.h"
#include "app/mibdefs/AclMib.h"
#include "forms/common/FeatureForm.h"
#include "forms/common/InputChecks.h"
#include "library/VnSNMPRequest2Edits.h"
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

// Items of the Ethernet profile table.
enum : int {
  kProfileId = 0,
  kUseVlan = 1,
  kMaskState = 2,
  kSrcMacMask = 3,
  kDstMacMask = 4,
  kUse8021p = 5,
  kUseEthType = 6,
  kRowStatus = 7,
  kOwner = 8,
  kUnusedEntries = 9,
};

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
  Profile.RowStatusItem = kRowStatus;
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
  B.Add(Panel1, "Panel1").Align(alRight).Width(116).BevelOuter(bvNone);
  B.Add(BT_Get, "BT_Get", Panel1)
      .At(10, 10, 96, 25)
      .Caption("Refresh")
      .OnClick(this, &TEthernetMaskInformationForm::BT_GetClick);
  B.Add(AddBtn, "AddBtn", Panel1)
      .At(10, 40, 96, 25)
      .Caption("Add")
      .OnClick(this, &TEthernetMaskInformationForm::AddBtnClick);
  B.Add(BT_Delete, "BT_Delete", Panel1)
      .At(10, 70, 96, 25)
      .Caption("Delete")
      .OnClick(this, &TEthernetMaskInformationForm::BT_DeleteClick);
  B.Add(SetBtn, "SetBtn", Panel1).At(10, 100, 96, 25).Caption("Set").Hidden();

  B.Add(Panel2, "Panel2").Align(alClient).BevelOuter(bvNone);
  B.Parent(Panel2);
  B.Add(ListView1, "ListView1")
      .At(8, 8, 565, 130)
      .OnClick(this, &TEthernetMaskInformationForm::ListView1Click);

  std::vector<TFieldRow> rows;
  int n = 0;
  auto label = [&](const char* caption) {
    return B.Make<TLabel>("Label" + IntToStr(++n)).Caption(caption).Get();
  };
  auto edit = [&](TEdit*& field, const char* name, const char* caption) {
    TLabel* l = label(caption);
    B.Add(field, name);
    rows.push_back({l, field});
  };
  auto combo = [&](TComboBox*& field, const char* name, const char* caption) {
    TLabel* l = label(caption);
    B.Add(field, name).Style(csDropDownList);
    rows.push_back({l, field});
  };
  edit(IDEdit, "IDEdit", "Ethernet Mask ID");
  combo(UseVLanComBo, "UseVLanComBo", "Use VLAN");
  combo(MacMaskStateComBo, "MacMaskStateComBo", "MAC Address Mask State");
  edit(MacAddMaskSourceEdit, "MacAddMaskSourceEdit", "MAC Address Mask Source");
  edit(MacMaskDstEdit, "MacMaskDstEdit", "MAC Address Mask Destination");
  combo(Use8021pComBo, "Use8021pComBo", "Use 8021p");
  combo(UseEthTypeCombo, "UseEthTypeCombo", "Use Ethernet Type");
  combo(RowStatusComBo, "RowStatusComBo", "Row Status");
  combo(cbxOwner, "cbxOwner", "Owner");
  edit(EntiesEdit, "EntiesEdit", "Unused Rule Entries");
  cbxOwner->SetEnabled(false);
  EntiesEdit->SetEnabled(false);

  TFieldLayout layout;
  layout.Left = 8;
  layout.Top = 146;
  layout.Gap = 5;
  layout.FieldWidth = 120;
  layout.Columns = 2;
  layout.ColumnGap = 24;
  ArrangeFieldRows(rows, layout);
}

void TEthernetMaskInformationForm::FormCreate(TObject*) {
  try {
    CreateProfileRequest(EthernetMaskInformationVars);
    Request->BindEdits(kProfileId, "%i{n1x200}", IDEdit);
    Request->BindComboBox(kUseVlan, UseVLanComBo);
    Request->BindComboBox(kMaskState, MacMaskStateComBo);
    Request->BindEdits(kSrcMacMask, "%s", MacAddMaskSourceEdit);
    Request->BindEdits(kDstMacMask, "%s", MacMaskDstEdit);
    Request->BindComboBox(kUse8021p, Use8021pComBo);
    Request->BindComboBox(kUseEthType, UseEthTypeCombo);
    Request->BindComboBox(kRowStatus, RowStatusComBo);
    Request->BindComboBox(kOwner, cbxOwner);
    Request->BindEdits(kUnusedEntries, "%i", EntiesEdit);
  } catch (const Exception& e) {
    ShowFailureInStatusBar(StatusBar1, e.Message);
  }
  UseVLanComBo->SetItemIndex(0);
  Use8021pComBo->SetItemIndex(1);
  MacMaskStateComBo->SetItemIndex(0);
  UseEthTypeCombo->SetItemIndex(1);
  RowStatusComBo->SetItemIndex(kProfileCreateAndGo);
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
  if (ComboText(UseVLanComBo).IsEmpty()) saved.Invalidate(kUseVlan);
  if (ComboText(Use8021pComBo).IsEmpty()) saved.Invalidate(kUse8021p);
  const AnsiString state = ComboText(MacMaskStateComBo);
  if (state.IsEmpty()) {
    saved.Invalidate(kMaskState);
    saved.Invalidate(kSrcMacMask);
    saved.Invalidate(kDstMacMask);
  } else if (state == "other") {
    saved.Invalidate(kSrcMacMask);
    saved.Invalidate(kDstMacMask);
  } else if (state == "dst-mac-addr") {
    saved.Invalidate(kSrcMacMask);
  } else if (state == "src-mac-addr") {
    saved.Invalidate(kDstMacMask);
  }
  if (MacMaskDstEdit->Text().IsEmpty()) saved.Invalidate(kDstMacMask);
  if (MacAddMaskSourceEdit->Text().IsEmpty()) saved.Invalidate(kSrcMacMask);
  if (ComboText(UseEthTypeCombo).IsEmpty()) saved.Invalidate(kUseEthType);
  WriteProfile(saved, false);
}

void TEthernetMaskInformationForm::BT_DeleteClick(TObject*) { DeleteProfile(); }

void TEthernetMaskInformationForm::FormClose(TObject*, TCloseAction& Action) {
  CloseProfiles(false);
  Action = caFree;
}
