// The port-security entry delete form against the simulated switch: the
// global port number shown as unit and port, the deletion SET, and the
// input checks in their order.
#include <memory>

#include "PagesTestSupport.h"
#include "forms/security/PortSercurityDeleteFormUnit.h"
#include "pages/FormOpeners.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"

namespace {

const std::string kBase = "1.3.6.1.4.1.171.11.101.1.2.7.2.";

class PortSecurityDeleteFormTest : public PagesDeviceTest {
 protected:
  void Open() {
    form_.reset(Create<TPrtSecDelCtrlForm>(Application));
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
  void Fill(const char* vlan, const char* port, const char* mac) {
    form_->edtVlan->SetText(vlan);
    form_->PortEdit->SetText(port);
    form_->edtMac->SetText(mac);
  }
  // Set expecting exactly one message box with this text.
  void SetExpecting(const char* message) {
    TestKit::DialogScript boxes;
    boxes.Expect(message);
    TestKit::Click(form_->btnSet);
  }
  std::string Panel() const { return form_->StatusBar1->Panels()->Items(0)->Text().str(); }

  std::unique_ptr<TPrtSecDelCtrlForm> form_;
};

TEST_F(PortSecurityDeleteFormTest, ReadShowsTheGlobalPortAsUnitAndPort) {
  Control("set " + kBase + "2.0 i 33");
  Open();
  EXPECT_EQ(form_->edtVlan->Text(), "default");
  EXPECT_EQ(form_->edtPort->Text(), "33");
  EXPECT_EQ(form_->UnitEdit->Text(), "2");
  EXPECT_EQ(form_->PortEdit->Text(), "1");
  EXPECT_EQ(form_->cbxOper->Text(), "none");
  EXPECT_NE(Panel().find("Get: Ok!"), std::string::npos) << Panel();
  ASSERT_EQ(form_->SecurityEreaseLockUnitInfoList.size(), 1u);
  EXPECT_EQ(form_->SecurityEreaseLockUnitInfoList[0].PortCount, 10);

  Control("set " + kBase + "2.0 i 0");
  TestKit::Click(form_->btnRefresh);
  EXPECT_EQ(form_->UnitEdit->Text(), "0");
  EXPECT_EQ(form_->PortEdit->Text(), "0");

  EXPECT_TRUE(TestKit::Grab(form_.get(), vntest::ArtifactsDir() + "/form-PrtSecDelCtrl.png"));
}

TEST_F(PortSecurityDeleteFormTest, SetSendsOneDeletionOnUnitOne) {
  Control("set " + kBase + "2.0 i 33");
  Open();  // shows unit 2, port 1; the Set still uses unit 1
  Fill("v20", "10", "00055e0000Aa");
  TestKit::Click(form_->btnSet);
  const std::vector<std::string> sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_NE(sets[0].find(kBase + "1.0=STRING:\"v20\""), std::string::npos) << sets[0];
  EXPECT_NE(sets[0].find(kBase + "2.0=INTEGER:10"), std::string::npos) << sets[0];
  EXPECT_NE(sets[0].find(kBase + "3.0=Hex-STRING:00 05 5E 00 00 AA"), std::string::npos) << sets[0];
  EXPECT_NE(sets[0].find(kBase + "4.0=INTEGER:2"), std::string::npos) << sets[0];
  EXPECT_EQ(form_->UnitEdit->Text(), "1");
  EXPECT_NE(Panel().find("Set: Ok!"), std::string::npos) << Panel();
  // No read follows the deletion.
  ASSERT_FALSE(NewLog().empty());
  EXPECT_NE(NewLog().back().find("\tSET\t"), std::string::npos) << NewLog().back();
}

TEST_F(PortSecurityDeleteFormTest, InputChecksInOrderSendNothing) {
  Open();
  Fill("", "99", "xyz");
  SetExpecting("You should input VLAN name.");
  Fill("v1", "11", "xyz");
  SetExpecting("You should input valid port.");
  EXPECT_EQ(form_->UnitEdit->Text(), "0");
  EXPECT_EQ(form_->PortEdit->Text(), "0");
  Fill("v1", "x", "00055E000001");
  SetExpecting("You should input valid port.");
  Fill("v1", "3", "00055E00000");  // eleven digits
  SetExpecting("You should input valid MAC address.");
  Fill("v1", "3", "00055E00000G");
  SetExpecting("You should input valid MAC address.");
  EXPECT_TRUE(SetLines().empty());
}

// What the switch holds and the user left alone is no input: an empty VLAN
// name and a port of unit 2 go back as they are with the MAC address typed.
TEST_F(PortSecurityDeleteFormTest, UntouchedVlanAndPortGoBackAsHeld) {
  Control("set " + kBase + "1.0 s \"\"");
  Control("set " + kBase + "2.0 i 33");
  Open();
  form_->edtMac->SetText("00055E000001");
  TestKit::Click(form_->btnSet);  // a message box fails the test
  const std::vector<std::string> sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_NE(sets[0].find(kBase + "1.0=STRING:\"\""), std::string::npos) << sets[0];
  EXPECT_NE(sets[0].find(kBase + "2.0=INTEGER:33"), std::string::npos) << sets[0];
  EXPECT_NE(sets[0].find(kBase + "3.0=Hex-STRING:00 05 5E 00 00 01"), std::string::npos) << sets[0];
}

TEST_F(PortSecurityDeleteFormTest, DeviceRefusalGoesToTheStatusPanel) {
  Open();
  Fill("v1", "3", "00055E000001");
  Control("inject set " + kBase.substr(0, kBase.size() - 1) + " genErr");
  TestKit::Click(form_->btnSet);
  EXPECT_EQ(Panel().rfind("Set: ", 0), 0u) << Panel();
  EXPECT_EQ(Panel().find("Ok!"), std::string::npos) << Panel();
}

TEST_F(PortSecurityDeleteFormTest, MenuOpenerShowsTheForm) {
  const TFormOpener opener = FindFormOpener("TPrtSecDelCtrlForm");
  ASSERT_NE(opener, nullptr);
  bool shown = false;
  TestKit::OnNextModal<TPrtSecDelCtrlForm>([&](TPrtSecDelCtrlForm* f) {
    shown = true;
    EXPECT_EQ(PrtSecDelCtrlForm, f);
    EXPECT_EQ(f->Caption(), "Port Security Delete: 127.0.0.1");
    f->Close();
  });
  opener(Application, "Port Security Delete: 127.0.0.1");
  EXPECT_TRUE(shown);
  EXPECT_EQ(PrtSecDelCtrlForm, nullptr);
}

}  // namespace
