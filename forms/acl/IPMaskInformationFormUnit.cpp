#include "forms/acl/IPMaskInformationFormUnit.h"

#include <vector>

#include "catalogue/AclMib.h"
#include "forms/common/FeatureForm.h"
#include "forms/common/InputChecks.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/Buttons.h"
#include "platform/ComCtrls.h"
#include "platform/ExtCtrls.h"
#include "platform/FormBuilder.h"
#include "platform/Layout.h"
#include "platform/StdCtrls.h"
#include "platform/SysUtils.h"

VN_REGISTER_FORM_OPENER(TIPMaskInformationForm, nullptr);

namespace {

namespace Item = IPMaskInformationItem;

constexpr const char* kInvalidMask = "Invalid Mask!";
constexpr const char* kInvalidValue = "Please input a valid value";

// The integer of the text, -1 when it is none.
int IntegerOrMinusOne(const AnsiString& text) { return StrToIntDef(text, -1); }

bool OneOf(const AnsiString& text, std::initializer_list<const char*> texts) {
  for (const char* t : texts)
    if (text == t) return true;
  return false;
}

}  // namespace

TIPMaskInformationForm::TIPMaskInformationForm(TComponent* AOwner) : TAccessProfileForm(AOwner) {
  BuildComponents();
  ScaleFormForScreen(this);
  Profile.List = ListView1;
  Profile.IdEdit = IPIDEdit;
  Profile.AddButton = BT_Add;
  Profile.DeleteButton = BT_Delete;
  Profile.SetButton = SetBtn;
  Profile.RowStatus = RowStatusComBo;
  Profile.StatusBar = StatusBar1;
  Profile.RowStatusItem = Item::kRowStatus;
}

TIPMaskInformationForm::~TIPMaskInformationForm() = default;

void TIPMaskInformationForm::BuildComponents() {
  TFormBuilder B(this);
  B.Form()
      .Caption("IP Mask Information Form")
      .Size(792, 491)
      .Position(poScreenCenter)
      .BorderStyle(bsSingle)
      .Font("MS Sans Serif", -11)
      .OnCreate(this, &TIPMaskInformationForm::FormCreate)
      .OnClose(this, &TIPMaskInformationForm::FormClose);
  SetName("IPMaskInformationForm");

  B.Add(StatusBar1, "StatusBar1").Align(alBottom).Panels({50});
  BuildProfileButtons(
      B, Panel1,
      {{BT_Get, "BT_Get", "Refresh", TNotifyEvent(this, &TIPMaskInformationForm::BT_GetClick)},
       {BT_Add, "BT_Add", "Add", TNotifyEvent(this, &TIPMaskInformationForm::BT_AddClick)},
       {BT_Delete, "BT_Delete", "Delete",
        TNotifyEvent(this, &TIPMaskInformationForm::BT_DeleteClick)}});
  B.Add(SetBtn, "SetBtn", Panel1).At(10, 100, 96, 25).Caption("Set").Hidden();

  B.Add(Panel2, "Panel2").Align(alClient).BevelOuter(bvNone);
  B.Parent(Panel2);
  B.Add(ListView1, "ListView1")
      .At(8, 8, 652, 130)
      .OnClick(this, &TIPMaskInformationForm::ListView1Click);

  TProfileRows fields(B);
  fields.Edit(IPIDEdit, "IPIDEdit", "IP Mask ID");
  fields.Combo(VlanComboBox, "VlanComboBox", "Use VLAN");
  fields.Combo(IpAddMaskStateComboBox, "IpAddMaskStateComboBox", "IP Address Mask State");
  fields.Edit(IpAddMaskSrcEdit, "IpAddMaskSrcEdit", "IP Address Mask Source");
  fields.Edit(IpAddMaskDstEdit, "IpAddMaskDstEdit", "IP Address Mask Destination");
  fields.Combo(UseDSCPComBo, "UseDSCPComBo", "Use DSCP");
  fields.Combo(UseProTypeComBo, "UseProTypeComBo", "Use Protocol Type");
  fields.Combo(IcmpComboBox, "IcmpComboBox", "ICMP Option");
  fields.Combo(IgmpComboBox, "IgmpComboBox", "IGMP Option");
  fields.Combo(TCPOptionComBo, "TCPOptionComBo", "TCP Option");
  fields.Combo(UDPOptionComBo, "UDPOptionComBo", "UDP Option");
  fields.Edit(TCPUDPSrcMaskEdit, "TCPUDPSrcMaskEdit", "TCP or UDP Srouce Port Mask");
  fields.Edit(TCPUDPDstPortMaskEdit, "TCPUDPDstPortMaskEdit", "TCP or UDP Destination Port Mask");
  fields.Combo(TCPFlagBitOptionComBo, "TCPFlagBitOptionComBo", "TCP Flag Bit Option");
  fields.Edit(TCPFlagBitMaskEdit, "TCPFlagBitMaskEdit", "TCP Flag Bit Mask [0-63]");
  fields.Combo(ProOptionComBo, "ProOptionComBo", "Protocol ID Option");
  fields.Edit(ProtoIDEdit, "ProtoIDEdit", "Proto ID Mask [0-255]");
  fields.Edit(ProIDMaskEdit, "ProIDMaskEdit", "User Mask");
  fields.Combo(RowStatusComBo, "RowStatusComBo", "Row Status");
  fields.Combo(OwnerComboBox, "OwnerComboBox", "Owner");
  fields.Edit(SrcMacAddrMaskEdit, "SrcMacAddrMaskEdit", "Source MAC Address Mask");
  fields.Edit(EntriesEdit, "EntriesEdit", "Unused Rule Entries");
  OwnerComboBox->SetEnabled(false);
  SrcMacAddrMaskEdit->SetEnabled(false);
  EntriesEdit->SetEnabled(false);

  TFieldLayout layout;
  layout.Left = 8;
  layout.Top = 146;
  layout.Gap = 4;
  layout.FieldWidth = 130;
  layout.Columns = 2;
  layout.ColumnGap = 24;
  ArrangeFieldRows(fields.Rows, layout);
}

void TIPMaskInformationForm::FormCreate(TObject*) {
  try {
    CreateProfileRequest(IPMaskInformationVars);
    Request->BindEdits(Item::kProfileID, "%i{n1x200}", IPIDEdit);
    Request->BindComboBox(Item::kUseVLAN, VlanComboBox);
    Request->BindComboBox(Item::kAddressMaskState, IpAddMaskStateComboBox);
    Request->BindEdits(Item::kSourceIPAddressMask, "%s", IpAddMaskSrcEdit);
    Request->BindEdits(Item::kDestinationIPAddressMask, "%s", IpAddMaskDstEdit);
    Request->BindComboBox(Item::kUseDSCP, UseDSCPComBo);
    Request->BindComboBox(Item::kUseProtocolType, UseProTypeComBo);
    Request->BindComboBox(Item::kICMPOption, IcmpComboBox);
    Request->BindComboBox(Item::kIGMPOption, IgmpComboBox);
    Request->BindComboBox(Item::kTCPOption, TCPOptionComBo);
    Request->BindComboBox(Item::kUDPOption, UDPOptionComBo);
    Request->BindEdits(Item::kTCPOrUDPSourcePortMask, "%s", TCPUDPSrcMaskEdit);
    Request->BindEdits(Item::kTCPOrUDPDestinationPortMask, "%s", TCPUDPDstPortMaskEdit);
    Request->BindComboBox(Item::kTCPFlagBit, TCPFlagBitOptionComBo);
    Request->BindEdits(Item::kTCPFlagBitMask, "%i", TCPFlagBitMaskEdit);
    Request->BindComboBox(Item::kProtocolIDOption, ProOptionComBo);
    Request->BindEdits(Item::kProtocolID, "%i", ProtoIDEdit);
    Request->BindEdits(Item::kProtocolIDMask, "%s", ProIDMaskEdit);
    Request->BindComboBox(Item::kRowStatus, RowStatusComBo);
    Request->BindComboBox(Item::kOwner, OwnerComboBox);
    Request->BindEdits(Item::kSourceMACAddressMask, "%s", SrcMacAddrMaskEdit);
    Request->BindEdits(Item::kUnusedRuleEntries, "%i", EntriesEdit);
  } catch (const Exception& e) {
    ShowFailureInStatusBar(StatusBar1, e.Message);
  }
  VlanComboBox->SetItemIndex(IPMaskInformationUseVLANOption::kEnabled);
  IpAddMaskStateComboBox->SetItemIndex(IPMaskInformationAddressMaskStateOption::kOther);
  UseDSCPComBo->SetItemIndex(IPMaskInformationUseDSCPOption::kDisabled);
  UseProTypeComBo->SetItemIndex(IPMaskInformationUseProtocolTypeOption::kNone);
  IcmpComboBox->SetItemIndex(IPMaskInformationICMPOptionOption::kNone);
  IgmpComboBox->SetItemIndex(IPMaskInformationIGMPOptionOption::kDisable);
  TCPOptionComBo->SetItemIndex(IPMaskInformationTCPOptionOption::kOther);
  UDPOptionComBo->SetItemIndex(IPMaskInformationUDPOptionOption::kOther);
  TCPFlagBitOptionComBo->SetItemIndex(IPMaskInformationTCPFlagBitOption::kDisable);
  ProOptionComBo->SetItemIndex(IPMaskInformationProtocolIDOptionOption::kDisable);
  RowStatusComBo->SetItemIndex(IPMaskInformationRowStatusOption::kCreateAndGo);
  OwnerComboBox->SetItemIndex(IPMaskInformationOwnerOption::kAcl);
  ReadProfiles();
}

void TIPMaskInformationForm::ClearMaskEdits() {
  for (TEdit* e :
       {IPIDEdit, IpAddMaskSrcEdit, IpAddMaskDstEdit, TCPUDPSrcMaskEdit, TCPUDPDstPortMaskEdit,
        TCPFlagBitMaskEdit, ProIDMaskEdit, ProtoIDEdit, SrcMacAddrMaskEdit, EntriesEdit})
    e->SetText("");
  OwnerComboBox->SetItemIndex(IPMaskInformationOwnerOption::kAcl);
}

void TIPMaskInformationForm::BT_GetClick(TObject*) { ReadProfiles(); }

void TIPMaskInformationForm::ListView1Click(TObject*) { ProfileListClick(); }

void TIPMaskInformationForm::BT_AddClick(TObject*) {
  if (!Request) return;
  if (!ValidateMaskInput()) return;
  if (IsDuplicateProfile("There is already a record with the same IP Mask ID. Please modified it."))
    return;
  if (!RowStatusIsCreateAndGo()) return;
  WriteMask();
}

bool TIPMaskInformationForm::ValidateMaskInput() {
  if (IPIDEdit->Text().IsEmpty()) {
    InputError("IP Mask ID must be set.", IPIDEdit);
    return false;
  }
  // A non-empty edit must pass the check; the check shows its own message.
  auto bad = [](TEdit* edit, bool ok) {
    if (edit->Text().IsEmpty() || ok) return false;
    FocusIfPossible(edit);
    return true;
  };
  auto badHex = [&](TEdit* edit, int digits) {
    return !edit->Text().IsEmpty() &&
           bad(edit, ValidateHexDigits(edit->Text(), digits, kInvalidMask));
  };
  auto badRange = [&](TEdit* edit, int max) {
    if (edit->Text().IsEmpty()) return false;
    const int v = IntegerOrMinusOne(edit->Text());
    if (v >= 0 && v <= max) return false;
    InputError(kInvalidValue, edit);
    return true;
  };
  const AnsiString state = ComboText(IpAddMaskStateComboBox);
  if (OneOf(state, {"src-ip-addr", "dst-src-ip-addr"}) && !IpAddMaskSrcEdit->Text().IsEmpty() &&
      bad(IpAddMaskSrcEdit,
          ValidateIpAddressText(IpAddMaskSrcEdit->Text(), kInvalidIpLowerMessage)))
    return false;
  if (OneOf(state, {"dst-ip-addr", "dst-src-ip-addr"}) && !IpAddMaskDstEdit->Text().IsEmpty() &&
      bad(IpAddMaskDstEdit,
          ValidateIpAddressText(IpAddMaskDstEdit->Text(), kInvalidIpLowerMessage)))
    return false;
  const AnsiString type = ComboText(UseProTypeComBo);
  if (type == "protocolId" && ComboText(ProOptionComBo) == "enable" && badHex(ProIDMaskEdit, 8))
    return false;
  if (type == "protocolId" && badRange(ProtoIDEdit, 255)) return false;
  if (type == "tcp" || type == "udp") {
    const AnsiString tcp = ComboText(TCPOptionComBo);
    const AnsiString udp = ComboText(UDPOptionComBo);
    if ((OneOf(tcp, {"dst-addr", "dst-src-addr"}) || OneOf(udp, {"dst-addr", "dst-src-addr"})) &&
        badHex(TCPUDPDstPortMaskEdit, 4))
      return false;
    if ((OneOf(tcp, {"src-addr", "dst-src-addr"}) || OneOf(udp, {"src-addr", "dst-src-addr"})) &&
        badHex(TCPUDPSrcMaskEdit, 4))
      return false;
  }
  if (type == "tcp" && ComboText(TCPFlagBitOptionComBo) == "enable" &&
      badRange(TCPFlagBitMaskEdit, 63))
    return false;
  return true;
}

void TIPMaskInformationForm::ApplyProtocolTypeMask(TSavedAccess& saved) {
  const AnsiString type = ComboText(UseProTypeComBo);
  auto range = [&saved](int from, int to) {
    for (int i = from; i <= to; ++i) saved.Invalidate(i);
  };
  auto items = [&saved](std::initializer_list<int> list) {
    for (int i : list) saved.Invalidate(i);
  };
  if (type == "none") {
    range(Item::kUseProtocolType, Item::kProtocolIDMask);
  } else if (type == "icmp") {
    range(Item::kIGMPOption, Item::kProtocolIDMask);
  } else if (type == "igmp") {
    items({Item::kICMPOption});
    range(Item::kTCPOption, Item::kProtocolIDMask);
  } else if (type == "tcp") {
    items({Item::kICMPOption, Item::kIGMPOption, Item::kUDPOption, Item::kProtocolIDOption,
           Item::kProtocolID, Item::kProtocolIDMask});
  } else if (type == "udp") {
    items({Item::kICMPOption, Item::kIGMPOption, Item::kTCPOption, Item::kTCPFlagBit,
           Item::kTCPFlagBitMask, Item::kProtocolIDOption, Item::kProtocolID,
           Item::kProtocolIDMask});
  } else if (type == "protocolId") {
    range(Item::kICMPOption, Item::kTCPFlagBitMask);
  }
}

void TIPMaskInformationForm::WriteMask() {
  TSavedAccess saved(*Request);
  VnSNMPVarList& list = Request->Request.VarList;
  auto keep = [&](int item) { list.Item(item)->Access = saved.Saved(item); };

  const AnsiString state = ComboText(IpAddMaskStateComboBox);
  if (state == "other") {
    saved.Invalidate(Item::kAddressMaskState);
    saved.Invalidate(Item::kSourceIPAddressMask);
    saved.Invalidate(Item::kDestinationIPAddressMask);
  } else if (state == "dst-ip-addr") {
    saved.Invalidate(Item::kSourceIPAddressMask);
  } else if (state == "src-ip-addr") {
    saved.Invalidate(Item::kDestinationIPAddressMask);
  }
  if (ComboText(IcmpComboBox) == "none") saved.Invalidate(Item::kICMPOption);
  const AnsiString tcp = ComboText(TCPOptionComBo);
  const AnsiString udp = ComboText(UDPOptionComBo);
  if (tcp == "other") {
    saved.Invalidate(Item::kTCPOption);
    saved.Invalidate(Item::kTCPOrUDPSourcePortMask);
    saved.Invalidate(Item::kTCPOrUDPDestinationPortMask);
  }
  if (udp == "other") {
    saved.Invalidate(Item::kUDPOption);
    saved.Invalidate(Item::kTCPOrUDPSourcePortMask);
    saved.Invalidate(Item::kTCPOrUDPDestinationPortMask);
  }
  if (tcp == "dst-addr" || udp == "dst-addr") keep(Item::kTCPOrUDPDestinationPortMask);
  if (tcp == "src-addr" || udp == "src-addr") keep(Item::kTCPOrUDPSourcePortMask);
  if (tcp == "dst-src-addr" || udp == "dst-src-addr") {
    keep(Item::kTCPOrUDPSourcePortMask);
    keep(Item::kTCPOrUDPDestinationPortMask);
  }
  if (ComboText(TCPFlagBitOptionComBo) == "disable") saved.Invalidate(Item::kTCPFlagBitMask);
  if (ComboText(ProOptionComBo) == "disable") {
    saved.Invalidate(Item::kProtocolID);
    saved.Invalidate(Item::kProtocolIDMask);
  }
  ApplyProtocolTypeMask(saved);
  const std::pair<TEdit*, int> empties[] = {
      {TCPFlagBitMaskEdit, Item::kTCPFlagBitMask},
      {IpAddMaskSrcEdit, Item::kSourceIPAddressMask},
      {IpAddMaskDstEdit, Item::kDestinationIPAddressMask},
      {TCPUDPSrcMaskEdit, Item::kTCPOrUDPSourcePortMask},
      {TCPUDPDstPortMaskEdit, Item::kTCPOrUDPDestinationPortMask},
      {ProtoIDEdit, Item::kProtocolID},
      {ProIDMaskEdit, Item::kProtocolIDMask},
      {SrcMacAddrMaskEdit, Item::kSourceMACAddressMask},
      {EntriesEdit, Item::kUnusedRuleEntries}};
  for (const auto& [edit, item] : empties)
    if (edit->Text().IsEmpty()) saved.Invalidate(item);
  WriteProfile(saved);
}

void TIPMaskInformationForm::BT_DeleteClick(TObject*) { DeleteProfile(); }

void TIPMaskInformationForm::FormClose(TObject*, TCloseAction& Action) {
  CloseProfiles(true);
  Action = caFree;
}
