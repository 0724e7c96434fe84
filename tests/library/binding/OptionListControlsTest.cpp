// Option lists in combo boxes and radio groups.
#include "BindingTestSupport.h"
#include "library/VnOptionList.h"
#include "platform/RadioGroup.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

const VnOptionPair kPairs[] = {{1, "enabled"}, {2, "disabled"}, {0, nullptr}};
const VnOptionPair kNone[] = {{0, nullptr}};

using OptionListControls = BindingTest;

TEST_F(OptionListControls, ComboBoxIsFilledInListOrderAndSelectedByTextOrValue) {
  VnOptionList list(kPairs);
  auto* combo = Add<TComboBox>();
  combo->Items()->Add("stale");
  list.FillComboBox(combo);
  ASSERT_EQ(combo->Items()->Count(), 2);
  EXPECT_EQ(combo->Items()->Strings(0), "enabled");
  EXPECT_EQ(combo->Items()->Strings(1), "disabled");
  list.SelectComboBox(combo, "2");
  EXPECT_EQ(combo->ItemIndex(), 1);
  list.SelectComboBox(combo, "ENABLED");
  EXPECT_EQ(combo->ItemIndex(), 0);
  list.SelectComboBox(combo, "7");
  EXPECT_EQ(combo->ItemIndex(), -1);

  VnOptionList empty(kNone);
  empty.FillComboBox(combo);
  EXPECT_EQ(combo->Items()->Count(), 0);
}

TEST_F(OptionListControls, RadioGroupIsFilledAndSelectedLikeAComboBox) {
  VnOptionList list(kPairs);
  auto* group = Add<TRadioGroup>();
  group->SetCaption("Mode");
  int clicks = 0;
  group->OnClick = [&](TObject*) { ++clicks; };
  list.FillRadioGroup(group);
  ASSERT_EQ(group->Items()->Count(), 2);
  EXPECT_EQ(group->Items()->Strings(1), "disabled");
  list.SelectRadioGroup(group, "disabled");
  EXPECT_EQ(group->ItemIndex(), 1);
  list.SelectRadioGroup(group, "1");
  EXPECT_EQ(group->ItemIndex(), 0);
  list.SelectRadioGroup(group, "none");
  EXPECT_EQ(group->ItemIndex(), -1);
  EXPECT_EQ(clicks, 4);  // a text that is no option text clears the choice first

  // The user's choice and the items' changes.
  ShowForm();
  list.SelectRadioGroup(group, "2");
  EXPECT_TRUE(TestKit::Grab(group, vntest::ArtifactsDir() + "/radio-group.png"));
  group->Items()->Insert(0, "auto");
  EXPECT_EQ(group->ItemIndex(), 2);
  group->Items()->Delete(2);
  EXPECT_EQ(group->ItemIndex(), -1);
  group->Items()->Clear();
  EXPECT_EQ(group->Items()->Count(), 0);
}

}  // namespace
