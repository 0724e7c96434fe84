// The login and enable method-list forms against the simulated switch: the
// first read, which slots an Add or Edit writes (and the question about
// methods after "local"), the input checks, and deleting through Edit.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "PagesTestSupport.h"
#include "forms/security/EnableMethodListUnit.h"
#include "forms/security/LoginMethodListUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/ComCtrls.h"
#include "platform/Dialogs.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

const std::string kLogin = "1.3.6.1.4.1.171.12.5.3.1.";
const std::string kEnable = "1.3.6.1.4.1.171.12.5.4.1.";
// The instance of a list name: its length and character codes.
std::string Row(const std::string& name) {
  std::string s = std::to_string(name.size());
  for (const char c : name) s += "." + std::to_string(static_cast<unsigned char>(c));
  return s;
}
bool Has(const std::string& line, const std::string& text) {
  return line.find(text) != std::string::npos;
}

class LoginMethodFormTest : public PagesDeviceTest {
 protected:
  void Open() {
    form_.reset(Create<TLoginMethodListForm>(Application));
    TestKit::ShowAndActivate(form_.get());
  }
  void TearDown() override {
    if (form_) {
      form_->Hide();
      form_.reset();
    }
    PagesDeviceTest::TearDown();
  }
  int RowOf(const char* name) const {
    for (int i = 0; i < form_->ListView1->Items()->Count(); ++i)
      if (form_->ListView1->Items()->Item(i)->Caption() == name) return i;
    return -1;
  }
  void AddList(const std::string& name) { Control("set " + kLogin + "10." + Row(name) + " i 4"); }
  std::unique_ptr<TLoginMethodListForm> form_;
};

TEST_F(LoginMethodFormTest, OpensWithTheListsAndTheGroupEditsOff) {
  Open();
  EXPECT_EQ(form_->Caption().Pos("Login Method List: "), 1);
  ASSERT_EQ(form_->ListView1->Items()->Count(), 1);
  EXPECT_EQ(form_->ListView1->Items()->Item(0)->Caption(), "default");
  EXPECT_EQ(form_->StaticText1->Caption(), "1");
  EXPECT_FALSE(form_->Request->AsyncMode);
  EXPECT_EQ(form_->RowComboBox->Text(), "createAndGo");
  EXPECT_FALSE(form_->EditButton->Enabled());
  // The request's status line is where the bar shows it: panel 0.
  EXPECT_EQ(form_->StatusBar1->DisplayedText().Pos("Get: Ok!"), 1)
      << form_->StatusBar1->DisplayedText().str();
  EXPECT_FALSE(form_->DeleteButton->Enabled());
  EXPECT_TRUE(form_->AddButton->Enabled());
  for (TEdit* e : {form_->Server1Edit, form_->Server4Edit}) EXPECT_FALSE(e->Enabled());
  ASSERT_EQ(form_->ComboBoxType1->Items()->Count(), 8);
  EXPECT_EQ(form_->ComboBoxType1->Items()->Strings(4), "server-group");
  EXPECT_NE(FindFormOpener("TLoginMethodListForm"), nullptr);

  // The list "default" can be edited but not deleted.
  TestKit::ClickRow(form_->ListView1, 0);
  EXPECT_TRUE(form_->EditButton->Enabled());
  EXPECT_FALSE(form_->DeleteButton->Enabled());
  EXPECT_FALSE(form_->ListnameEdit->Enabled());
  EXPECT_EQ(form_->ListnameEdit->Text(), "default");
  EXPECT_TRUE(TestKit::Grab(form_.get(), vntest::ArtifactsDir() + "/form-LoginMethodListForm.png"));
}

TEST_F(LoginMethodFormTest, AddAsksAboutMethodsAfterLocalAndLeavesThemOut) {
  Open();
  form_->ListnameEdit->SetText("vty");
  TestKit::PickItem(form_->ComboBoxType1, 5);  // local
  TestKit::PickItem(form_->ComboBoxType2, 3);  // RADIUS
  form_->ComboBoxType3->SetItemIndex(-1);
  form_->ComboBoxType4->SetItemIndex(7);  // other
  const char* question =
      "Method(s) after method local and none is(are) ineffective. Do you want to change your "
      "configurations?";
  {
    TestKit::DialogScript dialogs;
    dialogs.Expect(question, mrYes);
    TestKit::Click(form_->AddButton);
  }
  EXPECT_TRUE(SetLines().empty());
  EXPECT_EQ(form_->ListnameEdit->Text(), "vty");
  {
    TestKit::DialogScript dialogs;
    dialogs.Expect(question, mrNo);
    TestKit::Click(form_->AddButton);
  }
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  const std::string row = "." + Row("vty") + "=";
  EXPECT_TRUE(Has(sets[0], kLogin + "2" + row + "INTEGER:6")) << sets[0];
  EXPECT_TRUE(Has(sets[0], kLogin + "10" + row + "INTEGER:4")) << sets[0];
  for (const char* column : {"3", "4", "5", "6", "7", "8", "9"})
    EXPECT_FALSE(Has(sets[0], kLogin + column + row)) << column << " " << sets[0];
  EXPECT_GE(RowOf("vty"), 0);
  EXPECT_EQ(form_->ListnameEdit->Text(), "");
  for (int i = 0; i < 10; ++i)
    EXPECT_EQ(form_->Request->Request.VarList.Item(i)->Access, i == 0 ? 1u : 6u) << i;
}

TEST_F(LoginMethodFormTest, InputChecksComeBeforeAnythingIsSent) {
  Open();
  TestKit::DialogScript dialogs;
  dialogs.Expect("AAC Login Method List Name must be set.")
      .Expect(
          "Has already a record with the same Login Method List Name. Please Change Login "
          "Method List Name.")
      .Expect("Row State must be createAndGo.");
  TestKit::Click(form_->AddButton);
  form_->ListnameEdit->SetText("default");
  TestKit::Click(form_->AddButton);
  EXPECT_TRUE(form_->ListnameEdit->Focused());
  form_->ListnameEdit->SetText("Default");
  form_->RowComboBox->SetItemIndex(0);
  TestKit::Click(form_->AddButton);
  EXPECT_TRUE(SetLines().empty());
  // Another letter case is another list.
  form_->RowComboBox->SetItemIndex(3);
  TestKit::PickItem(form_->ComboBoxType1, 0);  // TACACS
  form_->Server1Edit->SetText("left");
  TestKit::Click(form_->AddButton);
  ASSERT_EQ(SetLines().size(), 1u);
  EXPECT_TRUE(Has(SetLines()[0], kLogin + "2." + Row("Default") + "=INTEGER:1")) << SetLines()[0];
  EXPECT_FALSE(Has(SetLines()[0], kLogin + "3.")) << SetLines()[0];
  // A name of 16 characters cannot be typed.
  TestKit::TypeText(form_->ListnameEdit, "abcdefghijklmnopq");
  EXPECT_EQ(form_->ListnameEdit->Text().Length(), 15);
}

TEST_F(LoginMethodFormTest, EditKeepsOrLeavesOutTheServerGroupAndDestroyDeletes) {
  AddList("ops");
  Control("set " + kLogin + "2." + Row("ops") + " i 5");
  Control("set " + kLogin + "3." + Row("ops") + " s radius");
  Control("set " + kLogin + "4." + Row("ops") + " i 6");
  Control("set " + kLogin + "6." + Row("ops") + " i 9");
  Control("set " + kLogin + "8." + Row("ops") + " i 9");
  Open();
  TestKit::ClickRow(form_->ListView1, RowOf("ops"));
  EXPECT_TRUE(form_->DeleteButton->Enabled());
  EXPECT_EQ(form_->ComboBoxType1->Text(), "server-group");
  // The row's group name stays shown; an Edit sends it unchanged.
  EXPECT_EQ(form_->Server1Edit->Text(), "radius");
  EXPECT_TRUE(form_->Server1Edit->Enabled());
  EXPECT_FALSE(form_->Server2Edit->Enabled());
  TestKit::Click(form_->EditButton);
  ASSERT_EQ(SetLines().size(), 1u);
  const std::string row = "." + Row("ops") + "=";
  EXPECT_TRUE(Has(SetLines()[0], kLogin + "3" + row + "STRING:\"radius\"")) << SetLines()[0];
  EXPECT_FALSE(Has(SetLines()[0], kLogin + "10" + row)) << SetLines()[0];
  // "other" as the switch holds it is no method: it is left out.
  EXPECT_FALSE(Has(SetLines()[0], kLogin + "6" + row)) << SetLines()[0];
  EXPECT_EQ(Value(kLogin + "3." + Row("ops")), "STRING:\"radius\"");

  // An emptied group name is left out; the type is still written. "other"
  // chosen is written.
  TestKit::ClickRow(form_->ListView1, RowOf("ops"));
  form_->Server1Edit->SetText("");
  TestKit::PickItem(form_->ComboBoxType2, 7);  // other
  TestKit::Click(form_->EditButton);
  ASSERT_EQ(SetLines().size(), 2u);
  EXPECT_TRUE(Has(SetLines()[1], kLogin + "4" + row + "INTEGER:9")) << SetLines()[1];
  EXPECT_TRUE(Has(SetLines()[1], kLogin + "2" + row + "INTEGER:5")) << SetLines()[1];
  EXPECT_FALSE(Has(SetLines()[1], kLogin + "3" + row)) << SetLines()[1];
  EXPECT_EQ(Value(kLogin + "3." + Row("ops")), "STRING:\"radius\"");
  EXPECT_EQ(form_->Request->Request.VarList.Item(2)->Access, 6u);

  // Edit with "destroy" deletes the row: type 1 and the row status only.
  TestKit::ClickRow(form_->ListView1, RowOf("ops"));
  form_->RowComboBox->SetItemIndex(5);
  TestKit::Click(form_->EditButton);
  ASSERT_EQ(SetLines().size(), 3u);
  EXPECT_TRUE(Has(SetLines()[2], kLogin + "10" + row + "INTEGER:6")) << SetLines()[2];
  EXPECT_FALSE(Has(SetLines()[2], kLogin + "3" + row)) << SetLines()[2];
  EXPECT_EQ(RowOf("ops"), -1);
  EXPECT_EQ(form_->StaticText1->Caption(), "1");
}

// The question about methods after "local" and "none" judges what the user
// changed: a row the switch holds so goes back untouched without it; once
// the user changes a slot's type the order is judged.
TEST_F(LoginMethodFormTest, EditAsksAboutTheOrderOnlyWhenTheUserChangedAType) {
  AddList("ops");
  const int held[] = {6, 8, 8, 8};  // local, none, none, none
  for (int n = 0; n < 4; ++n)
    Control("set " + kLogin + std::to_string(2 + 2 * n) + "." + Row("ops") + " i " +
            std::to_string(held[n]));
  Open();
  const char* question =
      "Method(s) after method local and none is(are) ineffective. Do you want to change your "
      "configurations?";
  const struct {
    const char* name;
    int slot3;  // the item index picked in slot 3's type; -1: left alone
    bool asked;
  } edits[] = {
      {"untouched", -1, false},
      {"slot 3 changed to RADIUS", 3, true},
  };
  for (const auto& e : edits) {
    SCOPED_TRACE(e.name);
    const std::size_t before = SetLines().size();
    TestKit::ClickRow(form_->ListView1, RowOf("ops"));
    if (e.slot3 >= 0) TestKit::PickItem(form_->ComboBoxType3, e.slot3);
    TestKit::DialogScript dialogs;
    if (e.asked) dialogs.Expect(question, mrYes);
    TestKit::Click(form_->EditButton);
    dialogs.Verify();
    ASSERT_EQ(SetLines().size(), before + (e.asked ? 0 : 1));
  }
  const std::string row = "." + Row("ops") + "=";
  for (int n = 0; n < 4; ++n)
    EXPECT_TRUE(Has(SetLines()[0], kLogin + std::to_string(2 + 2 * n) + row +
                                       "INTEGER:" + std::to_string(held[n])))
        << n << " " << SetLines()[0];
}

// A list the switch holds under the empty name: its name is the row's key,
// not typed, and an Edit of the row goes to that row.
TEST_F(LoginMethodFormTest, AListOfTheEmptyNameTakesAnEdit) {
  AddList("");
  Open();
  const int row = RowOf("");
  ASSERT_GE(row, 0);
  TestKit::ClickRow(form_->ListView1, row);
  TestKit::PickItem(form_->ComboBoxType1, 3);
  TestKit::Click(form_->EditButton);  // a message box fails the test
  ASSERT_EQ(SetLines().size(), 1u);
  EXPECT_TRUE(Has(SetLines()[0], kLogin + "2." + Row("") + "=INTEGER:")) << SetLines()[0];
}

TEST_F(LoginMethodFormTest, ARefusedSetIsShownInPanelZero) {
  Open();
  Control("inject set " + kLogin + "10 genErr");
  form_->ListnameEdit->SetText("bad");
  TestKit::Click(form_->AddButton);
  EXPECT_NE(form_->StatusBar1->Panels()->Items(0)->Text().Pos("General"), 0)
      << form_->StatusBar1->Panels()->Items(0)->Text().c_str();
  EXPECT_EQ(form_->Request->Request.VarList.Item(1)->Access, 6u);
  EXPECT_TRUE(form_->AddButton->Enabled());
}

// A click beside the rows takes the row shown away; a new list being typed
// stays.
TEST_F(LoginMethodFormTest, AClickBesideTheRowsTakesTheRowShownAwayAndKeepsANewList) {
  Open();
  TestKit::ClickRow(form_->ListView1, 0);
  ASSERT_EQ(form_->ListnameEdit->Text(), "default");
  TestKit::ClickEmpty(form_->ListView1);
  EXPECT_EQ(form_->ListnameEdit->Text(), "");
  EXPECT_TRUE(form_->ListnameEdit->Enabled());
  EXPECT_EQ(form_->ComboBoxType1->ItemIndex(), -1);
  EXPECT_EQ(form_->RowComboBox->Text(), "createAndGo");
  form_->ListnameEdit->SetText("new");
  TestKit::PickItem(form_->ComboBoxType1, 5);
  TestKit::ClickEmpty(form_->ListView1);
  EXPECT_EQ(form_->ListnameEdit->Text(), "new");
  EXPECT_EQ(form_->ComboBoxType1->ItemIndex(), 5);
}

// The write is taken and the read after it fails: the count is the rows
// the list holds then.
TEST_F(LoginMethodFormTest, AFailedReadAfterAnAddLeavesTheCountOfTheRowsListed) {
  Open();
  const std::string table = kLogin.substr(0, kLogin.size() - 1);
  Control("inject getnext " + table + " genErr");
  Control("inject getbulk " + table + " genErr");
  form_->ListnameEdit->SetText("new");
  TestKit::Click(form_->AddButton);
  ASSERT_EQ(SetLines().size(), 1u);
  EXPECT_LT(form_->ListView1->Items()->Count(), 2);
  EXPECT_EQ(form_->StaticText1->Caption(), AnsiString(form_->ListView1->Items()->Count()));
}

class EnableMethodFormTest : public PagesDeviceTest {
 protected:
  void TearDown() override {
    if (form_) {
      form_->Hide();
      form_.reset();
    }
    PagesDeviceTest::TearDown();
  }
  std::unique_ptr<TEnableMethodForm> form_;
};

TEST_F(EnableMethodFormTest, ItsOwnTableTextsAndLocalEnable) {
  form_.reset(Create<TEnableMethodForm>(Application));
  TestKit::ShowAndActivate(form_.get());
  EXPECT_EQ(form_->Caption(), "Enable Method List");
  ASSERT_EQ(form_->ListView1->Items()->Count(), 1);
  EXPECT_EQ(form_->ListView1->Items()->Item(0)->Caption(), "enable");
  EXPECT_EQ(form_->Type1ComboBox->Items()->Strings(5), "local-enable");
  EXPECT_NE(FindFormOpener("TEnableMethodForm"), nullptr);
  EXPECT_TRUE(TestKit::Grab(form_.get(), vntest::ArtifactsDir() + "/form-EnableMethodForm.png"));

  TestKit::DialogScript dialogs;
  dialogs.Expect("Enable MethodList Name must be set.")
      .Expect(
          "Has already a record with the same Enable MethodList Name. Please Change Enable "
          "MethodList Name.");
  TestKit::Click(form_->AddButton);
  form_->NameEdit->SetText("enable");
  TestKit::Click(form_->AddButton);
  // "none" then RADIUS: RADIUS is dropped on No; the group edits are set
  // by the type handlers again after the write.
  form_->NameEdit->SetText("admin");
  TestKit::PickItem(form_->Type1ComboBox, 6);  // none
  TestKit::PickItem(form_->Type2ComboBox, 4);  // server-group
  form_->ServerGroupEdit2->SetText("g1");
  dialogs.Expect(
      "Method(s) after method local and none is(are) ineffective. Do you want to change your "
      "configurations?",
      mrNo);
  TestKit::Click(form_->AddButton);
  ASSERT_EQ(SetLines().size(), 1u);
  const std::string row = "." + Row("admin") + "=";
  EXPECT_TRUE(Has(SetLines()[0], kEnable + "2" + row + "INTEGER:8")) << SetLines()[0];
  EXPECT_FALSE(Has(SetLines()[0], kEnable + "4" + row)) << SetLines()[0];
  EXPECT_FALSE(Has(SetLines()[0], kEnable + "5" + row)) << SetLines()[0];
  EXPECT_EQ(form_->ListView1->Items()->Count(), 2);
  EXPECT_TRUE(form_->ServerGroupEdit2->Enabled());
  EXPECT_EQ(form_->ServerGroupEdit2->Text(), "");
}

}  // namespace
