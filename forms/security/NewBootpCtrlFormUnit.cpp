#include "forms/security/NewBootpCtrlFormUnit.h"

#include "catalogue/DeviceMib.h"
#include "forms/common/FeatureForm.h"
#include "forms/common/FormWrite.h"
#include "forms/security/BOOTCtrlTableFormUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "platform/Buttons.h"
#include "platform/ComCtrls.h"
#include "platform/Dialogs.h"
#include "platform/Exceptions.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

TNewBootpCtrlForm* NewBootpCtrlForm = nullptr;

namespace {

// Position of "valid" in the state option list.
constexpr int kValidIndex = BOOTCtrlTableDHCPRelayControlStateOption::kValid;

}  // namespace

TNewBootpCtrlForm::TNewBootpCtrlForm(TComponent* AOwner) : TForm(AOwner) {
  InitComponents();
  ScaleFormForScreen(this);
}

TNewBootpCtrlForm::~TNewBootpCtrlForm() = default;

void TNewBootpCtrlForm::InitComponents() {
  TFormBuilder B(this);
  B.Form()
      .Caption("New DHCP Ctrl Entry")
      .ClientSize(300, 118)
      .Position(poOwnerFormCenter)
      .BorderStyle(bsDialog)
      .OnActivate(this, &TNewBootpCtrlForm::FormActivate);
  B.Add(Label1, "Label1").At(16, 20).Caption("Interface Name");
  B.Add(Label2, "Label2").At(16, 50).Caption("DHCP Server IP");
  B.Add(Edit1, "Edit1").At(130, 16, 154, 21);
  B.Add(Edit2, "Edit2").At(130, 46, 154, 21);
  B.Add(DeleteBtn, "DeleteBtn")
      .At(120, 82, 78, 25)
      .Caption("Set")
      .OnClick(this, &TNewBootpCtrlForm::DeleteBtnClick);
  B.Add(BitBtn1, "BitBtn1")
      .At(206, 82, 78, 25)
      .Caption("Close")
      .OnClick(this, &TNewBootpCtrlForm::BitBtn1Click);
}

void TNewBootpCtrlForm::FormActivate(TObject*) {
  for (TEdit* edit : {Edit1, Edit2}) {
    edit->SetEnabled(true);
    edit->SetText("");
  }
}

void TNewBootpCtrlForm::DeleteBtnClick(TObject*) {
  TBOOTCtrlTableForm* parent = BOOTCtrlTableForm;
  if (!parent || !parent->Request) {
    Close();
    return;
  }
  TListView* list = parent->ListView1;
  const AnsiString name = Edit1->Text();
  int servers = 0;
  for (int r = 0; r < list->Items()->Count(); ++r) {
    if (list->Items()->Item(r)->Caption() == name && ++servers >= kMaxServersPerInterface) {
      MessageDlg("One interface can support four bootp servers at most.", mtWarning, mbOK, 0);
      return;
    }
  }
  // A server text that is no address fails when the SET is built: the
  // table's memo says so. Refused or timed out, the failure is the table's
  // last line. Either way the dialog stays with what was typed, for a
  // correction.
  const bool taken = WriteTaken(
      parent->Request,
      [parent] {
        parent->ComboBox1->SetItemIndex(kValidIndex);
        parent->Request->Set(kSetFromControls);
      },
      [parent](const AnsiString& message) { parent->ShowFailure(message); });
  if (!taken || !parent->Request) return;
  try {
    parent->Request->Get();
  } catch (const Exception& e) {
    parent->ShowFailure(e.Message);
  }
  Edit1->SetText("");
  Edit2->SetText("");
  Close();
}

void TNewBootpCtrlForm::BitBtn1Click(TObject*) { Close(); }
