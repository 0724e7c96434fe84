// The life of bindings: the controls' own handlers are forwarded to while
// bound and given back by Unbind and by the request's end; a control that
// dies first drops its binding; a control is bound once.
#include <string>
#include <vector>

#include "BindingTestSupport.h"
#include "library/VnEditConstraint.h"
#include "library/VnOptionList.h"
#include "library/VnSNMPRequest2Edits.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"

namespace {

const VnOptionPair kStatusPairs[] = {{1, "enabled"}, {2, "disabled"}, {0, nullptr}};

class LifetimeTest : public BindingTest {
 protected:
  void SetUp() override {
    BindingTest::SetUp();
    const VnSNMPVarDesc table[] = {
        {"1.3.6.1.4.1.171.9.1", "Status", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_READWRITE, &status,
         nullptr, nullptr, nullptr, nullptr, nullptr},
        {"1.3.6.1.4.1.171.9.2", "Ports", SNMP_SYNTAX_OCTETSTR, SNMP_ACCESS_READWRITE, nullptr,
         nullptr, nullptr, nullptr, nullptr, nullptr},
        {"1.3.6.1.4.1.171.9.3", "Name", SNMP_SYNTAX_DISPLAYSTR, SNMP_ACCESS_READWRITE, nullptr,
         nullptr, nullptr, nullptr, nullptr, nullptr},
        {},
    };
    list = VnSNMPVarList(table, VnItemType::SVT_SV, 0);
    combo = Add<TComboBox>();
    box = Add<TCheckBox>(0, 30);
    edit = Add<TEdit>(0, 60);
    combo->OnChange = [this](TObject*) { log.push_back("combo"); };
    box->OnClick = [this](TObject*) { log.push_back("box"); };
    edit->OnChange = [this](TObject*) { log.push_back("edit " + edit->Text().str()); };
    ownCombo = combo->OnChange;
    ownBox = box->OnClick;
    ownEdit = edit->OnChange;
  }
  std::unique_ptr<VnSNMPRequest2Edits> MakeRequest() {
    auto r = std::make_unique<VnSNMPRequest2Edits>(Form());
    r->Request.VarList = list;
    return r;
  }
  void BindAll(VnSNMPRequest2Edits& r) {
    r.BindComboBox(0, combo);
    r.BindElements(1, "0", box);
    r.BindEdits(2, "%s{l4}", edit);
  }

  VnOptionList status{kStatusPairs};
  VnSNMPVarList list;
  TComboBox* combo = nullptr;
  TCheckBox* box = nullptr;
  TEdit* edit = nullptr;
  TNotifyEvent ownCombo, ownBox, ownEdit;
  std::vector<std::string> log;
};

TEST_F(LifetimeTest, OwnHandlersRunWhileBoundAndComeBackAtTheEnd) {
  ShowForm();
  auto request = MakeRequest();
  BindAll(*request);
  EXPECT_FALSE(combo->OnChange == ownCombo);
  TestKit::PickItem(combo, 1);
  TestKit::Click(box);
  TestKit::TypeText(edit, "ab");
  EXPECT_EQ(log, (std::vector<std::string>{"combo", "box", "edit a", "edit ab"}));

  request.reset();
  EXPECT_TRUE(combo->OnChange == ownCombo);
  EXPECT_TRUE(box->OnClick == ownBox);
  EXPECT_TRUE(edit->OnChange == ownEdit);
  EXPECT_FALSE(edit->OnExit);
  // The controls outlive the request: their events reach only the form.
  log.clear();
  TestKit::PickItem(combo, 0);
  TestKit::Click(box);
  TestKit::DialogScript boxes;  // no length check any more
  edit->SetText("far too long");
  TestKit::FocusTo(edit);
  TestKit::FocusTo(combo);
  EXPECT_EQ(log, (std::vector<std::string>{"combo", "box", "edit far too long"}));
}

TEST_F(LifetimeTest, UnbindGivesTheItemsControlsBack) {
  auto request = MakeRequest();
  BindAll(*request);
  request->Unbind(2);
  EXPECT_TRUE(edit->OnChange == ownEdit);
  EXPECT_EQ(request->EditConstraint->Find(edit), nullptr);
  EXPECT_FALSE(combo->OnChange == ownCombo);
  request->BindEdits(2, "%s", edit);  // free to bind again
  request->Unbind(0);
  request->Unbind(1);
  EXPECT_TRUE(combo->OnChange == ownCombo);
  EXPECT_TRUE(box->OnClick == ownBox);
  EXPECT_EQ(request->Bindings.size(), 1u);
}

TEST_F(LifetimeTest, AControlIsBoundOnce) {
  auto request = MakeRequest();
  BindAll(*request);
  EXPECT_THROW(request->BindComboBox(0, combo), EInvalidOperation);
  EXPECT_THROW(request->BindEdits(1, "%h", edit), EInvalidOperation);
  EXPECT_THROW(request->BindElements(1, "1", box), EInvalidOperation);
  auto* other = Add<TCheckBox>();
  EXPECT_THROW(request->BindElements(1, "0,1", other, other), EInvalidOperation);
  EXPECT_EQ(request->Bindings.size(), 3u);
  // The forwarding handler still calls the form's own, once.
  box->SetChecked(true);
  EXPECT_EQ(log, (std::vector<std::string>{"box"}));
}

TEST_F(LifetimeTest, AControlThatDiesFirstDropsItsBinding) {
  auto request = MakeRequest();
  BindAll(*request);
  auto* second = Add<TCheckBox>();
  request->Unbind(1);
  request->BindElements(1, "0,1", box, second);
  delete second;  // the whole element binding goes; the first box gets its handler back
  EXPECT_TRUE(box->OnClick == ownBox);
  delete edit;
  edit = nullptr;
  EXPECT_EQ(request->EditConstraint->Count(), 0);
  ASSERT_EQ(request->Bindings.size(), 1u);
  *request->Request.VarList.Item(0)->Value = "disabled";
  request->ValuesToControls(-1);
  EXPECT_EQ(combo->ItemIndex(), 1);
  request->ControlsToValues(-1);
  request.reset();
  EXPECT_TRUE(combo->OnChange == ownCombo);
}

// A form's handler run while a value is shown may unbind that very item, and
// items still to be shown; the others are shown all the same.
TEST_F(LifetimeTest, AHandlerMayUnbindWhileTheValuesAreShown) {
  const struct {
    std::vector<int> unbound;
    std::size_t left;
  } rows[] = {{{1}, 2}, {{1, 2}, 1}};
  for (const auto& row : rows) {
    auto request = MakeRequest();
    box->OnClick = [&](TObject*) {
      for (int item : row.unbound) request->Unbind(item);
    };
    box->SetChecked(false);
    BindAll(*request);
    *request->Request.VarList.Item(1)->Value = "80";
    request->ValuesToControls(-1);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(request->Bindings.size(), row.left);
    for (const auto& b : request->Bindings) EXPECT_FALSE(request->ItemChanged(b->ItemIndex));
  }
}

TEST_F(LifetimeTest, TheListViewGetsItsSelectionHandlerBack) {
  auto* view = Add<TListView>(0, 100);
  int selections = 0;
  view->OnSelectItem = [&](TObject*, TListItem*, bool) { ++selections; };
  view->OnSelectedItemPressed = [&](TObject*, TListItem*) { ++selections; };
  TLVSelectItemEvent own = view->OnSelectItem;
  TLVItemEvent ownPress = view->OnSelectedItemPressed;
  auto request = MakeRequest();
  request->AttachListView(view, false);
  EXPECT_FALSE(view->OnSelectItem == own);
  EXPECT_FALSE(view->OnSelectedItemPressed == ownPress);
  request.reset();
  EXPECT_TRUE(view->OnSelectItem == own);
  EXPECT_TRUE(view->OnSelectedItemPressed == ownPress);
  // Another list view attached gives the first its handlers back as well.
  request = MakeRequest();
  request->AttachListView(view, false);
  request->AttachListView(Add<TListView>(0, 200), false);
  EXPECT_TRUE(view->OnSelectItem == own);
  EXPECT_TRUE(view->OnSelectedItemPressed == ownPress);
  request.reset();

  // A list view that dies first is forgotten.
  request = MakeRequest();
  request->AttachListView(view, false);
  delete view;
  EXPECT_EQ(request->ListView, nullptr);
  request.reset();
  EXPECT_EQ(selections, 0);
}

}  // namespace
