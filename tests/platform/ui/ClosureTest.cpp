// Event closures: copy, null test, comparison, call.
#include <gtest/gtest.h>

#include "platform/Classes.h"
#include "platform/Closure.h"

namespace {

struct Handler : TObject {
  void A(TObject*) { ++a; }
  void B(TObject*) { ++b; }
  int a = 0, b = 0;
};
struct Derived : Handler {};

TEST(Closure, MethodClosuresCompareByObjectAndMethod) {
  Handler h1, h2;
  TNotifyEvent e1(&h1, &Handler::A), e2(&h1, &Handler::A), e3(&h1, &Handler::B),
      e4(&h2, &Handler::A);
  EXPECT_TRUE(e1 == e2);
  EXPECT_FALSE(e1 == e3);
  EXPECT_FALSE(e1 == e4);
  TNotifyEvent copy = e3;
  EXPECT_TRUE(copy == e3);
  copy(nullptr);
  EXPECT_EQ(h1.b, 1);
  Derived d;
  TNotifyEvent inherited(&d, &Handler::A);
  inherited(nullptr);
  EXPECT_EQ(d.a, 1);
}

TEST(Closure, NullAndCallables) {
  TNotifyEvent none;
  EXPECT_FALSE(none);
  EXPECT_TRUE(none == nullptr);
  int n = 0;
  TNotifyEvent f = [&n](TObject*) { ++n; };
  TNotifyEvent g = f;
  EXPECT_TRUE(f == g);
  EXPECT_FALSE(f == TNotifyEvent([&n](TObject*) { ++n; }));
  g(nullptr);
  EXPECT_EQ(n, 1);
  f = nullptr;
  EXPECT_FALSE(f);
}

TEST(Closure, AHandlerMayReplaceItselfWhileRunning) {
  TNotifyEvent slot;
  int runs = 0;
  slot = [&](TObject*) {
    ++runs;
    slot = nullptr;  // destroys the closure that is running
  };
  slot(nullptr);
  EXPECT_EQ(runs, 1);
  EXPECT_FALSE(slot);
}

}  // namespace
