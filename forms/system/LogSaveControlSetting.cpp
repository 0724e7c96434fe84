#include "forms/system/LogSaveControlSetting.h"

#include "catalogue/DeviceMib.h"
#include "forms/common/FeatureForm.h"
#include "forms/common/FormWrite.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/ComCtrls.h"
#include "platform/Dialogs.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

TLogSaveControlForm* LogSaveControlForm = nullptr;

VN_REGISTER_FORM_OPENER(TLogSaveControlForm, &LogSaveControlForm);

namespace {

// Position of "time-interval" in the method's option list.
constexpr int kTimeIntervalIndex = LogSaveControlMethodOption::kTimeInterval;

}  // namespace

TLogSaveControlForm::TLogSaveControlForm(TComponent* AOwner) : TForm(AOwner) { InitComponents(); }

TLogSaveControlForm::~TLogSaveControlForm() = default;

void TLogSaveControlForm::InitComponents() {
  TFormBuilder B(this);
  B.Form()
      .Caption("System Log Save Control")
      .ClientSize(330, 136)
      .Position(poScreenCenter)
      .BorderStyle(bsSingle)
      .OnCreate(this, &TLogSaveControlForm::FormCreate)
      .OnCloseQuery(this, &TLogSaveControlForm::FormCloseQuery)
      .OnClose(this, &TLogSaveControlForm::FormClose);
  B.Add(Label1, "Label1").At(16, 20).Caption("Log Save Method");
  B.Add(cbxLogSaveMethod, "cbxLogSaveMethod")
      .At(160, 16, 150)
      .Style(csDropDownList)
      .OnChange(this, &TLogSaveControlForm::cbxLogSaveMethodChange);
  B.Add(Label2, "Label2").At(16, 52).Caption("Log SaveTime Interval");
  B.Add(EdLogSavetimeInterval, "EdLogSavetimeInterval").At(160, 48, 150, 21);
  B.Add(btnRefresh, "btnRefresh")
      .At(150, 82, 75, 25)
      .Caption("Refresh")
      .OnClick(this, &TLogSaveControlForm::btnRefreshClick);
  B.Add(btnSet, "btnSet")
      .At(235, 82, 75, 25)
      .Caption("Set")
      .OnClick(this, &TLogSaveControlForm::btnSetClick);
  B.Add(StatusBar1, "StatusBar1").Panels({330});
}

void TLogSaveControlForm::FormCreate(TObject*) {
  Request = NewFormRequest(this, LogSaveControlVars, VnItemType::SVT_SV, 0);
  Request->BindComboBox(LogSaveControlItem::kMethod, cbxLogSaveMethod);
  Request->BindEdits(LogSaveControlItem::kTimeInterval, "%i{n0x65535l5a}", EdLogSavetimeInterval);
  Request->SetStatusPanel(StatusBar1->Panels()->Items(0));
  Request->AsyncMode = false;
  try {
    Request->Get();
    methodRead_ = true;
  } catch (const Exception& e) {
    ShowFailure(e.Message);
  }
  cbxLogSaveMethodChange(nullptr);
}

void TLogSaveControlForm::ShowFailure(const AnsiString& message) {
  ShowFailureInStatusBar(StatusBar1, message);
}

void TLogSaveControlForm::cbxLogSaveMethodChange(TObject*) {
  EdLogSavetimeInterval->SetEnabled(cbxLogSaveMethod->ItemIndex() == kTimeIntervalIndex);
}

void TLogSaveControlForm::btnRefreshClick(TObject*) { Refresh(); }

bool TLogSaveControlForm::Refresh() {
  if (!Request || Request->Busy) return true;
  bool read = true;
  try {
    Request->Get();
    methodRead_ = true;
  } catch (const Exception& e) {
    ShowFailure(e.Message);
    read = false;
  }
  cbxLogSaveMethodChange(nullptr);
  return read;
}

void TLogSaveControlForm::btnSetClick(TObject*) {
  if (!Request || Request->Busy) return;
  // A method the list does not name shows no choice: that is the switch's
  // own method, which goes back as it is. Only a form that never read one
  // has nothing to write.
  if (cbxLogSaveMethod->ItemIndex() < 0 && !methodRead_) {
    InputError("You should choose Log Save Method.", cbxLogSaveMethod);
    return;
  }
  bool taken = false;
  {
    // The interval is written with the time-interval method only; its
    // access word comes back however the SET ends.
    TSavedAccess saved(*Request);
    if (cbxLogSaveMethod->ItemIndex() != kTimeIntervalIndex)
      saved.Invalidate(LogSaveControlItem::kTimeInterval);
    taken = WriteTaken(
        Request, [&] { Request->Set(kSetFromControlsThenRead); },
        [this](const AnsiString& message) { ShowFailure(message); });
  }
  // Taken, the read shows what the device holds; refused, the fields keep
  // what the user chose, for a correction.
  if (taken)
    Refresh();
  else
    cbxLogSaveMethodChange(nullptr);
}

void TLogSaveControlForm::FormCloseQuery(TObject*, bool&) { StopWaitDelete(Request); }

void TLogSaveControlForm::FormClose(TObject*, TCloseAction& Action) {
  StopWaitDelete(Request);
  Action = caFree;
}
