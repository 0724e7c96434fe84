#include "forms/switching/SpanningTreeAlgorithmUnit.h"

#include "catalogue/DeviceMib.h"
#include "forms/common/FeatureForm.h"
#include "forms/common/FormWrite.h"
#include "library/VnErrors.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "pages/progress.h"
#include "platform/ComCtrls.h"
#include "platform/Dialogs.h"
#include "platform/Exceptions.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

TSpanningTreeAlgorithmForm* SpanningTreeAlgorithmForm = nullptr;

VN_REGISTER_FORM_OPENER(TSpanningTreeAlgorithmForm, &SpanningTreeAlgorithmForm);

namespace {

constexpr const char* kEnableQuestion = "To enable STP may take a long time. Do you want to go on?";

// The progress dialog writes the enable setting through the open form.
VnSNMPRequest2Controls* OpenFormRequest() {
  return SpanningTreeAlgorithmForm ? SpanningTreeAlgorithmForm->Request.get() : nullptr;
}

const bool kSourceInstalled = [] {
  GetSpanningTreeRequest = &OpenFormRequest;
  return true;
}();

}  // namespace

TSpanningTreeAlgorithmForm::TSpanningTreeAlgorithmForm(TComponent* AOwner) : TForm(AOwner) {
  (void)kSourceInstalled;
  BuildComponents();
  ScaleFormForScreen(this);
}

TSpanningTreeAlgorithmForm::~TSpanningTreeAlgorithmForm() = default;

void TSpanningTreeAlgorithmForm::BuildComponents() {
  TFormBuilder B(this);
  B.Form()
      .Caption("Spanning Tree Algorithm")
      .ClientSize(368, 124)
      .Position(poScreenCenter)
      .BorderStyle(bsSingle)
      .OnCreate(this, &TSpanningTreeAlgorithmForm::FormCreate)
      .OnClose(this, &TSpanningTreeAlgorithmForm::FormClose);
  B.Add(Label1, "Label1").At(16, 24).Caption("Spanning Tree Algorithm");
  B.Add(ComboBox1, "ComboBox1").At(176, 20, 170, 21).Style(csDropDownList);
  B.Add(GetButton, "GetButton")
      .At(96, 62, 80, 25)
      .Caption("Refresh")
      .OnClick(this, &TSpanningTreeAlgorithmForm::GetButtonClick);
  B.Add(SetButton, "SetButton")
      .At(192, 62, 80, 25)
      .Caption("Set")
      .OnClick(this, &TSpanningTreeAlgorithmForm::SetButtonClick);
  B.Add(StatusBar1, "StatusBar1").Panels({368});
}

void TSpanningTreeAlgorithmForm::FormCreate(TObject*) {
  Request = NewFormRequest(this, SpanningTreeAlgorithmVars, VnItemType::SVT_SV, 0);
  Request->BindComboBox(0, ComboBox1);
  SetStatusTargetShown(*Request, StatusBar1);
  GetButtonClick(nullptr);
}

void TSpanningTreeAlgorithmForm::GetButtonClick(TObject*) {
  if (!Request) return;
  try {
    Request->Get();
  } catch (...) {
    ShowFailureInStatusBar(StatusBar1, CurrentMessage());
  }
}

// The setting is read again after the SET the switch took; after a refused
// or lost one the choice stays, the SET's error in the bar.
void TSpanningTreeAlgorithmForm::SetButtonClick(TObject*) {
  if (!Request) return;
  const AnsiString choice = ComboText(ComboBox1);
  try {
    if (choice == "disabled") {
      // Refused or lost, the choice stays for a correction.
      if (WriteTaken(
              Request, [&] { Request->Set(kSetFromControls); },
              [this](const AnsiString& message) { ShowFailureInStatusBar(StatusBar1, message); }))
        Request->Get();
    } else if (choice == "enabled") {
      if (MessageDlg(kEnableQuestion, mtConfirmation, mbOKCancel, 0) == mrOk) {
        struct Forget {
          ~Forget() { ProgressForm = nullptr; }
        } forget;
        // The device is busy for a while once it is switched on: a read
        // still out is not made again beside the dialog, only after it.
        Request->StopReadForWrite(0);
        // Its constructor sends the Set through OpenFormRequest(); it
        // closes early when the device refuses it.
        std::unique_ptr<TProgressForm> dialog(Create<TProgressForm>(Application, nullptr));
        ProgressForm = dialog.get();
        dialog->SetCaption("Enable STP Progress");
        dialog->LB_Prompt->SetCaption("Enable STP is doing...");
        dialog->ShowModal();
        // Read after the SET: its answer may still be out (the read then
        // waits for it); a refused one is not read over.
        if (!dialog->WriteFailed()) Request->Get();
      } else {
        Request->Get();
      }
    }
  } catch (...) {
    ShowFailureInStatusBar(StatusBar1, CurrentMessage());
    try {
      Request->Get();
    } catch (...) {
      ShowFailureInStatusBar(StatusBar1, CurrentMessage());
    }
  }
}

void TSpanningTreeAlgorithmForm::FormClose(TObject*, TCloseAction& Action) {
  // A reply still on its way is dropped by the request's destructor.
  StopWaitDelete(Request);
  Action = caFree;
}
