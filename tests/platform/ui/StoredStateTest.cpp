// Stored state before showing, class defaults, the Align model, re-parenting
// and destruction.
#include "UiTestSupport.h"
#include "platform/Buttons.h"
#include "platform/ComCtrls.h"
#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"

namespace {

class StoredState : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    form = Create<TForm>(Application);
    form->SetBorderStyle(bsSingle);
    form->SetClientWidth(400);
    form->SetClientHeight(300);
  }
  void TearDown() override {
    delete form;
    UiTest::TearDown();
  }
  template <class T>
  T* Add(TWinControl* parent = nullptr) {
    T* c = new T(form);
    c->SetParent(parent ? parent : form);
    return c;
  }
  TForm* form = nullptr;
};

TEST_F(StoredState, ClassDefaults) {
  struct Row {
    TControl* c;
    int w, h;
  };
  auto* label = Add<TLabel>();
  label->SetCaption("Port");
  std::vector<Row> rows = {
      {Add<TEdit>(), 121, 21},         {Add<TComboBox>(), 145, 21},  {Add<TCheckBox>(), 97, 17},
      {Add<TButton>(), 75, 25},        {Add<TBitBtn>(), 75, 25},     {Add<TPanel>(), 185, 41},
      {Add<TMemo>(), 185, 89},         {Add<TListView>(), 250, 150}, {Add<TScrollBox>(), 185, 41},
      {Add<TPageControl>(), 289, 193}, {Add<TGroupBox>(), 185, 105}};
  for (const Row& r : rows) {
    EXPECT_EQ(r.c->Width(), r.w);
    EXPECT_EQ(r.c->Height(), r.h);
  }
  EXPECT_EQ(label->Height(), 13);
  EXPECT_GT(label->Width(), 10);
  EXPECT_EQ(label->Font()->Size(), 8);
  auto* bar = Add<TStatusBar>();
  EXPECT_EQ(bar->Height(), 19);
  EXPECT_EQ(bar->Align(), alBottom);
  EXPECT_EQ(bar->Width(), 400);
  auto* sp = Add<TSplitter>();
  EXPECT_EQ(sp->Width(), 3);
  TTimer t(nullptr);
  EXPECT_TRUE(t.Enabled());
  EXPECT_EQ(t.Interval(), 1000u);
}

TEST_F(StoredState, FormFrameIsFixedPerBorderStyle) {
  EXPECT_EQ(form->Width() - form->ClientWidth(), 6);
  EXPECT_EQ(form->Height() - form->ClientHeight(), 29);
  form->SetBorderStyle(bsSizeable);
  EXPECT_EQ(form->ClientWidth(), 400);  // the client size stays
  EXPECT_EQ(form->Width() - form->ClientWidth(), 8);
  EXPECT_EQ(form->Height() - form->ClientHeight(), 31);
  form->SetBorderStyle(bsNone);
  EXPECT_EQ(form->Width(), 400);
  EXPECT_EQ(form->Height(), 300);
}

TEST_F(StoredState, VisibleEnabledAndBoundsAreTheControlsOwnBeforeShowing) {
  auto* panel = Add<TPanel>();
  panel->Hide();
  auto* e = Add<TEdit>(panel);
  e->SetBounds(5, 6, 142, 20);
  auto* orphan = new TCheckBox(form);  // no parent yet
  orphan->SetChecked(true);
  orphan->SetBounds(1, 2, 20, 17);
  EXPECT_TRUE(e->Visible());
  EXPECT_TRUE(e->Enabled());
  EXPECT_FALSE(e->Showing());
  EXPECT_EQ(e->BoundsRect(), (TRect{5, 6, 147, 26}));
  EXPECT_TRUE(orphan->Visible());
  EXPECT_FALSE(TestKit::IsShownOnScreen(orphan));
  form->Show();
  EXPECT_FALSE(TestKit::IsShownOnScreen(e));
  panel->Show();
  EXPECT_TRUE(TestKit::IsShownOnScreen(e));
  orphan->SetParent(panel);
  EXPECT_EQ(orphan->Left(), 1);
  EXPECT_TRUE(orphan->Checked());
  EXPECT_TRUE(TestKit::IsShownOnScreen(orphan));
}

TEST_F(StoredState, AlignOrderTopBottomLeftRightClient) {
  auto* top1 = Add<TPanel>();
  top1->SetHeight(30);
  top1->SetAlign(alTop);
  auto* top2 = Add<TPanel>();
  top2->SetHeight(20);
  top2->SetTop(100);
  top2->SetAlign(alTop);
  auto* bar = Add<TStatusBar>();
  auto* bottom = Add<TPanel>();
  bottom->SetHeight(50);
  bottom->SetTop(0);
  bottom->SetAlign(alBottom);
  auto* left = Add<TPanel>();
  left->SetWidth(60);
  left->SetAlign(alLeft);
  auto* right = Add<TPanel>();
  right->SetWidth(116);
  right->SetAlign(alRight);
  auto* client = Add<TPanel>();
  client->SetAlign(alClient);
  EXPECT_EQ(top1->BoundsRect(), (TRect{0, 0, 400, 30}));
  EXPECT_EQ(top2->BoundsRect(), (TRect{0, 30, 400, 50}));
  EXPECT_EQ(bar->BoundsRect(), (TRect{0, 281, 400, 300}));
  EXPECT_EQ(bottom->BoundsRect(), (TRect{0, 231, 400, 281}));
  EXPECT_EQ(left->BoundsRect(), (TRect{0, 50, 60, 231}));
  EXPECT_EQ(right->BoundsRect(), (TRect{284, 50, 400, 231}));
  EXPECT_EQ(client->BoundsRect(), (TRect{60, 50, 284, 231}));
  // Hidden controls take no room, synchronously.
  top2->Hide();
  EXPECT_EQ(left->Top(), 30);
  EXPECT_EQ(client->Height(), 201);
  // The container's size change re-aligns before the setter returns.
  form->SetClientWidth(500);
  EXPECT_EQ(right->Left(), 384);
  EXPECT_EQ(client->Width(), 324);
  // alNone keeps the present bounds.
  client->SetAlign(alNone);
  EXPECT_EQ(client->BoundsRect(), (TRect{60, 30, 384, 231}));
}

TEST_F(StoredState, PanelSizingSequenceReadsAlignedSizesOnTheNextLine) {
  // A content panel aligned to the client of a host, then detached to size
  // the form from it, then aligned again.
  auto* host = Add<TPanel>();
  host->SetBevelOuter(bvNone);
  host->SetAlign(alClient);
  auto* buttons = Add<TPanel>(host);
  buttons->SetAlign(alRight);
  auto* b = new TButton(form);
  EXPECT_EQ(b->Width(), 75);  // read before the column arranges it
  b->SetParent(buttons);
  b->SetBounds(10, 10, 96, 25);
  buttons->SetWidth(2 * 10 + b->Width());
  EXPECT_EQ(buttons->Width(), 116);
  auto* split = Add<TSplitter>(host);
  split->SetAlign(alRight);
  auto* content = Add<TPanel>(host);
  content->SetAlign(alNone);
  content->SetBounds(0, 0, 300, 200);
  int w = content->Width() + buttons->Width() + split->Width() + 3;
  form->SetClientWidth(w);
  EXPECT_EQ(host->Width(), w);
  content->SetAlign(alClient);
  EXPECT_EQ(content->Width(), w - 116 - 3);
  EXPECT_EQ(split->Left(), content->Width());
  EXPECT_EQ(buttons->Left(), w - 116);
}

TEST_F(StoredState, PanelBordersNarrowTheAlignArea) {
  auto* p = Add<TPanel>();
  p->SetBounds(0, 0, 100, 100);
  p->SetBorderWidth(4);
  auto* c = Add<TPanel>(p);
  c->SetAlign(alClient);
  EXPECT_EQ(c->BoundsRect(), (TRect{5, 5, 95, 95}));  // bevel 1 + border 4
}

TEST_F(StoredState, ScrollByMovesEveryChild) {
  auto* box = Add<TScrollBox>();
  box->SetBounds(0, 0, 200, 100);
  auto* e = Add<TEdit>(box);
  e->SetBounds(20, 300, 121, 21);
  box->ScrollBy(-1000, -1000);
  EXPECT_EQ(e->Left(), -980);
  EXPECT_EQ(e->Top(), -700);
}

TEST_F(StoredState, ReparentingKeepsBoundsFlagsAndHandlersAndSurvivesTheDialog) {
  // The edit panel goes into a dialog and back before the dialog dies.
  auto* page = Add<TPanel>();
  auto* edits = new TPanel(form);
  edits->SetParent(page);
  edits->SetBounds(3, 4, 150, 60);
  auto* e = new TEdit(form);
  e->SetParent(edits);
  e->SetEnabled(false);
  int changes = 0;
  e->OnChange = [&](TObject*) { ++changes; };
  auto* dialog = Create<TForm>(Application);
  edits->SetParent(dialog);
  EXPECT_EQ(edits->Left(), 3);
  EXPECT_TRUE(edits->Visible());
  edits->SetParent(page);
  delete dialog;
  ASSERT_EQ(page->ControlCount(), 1);
  EXPECT_EQ(page->Controls(0), edits);
  EXPECT_FALSE(e->Enabled());
  e->SetText("5");
  EXPECT_EQ(changes, 1);
}

TEST_F(StoredState, AParentDestroysItsChildrenAndAnOwnerItsComponents) {
  auto* other = Create<TForm>(Application);
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  auto* e = new TEdit(other);  // owned by another form, parented here
  e->SetParent(panel);
  std::weak_ptr<void> alive = e->LifeToken();
  EXPECT_EQ(other->ComponentCount(), 1);
  delete panel;
  EXPECT_TRUE(alive.expired());
  EXPECT_EQ(other->ComponentCount(), 0);
  auto* t = new TTimer(other);
  auto* l = new TLabel(other);
  std::weak_ptr<void> timerAlive = t->LifeToken(), labelAlive = l->LifeToken();
  delete other;
  EXPECT_TRUE(timerAlive.expired());
  EXPECT_TRUE(labelAlive.expired());
}

TEST_F(StoredState, FreeNotificationTellsAboutADeadComponent) {
  struct TWatcher : TComponent {
    using TComponent::TComponent;
    void Notification(TComponent* c, TOperation op) override {
      if (op == opRemove && c == watched) watched = nullptr;
    }
    TComponent* watched = nullptr;
  };
  TWatcher w(nullptr);
  auto* e = new TEdit(form);
  w.watched = e;
  e->FreeNotification(&w);
  delete e;
  EXPECT_EQ(w.watched, nullptr);
}

TEST_F(StoredState, FindComponentAndTags) {
  auto* c = new TCheckBox(form);
  c->SetName("Port3G");
  c->SetTag(3);
  EXPECT_EQ(form->FindComponent("port3g"), c);
  EXPECT_EQ(form->FindComponent("Port4G"), nullptr);
  EXPECT_EQ(static_cast<TCheckBox*>(form->FindComponent("Port3G"))->Tag(), 3);
}

TEST_F(StoredState, FirstSheetIsActiveAndHiddenTabsStillShowTheActivePage) {
  auto* pc = Add<TPageControl>();
  pc->SetAlign(alClient);
  std::vector<TTabSheet*> sheets;
  for (int i = 0; i < 3; ++i) {
    auto* s = new TTabSheet(form);
    s->SetPageControl(pc);
    s->SetTabVisible(false);
    sheets.push_back(s);
  }
  EXPECT_EQ(pc->ActivePage(), sheets[0]);
  EXPECT_EQ(dynamic_cast<TTabSheet*>(sheets[1]->Parent()), nullptr);
  auto* e = new TEdit(form);
  e->SetParent(sheets[0]);
  EXPECT_NE(dynamic_cast<TTabSheet*>(e->Parent()), nullptr);
  form->Show();
  EXPECT_TRUE(TestKit::IsShownOnScreen(e));
  EXPECT_EQ(sheets[0]->Width(), pc->Width() - 4);
  pc->SetActivePageIndex(2);
  EXPECT_FALSE(TestKit::IsShownOnScreen(e));
  EXPECT_THROW(pc->Pages(3), EListError);
}

TEST_F(StoredState, FontSizeFollowsPixelsPerInch) {
  TFont f;
  EXPECT_EQ(f.Height(), -11);
  EXPECT_EQ(f.Size(), 8);
  f.SetSize(10);
  EXPECT_EQ(f.Height(), -13);
  TestKit::SetPixelsPerInch(120);
  EXPECT_EQ(Screen->PixelsPerInch(), 120);
  TFont g;
  EXPECT_EQ(g.Size(), 7);
  TestKit::SetPixelsPerInch(0);
}

TEST_F(StoredState, ColorsReadBackAsWritten) {
  auto* e = Add<TEdit>();
  EXPECT_EQ(e->Color(), clWindow);
  e->SetColor(clScrollBar);
  EXPECT_EQ(e->Color(), clScrollBar);
  e->SetColor(0x4080FF);
  EXPECT_EQ(e->Color(), 0x4080FF);
  EXPECT_EQ(ColorToRGB(clRed), 0x0000FF);
}

}  // namespace
