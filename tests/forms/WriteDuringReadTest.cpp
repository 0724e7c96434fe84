// Forms that can write while their own read is still out, against a slow
// simulated switch: Refresh, a change, Set before the read is back. The
// read's answer, sent before the write, must not put the old value back on
// the screen: once the form is idle it shows what the device holds, and the
// next Set sends the new value again.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "PagesTestSupport.h"
#include "forms/common/FeatureForm.h"
#include "forms/security/SSLManagementTable.h"
#include "forms/switching/ForwardUnregisteredInformationFormUnit.h"
#include "forms/switching/SpanningTreeAlgorithmUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/StackingPortUitFormUnit.h"
#include "pages/progress.h"
#include "platform/Classes.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "platform/TestKit.h"

namespace {

const std::string kSslTimeout = "1.3.6.1.4.1.171.12.7.1.3.0";
const std::string kStpState = "1.3.6.1.4.1.171.11.101.1.2.1.2.1.0";
const std::string kUnregisteredStatic = "1.3.6.1.2.1.17.7.1.2.5.1.2.1";

// True when no line of the request log after its last SET is a read.
bool NoReadAfterTheSet(const std::vector<std::string>& log) {
  for (auto line = log.rbegin(); line != log.rend(); ++line) {
    if (line->find("\tSET\t") != std::string::npos) return true;
    if (line->find("\tGET") != std::string::npos) return false;
  }
  return false;
}

// One form: how it opens (shown, its first read ended), its request, how the
// user refreshes, changes a value and presses Set, what the screen must show
// once idle, and the binding the device holds and every later SET carries.
struct TWriteDuringRead {
  const char* Name;
  std::vector<std::string> Seed;
  std::function<TForm*()> Open;
  std::function<VnSNMPRequest2Controls&(TForm*)> RequestOf;
  std::function<void(TForm*)> Refresh;
  std::function<void(TForm*)> Change;
  std::function<void(TForm*)> PressSet;
  std::function<void(TForm*)> ShowsTheWrite;
  std::string Oid, Holds;
};

TCheckBox* Port(TPortListTableForm* form, int tab, int port) {
  return static_cast<TCheckBox*>(
      form->PortFrames[static_cast<std::size_t>(tab)]->PortCheckBoxes->Items(port - 1));
}

class WriteDuringRead : public PagesDeviceTest {};

TEST_F(WriteDuringRead, TheAnswerToAReadSentBeforeTheWriteDoesNotUndoIt) {
  using SSL = TSSLManagementForm;
  using STP = TSpanningTreeAlgorithmForm;
  using Unregistered = TForwardUnregisteredInformationForm;
  const std::vector<TWriteDuringRead> forms = {
      {"SSL management (scalars)",
       {"set " + kSslTimeout + " u 600"},
       [] { return Shown<SSL>(); },
       [](TForm* f) -> VnSNMPRequest2Controls& { return *As<SSL>(f)->Request; },
       [](TForm* f) { TestKit::Click(As<SSL>(f)->btnGet); },
       [](TForm* f) { As<SSL>(f)->edtCacheTimeOut->SetText("900"); },
       [](TForm* f) { TestKit::Click(As<SSL>(f)->btnSet); },
       [](TForm* f) { EXPECT_EQ(As<SSL>(f)->edtCacheTimeOut->Text(), "900"); },
       kSslTimeout,
       "Gauge32:900"},
      {"spanning tree (a scalar)",
       {"set " + kStpState + " i 3"},
       [] {
         SpanningTreeAlgorithmForm = Shown<STP>();
         return SpanningTreeAlgorithmForm;
       },
       [](TForm* f) -> VnSNMPRequest2Controls& { return *As<STP>(f)->Request; },
       [](TForm* f) { TestKit::Click(As<STP>(f)->GetButton); },
       [](TForm* f) { ASSERT_TRUE(SelectComboText(As<STP>(f)->ComboBox1, "disabled")); },
       [](TForm* f) { TestKit::Click(As<STP>(f)->SetButton); },
       [](TForm* f) { EXPECT_EQ(ComboText(As<STP>(f)->ComboBox1), "disabled"); },
       kStpState,
       "INTEGER:2"},
      {"spanning tree switched on: read after the progress dialog, not beside it",
       {"set " + kStpState + " i 2"},
       [] {
         SpanningTreeAlgorithmForm = Shown<STP>();
         return SpanningTreeAlgorithmForm;
       },
       [](TForm* f) -> VnSNMPRequest2Controls& { return *As<STP>(f)->Request; },
       [](TForm* f) { TestKit::Click(As<STP>(f)->GetButton); },
       [](TForm* f) { ASSERT_TRUE(SelectComboText(As<STP>(f)->ComboBox1, "enabled")); },
       [this](TForm* f) {
         TestKit::DialogScript dialogs;
         dialogs.Expect("To enable STP may take a long time. Do you want to go on?", mrOk);
         const std::size_t sets = SetLines().size();
         TestKit::OnNextModal<TProgressForm>([this, sets](TProgressForm* dialog) {
           EXPECT_TRUE(PumpUntil([this, sets] { return SetLines().size() > sets; }));
           EXPECT_TRUE(TakeLateReplies());  // its answer, and what would follow it
           SettleSwitch();
           EXPECT_TRUE(NoReadAfterTheSet(NewLog()));
           for (int i = 0; i < 31; ++i) dialog->ProgressTimerTimer(nullptr);
         });
         TestKit::Click(As<STP>(f)->SetButton);
       },
       [](TForm* f) { EXPECT_EQ(ComboText(As<STP>(f)->ComboBox1), "enabled"); },
       kStpState,
       "INTEGER:3"},
      {"forward unregistered (a table)",
       {"set " + kUnregisteredStatic + " x 00000000"},
       [] { return Shown<Unregistered>(); },
       [](TForm* f) -> VnSNMPRequest2Controls& { return *As<Unregistered>(f)->Request; },
       [](TForm* f) {
         auto* form = As<Unregistered>(f);
         TestKit::Click(form->RefreshBtn);
         ASSERT_TRUE(PumpUntil(
             [form] { return form->LV_dot1qForwardUnregisteredEntry->Items()->Count() == 1; }));
       },
       [](TForm* f) {
         auto* form = As<Unregistered>(f);
         TestKit::ClickRow(form->LV_dot1qForwardUnregisteredEntry, 0);
         Port(form, 1, 2)->SetChecked(true);
       },
       [](TForm* f) { TestKit::Click(As<Unregistered>(f)->SetBtn); },
       [](TForm* f) {
         auto* form = As<Unregistered>(f);
         ASSERT_EQ(form->LV_dot1qForwardUnregisteredEntry->Items()->Count(), 1);
         TestKit::ClickRow(form->LV_dot1qForwardUnregisteredEntry, 0);
         EXPECT_TRUE(Port(form, 1, 2)->Checked());
       },
       kUnregisteredStatic,
       "Hex-STRING:40 00 00 00"},
  };

  for (const TWriteDuringRead& c : forms) {
    SCOPED_TRACE(c.Name);
    Control("reset");
    for (const std::string& command : c.Seed) Control(command);
    TForm* form = c.Open();
    VnSNMPRequest2Controls& request = c.RequestOf(form);
    ASSERT_TRUE(WaitIdle(request));
    Control("delay 300");
    c.Refresh(form);
    PumpUntil([] { return false; }, 50);
    ASSERT_TRUE(request.Busy);
    c.Change(form);
    c.PressSet(form);
    ASSERT_TRUE(WaitIdle(request));
    ASSERT_TRUE(TakeLateReplies());  // the first read's answer among them
    Control("delay 0");

    EXPECT_EQ(Value(c.Oid), c.Holds);
    c.ShowsTheWrite(form);
    const std::size_t sets = SetLines().size();
    c.PressSet(form);
    ASSERT_TRUE(WaitIdle(request));
    ASSERT_EQ(SetLines().size(), sets + 1);
    EXPECT_NE(SetLines().back().find(c.Oid + "=" + c.Holds), std::string::npos)
        << SetLines().back();
    form->Close();
    delete form;
    SpanningTreeAlgorithmForm = nullptr;
  }
}

}  // namespace
