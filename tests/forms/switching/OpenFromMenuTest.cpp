// The three forms as the menu opens them: registered openers, the caption,
// no global form variable, and closing (also in the middle of a walk), after
// which nothing of the form is left.
#include <gtest/gtest.h>

#include "FormsL2Support.h"
#include "forms/switching/PortMirror.h"
#include "forms/switching/PortTrunk.h"
#include "forms/switching/TrafficForwardUnit1.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/ComCtrls.h"

namespace {

using OpenFromMenu = FormsL2Test;

template <class T>
void OpenAndClose(const char* className, const char* caption) {
  TFormOpener opener = FindFormOpener(className);
  ASSERT_NE(opener, nullptr) << className;
  EXPECT_EQ(FindFormOpenerGlobal(className), nullptr) << className;
  bool seen = false;
  std::weak_ptr<void> life;
  TestKit::OnNextModal<T>([&](T* f) {
    EXPECT_EQ(f->Caption(), caption);
    life = f->LifeToken();
    seen = true;
    f->Close();
  });
  opener(Application, caption);
  EXPECT_TRUE(seen);
  EXPECT_TRUE(life.expired());
}

TEST_F(OpenFromMenu, EachFormOpensCaptionedAndClosesCompletely) {
  OpenAndClose<TPortTrunkForm>("TPortTrunkForm", "Port Trunk: 127.0.0.1");
  OpenAndClose<TPortMirrorForm>("TPortMirrorForm", "Port Mirror: 127.0.0.1");
  OpenAndClose<TTrafficSegmentationForm>("TTrafficSegmentationForm",
                                         "Traffic Segmentation Table: 127.0.0.1");
}

TEST_F(OpenFromMenu, TrafficSegmentationClosesInTheMiddleOfItsWalk) {
  Control("delay 40");
  bool busy = false;
  TestKit::OnNextModal<TTrafficSegmentationForm>([&](TTrafficSegmentationForm* f) {
    busy = f->Request->Busy != 0;
    f->Close();
  });
  FindFormOpener("TTrafficSegmentationForm")(Application, "Traffic Segmentation Table: x");
  EXPECT_TRUE(busy);
  Control("delay 0");
  const auto log = NewLog();
  ASSERT_FALSE(log.empty());
  EXPECT_LT(log.size(), 11u);  // the walk stopped after the row in hand
}

}  // namespace
