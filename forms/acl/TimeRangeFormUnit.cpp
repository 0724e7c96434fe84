#include "forms/acl/TimeRangeFormUnit.h"

#include "catalogue/TimeRangeMib.h"
#include "forms/common/ButtonRun.h"
#include "forms/common/FeatureForm.h"
#include "library/VnErrors.h"
#include "library/VnSNMPError.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/ComCtrls.h"
#include "platform/Dialogs.h"
#include "platform/Exceptions.h"
#include "platform/ExtCtrls.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

TTimeRangeForm* TimeRangeForm = nullptr;

VN_REGISTER_FORM_OPENER(TTimeRangeForm, &TimeRangeForm);

TTimeRangeForm::TTimeRangeForm(TComponent* AOwner) : TForm(AOwner) {
  BuildComponents();
  ScaleFormForScreen(this);
}

TTimeRangeForm::~TTimeRangeForm() = default;

void TTimeRangeForm::BuildComponents() {
  TFormBuilder B(this);
  B.Form()
      .Caption("Time Range Form")
      .Size(467, 386)
      .Position(poScreenCenter)
      .BorderStyle(bsSingle)
      .Font("MS Sans Serif", -11)
      .OnCreate(this, &TTimeRangeForm::FormCreate)
      .OnCloseQuery(this, &TTimeRangeForm::FormCloseQuery)
      .OnClose(this, &TTimeRangeForm::FormClose);
  SetName("TimeRangeForm");

  B.Add(StatusBar1, "StatusBar1").Align(alBottom);
  StatusBar1->SetSimplePanel(true);

  B.Add(Panel1, "Panel1").Align(alRight).Width(106).BevelOuter(bvNone);
  using F = TTimeRangeForm;
  AddButtonRun<F>(B, this, {Panel1, 10, 10, 86, 25, 0, 30},
                  {{btnGet, "btnGet", "Refresh", &F::btnGetClick},
                   {btnSet, "btnSet", "Edit", &F::btnSetClick},
                   {btnAdd, "btnAdd", "Add", &F::btnAddClick},
                   {btnDelete, "btnDelete", "Delete", &F::btnDeleteClick},
                   {btnClose, "btnClose", "Close", &F::btnCloseClick},
                   {btnStop, "btnStop", "Stop", &F::btnStopClick}});

  B.Add(ListView1, "ListView1").At(8, 8, 345, 150).OnClick(this, &TTimeRangeForm::ListView1Click);

  B.Add(Panel2, "Panel2").At(8, 164, 345, 84).BevelOuter(bvLowered);
  B.Add(Label1, "Label1", Panel2).At(10, 10).Caption("Name");
  B.Add(edtName, "edtName", Panel2).At(60, 6, 110, 21);
  B.Add(Label2, "Label2", Panel2).At(185, 10).Caption("Status");
  B.Add(cbxStatus, "cbxStatus", Panel2).At(225, 6, 110, 21).Style(csDropDownList);
  B.Add(Label3, "Label3", Panel2).At(10, 38).Caption("Weekdays (Example Mon,Thu)");
  B.Add(edtweekdays, "edtweekdays", Panel2).At(10, 54, 325, 21);

  B.Add(GroupBox1, "GroupBox1").At(8, 252, 345, 80).Caption("Daily");
  B.Add(Label4, "Label4", GroupBox1).At(10, 22).Caption("Start Time");
  B.Add(edtStart, "edtStart", GroupBox1).At(75, 18, 110, 21);
  B.Add(Label5, "Label5", GroupBox1).At(195, 22).Caption("(Time hh:mm:ss )");
  B.Add(Label6, "Label6", GroupBox1).At(10, 50).Caption("End Time");
  B.Add(edtEnd, "edtEnd", GroupBox1).At(75, 46, 110, 21);
  B.Add(Label7, "Label7", GroupBox1).At(195, 50).Caption("(Time hh:mm:ss )");
}

void TTimeRangeForm::FormCreate(TObject*) {
  try {
    Request = NewFormRequest(this, TimeRangeVars, VnItemType::MVT_UMV, 1);
    Request->AttachListView(ListView1, true);
    ClickFollowsSelection(*Request);
    Request->BindEdits(TimeRangeItem::kTimeRangeName, "%s", edtName);
    Request->BindComboBox(TimeRangeItem::kTimeRangeStatus, cbxStatus);
    Request->BindEdits(TimeRangeItem::kTimeRangeWeekdays, "%s", edtweekdays);
    Request->BindEdits(TimeRangeItem::kTimeRangeStartTime, "%s", edtStart);
    Request->BindEdits(TimeRangeItem::kTimeRangeEndTime, "%s", edtEnd);
    Request->SetStatusBar(StatusBar1);
    Rows.Attach(
        *Request, ListView1, nullptr, [this](bool rowSelected) { ShowRowButtons(rowSelected); },
        [this] { ClearTimeRangeEdits(); });
    Request->Get();
  } catch (const Exception& e) {
    ShowFailure(e.Message);
  }
}

void TTimeRangeForm::ShowFailure(const AnsiString& text) {
  ShowFailureInStatusBar(StatusBar1, text);
}

void TTimeRangeForm::ClearTimeRangeEdits() {
  cbxStatus->SetEnabled(true);
  cbxStatus->SetItemIndex(-1);
  edtStart->SetText("");
  edtEnd->SetText("");
  edtName->SetEnabled(true);
  edtName->SetText("");
  edtweekdays->SetText("");
}

void TTimeRangeForm::btnGetClick(TObject*) {
  if (!Request || Request->Busy) return;
  Rows.ReadAnew(Request, [this](const AnsiString& message) { ShowFailure(message); });
}

bool TTimeRangeForm::ReadyToWrite() { return Request && FormIdle({Request.get()}); }

// A new entry needs every text. Of the selected row (Edit) only the texts
// the user changed are judged: an empty text the switch holds goes back as
// it is with the ones the user changed.
bool TTimeRangeForm::TextsGiven() {
  auto missing = [this](TEdit* edit, int item) {
    return edit->Text().IsEmpty() && ItemEntered(*Request, item);
  };
  if (missing(edtweekdays, TimeRangeItem::kTimeRangeWeekdays)) {
    ShowMessage("Please input the weekdays");
    return false;
  }
  if (missing(edtStart, TimeRangeItem::kTimeRangeStartTime)) {
    ShowMessage("Please select the daily start time");
    return false;
  }
  if (missing(edtEnd, TimeRangeItem::kTimeRangeEndTime)) {
    ShowMessage("Please select the daily end time");
    return false;
  }
  return true;
}

// Refused, lost or not sent, the typed texts stay for a correction.
bool TTimeRangeForm::WriteAndRead(const std::function<void()>& first) {
  return Rows.Write(
      Request,
      [&] {
        if (first) first();
        Request->Set(kSetFromControlsThenRead);
      },
      [this](const AnsiString& message) { ShowFailure(message); });
}

void TTimeRangeForm::ShowRowButtons(bool rowSelected) {
  btnSet->SetEnabled(rowSelected);
  btnDelete->SetEnabled(rowSelected);
  btnAdd->SetEnabled(!rowSelected);
  edtName->SetEnabled(!rowSelected);
  cbxStatus->SetEnabled(!rowSelected);
}

void TTimeRangeForm::btnAddClick(TObject*) {
  if (!ReadyToWrite()) return;
  cbxStatus->SetItemIndex(TimeRangeRowStatusOption::kCreateAndGo);
  if (!TextsGiven()) return;
  WriteAndRead();
}

void TTimeRangeForm::btnSetClick(TObject*) {
  if (!ListView1->Selected()) return;
  if (!ReadyToWrite()) return;
  if (!TextsGiven()) return;
  if (WriteAndRead()) Rows.ShowNoRow();
}

void TTimeRangeForm::btnDeleteClick(TObject*) {
  if (!ListView1->Selected()) return;
  if (!ReadyToWrite()) return;
  if (WriteAndRead([this] { cbxStatus->SetItemIndex(TimeRangeRowStatusOption::kDestroy); }))
    Rows.ShowNoRow();
}

void TTimeRangeForm::ListView1Click(TObject*) { Rows.Click(); }

void TTimeRangeForm::btnStopClick(TObject*) {
  if (Request) Request->Stop();
}

void TTimeRangeForm::btnCloseClick(TObject*) { Close(); }

void TTimeRangeForm::FormCloseQuery(TObject*, bool& CanClose) {
  RefuseCloseWhileBusy({Request.get()}, CanClose);
}

void TTimeRangeForm::FormClose(TObject*, TCloseAction& Action) {
  if (ListView1->Selected()) ListView1->SetSelected(nullptr);
  StopWaitDelete(Request);
  Action = caFree;
}
