// Message boxes: captions, buttons, answers, exceptions, and the responder.
#include <functional>

#include "UiTestSupport.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/Files.h"
#include "platform/StdCtrls.h"

namespace {

class Dialogs : public UiTest {};

TEST_F(Dialogs, CaptionsAndButtonsPerCall) {
  Application->SetTitle("KXR-5800-10");
  TestKit::DialogScript boxes;
  boxes.Expect("No parameter input")
      .Expect("Are you sure to delete it?", mrCancel)
      .Expect("Some items are empty!")
      .Expect("bad\nvalue", IDOK);
  ShowMessage("No parameter input");
  EXPECT_EQ(MessageDlg("Are you sure to delete it?", mtConfirmation, mbOK | mbCancel, 0), mrCancel);
  EXPECT_EQ(MessageDlg("Some items are empty!", mtWarning, mbOKCancel & mbOK, 0), mrOk);
  AnsiString exe = ExtractFileName(Application->ExeName());
  EXPECT_EQ(MessageBoxA(nullptr, "bad\nvalue", exe.c_str(), MB_OK), IDOK);
  const auto& shown = boxes.Shown();
  ASSERT_EQ(shown.size(), 4u);
  EXPECT_EQ(shown[0].request.caption, "KXR-5800-10");
  EXPECT_EQ(shown[1].request.caption, "Confirm");
  EXPECT_EQ(shown[1].request.buttons, mbOK | mbCancel);
  EXPECT_EQ(shown[2].request.caption, "Warning");
  EXPECT_EQ(shown[3].request.caption, exe);
  EXPECT_EQ(shown[3].request.kind, TDialogRequest::MessageBoxABox);
}

TEST_F(Dialogs, EscapeAnswers) {
  EXPECT_EQ(EscapeResult(mbOK | mbCancel), mrCancel);
  EXPECT_EQ(EscapeResult(mbYes | mbNo), mrNo);
  EXPECT_EQ(EscapeResult(mbOK), mrOk);
}

TEST_F(Dialogs, TheResponderFailsOnUnexpectedAndMissingBoxes) {
  TestKit::SetFailureReporter(nullptr);
  {
    TestKit::DialogScript boxes;
    boxes.Expect("first").Expect("never");
    ShowMessage("other");
  }
  {
    TestKit::DialogScript boxes;
    ShowMessage("surprise");
  }
  TestKit::SetFailureReporter([](const std::string& m) { ADD_FAILURE() << m; });
  auto failures = TestKit::TakeFailures();
  ASSERT_EQ(failures.size(), 3u);
  EXPECT_NE(failures[0].find("\"other\" where \"first\""), std::string::npos);
  EXPECT_NE(failures[1].find("never"), std::string::npos);
  EXPECT_NE(failures[2].find("surprise"), std::string::npos);
}

TEST_F(Dialogs, AnUnscriptedBoxFailsTheTestAtOnceAndGetsItsDefaultAnswer) {
  Application->SetTitle("KXR-5800-10");
  // A box the toolkit itself shows would wait for a user: close it.
  bool toolkitBox = false;
  TTimer t(nullptr);
  t.SetInterval(30);
  t.OnTimer = [&](TObject*) { toolkitBox = TestKit::DismissActiveBox(true) || toolkitBox; };
  TestKit::SetFailureReporter(nullptr);
  EXPECT_EQ(MessageDlg("Are you sure to delete it?", mtConfirmation, mbYes | mbNo, 0), mrYes);
  ShowMessage("Done.");
  TestKit::SetFailureReporter([](const std::string& m) { ADD_FAILURE() << m; });
  EXPECT_FALSE(toolkitBox);
  auto failures = TestKit::TakeFailures();
  ASSERT_EQ(failures.size(), 2u);
  EXPECT_NE(failures[0].find("\"Confirm\": \"Are you sure to delete it?\""), std::string::npos)
      << failures[0];
  EXPECT_NE(failures[1].find("\"KXR-5800-10\": \"Done.\""), std::string::npos) << failures[1];
}

TEST_F(Dialogs, ExceptionsFromHandlersAreShownAndTheLoopGoesOn) {
  auto* f = Create<TForm>(Application);
  auto* b = new TButton(f);
  b->SetParent(f);
  b->OnClick = [](TObject*) { throw EListError("List index out of bounds (0)"); };
  TestKit::DialogScript boxes;
  boxes.Expect("List index out of bounds (0)");
  TestKit::ShowAndActivate(f);
  TestKit::Click(b);
  EXPECT_EQ(boxes.Pending(), 0);
  EXPECT_EQ(boxes.Shown()[0].request.kind, TDialogRequest::ExceptionBox);
  delete f;
}

TEST_F(Dialogs, OnExceptionReplacesTheDefaultHandler) {
  std::string seen;
  Application->OnException = [&](TObject*, Exception* e) { seen = e->Message.str(); };
  try {
    throw EConvertError("'x' is not a valid integer value");
  } catch (...) {
    Application->HandleException(nullptr);
  }
  Application->OnException = nullptr;
  EXPECT_EQ(seen, "'x' is not a valid integer value");
  try {
    throw EAbort("silent");
  } catch (...) {
    Application->HandleException(nullptr);  // no box
  }
}

}  // namespace

namespace {

// The toolkit's own boxes: a timer answers them from inside their loop.
class ToolkitBoxes : public UiTest {
 protected:
  TestKit::ToolkitBoxes shownByTheToolkit_;
  int Answer(std::function<int()> show, bool escape, AnsiString* seen) {
    TTimer t(nullptr);
    t.SetInterval(30);
    t.OnTimer = [&](TObject*) {
      AnsiString text = TestKit::ActiveBoxText();
      if (text.IsEmpty()) return;
      *seen = text;
      TestKit::DismissActiveBox(escape);
    };
    return show();
  }
};

TEST_F(ToolkitBoxes, EscapeGivesCancelThenNoThenOk) {
  AnsiString seen;
  EXPECT_EQ(
      Answer([] { return MessageDlg("Go on?", mtConfirmation, mbOK | mbCancel, 0); }, true, &seen),
      mrCancel);
  EXPECT_EQ(seen, "Go on?");
  EXPECT_EQ(
      Answer([] { return MessageDlg("Change?", mtConfirmation, mbYes | mbNo, 0); }, true, &seen),
      mrNo);
  EXPECT_EQ(Answer([] { return MessageBoxA(nullptr, " Empty value is not allowed!", "x", MB_OK); },
                   true, &seen),
            IDOK);
  EXPECT_EQ(seen, " Empty value is not allowed!");
  EXPECT_EQ(
      Answer([] { return MessageDlg("Sure?", mtConfirmation, mbYes | mbNo, 0); }, false, &seen),
      mrYes);
}

TEST_F(ToolkitBoxes, ClosingABoxDoesNotReactivateTheForm) {
  auto* f = Create<TForm>(Application);
  int activations = 0;
  f->OnActivate = [&](TObject*) { ++activations; };
  TestKit::ShowAndActivate(f);
  ASSERT_EQ(activations, 1);
  AnsiString seen;
  Answer(
      [] {
        ShowMessage("IP Address should be set.");
        return 0;
      },
      false, &seen);
  TestKit::Pump();
  EXPECT_EQ(seen, "IP Address should be set.");
  EXPECT_EQ(activations, 1);
  delete f;
}

}  // namespace
