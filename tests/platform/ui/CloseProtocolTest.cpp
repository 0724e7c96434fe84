// Construction order, the modal loop, the close protocol, releases and
// posted messages.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "UiTestSupport.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"

namespace {

constexpr UINT WM_CONFIGFORM_REFRESH = WM_APP + 1234;

std::vector<std::string>* g_log = nullptr;

// A form in the style of the module's own: a resource builder, a posted
// refresh from the constructor, close handlers.
class TRefreshForm : public TForm {
 public:
  explicit TRefreshForm(TComponent* owner) : TForm(owner) {
    {
      TLoadingScope loading(this);
      SetCaption("Refresh");
      SetClientWidth(159);
      SetClientHeight(105);
      OnCreate = TNotifyEvent(this, &TRefreshForm::FormCreate);
      OnClose = TCloseEvent(this, &TRefreshForm::FormClose);
    }
    PostMessageA(Handle(), WM_CONFIGFORM_REFRESH, 0, 0);
    if (g_log) g_log->push_back("constructor");
  }
  ~TRefreshForm() override {
    if (g_log) g_log->push_back("destructor");
  }
  void Dispatch(TMessage& m) override {
    if (m.Msg == WM_CONFIGFORM_REFRESH) {
      refreshes++;
      visibleWhenRefreshed = Visible() && TestKit::IsShownOnScreen(this);
      if (g_log) g_log->push_back("refresh");
      return;
    }
    TForm::Dispatch(m);
  }
  void FormCreate(TObject*) {
    if (g_log) g_log->push_back("create");
  }
  void FormClose(TObject*, TCloseAction& action) {
    if (g_log) g_log->push_back("close");
    action = closeAction;
  }
  int refreshes = 0;
  bool visibleWhenRefreshed = false;
  TCloseAction closeAction = caFree;
};

class CloseProtocol : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    g_log = &log;
  }
  void TearDown() override {
    g_log = nullptr;
    UiTest::TearDown();
  }
  std::vector<std::string> log;
};

TEST_F(CloseProtocol, OnCreateRunsAfterTheWholeConstructor) {
  auto* f = Create<TRefreshForm>(Application);
  EXPECT_EQ(log, (std::vector<std::string>{"constructor", "create"}));
  delete f;
}

struct TMainLike : TForm {
  explicit TMainLike(TComponent* o);
  bool sawItself = false;
};
TMainLike* g_mainLike = nullptr;
TMainLike::TMainLike(TComponent* o) : TForm(o) {
  OnCreate = [this](TObject*) { sawItself = g_mainLike == this; };
}

TEST_F(CloseProtocol, CreateFormStoresThePointerBeforeOnCreate) {
  Application->ResetLoopState();
  Application->CreateForm(g_mainLike);
  EXPECT_TRUE(g_mainLike->sawItself);
  EXPECT_EQ(Application->MainForm(), g_mainLike);
  delete g_mainLike;
  EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST_F(CloseProtocol, PostedRefreshRunsInsideShowModalWithTheFormVisible) {
  auto* f = Create<TRefreshForm>(Application);
  f->closeAction = caHide;
  TestKit::OnNextModal<TRefreshForm>([&](TRefreshForm* form) {
    EXPECT_EQ(form->refreshes, 1);
    form->Close();
  });
  EXPECT_EQ(f->ShowModal(), mrCancel);
  EXPECT_TRUE(f->visibleWhenRefreshed);
  EXPECT_FALSE(f->Visible());
  delete f;
}

TEST_F(CloseProtocol, PostedMessagesOfADeletedFormAreDropped) {
  auto* f = Create<TRefreshForm>(Application);
  HWND h = f->Handle();
  delete f;
  TestKit::Pump();
  Application->ProcessMessages();
  EXPECT_EQ(log, (std::vector<std::string>{"constructor", "create", "destructor"}));
  EXPECT_FALSE(PostMessageA(h, WM_CONFIGFORM_REFRESH, 0, 0));
}

TEST_F(CloseProtocol, PostedMessagesAreFifo) {
  struct TRecorder : TForm {
    using TForm::TForm;
    void Dispatch(TMessage& m) override { seen.push_back(static_cast<int>(m.WParam)); }
    std::vector<int> seen;
  };
  auto* f = Create<TRecorder>(Application);
  for (int i = 0; i < 5; ++i) PostMessageA(f->Handle(), WM_APP + 1, static_cast<WPARAM>(i), 0);
  Application->ProcessMessages();
  TestKit::Pump();
  EXPECT_EQ(f->seen, (std::vector<int>{0, 1, 2, 3, 4}));
  delete f;
}

TEST_F(CloseProtocol, CloseInsideAHandlerRunsOnCloseOnlyAfterTheHandlerReturns) {
  auto* f = Create<TRefreshForm>(Application);
  auto* b = new TButton(f);
  b->SetParent(f);
  b->OnClick = [&](TObject*) {
    f->Close();
    log.push_back("after close");
    Application->ProcessMessages();  // a pumping handler: still no close
    log.push_back("after pump");
  };
  TestKit::OnNextModal<TRefreshForm>([&](TRefreshForm*) { TestKit::Click(b); });
  f->ShowModal();
  EXPECT_EQ(log, (std::vector<std::string>{"constructor", "create", "refresh", "after close",
                                           "after pump", "close"}));
  delete f;  // caFree and then the opener's delete: destroyed once
  TestKit::Pump();
  Application->ProcessMessages();
  EXPECT_EQ(log.back(), "destructor");
}

TEST_F(CloseProtocol, CloseQueryVetoKeepsTheLoopRunning) {
  auto* f = Create<TForm>(Application);
  int asked = 0;
  f->OnCloseQuery = [&](TObject*, bool& can) { can = ++asked > 1; };
  TestKit::OnNextModal<TForm>([&](TForm* form) {
    form->Close();
    Application->ProcessMessages();
    EXPECT_EQ(asked, 0);  // only the loop runs the query
  });
  auto* t = new TTimer(f);
  t->SetInterval(10);
  t->OnTimer = [&](TObject*) {
    if (asked == 1 && f->ModalResult() == mrNone) f->SetModalResult(mrOk);
  };
  TestKit::VirtualTime vt;
  EXPECT_EQ(f->ShowModal(), mrOk);
  EXPECT_EQ(asked, 2);
  delete f;
}

TEST_F(CloseProtocol, CaNoneKeepsTheModalFormOpen) {
  auto* f = Create<TForm>(Application);
  int closes = 0;
  f->OnClose = [&](TObject*, TCloseAction& a) { a = ++closes == 1 ? caNone : caHide; };
  TestKit::OnNextModal<TForm>([&](TForm* form) { form->SetModalResult(mrOk); });
  auto* t = new TTimer(f);
  t->SetInterval(5);
  t->OnTimer = [&](TObject*) {
    if (f->ModalResult() == mrNone) f->SetModalResult(mrYes);
  };
  TestKit::VirtualTime vt;
  EXPECT_EQ(f->ShowModal(), mrYes);
  EXPECT_EQ(closes, 2);
  delete f;
}

TEST_F(CloseProtocol, ExceptionInOnCloseGoesToHandleExceptionAndTheLoopGoesOn) {
  TestKit::DialogScript boxes;
  boxes.Expect("Stop.");  // shown as the class library shows exceptions
  auto* f = Create<TForm>(Application);
  int closes = 0;
  f->OnClose = [&](TObject*, TCloseAction&) {
    if (++closes == 1) throw Exception("Stop");
  };
  TestKit::OnNextModal<TForm>([&](TForm* form) { form->Close(); });
  auto* t = new TTimer(f);
  t->SetInterval(5);
  t->OnTimer = [&](TObject*) {
    if (f->ModalResult() == mrNone) f->Close();
  };
  TestKit::VirtualTime vt;
  f->ShowModal();
  EXPECT_EQ(closes, 2);
  delete f;
}

TEST_F(CloseProtocol, NonModalCloseRunsHandlersNowAndHides) {
  auto* f = Create<TRefreshForm>(Application);
  f->closeAction = caHide;
  f->Show();
  f->Close();
  EXPECT_EQ(log.back(), "close");
  EXPECT_FALSE(f->Visible());
  delete f;
}

TEST_F(CloseProtocol, CaFreeOnANonModalFormIsDeferredAndCancelledByDelete) {
  auto* f = Create<TRefreshForm>(Application);
  f->Show();
  f->Close();  // caFree: a release is pending
  delete f;    // the opener's delete: "Close, then delete"
  TestKit::OnNextModal<TForm>([](TForm* g) { g->SetModalResult(mrOk); });
  auto* g = Create<TForm>(Application);
  g->ShowModal();  // the loops run pending releases: nothing is freed twice
  delete g;
  EXPECT_EQ(std::count(log.begin(), log.end(), "destructor"), 1);
}

TEST_F(CloseProtocol, ReleaseWithoutDeleteFreesTheFormFromTheMainLoop) {
  Application->ResetLoopState();
  auto* f = Create<TRefreshForm>(Application);
  f->Show();
  f->Close();
  Application->ProcessMessages();  // never inside a pump
  EXPECT_EQ(std::count(log.begin(), log.end(), "destructor"), 0);
  TTimer t(nullptr);
  t.SetInterval(10);
  t.OnTimer = [&](TObject*) { Application->Terminate(); };
  TestKit::VirtualTime vt;
  Application->Run();
  EXPECT_EQ(std::count(log.begin(), log.end(), "destructor"), 1);
  Application->ResetLoopState();
}

// A form closed with caFree while ProcessMessages delivers input goes before
// the call returns, unless one of its own handlers is pumping.
TEST_F(CloseProtocol, CaFreeInsideProcessMessagesFreesTheFormUnlessItsHandlerRuns) {
  TestKit::VirtualTime vt;
  auto* f = Create<TRefreshForm>(Application);
  f->Show();
  TTimer closer(nullptr);
  closer.SetInterval(10);
  closer.OnTimer = [&](TObject*) {
    closer.SetEnabled(false);
    f->Close();
  };
  while (closer.Enabled()) Application->ProcessMessages();
  EXPECT_EQ(std::count(log.begin(), log.end(), "destructor"), 1);

  f = Create<TRefreshForm>(Application);
  f->Show();
  auto* button = new TButton(f);
  button->SetParent(f);
  bool survived = false;
  button->OnClick = [&](TObject*) {
    closer.SetEnabled(true);
    while (closer.Enabled()) Application->ProcessMessages();
    survived = std::count(log.begin(), log.end(), "destructor") == 1;
  };
  TestKit::Click(button);
  EXPECT_TRUE(survived);
  delete f;  // its release is still pending: nothing is freed twice
  Application->ProcessMessages();
  EXPECT_EQ(std::count(log.begin(), log.end(), "destructor"), 2);
}

TEST_F(CloseProtocol, DestructionByTheOwnerRunsNoCloseHandlers) {
  auto* owner = Create<TForm>(Application);
  auto* f = Create<TRefreshForm>(owner);
  f->Show();
  delete owner;
  EXPECT_EQ(std::count(log.begin(), log.end(), "close"), 0);
  EXPECT_EQ(log.back(), "destructor");
}

TEST_F(CloseProtocol, NestedModalFormsAndOnActivateAfterAChildCloses) {
  auto* outer = Create<TForm>(Application);
  int activations = 0;
  outer->OnActivate = [&](TObject*) { ++activations; };
  TestKit::OnNextModal<TForm>([&](TForm* o) {
    EXPECT_EQ(activations, 1);
    ShowMessage("box");  // a message box does not count
    EXPECT_EQ(activations, 1);
    TestKit::OnNextModal<TForm>([](TForm* inner) { inner->SetModalResult(mrOk); });
    auto* inner = Create<TForm>(Application);
    EXPECT_EQ(inner->ShowModal(), mrOk);
    delete inner;
    EXPECT_EQ(activations, 2);  // active again after the child form closed
    o->SetModalResult(mrCancel);
  });
  TestKit::DialogScript boxes;
  boxes.Expect("box");
  outer->ShowModal();
  delete outer;
}

TEST_F(CloseProtocol, ModalFormWithoutAScriptFailsAndIsClosedByTheWatchdog) {
  auto* f = Create<TForm>(Application);
  f->SetCaption("Forgotten");
  TestKit::VirtualTime vt;
  TestKit::SetFailureReporter(nullptr);
  int result = f->ShowModal();
  TestKit::SetFailureReporter([](const std::string& m) { ADD_FAILURE() << m; });
  auto failures = TestKit::TakeFailures();
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_NE(failures[0].find("Forgotten"), std::string::npos);
  EXPECT_EQ(result, mrCancel);
  delete f;
}

TEST_F(CloseProtocol, TerminateBeforeRunReturnsAtOnceWithoutShowingTheMainForm) {
  Application->ResetLoopState();
  TForm* main = nullptr;
  Application->CreateForm(main);
  bool shown = false;
  main->OnShow = [&](TObject*) { shown = true; };
  Application->Terminate();
  Application->Run();
  EXPECT_TRUE(Application->Terminated());
  EXPECT_FALSE(shown);
  delete main;
  Application->ResetLoopState();
}

TEST_F(CloseProtocol, MainFormCloseTerminatesAndRunShowsOnlyTheMainForm) {
  Application->ResetLoopState();
  TForm* main = nullptr;
  Application->CreateForm(main);
  TForm* second = nullptr;
  Application->CreateForm(second);
  EXPECT_EQ(Application->MainForm(), main);
  bool closed = false;
  main->OnClose = [&](TObject*, TCloseAction& a) {
    closed = true;
    a = caFree;  // the program ends first: the application frees it later
  };
  bool secondShown = false;
  auto* t = new TTimer(main);
  t->SetInterval(10);
  t->OnTimer = [&](TObject*) {
    secondShown = second->Visible() || TestKit::IsShownOnScreen(second);
    EXPECT_TRUE(main->Visible());
    main->Close();
  };
  TestKit::VirtualTime vt;
  Application->Run();
  EXPECT_TRUE(closed);
  EXPECT_TRUE(Application->Terminated());
  EXPECT_FALSE(secondShown);
  delete main;
  delete second;
  Application->ResetLoopState();
}

// A form still alive when the process ends is destroyed while the toolkit
// is whole (its focused edit asks the toolkit for fonts as it goes).
TEST(ProcessExit, DestroysTheFormsStillAlive) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        TestKit::EnsureApplication();
        auto* f = Create<TForm>(Application);
        f->OnDestroy = [](TObject*) { std::fputs("form destroyed\n", stderr); };
        auto* edit = new TEdit(f);
        edit->SetParent(f);
        f->Show();
        TestKit::FocusTo(edit);
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "form destroyed");
}

}  // namespace
