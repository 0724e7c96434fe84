// The RMON probe form against the simulated switch: the first read, the
// fixed capabilities text, the reset control written alone and without a
// question, and failures in the status bar.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PagesTestSupport.h"
#include "forms/system/ProbeBasicInformationFormUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

constexpr const char* kProbe = "1.3.6.1.2.1.16.19";

class ProbeForm : public PagesDeviceTest {
 protected:
  void Open(std::function<void(TProbeBasicInformationForm*)> script) {
    const TFormOpener opener = FindFormOpener("TProbeBasicInformationForm");
    ASSERT_NE(opener, nullptr);
    TestKit::OnNextModal<TProbeBasicInformationForm>([script](TProbeBasicInformationForm* f) {
      EXPECT_EQ(ProbeBasicInformationForm, f);
      script(f);
      f->Close();
    });
    opener(Application, "Probe Basic Information: 127.0.0.1");
    EXPECT_EQ(ProbeBasicInformationForm, nullptr);
  }
};

TEST_F(ProbeForm, OpensWithOneReadAndShowsTheFixedCapabilities) {
  Control(std::string("set ") + kProbe + ".2.0 s \"R2.10\"");
  Control(std::string("set ") + kProbe + ".1.0 x \"B0\"");
  Control(std::string("set ") + kProbe + ".5.0 i 1");
  Open([this](TProbeBasicInformationForm* f) {
    const std::vector<std::string> log = NewLog();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_NE(log[0].find("\tGET\tnoError"), std::string::npos) << log[0];
    for (const char* k : {".1.0=", ".2.0=", ".5.0="})
      EXPECT_NE(log[0].find(std::string(kProbe) + k), std::string::npos) << k;
    EXPECT_EQ(f->stCap->Caption(),
              "etherStats,historyControl,etherHistory,alarm,event,probeConfig");
    EXPECT_EQ(f->edtCap->Text(), "B0");
    EXPECT_FALSE(f->edtCap->Visible());
    EXPECT_FALSE(f->stHardware->Visible());
    EXPECT_EQ(f->stSoftware->Caption(), "R2.10");
    EXPECT_EQ(f->cbxReset->Text(), "running");
    EXPECT_EQ(f->StatusBar1->SimpleText().str().rfind("Get: Ok! Receive at ", 0), 0u)
        << f->StatusBar1->SimpleText().str();
    EXPECT_TRUE(TestKit::Grab(f, vntest::ArtifactsDir() + "/form-ProbeBasicInformation.png"));
  });
}

TEST_F(ProbeForm, SetWritesOnlyTheResetControlWithoutAsking) {
  Open([this](TProbeBasicInformationForm* f) {
    TestKit::DialogScript boxes;  // no box may come
    TestKit::PickItem(f->cbxReset, 2);
    ASSERT_EQ(f->cbxReset->Text(), "coldBoot");
    TestKit::Click(f->btnSet);
    const std::vector<std::string> sets = SetLines();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_NE(sets[0].find(std::string(kProbe) + ".5.0=INTEGER:3"), std::string::npos) << sets[0];
    EXPECT_EQ(sets[0].find(std::string(kProbe) + ".1.0"), std::string::npos) << sets[0];
    EXPECT_EQ(sets[0].find(std::string(kProbe) + ".2.0"), std::string::npos) << sets[0];
    EXPECT_EQ(Value(std::string(kProbe) + ".5.0"), "INTEGER:3");
    EXPECT_EQ(f->StatusBar1->SimpleText().str().rfind("Set: Ok! Receive at ", 0), 0u)
        << f->StatusBar1->SimpleText().str();
  });
}

TEST_F(ProbeForm, FailedReadsAndWritesShowTheirMessageInTheStatusBar) {
  Open([this](TProbeBasicInformationForm* f) {
    Control(std::string("inject set ") + kProbe + " genErr");
    TestKit::Click(f->btnSet);
    const std::string afterSet = f->StatusBar1->SimpleText().str();
    EXPECT_FALSE(afterSet.empty());
    EXPECT_EQ(afterSet.find("Ok!"), std::string::npos) << afterSet;
    Control(std::string("inject get ") + kProbe + " genErr");
    f->StatusBar1->SetSimpleText("");
    TestKit::Click(f->btnGet);
    EXPECT_FALSE(f->StatusBar1->SimpleText().IsEmpty());
    EXPECT_EQ(f->StatusBar1->SimpleText().str().find("Ok!"), std::string::npos);
    EXPECT_FALSE(f->Request->Busy);
  });
}

}  // namespace
