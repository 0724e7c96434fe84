// Values the switch holds that a security form does not show or would not
// let the user type, against the simulated switch: none of the form's
// checks judges them while the user changes another field, and the write
// sends them back unchanged with the field the user changed.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "PagesTestSupport.h"
#include "forms/security/SSLManagementTable.h"
#include "forms/security/SafeguardCtrlFormUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"

namespace {

const std::string kSsl = "1.3.6.1.4.1.171.12.7.1.";
const std::string kSafeguard = "1.3.6.1.4.1.171.12.19.2.";

// One form: what the switch holds, the form opened, what the user changes
// and the write (ended when it returns), and what the SET must carry.
struct TLeftAlone {
  const char* Name;
  std::vector<std::string> Seed;
  std::function<TForm*()> Open;
  std::function<void(TForm*)> ChangeAndWrite;
  std::vector<std::string> Sent;
};

class LeftAloneValues : public OwnedFormTest {
 protected:
  static TForm* OpenSsl() {
    auto* form = Shown<TSSLManagementForm>();
    EXPECT_TRUE(WaitIdle(*form->Request));
    return form;
  }
  static void SetSsl(TForm* f) {
    auto* form = static_cast<TSSLManagementForm*>(f);
    TestKit::Click(form->btnSet);
    EXPECT_TRUE(WaitIdle(*form->Request));
  }
};

TEST_F(LeftAloneValues, NeitherJudgedNorChangedByTheWriteOfAnotherField) {
  const std::vector<TLeftAlone> forms = {
      {"SSL Management: cipher bits the boxes do not show, the SSL state changed",
       {"set " + kSsl + "1.0 i 3", "set " + kSsl + "2.0 x A5"},
       OpenSsl,
       [](TForm* f) {
         TestKit::PickItem(static_cast<TSSLManagementForm*>(f)->cbxSSLVersion, 0);  // disabled
         SetSsl(f);
       },
       {kSsl + "1.0=INTEGER:2", kSsl + "2.0=Hex-STRING:A5"}},
      {"SSL Management: cipher bits the boxes do not show, the third suite switched off",
       {"set " + kSsl + "2.0 x A5"},
       OpenSsl,
       [](TForm* f) {
         auto* form = static_cast<TSSLManagementForm*>(f);
         EXPECT_EQ(form->cbxciphersuites3->Text(), "enabled");
         TestKit::PickItem(form->cbxciphersuites3, 0);  // disabled
         SetSsl(f);
       },
       {kSsl + "2.0=Hex-STRING:85"}},
      {"SSL Management: cipher suites of two octets, the SSL state changed",
       {"set " + kSsl + "1.0 i 3", "set " + kSsl + "2.0 x F0F0"},
       OpenSsl,
       [](TForm* f) {
         auto* form = static_cast<TSSLManagementForm*>(f);
         EXPECT_EQ(form->cbxciphersuites1->Text(), "enabled");
         TestKit::PickItem(form->cbxSSLVersion, 0);  // disabled
         SetSsl(f);
       },
       {kSsl + "1.0=INTEGER:2", kSsl + "2.0=Hex-STRING:F0 F0"}},
      {"Safeguard Control: a rising threshold above the range, ticked and left alone",
       {"set " + kSafeguard + "1.0 i 150", "set " + kSafeguard + "2.0 i 60"},
       [] { return Shown<TSafeguardCtrlForm>(); },
       [](TForm* f) {
         auto* form = static_cast<TSafeguardCtrlForm*>(f);
         TestKit::Click(form->ckRising);
         TestKit::Click(form->btnSet);
       },
       {kSafeguard + "1.0=INTEGER:150"}},
      {"Safeguard Control: a falling threshold below the range, ticked and left alone",
       {"set " + kSafeguard + "1.0 i 80", "set " + kSafeguard + "2.0 i 10"},
       [] { return Shown<TSafeguardCtrlForm>(); },
       [](TForm* f) {
         auto* form = static_cast<TSafeguardCtrlForm*>(f);
         TestKit::Click(form->ckFalling);
         TestKit::Click(form->btnSet);
       },
       {kSafeguard + "2.0=INTEGER:10"}},
      {"Safeguard Control: thresholds out of order, only Mode ticked and changed",
       {"set " + kSafeguard + "1.0 i 30", "set " + kSafeguard + "2.0 i 60",
        "set " + kSafeguard + "3.0 i 1"},
       [] { return Shown<TSafeguardCtrlForm>(); },
       [](TForm* f) {
         auto* form = static_cast<TSafeguardCtrlForm*>(f);
         TestKit::Click(form->ckMode);
         TestKit::PickItem(form->cbxMode, 1);  // fuzzy
         TestKit::Click(form->btnSet);
       },
       {kSafeguard + "3.0=INTEGER:2"}},
  };
  for (const TLeftAlone& t : forms) {
    SCOPED_TRACE(t.Name);
    for (const std::string& command : t.Seed) Control(command);
    const std::size_t before = SetLines().size();
    form_.reset(t.Open());  // a box fails the test
    t.ChangeAndWrite(form_.get());
    const std::vector<std::string> sets = SetLines();
    ASSERT_EQ(sets.size(), before + 1);
    for (const std::string& sent : t.Sent)
      EXPECT_NE(sets.back().find(sent), std::string::npos) << sent << " in " << sets.back();
    form_.reset();
  }
}

}  // namespace
