#include "forms/system/PaeCounterListForm.h"

#include "forms/common/FeatureForm.h"
#include "library/VnSNMPRequest2Edits.h"
#include "platform/ComCtrls.h"
#include "platform/Exceptions.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

namespace {

// Walked as a table whose rows are keyed by the MAC address and the port.
constexpr VnItemType kItemType = VnItemType::MVT_FMV;
constexpr int kKeyColumns = 2;

}  // namespace

TPaeCounterListForm::TPaeCounterListForm(TComponent* AOwner, const VnSNMPVarDesc* table,
                                         const char* caption)
    : TForm(AOwner), table_(table) {
  InitComponents(caption);
  ScaleFormForScreen(this);
}

TPaeCounterListForm::~TPaeCounterListForm() = default;

void TPaeCounterListForm::InitComponents(const char* caption) {
  TFormBuilder B(this);
  B.Form()
      .Caption(caption)
      .ClientSize(640, 330)
      .Position(poScreenCenter)
      .BorderStyle(bsSingle)
      .OnCreate(this, &TPaeCounterListForm::FormCreate)
      .OnClose(this, &TPaeCounterListForm::FormClose);
  B.Add(ListView1, "ListView1").At(8, 8, 624, 220);
  B.Add(Memo1, "Memo1").At(8, 236, 524, 86).ReadOnly();
  B.Add(Button1, "Button1")
      .At(548, 236, 84, 25)
      .Caption("Refresh")
      .OnClick(this, &TPaeCounterListForm::Button1Click);
}

void TPaeCounterListForm::FormCreate(TObject*) {
  Request = NewFormRequest(this, table_, kItemType, kKeyColumns, true);
  Request->AttachListView(ListView1, true);
  Request->SetStatusMemo(Memo1);
  ReadTable();
}

// A failed read keeps the rows that arrived and says why the list ends
// there, in the memo's status-line form.
void TPaeCounterListForm::ReadTable() {
  if (!Request || Request->Busy) return;
  try {
    Request->Get();
  } catch (const Exception& e) {
    if (Request) Request->ShowRequestStatus(e.Message);
  }
}

void TPaeCounterListForm::Button1Click(TObject*) { ReadTable(); }

void TPaeCounterListForm::FormClose(TObject*, TCloseAction& Action) {
  ListView1->SetSelected(nullptr);
  StopWaitDelete(Request);
  Action = caFree;
}
