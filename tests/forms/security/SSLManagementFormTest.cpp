// The SSL management form against the simulated switch: the cipher octet
// decoded into the four suite boxes after each read, encoded back on Set,
// and the empty-field check.
#include <memory>

#include "PagesTestSupport.h"
#include "forms/security/SSLManagementTable.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"

namespace {

const std::string kCiphers = "1.3.6.1.4.1.171.12.7.1.2.0";

class SSLManagementFormTest : public PagesDeviceTest {
 protected:
  void Open() {
    form_.reset(Create<TSSLManagementForm>(Application));
    TestKit::ShowAndActivate(form_.get());
    ASSERT_TRUE(WaitIdle(*form_->Request));
  }
  void Refresh() {
    TestKit::Click(form_->btnGet);
    ASSERT_TRUE(WaitIdle(*form_->Request));
  }
  void TearDown() override {
    if (form_) {
      TCloseAction action = caFree;
      form_->FormClose(form_.get(), action);
    }
    form_.reset();
    PagesDeviceTest::TearDown();
  }
  // The suite boxes as "0"/"1" per box, "-" for no choice.
  std::string Suites() const {
    std::string s;
    for (TComboBox* b : {form_->cbxciphersuites1, form_->cbxciphersuites2, form_->cbxciphersuites3,
                         form_->cbxciphersuites4})
      s += b->ItemIndex() < 0 ? '-' : static_cast<char>('0' + b->ItemIndex());
    return s;
  }
  std::string Panel() const { return form_->StatusBar1->Panels()->Items(0)->Text().str(); }

  std::unique_ptr<TSSLManagementForm> form_;
};

TEST_F(SSLManagementFormTest, OpensWithTheSuitesOfTheCipherOctet) {
  Open();
  EXPECT_EQ(form_->cbxSSLVersion->Text(), "enabled");
  EXPECT_EQ(form_->edtCacheTimeOut->Text(), "600");
  EXPECT_EQ(form_->edtciphersuites->Text(), "A0");
  EXPECT_EQ(Suites(), "1010");  // A0: the first and third suites
  EXPECT_NE(Panel().find("Get: Ok!"), std::string::npos) << Panel();

  EXPECT_TRUE(TestKit::Grab(form_.get(), vntest::ArtifactsDir() + "/form-SSLManagement.png"));
}

TEST_F(SSLManagementFormTest, EveryReadDecodesTheFirstDigitOnly) {
  Open();
  // What the switch holds, as the hidden text shows it, and the boxes. Of
  // more than one octet the first digit is shown all the same; no value
  // shows no suite: what the read said, not what an earlier read left.
  const struct {
    const char* held;
    const char* text;
    const char* suites;
  } reads[] = {
      {"10", "10", "0001"},     {"5F", "5F", "0101"}, {"0F81", "0F81", "0000"},
      {"F0F0", "F0F0", "1111"}, {"\"\"", "", "----"}, {"F0F0", "F0F0", "1111"},
  };
  for (const auto& r : reads) {
    SCOPED_TRACE(r.held);
    Control("set " + kCiphers + " x " + r.held);
    Refresh();
    EXPECT_EQ(form_->edtciphersuites->Text(), r.text);
    EXPECT_EQ(Suites(), r.suites);
  }
  // Boxes the user did not switch: Set sends the suites back as read.
  TestKit::Click(form_->btnSet);
  ASSERT_TRUE(WaitIdle(*form_->Request));
  ASSERT_EQ(SetLines().size(), 1u);
  EXPECT_NE(SetLines()[0].find(kCiphers + "=Hex-STRING:F0 F0"), std::string::npos) << SetLines()[0];
  // A failed read leaves them too, with the error in the bar.
  Control("set " + kCiphers + " x F0");
  Control("inject get 1.3.6.1.4.1.171.12.7.1 genErr");
  Refresh();
  EXPECT_EQ(Suites(), "1111");
  EXPECT_EQ(Panel().rfind("Get: ", 0), 0u) << Panel();
  EXPECT_EQ(Panel().find("Ok!"), std::string::npos) << Panel();
}

TEST_F(SSLManagementFormTest, SetEncodesTheBoxesIntoOneSet) {
  Open();
  for (TComboBox* b : {form_->cbxciphersuites1, form_->cbxciphersuites2, form_->cbxciphersuites3,
                       form_->cbxciphersuites4})
    b->SetItemIndex(0);
  TestKit::Click(form_->btnSet);
  ASSERT_TRUE(WaitIdle(*form_->Request));
  EXPECT_EQ(form_->edtciphersuites->Text(), "00");
  ASSERT_EQ(SetLines().size(), 1u);
  EXPECT_NE(SetLines()[0].find("1.3.6.1.4.1.171.12.7.1.1.0=INTEGER:3"), std::string::npos);
  EXPECT_NE(SetLines()[0].find("1.3.6.1.4.1.171.12.7.1.3.0=Gauge32:600"), std::string::npos);
  EXPECT_EQ(Value(kCiphers), "Hex-STRING:00");
  EXPECT_NE(Panel().find("Set: Ok!"), std::string::npos) << Panel();

  for (TComboBox* b : {form_->cbxciphersuites1, form_->cbxciphersuites2, form_->cbxciphersuites3,
                       form_->cbxciphersuites4})
    b->SetItemIndex(1);
  TestKit::Click(form_->btnSet);
  ASSERT_TRUE(WaitIdle(*form_->Request));
  EXPECT_EQ(Value(kCiphers), "Hex-STRING:F0");
  // No read follows a Set of a scalar group.
  ASSERT_FALSE(NewLog().empty());
  EXPECT_NE(NewLog().back().find("\tSET\t"), std::string::npos) << NewLog().back();
}

// Refresh while the read runs starts no second read beside it; one more
// read follows it.
TEST_F(SSLManagementFormTest, RefreshWhileAReadRunsIsOneMoreReadAfterIt) {
  Open();
  EXPECT_EQ(ExchangesOfTwoClicks(form_->btnGet, *form_->Request, "GET"), 2);
  EXPECT_EQ(Suites(), "1010");
}

TEST_F(SSLManagementFormTest, EmptyFieldStopsSet) {
  Open();
  form_->edtCacheTimeOut->SetText("");
  TestKit::DialogScript boxes;
  boxes.Expect("Some items are empty.");
  TestKit::Click(form_->btnSet);
  boxes.Verify();
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].request.kind, TDialogRequest::MessageDlgBox);
  EXPECT_TRUE(SetLines().empty());
}

// A read that failed brought no suites: they are absent, not empty fields,
// and stay out of the write of what the user chose and typed.
TEST_F(SSLManagementFormTest, SuitesAFailedReadDidNotBringStayOutOfTheSet) {
  Control("inject get 1.3.6.1.4.1.171.12.7.1 genErr");
  Open();
  EXPECT_EQ(Suites(), "----");
  TestKit::PickItem(form_->cbxSSLVersion, 0);
  form_->edtCacheTimeOut->SetText("600");
  TestKit::Click(form_->btnSet);
  ASSERT_TRUE(WaitIdle(*form_->Request));
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u) << Panel();
  EXPECT_EQ(sets[0].find(kCiphers), std::string::npos) << sets[0];
  EXPECT_NE(sets[0].find("1.3.6.1.4.1.171.12.7.1.1.0="), std::string::npos) << sets[0];
  EXPECT_NE(sets[0].find("1.3.6.1.4.1.171.12.7.1.3.0=Gauge32:600"), std::string::npos) << sets[0];
}

TEST_F(SSLManagementFormTest, ClosingDuringAReadWaitsForItsEnd) {
  Open();
  Control("delay 300");
  Control("set " + kCiphers + " x 10");
  TestKit::Click(form_->btnGet);
  ASSERT_TRUE(form_->Request->Busy);
  TCloseAction action = caFree;
  form_->FormClose(form_.get(), action);
  EXPECT_EQ(form_->Request, nullptr);
  // The read in flight ended (and was shown) before the request went.
  EXPECT_EQ(Suites(), "0001");
  form_.reset();
  Control("delay 0");
}

TEST_F(SSLManagementFormTest, OpensLargerOnAHundredAndTwentyDotsPerInch) {
  std::unique_ptr<TSSLManagementForm> normal(Create<TSSLManagementForm>(Application));
  TestKit::SetPixelsPerInch(120);
  Open();
  EXPECT_EQ(form_->Width(), static_cast<int>(normal->Width() * 1.25));
  EXPECT_EQ(form_->Height(), static_cast<int>(normal->Height() * 1.25));
  TCloseAction action = caFree;
  normal->FormClose(normal.get(), action);
}

TEST_F(SSLManagementFormTest, MenuOpenerShowsTheForm) {
  const TFormOpener opener = FindFormOpener("TSSLManagementForm");
  ASSERT_NE(opener, nullptr);
  bool shown = false;
  TestKit::OnNextModal<TSSLManagementForm>([&](TSSLManagementForm* f) {
    shown = true;
    EXPECT_EQ(SSLManagementForm, f);
    EXPECT_EQ(f->Caption(), "SSL Management: 127.0.0.1");
    f->Close();
  });
  opener(Application, "SSL Management: 127.0.0.1");
  EXPECT_TRUE(shown);
  EXPECT_EQ(SSLManagementForm, nullptr);
}

}  // namespace
