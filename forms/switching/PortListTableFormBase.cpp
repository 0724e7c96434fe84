#include "forms/switching/PortListTableFormBase.h"

#include "forms/common/FeatureForm.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/StackingPortUitFormUnit.h"
#include "platform/Classes.h"
#include "platform/Exceptions.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

TPortListTableForm::TPortListTableForm(TComponent* AOwner, const char* name, int width, int height,
                                       const char* listName, const VnSNMPVarDesc* table,
                                       VnItemType itemType, int keyCount,
                                       std::vector<TPortTab> tabs)
    : TForm(AOwner),
      table_(table),
      itemType_(itemType),
      keyCount_(keyCount),
      tabs_(std::move(tabs)) {
  TFormBuilder B(this);
  B.Form()
      .Caption(name)
      .Size(width, height)
      .Position(poMainFormCenter)
      .BorderStyle(bsSingle)
      .OnCreate(this, &TPortListTableForm::FormCreate)
      .OnClose(this, &TPortListTableForm::FormClose);
  B.Add(list_, listName).At(8, 8, kSideLeft - 16, 200);
  list_->OnClick = TNotifyEvent(this, &TPortListTableForm::ListClick);

  const int pagesTop = 216;
  const int memoHeight = 64;
  const int memoTop = height - memoHeight - 48;
  B.Add(PageControl1, "PageControl1").At(8, pagesTop, width - 24, memoTop - pagesTop - 8);
  TTabSheet** sheets[] = {&TabSheet1, &TabSheet2, &TabSheet3};
  TScrollBox** boxes[] = {&ScrollBox1, &ScrollBox2, &ScrollBox3};
  for (std::size_t i = 0; i < tabs_.size() && i < 3; ++i) {
    const AnsiString n = AnsiString(static_cast<int>(i + 1));
    B.Add(*sheets[i], ("TabSheet" + n).c_str()).Caption(tabs_[i].Caption).PageControl(PageControl1);
    B.Add(*boxes[i], ("ScrollBox" + n).c_str(), *sheets[i]).Align(alClient);
  }
  PageControl1->SetActivePageIndex(0);
  B.Add(Memo1, "Memo1").At(8, memoTop, width - 24, memoHeight).ReadOnly();
  Memo1->SetScrollBars(ssVertical);
  ScaleFormForScreen(this);
}

TPortListTableForm::~TPortListTableForm() = default;

void TPortListTableForm::FormCreate(TObject*) {
  try {
    // Twelve unit pages a frame; unit 1 shown, its 32 boxes bound.
    for (TScrollBox* host : {ScrollBox1, ScrollBox2, ScrollBox3})
      if (host) PortFrames.push_back(::CreatePortFrame(this, host, 12, 12));
    const AnsiString elements = PortElementList();
    Request = NewFormRequest(this, table_, itemType_, keyCount_);
    Request->AttachListView(list_, true);
    ClickFollowsSelection(*Request);
    for (std::size_t i = 0; i < tabs_.size() && i < PortFrames.size(); ++i)
      Request->BindElementList(tabs_[i].Item, elements, PortFrames[i]->PortCheckBoxes.get());
    Request->SetStatusMemo(Memo1);
    // With no row selected the grids show no ports, as when the form opened.
    Rows.Attach(
        *Request, list_, RowCount, [this](bool rowSelected) { RowChosen(rowSelected); },
        [this] { ClearPortFrames(); });
    Request->Get();
  } catch (const Exception& e) {
    ShowFailureInMemo(Memo1, e.Message);
  }
}

void TPortListTableForm::ListClick(TObject*) { Rows.Click(); }

void TPortListTableForm::ReadTable() {
  if (!Request) return;
  Rows.ReadAnew(Request, [this](const AnsiString& message) { ShowFailureInMemo(Memo1, message); });
}

void TPortListTableForm::ClearPortFrames() {
  for (TStackingPortUitForm* frame : PortFrames)
    if (frame) frame->ClearPorts();
}

void TPortListTableForm::WriteSelectedRow() {
  if (!Request) return;
  // Without a selected row there is no VLAN to write to.
  if (!list_->Selected()) {
    ShowFailureInMemo(Memo1, "Select a VLAN first: nothing was sent.");
    return;
  }
  // Refused, lost or not sent, the ticked ports stay for a correction.
  const bool taken = Rows.Write(
      Request, [this] { Request->Set(kSetFromControlsThenRead); },
      [this](const AnsiString& message) { ShowFailureInMemo(Memo1, message); });
  if (taken) Rows.ShowNoRow();
}

void TPortListTableForm::FormClose(TObject*, TCloseAction& Action) {
  list_->SetSelected(nullptr);
  StopWaitDelete(Request);
  for (TStackingPortUitForm*& frame : PortFrames) {
    delete frame;
    frame = nullptr;
  }
  PortFrames.clear();
  Action = caFree;
}
