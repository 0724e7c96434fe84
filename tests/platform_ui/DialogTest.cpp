// Message boxes: captions, buttons, answers, exceptions, and the responder.
#include "UiTestSupport.h"
#include "platform/Dialogs.h"
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
