#include "forms/switching/Dot3FormBase.h"

#include "forms/common/FeatureForm.h"
#include "library/VnSNMPRequest2Edits.h"
#include "platform/ComCtrls.h"
#include "platform/Exceptions.h"
#include "platform/ExtCtrls.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

namespace {
constexpr const char* kNotCompleted = "Get data not completed!";
}  // namespace

TDot3FormBase::TDot3FormBase(TComponent* AOwner, const char* name, const VnSNMPVarDesc* portTable,
                             const VnSNMPVarDesc* counterTable,
                             std::vector<const char*> counterNames)
    : TForm(AOwner),
      portTable_(portTable),
      counterTable_(counterTable),
      counterNames_(std::move(counterNames)) {
  BuildComponents(name);
  ScaleFormForScreen(this);
}

TDot3FormBase::~TDot3FormBase() = default;

void TDot3FormBase::BuildComponents(const char* name) {
  TFormBuilder B(this);
  B.Form()
      .Caption(name)
      .ClientSize(620, 420)
      .Position(poScreenCenter)
      .BorderStyle(bsSingle)
      .OnCreate(this, &TDot3FormBase::FormCreate)
      .OnClose(this, &TDot3FormBase::FormClose);
  SetName(name);
  B.Add(ListView1, "ListView1").At(8, 8, 372, 300).OnClick(this, &TDot3FormBase::ListView1Click);
  ListView1->SetViewStyle(vsReport);
  B.Add(ListView2, "ListView2").At(kSideLeft, 8, 224, 70).Columns({{"Name", 150}, {"Value", 70}});
  ListView2->SetViewStyle(vsReport);
  ListView2->SetReadOnly(true);
  ListView2->SetRowSelect(true);
  for (const char* row : counterNames_) {
    TListItem* item = ListView2->Items()->Add();
    item->SetCaption(row);
    item->SubItems()->Add("");
  }
  B.Add(lvChart, "lvChart").At(kSideLeft, 300, 100, 40).Hidden();
  lvChart->SetViewStyle(vsReport);
  B.Add(Label1, "Label1").At(kSideLeft, 90).Caption("Interval Time");
  B.Add(cbxInterval, "cbxInterval")
      .At(kSideLeft + 100, 86, 80, 21)
      .Style(csDropDownList)
      .Items({"none", "2s", "5s", "10s", "30s", "1m"})
      .OnChange(this, &TDot3FormBase::cbxIntervalChange);
  B.Add(Memo1, "Memo1").At(8, 316, 604, 96).ReadOnly();
  Memo1->SetScrollBars(ssVertical);
  B.Add(btnGet, "btnGet")
      .At(kSideLeft, 278, 70, 25)
      .Caption("Refresh")
      .OnClick(this, &TDot3FormBase::btnGetClick);
  B.Add(btnClose, "btnClose")
      .At(kSideLeft + 154, 278, 70, 25)
      .Caption("Close")
      .OnClick(this, &TDot3FormBase::btnCloseClick);
  B.Add(Timer1, "Timer1").Interval(2000).OnTimer(this, &TDot3FormBase::Timer1Timer);
  Timer1->SetEnabled(false);
}

unsigned TDot3FormBase::IntervalMs(const AnsiString& text) {
  if (text == "2s") return 2000;
  if (text == "5s") return 5000;
  if (text == "10s") return 10000;
  if (text == "30s") return 30000;
  if (text == "1m") return 60000;
  return 0;
}

void TDot3FormBase::FormCreate(TObject*) {
  Timer1->SetEnabled(false);
  SelectComboText(cbxInterval, "none");
  Request = NewFormRequest(this, portTable_, VnItemType::MVT_FMV, 1);
  Request->AttachListView(ListView1, true);
  Request->OnRowShown = TNotifyEvent(this, &TDot3FormBase::PortChosen);
  BindPortControls();
  Request->SetStatusMemo(Memo1);
  Request->OnIdle = VnRequestIdleEvent(this, &TDot3FormBase::RequestIdleAgain);
  CounterRequest = NewFormRequest(this, counterTable_, VnItemType::MVT_SV, 0);
  CounterRequest->AttachListView(lvChart, false);
  CounterRequest->SetStatusMemo(Memo1);
  Rows.Attach(
      *Request, ListView1, nullptr, [this](bool chosen) { ShowPortState(chosen); },
      [this] { ResetView(); });
  Rows.Read(Request, [this](const AnsiString& m) { ShowFailure(m); });
}

void TDot3FormBase::RequestIdleAgain(VnSNMPRequest2Controls*) { PortsRead(); }

void TDot3FormBase::ResetView() {
  Timer1->SetEnabled(false);
  SelectComboText(cbxInterval, "none");
  for (int i = 0; i < ListView2->Items()->Count(); ++i) {
    TStrings* cells = ListView2->Items()->Item(i)->SubItems();
    if (cells->Count() > 0) cells->SetStrings(0, "");
  }
  lvChart->Items()->Clear();
  ResetPortControls();
}

void TDot3FormBase::btnGetClick(TObject*) {
  if (!Request || Request->Busy) return;
  Rows.ReadAnew(Request, [this](const AnsiString& m) { ShowFailure(m); });
}

void TDot3FormBase::ReadCounters() {
  lvChart->Items()->Clear();
  CounterRequest->Get();
  UpdateChart();
}

// A click on a port has chosen it at the press (PortChosen); a click that
// leaves none chosen resets the view.
void TDot3FormBase::ListView1Click(TObject*) {
  if (!Request || !CounterRequest) return;
  Rows.Click();
}

void TDot3FormBase::PortChosen(TObject*) {
  if (!Request || !CounterRequest) return;
  TListItem* row = ListView1->Selected();
  if (!row) return;
  try {
    port_ = row->Caption();
    ReloadVarList(CounterRequest->Request, counterTable_, VnItemType::MVT_SV, 0, port_);
    CounterRequest->AsyncMode = false;
    ReadCounters();
  } catch (...) {
    ReportFailure();
  }
}

void TDot3FormBase::UpdateChart() {
  if (lvChart->Items()->Count() == 0) {
    Memo1->Lines()->Add(kNotCompleted);
    ResetView();
    return;
  }
  TListItem* chart = lvChart->Items()->Item(0);
  for (int i = 0; i < ListView2->Items()->Count(); ++i) {
    const AnsiString text =
        i == 0 ? chart->Caption()
               : (i - 1 < chart->SubItems()->Count() ? chart->SubItems()->Strings(i - 1) : "");
    TStrings* cells = ListView2->Items()->Item(i)->SubItems();
    if (cells->Count() > 0) cells->SetStrings(0, text);
  }
}

void TDot3FormBase::cbxIntervalChange(TObject*) {
  const unsigned ms = IntervalMs(ComboText(cbxInterval));
  Timer1->SetEnabled(false);
  if (ms == 0) return;
  Timer1->SetInterval(ms);
  Timer1->SetEnabled(true);
}

void TDot3FormBase::Timer1Timer(TObject*) {
  if (!CounterRequest || CounterRequest->Busy) return;
  // Without a selected port there is nothing to repeat: the timer stops.
  if (!ListView1->Selected() || port_.IsEmpty()) {
    ResetView();
    return;
  }
  try {
    ReadCounters();
  } catch (...) {
    ReportFailure();
  }
}

void TDot3FormBase::ReportFailure() {
  try {
    throw;
  } catch (const Exception& e) {
    ShowFailureInMemo(Memo1, e.Message);
  } catch (const std::exception& e) {
    ShowFailureInMemo(Memo1, e.what());
  }
}

void TDot3FormBase::ShowFailure(const AnsiString& message) { ShowFailureInMemo(Memo1, message); }

void TDot3FormBase::btnCloseClick(TObject*) {
  Timer1->SetEnabled(false);
  Close();
}

void TDot3FormBase::FormClose(TObject*, TCloseAction& Action) {
  ListView1->SetSelected(nullptr);
  Timer1->SetEnabled(false);
  StopWaitDelete(Request);
  StopWaitDelete(CounterRequest);
  Action = caFree;
}
