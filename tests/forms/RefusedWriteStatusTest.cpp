// Forms whose status is a single line, against the simulated switch: a write
// the device refuses (wrongValue) leaves its error as the last word of that
// line. A read that follows the write shows the device's values again, but
// its "Ok!" must not hide the refusal.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "PagesTestSupport.h"
#include "forms/common/FeatureForm.h"
#include "forms/security/GuestVlanFormUnit.h"
#include "forms/security/MBAControlUnit.h"
#include "forms/security/SafeguardCtrlFormUnit.h"
#include "forms/switching/MLD_SnoopingRouterPortsUnit.h"
#include "forms/switching/SpanningTreeAlgorithmUnit.h"
#include "forms/system/LogSaveControlSetting.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/StackingPortUitFormUnit.h"
#include "pages/progress.h"
#include "platform/Classes.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "platform/TestKit.h"

namespace {

// The library's text for a SET answered with wrongValue.
constexpr const char* kWrongValue = "(SNMP) Cannot create/set variable, Wrong Value!";

const std::string kSafeguard = "1.3.6.1.4.1.171.12.19.2.";
const std::string kLogSave = "1.3.6.1.4.1.171.12.12.3.";
const std::string kGuest = "1.3.6.1.4.1.171.12.30.1.";
const std::string kMba = "1.3.6.1.4.1.171.12.35.1.";
const std::string kMld = "1.3.6.1.4.1.171.12.34.3.4.1.";
const std::string kStp = "1.3.6.1.4.1.171.11.101.1.2.1.2.1.";

TCheckBox* Port(TStackingPortUitForm* frame, int port) {
  return static_cast<TCheckBox*>(frame->PortCheckBoxes->Items(port - 1));
}

std::string PanelText(TStatusBar* bar) { return bar->DisplayedText().str(); }

// One form: how it is opened (shown, its first read ended), what the user
// changes before pressing Set (or Delete), where its status line is, what
// the device holds and the fields must show afterwards, and how it closes.
struct TRefusedWrite {
  const char* Name;
  std::vector<std::string> Seed;  // control commands before opening
  std::string Refused;            // the prefix whose SET the device refuses
  std::string LastRead;           // the prefix the read after it reads last;
                                  // empty: the form does not read after a refusal
  std::function<TForm*()> Open;
  std::function<void(TForm*)> PressSet;
  std::function<std::string(TForm*)> StatusLine;
  std::function<void(TForm*)> ShowsDevice;  // null: the fields keep the user's input
  std::function<void(TForm*)> Close;
  const char* ReadPdu = "get";  // of that read, as the simulator injects it
};

template <class T>
void CloseAndDelete(TForm* form) {
  TCloseAction action = caFree;
  As<T>(form)->FormClose(form, action);
  delete form;
}

class RefusedWriteStatus : public PagesDeviceTest {};

TEST_F(RefusedWriteStatus, TheRefusalStaysTheLastWordOfTheStatusLine) {
  const std::vector<TRefusedWrite> forms = {
      {"safeguard engine",
       {},
       kSafeguard + "1",
       kSafeguard + "1",
       [] { return Shown<TSafeguardCtrlForm>(); },
       [](TForm* f) {
         auto* form = As<TSafeguardCtrlForm>(f);
         form->ckRising->SetChecked(true);
         form->edtRising->SetText("70");
         TestKit::Click(form->btnSet);
       },
       [](TForm* f) { return PanelText(As<TSafeguardCtrlForm>(f)->stbStatus); },
       [](TForm* f) {
         EXPECT_EQ(As<TSafeguardCtrlForm>(f)->edtRising->Text(), "80");
         EXPECT_EQ(As<TSafeguardCtrlForm>(f)->lbFalling->Caption(), "60");
       },
       [](TForm* f) {
         bool canClose = true;
         As<TSafeguardCtrlForm>(f)->FormCloseQuery(f, canClose);
         delete f;
       }},
      {"log save",
       {"set " + kLogSave + "1.0 i 2", "set " + kLogSave + "2.0 i 1440"},
       kLogSave.substr(0, kLogSave.size() - 1),
       kLogSave + "1",
       [] { return Shown<TLogSaveControlForm>(); },
       [](TForm* f) {
         auto* form = As<TLogSaveControlForm>(f);
         TestKit::PickItem(form->cbxLogSaveMethod, 0);
         form->EdLogSavetimeInterval->SetText("30");
         TestKit::Click(form->btnSet);
       },
       [](TForm* f) { return PanelText(As<TLogSaveControlForm>(f)->StatusBar1); },
       [](TForm* f) {
         EXPECT_EQ(As<TLogSaveControlForm>(f)->cbxLogSaveMethod->Text(), "on-demand");
         EXPECT_EQ(As<TLogSaveControlForm>(f)->EdLogSavetimeInterval->Text(), "1440");
         EXPECT_FALSE(As<TLogSaveControlForm>(f)->EdLogSavetimeInterval->Enabled());
       },
       CloseAndDelete<TLogSaveControlForm>},
      {"guest VLAN, Set",
       {"set " + kGuest + "1.0 s guests", "set " + kGuest + "2.0 x 80000000"},
       kGuest + "2",
       kGuest + "3",
       [] { return Shown<TGuestVlanForm>(); },
       [](TForm* f) {
         auto* form = As<TGuestVlanForm>(f);
         form->edtName->SetText("visitors");
         Port(form->PortFrame, 2)->SetChecked(true);
         TestKit::Click(form->SetBtn);
       },
       [](TForm* f) { return PanelText(As<TGuestVlanForm>(f)->StatusBar1); },
       [](TForm* f) {
         auto* form = As<TGuestVlanForm>(f);
         EXPECT_EQ(form->edtName->Text(), "guests");
         EXPECT_TRUE(Port(form->PortFrame, 1)->Checked());
         EXPECT_FALSE(Port(form->PortFrame, 2)->Checked());
       },
       CloseAndDelete<TGuestVlanForm>},
      {"guest VLAN, Delete",
       {"set " + kGuest + "1.0 s guests", "set " + kGuest + "3.0 i 1"},
       kGuest + "3",
       kGuest + "3",
       [] { return Shown<TGuestVlanForm>(); },
       [](TForm* f) {
         As<TGuestVlanForm>(f)->edtName->SetText("visitors");
         TestKit::Click(As<TGuestVlanForm>(f)->DelBtn);
       },
       [](TForm* f) { return PanelText(As<TGuestVlanForm>(f)->StatusBar1); },
       [](TForm* f) {
         EXPECT_EQ(As<TGuestVlanForm>(f)->cbxDel->Text(), "none");
         EXPECT_EQ(As<TGuestVlanForm>(f)->edtName->Text(), "guests");
       },
       CloseAndDelete<TGuestVlanForm>},
      {"MAC-based access control, Delete",
       {"set " + kMba + "4.0 s mba", "set " + kMba + "7.0 i 1"},
       kMba + "7",
       kMba + "1",
       [] { return Shown<TMBAControlForm>(); },
       [](TForm* f) {
         As<TMBAControlForm>(f)->edtName->SetText("other");
         TestKit::Click(As<TMBAControlForm>(f)->DelBtn);
       },
       [](TForm* f) { return PanelText(As<TMBAControlForm>(f)->StatusBar1); },
       [](TForm* f) {
         EXPECT_EQ(As<TMBAControlForm>(f)->cbxDel->Text(), "none");
         EXPECT_EQ(As<TMBAControlForm>(f)->edtName->Text(), "mba");
       },
       CloseAndDelete<TMBAControlForm>},
      {"MAC-based access control, Set",
       {"set " + kMba + "4.0 s mba", "set " + kMba + "5.0 x 80000000"},
       kMba + "5",
       "",  // the global SET that follows takes its values from its reply
       [] { return Shown<TMBAControlForm>(); },
       [](TForm* f) {
         Port(As<TMBAControlForm>(f)->PortFrame, 2)->SetChecked(true);
         TestKit::Click(As<TMBAControlForm>(f)->SetBtn);
       },
       [](TForm* f) { return PanelText(As<TMBAControlForm>(f)->StatusBar1); },
       nullptr,  // the global settings are read again, the VLAN's are not
       CloseAndDelete<TMBAControlForm>},
      {"MLD snooping router ports",
       {"set " + kMld + "2.1 x 00000000", "set " + kMld + "3.1 x 10000000",
        "set " + kMld + "4.1 x 00000000"},
       kMld.substr(0, kMld.size() - 1),
       kMld.substr(0, kMld.size() - 1),  // the list, read again
       [] {
         auto* form = Shown<TMLD_SnoopingRouterPortsForm>();
         EXPECT_TRUE(PumpUntil([form] { return !form->Request->Busy; }));
         return form;
       },
       [](TForm* f) {
         auto* form = As<TMLD_SnoopingRouterPortsForm>(f);
         TestKit::ClickRow(form->ListView1, 0);
         Port(form->StaticPortFrame, 2)->SetChecked(true);
         TestKit::Click(form->btnSet);
         EXPECT_TRUE(PumpUntil([form] { return !form->Request->Busy; }));
       },
       [](TForm* f) { return PanelText(As<TMLD_SnoopingRouterPortsForm>(f)->StatusBar1); },
       [](TForm* f) {
         auto* form = As<TMLD_SnoopingRouterPortsForm>(f);
         ASSERT_EQ(form->ListView1->Items()->Count(), 1);
         TestKit::ClickRow(form->ListView1, 0);
         EXPECT_FALSE(Port(form->StaticPortFrame, 2)->Checked());
         EXPECT_TRUE(Port(form->DynamicPortFrame, 4)->Checked());
       },
       CloseAndDelete<TMLD_SnoopingRouterPortsForm>,
       "getnext"},
      {"spanning tree, switching on",
       {"set " + kStp + "0 i 2"},
       kStp.substr(0, kStp.size() - 1),
       "",
       [] {
         SpanningTreeAlgorithmForm = Shown<TSpanningTreeAlgorithmForm>();
         EXPECT_TRUE(WaitIdle(*SpanningTreeAlgorithmForm->Request));
         return SpanningTreeAlgorithmForm;
       },
       [](TForm* f) {
         auto* form = As<TSpanningTreeAlgorithmForm>(f);
         ASSERT_TRUE(SelectComboText(form->ComboBox1, "enabled"));
         TestKit::DialogScript dialogs;
         dialogs.Expect("To enable STP may take a long time. Do you want to go on?", mrOk);
         TestKit::OnNextModal<TProgressForm>([form](TProgressForm* dialog) {
           // The device answers while the dialog is still up.
           EXPECT_TRUE(WaitIdle(*form->Request));
           for (int i = 0; i < 31; ++i) dialog->ProgressTimerTimer(nullptr);
         });
         form->SetButtonClick(nullptr);
         EXPECT_TRUE(WaitIdle(*form->Request));
       },
       [](TForm* f) { return PanelText(As<TSpanningTreeAlgorithmForm>(f)->StatusBar1); },
       nullptr,
       [](TForm* f) {
         CloseAndDelete<TSpanningTreeAlgorithmForm>(f);
         SpanningTreeAlgorithmForm = nullptr;
       }},
  };

  for (const TRefusedWrite& c : forms) {
    SCOPED_TRACE(c.Name);
    Control("reset");
    for (const std::string& command : c.Seed) Control(command);
    TForm* form = c.Open();
    const std::size_t mark = NewLog().size();
    Control("inject set " + c.Refused + " wrongValue");
    c.PressSet(form);
    PumpUntil([] { return false; }, 100);  // nothing later may overwrite the line

    const std::vector<std::string> log = NewLog();
    ASSERT_GT(log.size(), mark);
    EXPECT_NE(log[mark].find("\tSET\twrongValue"), std::string::npos) << log[mark];
    const std::string line = c.StatusLine(form);
    EXPECT_TRUE(line == kWrongValue || line.rfind(std::string("Set: ") + kWrongValue, 0) == 0)
        << line;
    EXPECT_EQ(line.find("Ok!"), std::string::npos) << line;
    // Read again, or not read at all after the refusal.
    EXPECT_NE(log.back().find(c.LastRead.empty() ? "\tSET\t" : "\tGET"), std::string::npos)
        << log.back();
    if (c.ShowsDevice) c.ShowsDevice(form);

    if (!c.LastRead.empty()) {
      // A read that fails after the refusal shows its own failure.
      Control("inject set " + c.Refused + " wrongValue");
      Control(std::string("inject ") + c.ReadPdu + " " + c.LastRead + " genErr");
      c.PressSet(form);
      const std::string failed = c.StatusLine(form);
      EXPECT_NE(failed.find("General Error!"), std::string::npos) << failed;
      EXPECT_EQ(failed.find("Ok!"), std::string::npos) << failed;
    }
    c.Close(form);
  }
}

}  // namespace
