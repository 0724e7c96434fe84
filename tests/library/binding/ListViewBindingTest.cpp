// The list-view side of a bound request, row by row as a walk delivers
// them: columns, rows, hidden columns, selection into the controls, the
// disabling rule, and a Set from the selected row and the controls.
#include <functional>
#include <string>
#include <vector>

#include "BindingTestSupport.h"
#include "library/VnOptionList.h"
#include "library/VnSNMPRequest2Edits.h"
#include "platform/ComCtrls.h"
#include "platform/Messages.h"
#include "platform/StdCtrls.h"

namespace {

const VnOptionPair kRowStatusPairs[] = {
    {1, "active"}, {4, "createAndGo"}, {6, "destroy"}, {0, nullptr}};

// The hooks a Get runs, callable by the test.
class WalkedEdits : public VnSNMPRequest2Edits {
 public:
  using VnSNMPRequest2Edits::VnSNMPRequest2Edits;
  void Begin() { DoGetBegin(); }
  void Row(std::vector<const char*> values) {
    for (int i = 0; i < static_cast<int>(values.size()); ++i)
      *Request.VarList.Item(i)->Value = values[static_cast<std::size_t>(i)];
    DoGetRow();
  }
  void End() { DoGetEnd(); }
  void SetValues() { DoSetValues(); }
};

class ListViewBindingTest : public BindingTest {
 protected:
  void SetUp() override {
    BindingTest::SetUp();
    const VnSNMPVarDesc table[] = {
        {"", "VLAN ID", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_NOTACCESS, nullptr, nullptr, nullptr,
         nullptr, nullptr, nullptr},
        {"1.3.6.1.2.1.17.7.1.4.3.1.1", "VLAN Name", SNMP_SYNTAX_DISPLAYSTR, SNMP_ACCESS_READWRITE,
         nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
        {"1.3.6.1.2.1.17.7.1.4.3.1.2", "Egress Ports", SNMP_SYNTAX_BITSTR, SNMP_ACCESS_READWRITE,
         nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
        {"1.3.6.1.2.1.17.7.1.4.3.1.5", "Status", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_READWRITE,
         &rowStatus, nullptr, nullptr, nullptr, nullptr, nullptr},
        {},
    };
    view = Add<TListView>(0, 200);
    request = std::make_unique<WalkedEdits>(Form());
    request->Request.VarList = VnSNMPVarList(table, VnItemType::MVT_FMV, 1);
  }
  void TearDown() override {
    request.reset();
    BindingTest::TearDown();
  }
  AnsiString Value(int item) { return *request->Request.VarList.Item(item)->Value; }
  void SetAccess(int item, std::uint32_t access) {
    request->Request.VarList.Item(item)->Access = access;
  }
  std::vector<AnsiString> Captions() {
    std::vector<AnsiString> v;
    for (int i = 0; i < view->Columns()->Count(); ++i)
      v.push_back(view->Columns()->Items(i)->Caption());
    return v;
  }
  std::vector<AnsiString> Cells(int row) {
    TListItem* it = view->Items()->Item(row);
    std::vector<AnsiString> v{it->Caption()};
    for (int i = 0; i < it->SubItems()->Count(); ++i) v.push_back(it->SubItems()->Strings(i));
    return v;
  }
  void Walk() {
    request->Begin();
    request->Row({"1", "default", "FFC00000", "active"});
    request->Row({"20", "voice", "80000001", "active"});
    request->End();
  }

  VnOptionList rowStatus{kRowStatusPairs};
  TListView* view = nullptr;
  std::unique_ptr<WalkedEdits> request;
};

TEST_F(ListViewBindingTest, ColumnsAndRowsInListOrder) {
  request->AttachListView(view, false);
  EXPECT_EQ(view->ViewStyle(), vsReport);
  EXPECT_TRUE(view->ReadOnly());
  EXPECT_TRUE(view->RowSelect());
  EXPECT_FALSE(view->HideSelection());
  EXPECT_TRUE(view->GridLines());
  EXPECT_EQ(Captions(),
            (std::vector<AnsiString>{"VLAN ID", "VLAN Name", "Egress Ports", "Status"}));
  EXPECT_GT(view->Columns()->Items(1)->Width(), 0);  // fitted to the header
  Walk();
  ASSERT_EQ(view->Items()->Count(), 2);
  EXPECT_EQ(Cells(1), (std::vector<AnsiString>{"20", "voice", "80000001", "active"}));
  // A second Get keeps the columns and replaces the rows.
  TListColumn* first = view->Columns()->Items(0);
  request->Begin();
  request->Row({"30", "data", "00000000", "active"});
  EXPECT_EQ(view->Columns()->Items(0), first);
  ASSERT_EQ(view->Items()->Count(), 1);
  EXPECT_EQ(Cells(0)[0], "30");
}

TEST_F(ListViewBindingTest, HiddenColumnsComeFirstWithNoWidth) {
  SetAccess(1, SNMP_ACCESS_READWRITE | SNMP_ACCESS_INVALID);
  request->AttachListView(view, false);
  EXPECT_EQ(Captions(),
            (std::vector<AnsiString>{"VLAN Name", "VLAN ID", "Egress Ports", "Status"}));
  EXPECT_EQ(view->Columns()->Items(0)->Width(), 0);
  Walk();
  view->SetItemIndex(1);
  for (int i = 0; i < 4; ++i) *request->Request.VarList.Item(i)->Value = "";
  request->SetValues();
  EXPECT_EQ(Value(0), "20");
  EXPECT_EQ(Value(1), "voice");
  EXPECT_EQ(Value(2), "80000001");
}

// The Edit dialog hides the status column after the columns were built:
// the rows keep the layout the columns were built with.
TEST_F(ListViewBindingTest, MarksChangedAfterTheColumnsKeepTheCellsInPlace) {
  request->AttachListView(view, false);
  SetAccess(3, SNMP_ACCESS_READWRITE | SNMP_ACCESS_HIDDEN);
  Walk();
  EXPECT_EQ(view->Columns()->Count(), 4);
  EXPECT_EQ(Cells(1), (std::vector<AnsiString>{"20", "voice", "80000001", "active"}));
  auto* name = Add<TEdit>();
  auto* ports = Add<TEdit>(0, 30);
  request->BindEdits(1, "%s{l32}", name);
  request->BindEdits(2, "%h{l8}", ports);
  view->SetItemIndex(0);
  EXPECT_EQ(name->Text(), "default");
  EXPECT_EQ(ports->Text(), "FFC00000");
  EXPECT_EQ(Value(0), "1");
  EXPECT_EQ(Value(3), "active");
}

TEST_F(ListViewBindingTest, SelectionFillsTheControlsAndEnablesThem) {
  auto* name = Add<TEdit>();
  auto* status = Add<TComboBox>(0, 30);
  int ownSelections = 0, deselections = 0, ownPresses = 0;
  view->OnSelectItem = [&](TObject*, TListItem*, bool selected) {
    ++ownSelections;
    if (!selected) ++deselections;
  };
  view->OnSelectedItemPressed = [&](TObject*, TListItem*) { ++ownPresses; };
  request->AttachListView(view, true);
  request->BindEdits(1, "%s{l32}", name);
  request->BindComboBox(3, status);
  Walk();
  EXPECT_FALSE(name->Enabled());
  EXPECT_FALSE(status->Enabled());
  TestKit::ShowAndActivate(Form());
  TestKit::ClickRow(view, 1);
  EXPECT_TRUE(name->Enabled());
  EXPECT_TRUE(status->Enabled());
  EXPECT_EQ(name->Text(), "voice");
  EXPECT_EQ(status->Text(), "active");
  EXPECT_EQ(Value(0), "20");
  TestKit::ClickRow(view, 1);
  EXPECT_EQ(ownPresses, 1);
  // Deselecting only runs the list view's own handler.
  name->SetText("typed");
  view->SetSelected(nullptr);
  EXPECT_EQ(name->Text(), "typed");
  EXPECT_GE(ownSelections, 2);
  EXPECT_EQ(deselections, 1);

  // Item type 3 keeps the controls enabled after a Get.
  request->Request.VarList.ItemType = VnItemType::MVT_UMV;
  Walk();
  EXPECT_TRUE(name->Enabled());
}

// However a row is chosen, OnRowShown runs once the bound controls show it
// (enabled), and so does a click on the row selected already, whatever the
// controls held meanwhile; a row losing the selection runs nothing.
TEST_F(ListViewBindingTest, RowShownFollowsTheRowHoweverItWasChosen) {
  auto* name = Add<TEdit>();
  request->AttachListView(view, true);
  request->BindEdits(1, "%s{l32}", name);
  Walk();
  std::vector<std::string> shown;
  request->OnRowShown = [&](TObject* sender) {
    EXPECT_EQ(sender, view);
    shown.push_back(name->Text().str() + (name->Enabled() ? "" : " (disabled)"));
  };
  TestKit::ShowAndActivate(Form());
  const struct {
    const char* way;
    std::function<void()> choose;
    std::vector<std::string> shown;
  } ways[] = {
      {"pointer", [&] { TestKit::ClickRow(view, 1); }, {"voice"}},
      {"keys", [&] { TestKit::PressKeyInList(view, VK_UP); }, {"default"}},
      {"code", [&] { view->SetSelected(view->Items()->Item(1)); }, {"voice"}},
      {"deselection", [&] { view->SetSelected(nullptr); }, {}},
      {"keys from no row", [&] { TestKit::PressKeyInList(view, VK_DOWN); }, {"default"}},
      {"pointer on the selected row",
       [&] {
         name->SetText("");
         TestKit::ClickRow(view, 0);
       },
       {"default"}},
  };
  for (const auto& w : ways) {
    shown.clear();
    w.choose();
    EXPECT_EQ(shown, w.shown) << w.way;
  }
}

TEST_F(ListViewBindingTest, SetStartsFromEmptyTakesTheRowThenTheControls) {
  auto* name = Add<TEdit>();
  auto* ports = Add<TEdit>(0, 30);
  request->AttachListView(view, false);
  request->BindEdits(1, "%s{l32}", name);
  request->BindEdits(2, "%h{l8}", ports);
  Walk();
  // Without a selected row only the bound controls count.
  name->SetText("new");
  ports->SetText("8000");
  request->SetValues();
  EXPECT_EQ(Value(0), "");
  EXPECT_EQ(Value(1), "new");
  EXPECT_EQ(Value(2), "8000");
  EXPECT_EQ(Value(3), "");
  // With a row the controls win, and a shorter octet string is not padded
  // with the row's old octets.
  view->SetItemIndex(0);
  ports->SetText("8000");
  request->SetValues();
  EXPECT_EQ(Value(0), "1");
  EXPECT_EQ(Value(2), "8000");
  EXPECT_EQ(Value(3), "active");
  // The row shown, then no row: the controls as they stand, not what the
  // row had.
  view->SetItemIndex(1);
  view->SetSelected(nullptr);
  request->SetValues();
  EXPECT_EQ(Value(0), "");
  EXPECT_EQ(Value(1), "voice");
  EXPECT_EQ(Value(2), "80000001");
}

}  // namespace
