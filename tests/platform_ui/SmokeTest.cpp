#include "UiTestSupport.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"

class Smoke : public UiTest {};

TEST_F(Smoke, FormWithEdit) {
  auto* f = Create<TForm>(Application);
  auto* e = new TEdit(f);
  e->SetParent(f);
  e->SetText("abc");
  EXPECT_EQ(e->Text(), "abc");
  delete f;
}
