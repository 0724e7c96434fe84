// The two 802.1X MAC-based authentication lists against the simulated
// switch: opened through their menu openers, one synchronous walk keyed by
// MAC address and port, Refresh, and a failed walk shown in the memo.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "PagesTestSupport.h"
#include "forms/common/FeatureForm.h"
#include "forms/system/DiagnosticsInformationFormUnit.h"
#include "forms/system/MacStatisticTableFormUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

constexpr const char* kDiagnostics = "1.3.6.1.4.1.171.12.3.6.3.1";
constexpr const char* kStatistics = "1.3.6.1.4.1.171.12.3.6.2.1";

class PaeCounterForms : public PagesDeviceTest {
 protected:
  template <class F>
  void Open(const char* className, F** global, const char* caption,
            std::function<void(F*)> script) {
    const TFormOpener opener = FindFormOpener(className);
    ASSERT_NE(opener, nullptr);
    TestKit::OnNextModal<F>([script, global](F* f) {
      EXPECT_EQ(*global, f);
      script(f);
      f->Close();
    });
    opener(Application, caption);
    EXPECT_EQ(*global, nullptr);
  }
  // The column whose header carries the label, or -1.
  static int ColumnOf(TListView* view, const char* label) {
    for (int c = 0; c < view->Columns()->Count(); ++c)
      if (view->Columns()->Items(c)->Caption() == label) return c;
    return -1;
  }
  std::size_t GetNextCount() const {
    std::size_t n = 0;
    for (const std::string& line : NewLog())
      if (line.find("\tGETNEXT\t") != std::string::npos) ++n;
    return n;
  }
};

TEST_F(PaeCounterForms, DiagnosticsListsOneRowPerMacAddressWithItsCounters) {
  Control(std::string("set ") + kDiagnostics + ".1.0.10.94.88.16.34.5 c 17");
  Control(std::string("motion ") + kDiagnostics + ".1.0.10.94.88.16.34.5 still");
  Open<TDiagnosticsInformationForm>(
      "TDiagnosticsInformationForm", &DiagnosticsInformationForm,
      "Diagnostics Information: 127.0.0.1", [this](TDiagnosticsInformationForm* f) {
        EXPECT_EQ(f->Caption(), "Diagnostics Information: 127.0.0.1");
        EXPECT_FALSE(f->Request->AsyncMode);
        TListView* list = f->ListView1;
        ASSERT_EQ(list->Items()->Count(), 2);
        EXPECT_EQ(ListCellText(list, 0, 0), "000A5E581021");
        EXPECT_EQ(ListCellText(list, 1, 0), "000A5E581022");
        const int connecting = ColumnOf(list, "Enters Connecting");
        ASSERT_GT(connecting, 0);
        // The counter may have moved on between the two control commands.
        const int counted = ListCellText(list, 1, connecting).ToIntDef(-1);
        EXPECT_GE(counted, 17);
        EXPECT_LT(counted, 1000);
        EXPECT_GT(ColumnOf(list, "Backend Auth Fails"), connecting);
        EXPECT_EQ(MemoText(f->Memo1).rfind("Get: Ok! Receive at ", 0), 0u) << MemoText(f->Memo1);
        EXPECT_GT(GetNextCount(), 0u);
        EXPECT_TRUE(TestKit::Grab(f, vntest::ArtifactsDir() + "/form-DiagnosticsInformation.png"));
      });
}

TEST_F(PaeCounterForms, MacStatisticsRefreshReadsTheDeviceAgain) {
  Open<TMacStatisticTableForm>(
      "TMacStatisticTableForm", &MacStatisticTableForm, "MAC Statistic: 127.0.0.1",
      [this](TMacStatisticTableForm* f) {
        TListView* list = f->ListView1;
        ASSERT_EQ(list->Items()->Count(), 2);
        EXPECT_EQ(ListCellText(list, 0, 0), "000A5E581021");
        const int source = ColumnOf(list, "Last Eapol Frame Source");
        ASSERT_GT(source, 0);
        EXPECT_EQ(ListCellText(list, 0, source).Length(), 12);
        const std::size_t before = GetNextCount();

        Control(std::string("set ") + kStatistics + ".1.0.10.94.88.16.33.3 c 4242");
        Control(std::string("motion ") + kStatistics + ".1.0.10.94.88.16.33.3 still");
        TestKit::Click(f->Button1);
        EXPECT_GT(GetNextCount(), before);
        ASSERT_EQ(list->Items()->Count(), 2);
        const int counted = ListCellText(list, 0, ColumnOf(list, "Eapol Frames RX")).ToIntDef(-1);
        EXPECT_GE(counted, 4242);
        EXPECT_LT(counted, 5000);
        EXPECT_TRUE(TestKit::Grab(f, vntest::ArtifactsDir() + "/form-MacStatisticTable.png"));
      });
}

TEST_F(PaeCounterForms, AFailedWalkIsShownInTheMemoAndKeepsItsRows) {
  Open<TMacStatisticTableForm>(
      "TMacStatisticTableForm", &MacStatisticTableForm, "MAC Statistic: 127.0.0.1",
      [this](TMacStatisticTableForm* f) {
        // The request after the first row fails.
        Control(std::string("inject getnext ") + kStatistics + ".1.0.10.94.88.16.33 genErr");
        {
          TestKit::DialogScript boxes;  // nothing expected
          TestKit::Click(f->Button1);
        }
        EXPECT_FALSE(f->Request->Busy);
        EXPECT_EQ(f->ListView1->Items()->Count(), 1);
        const std::string memo = MemoText(f->Memo1);
        const std::string last = memo.substr(memo.rfind('|') + 1);
        EXPECT_EQ(last.rfind("Get: ", 0), 0u) << memo;
        EXPECT_NE(last.find("General Error"), std::string::npos) << memo;
        TestKit::Click(f->Button1);
        EXPECT_EQ(f->ListView1->Items()->Count(), 2);
      });
}

}  // namespace
