// The Trust Host Table page against the simulated switch, under a real
// pointer on an X server: a drag over the rows leaves the row pressed drawn
// selected, and Delete destroys that row on the switch, no other.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ListOnScreen.h"
#include "PagesTestSupport.h"
#include "catalogue/DeviceMib.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/GUIConfigForm.h"
#include "pages/GUIGenerator.h"
#include "platform/Buttons.h"
#include "platform/ComCtrls.h"
#include "support/OnOwnXServer.h"
#include "support/TestSupport.h"

namespace {

using namespace listscreen;

constexpr const char* kTrustHost = "1.3.6.1.4.1.171.12.1.2.10.1.1";
enum { kIndex, kAddress, kStatus, kMask };

class ListPagePointer : public vntest::OnOwnXServer<PagesDeviceTest> {
 protected:
  void TearDown() override {
    if (page_.Form) {
      page_.Form->Close();
      delete page_.Form;
    }
    OnOwnXServer::TearDown();
  }
  // The page as the menu opens it, over the switch's trust hosts.
  void OpenTrustHosts() {
    page_ = MakeListPage(TrustHostTableVars, VnItemType::MVT_UMV, 1, kStatus, "createAndGo",
                         kStatus, "destroy");
    page_.Form->SetCaption("Trust Host Table : 127.0.0.1");
    TestKit::ShowAndActivate(page_.Form);
    ASSERT_TRUE(PumpUntil([this] { return page_.Form->CurrentRequest() != nullptr; }));
    ASSERT_TRUE(WaitIdle(*page_.Request));
    Settle();
  }
  TListView* List() const { return page_.List->ListViewPanel->ListView; }
  TCtrlBtnPanel* Buttons() const { return page_.List->BtnPanel; }
  // A press on `from`, moves over `over`, the release on the last of them.
  static void Drag(const Step& from, const std::vector<Step>& over) {
    Do(from);
    Do(Press());
    for (const Step& step : over) Do(step);
    Do(Release());
    Do(OffTheWindows());
  }

  Page page_;
};

TEST_F(ListPagePointer, DeleteDestroysTheTrustHostDrawnSelectedAfterADrag) {
  for (int i = 2; i <= 8; ++i) {
    const std::string row = std::to_string(i);
    Control(std::string("set ") + kTrustHost + ".2." + row + " a 10.90.90." + row);
    Control(std::string("set ") + kTrustHost + ".3." + row + " i 1");
  }
  OpenTrustHosts();
  ASSERT_EQ(List()->Items()->Count(), 8);

  // Pressed below the rows and dragged up onto the first: nothing chosen.
  Drag(OnControl(List(), 40, TestKit::RowRect(List(), 7).Bottom + 30),
       {OnRow(List(), 4), OnRow(List(), 0)});
  EXPECT_EQ(List()->Selected(), nullptr);
  EXPECT_EQ(RowsDrawnSelected(List()), std::vector<int>{});
  EXPECT_FALSE(Buttons()->DeleteBtn->Enabled());
  EXPECT_FALSE(Buttons()->EditBtn->Enabled());

  // Pressed on the first row and dragged down to the fifth.
  Drag(OnRow(List(), 0), {OnRow(List(), 2), OnRow(List(), 4)});
  const std::vector<int> drawn = RowsDrawnSelected(List());
  ASSERT_EQ(drawn.size(), 1u);
  EXPECT_EQ(drawn, SelectedInSight(List()));
  EXPECT_TRUE(Buttons()->DeleteBtn->Enabled());
  const std::string index = List()->Items()->Item(drawn[0])->Caption().str();

  {
    TestKit::DialogScript boxes;
    boxes.Expect("Are you sure to delete it?", mrOk);
    TBitBtn* del = Buttons()->DeleteBtn;
    Drag(OnControl(del, del->Width() / 2, del->Height() / 2), {});
  }
  ASSERT_EQ(SetLines().size(), 1u);
  EXPECT_NE(SetLines()[0].find(std::string(kTrustHost) + ".3." + index + "=INTEGER:6"),
            std::string::npos)
      << SetLines()[0] << " (the row drawn selected is " << index << ")";
  EXPECT_EQ(Value(std::string(kTrustHost) + ".2." + index), "noSuchInstance");
  EXPECT_EQ(List()->Items()->Count(), 7);
  TestKit::Grab(page_.Form, vntest::ArtifactsDir() + "/trust-host-after-delete.png");
}

}  // namespace
