// Form placement, dialog keys, the close box, hints, OnCreate exceptions and
// the screen's pixels per inch.
#include <cstdlib>

#include "UiTestSupport.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"

namespace {

class FormBehaviour : public UiTest {};

TEST_F(FormBehaviour, PositionsCentreOnTheScreenAndOnTheMainForm) {
  Application->ResetLoopState();
  TForm* main = nullptr;
  Application->CreateForm(main);
  main->SetBounds(100, 50, 600, 400);
  main->Show();
  auto* dlg = Create<TForm>(Application);
  dlg->SetBounds(0, 0, 200, 100);
  dlg->SetPosition(poMainFormCenter);
  dlg->Show();
  EXPECT_EQ(dlg->Left(), 100 + (600 - 200) / 2);
  EXPECT_EQ(dlg->Top(), 50 + (400 - 100) / 2);
  dlg->Hide();
  dlg->SetPosition(poScreenCenter);
  dlg->Show();
  EXPECT_EQ(dlg->Left(), (Screen->Width() - 200) / 2);
  delete dlg;
  delete main;
  Application->ResetLoopState();
}

TEST_F(FormBehaviour, EnterAndEscapeClickTheDefaultAndCancelButtons) {
  auto* f = Create<TForm>(Application);
  auto* e = new TEdit(f);
  e->SetParent(f);
  auto* ok = new TButton(f);
  ok->SetParent(f);
  ok->SetDefault(true);
  ok->SetModalResult(mrOk);
  auto* cancel = new TButton(f);
  cancel->SetParent(f);
  cancel->SetCancel(true);
  cancel->SetModalResult(mrCancel);
  TestKit::OnNextModal<TForm>([&](TForm*) { TestKit::PressKey(e, VK_RETURN); });
  EXPECT_EQ(f->ShowModal(), mrOk);
  TestKit::OnNextModal<TForm>([&](TForm*) { TestKit::PressKey(e, VK_ESCAPE); });
  EXPECT_EQ(f->ShowModal(), mrCancel);
  delete f;
}

TEST_F(FormBehaviour, TheCloseBoxClosesThroughTheProtocol) {
  auto* f = Create<TForm>(Application);
  int queries = 0;
  f->OnCloseQuery = [&](TObject*, bool& can) { can = ++queries > 1; };
  f->Show();
  TestKit::CloseWindow(f);
  EXPECT_TRUE(f->Visible());  // refused
  TestKit::CloseWindow(f);
  EXPECT_FALSE(f->Visible());
  TestKit::OnNextModal<TForm>([&](TForm* form) {
    TestKit::CloseWindow(form);
    EXPECT_EQ(form->ModalResult(), mrCancel);
  });
  EXPECT_EQ(f->ShowModal(), mrCancel);
  delete f;
}

TEST_F(FormBehaviour, AnExceptionFromOnCreateIsShownAndTheFormLives) {
  struct TBad : TForm {
    explicit TBad(TComponent* o) : TForm(o) {
      OnCreate = [](TObject*) { throw Exception("Get data not complete"); };
    }
  };
  TestKit::DialogScript boxes;
  boxes.Expect("Get data not complete.");
  auto* f = Create<TBad>(Application);
  EXPECT_NE(f, nullptr);
  delete f;
}

TEST_F(FormBehaviour, HintsShowAsTooltipsWithTabsExpanded) {
  auto* f = Create<TForm>(Application);
  auto* e = new TEdit(f);
  e->SetParent(f);
  e->SetHint("Hour");
  EXPECT_EQ(TestKit::ToolTipOf(e), "");
  e->SetShowHint(true);
  EXPECT_EQ(TestKit::ToolTipOf(e), "Hour");
  e->SetHint("Port\t1\nVLAN\t10");
  EXPECT_EQ(TestKit::ToolTipOf(e), "Port    1\nVLAN    10");
  EXPECT_EQ(e->Hint(), "Port\t1\nVLAN\t10");
  delete f;
}

TEST_F(FormBehaviour, ListViewMouseMoveFindsTheRowUnderThePointer) {
  auto* f = Create<TForm>(Application);
  auto* lv = new TListView(f);
  lv->SetParent(f);
  lv->SetViewStyle(vsReport);
  lv->Columns()->Add()->SetCaption("Name");
  for (int i = 0; i < 3; ++i) lv->Items()->Add()->SetCaption("row" + AnsiString(i));
  AnsiString hint;
  lv->OnMouseMove = [&](TObject*, TShiftState, int x, int y) {
    TListItem* it = lv->GetItemAt(x, y);
    hint = it ? it->Caption() : AnsiString("none");
  };
  TestKit::ShowAndActivate(f);
  TestKit::MoveMouse(lv, 20, lv->HeaderHeight() + 6);
  EXPECT_EQ(hint, "row0");
  TestKit::MoveMouse(lv, 20, 140);
  EXPECT_EQ(hint, "none");
  delete f;
}

TEST_F(FormBehaviour, PixelsPerInchComesFromTheEnvironmentWhenSet) {
  setenv("KXR_PIXELS_PER_INCH", "120", 1);
  EXPECT_EQ(Screen->PixelsPerInch(), 120);
  unsetenv("KXR_PIXELS_PER_INCH");
  EXPECT_EQ(Screen->PixelsPerInch(), 96);  // the offscreen screen
}

TEST_F(FormBehaviour, AFormParentedIntoAPanelActsAsAControl) {
  auto* host = Create<TForm>(Application);
  host->SetBorderStyle(bsNone);
  host->SetBounds(0, 0, 500, 300);
  auto* grid = Create<TForm>(Application);
  grid->SetBorderStyle(bsNone);
  grid->SetClientWidth(543);
  grid->SetClientHeight(252);
  grid->SetParent(host);
  grid->SetAlign(alClient);
  grid->Show();
  EXPECT_EQ(grid->Width(), 500);
  EXPECT_EQ(grid->ClientHeight(), 300);
  host->Show();
  EXPECT_TRUE(TestKit::IsShownOnScreen(grid));
  grid->SetParent(nullptr);
  EXPECT_EQ(host->ControlCount(), 0);
  delete grid;
  delete host;
}

}  // namespace
