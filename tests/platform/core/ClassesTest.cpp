#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/Classes.h"
#include "platform/Exceptions.h"

namespace {

// Runs f and returns the message of the exception of type E it throws.
template <typename E, typename F>
std::string MessageOf(F f) {
  try {
    f();
  } catch (const E& e) {
    return e.Message.str();
  } catch (...) {
    return "<other exception>";
  }
  return "<no exception>";
}

}  // namespace

TEST(StringList, AddInsertDeleteKeepOrderAndObjects) {
  TStringList list;
  TObject a, b;
  EXPECT_EQ(list.Add("one"), 0);
  EXPECT_EQ(list.AddObject("three", &b), 1);
  list.InsertObject(1, "two", &a);
  list.Insert(3, "four");  // at Count: appends
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list[0], "one");
  EXPECT_EQ(list.Strings(1), "two");
  EXPECT_EQ(list.Objects(1), &a);
  EXPECT_EQ(list.Objects(2), &b);
  EXPECT_EQ(list.Objects(3), nullptr);
  EXPECT_EQ(list.IndexOfObject(&b), 2);
  list.SetStrings(3, "FOUR");
  list.Delete(0);
  EXPECT_EQ(list.Text(), "two\r\nthree\r\nFOUR\r\n");
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

TEST(StringList, IndexesOutOfRangeThrowWithTheIndex) {
  TStringList list;
  list.Add("a");
  EXPECT_EQ(MessageOf<EStringListError>([&] { list.Strings(1); }), "List index out of bounds (1)");
  EXPECT_EQ(MessageOf<EStringListError>([&] { list.Strings(-1); }),
            "List index out of bounds (-1)");
  EXPECT_EQ(MessageOf<EStringListError>([&] { list.SetStrings(5, "x"); }),
            "List index out of bounds (5)");
  EXPECT_EQ(MessageOf<EStringListError>([&] { list.Objects(1); }), "List index out of bounds (1)");
  EXPECT_EQ(MessageOf<EStringListError>([&] { list.Delete(1); }), "List index out of bounds (1)");
  EXPECT_EQ(MessageOf<EStringListError>([&] { list.Insert(2, "x"); }),
            "List index out of bounds (2)");
  EXPECT_EQ(MessageOf<EStringListError>([&] { list.Insert(-1, "x"); }),
            "List index out of bounds (-1)");
  EXPECT_THROW(list.Strings(1), Exception);
  EXPECT_EQ(list.Count(), 1);  // nothing changed by the failed calls
}

TEST(StringList, IndexOfIgnoresCaseAndFindsTheFirst) {
  TStringList list;
  list.Add("Enabled");
  list.Add("disabled");
  list.Add("ENABLED");
  EXPECT_EQ(list.IndexOf("enabled"), 0);
  EXPECT_EQ(list.IndexOf("DISABLED"), 1);
  EXPECT_EQ(list.IndexOf("enable"), -1);
  EXPECT_EQ(list.IndexOf(""), -1);
  list.Add("");
  EXPECT_EQ(list.IndexOf(""), 3);
}

TEST(StringList, TextSplitsAtEveryLineEndAndRoundTrips) {
  TStringList list;
  list.SetText("a\r\nb\nc\rd");
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list[3], "d");
  EXPECT_EQ(list.Text(), "a\r\nb\r\nc\r\nd\r\n");

  list.SetText("x\r\n\r\ny\r\n");  // a final line end adds no empty line
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list[1], "");

  list.SetText("\n\r");  // LF then a lone CR: two empty lines
  EXPECT_EQ(list.Count(), 2);

  list.SetText("");
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Text(), "");

  const AnsiString bytes("p\0q\xff", 4);
  list.SetText(bytes + "\r\n  r  ");
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list[0], bytes);
  EXPECT_EQ(list[1], "  r  ");
  TStringList again;
  again.SetText(list.Text());
  EXPECT_EQ(again.Text(), list.Text());
}

TEST(StringList, AssignAndAddStringsCopyObjectsAndSurviveSelf) {
  TStringList a;
  TObject o;
  a.AddObject("x", &o);
  a.Add("y");
  a.AddStrings(a);
  ASSERT_EQ(a.Count(), 4);
  EXPECT_EQ(a.Objects(2), &o);
  a.Assign(a);
  EXPECT_EQ(a.Count(), 4);
  TStringList b;
  b.Add("old");
  b.Assign(a);
  EXPECT_EQ(b.Text(), a.Text());
  EXPECT_EQ(b.Objects(0), &o);
}

TEST(PointerList, KeepsOrderAndThrowsOutOfRange) {
  int v[4] = {};
  TList list;
  EXPECT_EQ(list.Add(&v[0]), 0);
  EXPECT_EQ(list.Add(&v[2]), 1);
  list.Insert(1, &v[1]);
  list.Insert(3, &v[3]);
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list.First(), &v[0]);
  EXPECT_EQ(list.Last(), &v[3]);
  EXPECT_EQ(list[2], &v[2]);
  EXPECT_EQ(list.IndexOf(&v[3]), 3);
  list.Exchange(0, 3);
  EXPECT_EQ(list.Items(0), &v[3]);
  EXPECT_EQ(list.Remove(&v[3]), 0);
  EXPECT_EQ(list.Remove(&v[3]), -1);
  list.Delete(2);  // v[0], after the exchange
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.IndexOf(&v[0]), -1);
  list.SetItems(1, nullptr);
  EXPECT_EQ(list.IndexOf(nullptr), 1);

  EXPECT_EQ(MessageOf<EListError>([&] { list.Items(2); }), "List index out of bounds (2)");
  EXPECT_EQ(MessageOf<EListError>([&] { list.Delete(-1); }), "List index out of bounds (-1)");
  EXPECT_EQ(MessageOf<EListError>([&] { list.Insert(3, nullptr); }),
            "List index out of bounds (3)");
  EXPECT_EQ(MessageOf<EListError>([&] { list.Exchange(0, 2); }), "List index out of bounds (2)");
  list.Clear();
  EXPECT_EQ(MessageOf<EListError>([&] { list.First(); }), "List index out of bounds (0)");
  EXPECT_EQ(MessageOf<EListError>([&] { list.Last(); }), "List index out of bounds (-1)");
}

namespace {

// A list that owns its items, as derived lists in the module do.
class OwningList : public TList {
 public:
  ~OwningList() override { Clear(); }
  void Clear() override {
    for (int i = 0; i < Count(); ++i) delete static_cast<std::string*>(Items(i));
    TList::Clear();
  }
};

}  // namespace

TEST(PointerList, SubclassFreesItsItemsThroughTheVirtualClear) {
  auto list = std::make_unique<OwningList>();
  list->Add(new std::string("a"));
  list->Add(new std::string("b"));
  TList& base = *list;
  base.Clear();  // frees through the override; a second free would trip AddressSanitizer
  EXPECT_EQ(base.Count(), 0);
  list->Add(new std::string("c"));
  list.reset();  // the destructor frees the rest
}
