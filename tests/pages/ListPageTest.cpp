// List pages against the simulated switch: the table walked into the list,
// the buttons, Add with the add text, Edit without the row-creating and
// row-deleting texts, Delete after the question, and the list's events.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "PagesTestSupport.h"
#include "catalogue/DeviceMib.h"
#include "catalogue/ProtocolVlanMib.h"
#include "catalogue/SnmpTargetMib.h"
#include "library/VnOptionList.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/DeviceAddress.h"
#include "pages/GUIConfigForm.h"
#include "pages/GUIGenerator.h"
#include "platform/Buttons.h"
#include "platform/ComCtrls.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

constexpr const char* kTrustHost = "1.3.6.1.4.1.171.12.1.2.10.1.1";
enum { kIndex, kAddress, kStatus, kMask };
constexpr const char* kInconsistentValue = "(SNMP) Cannot create/set variable, Inconsistent Value!";
constexpr const char* kBadPartValue = "Bad value of the associated SNMP variable's (partial) data!";

std::vector<std::string> ItemsOf(const TComboBox* combo) {
  std::vector<std::string> items;
  for (int i = 0; i < combo->Items()->Count(); ++i)
    items.push_back(combo->Items()->Strings(i).str());
  return items;
}

class ListPage : public PagesDeviceTest {
 protected:
  void TearDown() override {
    Close();
    PagesDeviceTest::TearDown();
  }
  void Open(const VnSNMPVarDesc* table, VnItemType itemType, int keys, int addIndex,
            const char* addText, int deleteIndex, const char* deleteText, const char* caption) {
    page_ = MakeListPage(table, itemType, keys, addIndex, addText, deleteIndex, deleteText);
    page_.Form->SetCaption(AnsiString(caption) + "127.0.0.1");
    TestKit::ShowAndActivate(page_.Form);
    ASSERT_TRUE(PumpUntil([this] { return page_.Form->CurrentRequest() != nullptr; }));
    ASSERT_TRUE(WaitIdle(*page_.Request));
  }
  void OpenTrustHosts() {
    Open(TrustHostTableVars, VnItemType::MVT_UMV, 1, kStatus, "createAndGo", kStatus, "destroy",
         "Trust Host Table : ");
  }
  void Close() {
    if (!page_.Form) return;
    page_.Form->Close();
    delete page_.Form;
    page_ = Page();
  }
  void Refresh() {
    TestKit::Click(Buttons()->RefreshBtn);
    ASSERT_TRUE(WaitIdle(*page_.Request));
  }
  // The device keeps a reply back (the control channel's hold).
  static bool Held() { return Sim().Control("waiting") != "ok 0"; }
  // Refresh with the device's replies held, letting them through one at a
  // time until the walk lists `rows` rows: then the reply to its next step
  // is held. Each reply is held again before the page can send the step
  // after it, as the page takes a reply only while the message loop runs.
  // The request waits long for its replies: nothing is sent again, and
  // nothing times out, however long a reply stays held.
  void RefreshHeldAfterRows(int rows) {
    page_.Request->Request.Timeout = 3000;
    Control("hold");
    TestKit::Click(Buttons()->RefreshBtn);
    for (int listed = 0;; ++listed) {
      ASSERT_TRUE(PumpUntil([&] { return List()->Items()->Count() == listed && Held(); }))
          << listed << " rows listed";
      if (listed == rows) break;
      Control("release");
      Control("hold");
    }
    ASSERT_TRUE(page_.Request->Busy);
  }
  TListView* List() const { return page_.List->ListViewPanel->ListView; }
  TEditsPanel* Rows() const { return page_.List->EditsPanel; }
  TCtrlBtnPanel* Buttons() const { return page_.List->BtnPanel; }
  TEdit* EditOf(int row) const { return dynamic_cast<TEdit*>(Rows()->Row(row).EditCtrl); }
  TComboBox* ComboOf(int row) const { return dynamic_cast<TComboBox*>(Rows()->Row(row).EditCtrl); }
  // The row of the list whose first cell is the text, or -1.
  int RowOf(const std::string& index) const {
    for (int i = 0; i < List()->Items()->Count(); ++i)
      if (List()->Items()->Item(i)->Caption() == index.c_str()) return i;
    return -1;
  }
  std::string Memo() const { return MemoText(page_.List->StatusPanel()->Memo); }
  void AddTrustHost(int index, const std::string& address) {
    Control(std::string("set ") + kTrustHost + ".2." + std::to_string(index) + " a " + address);
    Control(std::string("set ") + kTrustHost + ".3." + std::to_string(index) + " i 1");
  }
  void ExpectNoMarks() const {
    const VnSNMPVarList& list = page_.Request->Request.VarList;
    for (int i = 0; i < list.Count(); ++i)
      EXPECT_EQ(list.Item(i)->Access & (SNMP_ACCESS_INVALID | SNMP_ACCESS_HIDDEN), 0u) << i;
    EXPECT_TRUE(page_.Request->AsyncMode);
  }
  // The edit rows are back on the page, hidden.
  void ExpectRowsBack() const {
    EXPECT_EQ(Rows()->Parent(), page_.List->InnerPanel);
    EXPECT_FALSE(Rows()->Visible());
    EXPECT_EQ(page_.List->Content, page_.List->ListViewPanel);
  }

  Page page_;
};

TEST_F(ListPage, TheTableIsWalkedRowByRowIntoTheList) {
  AddTrustHost(2, "10.0.0.2");
  AddTrustHost(3, "10.0.0.3");
  OpenTrustHosts();
  EXPECT_EQ(page_.Form->FormType(), TConfigForm::ftListView);
  ASSERT_EQ(List()->Items()->Count(), 3);
  ASSERT_EQ(List()->Columns()->Count(), 4);
  EXPECT_EQ(List()->Columns()->Items(0)->Caption(), "Trust Host Index");
  EXPECT_EQ(List()->Columns()->Items(3)->Caption(), "Trust Host IP Subnet Mask");
  const TListItem* first = List()->Items()->Item(0);
  EXPECT_EQ(first->Caption(), "1");
  EXPECT_EQ(first->SubItems()->Strings(0), "10.90.90.1");
  EXPECT_EQ(first->SubItems()->Strings(1), "active");
  EXPECT_EQ(first->SubItems()->Strings(2), "255.255.255.0");
  EXPECT_EQ(List()->Items()->Item(2)->SubItems()->Strings(0), "10.0.0.3");
  EXPECT_EQ(Buttons()->CountText->Caption(), "3");
  // One GETNEXT per row and one that leaves the table.
  int getNexts = 0;
  for (const std::string& line : NewLog())
    getNexts += line.find("\tGETNEXT\t") != std::string::npos;
  EXPECT_EQ(getNexts, 4);
  EXPECT_EQ(Memo().rfind("Get: Ok! Receive at ", 0), 0u) << Memo();

  // The buttons of a list page with row creation and deletion.
  for (TControl* c : std::vector<TControl*>{
           Buttons()->Samples, Buttons()->CountText, Buttons()->RefreshBtn, Buttons()->EditBtn,
           Buttons()->AddBtn, Buttons()->DeleteBtn, Buttons()->CloseBtn})
    EXPECT_TRUE(c->Visible()) << c->Caption().str();
  for (TControl* c :
       std::vector<TControl*>{Buttons()->SetBtn, Buttons()->CheckAllBtn, Buttons()->ClearChecksBtn})
    EXPECT_FALSE(c->Visible()) << c->Caption().str();
  EXPECT_FALSE(Buttons()->EditBtn->Enabled());
  EXPECT_FALSE(Buttons()->DeleteBtn->Enabled());
  EXPECT_TRUE(Buttons()->AddBtn->Enabled());
  // The list fills the page; the edit rows wait hidden.
  EXPECT_EQ(page_.List->Content, page_.List->ListViewPanel);
  EXPECT_FALSE(Rows()->Visible());
  EXPECT_EQ(page_.Form->ClientWidth(), 450 + 116 + 3 + 3);
  EXPECT_EQ(page_.Form->ClientHeight(), 350 + 50 + 3);

  TestKit::ClickRow(List(), 1);
  EXPECT_TRUE(Buttons()->EditBtn->Enabled());
  EXPECT_TRUE(Buttons()->DeleteBtn->Enabled());
  EXPECT_EQ(EditOf(kAddress)->Text(), "10.0.0.2");
  const std::string path = vntest::ArtifactsDir() + "/pages-list.png";
  EXPECT_TRUE(TestKit::Grab(page_.Form, path)) << path;

  // An empty part of the list: nothing selected, fields cleared.
  TestKit::ClickEmpty(List());
  EXPECT_EQ(List()->Selected(), nullptr);
  EXPECT_FALSE(Buttons()->EditBtn->Enabled());
  EXPECT_FALSE(Buttons()->DeleteBtn->Enabled());
  EXPECT_EQ(EditOf(kAddress)->Text(), "");
  EXPECT_EQ(*page_.Request->Request.VarList.Item(kAddress)->Value, "");
}

TEST_F(ListPage, AddWritesTheTypedRowWithTheAddText) {
  OpenTrustHosts();
  bool shown = false;
  TestKit::OnNextModal<TForm>([&](TForm* dialog) {
    shown = true;
    EXPECT_EQ(dialog->Caption(), "Trust Host Table : 127.0.0.1 (Add)");
    TSNMPPanel* frame = FrameOf(dialog);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(Rows()->Parent(), frame->InnerPanel);
    EXPECT_TRUE(Rows()->Visible());
    EXPECT_FALSE(frame->BtnPanel->RefreshBtn->Visible());
    EXPECT_TRUE(frame->BtnPanel->SetBtn->Visible());
    EXPECT_EQ(frame->BtnPanel->SetBtn->Tag(), 1);
    EXPECT_EQ(frame->StatusPanel(), page_.List->StatusPanel());
    EXPECT_EQ(frame->MsgPanel, nullptr);
    // The index is typed and always sent; the status is fixed.
    const UISnmpVar& index = Rows()->Row(kIndex);
    EXPECT_TRUE(index.CheckBox->Checked());
    EXPECT_TRUE(index.CheckBox->Visible());
    EXPECT_FALSE(index.CheckBox->Enabled());
    EXPECT_FALSE(EditOf(kIndex)->ReadOnly());
    EXPECT_EQ(EditOf(kIndex)->Text(), "");  // every Add starts empty
    EXPECT_FALSE(ComboOf(kStatus)->Enabled());
    EXPECT_EQ(ComboOf(kStatus)->Text(), "createAndGo");
    EXPECT_TRUE(Rows()->Row(kStatus).CheckBox->Checked());
    EditOf(kIndex)->SetText("7");
    EditOf(kAddress)->SetText("10.7.7.7");
    EditOf(kMask)->SetText("255.255.0.0");
    Rows()->Row(kAddress).CheckBox->SetChecked(true);
    Rows()->Row(kMask).CheckBox->SetChecked(true);
    TestKit::Click(frame->BtnPanel->SetBtn);
    // Written: the dialog closes itself.
  });
  TestKit::Click(Buttons()->AddBtn);
  ASSERT_TRUE(shown);
  ASSERT_EQ(SetLines().size(), 1u);
  const std::string set = SetLines()[0];
  EXPECT_NE(set.find(std::string(kTrustHost) + ".3.7=INTEGER:4"), std::string::npos) << set;
  EXPECT_NE(set.find(std::string(kTrustHost) + ".2.7=IpAddress:10.7.7.7"), std::string::npos)
      << set;
  EXPECT_NE(set.find(std::string(kTrustHost) + ".4.7=IpAddress:255.255.0.0"), std::string::npos)
      << set;
  EXPECT_EQ(set.find(std::string(kTrustHost) + ".1."), std::string::npos) << set;
  ExpectRowsBack();
  // The table is read again.
  ASSERT_TRUE(WaitIdle(*page_.Request));
  const int row = RowOf("7");
  ASSERT_GE(row, 0);
  EXPECT_EQ(List()->Items()->Item(row)->SubItems()->Strings(1), "active");
  EXPECT_EQ(Buttons()->CountText->Caption(), "2");
  ExpectNoMarks();
}

TEST_F(ListPage, AFailedAddKeepsTheDialogAndWhatWasTyped) {
  OpenTrustHosts();
  TestKit::OnNextModal<TForm>([&](TForm* dialog) {
    TSNMPPanel* frame = FrameOf(dialog);
    ASSERT_NE(frame, nullptr);
    // Row 1 exists already: the device refuses to create it again.
    EditOf(kIndex)->SetText("1");
    EditOf(kAddress)->SetText("10.1.1.1");
    Rows()->Row(kAddress).CheckBox->SetChecked(true);
    // The error is shown in front of the dialog, not only in the page's
    // memo behind it.
    TestKit::DialogScript boxes;
    boxes.Expect(kInconsistentValue);
    TestKit::Click(frame->BtnPanel->SetBtn);
    boxes.Verify();
    EXPECT_TRUE(dialog->Visible());
    EXPECT_EQ(dialog->ModalResult(), mrNone);
    EXPECT_EQ(EditOf(kAddress)->Text(), "10.1.1.1");
    const TMemo* memo = page_.List->StatusPanel()->Memo;
    const std::string last = memo->Lines()->Strings(memo->Lines()->Count() - 1).str();
    EXPECT_EQ(last.rfind("Set: ", 0), 0u) << last;
    EXPECT_EQ(last.find("Ok!"), std::string::npos) << last;
    TestKit::Click(frame->BtnPanel->CloseBtn);
  });
  TestKit::Click(Buttons()->AddBtn);
  EXPECT_EQ(SetLines().size(), 1u);
  ExpectRowsBack();
  ASSERT_TRUE(WaitIdle(*page_.Request));
  EXPECT_EQ(List()->Items()->Count(), 1);
  EXPECT_EQ(Value(std::string(kTrustHost) + ".2.1"), "IpAddress:10.90.90.1");
  ExpectNoMarks();
}

TEST_F(ListPage, EditOffersNeitherRowCreationNorDeletionAndWritesTheTickedFields) {
  AddTrustHost(2, "10.0.0.2");
  OpenTrustHosts();
  const std::vector<std::string> before = ItemsOf(ComboOf(kStatus));
  ASSERT_EQ(before, (std::vector<std::string>{"active", "createAndGo", "destroy"}));
  TestKit::ClickRow(List(), RowOf("2"));
  bool shown = false;
  TestKit::OnNextModal<TForm>([&](TForm* dialog) {
    shown = true;
    EXPECT_EQ(dialog->Caption(), "Trust Host Table : 127.0.0.1 (Edit)");
    TSNMPPanel* frame = FrameOf(dialog);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(ItemsOf(ComboOf(kStatus)), (std::vector<std::string>{"active"}));
    EXPECT_TRUE(Rows()->Row(kStatus).EditCtrl->Visible());
    EXPECT_FALSE(frame->BtnPanel->SetBtn->Enabled());
    // The index names the row: read-only here.
    EXPECT_TRUE(EditOf(kIndex)->ReadOnly());
    EXPECT_FALSE(Rows()->Row(kIndex).CheckBox->Visible());
    EXPECT_EQ(EditOf(kIndex)->Text(), "2");
    EXPECT_EQ(EditOf(kAddress)->Text(), "10.0.0.2");
    EXPECT_FALSE(Rows()->Row(kAddress).CheckBox->Checked());
    EditOf(kAddress)->SetText("10.0.0.22");
    EditOf(kMask)->SetText("255.0.0.0");  // not ticked: not sent
    Rows()->Row(kAddress).CheckBox->SetChecked(true);
    EXPECT_TRUE(frame->BtnPanel->SetBtn->Enabled());
    TestKit::Click(frame->BtnPanel->SetBtn);
  });
  TestKit::Click(Buttons()->EditBtn);
  ASSERT_TRUE(shown);
  ASSERT_EQ(SetLines().size(), 1u);
  const std::string set = SetLines()[0];
  EXPECT_NE(set.find(std::string(kTrustHost) + ".2.2=IpAddress:10.0.0.22"), std::string::npos)
      << set;
  EXPECT_EQ(set.find(std::string(kTrustHost) + ".3.2"), std::string::npos) << set;
  EXPECT_EQ(set.find(std::string(kTrustHost) + ".4.2"), std::string::npos) << set;
  // The status column offers all its options again, in their order.
  EXPECT_EQ(ItemsOf(ComboOf(kStatus)), before);
  ExpectRowsBack();
  ASSERT_TRUE(WaitIdle(*page_.Request));
  EXPECT_EQ(List()->Items()->Item(RowOf("2"))->SubItems()->Strings(0), "10.0.0.22");
  EXPECT_FALSE(Buttons()->EditBtn->Enabled());
  ExpectNoMarks();

  // A double click on a row opens the same dialog; Close sends nothing.
  TestKit::OnNextModal<TForm>([](TForm* dialog) {
    EXPECT_EQ(dialog->Caption(), "Trust Host Table : 127.0.0.1 (Edit)");
    TestKit::Click(FrameOf(dialog)->BtnPanel->CloseBtn);
  });
  TestKit::DoubleClickRow(List(), RowOf("1"));
  EXPECT_EQ(SetLines().size(), 1u);
}

TEST_F(ListPage, EditStopsAWalkThatIsStillRunning) {
  for (int i = 2; i <= 30; ++i) AddTrustHost(i, "10.0.0." + std::to_string(i));
  OpenTrustHosts();
  RefreshHeldAfterRows(3);
  TestKit::ClickRow(List(), 1);
  bool idleInDialog = false;
  int rowsInDialog = 0;
  TestKit::OnNextModal<TForm>([&](TForm* dialog) {
    idleInDialog = !page_.Request->Busy;
    rowsInDialog = List()->Items()->Count();
    TestKit::Click(FrameOf(dialog)->BtnPanel->CloseBtn);
  });
  // The reply to the walk's fourth step reaches the page while it waits.
  Control("release");
  TestKit::Click(Buttons()->EditBtn);
  EXPECT_TRUE(idleInDialog);
  EXPECT_EQ(rowsInDialog, 4);
  EXPECT_TRUE(page_.Request->Request.Active);
  // Afterwards the table is read again in full.
  ASSERT_TRUE(WaitIdle(*page_.Request));
  EXPECT_EQ(List()->Items()->Count(), 30);
  EXPECT_EQ(Buttons()->CountText->Caption(), "30");
}

// A reply that the device sends only after the Edit dialog's wait does not
// take the stopped walk up again while the dialog is open; the table is read
// once afterwards.
TEST_F(ListPage, ASlowReplyDoesNotTakeTheWalkUpUnderTheEditDialog) {
  for (int i = 2; i <= 5; ++i) AddTrustHost(i, "10.0.0." + std::to_string(i));
  OpenTrustHosts();
  RefreshHeldAfterRows(2);
  TestKit::ClickRow(List(), 0);
  int rowsAtOpen = 0, rowsLater = 0;
  bool heldAtOpen = false, taken = false;
  TestKit::OnNextModal<TForm>([&](TForm* dialog) {
    rowsAtOpen = List()->Items()->Count();
    heldAtOpen = Held();
    Control("release");
    taken = TakeLateReplies();  // the reply in flight comes meanwhile
    rowsLater = List()->Items()->Count();
    TestKit::Click(FrameOf(dialog)->BtnPanel->CloseBtn);
  });
  SettleSwitch();
  const std::size_t before = NewLog().size();
  TestKit::Click(Buttons()->EditBtn);
  EXPECT_TRUE(heldAtOpen);  // the dialog did not wait for the device
  EXPECT_TRUE(taken);
  EXPECT_EQ(rowsAtOpen, 2);
  EXPECT_EQ(rowsLater, 2);
  ASSERT_TRUE(WaitIdle(*page_.Request));
  ASSERT_TRUE(WaitQuiet());
  EXPECT_EQ(List()->Items()->Count(), 5);
  // One walk of five rows and its end.
  EXPECT_EQ(CountLog("GETNEXT", before), 6);
}

// A row deleted or added while the table is still being read: once the read
// that follows the write has ended, the list holds what the device holds,
// whatever the kind of the table's index.
struct WriteDuringReadCase {
  const char* name;
  const VnSNMPVarDesc* table;
  int keys;
  int status;                          // the row-status row: add and delete text
  std::string statusColumn;            // its column OID
  std::string (*seeded)(int i);        // instance suffix of seeded row i
  std::vector<std::string> addedKeys;  // the index fields of the added row
  std::string addedSuffix;             // and its instance suffix
};

std::string IntSuffix(int i) { return std::to_string(i); }
std::string AddressPairSuffix(int i) {
  const std::string address = "239.1.2." + std::to_string(i);
  return "1." + address + "." + address;
}
std::string ImpliedNameSuffix(int i) {
  std::string suffix = "110";  // "n" and the number's digits, without a length
  for (char c : std::to_string(i)) suffix += "." + std::to_string(static_cast<int>(c));
  return suffix;
}

TEST_F(ListPage, AWriteDuringTheReadLeavesTheListAsTheDeviceHoldsIt) {
  const WriteDuringReadCase cases[] = {
      {"integer index",
       TrustHostTableVars,
       1,
       kStatus,
       std::string(kTrustHost) + ".3",
       &IntSuffix,
       {"5"},
       "5"},
      {"address index",
       MulticastFilterProfileAddressTableVars,
       3,
       3,
       "1.3.6.1.4.1.171.11.101.1.2.5.2.1.4",
       &AddressPairSuffix,
       {"1", "239.0.0.5", "239.0.0.6"},
       "1.239.0.0.5.239.0.0.6"},
      {"implied string index",
       NotifyTableVars,
       1,
       4,
       "1.3.6.1.6.3.13.1.1.1.5",
       &ImpliedNameSuffix,
       {"m5"},
       "109.53"},
  };
  constexpr int kSeeded = 30;
  for (const WriteDuringReadCase& c : cases) {
    SCOPED_TRACE(c.name);
    Control("reset");
    for (int i = 10; i < 10 + kSeeded; ++i)
      Control("set " + c.statusColumn + "." + c.seeded(i) + " i 1");
    // The rows the device holds: the suffixes of its row-status column.
    auto deviceRows = [&] {
      std::vector<std::string> rows;
      const simtest::ToolResult walk = Sim().V2("snmpwalk", {c.statusColumn});
      EXPECT_EQ(walk.status, 0) << walk.out;
      const std::string prefix = "." + c.statusColumn + ".";
      std::size_t at = 0;
      while ((at = walk.out.find(prefix, at)) != std::string::npos) {
        at += prefix.size();
        rows.push_back(walk.out.substr(at, walk.out.find(' ', at) - at));
      }
      return rows;
    };
    // Every cell of a list row, joined.
    auto cells = [&](int row) {
      TListItem* item = List()->Items()->Item(row);
      std::string text = item->Caption().str();
      for (int k = 0; k < item->SubItems()->Count(); ++k)
        text += "|" + item->SubItems()->Strings(k).str();
      return text;
    };
    auto listHolds = [&](const std::vector<std::string>& parts) {
      for (int row = 0; row < List()->Items()->Count(); ++row) {
        const std::string text = "|" + cells(row) + "|";
        bool all = true;
        for (const std::string& part : parts)
          all = all && text.find("|" + part + "|") != std::string::npos;
        if (all) return true;
      }
      return false;
    };
    // A read of the table that is still running, four rows in: the reply
    // to its next step is on its way to the page.
    auto startSlowRead = [&] {
      RefreshHeldAfterRows(4);
      Control("release");
      return !HasFatalFailure();
    };
    Open(c.table, VnItemType::MVT_UMV, c.keys, c.status, "createAndGo", c.status, "destroy",
         "Write during read: ");

    // Delete the third row while the read is still running.
    ASSERT_TRUE(startSlowRead());
    TestKit::ClickRow(List(), 2);
    const std::string deleted = cells(2);
    {
      TestKit::DialogScript boxes;
      boxes.Expect("Are you sure to delete it?", mrOk);
      TestKit::Click(Buttons()->DeleteBtn);
    }
    ASSERT_TRUE(WaitIdle(*page_.Request, 20000));
    std::vector<std::string> rows = deviceRows();
    EXPECT_EQ(rows.size(), static_cast<std::size_t>(kSeeded));  // one of kSeeded + 1 gone
    EXPECT_EQ(List()->Items()->Count(), static_cast<int>(rows.size()));
    EXPECT_EQ(Buttons()->CountText->Caption().str(), std::to_string(rows.size()));
    for (int row = 0; row < List()->Items()->Count(); ++row) EXPECT_NE(cells(row), deleted);

    // Add a row before those the running read has passed.
    ASSERT_TRUE(startSlowRead());
    TestKit::OnNextModal<TForm>([&](TForm* dialog) {
      for (std::size_t k = 0; k < c.addedKeys.size(); ++k)
        EditOf(static_cast<int>(k))->SetText(c.addedKeys[k].c_str());
      TestKit::Click(FrameOf(dialog)->BtnPanel->SetBtn);
    });
    TestKit::Click(Buttons()->AddBtn);
    ASSERT_TRUE(WaitIdle(*page_.Request, 20000));
    rows = deviceRows();
    EXPECT_NE(std::find(rows.begin(), rows.end(), c.addedSuffix), rows.end());
    EXPECT_EQ(List()->Items()->Count(), static_cast<int>(rows.size()));
    EXPECT_EQ(Buttons()->CountText->Caption().str(), std::to_string(rows.size()));
    EXPECT_TRUE(listHolds(c.addedKeys)) << c.addedKeys[0];
    ExpectNoMarks();
    Close();
  }
}

// Add, Edit or Delete during a Refresh stop the walk: the reply in flight is
// waited for when it comes (the walk ends with its row), and not when the
// device keeps it (the dialog opens all the same, and the reply that comes
// later does not take the walk up). The stopped walk did not complete, so
// it is never reported as "Get: Ok!". The read after the write or the
// dialog shows the whole table and is the one that says "Ok!".
TEST_F(ListPage, AWalkStoppedForAWriteIsNotReportedAsARead) {
  enum class Action { Add, Edit, Delete };
  const struct {
    const char* name;
    Action action;
    bool silent;  // the device keeps the reply in flight while the page waits
  } cases[] = {
      {"Add", Action::Add, false},
      {"Edit", Action::Edit, false},
      {"Delete", Action::Delete, false},
      {"Add, the device silent", Action::Add, true},
      {"Edit, the device silent", Action::Edit, true},
  };
  for (int i = 2; i <= 7; ++i) AddTrustHost(i, "10.0.0." + std::to_string(i));
  OpenTrustHosts();
  int rows = 7, added = 20;  // rows listed; the index of the next row added
  const TStrings* memo = page_.List->StatusPanel()->Memo->Lines();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const int mark = memo->Count();
    auto getOks = [&] {
      int n = 0;
      for (int k = mark; k < memo->Count(); ++k) n += memo->Strings(k).Pos("Get: Ok!") == 1;
      return n;
    };
    // Two rows listed, the reply to the third row's step held.
    RefreshHeldAfterRows(2);
    TestKit::ClickRow(List(), 0);
    // Released, the reply is at the page before the click: it comes while
    // the page waits.
    if (!c.silent) Control("release");
    if (c.action == Action::Delete) {
      TestKit::DialogScript boxes;
      boxes.Expect("Are you sure to delete it?", mrOk);
      TestKit::Click(Buttons()->DeleteBtn);
    } else {
      TestKit::OnNextModal<TForm>([&](TForm* dialog) {
        EXPECT_FALSE(page_.Request->Busy);
        EXPECT_EQ(List()->Items()->Count(), c.silent ? 2 : 3);
        EXPECT_EQ(getOks(), 0) << MemoText(page_.List->StatusPanel()->Memo);
        if (c.silent) {
          EXPECT_TRUE(Held());  // the dialog opened without the reply
          Control("release");
          EXPECT_TRUE(TakeLateReplies());
          EXPECT_EQ(List()->Items()->Count(), 2);
          EXPECT_FALSE(page_.Request->Busy);
        }
        TSNMPPanel* frame = FrameOf(dialog);
        if (c.action == Action::Edit) {
          TestKit::Click(frame->BtnPanel->CloseBtn);
          return;
        }
        const std::string index = std::to_string(added++);
        EditOf(kIndex)->SetText(index.c_str());
        EditOf(kAddress)->SetText(("10.0.0." + index).c_str());
        Rows()->Row(kAddress).CheckBox->SetChecked(true);
        TestKit::Click(frame->BtnPanel->SetBtn);
      });
      TestKit::Click(c.action == Action::Add ? Buttons()->AddBtn : Buttons()->EditBtn);
    }
    ASSERT_TRUE(WaitIdle(*page_.Request));
    ASSERT_TRUE(WaitQuiet());

    EXPECT_EQ(getOks(), 1) << MemoText(page_.List->StatusPanel()->Memo);
    EXPECT_EQ(memo->Strings(memo->Count() - 1).Pos("Get: Ok!"), 1);
    rows += c.action == Action::Add ? 1 : c.action == Action::Delete ? -1 : 0;
    EXPECT_EQ(List()->Items()->Count(), rows);
    EXPECT_EQ(Buttons()->CountText->Caption().str(), std::to_string(rows));
  }
}

TEST_F(ListPage, DeleteAsksFirstAndThenWritesTheDeleteTextOnly) {
  AddTrustHost(2, "10.0.0.2");
  OpenTrustHosts();
  TestKit::ClickRow(List(), RowOf("2"));
  {
    TestKit::DialogScript boxes;
    boxes.Expect("Are you sure to delete it?", mrCancel);
    TestKit::Click(Buttons()->DeleteBtn);
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].request.type, mtConfirmation);
    EXPECT_EQ(boxes.Shown()[0].request.buttons, static_cast<TMsgDlgButtons>(mbOK | mbCancel));
  }
  EXPECT_TRUE(SetLines().empty());
  {
    TestKit::DialogScript boxes;
    boxes.Expect("Are you sure to delete it?", mrOk);
    TestKit::Click(Buttons()->DeleteBtn);
  }
  ASSERT_EQ(SetLines().size(), 1u);
  const std::string set = SetLines()[0];
  EXPECT_NE(set.find(std::string(kTrustHost) + ".3.2=INTEGER:6"), std::string::npos) << set;
  EXPECT_EQ(set.find(std::string(kTrustHost) + ".2.2"), std::string::npos) << set;
  EXPECT_EQ(set.find(std::string(kTrustHost) + ".4.2"), std::string::npos) << set;
  // Read again (synchronously) at once.
  EXPECT_EQ(List()->Items()->Count(), 1);
  EXPECT_EQ(RowOf("2"), -1);
  EXPECT_EQ(Value(std::string(kTrustHost) + ".2.2"), "noSuchInstance");
  ExpectNoMarks();
}

// Rows named with more arcs than the key, as stacking firmware names them
// (seeded through the control channel): the Edit dialog's Set Checked and
// Delete of row 4.9 go to 4.9, never to row 4.
TEST_F(ListPage, EveryWriteOfARowGoesToTheWholeInstanceItWasReadAt) {
  const std::string name = "1.3.6.1.4.1.171.11.101.1.2.5.1.1.2.";
  Control("set " + name + "4 s four");
  Control("set " + name + "4.9 s nine");
  Open(MulticastFilterProfileTableVars, VnItemType::MVT_UMV, 1, 2, "createAndGo", 2, "destroy",
       "Multicast Filter Profile Table: ");
  ASSERT_GE(RowOf("4.9"), 0);
  TestKit::ClickRow(List(), RowOf("4.9"));
  TestKit::OnNextModal<TForm>([&](TForm* dialog) {
    EditOf(1)->SetText("renamed");
    TestKit::Click(FrameOf(dialog)->BtnPanel->CheckAllBtn);
    TestKit::Click(FrameOf(dialog)->BtnPanel->SetBtn);
    if (dialog->Visible()) TestKit::Click(FrameOf(dialog)->BtnPanel->CloseBtn);  // refused
  });
  TestKit::Click(Buttons()->EditBtn);
  ASSERT_TRUE(WaitIdle(*page_.Request));
  EXPECT_EQ(Value(name + "4.9"), "STRING:\"renamed\"");
  TestKit::ClickRow(List(), RowOf("4.9"));
  TestKit::DialogScript boxes;
  boxes.Expect("Are you sure to delete it?", mrOk);
  TestKit::Click(Buttons()->DeleteBtn);
  EXPECT_EQ(Value(name + "4.9"), "noSuchInstance");
  EXPECT_EQ(Value(name + "4"), "STRING:\"four\"");
}

// An index the key cannot carry (a negative number where the instance holds
// it unsigned, one past its range, text that is no number) is refused before
// anything is sent, as any value typed that its syntax cannot carry.
TEST_F(ListPage, AnAddWhoseKeyTheInstanceCannotCarryIsRefused) {
  Open(ProtocolVLANPortVars, VnItemType::MVT_UMV, 2, 3, "createAndGo", 3, "destroy",
       "Protocol VLAN Port: ");
  // The refusal names the field the key cannot carry.
  struct Typed {
    const char *port, *group, *field;
  };
  for (const auto& [port, group, field] :
       {Typed{"4", "-2", "Group ID"}, Typed{"-1", "1", "Port"},
        Typed{"4", "4294967298", "Group ID"}, Typed{"3a", "1", "Port"}}) {
    SCOPED_TRACE(std::string(port) + "/" + group);
    TestKit::OnNextModal<TForm>([&](TForm* dialog) {
      EditOf(0)->SetText(port);
      EditOf(1)->SetText(group);
      EditOf(2)->SetText("1");
      Rows()->Row(2).CheckBox->SetChecked(true);
      TestKit::DialogScript boxes;
      boxes.Expect(std::string(kBadPartValue) + " (" + field + ")");
      TestKit::Click(FrameOf(dialog)->BtnPanel->SetBtn);
      boxes.Verify();
      TestKit::Click(FrameOf(dialog)->BtnPanel->CloseBtn);
    });
    TestKit::Click(Buttons()->AddBtn);
    ASSERT_TRUE(WaitIdle(*page_.Request));
    EXPECT_TRUE(SetLines().empty());
  }
}

TEST_F(ListPage, AFailedDeleteIsReportedAndTheTableReadAgain) {
  OpenTrustHosts();
  TestKit::ClickRow(List(), 0);
  Control(std::string("inject set ") + kTrustHost + " genErr");
  TestKit::DialogScript boxes;
  boxes.Expect("Are you sure to delete it?", mrOk);
  const std::size_t mark = NewLog().size();
  TestKit::Click(Buttons()->DeleteBtn);
  EXPECT_NE(Memo().find("Set: "), std::string::npos) << Memo();
  EXPECT_EQ(List()->Items()->Count(), 1);
  ExpectNoMarks();
  // Read again without "Ok!": the failure stays the last line, and with the
  // rows read again no row is selected.
  ASSERT_TRUE(WaitIdle(*page_.Request));
  EXPECT_EQ(CountLog("GETNEXT", mark), 2);
  EXPECT_EQ(List()->Items()->Count(), 1);
  EXPECT_EQ(Memo().find("Ok!", Memo().rfind("Set: ")), std::string::npos) << Memo();
  EXPECT_EQ(List()->Selected(), nullptr);
  EXPECT_FALSE(Buttons()->EditBtn->Enabled());
  EXPECT_FALSE(Buttons()->DeleteBtn->Enabled());
}

TEST_F(ListPage, AHintShowsEveryColumnOfTheRowUnderThePointer) {
  OpenTrustHosts();
  TestKit::MoveMouse(List(), 30, List()->HeaderHeight() + 8);
  const std::string expected = "Trust Host Index" + std::string(9, '\t') + "  1\n" +
                               "Trust Host IP Address" + std::string(4, '\t') + "  10.90.90.1\n" +
                               "Trust Host Row Status" + std::string(4, '\t') + "  active\n" +
                               "Trust Host IP Subnet Mask" + "  255.255.255.0\n";
  EXPECT_EQ(List()->Hint().str(), expected);
  EXPECT_TRUE(List()->ShowHint());
  TestKit::MoveMouse(List(), 30, 200);
  EXPECT_FALSE(List()->ShowHint());
}

TEST_F(ListPage, AWrongAddTextStopsThePageBeforeItReadsAnything) {
  auto* form = new TConfigForm(Application);
  auto* request = new VnSNMPRequest2Edits(form);
  request->Request.VarList = VnSNMPVarList(TrustHostTableVars, VnItemType::MVT_UMV, 1);
  try {
    form->AddListViewPanel(request, kStatus, "createAndWait", kStatus, "destroy");
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message, "TSNMPListViewPanel::SetAddStatus - Wrong AddStatusValue:createAndWait");
  }
  delete form;  // as the handler's caller does; the form owned the request
  EXPECT_TRUE(WaitQuiet());
  EXPECT_TRUE(NewLog().empty());

  form = new TConfigForm(Application);
  request = new VnSNMPRequest2Edits(form);
  request->Request.VarList = VnSNMPVarList(TrustHostTableVars, VnItemType::MVT_UMV, 1);
  try {
    form->AddListViewPanel(request, kAddress, "createAndGo", -1, nullptr);
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message, "TSNMPListViewPanel::SetAddStatus - Wrong AddStatusValue:createAndGo");
  }
  delete form;

  form = new TConfigForm(Application);
  request = new VnSNMPRequest2Edits(form);
  request->Request.VarList = VnSNMPVarList(TrustHostTableVars, VnItemType::MVT_UMV, 1);
  try {
    form->AddListViewPanel(request, kStatus, "createAndGo", kStatus, "gone");
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message, "TSNMPListViewPanel::SetDeleteStatus - Wrong DeleteStatusValue:gone");
  }
  delete form;
  EXPECT_TRUE(WaitQuiet());
  EXPECT_TRUE(NewLog().empty());
}

TEST_F(ListPage, WithoutStatusTextsThereIsNoAddAndNoDelete) {
  Open(TrustHostTableVars, VnItemType::MVT_UMV, 1, -1, nullptr, -1, nullptr, "Trust Host Table : ");
  EXPECT_FALSE(Buttons()->AddBtn->Visible());
  EXPECT_FALSE(Buttons()->DeleteBtn->Visible());
  EXPECT_TRUE(Buttons()->EditBtn->Visible());
  EXPECT_EQ(Buttons()->CloseBtn->Top(),
            Buttons()->EditBtn->Top() + Buttons()->EditBtn->Height() + 5);
}

TEST_F(ListPage, AReadOnlyTableHasNoEditButtonYetADoubleClickShowsTheRow) {
  Open(MIBCapabilitiesVars, VnItemType::MVT_FMV, 1, -1, nullptr, -1, nullptr, "MIB Capabilities: ");
  ASSERT_GE(List()->Items()->Count(), 1);
  EXPECT_FALSE(Buttons()->EditBtn->Visible());
  bool shown = false;
  TestKit::OnNextModal<TForm>([&](TForm* dialog) {
    shown = true;
    TCtrlBtnPanel* buttons = FrameOf(dialog)->BtnPanel;
    EXPECT_FALSE(buttons->RefreshBtn->Visible());
    EXPECT_FALSE(buttons->SetBtn->Visible());
    EXPECT_FALSE(buttons->CheckAllBtn->Visible());
    EXPECT_TRUE(buttons->CloseBtn->Visible());
    EXPECT_EQ(EditOf(1)->Text(), List()->Items()->Item(0)->SubItems()->Strings(0));
    EXPECT_TRUE(EditOf(1)->ReadOnly());
    TestKit::Click(buttons->CloseBtn);
  });
  TestKit::DoubleClickRow(List(), 0);
  EXPECT_TRUE(shown);
  EXPECT_TRUE(SetLines().empty());
}

// A row-status column that offers nothing but the add and delete texts
// disappears from the Edit dialog and comes back afterwards.
TEST_F(ListPage, AStatusColumnOfOnlyTheTwoTextsIsHiddenInTheEditDialog) {
  static const VnOptionPair kPairs[] = {{4, "createAndGo"}, {6, "destroy"}, {0, nullptr}};
  static VnOptionList twoTexts(kPairs);
  static VnSNMPVarDesc table[5];
  for (int i = 0; i < 4; ++i) table[i] = TrustHostTableVars[i];
  table[kStatus].Options = &twoTexts;
  table[4] = VnSNMPVarDesc{};
  Control(std::string("set ") + kTrustHost + ".3.1 i 4");  // a value the list knows
  Open(table, VnItemType::MVT_UMV, 1, kStatus, "createAndGo", kStatus, "destroy",
       "Trust Host Table : ");
  TestKit::ClickRow(List(), 0);
  TestKit::OnNextModal<TForm>([&](TForm* dialog) {
    EXPECT_FALSE(Rows()->Row(kStatus).EditCtrl->Visible());
    EXPECT_FALSE(Rows()->Row(kStatus).Label->Visible());
    EXPECT_EQ(ComboOf(kStatus)->Items()->Count(), 0);
    TestKit::Click(FrameOf(dialog)->BtnPanel->CloseBtn);
  });
  TestKit::Click(Buttons()->EditBtn);
  EXPECT_EQ(ItemsOf(ComboOf(kStatus)), (std::vector<std::string>{"createAndGo", "destroy"}));
  EXPECT_TRUE(Rows()->Row(kStatus).EditCtrl->Visible());
  ExpectNoMarks();
}

TEST_F(ListPage, AnEditDialogCaptionOnATabSheetCarriesTheDeviceAddress) {
  OpenTrustHosts();
  std::unique_ptr<TForm> host(new TForm(Application));
  auto* pages = new TPageControl(host.get());
  pages->SetParent(host.get());
  auto* sheet = new TTabSheet(host.get());
  sheet->SetPageControl(pages);
  sheet->SetCaption("Hosts: ");
  page_.List->SetParent(sheet);
  const AnsiString address = DeviceAddress;
  DeviceAddress = "10.9.9.9";
  TestKit::OnNextModal<TForm>([](TForm* dialog) {
    EXPECT_EQ(dialog->Caption(), "Hosts: 10.9.9.9 (Add)");
    TestKit::Click(FrameOf(dialog)->BtnPanel->CloseBtn);
  });
  page_.List->AddBtnClick(Buttons()->AddBtn);
  DeviceAddress = address;
  page_.List->SetParent(page_.Form);
}

}  // namespace
