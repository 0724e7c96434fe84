// Values the switch holds that a system form does not list or would not let
// the user type, against the simulated switch: none of the form's checks
// judges them while the user changes another field or writes the form as it
// stands, and the write sends them back unchanged.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "PagesTestSupport.h"
#include "forms/common/FeatureForm.h"
#include "forms/system/LogHostEditUnit.h"
#include "forms/system/LogSaveControlSetting.h"
#include "forms/system/SystemLogHostUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"

namespace {

const std::string kHost = "1.3.6.1.4.1.171.12.12.2.1.";
const std::string kLogSave = "1.3.6.1.4.1.171.12.12.3.";

// One form: what the switch holds, the form opened, what the user changes
// and the write (ended when it returns), and what the switch holds then.
struct TLeftAlone {
  const char* Name;
  std::vector<std::string> Seed;
  std::function<TForm*()> Open;
  std::function<void(TForm*)> ChangeAndWrite;
  std::vector<std::pair<std::string, std::string>> Held;
};

class LeftAloneValues : public OwnedFormTest {
 protected:
  static TForm* OpenLogHosts() {
    auto* form = Shown<TSystemLogHostForm>();
    EXPECT_TRUE(WaitIdle(*form->Request));
    return form;
  }
  static void EditSeverity(TForm* f) {
    auto* form = static_cast<TSystemLogHostForm*>(f);
    // The dialog writes through the list form it finds in its global.
    struct Listed {
      explicit Listed(TSystemLogHostForm* list) { SystemLogHostForm = list; }
      ~Listed() { SystemLogHostForm = nullptr; }
    } listed(form);
    TestKit::ClickRow(form->ListView1, 0);
    TestKit::OnNextModal<TLogHostEditForm>([](TLogHostEditForm* d) {
      EXPECT_EQ(d->PortEdit->Text(), "4000000");
      TestKit::PickItem(d->SevComboBox, 1);  // warning
      TestKit::Click(d->SetButton);
      if (d->Visible()) d->Close();  // refused: no write
    });
    TestKit::Click(form->EditButton);
    EXPECT_EQ(TestKit::PendingModalScripts(), 0);
    EXPECT_TRUE(WaitIdle(*form->Request));
  }
};

TEST_F(LeftAloneValues, NeitherJudgedNorChangedByTheWriteOfTheForm) {
  const std::vector<TLeftAlone> forms = {
      {"Log Host: a UDP port and an address outside the rules, the severity changed",
       {"set " + kHost + "5.1 i 4000000", "set " + kHost + "2.1 a 127.0.0.1",
        "set " + kHost + "4.1 i 1"},
       OpenLogHosts,
       EditSeverity,
       {{kHost + "5.1", "INTEGER:4000000"},
        {kHost + "2.1", "IpAddress:127.0.0.1"},
        {kHost + "4.1", "INTEGER:2"}}},
      {"Log Save Control: a method the list does not name, written as it stands",
       {"set " + kLogSave + "1.0 i 5", "set " + kLogSave + "2.0 i 30"},
       [] { return Shown<TLogSaveControlForm>(); },
       [](TForm* f) { TestKit::Click(static_cast<TLogSaveControlForm*>(f)->btnSet); },
       {{kLogSave + "1.0", "INTEGER:5"}, {kLogSave + "2.0", "INTEGER:30"}}},
  };
  for (const TLeftAlone& t : forms) {
    SCOPED_TRACE(t.Name);
    for (const std::string& command : t.Seed) Control(command);
    form_.reset(t.Open());
    t.ChangeAndWrite(form_.get());  // a box fails the test
    for (const auto& [oid, value] : t.Held) EXPECT_EQ(Value(oid), value) << oid;
    form_.reset();
  }
}

}  // namespace
