// Forms whose Refresh, or whose opening, reads several requests into one
// status line, against the simulated switch: a read the device answers with
// genErr leaves its error as the last word of that line, also when the reads
// after it succeed and write "Ok!" there; a Refresh whose every read
// succeeds shows "Ok!" again.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "PagesTestSupport.h"
#include "forms/security/GuestVlanFormUnit.h"
#include "forms/security/MBAControlUnit.h"
#include "platform/Classes.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "platform/TestKit.h"

namespace {

// The library's text for a request answered with genErr.
constexpr const char* kGenErr = "(SNMP) Cannot perform operation, General Error!";

const std::string kGuest = "1.3.6.1.4.1.171.12.30.1.";
const std::string kMba = "1.3.6.1.4.1.171.12.35.1.";

// One form: how it opens (shown, its first reads over), how its Refresh is
// pressed, where its status line is, and how it closes.
struct TReadingForm {
  std::function<TForm*()> Open;
  std::function<void(TForm*)> Refresh;
  std::function<std::string(TForm*)> StatusLine;
  std::function<void(TForm*)> Close;
};

template <class T>
TReadingForm VlanPortsForm() {
  return {[] {
            T* form = Create<T>(Application);
            TestKit::ShowAndActivate(form);
            return static_cast<TForm*>(form);
          },
          [](TForm* f) { TestKit::Click(static_cast<T*>(f)->BT_Get); },
          [](TForm* f) { return static_cast<T*>(f)->StatusBar1->DisplayedText().str(); },
          [](TForm* f) {
            TCloseAction action = caFree;
            static_cast<T*>(f)->FormClose(f, action);
            delete f;
          }};
}

// One read that fails: the form, the read, the prefix whose next GET the
// device answers with genErr, and whether it is one of the form's first
// reads or of a Refresh.
struct TFailedRead {
  const char* Name;
  const TReadingForm* Form;
  std::string Prefix;
  bool OnOpening;
};

class FailedReadStatus : public PagesDeviceTest {};

TEST_F(FailedReadStatus, TheFailureStaysTheLastWordOfTheStatusLine) {
  const TReadingForm guest = VlanPortsForm<TGuestVlanForm>();
  const TReadingForm mba = VlanPortsForm<TMBAControlForm>();
  // Opening reads the name copy, then the name and ports. A Refresh reads
  // the name and ports, the name copy, then the delete state; its name copy
  // cannot fail alone (the read before it asks for the same name).
  // MAC-based access control opens with the name copy, the global settings,
  // the name and ports and the delete state; a Refresh reads the name and
  // ports, the delete state, the name copy (again not alone) and the global
  // settings.
  const std::vector<TFailedRead> reads = {
      {"guest VLAN, opening: name copy", &guest, kGuest + "1", true},
      {"guest VLAN, opening: name and ports", &guest, kGuest + "2", true},
      {"guest VLAN, Refresh: name and ports", &guest, kGuest + "2", false},
      {"guest VLAN, Refresh: delete state", &guest, kGuest + "3", false},
      {"MAC-based access, opening: name copy", &mba, kMba + "4", true},
      {"MAC-based access, opening: global settings", &mba, kMba + "1", true},
      {"MAC-based access, opening: name and ports", &mba, kMba + "5", true},
      {"MAC-based access, opening: delete state", &mba, kMba + "7", true},
      {"MAC-based access, Refresh: name and ports", &mba, kMba + "5", false},
      {"MAC-based access, Refresh: delete state", &mba, kMba + "7", false},
      {"MAC-based access, Refresh: global settings", &mba, kMba + "1", false},
  };

  for (const TFailedRead& r : reads) {
    SCOPED_TRACE(r.Name);
    Control("reset");
    const std::size_t mark = NewLog().size();
    if (r.OnOpening) Control("inject get " + r.Prefix + " genErr");
    TForm* form = r.Form->Open();
    if (!r.OnOpening) {
      Control("inject get " + r.Prefix + " genErr");
      r.Form->Refresh(form);
    }

    // One GET was answered genErr, the one of the prefix.
    const std::vector<std::string> log = NewLog();
    int failed = 0;
    for (std::size_t i = mark; i < log.size(); ++i) {
      if (log[i].find("\tGET\tgenErr") == std::string::npos) continue;
      ++failed;
      EXPECT_NE(log[i].find(r.Prefix + "."), std::string::npos) << log[i];
    }
    EXPECT_EQ(failed, 1);
    const std::string line = r.Form->StatusLine(form);
    EXPECT_EQ(line.rfind(std::string("Get: ") + kGenErr, 0), 0u) << line;
    EXPECT_EQ(line.find("Ok!"), std::string::npos) << line;

    r.Form->Refresh(form);
    const std::string again = r.Form->StatusLine(form);
    EXPECT_EQ(again.rfind("Get: Ok!", 0), 0u) << again;
    r.Form->Close(form);
  }
}

}  // namespace
