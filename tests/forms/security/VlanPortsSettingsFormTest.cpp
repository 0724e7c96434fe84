// The guest VLAN and MAC-based access control forms against the simulated
// switch: an unchanged name is left out of the SET, the delete action, and
// the order of the MAC-based form's two SETs.
#include <memory>

#include "PagesTestSupport.h"
#include "forms/security/GuestVlanFormUnit.h"
#include "forms/security/MBAControlUnit.h"
#include "library/VnErrors.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "pages/StackingPortUitFormUnit.h"
#include "platform/Classes.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"

namespace {

const std::string kGuest = "1.3.6.1.4.1.171.12.30.1.";
const std::string kMba = "1.3.6.1.4.1.171.12.35.1.";

template <class T>
class VlanFormTest : public PagesDeviceTest {
 protected:
  void Open() {
    form_.reset(Create<T>(Application));
    TestKit::ShowAndActivate(form_.get());
  }
  void TearDown() override {
    if (form_) {
      TCloseAction action = caFree;
      form_->FormClose(form_.get(), action);
    }
    form_.reset();
    PagesDeviceTest::TearDown();
  }
  TCheckBox* Port(int port) const {
    return static_cast<TCheckBox*>(form_->PortFrame->PortCheckBoxes->Items(port - 1));
  }
  std::string Panel() const { return form_->StatusBar1->Panels()->Items(0)->Text().str(); }
  bool LogHas(const std::string& line, const std::string& what) const {
    return line.find(what) != std::string::npos;
  }

  std::unique_ptr<T> form_;
};

using GuestVlanFormTest = VlanFormTest<TGuestVlanForm>;
using MbaControlFormTest = VlanFormTest<TMBAControlForm>;

TEST_F(GuestVlanFormTest, ShowsTheGuestVlanAndLeavesAnUnchangedNameOut) {
  Control("set " + kGuest + "1.0 s guests");
  Control("set " + kGuest + "2.0 x 80000000");
  Open();
  EXPECT_EQ(form_->edtName->Text(), "guests");
  EXPECT_EQ(form_->Edit1->Text(), "guests");
  EXPECT_FALSE(form_->Edit1->Visible());
  EXPECT_TRUE(Port(1)->Checked());
  EXPECT_FALSE(Port(2)->Checked());
  EXPECT_NE(Panel().find("Ok!"), std::string::npos) << Panel();
  EXPECT_EQ(form_->SettingsRequest->Request.Timeout, 300u);
  EXPECT_TRUE(TestKit::Grab(form_.get(), vntest::ArtifactsDir() + "/form-GuestVlan.png"));

  Port(2)->SetChecked(true);
  TestKit::Click(form_->SetBtn);
  std::vector<std::string> sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_NE(sets[0].find(kGuest + "2.0=Hex-STRING:C0 00 00 00"), std::string::npos) << sets[0];
  EXPECT_EQ(sets[0].find(kGuest + "1.0"), std::string::npos) << sets[0];
  EXPECT_EQ(form_->SettingsRequest->Request.VarList.Item(0)->Access, 6u);

  // A changed name goes with the ports; the copy follows the device.
  form_->edtName->SetText("visitors");
  TestKit::Click(form_->SetBtn);
  sets = SetLines();
  ASSERT_EQ(sets.size(), 2u);
  EXPECT_NE(sets[1].find(kGuest + "1.0=STRING:\"visitors\""), std::string::npos) << sets[1];
  EXPECT_NE(sets[1].find(kGuest + "2.0="), std::string::npos) << sets[1];
  EXPECT_EQ(form_->Edit1->Text(), "visitors");
}

// An empty name is written always, as the empty string it is, beside the
// ports as the switch holds them.
TEST_F(GuestVlanFormTest, AnEmptyNameOnTheDeviceIsAlwaysWritten) {
  Control("set " + kGuest + "1.0 s \"\"");
  Control("set " + kGuest + "2.0 x FF81");
  Open();
  EXPECT_EQ(form_->Edit1->Text(), "");
  TestKit::Click(form_->SetBtn);
  const std::vector<std::string> sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  for (const std::string& sent :
       {std::string("\tnoError\t"), kGuest + "1.0=STRING:\"\"", kGuest + "2.0=Hex-STRING:FF 81"})
    EXPECT_NE(sets[0].find(sent), std::string::npos) << sent << " in " << sets[0];
}

TEST_F(GuestVlanFormTest, DeleteStartsTheActionAndReadsAgain) {
  Open();
  EXPECT_EQ(form_->cbxDel->Text(), "");  // not read on opening
  TestKit::Click(form_->DelBtn);
  const std::vector<std::string> sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_NE(sets[0].find(kGuest + "3.0=INTEGER:2"), std::string::npos) << sets[0];
  EXPECT_NE(NewLog().back().find("GET"), std::string::npos) << NewLog().back();
  EXPECT_EQ(form_->cbxDel->Text(), "start");
}

TEST_F(GuestVlanFormTest, AFailedSetRestoresTheNameAccessAndKeepsWhatWasTyped) {
  Open();
  form_->edtName->SetText("typed");
  Control("inject set " + kGuest.substr(0, kGuest.size() - 1) + " genErr");
  TestKit::Click(form_->SetBtn);
  EXPECT_EQ(form_->SettingsRequest->Request.VarList.Item(0)->Access, 6u);
  // Nothing is read over the name typed; the refusal is the last word.
  EXPECT_EQ(form_->edtName->Text(), "typed");
  EXPECT_NE(NewLog().back().find("SET"), std::string::npos) << NewLog().back();
  EXPECT_EQ(Panel().find("Ok!"), std::string::npos) << Panel();
}

// A Refresh whose name-and-ports read and delete-state read both fail ends
// with the later failure in the status line, whichever error each one had.
TEST_F(GuestVlanFormTest, TwoFailedReadsOfARefreshLeaveTheLastFailureInTheStatusLine) {
  const struct {
    const char* settings;  // the device's answer to the name and ports
    const char* deletion;  // and to the delete state
    int lastNumber;
  } cases[] = {{"genErr", "noAccess", VNERR_NO_ACCESS}, {"noAccess", "genErr", VNERR_GEN_ERR}};
  Open();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.deletion);
    Control("inject get " + kGuest + "2 " + c.settings);
    Control("inject get " + kGuest + "3 " + c.deletion);
    TestKit::Click(form_->BT_Get);
    const std::string last = "Get: " + ErrorText(c.lastNumber).str();
    EXPECT_EQ(Panel().rfind(last, 0), 0u) << Panel();
  }
}

TEST_F(MbaControlFormTest, ReadsEveryGroupAndWritesVlanThenGlobal) {
  Control("set " + kMba + "1.0 i 2");
  Control("set " + kMba + "3.0 s secret");
  Control("set " + kMba + "4.0 s mba");
  Open();
  EXPECT_EQ(form_->Cbox_State->Text(), "enabled");
  EXPECT_EQ(form_->Cbox_Method->Text(), "local");
  EXPECT_EQ(form_->edtPassWord->Text(), "secret");
  EXPECT_EQ(form_->edtName->Text(), "mba");
  EXPECT_EQ(form_->Edit1->Text(), "mba");
  EXPECT_EQ(form_->cbxDel->Text(), "none");
  EXPECT_TRUE(TestKit::Grab(form_.get(), vntest::ArtifactsDir() + "/form-MBAControl.png"));

  form_->Cbox_Method->SetItemIndex(1);
  Port(4)->SetChecked(true);
  TestKit::Click(form_->SetBtn);
  const std::vector<std::string> sets = SetLines();
  ASSERT_EQ(sets.size(), 2u);
  EXPECT_NE(sets[0].find(kMba + "5.0="), std::string::npos) << sets[0];
  EXPECT_EQ(sets[0].find(kMba + "4.0"), std::string::npos) << sets[0];
  EXPECT_NE(sets[1].find(kMba + "2.0=INTEGER:2"), std::string::npos) << sets[1];
  EXPECT_NE(sets[1].find(kMba + "3.0=STRING:\"secret\""), std::string::npos) << sets[1];
  // What was written is read again: the fields show what the switch holds.
  EXPECT_NE(NewLog().back().find("\tGET\t"), std::string::npos) << NewLog().back();
}

// An empty VLAN name and password go back as the empty strings they are.
TEST_F(MbaControlFormTest, EmptyNameAndPasswordGoBackAsEmptyStrings) {
  Control("set " + kMba + "3.0 s \"\"");
  Control("set " + kMba + "4.0 s \"\"");
  Open();
  form_->Cbox_State->SetItemIndex(1);
  TestKit::Click(form_->SetBtn);
  std::string sent;
  for (const std::string& line : SetLines()) {
    EXPECT_NE(line.find("\tnoError\t"), std::string::npos) << line;
    sent += line;
  }
  for (const std::string& empty : {kMba + "3.0=STRING:\"\"", kMba + "4.0=STRING:\"\""})
    EXPECT_NE(sent.find(empty), std::string::npos) << empty << " in " << sent;
}

TEST_F(MbaControlFormTest, AFailedVlanSetStopsTheWriteAndStaysTheLastWord) {
  Open();
  form_->Cbox_State->SetItemIndex(1);
  Control("inject set " + kMba + "5 genErr");
  TestKit::Click(form_->SetBtn);
  EXPECT_EQ(Value(kMba + "1.0"), "INTEGER:1");  // the global state was not written
  EXPECT_EQ(SetLines().size(), 1u);
  EXPECT_NE(form_->StatusBar1->DisplayedText().Pos("General Error"), 0)
      << form_->StatusBar1->DisplayedText().str();
  EXPECT_EQ(form_->SettingsRequest->Request.VarList.Item(0)->Access, 6u);

  TestKit::Click(form_->DelBtn);
  EXPECT_NE(SetLines().back().find(kMba + "7.0=INTEGER:2"), std::string::npos);
}

TEST(VlanSettingsOpeners, MenuOpenersShowTheForms) {
  for (const char* name : {"TGuestVlanForm", "TMBAControlForm"})
    EXPECT_NE(FindFormOpener(name), nullptr) << name;
}

}  // namespace
