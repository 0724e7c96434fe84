// The log-save form against the simulated switch: the first read and the
// interval edit following the method, the interval left out of the SET for
// the other methods, the missing-method refusal and the interval's range.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PagesTestSupport.h"
#include "forms/system/LogSaveControlSetting.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

constexpr const char* kLogSave = "1.3.6.1.4.1.171.12.12.3";

class LogSaveForm : public PagesDeviceTest {
 protected:
  void Open(std::function<void(TLogSaveControlForm*)> script) {
    const TFormOpener opener = FindFormOpener("TLogSaveControlForm");
    ASSERT_NE(opener, nullptr);
    TestKit::OnNextModal<TLogSaveControlForm>([script](TLogSaveControlForm* f) {
      EXPECT_EQ(LogSaveControlForm, f);
      script(f);
      f->Close();
    });
    opener(Application, "System Log Save Control: 127.0.0.1");
    EXPECT_EQ(LogSaveControlForm, nullptr);
  }
  static std::string Status(TLogSaveControlForm* f) {
    return f->StatusBar1->Panels()->Items(0)->Text().str();
  }
};

TEST_F(LogSaveForm, OpensWithOneReadAndTheIntervalFollowsTheMethod) {
  Control(std::string("set ") + kLogSave + ".1.0 i 2");
  Control(std::string("set ") + kLogSave + ".2.0 i 1440");
  Open([this](TLogSaveControlForm* f) {
    const std::vector<std::string> log = NewLog();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_NE(log[0].find("\tGET\tnoError"), std::string::npos) << log[0];
    EXPECT_EQ(f->cbxLogSaveMethod->Text(), "on-demand");
    EXPECT_EQ(f->EdLogSavetimeInterval->Text(), "1440");
    EXPECT_FALSE(f->EdLogSavetimeInterval->Enabled());
    EXPECT_EQ(Status(f).rfind("Get: Ok! Receive at ", 0), 0u) << Status(f);
    TestKit::PickItem(f->cbxLogSaveMethod, 0);
    EXPECT_TRUE(f->EdLogSavetimeInterval->Enabled());
    TestKit::PickItem(f->cbxLogSaveMethod, 2);
    EXPECT_FALSE(f->EdLogSavetimeInterval->Enabled());
    EXPECT_TRUE(TestKit::Grab(f, vntest::ArtifactsDir() + "/form-LogSaveControl.png"));
  });
}

TEST_F(LogSaveForm, TheIntervalIsWrittenWithTheTimeIntervalMethodOnly) {
  Open([this](TLogSaveControlForm* f) {
    TestKit::PickItem(f->cbxLogSaveMethod, 0);
    f->EdLogSavetimeInterval->SetText("30");
    TestKit::Click(f->btnSet);
    std::vector<std::string> sets = SetLines();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_NE(sets[0].find(std::string(kLogSave) + ".1.0=INTEGER:1"), std::string::npos);
    EXPECT_NE(sets[0].find(std::string(kLogSave) + ".2.0=INTEGER:30"), std::string::npos);
    EXPECT_EQ(Value(std::string(kLogSave) + ".2.0"), "INTEGER:30");

    TestKit::PickItem(f->cbxLogSaveMethod, 2);
    f->EdLogSavetimeInterval->SetText("99");
    TestKit::Click(f->btnSet);
    sets = SetLines();
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_NE(sets[1].find(std::string(kLogSave) + ".1.0=INTEGER:3"), std::string::npos);
    EXPECT_EQ(sets[1].find(std::string(kLogSave) + ".2.0"), std::string::npos) << sets[1];
    EXPECT_EQ(Value(std::string(kLogSave) + ".2.0"), "INTEGER:30");
    EXPECT_EQ(f->Request->Request.VarList.Item(1)->Access, 6u);
    // Read again after the SET: the device's interval is back in the edit.
    EXPECT_EQ(f->EdLogSavetimeInterval->Text(), "30");
    EXPECT_EQ(f->cbxLogSaveMethod->Text(), "log-trigger");
  });
}

// A method the switch holds outside the list goes back as it is, which is
// nothing to write without the interval: nothing is sent, and the form says
// so.
TEST_F(LogSaveForm, AWriteWithNothingToCarrySendsNothingAndSaysSo) {
  Control(std::string("set ") + kLogSave + ".1.0 i 9");
  Open([this](TLogSaveControlForm* f) {
    EXPECT_EQ(f->cbxLogSaveMethod->ItemIndex(), -1);
    TestKit::Click(f->btnSet);
    EXPECT_TRUE(SetLines().empty());
    EXPECT_NE(Status(f).find("No SNMP variable to set!"), std::string::npos) << Status(f);
  });
}

TEST_F(LogSaveForm, AFailedSetRestoresTheIntervalAndKeepsTheChoice) {
  Open([this](TLogSaveControlForm* f) {
    TestKit::PickItem(f->cbxLogSaveMethod, 1);
    Control(std::string("inject set ") + kLogSave + " genErr");
    TestKit::Click(f->btnSet);
    EXPECT_EQ(f->Request->Request.VarList.Item(1)->Access, 6u);
    // The method chosen stays for a correction, the interval following it;
    // nothing is read over it.
    EXPECT_EQ(f->cbxLogSaveMethod->ItemIndex(), 1);
    EXPECT_FALSE(f->EdLogSavetimeInterval->Enabled());
    const std::vector<std::string> log = NewLog();
    ASSERT_GE(log.size(), 2u);
    EXPECT_NE(log.back().find("\tSET\t"), std::string::npos) << log.back();
  });
}

TEST_F(LogSaveForm, NoMethodChosenIsRefusedAndTheIntervalRangeIsChecked) {
  // The first read fails: no method was read, none is chosen.
  Control(std::string("inject get ") + kLogSave + " genErr");
  Open([this](TLogSaveControlForm* f) {
    EXPECT_EQ(f->cbxLogSaveMethod->ItemIndex(), -1);
    {
      TestKit::DialogScript boxes;
      boxes.Expect("You should choose Log Save Method.");
      TestKit::Click(f->btnSet);
    }
    EXPECT_TRUE(SetLines().empty());
    // Read now: a method the list does not name is the switch's own, and no
    // reason to refuse the write.
    Control(std::string("set ") + kLogSave + ".1.0 i 0");
    TestKit::Click(f->btnRefresh);
    EXPECT_EQ(f->cbxLogSaveMethod->ItemIndex(), -1);
    TestKit::Click(f->btnSet);
    TestKit::PickItem(f->cbxLogSaveMethod, 0);
    EXPECT_EQ(f->EdLogSavetimeInterval->MaxLength(), 5);
    {
      TestKit::DialogScript boxes;
      boxes.Expect(" Please enter a number between 0 and 65535!");
      f->EdLogSavetimeInterval->SetText("");
      // The fifth digit moves the focus on, and the check runs.
      TestKit::TypeText(f->EdLogSavetimeInterval, "65536");
      TestKit::Pump();
    }
    EXPECT_TRUE(f->EdLogSavetimeInterval->Focused());
    f->EdLogSavetimeInterval->SetText("");
    TestKit::TypeText(f->EdLogSavetimeInterval, "65535");
    TestKit::Pump();
    EXPECT_FALSE(f->EdLogSavetimeInterval->Focused());
  });
}

}  // namespace

namespace {

TEST_F(LogSaveForm, KeepsItsSizeOnAScreenOtherThan96PixelsPerInch) {
  int width = 0;
  Open([&](TLogSaveControlForm* f) { width = f->Width(); });
  TestKit::SetPixelsPerInch(120);
  Open([&](TLogSaveControlForm* f) { EXPECT_EQ(f->Width(), width); });
}

}  // namespace
