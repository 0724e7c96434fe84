#include "forms/acl/IPv6MaskInfoFormUnit.h"

#include <vector>

#include "catalogue/AclMib.h"
#include "forms/common/FeatureForm.h"
#include "forms/common/InputChecks.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/ComCtrls.h"
#include "platform/Exceptions.h"
#include "platform/ExtCtrls.h"
#include "platform/FormBuilder.h"
#include "platform/Layout.h"
#include "platform/StdCtrls.h"
#include "platform/SysUtils.h"

TIPv6MaskInfoForm* IPv6MaskInfoForm = nullptr;

VN_REGISTER_FORM_OPENER(TIPv6MaskInfoForm, &IPv6MaskInfoForm);

namespace {

namespace Item = IPv6MaskInfoItem;

// Item indexes of the mask-state combo.
namespace MaskState = IPv6MaskInfoIPAddressMaskStateOption;
enum : int {
  kStateOther = MaskState::kOther,
  kStateDst = MaskState::kDstIpv6Addr,
  kStateSrc = MaskState::kSrcIpv6Addr,
  kStateDstSrc = MaskState::kDstSrcIpv6Addr,
};

constexpr const char* kInvalidIpv6 = "Invalid Ipv6 Address value";

}  // namespace

TIPv6MaskInfoForm::TIPv6MaskInfoForm(TComponent* AOwner) : TProfileListForm(AOwner) {
  BuildComponents();
  ScaleFormForScreen(this);
  Profile.List = ListView1;
  Profile.IdEdit = edtMaskID;
  Profile.AddButton = AddButton;
  Profile.DeleteButton = DeleteButton;
  Profile.SetButton = EditButton;
  Profile.RowStatus = cbxStatus;
  Profile.StatusBar = StatusBar1;
  Profile.Count = Static;
  Profile.RowStatusItem = Item::kRowStatus;
}

TIPv6MaskInfoForm::~TIPv6MaskInfoForm() = default;

void TIPv6MaskInfoForm::BuildComponents() {
  TFormBuilder B(this);
  B.Form()
      .Caption("IPv6 Mask Information")
      .Size(809, 357)
      .Position(poScreenCenter)
      .BorderStyle(bsSingle)
      .Font("MS Sans Serif", -11)
      .OnCreate(this, &TIPv6MaskInfoForm::FormCreate)
      .OnClose(this, &TIPv6MaskInfoForm::FormClose);
  SetName("IPv6MaskInfoForm");

  B.Add(StatusBar1, "StatusBar1").Align(alBottom).Panels({50});
  BuildProfileButtons(
      B, Panel1,
      {{GetButton, "GetButton", "Refresh", TNotifyEvent(this, &TIPv6MaskInfoForm::GetButtonClick)},
       {AddButton, "AddButton", "Add", TNotifyEvent(this, &TIPv6MaskInfoForm::AddButtonClick)},
       {DeleteButton, "DeleteButton", "Delete",
        TNotifyEvent(this, &TIPv6MaskInfoForm::DeleteButtonClick)}});
  B.Add(EditButton, "EditButton", Panel1).At(10, 100, 96, 25).Caption("Edit").Hidden();
  B.Add(Static, "Static", Panel1).At(10, 134, 96, 17).Hidden();

  B.Add(Panel2, "Panel2").Align(alClient).BevelOuter(bvNone);
  B.Parent(Panel2);
  B.Add(ListView1, "ListView1")
      .At(8, 8, 677, 150)
      .OnClick(this, &TIPv6MaskInfoForm::ListView1Click);

  TProfileRows fields(B);
  fields.Edit(edtMaskID, "edtMaskID", "IPv6 Mask ID");
  fields.Combo(cbxMaskClass, "cbxMaskClass", "Mask Class");
  fields.Combo(cbxMaskFlowlabel, "cbxMaskFlowlabel", "Mask Flow Label");
  fields.Combo(cbxMaskState, "cbxMaskState", "Address Mask State");
  fields.Edit(edtSrcMask, "edtSrcMask", "Source Mask");
  fields.Edit(edtDstMask, "edtDstMask", "Destination Mask");
  fields.Combo(cbxStatus, "cbxStatus", "RowStatus");
  fields.Combo(cbxOwner, "cbxOwner", "Owner");
  fields.Edit(EntiesEdit, "EntiesEdit", "Unused Rule Entries");
  cbxOwner->SetEnabled(false);
  EntiesEdit->SetEnabled(false);

  TFieldLayout layout;
  layout.Left = 8;
  layout.Top = 166;
  layout.Gap = 5;
  layout.FieldWidth = 200;
  layout.Columns = 2;
  layout.ColumnGap = 24;
  ArrangeFieldRows(fields.Rows, layout);
}

void TIPv6MaskInfoForm::FormCreate(TObject*) {
  try {
    CreateProfileRequest(IPv6MaskInfoVars);
    Request->BindEdits(Item::kProfileID, "%i{n1x200}", edtMaskID);
    Request->BindComboBox(Item::kMaskClass, cbxMaskClass);
    Request->BindComboBox(Item::kFlowLabel, cbxMaskFlowlabel);
    Request->BindComboBox(Item::kIPAddressMaskState, cbxMaskState);
    Request->BindEdits(Item::kIPv6MaskSourceIPv6Mask, "%s{l32}", edtSrcMask);
    Request->BindEdits(Item::kIPv6MaskDestinationIPv6Mask, "%s{l32}", edtDstMask);
    Request->BindComboBox(Item::kRowStatus, cbxStatus);
    Request->BindComboBox(Item::kOwner, cbxOwner);
    Request->BindEdits(Item::kUnusedRuleEntries, "%i", EntiesEdit);
  } catch (const Exception& e) {
    ShowFailureInStatusBar(StatusBar1, e.Message);
  }
  cbxMaskClass->SetItemIndex(IPv6MaskInfoMaskClassOption::kDisable);
  cbxMaskFlowlabel->SetItemIndex(IPv6MaskInfoFlowLabelOption::kDisable);
  cbxMaskState->SetItemIndex(kStateOther);
  cbxStatus->SetItemIndex(IPv6MaskInfoRowStatusOption::kCreateAndGo);
  cbxOwner->SetItemIndex(IPv6MaskInfoOwnerOption::kAcl);
  ReadProfiles();
}

void TIPv6MaskInfoForm::ClearMaskEdits() {
  for (TEdit* e : {edtMaskID, edtSrcMask, edtDstMask, EntiesEdit}) e->SetText("");
}

bool TIPv6MaskInfoForm::ValidateMaskInput() {
  if (!edtMaskID->Text().IsEmpty()) return true;
  InputError("IPv6 Mask ID must be set.", edtMaskID);
  return false;
}

void TIPv6MaskInfoForm::AddButtonClick(TObject*) {
  if (!Request) return;
  if (!ValidateMaskInput()) return;
  if (IsDuplicateProfile("There is already a record with the same IPv6 Mask ID. Please modify it."))
    return;
  if (!RowStatusIsCreateAndGo()) return;
  TSavedAccess saved(*Request);
  if (!PrepareIpv6MaskWrite(saved)) return;  // the words go back with `saved`
  WriteProfile(saved);
}

bool TIPv6MaskInfoForm::PrepareIpv6MaskWrite(TSavedAccess& saved) {
  // A non-empty mask of a state that uses it must be 32 hex digits; an empty
  // one is written as it is.
  auto bad = [](TEdit* edit) {
    if (edit->Text().IsEmpty() || ValidateHexDigits(edit->Text(), 32, kInvalidIpv6)) return false;
    FocusIfPossible(edit);
    return true;
  };
  const AnsiString state = ComboText(cbxMaskState);
  if ((state == "src-ipv6-addr" || state == "dst-src-ipv6-addr") && bad(edtSrcMask)) return false;
  if ((state == "dst-ipv6-addr" || state == "dst-src-ipv6-addr") && bad(edtDstMask)) return false;
  switch (cbxMaskState->ItemIndex()) {
    case kStateOther:
      saved.Invalidate(Item::kIPAddressMaskState);
      saved.Invalidate(Item::kIPv6MaskSourceIPv6Mask);
      saved.Invalidate(Item::kIPv6MaskDestinationIPv6Mask);
      break;
    case kStateDst:
      saved.Invalidate(Item::kIPv6MaskSourceIPv6Mask);
      break;
    case kStateSrc:
      saved.Invalidate(Item::kIPv6MaskDestinationIPv6Mask);
      break;
    default:  // dst-src: both masks and the state are written
      break;
  }
  return true;
}

void TIPv6MaskInfoForm::DeleteButtonClick(TObject*) { DeleteProfile(); }
