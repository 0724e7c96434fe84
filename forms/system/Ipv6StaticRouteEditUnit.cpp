#include "forms/system/Ipv6StaticRouteEditUnit.h"

#include "catalogue/DeviceMib.h"
#include "forms/common/FeatureForm.h"
#include "forms/common/FormWrite.h"
#include "forms/common/InputChecks.h"
#include "forms/system/Ipv6StaticRouteUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "platform/Exceptions.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

TIpv6StaticRouteEditForm* Ipv6StaticRouteEditForm = nullptr;

namespace {

constexpr const char* kInvalidIpv6 = "Please input a valid IPv6 address";
constexpr const char* kUnspecified = "00000000000000000000000000000000";

}  // namespace

TIpv6StaticRouteEditForm::TIpv6StaticRouteEditForm(TComponent* AOwner) : TForm(AOwner) {
  InitComponents();
  ScaleFormForScreen(this);
}

TIpv6StaticRouteEditForm::~TIpv6StaticRouteEditForm() = default;

void TIpv6StaticRouteEditForm::InitComponents() {
  TFormBuilder B(this);
  B.Form()
      .Caption("IPv6 Static Route Edit")
      .ClientSize(380, 238)
      .Position(poOwnerFormCenter)
      .BorderStyle(bsDialog)
      .OnActivate(this, &TIpv6StaticRouteEditForm::FormActivate);
  struct Row {
    TLabel*& Label;
    const char* Name;
    const char* Caption;
  };
  const Row rows[] = {
      {Label1, "Label1", "Destination"},    {Label2, "Label2", "Prefix Length"},
      {Label6, "Label6", "Interface Name"}, {Label3, "Label3", "Next Hop"},
      {Label4, "Label4", "Metric"},         {Label5, "Label5", "Status"},
  };
  int top = 16;
  for (const Row& row : rows) {
    B.Add(row.Label, row.Name).At(16, top + 4).Caption(row.Caption);
    top += 30;
  }
  B.Add(edtDst, "edtDst").At(120, 16, 244, 21);
  B.Add(edtPrefix, "edtPrefix").At(120, 46, 60, 21);
  B.Add(edtInterface, "edtInterface").At(120, 76, 120, 21);
  B.Add(edtNextHop, "edtNextHop").At(120, 106, 244, 21);
  B.Add(edtMetric, "edtMetric").At(120, 136, 60, 21);
  B.Add(cbxStatus, "cbxStatus").At(120, 166, 120).Style(csDropDownList).Enabled(false);
  // Kept by the resource, never shown.
  B.Add(Label7, "Label7").At(200, 50).Caption("Weight").Hidden();
  B.Add(edtWeight, "edtWeight").At(250, 46, 40, 21).Hidden();
  B.Add(Label8, "Label8").At(200, 140).Caption("Protocol").Hidden();
  B.Add(edtProtocol, "edtProtocol").At(250, 136, 60, 21).Enabled(false).Hidden();
  B.Add(Label9, "Label9").At(250, 170).Caption("Backup State").Hidden();
  B.Add(cbxBackup, "cbxBackup").At(320, 166, 44).Style(csDropDownList).Hidden();
  B.Add(btnSet, "btnSet")
      .At(200, 202, 78, 25)
      .Caption("Set")
      .OnClick(this, &TIpv6StaticRouteEditForm::btnSetClick);
  B.Add(btnClose, "btnClose")
      .At(286, 202, 78, 25)
      .Caption("Close")
      .OnClick(this, &TIpv6StaticRouteEditForm::btnCloseClick);
}

void TIpv6StaticRouteEditForm::FormActivate(TObject*) {
  cbxStatus->SetItemIndex(Ipv6StaticRouteRowStatusOption::kCreateAndGo);
  cbxStatus->SetEnabled(false);
  const bool route = EditMode != kAddDefaultMode;
  edtDst->SetText(route ? "" : kUnspecified);
  edtPrefix->SetText(route ? "" : "0");
  edtDst->SetEnabled(route);
  edtPrefix->SetEnabled(route);
  for (TEdit* edit : {edtInterface, edtNextHop, edtProtocol, edtMetric}) edit->SetText("");
  edtProtocol->SetEnabled(false);
}

bool TIpv6StaticRouteEditForm::ValidateRouteInput() {
  if (EditMode == kAddMode) {
    if (edtDst->Text().IsEmpty()) {
      InputError("Please Set Destination Address", edtDst);
      return false;
    }
    if (!ValidateHexDigits(edtDst->Text(), 32, kInvalidIpv6)) {
      FocusIfPossible(edtDst);
      return false;
    }
    if (edtPrefix->Text().IsEmpty()) {
      InputError("Please Set Prefix length", edtPrefix);
      return false;
    }
    const int prefix = edtPrefix->Text().ToIntDef(-1);
    if (prefix < 0 || prefix > 128) {
      InputError("Prefix should between 0-128", edtPrefix);
      return false;
    }
  }
  if (edtNextHop->Text().IsEmpty()) {
    InputError("Please Set Next Hop Address", edtNextHop);
    return false;
  }
  if (!ValidateHexDigits(edtNextHop->Text(), 32, kInvalidIpv6)) {
    FocusIfPossible(edtNextHop);
    return false;
  }
  if (edtNextHop->Text() == edtDst->Text()) {
    InputError("Duplicate IP address, Please input a valid Next Hop", edtNextHop);
    return false;
  }
  if (!edtMetric->Text().IsEmpty()) {
    const int metric = edtMetric->Text().ToIntDef(-1);
    if (metric < 1 || metric > 65535) {
      InputError("Metric should between 1-65535", edtMetric);
      return false;
    }
  }
  return true;
}

void TIpv6StaticRouteEditForm::btnSetClick(TObject*) {
  TIpv6StaticRouteForm* table = Ipv6StaticRouteForm;
  if (!table || !table->Request) {
    Close();
    return;
  }
  if (!ValidateRouteInput()) return;
  // Refused, lost or not sent, the failure is the memo's last line and the
  // dialog stays open with what was typed.
  TMemo* memo = table->Memo1;
  const bool taken = WriteTaken(
      table->Request,
      [&] {
        TSavedAccess SavedAccess(*table->Request);
        // No metric typed: the route takes the device's default.
        if (edtMetric->Text().IsEmpty()) SavedAccess.Invalidate(Ipv6StaticRouteItem::kMetric);
        cbxStatus->SetItemIndex(Ipv6StaticRouteRowStatusOption::kCreateAndGo);
        table->Request->Set(kSetFromControls);
      },
      [memo](const AnsiString& message) { ShowFailureInMemo(memo, message); });
  if (!taken || !table->Request) return;
  try {
    table->Request->Get();
  } catch (const Exception& e) {
    ShowFailureInMemo(memo, e.Message);
  }
  Close();
}

void TIpv6StaticRouteEditForm::btnCloseClick(TObject*) { Close(); }
