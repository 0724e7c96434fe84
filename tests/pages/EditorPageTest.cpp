// Editor pages against the simulated switch: the rows a scalar group gives,
// their layout and looks, the buttons, "Set Checked" writing the ticked
// rows only, and the refusals.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "PagesTestSupport.h"
#include "catalogue/DeviceMib.h"
#include "catalogue/SingleIpMib.h"
#include "catalogue/TimeMib.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/GUIConfigForm.h"
#include "pages/GUIGenerator.h"
#include "platform/Buttons.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

constexpr const char* kNetworkTime = "1.3.6.1.4.1.171.12.10.11";
constexpr const char* kSingleIp = "1.3.6.1.4.1.171.12.8.1.2";

class EditorPage : public PagesDeviceTest {
 protected:
  void TearDown() override {
    Close();
    PagesDeviceTest::TearDown();
  }
  // Opens the page as a handler does, shown without a modal loop, and waits
  // for its first read.
  void Open(const VnSNMPVarDesc* table, const char* caption) {
    page_ = MakeEditorPage(table, VnItemType::SVT_SV, 0);
    page_.Form->SetCaption(AnsiString(caption) + "127.0.0.1");
    TestKit::ShowAndActivate(page_.Form);
    ASSERT_TRUE(PumpUntil([this] { return page_.Form->CurrentRequest() != nullptr; }));
    ASSERT_TRUE(WaitIdle(*page_.Request));
  }
  void Close() {
    if (!page_.Form) return;
    page_.Form->Close();
    delete page_.Form;
    page_ = Page();
  }
  TEditsPanel* Rows() const { return page_.Editor->EditsPanel; }
  TCtrlBtnPanel* Buttons() const { return page_.Editor->BtnPanel; }
  TEdit* EditOf(int row) const { return dynamic_cast<TEdit*>(Rows()->Row(row).EditCtrl); }
  TComboBox* ComboOf(int row) const { return dynamic_cast<TComboBox*>(Rows()->Row(row).EditCtrl); }
  std::string Memo() const { return MemoText(page_.Editor->StatusPanel()->Memo); }
  std::string LastMemoLine() const {
    const TMemo* memo = page_.Editor->StatusPanel()->Memo;
    return memo->Lines()->Count() ? memo->Lines()->Strings(memo->Lines()->Count() - 1).str() : "";
  }
  void ExpectNoMarks() const {
    const VnSNMPVarList& list = page_.Request->Request.VarList;
    for (int i = 0; i < list.Count(); ++i)
      EXPECT_EQ(list.Item(i)->Access & SNMP_ACCESS_INVALID, 0u) << i;
    EXPECT_TRUE(page_.Request->AsyncMode);
  }

  Page page_;
};

TEST_F(EditorPage, AScalarGroupIsReadOnceWithOneGetAndShownRowByRow) {
  Control(std::string("set ") + kSingleIp + ".5.0 s \"core-group\"");
  Control(std::string("set ") + kSingleIp + ".3.0 i 180");
  Open(SingleIPControlVars, "Single IP Control: ");
  EXPECT_EQ(page_.Form->FormType(), TConfigForm::ftEditor);
  EXPECT_EQ(page_.Form->CurrentRequest(), page_.Request);
  const std::vector<std::string> log = NewLog();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_NE(log[0].find("\tGET\tnoError"), std::string::npos) << log[0];
  for (int k = 1; k <= 5; ++k)
    EXPECT_NE(log[0].find(std::string(kSingleIp) + "." + std::to_string(k) + ".0="),
              std::string::npos)
        << k;
  ASSERT_EQ(Rows()->RowCount(), 5);
  EXPECT_EQ(EditOf(2)->Text(), "180");
  EXPECT_EQ(EditOf(4)->Text(), "core-group");
  ASSERT_NE(ComboOf(0), nullptr);
  EXPECT_EQ(ComboOf(0)->Style(), csDropDownList);
  EXPECT_GE(ComboOf(0)->ItemIndex(), 0);
  EXPECT_EQ(Rows()->Row(4).Label->Caption(), "CS Group Name");
  EXPECT_EQ(Memo().rfind("Get: Ok! Receive at ", 0), 0u) << Memo();
  EXPECT_TRUE(page_.Editor->StatusPanel()->Memo->ReadOnly());
}

TEST_F(EditorPage, SetWritesOnlyTheTickedRowsWithTheValuesShown) {
  Open(SingleIPControlVars, "Single IP Control: ");
  page_.Editor->SetVarFormat(2, "%i{n100x255l3}");
  page_.Editor->SetVarFormat(3, "%i{n30x90l2}");
  EXPECT_FALSE(Buttons()->SetBtn->Enabled());
  EditOf(2)->SetText("200");
  EditOf(3)->SetText("45");  // changed but not ticked: not sent
  EditOf(4)->SetText("lab");
  Rows()->Row(2).CheckBox->SetChecked(true);
  EXPECT_TRUE(Buttons()->SetBtn->Enabled());
  Rows()->Row(4).CheckBox->SetChecked(true);
  TestKit::Click(Buttons()->SetBtn);

  const std::vector<std::string> sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_NE(sets[0].find(std::string(kSingleIp) + ".3.0=INTEGER:200"), std::string::npos)
      << sets[0];
  EXPECT_NE(sets[0].find(std::string(kSingleIp) + ".5.0=STRING:\"lab\""), std::string::npos)
      << sets[0];
  for (int k : {1, 2, 4})
    EXPECT_EQ(sets[0].find(std::string(kSingleIp) + "." + std::to_string(k) + ".0"),
              std::string::npos)
        << k;
  EXPECT_EQ(Value(std::string(kSingleIp) + ".3.0"), "INTEGER:200");
  EXPECT_NE(Value(std::string(kSingleIp) + ".4.0"), "INTEGER:45");
  EXPECT_EQ(LastMemoLine().rfind("Set: Ok! Receive at ", 0), 0u) << Memo();
  // The page stays open, the ticks stay, nothing is left marked.
  EXPECT_TRUE(page_.Form->Visible());
  EXPECT_TRUE(Rows()->Row(2).CheckBox->Checked());
  ExpectNoMarks();
}

TEST_F(EditorPage, ATickedEmptyFieldRefusesAndSendsNothing) {
  Open(SingleIPControlVars, "Single IP Control: ");
  EditOf(4)->SetText("");
  Rows()->Row(4).CheckBox->SetChecked(true);
  Rows()->Row(2).CheckBox->SetChecked(true);
  {
    TestKit::DialogScript boxes;
    boxes.Expect("Some items are empty!");
    TestKit::Click(Buttons()->SetBtn);
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].request.type, mtWarning);
    EXPECT_EQ(boxes.Shown()[0].request.buttons, static_cast<TMsgDlgButtons>(mbOK));
  }
  EXPECT_TRUE(SetLines().empty());
  EXPECT_TRUE(Rows()->Row(4).CheckBox->Checked());
  ExpectNoMarks();

  // An empty value the switch holds is no empty input: left alone, it goes
  // back as it is.
  Control(std::string("set ") + kSingleIp + ".5.0 s \"\"");
  TestKit::Click(Buttons()->RefreshBtn);
  ASSERT_TRUE(WaitIdle(*page_.Request));
  ASSERT_TRUE(EditOf(4)->Text().IsEmpty());
  Rows()->Row(4).CheckBox->SetChecked(true);
  TestKit::Click(Buttons()->SetBtn);
  const std::vector<std::string> sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_NE(sets[0].find(std::string(kSingleIp) + ".5.0=STRING:\"\""), std::string::npos)
      << sets[0];
  ExpectNoMarks();
}

// A refusal, and an answer with an exception where the value was written
// (the agent set nothing), are both failures of the Set.
TEST_F(EditorPage, AFailedSetIsReportedInTheMemo) {
  Open(SingleIPControlVars, "Single IP Control: ");
  const std::string before = Value(std::string(kSingleIp) + ".5.0");
  const std::pair<const char*, const char*> cases[] = {
      {"genErr", "Set: (SNMP) Cannot perform operation, General Error!"},
      {"noSuchObject", "Set: (SNMP) Variable does not exist!"},
      {"noSuchInstance", "Set: (SNMP) Variable does not exist!"},
  };
  for (const auto& [answer, line] : cases) {
    SCOPED_TRACE(answer);
    Control(std::string("inject set ") + kSingleIp + " " + answer);
    EditOf(4)->SetText("x");
    Rows()->Row(4).CheckBox->SetChecked(true);
    TestKit::Click(Buttons()->SetBtn);
    EXPECT_EQ(LastMemoLine().rfind(line, 0), 0u) << Memo();
    EXPECT_EQ(Value(std::string(kSingleIp) + ".5.0"), before);
    ExpectNoMarks();
  }
}

TEST_F(EditorPage, RowsLieOnePerLineAfterTheWidestLabelWithTheirLooks) {
  Open(NetworkTimeVars, "Network Time: ");
  ASSERT_EQ(Rows()->RowCount(), 5);
  const std::uint32_t kinds[] = {3, 4, 2, 2, 2};
  const char* formats[] = {"%s", "%s", "%s{I}", "%s{I}", "%s"};
  int widest = 0;
  for (int i = 0; i < 5; ++i) widest = std::max(widest, Rows()->Row(i).Label->Width());
  int right = 0, bottom = 0;
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(i);
    const UISnmpVar& row = Rows()->Row(i);
    EXPECT_EQ(row.Kind, kinds[i]);
    EXPECT_EQ(row.EditFormat, formats[i]);
    EXPECT_EQ(row.EditCtrl->Height(), 21);
    EXPECT_EQ(row.EditCtrl->Top(), 20 + 26 * i);
    EXPECT_EQ(row.EditCtrl->Width(), 121);
    EXPECT_EQ(row.CheckBox->Left(), 20);
    EXPECT_EQ(row.CheckBox->Width(), 20);
    EXPECT_EQ(row.CheckBox->Top(), row.EditCtrl->Top() + (21 - row.CheckBox->Height()) / 2);
    EXPECT_EQ(row.Label->Left(), 45);
    EXPECT_EQ(row.Label->Top(), row.EditCtrl->Top() + (21 - row.Label->Height()) / 2);
    EXPECT_EQ(row.EditCtrl->Left(), 45 + widest + 5);
    EXPECT_EQ(row.EditCtrl->Parent(), Rows()->ScrollBox);
    EXPECT_EQ(row.CheckBox->Tag(), i);
    EXPECT_FALSE(row.CheckBox->TabStop());
    right = std::max(right, row.EditCtrl->Left() + row.EditCtrl->Width());
    bottom = std::max(bottom, row.EditCtrl->Top() + row.EditCtrl->Height());
  }
  // The read-only option row shows the option text in a read-only edit.
  TEdit* source = EditOf(1);
  ASSERT_NE(source, nullptr);
  EXPECT_TRUE(source->ReadOnly());
  EXPECT_FALSE(source->TabStop());
  EXPECT_EQ(source->Color(), clBtnFace);
  EXPECT_EQ(source->Text(), "system");
  EXPECT_FALSE(Rows()->Row(1).CheckBox->Visible());
  EXPECT_FALSE(Rows()->Row(1).CheckBox->Enabled());
  // Writable rows: white, black, tickable.
  EXPECT_EQ(EditOf(2)->Color(), clWhite);
  EXPECT_FALSE(EditOf(2)->ReadOnly());
  EXPECT_TRUE(Rows()->Row(2).CheckBox->Visible());
  EXPECT_TRUE(ComboOf(0)->Enabled());
  EXPECT_EQ(Rows()->TickableRowCount(), 4);
  EXPECT_FALSE(Rows()->HasNoEditableRow());

  // The buttons of an editor page.
  EXPECT_TRUE(Buttons()->RefreshBtn->Visible());
  EXPECT_TRUE(Buttons()->SetBtn->Visible());
  EXPECT_EQ(Buttons()->SetBtn->Caption(), "Set Checked");
  EXPECT_TRUE(Buttons()->CheckAllBtn->Visible());
  EXPECT_TRUE(Buttons()->ClearChecksBtn->Visible());
  EXPECT_TRUE(Buttons()->CloseBtn->Visible());
  for (TControl* c :
       std::vector<TControl*>{Buttons()->Samples, Buttons()->CountText, Buttons()->EditBtn,
                              Buttons()->AddBtn, Buttons()->DeleteBtn})
    EXPECT_FALSE(c->Visible());
  EXPECT_EQ(Buttons()->RefreshBtn->Top(), 10);
  EXPECT_EQ(Buttons()->SetBtn->Top(), 40);
  EXPECT_EQ(Buttons()->CloseBtn->Top(), 130);
  // The rows' panel was 40 larger than the rows; the page fills its form,
  // which grew to the panel, the button column and the message memo.
  EXPECT_EQ(page_.Editor->Align(), alClient);
  EXPECT_EQ(page_.Form->ClientWidth(), right + 40 + 116 + 3 + 3);
  EXPECT_EQ(page_.Form->ClientHeight(), bottom + 40 + 50 + 3);
  EXPECT_EQ(Rows()->Align(), alClient);

  const std::string path = vntest::ArtifactsDir() + "/pages-editor.png";
  EXPECT_TRUE(TestKit::Grab(page_.Form, path)) << path;
}

TEST_F(EditorPage, CheckAllTicksTheTickableRowsAndClearChecksUnticksThem) {
  Open(NetworkTimeVars, "Network Time: ");
  TestKit::Click(Buttons()->CheckAllBtn);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Rows()->Row(i).CheckBox->Checked(), i != 1) << i;
  EXPECT_TRUE(Buttons()->SetBtn->Enabled());
  TestKit::Click(Buttons()->ClearChecksBtn);
  for (int i = 0; i < 5; ++i) EXPECT_FALSE(Rows()->Row(i).CheckBox->Checked()) << i;
  EXPECT_FALSE(Buttons()->SetBtn->Enabled());
}

TEST_F(EditorPage, AOneVariablePageHasABareFieldAndASetButton) {
  Open(SystemLogStateVars, "System Log State: ");
  EXPECT_EQ(Buttons()->SetBtn->Caption(), "Set");
  EXPECT_TRUE(Buttons()->SetBtn->Enabled());
  EXPECT_FALSE(Buttons()->CheckAllBtn->Visible());
  EXPECT_FALSE(Buttons()->ClearChecksBtn->Visible());
  EXPECT_FALSE(Rows()->Row(0).CheckBox->Visible());
  EXPECT_TRUE(Rows()->Row(0).CheckBox->Checked());
  EXPECT_EQ(Buttons()->SetBtn->Top(), 40);
  EXPECT_EQ(Buttons()->CloseBtn->Top(), 70);
  const int other = ComboOf(0)->ItemIndex() == 0 ? 1 : 0;
  ComboOf(0)->SetItemIndex(other);
  TestKit::Click(Buttons()->SetBtn);
  ASSERT_EQ(SetLines().size(), 1u);
  EXPECT_EQ(Value("1.3.6.1.4.1.171.12.12.1.0"), other == 0 ? "INTEGER:2" : "INTEGER:3");
}

TEST_F(EditorPage, AReadOnlyPageHasOnlyRefreshAndClose) {
  Open(AgentManagementBasicInformationVars, "Basic Information: ");
  EXPECT_TRUE(Rows()->HasNoEditableRow());
  EXPECT_TRUE(Buttons()->RefreshBtn->Visible());
  EXPECT_TRUE(Buttons()->CloseBtn->Visible());
  EXPECT_FALSE(Buttons()->SetBtn->Visible());
  EXPECT_FALSE(Buttons()->CheckAllBtn->Visible());
  EXPECT_FALSE(Buttons()->ClearChecksBtn->Visible());
  EXPECT_EQ(Buttons()->CloseBtn->Top(), 40);
  // Refresh reads again; while busy a second click reads nothing more.
  TestKit::Click(Buttons()->RefreshBtn);
  EXPECT_TRUE(page_.Request->Busy);
  TestKit::Click(Buttons()->RefreshBtn);
  ASSERT_TRUE(WaitIdle(*page_.Request));
  EXPECT_EQ(NewLog().size(), 2u);
}

TEST_F(EditorPage, FormatsAreRefusedForOptionRowsAndTheirBindingStays) {
  Open(NetworkTimeVars, "Network Time: ");
  try {
    page_.Editor->SetVarFormat(0, "%i{n1x5l1}");
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message, "Can not set Var format to a ComboBox!");
  }
  try {
    page_.Editor->SetVarFormat(1, "%s{l4}");
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message, "Unknow UI Control type!");
  }
  ComboOf(0)->SetItemIndex(-1);
  EditOf(1)->SetText("");
  TestKit::Click(Buttons()->RefreshBtn);
  ASSERT_TRUE(WaitIdle(*page_.Request));
  EXPECT_GE(ComboOf(0)->ItemIndex(), 0);
  EXPECT_EQ(EditOf(1)->Text(), "system");
  // An edit row takes a format; a malformed one leaves the row as it was.
  page_.Editor->SetVarFormat(4, "%i{n30x99999l5}");
  EXPECT_EQ(Rows()->Row(4).EditFormat, "%i{n30x99999l5}");
  EXPECT_ANY_THROW(page_.Editor->SetVarFormat(4, "%i{n30x"));
  EXPECT_EQ(Rows()->Row(4).EditFormat, "%i{n30x99999l5}");
  EditOf(4)->SetText("");
  TestKit::Click(Buttons()->RefreshBtn);
  ASSERT_TRUE(WaitIdle(*page_.Request));
  EXPECT_NE(EditOf(4)->Text(), "");
}

TEST_F(EditorPage, ANoteUnderTheRowsAndRowsOnOneLine) {
  Open(NetworkTimeVars, "Network Time: ");
  Rows()->ShowNote("Note:Each bit means one VID unit in VLAN range list!", clRed, 10);
  EXPECT_TRUE(Rows()->NoteLabel->Visible());
  EXPECT_EQ(Rows()->NoteLabel->Caption(), "Note:Each bit means one VID unit in VLAN range list!");
  EXPECT_EQ(Rows()->NoteLabel->Left(), 20);
  EXPECT_EQ(Rows()->NoteLabel->Top(), Rows()->Height() - 15);
  EXPECT_EQ(Rows()->NoteLabel->Font()->Color(), clRed);
  EXPECT_EQ(Rows()->NoteLabel->Font()->Size(), 10);
  EXPECT_EQ(Rows()->NoteLabel->Parent(), Rows()->ScrollBox);

  Rows()->SetEditWidth(80, 1);
  int x = 0;
  for (int i = 0; i < 5; ++i) {
    const UISnmpVar& row = Rows()->Row(i);
    EXPECT_EQ(row.EditCtrl->Top(), 20) << i;
    EXPECT_EQ(row.EditCtrl->Width(), 80) << i;
    EXPECT_EQ(row.CheckBox->Left(), x + 5) << i;
    EXPECT_EQ(row.Label->Left(), x + 30) << i;
    EXPECT_EQ(row.EditCtrl->Left(), row.Label->Left() + row.Label->Width() + 5) << i;
    x = row.EditCtrl->Left() + 80;
  }
  EXPECT_EQ(Rows()->Width(), x + 40);
  EXPECT_EQ(Rows()->Height(), 20 + 21 + 40);
  // Read-only rows in other colours.
  Rows()->SetReadOnlyColours(clNavy, clSilver);
  EXPECT_EQ(EditOf(1)->Color(), clSilver);
  EXPECT_EQ(EditOf(1)->Font()->Color(), clNavy);
  EXPECT_EQ(EditOf(2)->Color(), clWhite);
}

TEST_F(EditorPage, ASecondPageIsRefusedAndTheFirstKeepsWorking) {
  Open(NetworkTimeVars, "Network Time: ");
  auto* second = new VnSNMPRequest2Edits(page_.Form);
  second->Request.VarList = VnSNMPVarList(SystemLogStateVars, VnItemType::SVT_SV, 0);
  for (int attempt = 0; attempt < 2; ++attempt) {
    try {
      if (attempt == 0)
        page_.Form->AddEditorPanel(second);
      else
        page_.Form->AddListViewPanel(second, -1, nullptr, -1, nullptr);
      ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message, "Can not change Type of a Config Form!");
    }
  }
  delete second;  // never taken by the form
  EXPECT_EQ(page_.Form->FormType(), TConfigForm::ftEditor);
  EXPECT_EQ(page_.Form->RequestList()->Count(), 1);
  TestKit::Click(Buttons()->RefreshBtn);
  ASSERT_TRUE(WaitIdle(*page_.Request));
  EXPECT_EQ(EditOf(1)->Text(), "system");
}

TEST_F(EditorPage, WideningTheEditsWidensThePage) {
  Open(NetworkTimeVars, "Network Time: ");
  const int before = page_.Form->ClientWidth();
  page_.Editor->SetEditWidth(121 + 30);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Rows()->Row(i).EditCtrl->Width(), 151);
  EXPECT_EQ(page_.Form->ClientWidth(), before + 30);
}

// A page of sixty rows: the form stops at 800 x 550 and the rows scroll.
TEST_F(EditorPage, ALongPageStopsAtTheLargestFormAndScrolls) {
  static std::vector<std::string> oids, labels;
  static std::vector<VnSNMPVarDesc> table;
  if (table.empty()) {
    for (int i = 0; i < 60; ++i) {
      oids.push_back("1.3.6.1.4.1.171.12.1.2." + std::to_string(100 + i));
      labels.push_back("Setting number " + std::to_string(i + 1));
    }
    for (std::size_t i = 0; i < 60; ++i)
      table.push_back({oids[i].c_str(), labels[i].c_str(), SNMP_SYNTAX_DISPLAYSTR,
                       SNMP_ACCESS_READWRITE, nullptr, nullptr, nullptr, nullptr, nullptr,
                       nullptr});
    table.push_back({});
  }
  Open(table.data(), "Long: ");
  EXPECT_EQ(page_.Form->ClientWidth(), page_.Editor->Width());
  EXPECT_EQ(page_.Form->ClientHeight(), 550);
  EXPECT_EQ(Rows()->Row(59).EditCtrl->Top(), 20 + 26 * 59);
  EXPECT_LT(Rows()->Height(), Rows()->Row(59).EditCtrl->Top());
  EXPECT_TRUE(Rows()->ScrollBox->VertScrollBarShown());
  // The device has none of them: the read fails into the memo.
  EXPECT_EQ(LastMemoLine().rfind("Get: ", 0), 0u) << Memo();
}

// Refresh on a slow device, then a change and Set Checked before the read is
// back: the read's answer, sent before the write, does not put the old value
// back; once the page is idle every row shows what the device holds, so the
// next Set Checked sends the new value again.
TEST_F(EditorPage, ASetBeforeTheReadIsBackIsNotUndoneByIt) {
  const std::string logout = "1.3.6.1.4.1.171.12.1.2.17.0", rs232 = "1.3.6.1.4.1.171.12.1.2.4.0";
  enum { kRs232 = 1, kLogout = 7 };
  Control("set " + logout + " i 1");
  Open(BasicConfigurationVars, "Basic Configuration: ");
  ASSERT_EQ(ComboOf(kLogout)->Text(), "never");
  const int lines = page_.Editor->StatusPanel()->Memo->Lines()->Count();
  Control("set " + rs232 + " i 3");  // changed behind the page
  Control("delay 700");
  const std::size_t mark = NewLog().size();
  TestKit::Click(Buttons()->RefreshBtn);
  PumpUntil([] { return false; }, 50);
  ASSERT_TRUE(page_.Request->Busy);
  Rows()->Row(kLogout).CheckBox->SetChecked(true);
  TestKit::PickItem(ComboOf(kLogout), ComboOf(kLogout)->ItemIndex() + 1);
  TestKit::Click(Buttons()->SetBtn);
  ASSERT_TRUE(WaitIdle(*page_.Request));
  PumpUntil([] { return false; }, 800);  // the first read's answer comes meanwhile

  EXPECT_EQ(Value(logout), "INTEGER:2");
  EXPECT_EQ(ComboOf(kLogout)->Text(), "minutes-2");
  EXPECT_EQ(ComboOf(kRs232)->Text(), "out-of-band");
  // "Set: Ok!" and the read made after it; the first read ended nowhere.
  const TStrings* memo = page_.Editor->StatusPanel()->Memo->Lines();
  ASSERT_EQ(memo->Count(), lines + 2) << Memo();
  EXPECT_EQ(memo->Strings(lines).str().rfind("Set: Ok! ", 0), 0u) << Memo();
  EXPECT_EQ(LastMemoLine().rfind("Get: Ok! ", 0), 0u) << Memo();
  EXPECT_EQ(CountLog("GET", mark), 2);
  Control("delay 0");
  TestKit::Click(Buttons()->SetBtn);
  const std::vector<std::string> sets = SetLines();
  ASSERT_EQ(sets.size(), 2u);
  EXPECT_NE(sets[1].find(logout + "=INTEGER:2"), std::string::npos) << sets[1];
  ExpectNoMarks();
}

TEST_F(EditorPage, HiddenRowsTakeNoPlace) {
  Open(NetworkTimeVars, "Network Time: ");
  Rows()->HideRow(0);
  EXPECT_TRUE(page_.Request->Request.VarList.Item(0)->Access & SNMP_ACCESS_HIDDEN);
  EXPECT_FALSE(Rows()->Row(0).EditCtrl->Visible());
  Rows()->ArrangeRows(2, true);
  // The first visible row is still one row below the top margin.
  EXPECT_EQ(Rows()->Row(1).EditCtrl->Top(), 46);
  Rows()->ShowRow(0);
  EXPECT_FALSE(page_.Request->Request.VarList.Item(0)->Access & SNMP_ACCESS_HIDDEN);
  Rows()->ArrangeRows(2, true);
  EXPECT_EQ(Rows()->Row(0).EditCtrl->Top(), 20);
  EXPECT_EQ(Rows()->Row(1).EditCtrl->Top(), 46);
  // Out of range.
  TestKit::DialogScript boxes;
  boxes.Expect("aIdx is overtop!\n you may define < 5");
  Rows()->SetRowReadOnlyLook(5);
  EXPECT_THROW(Rows()->UncheckRow(9), EListError);
}

}  // namespace
