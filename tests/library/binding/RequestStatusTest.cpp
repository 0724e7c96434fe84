// Get and Set of a bound request against the simulated switch: the status
// lines in a memo, a status bar and a status panel, SNMP errors, timeouts,
// the message box without a status target, and the done events.
#include <string>
#include <vector>

#include "SimulatorFixture.h"
#include "library/VnErrors.h"
#include "library/VnMessageTables.h"
#include "library/VnSNMPRequest2Edits.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"

namespace {

using namespace simdesc;

// Counts the hooks a Get and a Set run.
class CountingEdits : public VnSNMPRequest2Edits {
 public:
  using VnSNMPRequest2Edits::VnSNMPRequest2Edits;
  int begins = 0, rows = 0, ends = 0, setEnds = 0;

 protected:
  void DoGetBegin() override {
    ++begins;
    VnSNMPRequest2Edits::DoGetBegin();
  }
  void DoGetRow() override {
    ++rows;
    VnSNMPRequest2Edits::DoGetRow();
  }
  void DoGetEnd() override {
    ++ends;
    VnSNMPRequest2Edits::DoGetEnd();
  }
  void DoSetEnd() override { ++setEnds; }
};

class StatusTest : public SimulatorTest {
 protected:
  void SetUp() override {
    SimulatorTest::SetUp();
    memo = Add<TMemo>(300, 0);
    request = std::make_unique<CountingEdits>(Form());
    request->Request.VarList = VnSNMPVarList(SystemGroup, VnItemType::SVT_SV, 0);
    request->Request.VarList.Description = "System";
    request->OnGetDone = [this](VnSNMPRequest2Controls* sender, const VnSNMPError& e) {
      EXPECT_EQ(sender, request.get());
      done.push_back("get " + std::to_string(e.Number) + " " + LastLine());
    };
    request->OnSetDone = [this](VnSNMPRequest2Controls*, const VnSNMPError& e) {
      done.push_back("set " + std::to_string(e.Number) + " " + LastLine());
    };
  }
  void TearDown() override {
    request.reset();
    SimulatorTest::TearDown();
  }
  std::string LastLine() const {
    const int n = memo->Lines()->Count();
    return n ? memo->Lines()->Strings(n - 1).str() : std::string();
  }
  // The status line without its time.
  static std::string Head(const std::string& line) {
    EXPECT_TRUE(EndsWithReceiveTime(line)) << line;
    const std::size_t at = line.find(" Receive at ");
    return at == std::string::npos ? line : line.substr(0, at);
  }
  AnsiString& Value(int item) { return *request->Request.VarList.Item(item)->Value; }

  TMemo* memo = nullptr;
  std::unique_ptr<CountingEdits> request;
  std::vector<std::string> done;
};

TEST_F(StatusTest, SynchronousGetAndSetShowValuesAndStatusLines) {
  auto* descr = Add<TLabel>();
  auto* upTime = Add<TStaticText>(0, 20);
  auto* name = Add<TEdit>(0, 40);
  auto* location = Add<TEdit>(0, 70);
  request->AsyncMode = false;
  request->SetStatusMemo(memo);
  request->BindLabel(kSysDescr, descr);
  request->BindStaticText(kSysUpTime, upTime);
  request->BindEdits(kSysName, "%s{l64}", name);
  request->BindEdits(kSysLocation, "%s{l64}", location);
  request->Get();
  EXPECT_FALSE(request->Busy);
  EXPECT_EQ(request->RowCount, 1u);
  EXPECT_EQ(descr->Caption(), "KXR-5810 Gigabit Ethernet Switch");
  EXPECT_EQ(name->Text(), "KXR-5810");
  EXPECT_NE(upTime->Caption().Pos(":"), 0);
  EXPECT_EQ(Head(LastLine()), "Get: Ok! Request:System.");

  name->SetText("core-7");
  location->SetText("rack 4");
  request->Set(kSetFromControls);
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_NE(sets[0].find("1.3.6.1.2.1.1.5.0=STRING:\"core-7\""), std::string::npos) << sets[0];
  EXPECT_NE(sets[0].find("1.3.6.1.2.1.1.6.0=STRING:\"rack 4\""), std::string::npos) << sets[0];
  EXPECT_EQ(Head(LastLine()), "Set: Ok! Request:System.");
  EXPECT_EQ(request->setEnds, 1);
  EXPECT_EQ(Sim().Control("get 1.3.6.1.2.1.1.5.0"), "ok STRING:\"core-7\"");
  // A scalar list is not read again by Set, and no event fires synchronously.
  EXPECT_EQ(request->begins, 1);
  EXPECT_TRUE(done.empty());
}

TEST_F(StatusTest, AsynchronousGetInAStatusBarAndAStatusPanel) {
  auto* bar = Add<TStatusBar>();
  bar->SetSimplePanel(true);
  auto* name = Add<TLabel>();
  request->BindLabel(kSysName, name);
  request->SetStatusBar(bar);
  request->Request.VarList.Description = "";
  request->Get();
  EXPECT_TRUE(request->Busy);
  ASSERT_TRUE(WaitIdle(*request));
  EXPECT_EQ(name->Caption(), "KXR-5810");
  EXPECT_EQ(Head(bar->SimpleText().str()), "Get: Ok!");
  ASSERT_EQ(done.size(), 1u);
  EXPECT_EQ(done[0].rfind("get 0 ", 0), 0u);

  bar->SetSimplePanel(false);
  bar->Panels()->Add();
  TStatusPanel* panel = bar->Panels()->Add();
  request->SetStatusPanel(panel);
  request->Request.VarList.Description = "System";
  request->Set(kSetListValues);
  ASSERT_TRUE(WaitIdle(*request));
  EXPECT_EQ(Head(panel->Text().str()), "Set: Ok! Request:System.");
  EXPECT_EQ(bar->Panels()->Items(0)->Text(), "");
  EXPECT_EQ(done.size(), 2u);
}

TEST_F(StatusTest, SnmpErrorsInTheStatusLineAndAsExceptions) {
  request->SetStatusMemo(memo);
  auto* name = Add<TEdit>();
  request->BindEdits(kSysName, "%s", name);
  name->SetText(AnsiString::StringOfChar('n', 70));  // longer than the device takes
  request->Set(kSetFromControls);
  ASSERT_TRUE(WaitIdle(*request));
  EXPECT_EQ(Head(LastLine()),
            "Set: (SNMP) Cannot create/set variable, Wrong Length! Request:System.");
  ASSERT_EQ(done.size(), 1u);
  EXPECT_EQ(done[0].rfind("set -108 ", 0), 0u);
  EXPECT_EQ(request->setEnds, 0);

  Control("inject get 1.3.6.1.2.1.1 genErr");
  request->Get();
  ASSERT_TRUE(WaitIdle(*request));
  EXPECT_EQ(Head(LastLine()),
            "Get: (SNMP) Cannot perform operation, General Error! Request:System.");
  EXPECT_EQ(request->ends, 0);
  EXPECT_EQ(done.size(), 2u);

  // The read that failed left no value: the name is typed again.
  EXPECT_EQ(name->Text(), "");
  name->SetText(AnsiString::StringOfChar('n', 70));
  request->AsyncMode = false;
  try {
    request->Set(kSetFromControls);
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message, "(SNMP) Cannot create/set variable, Wrong Length!");
    EXPECT_EQ(e.HelpContext, VNERR_WRONG_LENGTH);
  }
  EXPECT_FALSE(request->Busy);
}

// An agent that answers a SET with noError but an exception where the value
// was written has set nothing: the Set fails as for a variable that does not
// exist, synchronously and asynchronously.
TEST_F(StatusTest, AnExceptionInTheSetReplyIsTheFailureOfTheSet) {
  request->SetStatusMemo(memo);
  auto* name = Add<TEdit>();
  request->BindEdits(kSysName, "%s{l64}", name);
  for (const bool async : {true, false}) {
    for (const char* exception : {"noSuchObject", "noSuchInstance", "endOfMibView"}) {
      SCOPED_TRACE(std::string(exception) + (async ? " async" : " sync"));
      done.clear();
      request->AsyncMode = async;
      name->SetText("renamed");
      Control(std::string("inject set 1.3.6.1.2.1.1.5 ") + exception);
      if (async) {
        request->Set(kSetFromControls);
        ASSERT_TRUE(WaitIdle(*request));
        EXPECT_EQ(Head(LastLine()), "Set: (SNMP) Variable does not exist! Request:System.");
        ASSERT_EQ(done.size(), 1u);
        EXPECT_EQ(done[0].rfind("set -102 ", 0), 0u) << done[0];
      } else {
        try {
          request->Set(kSetFromControls);
          ADD_FAILURE() << "no exception";
        } catch (const Exception& e) {
          EXPECT_EQ(e.Message, "(SNMP) Variable does not exist!");
          EXPECT_EQ(e.HelpContext, VNERR_NOSUCHNAME);
        }
        EXPECT_TRUE(done.empty());
      }
      EXPECT_FALSE(request->Busy);
      EXPECT_EQ(request->setEnds, 0);
      // The agent answered as asked, and set nothing.
      const std::vector<std::string> sets = SetLines();
      ASSERT_FALSE(sets.empty());
      EXPECT_NE(sets.back().find("\tnoError\t"), std::string::npos) << sets.back();
      EXPECT_NE(sets.back().find("1.3.6.1.2.1.1.5.0=" + std::string(exception)), std::string::npos)
          << sets.back();
      EXPECT_EQ(Sim().Control("get 1.3.6.1.2.1.1.5.0"), "ok STRING:\"KXR-5810\"");
    }
  }
}

// noSuchName ends a version 1 walk, but a SET answered with it was refused,
// also where the answer names the instance at which the last walk of that
// column ended.
TEST_F(StatusTest, ANoSuchNameAnswerToATableSetIsItsFailure) {
  VnSNMPRequest2Edits vlans(Form());
  vlans.Request.VarList = VnSNMPVarList(StaticVlans, VnItemType::MVT_FMV, 1);
  vlans.Request.Security.Version = 0;
  vlans.SetStatusMemo(memo);
  vlans.Get();
  ASSERT_TRUE(WaitIdle(vlans));
  ASSERT_EQ(vlans.RowCount, 1u);
  ASSERT_EQ(*vlans.Request.VarList.Item(kVlanName)->LastOid, "1.3.6.1.2.1.17.7.1.4.3.1.1.1");
  Control("inject set 1.3.6.1.2.1.17.7.1.4.3.1.1 noSuchName");
  *vlans.Request.VarList.Item(kVlanId)->Value = "1";
  *vlans.Request.VarList.Item(kVlanName)->Value = "office";
  vlans.Set(kSetListValuesThenRead, "1");
  ASSERT_TRUE(WaitIdle(vlans));
  EXPECT_EQ(Head(LastLine()), "Set: (SNMP) Variable does not exist!");
  ASSERT_EQ(SetLines().size(), 1u);
  EXPECT_NE(SetLines()[0].find("\tnoSuchName\t1\t"), std::string::npos) << SetLines()[0];
}

TEST_F(StatusTest, TimeoutWithAndWithoutDescription) {
  Control("mute");
  request->Request.Timeout = 20;
  request->Request.Retries = 0;
  request->SetStatusMemo(memo);
  request->Get();
  ASSERT_TRUE(WaitIdle(*request));
  EXPECT_EQ(Head(LastLine()), "Get: (SNMPClass) SNMP request timed out! Request:System.");
  request->Request.VarList.Description = "";
  request->Get();
  ASSERT_TRUE(WaitIdle(*request));
  EXPECT_EQ(Head(LastLine()), "Get: (SNMPClass) SNMP request timed out!");
  ASSERT_EQ(done.size(), 2u);
  EXPECT_EQ(done[1].rfind("get -405 ", 0), 0u);

  request->AsyncMode = false;
  EXPECT_THROW(request->Get(), Exception);
  EXPECT_FALSE(request->Busy);
}

TEST_F(StatusTest, WithoutStatusTargetErrorsGoToAMessageBox) {
  Control("mute");
  request->Request.Timeout = 20;
  request->Request.Retries = 0;
  TestKit::DialogScript boxes;
  boxes.Expect("(SNMPClass) SNMP request timed out!");
  request->Get();
  ASSERT_TRUE(WaitIdle(*request));
  // The box opens once the completion has returned to the loop.
  for (int waited = 0; waited < 5000 && boxes.Shown().empty(); waited += 10) PumpFor(10);
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].request.caption, ProgramName());
  EXPECT_EQ(boxes.Shown()[0].request.kind, TDialogRequest::MessageBoxABox);
  // The error is announced; a success without a status target is not.
  EXPECT_EQ(done.size(), 1u);
  Control("unmute");
  request->Get();
  ASSERT_TRUE(WaitIdle(*request));
  EXPECT_EQ(request->ends, 1);
  EXPECT_EQ(done.size(), 1u);

  // A target of another class gets nothing, and no box either.
  auto* label = Add<TLabel>();
  request->StatusTarget = label;
  Control("mute");
  request->Get();
  ASSERT_TRUE(WaitIdle(*request));
  EXPECT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(label->Caption(), "");
}

// A box the completion of a failed read asks for opens once the completion
// has returned: while it is open another request's reply is taken.
TEST_F(StatusTest, AnErrorBoxOfACompletionLetsOtherRepliesInWhileItIsOpen) {
  CountingEdits other(Form());
  other.Request.VarList = VnSNMPVarList(SystemGroup, VnItemType::SVT_SV, 0);
  other.SetStatusMemo(memo);
  request->Request.Timeout = 20;
  request->Request.Retries = 0;
  // The box stays open until the other request's read has come back.
  struct OpenUntilTheOtherReads : IDialogService {
    CountingEdits* other = nullptr;
    std::vector<std::string> texts;
    bool otherRead = false;
    int Show(const TDialogRequest& box) override {
      texts.push_back(box.text.str());
      other->Get();
      otherRead = WaitIdle(*other, 3000) && other->ends == 1;
      return IDOK;
    }
  } boxes;
  boxes.other = &other;
  IDialogService* previous = SetDialogService(&boxes);
  Control("drop 1");
  request->Get();
  for (int waited = 0; waited < 5000 && boxes.texts.empty(); waited += 10) PumpFor(10);
  SetDialogService(previous);
  EXPECT_EQ(boxes.texts, std::vector<std::string>{"(SNMPClass) SNMP request timed out!"});
  EXPECT_TRUE(boxes.otherRead);
}

// A box asked for in a completion opens once the loop turns again; a
// request gone by then (its form closed in the completion) opens none.
TEST_F(StatusTest, TheBoxOfARequestGoneBeforeTheLoopTurnsIsNotOpened) {
  struct Counting : IDialogService {
    int shown = 0;
    int Show(const TDialogRequest&) override { return ++shown, IDOK; }
  } boxes;
  IDialogService* previous = SetDialogService(&boxes);
  request->Request.Timeout = 20;
  request->Request.Retries = 0;
  request->OnGetDone = [this](VnSNMPRequest2Controls*, const VnSNMPError&) { request.reset(); };
  Control("drop 1");
  request->Get();
  for (int waited = 0; waited < 5000 && request; waited += 10) PumpFor(10);
  PumpFor(50);
  SetDialogService(previous);
  EXPECT_FALSE(request);
  EXPECT_EQ(boxes.shown, 0);
}

// Stop ends what runs; it does not keep the next Get or Set from going out,
// and each of them ends as any other.
TEST_F(StatusTest, AGetOrSetAfterAStopGoesOutAndEnds) {
  request->SetStatusMemo(memo);
  int idle = 0;
  request->OnIdle = [&](VnSNMPRequest2Controls*) { ++idle; };
  request->Stop();
  EXPECT_EQ(idle, 0);  // it was idle: nothing ended
  request->Get();
  EXPECT_TRUE(request->Busy);
  ASSERT_TRUE(WaitIdle(*request));
  request->Stop();
  request->Set(kSetListValues, AnsiString(kSysContact));
  ASSERT_TRUE(WaitIdle(*request));
  EXPECT_EQ(request->begins, 1);
  EXPECT_EQ(request->ends, 1);
  EXPECT_EQ(request->setEnds, 1);
  EXPECT_EQ(idle, 2);
  ASSERT_EQ(done.size(), 2u);
  EXPECT_EQ(Head(done[0].substr(done[0].find("Get:"))), "Get: Ok! Request:System.");
  EXPECT_EQ(Head(done[1].substr(done[1].find("Set:"))), "Set: Ok! Request:System.");
}

TEST_F(StatusTest, ReplacedFormatsKeepWhatTheyCannotDrop) {
  g_MessageTables[MT_STATUS_FORMAT].Replace({"[VARLIST] read: [ERROR] at [TIME]", "[ERROR]"});
  request->SetStatusMemo(memo);
  request->Request.VarList.Description = "";
  request->ShowRequestStatus("Ok!");
  EXPECT_EQ(LastLine().substr(0, 20), "[VARLIST] read: Ok! ");
  request->StatusKind = STATUS_KIND_SET;
  request->ShowRequestStatus("done");
  EXPECT_EQ(LastLine(), "done");
}

}  // namespace
