// The configuration control list and its edit dialog against the simulated
// switch: the first walk, Edit only with a selected row, one SET through the
// list form's request for an action, and the timed wait after "active".
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "PagesTestSupport.h"
#include "forms/common/FeatureForm.h"
#include "forms/system/MultiConfigControlEditFormUnit.h"
#include "forms/system/MultiConfigControlFormUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/DeviceAddress.h"
#include "pages/FormOpeners.h"
#include "pages/Progress2.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

constexpr const char* kAction = "1.3.6.1.4.1.171.12.1.2.8.4.1.2";

class MultiConfigForm : public PagesDeviceTest {
 protected:
  void Open(std::function<void(TMultipleConfigControlForm*)> script) {
    const TFormOpener opener = FindFormOpener("TMultipleConfigControlForm");
    ASSERT_NE(opener, nullptr);
    DeviceAddress = "127.0.0.1";
    TestKit::OnNextModal<TMultipleConfigControlForm>([this, script](TMultipleConfigControlForm* f) {
      EXPECT_EQ(MultipleConfigControlForm, f);
      EXPECT_TRUE(WaitIdle(*f->Request));
      script(f);
      f->Close();
    });
    opener(Application, "Multiple Config Control: 127.0.0.1");
    EXPECT_EQ(MultipleConfigControlForm, nullptr);
    EXPECT_EQ(MultiConfigControlEditForm, nullptr);
  }
  // Selects the row, then runs `script` in the dialog that Edit opens.
  void EditRow(TMultipleConfigControlForm* f, int row,
               std::function<void(TMultiConfigControlEditForm*)> script) {
    TestKit::ClickRow(f->ListView1, row);
    ASSERT_TRUE(f->btnEdit->Enabled());
    TestKit::OnNextModal<TMultiConfigControlEditForm>(script);
    TestKit::Click(f->btnEdit);
    EXPECT_EQ(TestKit::PendingModalScripts(), 0);
  }
};

TEST_F(MultiConfigForm, ListsBothConfigurationsAndEditsOnlyASelectedRow) {
  Open([](TMultipleConfigControlForm* f) {
    EXPECT_EQ(f->Request->Request.Timeout, 300u);
    ASSERT_EQ(f->ListView1->Items()->Count(), 2);
    EXPECT_EQ(ListCellText(f->ListView1, 0, 0), "cfgId-1");
    EXPECT_EQ(ListCellText(f->ListView1, 1, 0), "cfgId-2");
    EXPECT_EQ(ListCellText(f->ListView1, 1, 1), "none");
    EXPECT_FALSE(f->btnEdit->Enabled());
    TestKit::ClickEmpty(f->ListView1);
    TestKit::DoubleClick(f->ListView1);  // empty space: no dialog
    EXPECT_FALSE(f->btnEdit->Enabled());
    TestKit::ClickRow(f->ListView1, 1);
    EXPECT_TRUE(f->btnEdit->Enabled());
    EXPECT_EQ(ComboText(MultiConfigControlEditForm->cbxCtrlID), "cfgId-2");
    EXPECT_TRUE(TestKit::Grab(f, vntest::ArtifactsDir() + "/form-MultipleConfigControl.png"));
  });
}

TEST_F(MultiConfigForm, AnActionIsOneSetOnTheShownRowWithoutAReadAfterIt) {
  Open([this](TMultipleConfigControlForm* f) {
    EditRow(f, 1, [](TMultiConfigControlEditForm* d) {
      EXPECT_EQ(d->Caption(), "Multiple Config Control Edit:127.0.0.1");
      EXPECT_FALSE(d->cbxCtrlID->Enabled());
      EXPECT_EQ(ComboText(d->cbxCtrlID), "cfgId-2");
      ASSERT_TRUE(SelectComboText(d->cbxCfgAction, "apply"));
      EXPECT_TRUE(TestKit::Grab(d, vntest::ArtifactsDir() + "/form-MultiConfigControlEdit.png"));
      TestKit::Click(d->btnSet);  // closes the dialog
    });
    EXPECT_TRUE(WaitIdle(*f->Request));
    const std::vector<std::string> sets = SetLines();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_NE(sets[0].find(std::string(kAction) + ".2=INTEGER:3"), std::string::npos) << sets[0];
    EXPECT_EQ(sets[0].find(std::string(kAction) + ".1="), std::string::npos) << sets[0];
    EXPECT_NE(NewLog().back().find("\tSET\t"), std::string::npos);  // not read again
    EXPECT_EQ(Value(std::string(kAction) + ".2"), "INTEGER:3");
  });
}

TEST_F(MultiConfigForm, ActivationWaitsFifteenTicksBehindTheProgressDialog) {
  Open([this](TMultipleConfigControlForm* f) {
    bool progressShown = false;
    std::uint64_t waited = 0;
    {
      TestKit::VirtualTime time;
      EditRow(f, 0, [&](TMultiConfigControlEditForm* d) {
        ASSERT_TRUE(SelectComboText(d->cbxCfgAction, "active"));
        TestKit::OnNextModal<TProgressForm2>([&](TProgressForm2* p) {
          progressShown = true;
          EXPECT_EQ(ProgressForm2, p);
          EXPECT_EQ(p->Caption(), "Set Config");
          EXPECT_EQ(p->LB_Prompt->Caption(), "Active Config is doing...");
          EXPECT_EQ(p->TickLimit, 15);
        });  // the dialog closes itself
        const std::uint64_t start = time.Now();
        TestKit::Click(d->btnSet);
        waited = time.Now() - start;
      });
    }
    EXPECT_TRUE(progressShown);
    EXPECT_GE(waited, 15000u);
    EXPECT_EQ(ProgressForm2, nullptr);
    EXPECT_TRUE(WaitIdle(*f->Request));
    const std::vector<std::string> sets = SetLines();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_NE(sets[0].find(std::string(kAction) + ".1=INTEGER:1"), std::string::npos) << sets[0];
  });
}

// A refused activation: the progress box closes at once, the refusal stays
// the memo's last line, the dialog stays open with the action chosen, and
// Edit, with the list read again and no row selected, is off.
TEST_F(MultiConfigForm, ARefusedActivationClosesTheProgressBoxAndKeepsTheDialog) {
  Open([this](TMultipleConfigControlForm* f) {
    Control(std::string("inject set ") + kAction + " wrongValue");
    bool closedEarly = false, stayed = false;
    EditRow(f, 0, [&](TMultiConfigControlEditForm* d) {
      ASSERT_TRUE(SelectComboText(d->cbxCfgAction, "active"));
      TestKit::OnNextModal<TProgressForm2>([&](TProgressForm2* p) {
        closedEarly = PumpUntil([p] { return p->ModalResult() != mrNone; });
        if (!closedEarly) p->SetModalResult(mrCancel);
      });
      TestKit::Click(d->btnSet);
      stayed = d->Showing() && ComboText(d->cbxCfgAction) == "active";
      TestKit::Click(d->btnClose);
    });
    EXPECT_TRUE(closedEarly);
    EXPECT_TRUE(stayed);
    EXPECT_TRUE(WaitIdle(*f->Request));
    EXPECT_NE(LastMemoLine(f->Memo1).find("Wrong Value"), std::string::npos)
        << LastMemoLine(f->Memo1);
    EXPECT_EQ(f->ListView1->Selected(), nullptr);
    EXPECT_FALSE(f->btnEdit->Enabled());
  });
}

// An activation while the list is still being read: the device is busy
// behind the progress dialog, so the read still out is not made beside it
// but once the wait is over.
TEST_F(MultiConfigForm, AnActivationDuringTheWalkReadsTheListAfterTheWait) {
  Open([this](TMultipleConfigControlForm* f) {
    Control("delay 600");
    TestKit::Click(f->btnGet);
    ASSERT_TRUE(PumpUntil([f] { return f->ListView1->Items()->Count() == 1; }));
    bool readBeside = true;
    EditRow(f, 0, [&](TMultiConfigControlEditForm* d) {
      ASSERT_TRUE(SelectComboText(d->cbxCfgAction, "active"));
      TestKit::OnNextModal<TProgressForm2>([&](TProgressForm2* p) {
        EXPECT_TRUE(PumpUntil([this] { return !SetLines().empty(); }));
        EXPECT_TRUE(WaitQuiet());  // its answer, and what would follow it
        const std::vector<std::string> log = NewLog();
        readBeside = log.back().find("\tSET\t") == std::string::npos;
        for (int i = 0; i <= p->TickLimit; ++i) p->ProgressTimerTimer(nullptr);
      });
      TestKit::Click(d->btnSet);
    });
    EXPECT_FALSE(readBeside);
    EXPECT_TRUE(WaitIdle(*f->Request));
    Control("delay 0");
    EXPECT_EQ(f->ListView1->Items()->Count(), 2);
    EXPECT_NE(NewLog().back().find("\tGETNEXT\t"), std::string::npos);
    EXPECT_EQ(Value(std::string(kAction) + ".1"), "INTEGER:1");
  });
}

}  // namespace
