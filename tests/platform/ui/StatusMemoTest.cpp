// Status bars and memos.
#include "UiTestSupport.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"

namespace {

class StatusMemo : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    form = Create<TForm>(Application);
    bar = new TStatusBar(form);
    bar->SetParent(form);
  }
  void TearDown() override {
    delete form;
    UiTest::TearDown();
  }
  TForm* form = nullptr;
  TStatusBar* bar = nullptr;
};

TEST_F(StatusMemo, SimpleTextIsStoredButShownOnlyInSimpleMode) {
  TStatusPanel* p = bar->Panels()->Add();
  p->SetWidth(50);
  p->SetText("Ready");
  bar->SetSimpleText("Get: Ok!");
  EXPECT_EQ(bar->SimpleText(), "Get: Ok!");
  EXPECT_EQ(TestKit::DisplayedText(bar), "Ready");
  bar->SetSimplePanel(true);
  EXPECT_EQ(TestKit::DisplayedText(bar), "Get: Ok!");
}

TEST_F(StatusMemo, PanelPointersAreStableAndBadIndexesThrowTheListError) {
  TStatusPanel* first = bar->Panels()->Add();
  for (int i = 0; i < 10; ++i) bar->Panels()->Add();
  EXPECT_EQ(bar->Panels()->Items(0), first);
  TStatusBar* empty = new TStatusBar(form);
  try {
    empty->Panels()->Items(0)->SetText("x");
    FAIL() << "no exception";
  } catch (EListError& e) {
    EXPECT_EQ(e.Message, "List index out of bounds (0)");
  }
}

TEST_F(StatusMemo, MemoLinesAppendAndReadBack) {
  auto* memo = new TMemo(form);
  memo->SetParent(form);
  memo->SetReadOnly(true);
  EXPECT_EQ(memo->Lines()->Count(), 0);
  for (int i = 0; i < 40; ++i) memo->Lines()->Add("Get: line " + AnsiString(i));
  EXPECT_EQ(memo->Lines()->Count(), 40);
  EXPECT_EQ(memo->Lines()->Strings(39), "Get: line 39");
  memo->Lines()->Delete(0);
  EXPECT_EQ(memo->Lines()->Strings(0), "Get: line 1");
  memo->SetText("a\r\nb");
  EXPECT_EQ(memo->Lines()->Count(), 2);
  EXPECT_EQ(memo->Text(), "a\r\nb");
  memo->Lines()->Clear();
  EXPECT_EQ(memo->Text(), "");
  EXPECT_THROW(memo->Lines()->Strings(0), EStringListError);
}

}  // namespace
