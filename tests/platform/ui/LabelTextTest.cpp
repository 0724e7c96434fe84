// Labels and static texts handed the text they already show.
#include <chrono>
#include <thread>
#include <vector>

#include "UiTestSupport.h"
#include "platform/StdCtrls.h"

namespace {

class LabelText : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    form = Create<TForm>(Application);
    form->SetClientWidth(300);
    form->SetClientHeight(200);
  }
  void TearDown() override {
    delete form;
    UiTest::TearDown();
  }
  TForm* form = nullptr;
};

// A count set at every change of a list's rows is mostly the one already
// shown: the same text again leaves the control and its widget alone (no
// new size, no painting), also when its place is given by its alignment
// rather than by its text; another text is shown.
TEST_F(LabelText, TheSameTextAgainChangesNothing) {
  struct Case {
    const char* what;
    bool staticText;
    TAlign align;
  };
  const std::vector<Case> cases = {{"a label", false, alNone},
                                   {"a label along the top", false, alTop},
                                   {"a static text", true, alNone},
                                   {"a static text along the top", true, alTop}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TControl* text = nullptr;
    if (c.staticText)
      text = new TStaticText(form);
    else
      text = new TLabel(form);
    text->SetParent(form);
    text->SetTop(20);
    text->SetAlign(c.align);
    text->SetCaption("12 rows");
    TestKit::ShowAndActivate(form);
    std::this_thread::sleep_for(std::chrono::milliseconds(40));  // a quiet spell
    TestKit::Pump();
    const int width = text->Width();
    {
      TestKit::PaintCounter paints(text);
      for (int i = 0; i < 3; ++i) {
        text->SetCaption("12 rows");
        Application->ProcessMessages();
      }
      TestKit::Pump();
      EXPECT_EQ(paints.Count(), 0);
      EXPECT_EQ(text->Width(), width);
    }
    TestKit::PaintCounter paints(text);
    text->SetCaption("13 rows");
    TestKit::Pump();
    EXPECT_GT(paints.Count(), 0);
    EXPECT_EQ(TestKit::DisplayedText(text), "13 rows");
    delete text;
  }
}

}  // namespace
