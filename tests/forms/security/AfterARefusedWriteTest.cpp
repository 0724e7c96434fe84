// The security list forms after the switch refused a write, against the
// simulated switch: no row stays drawn selected beside fields that are not
// its own and buttons that act on it, a click on the row shows its values
// again, and the next Delete removes that row.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "PagesTestSupport.h"
#include "forms/common/FeatureForm.h"
#include "forms/security/EnableMethodListUnit.h"
#include "forms/security/LoginMethodListUnit.h"
#include "forms/security/ServerInfoUnit.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"

namespace {

const std::string kLogin = "1.3.6.1.4.1.171.12.5.3.1.";
const std::string kEnable = "1.3.6.1.4.1.171.12.5.4.1.";
const std::string kServer = "1.3.6.1.4.1.171.12.5.10.1.";

// The instance of a list name: its length and character codes.
std::string Row(const std::string& name) {
  std::string s = std::to_string(name.size());
  for (const char c : name) s += "." + std::to_string(static_cast<unsigned char>(c));
  return s;
}

// One form: what the switch holds, the form opened, its list, the row's
// caption, the key field that shows it, a field the user changes before
// the Edit and the entry, the buttons, the table whose SETs the switch
// refuses, and the row status the Delete must destroy.
struct TRefusedWrite {
  const char* Name;
  std::vector<std::string> Seed;
  std::function<TForm*()> Open;
  std::function<TListView*(TForm*)> List;
  std::string Caption;
  std::function<TEdit*(TForm*)> Key, Field;
  std::string Entry;
  std::function<TButton*(TForm*)> Edit, Delete;
  std::string Table, Destroyed;
};

class AfterARefusedWrite : public OwnedFormTest {};

int RowOf(TListView* list, const std::string& caption) {
  for (int i = 0; i < list->Items()->Count(); ++i)
    if (ListCellText(list, i, 0) == caption.c_str()) return i;
  return -1;
}

TEST_F(AfterARefusedWrite, NoRowStaysSelectedAndTheNextDeleteRemovesTheRowClicked) {
  const std::vector<TRefusedWrite> forms = {
      {"Login Method Control",
       {"set " + kLogin + "10." + Row("m1") + " i 1", "set " + kLogin + "2." + Row("m1") + " i 5",
        "set " + kLogin + "3." + Row("m1") + " s g1"},
       [] { return Shown<TLoginMethodListForm>(); },
       [](TForm* f) { return static_cast<TLoginMethodListForm*>(f)->ListView1; },
       "m1",
       [](TForm* f) { return static_cast<TLoginMethodListForm*>(f)->ListnameEdit; },
       [](TForm* f) { return static_cast<TLoginMethodListForm*>(f)->Server1Edit; },
       "g2",
       [](TForm* f) { return static_cast<TLoginMethodListForm*>(f)->EditButton; },
       [](TForm* f) { return static_cast<TLoginMethodListForm*>(f)->DeleteButton; },
       kLogin,
       kLogin + "10." + Row("m1") + "=INTEGER:6"},
      {"Enable Method Control",
       {"set " + kEnable + "10." + Row("m1") + " i 1", "set " + kEnable + "2." + Row("m1") + " i 5",
        "set " + kEnable + "3." + Row("m1") + " s g1"},
       [] { return Shown<TEnableMethodForm>(); },
       [](TForm* f) { return static_cast<TEnableMethodForm*>(f)->ListView1; },
       "m1",
       [](TForm* f) { return static_cast<TEnableMethodForm*>(f)->NameEdit; },
       [](TForm* f) { return static_cast<TEnableMethodForm*>(f)->ServerGroupEdit1; },
       "g2",
       [](TForm* f) { return static_cast<TEnableMethodForm*>(f)->EditButton; },
       [](TForm* f) { return static_cast<TEnableMethodForm*>(f)->DeleteButton; },
       kEnable,
       kEnable + "10." + Row("m1") + "=INTEGER:6"},
      {"Server Information",
       {},
       [] { return Shown<TServerInformationForm>(); },
       [](TForm* f) { return static_cast<TServerInformationForm*>(f)->ListView1; },
       "10.90.90.20",
       [](TForm* f) { return static_cast<TServerInformationForm*>(f)->IPEdit; },
       [](TForm* f) { return static_cast<TServerInformationForm*>(f)->PortEdit; },
       "1813",
       [](TForm* f) { return static_cast<TServerInformationForm*>(f)->EditButton; },
       [](TForm* f) { return static_cast<TServerInformationForm*>(f)->DeleteButton; },
       kServer,
       kServer + "7.10.90.90.20.4=INTEGER:6"},
  };
  for (const TRefusedWrite& t : forms) {
    SCOPED_TRACE(t.Name);
    for (const std::string& command : t.Seed) Control(command);
    form_.reset(t.Open());
    TListView* list = t.List(form_.get());
    const int row = RowOf(list, t.Caption);
    ASSERT_GE(row, 0);
    TestKit::ClickRow(list, row);
    t.Field(form_.get())->SetText(t.Entry.c_str());
    Control("inject set " + t.Table.substr(0, t.Table.size() - 1) + " genErr");
    TestKit::Click(t.Edit(form_.get()));
    // Nothing is selected and no button acts on a row; the fields stay.
    EXPECT_EQ(t.Key(form_.get())->Text(), t.Caption.c_str());
    EXPECT_EQ(t.Field(form_.get())->Text(), t.Entry.c_str());
    EXPECT_EQ(list->Selected(), nullptr);
    EXPECT_FALSE(t.Edit(form_.get())->Enabled());
    EXPECT_FALSE(t.Delete(form_.get())->Enabled());
    // A click shows the row again; Delete removes it.
    TestKit::ClickRow(list, RowOf(list, t.Caption));
    EXPECT_EQ(t.Key(form_.get())->Text(), t.Caption.c_str());
    const std::size_t before = SetLines().size();
    TestKit::Click(t.Delete(form_.get()));
    const std::vector<std::string> sets = SetLines();
    ASSERT_EQ(sets.size(), before + 1);
    EXPECT_NE(sets.back().find(t.Destroyed), std::string::npos) << sets.back();
    EXPECT_EQ(RowOf(list, t.Caption), -1);
    form_->Hide();
    form_.reset();
  }
}

}  // namespace
