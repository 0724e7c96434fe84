// The IP access profile form against the simulated switch: the first read,
// the columns an Add writes by mask state, options and protocol type, the
// input checks before anything is sent, Delete, and a failed SET.
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "PagesTestSupport.h"
#include "catalogue/AclMib.h"
#include "forms/acl/IPMaskInformationFormUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/Buttons.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

const std::string kColumn = "1.3.6.1.4.1.171.12.9.2.2.1.";

// The columns (item + 1) of the varbinds of a SET line on row `row`.
std::set<int> ColumnsOf(const std::string& line, int row) {
  std::set<int> columns;
  std::istringstream in(line);
  for (std::string field; std::getline(in, field, '\t');) {
    if (field.rfind(kColumn, 0) != 0) continue;
    const std::string rest = field.substr(kColumn.size());
    const std::string suffix = "." + std::to_string(row) + "=";
    const auto at = rest.find(suffix);
    if (at != std::string::npos) columns.insert(std::stoi(rest.substr(0, at)));
  }
  return columns;
}

class IPMaskFormTest : public PagesDeviceTest {
 protected:
  void Open() {
    form_.reset(Create<TIPMaskInformationForm>(Application));
    TestKit::ShowAndActivate(form_.get());
  }
  void TearDown() override {
    if (form_) {
      form_->Hide();
      form_.reset();
    }
    PagesDeviceTest::TearDown();
  }
  std::unique_ptr<TIPMaskInformationForm> form_;
};

TEST_F(IPMaskFormTest, OpensWithTheProfilesAndThePresets) {
  Open();
  ASSERT_EQ(form_->ListView1->Items()->Count(), 1);
  EXPECT_EQ(form_->ListView1->Items()->Item(0)->Caption(), "1");
  EXPECT_TRUE(form_->BT_Add->Enabled());
  EXPECT_FALSE(form_->BT_Delete->Enabled());
  EXPECT_FALSE(form_->SetBtn->Visible());
  const std::pair<TComboBox*, const char*> presets[] = {
      {form_->VlanComboBox, "enabled"},
      {form_->IpAddMaskStateComboBox, "other"},
      {form_->UseDSCPComBo, "disabled"},
      {form_->UseProTypeComBo, "none"},
      {form_->IcmpComboBox, "none"},
      {form_->IgmpComboBox, "disable"},
      {form_->TCPOptionComBo, "other"},
      {form_->UDPOptionComBo, "other"},
      {form_->TCPFlagBitOptionComBo, "disable"},
      {form_->ProOptionComBo, "disable"},
      {form_->RowStatusComBo, "createAndGo"},
      {form_->OwnerComboBox, "acl"},
  };
  for (const auto& [combo, text] : presets) EXPECT_EQ(combo->Text(), text) << combo->Name().str();
  EXPECT_EQ(form_->IPIDEdit->Text(), "");
  EXPECT_FALSE(form_->Request->AsyncMode);
  EXPECT_FALSE(form_->OwnerComboBox->Enabled());
  EXPECT_FALSE(form_->EntriesEdit->Enabled());
  EXPECT_TRUE(FindFormOpener("TIPMaskInformationForm") != nullptr);
  EXPECT_TRUE(TestKit::Grab(form_.get(), vntest::ArtifactsDir() + "/form-IPMaskInformation.png"));
}

TEST_F(IPMaskFormTest, TcpProfileWritesOnlyTheColumnsItUses) {
  Open();
  form_->IPIDEdit->SetText("5");
  form_->UseProTypeComBo->SetItemIndex(3);  // tcp
  form_->TCPOptionComBo->SetItemIndex(1);   // dst-addr
  form_->TCPUDPDstPortMaskEdit->SetText("00ff");
  TestKit::Click(form_->BT_Add);
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_NE(sets[0].find("\tnoError\t"), std::string::npos) << sets[0];
  // Items 1, 5, 6, 9, 12, 13 and 18 are columns 2, 6, 7, 10, 13, 14 and 19.
  EXPECT_EQ(ColumnsOf(sets[0], 5), (std::set<int>{2, 6, 7, 10, 13, 14, 19})) << sets[0];
  EXPECT_NE(sets[0].find(kColumn + "19.5=INTEGER:4"), std::string::npos);
  ASSERT_EQ(form_->ListView1->Items()->Count(), 2);
  EXPECT_EQ(form_->ListView1->Items()->Item(1)->Caption(), "5");
  EXPECT_NE(Value(kColumn + "13.5").find("FF"), std::string::npos) << Value(kColumn + "13.5");
  // Every item has its catalogue access word again.
  for (int i = 0; IPMaskInformationVars[i].Oid; ++i)
    EXPECT_EQ(form_->Request->Request.VarList.Item(i)->Access, IPMaskInformationVars[i].Access)
        << i;
  EXPECT_EQ(form_->IPIDEdit->Text(), "");
}

TEST_F(IPMaskFormTest, ProtocolTypeNoneAndMaskStateOtherWriteOnlyTheFlagsAndRowStatus) {
  Open();
  form_->IPIDEdit->SetText("7");
  form_->TCPOptionComBo->SetItemIndex(1);  // left over: "none" leaves every option out
  form_->TCPUDPDstPortMaskEdit->SetText("00ff");
  form_->IpAddMaskSrcEdit->SetText("255.255.0.0");
  TestKit::Click(form_->BT_Add);
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_EQ(ColumnsOf(sets[0], 7), (std::set<int>{2, 6, 19})) << sets[0];
}

TEST_F(IPMaskFormTest, AddChecksStopBeforeAnythingIsSent) {
  Open();
  {
    TestKit::DialogScript boxes;
    boxes.Expect("IP Mask ID must be set.");
    TestKit::Click(form_->BT_Add);
  }
  {
    TestKit::DialogScript boxes;
    boxes.Expect("There is already a record with the same IP Mask ID. Please modified it.");
    form_->IPIDEdit->SetText("1");
    TestKit::Click(form_->BT_Add);
    EXPECT_EQ(form_->ActiveControl(), form_->IPIDEdit);
  }
  {
    TestKit::DialogScript boxes;
    boxes.Expect("Please input a valid value");
    form_->IPIDEdit->SetText("9");
    form_->UseProTypeComBo->SetItemIndex(5);  // protocolId
    form_->ProtoIDEdit->SetText("256");
    TestKit::Click(form_->BT_Add);
    EXPECT_EQ(form_->ActiveControl(), form_->ProtoIDEdit);
  }
  {
    TestKit::DialogScript boxes;
    boxes.Expect("Invalid Mask!");
    form_->ProtoIDEdit->SetText("6");
    form_->ProOptionComBo->SetItemIndex(0);  // enable
    form_->ProIDMaskEdit->SetText("FFFF00");
    TestKit::Click(form_->BT_Add);
  }
  {
    TestKit::DialogScript boxes;
    boxes.Expect("Please input a valid ip");
    form_->ProIDMaskEdit->SetText("");
    form_->IpAddMaskStateComboBox->SetItemIndex(3);  // dst-src-ip-addr
    form_->IpAddMaskSrcEdit->SetText("00.255.0.0");
    TestKit::Click(form_->BT_Add);
    EXPECT_EQ(form_->ActiveControl(), form_->IpAddMaskSrcEdit);
  }
  {
    TestKit::DialogScript boxes;
    boxes.Expect("Row Status must be createAndGo.");
    form_->IpAddMaskSrcEdit->SetText("255.255.0.0");
    form_->RowStatusComBo->SetItemIndex(0);
    TestKit::Click(form_->BT_Add);
    EXPECT_EQ(form_->ActiveControl(), form_->RowStatusComBo);
  }
  EXPECT_TRUE(SetLines().empty());
}

TEST_F(IPMaskFormTest, DeleteSendsOnlyTheIndexAndDestroy) {
  Open();
  TestKit::ClickRow(form_->ListView1, 0);
  EXPECT_TRUE(form_->BT_Delete->Enabled());
  EXPECT_FALSE(form_->BT_Add->Enabled());
  EXPECT_FALSE(form_->IPIDEdit->Enabled());
  EXPECT_TRUE(form_->SetBtn->Enabled());
  TestKit::Click(form_->BT_Delete);
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_EQ(ColumnsOf(sets[0], 1), (std::set<int>{19})) << sets[0];
  EXPECT_NE(sets[0].find(kColumn + "19.1=INTEGER:6"), std::string::npos);
  EXPECT_EQ(form_->ListView1->Items()->Count(), 0);
  EXPECT_TRUE(form_->BT_Add->Enabled());
  EXPECT_FALSE(form_->BT_Delete->Enabled());
}

TEST_F(IPMaskFormTest, AFailedAddRestoresTheAccessWordsAndShowsTheError) {
  Open();
  Control("inject set 1.3.6.1.4.1.171.12.9.2.2.1 genErr");
  form_->IPIDEdit->SetText("8");
  TestKit::Click(form_->BT_Add);
  for (int i = 0; IPMaskInformationVars[i].Oid; ++i)
    EXPECT_EQ(form_->Request->Request.VarList.Item(i)->Access, IPMaskInformationVars[i].Access)
        << i;
  ASSERT_GE(form_->StatusBar1->Panels()->Count(), 1);
  EXPECT_FALSE(form_->StatusBar1->Panels()->Items(0)->Text().IsEmpty());
  EXPECT_EQ(form_->ListView1->Items()->Count(), 1);
  EXPECT_TRUE(form_->BT_Add->Enabled());
  EXPECT_EQ(form_->IPIDEdit->Text(), "8");  // kept for a correction
}

// A Delete writes the index and the row status alone. Refused, the list
// read again after it shows every column as the switch holds it (the
// switch's dump unchanged): none of those the Delete left out is empty.
TEST_F(IPMaskFormTest, ARefusedDeleteReadsEveryColumnAgain) {
  Open();
  const std::string table = kColumn.substr(0, kColumn.size() - 1);
  const auto cells = [this] {
    TListItem* row = form_->ListView1->Items()->Item(0);
    std::vector<std::string> all{row->Caption().str()};
    for (int i = 0; i < row->SubItems()->Count(); ++i)
      all.push_back(row->SubItems()->Strings(i).str());
    return all;
  };
  ASSERT_EQ(form_->ListView1->Items()->Count(), 1);
  const std::vector<std::string> read = cells();
  const std::string held = Sim().Control("dump " + table);
  TestKit::ClickRow(form_->ListView1, 0);
  Control("inject set " + table + " genErr");
  const std::size_t mark = NewLog().size();
  TestKit::Click(form_->BT_Delete);
  ASSERT_TRUE(WaitIdle(*form_->Request));
  EXPECT_GT(CountLog("GETNEXT", mark), 0);
  EXPECT_EQ(Sim().Control("dump " + table), held);
  ASSERT_EQ(form_->ListView1->Items()->Count(), 1);
  EXPECT_EQ(cells(), read);
}

}  // namespace
