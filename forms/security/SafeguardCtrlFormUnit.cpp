#include "forms/security/SafeguardCtrlFormUnit.h"

#include "catalogue/SecurityMib.h"
#include "forms/common/FeatureForm.h"
#include "forms/common/FormWrite.h"
#include "library/VnErrors.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/ComCtrls.h"
#include "platform/Dialogs.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

TSafeguardCtrlForm* SafeguardCtrlForm = nullptr;
VN_REGISTER_FORM_OPENER(TSafeguardCtrlForm, &SafeguardCtrlForm);

namespace {

namespace Item = SafeguardCtrlItem;

constexpr const char* kRisingRange = "Rising Threshold should between 20-100";
constexpr const char* kFallingRange = "Falling Threshold should between 20-100";

// The threshold typed into `edit`; false when the text is no number.
bool ThresholdValue(const TEdit* edit, int& value) {
  const AnsiString text = edit->Text();
  value = text.ToIntDef(-1);
  return value != -1 || text.ToIntDef(0) == -1;
}

// A ticked threshold lies in 20..100; one that is no number takes the focus.
bool ThresholdAccepted(TEdit* edit, bool number, int value, const char* message) {
  if (!number) {
    InputError(message, edit);
    return false;
  }
  if (value < 20 || value > 100) {
    ShowMessage(message);
    return false;
  }
  return true;
}

}  // namespace

TSafeguardCtrlForm::TSafeguardCtrlForm(TComponent* AOwner) : TForm(AOwner) {
  InitComponents();
  ScaleFormForScreen(this);
  FallingFirst = 0;
}

TSafeguardCtrlForm::~TSafeguardCtrlForm() = default;

void TSafeguardCtrlForm::InitComponents() {
  using F = TSafeguardCtrlForm;
  TFormBuilder B(this);
  B.Form()
      .Caption("Safeguard Control")
      .ClientSize(430, 222)
      .Position(poScreenCenter)
      .BorderStyle(bsSingle)
      .OnCreate(this, &F::FormCreate)
      .OnCloseQuery(this, &F::FormCloseQuery);
  B.Add(Label1, "Label1").At(16, 20).Caption("Rising Threshold [20-100]");
  B.Add(Label2, "Label2").At(16, 48).Caption("Falling Threshold [20-100]");
  B.Add(Label3, "Label3").At(16, 76).Caption("Alarm State");
  B.Add(Label4, "Label4").At(16, 104).Caption("Mode");
  B.Add(Label5, "Label5").At(16, 132).Caption("Current State");
  B.Add(edtRising, "edtRising").At(196, 16, 121, 21);
  B.Add(edtFalling, "edtFalling").At(196, 44, 121, 21);
  B.Add(cbxAlarm, "cbxAlarm").At(196, 72, 121, 21).Style(csDropDownList);
  B.Add(cbxMode, "cbxMode").At(196, 100, 121, 21).Style(csDropDownList);
  B.Add(cbxCurrentState, "cbxCurrentState")
      .At(196, 128, 121, 21)
      .Style(csDropDownList)
      .Enabled(false);
  B.Add(ckRising, "ckRising").At(330, 18, 17, 17).OnClick(this, &F::ChangeSetState);
  B.Add(ckFalling, "ckFalling").At(330, 46, 17, 17).OnClick(this, &F::ChangeSetState);
  B.Add(ckAlarm, "ckAlarm").At(330, 74, 17, 17).OnClick(this, &F::ChangeSetState);
  B.Add(ckMode, "ckMode").At(330, 102, 17, 17).OnClick(this, &F::ChangeSetState);
  B.Add(btnGet, "btnGet").At(8, 164, 75, 25).Caption("Refresh").OnClick(this, &F::btnGetClick);
  B.Add(btnSet, "btnSet").At(92, 164, 75, 25).Caption("Set").OnClick(this, &F::btnSetClick);
  B.Add(btnCheckAll, "btnCheckAll")
      .At(176, 164, 75, 25)
      .Caption("Check All")
      .OnClick(this, &F::btnCheckAllClick);
  B.Add(btnClearCheck, "btnClearCheck")
      .At(260, 164, 75, 25)
      .Caption("Clear Checks")
      .OnClick(this, &F::btnClearCheckClick);
  B.Add(btnClose, "btnClose")
      .At(344, 164, 75, 25)
      .Caption("Close")
      .OnClick(this, &F::btnCloseClick);
  B.Add(stbStatus, "stbStatus").Panels({50});
  B.Add(lbFalling, "lbFalling").At(356, 48).Hidden();
}

void TSafeguardCtrlForm::FormCreate(TObject*) {
  try {
    btnSet->SetEnabled(false);
    Request = NewFormRequest(this, SafeguardCtrlVars, VnItemType::SVT_SV, 0, true);
    Request->BindEdits(Item::kSafeguardRisingThreshold, "%i{n20x100l3}", edtRising);
    Request->BindEdits(Item::kSafeguardFallingThreshold, "%i{n20x100l3}", edtFalling);
    Request->BindComboBox(Item::kSafeguardMode, cbxMode);
    Request->BindComboBox(Item::kSafeguardAlarmAdminState, cbxAlarm);
    Request->BindComboBox(Item::kSafeguardCurrentStatus, cbxCurrentState);
    Request->SetStatusPanel(stbStatus->Panels()->Items(0));
    btnGetClick(this);
  } catch (const Exception& e) {
    ShowStatusText(e.Message);
  }
}

void TSafeguardCtrlForm::ShowStatusText(const AnsiString& text) {
  ShowFailureInStatusBar(stbStatus, text);
}

void TSafeguardCtrlForm::btnGetClick(TObject*) { Refresh(); }

bool TSafeguardCtrlForm::Refresh() {
  if (!Request || Request->Busy) return true;
  try {
    Request->Get();
    lbFalling->SetCaption(edtFalling->Text());
    return true;
  } catch (const Exception& e) {
    ShowStatusText(e.Message);
    return false;
  }
}

void TSafeguardCtrlForm::ChangeSetState(TObject*) {
  btnSet->SetEnabled(ckRising->Checked() || ckFalling->Checked() || ckAlarm->Checked() ||
                     ckMode->Checked());
}

void TSafeguardCtrlForm::btnCheckAllClick(TObject*) {
  ckRising->SetChecked(true);
  ckFalling->SetChecked(true);
  ckAlarm->SetChecked(true);
  ckMode->SetChecked(true);
}

void TSafeguardCtrlForm::btnClearCheckClick(TObject*) {
  ckRising->SetChecked(false);
  ckFalling->SetChecked(false);
  ckAlarm->SetChecked(false);
  ckMode->SetChecked(false);
}

bool TSafeguardCtrlForm::WriteOne(int item, const TCheckBox* box) {
  if (!box->Checked()) return true;
  // A SET may rebuild the list's items: each access is looked up afresh.
  VnSNMPVarList& list = Request->Request.VarList;
  list.Item(item)->Access = SNMP_ACCESS_READWRITE;
  bool written = false;
  try {
    written = SetUnlessEmpty(*Request, kSetFromControls);
  } catch (...) {
    list.Item(item)->Access = SNMP_ACCESS_INVALID;
    throw;
  }
  list.Item(item)->Access = SNMP_ACCESS_INVALID;
  return written;
}

// The checks judge what the user entered: a ticked threshold the user
// edited, and the order of the two when one of them is such a threshold.
// Thresholds the switch holds and the user left alone are written back as
// they are, so they never keep the ticked settings from being written.
void TSafeguardCtrlForm::btnSetClick(TObject*) {
  if (!Request) return;
  int rising = 0;
  int falling = 0;
  const bool risingNumber = ThresholdValue(edtRising, rising);
  const bool fallingNumber = ThresholdValue(edtFalling, falling);
  const bool risingEntered = ckRising->Checked() && FieldEntered(Request.get(), edtRising);
  const bool fallingEntered = ckFalling->Checked() && FieldEntered(Request.get(), edtFalling);
  if (risingEntered && !ThresholdAccepted(edtRising, risingNumber, rising, kRisingRange)) return;
  if (fallingEntered && !ThresholdAccepted(edtFalling, fallingNumber, falling, kFallingRange))
    return;
  // A threshold the switch gave no value for, left alone, is no number to
  // judge: it stays out of the write.
  const bool risingHeld = !Request->HoldsNoValue(Item::kSafeguardRisingThreshold);
  const bool fallingHeld = !Request->HoldsNoValue(Item::kSafeguardFallingThreshold);
  if (risingEntered || fallingEntered) {
    // One that is no number is an input error of its own edit.
    if (!risingNumber && (risingEntered || risingHeld)) {
      InputError(kRisingRange, edtRising);
      return;
    }
    if (!fallingNumber && (fallingEntered || fallingHeld)) {
      InputError(kFallingRange, edtFalling);
      return;
    }
    if (risingNumber && fallingNumber && rising <= falling) {
      InputError("he rising threshold must be larger than the falling threshold.", edtRising);
      return;
    }
  }
  if (Request->Busy) return;

  // Lowering both thresholds writes the falling one first, so that the
  // device never holds a rising threshold below the falling one. A last
  // reading that is no number counts as not higher.
  if (ckRising->Checked() && ckFalling->Checked() &&
      lbFalling->Caption().ToIntDef(falling) > falling)
    FallingFirst = 1;

  const TTypedFields typed(*Request);
  TSavedAccess saved(*Request);
  // The failure that ended the writes, or else a ticked setting that had
  // nothing to write (the others are written all the same).
  AnsiString refusal;
  bool failed = false;
  const auto write = [&](int item, const TCheckBox* box) {
    if (!WriteOne(item, box) && refusal.IsEmpty()) refusal = ErrorText(VNERR_NOTHING_TO_SET);
  };
  try {
    for (int i = Item::kSafeguardRisingThreshold; i <= Item::kSafeguardAlarmAdminState; ++i)
      saved.Invalidate(i);
    if (FallingFirst) {
      write(Item::kSafeguardFallingThreshold, ckFalling);
      write(Item::kSafeguardRisingThreshold, ckRising);
    } else {
      write(Item::kSafeguardRisingThreshold, ckRising);
      write(Item::kSafeguardFallingThreshold, ckFalling);
    }
    write(Item::kSafeguardMode, ckMode);
    write(Item::kSafeguardAlarmAdminState, ckAlarm);
  } catch (const Exception& e) {
    refusal = e.Message;
    failed = true;
    ShowStatusText(refusal);
  }
  saved.Restore();
  FallingFirst = 0;
  // A write that failed leaves the fields as the user typed them, for a
  // correction. Otherwise the read shows what the device holds, and a
  // ticked setting that had nothing to write stays in the status line
  // unless the read fails itself.
  if (failed) {
    typed.PutBack();
    return;
  }
  if (Refresh() && !refusal.IsEmpty()) ShowStatusText(refusal);
}

void TSafeguardCtrlForm::btnCloseClick(TObject*) { Close(); }

void TSafeguardCtrlForm::FormCloseQuery(TObject*, bool& CanClose) {
  CanClose = true;
  StopWaitDelete(Request);
}
