// The Delete of the forms whose status is a single line, against the
// simulated switch: a Delete the device refuses (wrongValue) leaves its error
// as the last word of that line. A read that follows shows the device's
// values again, but its "Ok!" must not hide the refusal. (Their writes, and
// every other form's, are the form checker's.)
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "PagesTestSupport.h"
#include "forms/common/FeatureForm.h"
#include "forms/security/GuestVlanFormUnit.h"
#include "forms/security/MBAControlUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/StackingPortUitFormUnit.h"
#include "platform/Classes.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "platform/TestKit.h"

namespace {

// The library's text for a SET answered with wrongValue.
constexpr const char* kWrongValue = "(SNMP) Cannot create/set variable, Wrong Value!";

const std::string kGuest = "1.3.6.1.4.1.171.12.30.1.";
const std::string kMba = "1.3.6.1.4.1.171.12.35.1.";

std::string PanelText(TStatusBar* bar) { return bar->DisplayedText().str(); }

// One form: how it is opened (shown, its first read ended), what the user
// changes before pressing Delete, where its status line is, what
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
