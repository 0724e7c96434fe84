#include <gtest/gtest.h>

#include <type_traits>

#include "platform/ReadOnly.h"

namespace {

class Owner {
 public:
  void Start() {
    Busy = true;
    ++Count;
  }
  TReadOnly<bool, Owner> Busy;
  TReadOnly<int, Owner> Count;
};

// Outside its owner a field takes neither a value nor another field.
using Field = TReadOnly<bool, Owner>;
static_assert(!std::is_copy_assignable_v<Field>);
static_assert(!std::is_move_assignable_v<Field>);
static_assert(!std::is_assignable_v<Field&, bool>);

TEST(ReadOnly, OwnerWritesOthersRead) {
  Owner o;
  EXPECT_FALSE(o.Busy);
  o.Start();
  o.Start();
  EXPECT_TRUE(o.Busy);
  EXPECT_EQ(o.Count, 2);
}

}  // namespace
