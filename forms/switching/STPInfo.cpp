#include "forms/switching/STPInfo.h"

#include <cstdlib>

#include "catalogue/DeviceMib.h"
#include "forms/common/FeatureForm.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormHost.h"
#include "pages/FormOpeners.h"
#include "pages/Progress2.h"
#include "platform/ComCtrls.h"
#include "platform/Exceptions.h"
#include "platform/FormBuilder.h"
#include "platform/Graphics.h"
#include "platform/StdCtrls.h"

TSTP_Info* STP_Info = nullptr;

VN_REGISTER_FORM_OPENER(TSTP_Info, &STP_Info);

namespace {

constexpr const char* kEmptyFields = "Don't Leave Empty Fileds !";
constexpr const char* kDataError = "Data Error !";
constexpr const char* kPriorityWrong = "Priority value is wrong!";

namespace Item = StpInfoBridgeTimersItem;

// An edit's number, as wide as the switch may hold it; 0 for text that is
// none (the edit rules admit digits only, so this is the empty field the
// checks already caught).
long long Number(const TEdit* edit) {
  const AnsiString text = edit->Text().Trim();
  char* end = nullptr;
  const long long number = std::strtoll(text.c_str(), &end, 10);
  return !text.IsEmpty() && end && *end == '\0' ? number : 0;
}

}  // namespace

TSTP_Info::TSTP_Info(TComponent* AOwner) : TForm(AOwner) {
  BuildComponents();
  ScaleFormForScreen(this);
}

TSTP_Info::~TSTP_Info() = default;

void TSTP_Info::BuildComponents() {
  TFormBuilder B(this);
  B.Form()
      .Caption("Spanning Tree Information")
      .ClientSize(460, 330)
      .Position(poScreenCenter)
      .BorderStyle(bsSingle)
      .OnCreate(this, &TSTP_Info::FormCreate)
      .OnClose(this, &TSTP_Info::FormClose);
  int top = 16;
  auto label = [&](TLabel*& l, const char* name, const char* caption) {
    B.Add(l, name).At(16, top + 4).Caption(caption);
  };
  auto edit = [&](TLabel*& l, const char* labelName, const char* caption, TEdit*& e,
                  const char* name) {
    label(l, labelName, caption);
    B.Add(e, name).At(240, top, 120, 21);
    top += 28;
  };
  auto combo = [&](TLabel*& l, const char* labelName, const char* caption, TComboBox*& c,
                   const char* name) {
    label(l, labelName, caption);
    B.Add(c, name).At(240, top, 120, 21).Style(csDropDownList);
    top += 28;
  };
  combo(Label1, "Label1", "STP Version", Combo_STPVersion, "Combo_STPVersion");
  edit(Label2, "Label2", "Max Age (600-4000) [MSEL]", ET_AgingTime, "ET_AgingTime");
  edit(Label3, "Label3", "Hello Time(100-200) [MSEL]", ET_HelloTime, "ET_HelloTime");
  edit(Label4, "Label4", "Forward Delay(400-3000) [MSEL]", ET_ForwardDelay, "ET_ForwardDelay");
  edit(Label5, "Label5", "Max Hops[6-40]", ET_Priority, "ET_Priority");
  edit(Label6, "Label6", "TX Hold Count (1-10)", ED_TxHoldCount, "ED_TxHoldCount");
  combo(Label7, "Label7", "Forwarding BPDU", Combo_BPDU, "Combo_BPDU");
  B.Add(Label8, "Label8").At(16, top + 4).Caption("Max Age>= 2*(Hello Time + 100)");
  top += 20;
  B.Add(Label9, "Label9").At(16, top + 4).Caption("Notes : 2*(Forward Delay - 100) >= Max Age");
  top += 28;
  // Kept hidden: no code shows them.
  B.Add(Label10, "Label10").At(16, top + 4).Caption("STP LBD").Hidden();
  B.Add(Combo_LBD, "Combo_LBD").At(240, top, 120, 21).Style(csDropDownList).Hidden();
  B.Add(Label11, "Label11").At(16, top + 32).Caption("STP LBD Recover time").Hidden();
  B.Add(ET_LBDRecover, "ET_LBDRecover").At(240, top + 28, 120, 21).Hidden();
  B.Add(ListView1, "ListView1").At(16, top, 200, 40).Hidden();
  B.Add(lbstpversion, "lbstpversion").At(380, 20).Hidden();
  B.Add(lbMSTPState, "lbMSTPState").At(380, 48).Hidden();
  B.Add(BT_Get, "BT_Get")
      .At(140, top + 10, 80, 25)
      .Caption("Refresh")
      .OnClick(this, &TSTP_Info::BT_GetClick);
  B.Add(BT_Set, "BT_Set")
      .At(240, top + 10, 80, 25)
      .Caption("Set")
      .OnClick(this, &TSTP_Info::BT_SetClick);
  B.Add(StatusBar1, "StatusBar1").Panels({460});
  Combo_STPVersion->OnChange = TNotifyEvent(this, &TSTP_Info::Combo_STPVersionChange);
}

void TSTP_Info::FormCreate(TObject*) {
  TimerRequest = NewFormRequest(this, StpInfoBridgeTimersVars, VnItemType::SVT_SV, 0, true);
  TimerRequest->BindComboBox(Item::kSTPVersion, Combo_STPVersion);
  TimerRequest->BindEdits(Item::kMaxAge, "%i{n600x4000l4a}", ET_AgingTime);
  TimerRequest->BindEdits(Item::kHelloTime, "%i{n100x200l3a}", ET_HelloTime);
  TimerRequest->BindEdits(Item::kForwardDelay, "%i{n400x3000l4a}", ET_ForwardDelay);
  // The device accepts 6 to 40 hops and a hold count of 1 to 10, as the
  // labels say.
  TimerRequest->BindEdits(Item::kMaxHops, "%i{n6x40l2a}", ET_Priority);
  TimerRequest->BindEdits(Item::kTXHoldCount, "%i{n1x10l2a}", ED_TxHoldCount);
  TimerRequest->BindComboBox(Item::kForwardingBPDU, Combo_BPDU);
  TimerRequest->Request.Timeout = 300;

  MSTPRequest = NewFormRequest(this, StpInfoBridgeVars, VnItemType::SVT_SV, 0, true);
  MSTPRequest->AttachListView(ListView1, false);
  MSTPRequest->Request.Timeout = 300;

  VersionRequest = NewFormRequest(this, StpVersionVars, VnItemType::SVT_SV, 0, true);
  VersionRequest->BindLabel(0, lbstpversion);

  StateRequest = NewFormRequest(this, SpanningTreeAlgorithmVars, VnItemType::SVT_SV, 0, true);
  StateRequest->BindLabel(0, lbMSTPState);

  for (auto* r : {TimerRequest.get(), MSTPRequest.get(), VersionRequest.get(), StateRequest.get()})
    r->SetStatusPanel(StatusBar1->Panels()->Items(0));

  try {
    MSTPRequest->Get();
    VersionRequest->Get();
    StateRequest->Get();
    TimerRequest->Get();
  } catch (...) {
    TimerRequest->ShowRequestStatus(CurrentMessage());
  }
  ApplyHelloTimeRule(lbstpversion->Caption());
}

// mstp has no hello time; stp and rstp get 200. A version the list does
// not hold leaves the field as the switch holds it.
void TSTP_Info::ApplyHelloTimeRule(const AnsiString& version) {
  if (version == "mstp") {
    ET_HelloTime->SetEnabled(false);
    ET_HelloTime->SetColor(clMenu);
    ET_HelloTime->SetText("");
    return;
  }
  ET_HelloTime->SetEnabled(true);
  ET_HelloTime->SetColor(clWindow);
  if (version == "stp" || version == "rstp") ET_HelloTime->SetText("200");
}

void TSTP_Info::Combo_STPVersionChange(TObject*) {
  ApplyHelloTimeRule(ComboText(Combo_STPVersion));
}

void TSTP_Info::BT_GetClick(TObject*) {
  if (!TimerRequest) return;
  try {
    TimerRequest->Get();
    if (ComboText(Combo_STPVersion) == "mstp") {
      StateRequest->Get();
      MSTPRequest->Get();
    } else {
      MSTPRequest->Get();
      VersionRequest->Get();
    }
  } catch (...) {
    TimerRequest->ShowRequestStatus(CurrentMessage());
  }
  ApplyHelloTimeRule(ComboText(Combo_STPVersion));
}

// The checks judge what the user typed: a combination of timers is judged
// when one of its parts was edited, so that the switch's own values never
// keep the user from writing the field they changed. A timer the switch
// gave no value for, left alone, is no empty field and no part of a
// combination: it stays out of the write.
bool TSTP_Info::CheckAndWrite(const AnsiString& version) {
  const auto held = [&](int item) { return !TimerRequest->HoldsNoValue(item); };
  const auto empty = [&](const TEdit* edit, int item) {
    return edit->Text().IsEmpty() && held(item);
  };
  if (empty(ET_Priority, Item::kMaxHops) || empty(ET_AgingTime, Item::kMaxAge) ||
      empty(ET_ForwardDelay, Item::kForwardDelay)) {
    ShowFailureInStatusBar(StatusBar1, kEmptyFields);
    return false;
  }
  const long long maxAge = Number(ET_AgingTime);
  if ((ET_AgingTime->Modified() || ET_ForwardDelay->Modified()) && held(Item::kMaxAge) &&
      held(Item::kForwardDelay) && maxAge > 2 * Number(ET_ForwardDelay) - 200) {
    ShowFailureInStatusBar(StatusBar1, kDataError);
    return false;
  }
  if (ET_Priority->Modified() && Number(ET_Priority) >= 65536) {
    ShowFailureInStatusBar(StatusBar1, kPriorityWrong);
    return false;
  }
  if (version == "mstp") {
    WriteMstpRow(version);
    return true;
  }
  if (empty(ET_HelloTime, Item::kHelloTime)) {
    ShowFailureInStatusBar(StatusBar1, kEmptyFields);
    return false;
  }
  if ((ET_AgingTime->Modified() || ET_HelloTime->Modified()) && held(Item::kMaxAge) &&
      held(Item::kHelloTime) && maxAge < 2 * Number(ET_HelloTime) + 200) {
    ShowFailureInStatusBar(StatusBar1, kDataError);
    return false;
  }
  TimerRequest->Set(kSetFromControlsThenRead);
  return true;
}

// The hidden list's only row carries the values: it has no hello time. A
// Forwarding BPDU value that the combo box does not list shows no choice:
// it is the switch's own, the user did not touch it, and it is left out of
// the SET rather than written as another value.
void TSTP_Info::WriteMstpRow(const AnsiString& version) {
  TListItem* row =
      ListView1->Items()->Count() > 0 ? ListView1->Items()->Item(0) : ListView1->Items()->Add();
  ListView1->SetSelected(row);
  row->SetCaption(version);
  TStrings* cells = row->SubItems();
  cells->Clear();
  cells->Add(ET_AgingTime->Text());
  cells->Add(ET_ForwardDelay->Text());
  cells->Add(ET_Priority->Text());
  cells->Add(ED_TxHoldCount->Text());
  cells->Add(ComboText(Combo_BPDU));
  TSavedAccess saved(*MSTPRequest);
  if (Combo_BPDU->ItemIndex() < 0) saved.Invalidate(StpInfoBridgeItem::kSTPForwardBPDU);
  MSTPRequest->Set(kSetFromControlsThenRead);
}

void TSTP_Info::ShowVersionProgress() {
  struct Forget {
    ~Forget() { ProgressForm2 = nullptr; }
  } forget;
  std::unique_ptr<TProgressForm2> dialog(Create<TProgressForm2>(Application, nullptr));
  ProgressForm2 = dialog.get();
  dialog->TickLimit = 30;
  dialog->SetCaption("Set STP Progress");
  dialog->LB_Prompt->SetCaption("Change STP Version is doing...");
  dialog->ShowModal();
}

// The version labels follow the device only once it has taken the new
// version: after a failed Set they keep what it runs.
void TSTP_Info::BT_SetClick(TObject*) {
  if (!TimerRequest || !MSTPRequest) return;
  const AnsiString version = ComboText(Combo_STPVersion);
  try {
    if (!CheckAndWrite(version)) return;
    TFormHost& host = FormHost();
    const AnsiString current = host.StpVersion();
    host.SetStpVersion(version);
    lbstpversion->SetCaption(version);
    if (version != current && lbMSTPState->Caption() == "enabled") ShowVersionProgress();
  } catch (...) {
    TimerRequest->ShowRequestStatus(CurrentMessage());
  }
}

void TSTP_Info::FormClose(TObject*, TCloseAction& Action) {
  StopWaitDelete(TimerRequest);
  StopWaitDelete(MSTPRequest);
  StopWaitDelete(VersionRequest);
  StopWaitDelete(StateRequest);
  Action = caFree;
}
