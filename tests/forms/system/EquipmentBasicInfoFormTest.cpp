// The equipment information form against the simulated switch: opened
// through its menu opener, one synchronous read, the fixed capacity text,
// Refresh, and a failed read reported in the memo.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PagesTestSupport.h"
#include "forms/system/EquipmentBasicInfoFormUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/Buttons.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

constexpr const char* kEquipment = "1.3.6.1.4.1.171.12.11.1";

class EquipmentForm : public PagesDeviceTest {
 protected:
  // Opens the form as the menu does and runs `script` while it is modal.
  void Open(std::function<void(TEquipmentBasicInfoForm*)> script) {
    const TFormOpener opener = FindFormOpener("TEquipmentBasicInfoForm");
    ASSERT_NE(opener, nullptr);
    TestKit::OnNextModal<TEquipmentBasicInfoForm>([script](TEquipmentBasicInfoForm* f) {
      EXPECT_EQ(EquipmentBasicInfoForm, f);
      script(f);
      f->Close();
    });
    opener(Application, "Equipment Basic Information: 127.0.0.1");
    EXPECT_EQ(EquipmentBasicInfoForm, nullptr);
  }
};

TEST_F(EquipmentForm, OpensWithOneReadShowingTopologyAndTheFixedCapacity) {
  Control(std::string("set ") + kEquipment + ".9.5.0 i 3");
  Open([this](TEquipmentBasicInfoForm* f) {
    EXPECT_EQ(f->Caption(), "Equipment Basic Information: 127.0.0.1");
    const std::vector<std::string> log = NewLog();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_NE(log[0].find("\tGET\tnoError"), std::string::npos) << log[0];
    EXPECT_NE(log[0].find(std::string(kEquipment) + ".1.0="), std::string::npos) << log[0];
    EXPECT_NE(log[0].find(std::string(kEquipment) + ".9.5.0="), std::string::npos) << log[0];
    EXPECT_EQ(f->cbxTopology->Text(), "duplex-ring");
    EXPECT_FALSE(f->cbxTopology->Enabled());
    EXPECT_EQ(f->Edit1->Text(), "Fan, Redundant Power");
    EXPECT_FALSE(f->bbtnSet->Visible());
    EXPECT_FALSE(f->bbtnSet->Enabled());
    for (TControl* hidden : std::vector<TControl*>{f->Edit2, f->Edit3, f->Edit4, f->cbxStackMode})
      EXPECT_FALSE(hidden->Visible()) << hidden->Name().str();
    EXPECT_EQ(MemoText(f->Memo1).rfind("Get: Ok! Receive at ", 0), 0u) << MemoText(f->Memo1);
    EXPECT_FALSE(f->Request->AsyncMode);
    EXPECT_TRUE(TestKit::Grab(f, vntest::ArtifactsDir() + "/form-EquipmentBasicInfo.png"));
  });
}

TEST_F(EquipmentForm, RefreshReadsAgainAndAFailureGoesToTheMemo) {
  Open([this](TEquipmentBasicInfoForm* f) {
    Control(std::string("set ") + kEquipment + ".9.5.0 i 4");
    TestKit::Click(f->BitBtn1);
    EXPECT_EQ(f->cbxTopology->Text(), "star");
    Control(std::string("inject get ") + kEquipment + " genErr");
    TestKit::Click(f->BitBtn1);
    const TMemo* memo = f->Memo1;
    ASSERT_EQ(memo->Lines()->Count(), 3);
    const std::string last = memo->Lines()->Strings(2).str();
    EXPECT_EQ(last.rfind("Get: ", 0), 0u) << last;
    EXPECT_EQ(last.find("Ok!"), std::string::npos) << last;
    EXPECT_FALSE(f->Request->Busy);
    // The fixed text is not replaced by a read.
    EXPECT_EQ(f->Edit1->Text(), "Fan, Redundant Power");
  });
}

}  // namespace

namespace {

// Of the forms here the equipment and probe forms scale with the screen; the
// log-save form keeps its size.
TEST_F(EquipmentForm, ScalesOnAScreenOtherThan96PixelsPerInch) {
  int width = 0, height = 0;
  Open([&](TEquipmentBasicInfoForm* f) {
    width = f->Width();
    height = f->Height();
  });
  TestKit::SetPixelsPerInch(120);
  Open([&](TEquipmentBasicInfoForm* f) {
    EXPECT_EQ(f->Width(), static_cast<int>(width * 1.25));
    EXPECT_EQ(f->Height(), static_cast<int>(height * 1.25));
  });
}

}  // namespace
