// The DHCP relay server list and its new-entry dialog against the simulated
// switch: the first walk, Add writing "valid" for the typed entry, the limit
// of four servers per interface, Delete writing "invalid", and closing
// refused while a read runs.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "PagesTestSupport.h"
#include "forms/common/FeatureForm.h"
#include "forms/security/BOOTCtrlTableFormUnit.h"
#include "forms/security/NewBootpCtrlFormUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/DeviceAddress.h"
#include "pages/FormOpeners.h"
#include "platform/Buttons.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

constexpr const char* kState = "1.3.6.1.4.1.171.11.101.1.2.8.7.1.3";
// "System" as a length-prefixed index.
constexpr const char* kSystem = "6.83.121.115.116.101.109";

std::string StateOf(const std::string& name, const std::string& server) {
  return std::string(kState) + "." + name + "." + server;
}

class RelayForm : public PagesDeviceTest {
 protected:
  void Open(std::function<void(TBOOTCtrlTableForm*)> script) {
    const TFormOpener opener = FindFormOpener("TBOOTCtrlTableForm");
    ASSERT_NE(opener, nullptr);
    DeviceAddress = "127.0.0.1";
    TestKit::OnNextModal<TBOOTCtrlTableForm>([script](TBOOTCtrlTableForm* f) {
      EXPECT_EQ(BOOTCtrlTableForm, f);
      EXPECT_TRUE(WaitIdle(f));
      script(f);
      f->Close();
    });
    opener(Application, "DHCP Control Table: 127.0.0.1");
    EXPECT_EQ(BOOTCtrlTableForm, nullptr);
    EXPECT_EQ(NewBootpCtrlForm, nullptr);
  }
  static bool WaitIdle(TBOOTCtrlTableForm* f, int rows = -1) {
    return PumpUntil([f, rows] {
      return !f->Request->Busy && (rows < 0 || f->ListView1->Items()->Count() == rows);
    });
  }
  static void Add(TBOOTCtrlTableForm* f, const char* name, const char* server,
                  const char* refusal = nullptr) {
    TestKit::OnNextModal<TNewBootpCtrlForm>([=](TNewBootpCtrlForm* d) {
      EXPECT_EQ(d->Caption(), "New DHCP Control: 127.0.0.1");
      EXPECT_EQ(d->Edit1->Text(), "");
      TestKit::TypeText(d->Edit1, name);
      TestKit::TypeText(d->Edit2, server);
      TestKit::DialogScript boxes;
      if (refusal) boxes.Expect(refusal);
      TestKit::Click(d->DeleteBtn);
      if (refusal) {
        EXPECT_TRUE(d->Visible());
        d->Close();
      }
    });
    TestKit::Click(f->AddBtn);
    EXPECT_EQ(TestKit::PendingModalScripts(), 0);
  }
};

TEST_F(RelayForm, ListsTheServersAndAddsOneWithValid) {
  Open([this](TBOOTCtrlTableForm* f) {
    EXPECT_EQ(f->Caption(), "DHCP Control Table: 127.0.0.1");
    TListView* list = f->ListView1;
    ASSERT_EQ(list->Items()->Count(), 2);
    EXPECT_EQ(ListCellText(list, 0, 0), "System");
    EXPECT_EQ(ListCellText(list, 1, 1), "10.90.90.6");
    EXPECT_EQ(ListCellText(list, 1, 2), "valid");
    EXPECT_FALSE(f->DeleteBtn->Enabled());
    EXPECT_FALSE(f->ComboBox1->Visible());
    EXPECT_TRUE(TestKit::Grab(f, vntest::ArtifactsDir() + "/form-BOOTCtrlTable.png"));
    Add(f, "vlan2", "10.1.1.9");
    EXPECT_TRUE(WaitIdle(f, 3));
    const std::vector<std::string> sets = SetLines();
    ASSERT_EQ(sets.size(), 1u);
    // Only the state goes out, addressed by the name and the address.
    EXPECT_NE(sets[0].find(StateOf("5.118.108.97.110.50", "10.1.1.9") + "=INTEGER:3"),
              std::string::npos)
        << sets[0];
    EXPECT_EQ(sets[0].find(".8.7.1.1."), std::string::npos) << sets[0];
    EXPECT_EQ(sets[0].find(".8.7.1.2."), std::string::npos) << sets[0];
  });
}

TEST_F(RelayForm, AFifthServerOfAnInterfaceIsRefusedAnotherInterfaceIsNot) {
  Control(std::string("set ") + StateOf(kSystem, "10.90.90.7") + " i 3");
  Control(std::string("set ") + StateOf(kSystem, "10.90.90.8") + " i 3");
  Open([this](TBOOTCtrlTableForm* f) {
    ASSERT_EQ(f->ListView1->Items()->Count(), 4);
    Add(f, "System", "10.90.90.9", "One interface can support four bootp servers at most.");
    EXPECT_TRUE(SetLines().empty());
    Add(f, "system", "10.90.90.9");  // the name is compared exactly
    EXPECT_TRUE(WaitIdle(f, 5));
    EXPECT_EQ(SetLines().size(), 1u);
  });
}

TEST_F(RelayForm, ABadServerAddressIsReportedAndTheDialogStaysOpen) {
  Open([this](TBOOTCtrlTableForm* f) {
    TestKit::OnNextModal<TNewBootpCtrlForm>([f](TNewBootpCtrlForm* d) {
      TestKit::TypeText(d->Edit1, "System");
      TestKit::TypeText(d->Edit2, "10.1.x.1");
      TestKit::Click(d->DeleteBtn);
      EXPECT_TRUE(d->Visible());
      EXPECT_FALSE(f->Request->Busy);
      EXPECT_FALSE(MemoText(f->Memo1).empty());
      d->Close();
    });
    TestKit::Click(f->AddBtn);
    EXPECT_TRUE(SetLines().empty());
  });
}

TEST_F(RelayForm, DeleteWritesInvalidAndTheRowGoes) {
  Open([this](TBOOTCtrlTableForm* f) {
    TestKit::ClickRow(f->ListView1, 1);
    EXPECT_TRUE(f->DeleteBtn->Enabled());
    TestKit::Click(f->DeleteBtn);
    EXPECT_FALSE(f->DeleteBtn->Enabled());
    EXPECT_TRUE(WaitIdle(f, 1));
    const std::vector<std::string> sets = SetLines();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_NE(sets[0].find(StateOf(kSystem, "10.90.90.6") + "=INTEGER:2"), std::string::npos)
        << sets[0];
    EXPECT_EQ(Value(StateOf(kSystem, "10.90.90.6")), "noSuchInstance");
  });
}

TEST_F(RelayForm, ClosingDuringAReadIsRefusedUntilItEnds) {
  Open([this](TBOOTCtrlTableForm* f) {
    Control("hold");
    TestKit::Click(f->RefreshBtn);
    EXPECT_TRUE(f->Request->Busy);
    {
      TestKit::DialogScript boxes;
      boxes.Expect("Get data not complete");
      bool canClose = true;
      f->FormCloseQuery(nullptr, canClose);
      EXPECT_FALSE(canClose);
    }
    {
      TestKit::DialogScript boxes;
      boxes.Expect("Get data not complete");
      TestKit::Click(f->AddBtn);
    }
    Control("release");
    EXPECT_TRUE(WaitIdle(f, 2));
    bool canClose = true;
    f->FormCloseQuery(nullptr, canClose);
    EXPECT_TRUE(canClose);
  });
}

}  // namespace
