// The system log host list and its add/edit dialog against the simulated
// switch: the first walk filling the dialog on selection, Add's checks in
// their order and its SET, Edit leaving out the row status and empty fields,
// Delete sending only the row status, and the address and port rules.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "PagesTestSupport.h"
#include "forms/common/FeatureForm.h"
#include "forms/system/LogHostEditUnit.h"
#include "forms/system/SystemLogHostUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/DeviceAddress.h"
#include "pages/FormOpeners.h"
#include "platform/ComCtrls.h"
#include "platform/Messages.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

constexpr const char* kHost = "1.3.6.1.4.1.171.12.12.2.1";

std::string Col(int column, int row) {
  return std::string(kHost) + "." + std::to_string(column) + "." + std::to_string(row);
}

class LogHostForm : public PagesDeviceTest {
 protected:
  void Open(std::function<void(TSystemLogHostForm*)> script) {
    const TFormOpener opener = FindFormOpener("TSystemLogHostForm");
    ASSERT_NE(opener, nullptr);
    DeviceAddress = "127.0.0.1";
    TestKit::OnNextModal<TSystemLogHostForm>([this, script](TSystemLogHostForm* f) {
      EXPECT_EQ(SystemLogHostForm, f);
      EXPECT_TRUE(WaitIdle(*f->Request));
      script(f);
      f->Close();
    });
    opener(Application, "System Log Host Table: 127.0.0.1");
    EXPECT_EQ(SystemLogHostForm, nullptr);
    EXPECT_EQ(LogHostEditForm, nullptr);
  }
  // Opens the dialog with the button and runs `script` in it.
  static void InDialog(TButton* button, std::function<void(TLogHostEditForm*)> script) {
    TestKit::OnNextModal<TLogHostEditForm>(script);
    TestKit::Click(button);
    EXPECT_EQ(TestKit::PendingModalScripts(), 0);
  }
  // The walk after a write has ended with `rows` rows.
  static bool WaitRows(TSystemLogHostForm* f, int rows) {
    return PumpUntil(
        [f, rows] { return !f->Request->Busy && f->ListView1->Items()->Count() == rows; });
  }
  // Set is pressed and must be refused with the message, focus on `focus`.
  static void Refused(TLogHostEditForm* d, const char* message, TWinControl* focus) {
    {
      TestKit::DialogScript boxes;
      boxes.Expect(message);
      TestKit::Click(d->SetButton);
    }
    EXPECT_TRUE(d->Visible()) << message;
    if (focus) {
      EXPECT_TRUE(focus->Focused()) << message;
    }
  }
};

TEST_F(LogHostForm, OpensWithTheHostsAndASelectionFillsTheDialog) {
  Open([](TSystemLogHostForm* f) {
    EXPECT_EQ(f->Caption(), "System Log Host: 127.0.0.1");
    EXPECT_GT(f->ListView1->Height(), 100);  // between the buttons and the memo
    TListView* list = f->ListView1;
    ASSERT_EQ(list->Items()->Count(), 2);
    EXPECT_EQ(f->StaticText1->Caption(), "2");
    EXPECT_EQ(ListCellText(list, 0, 0), "swSysLogServerIndex-1");
    EXPECT_EQ(ListCellText(list, 0, 1), "10.1.1.1");
    EXPECT_EQ(ListCellText(list, 1, 2), "local3");
    EXPECT_FALSE(f->EditButton->Enabled());
    EXPECT_FALSE(f->DeleteButton->Enabled());
    TestKit::ClickRow(list, 1);
    EXPECT_TRUE(f->EditButton->Enabled());
    EXPECT_TRUE(f->DeleteButton->Enabled());
    TLogHostEditForm* d = LogHostEditForm;
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->Owner(), f);
    EXPECT_EQ(d->IPAddrEdit->Text(), "10.1.1.2");
    EXPECT_EQ(d->PortEdit->Text(), "514");
    EXPECT_EQ(ComboText(d->cbxIndex), "swSysLogServerIndex-2");
    EXPECT_EQ(ComboText(d->StateComboBox), "enabled");
    EXPECT_TRUE(TestKit::Grab(f, vntest::ArtifactsDir() + "/form-SystemLogHost.png"));
  });
}

TEST_F(LogHostForm, AddChecksInOrderAndCreatesTheRowWithOneSet) {
  Open([this](TSystemLogHostForm* f) {
    InDialog(f->AddButton, [f](TLogHostEditForm* d) {
      EXPECT_EQ(d->Caption(), "Log Host Add: 127.0.0.1");
      EXPECT_EQ(d->cbxIndex->ItemIndex(), -1);
      EXPECT_EQ(ComboText(d->FacComboBox), "local0");
      EXPECT_EQ(ComboText(d->SevComboBox), "all");
      EXPECT_EQ(ComboText(d->StateComboBox), "disabled");
      EXPECT_EQ(ComboText(d->RowComboBox), "active");
      Refused(d, "Index is needed.", d->cbxIndex);
      TestKit::PickItem(d->cbxIndex, 2);
      d->PortEdit->SetText("515");
      Refused(d, "The range of UDP Port for syslog is 514 or 6000-65535.", d->PortEdit);
      d->PortEdit->SetText("6000");
      Refused(d, "IP Address should be set.", d->IPAddrEdit);
      d->IPAddrEdit->SetText("224.1.1.1");
      Refused(d, "IP Address in not valid.", d->IPAddrEdit);
      d->IPAddrEdit->SetText("10.1.1.1");
      Refused(d, "IP Address must be different.", d->IPAddrEdit);
      d->IPAddrEdit->SetText("1.2.3.4");
      Refused(d, "State should be createAndGo.", d->RowComboBox);
      TestKit::PickItem(d->RowComboBox, 3);
      EXPECT_TRUE(TestKit::Grab(d, vntest::ArtifactsDir() + "/form-LogHostEdit.png"));
      TestKit::Click(d->SetButton);
      (void)f;
    });
    EXPECT_TRUE(WaitRows(f, 3));
    const std::vector<std::string> sets = SetLines();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_NE(sets[0].find(Col(2, 3) + "=IpAddress:1.2.3.4"), std::string::npos) << sets[0];
    EXPECT_NE(sets[0].find(Col(5, 3) + "=INTEGER:6000"), std::string::npos) << sets[0];
    EXPECT_NE(sets[0].find(Col(7, 3) + "=INTEGER:4"), std::string::npos) << sets[0];
    EXPECT_EQ(f->ListView1->Items()->Count(), 3);
    EXPECT_EQ(f->StaticText1->Caption(), "3");
    EXPECT_FALSE(f->EditButton->Enabled());
    for (int item = 1; item <= 6; ++item)
      EXPECT_EQ(f->Request->Request.VarList.Item(item)->Access, 6u) << item;
  });
}

// Refresh as soon as the Add's SET is answered, while the read after it
// still runs: ignored, so the list shows the three hosts once.
TEST_F(LogHostForm, RefreshWhileTheReadAfterAnAddRunsIsIgnored) {
  Open([this](TSystemLogHostForm* f) {
    Control("delay 50");
    const std::size_t mark = NewLog().size();
    InDialog(f->AddButton, [](TLogHostEditForm* d) {
      TestKit::PickItem(d->cbxIndex, 2);
      d->IPAddrEdit->SetText("1.2.3.4");
      TestKit::PickItem(d->RowComboBox, 3);
      TestKit::Click(d->SetButton);
    });
    EXPECT_EQ(RefreshAfterSetOk(f->Memo1, f->GetButton, *f->Request, mark), "1/4");
    EXPECT_EQ(f->ListView1->Items()->Count(), 3);
    Control("delay 0");
  });
}

TEST_F(LogHostForm, EditLeavesOutTheRowStatusAndAnEmptyPort) {
  Open([this](TSystemLogHostForm* f) {
    TestKit::ClickRow(f->ListView1, 1);
    InDialog(f->EditButton, [](TLogHostEditForm* d) {
      EXPECT_EQ(d->Caption(), "Log Host Edit: 127.0.0.1");
      EXPECT_FALSE(d->cbxIndex->Enabled());
      EXPECT_FALSE(d->RowComboBox->Enabled());
      d->IPAddrEdit->SetText("10.1.1.1");  // the other row's address
      Refused(d, "IP Address must be different.", d->IPAddrEdit);
      d->IPAddrEdit->SetText("10.1.1.2");  // its own: fine
      d->PortEdit->SetText("");
      ASSERT_TRUE(SelectComboText(d->FacComboBox, "local7"));
      TestKit::Click(d->SetButton);
    });
    EXPECT_TRUE(PumpUntil(
        [f] { return !f->Request->Busy && ListCellText(f->ListView1, 1, 2) == "local7"; }));
    const std::vector<std::string> sets = SetLines();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_NE(sets[0].find(Col(3, 2) + "=INTEGER:7"), std::string::npos) << sets[0];
    EXPECT_EQ(sets[0].find(Col(5, 2) + "="), std::string::npos) << sets[0];
    EXPECT_EQ(sets[0].find(Col(7, 2) + "="), std::string::npos) << sets[0];
    EXPECT_EQ(Value(Col(3, 2)), "INTEGER:7");
    EXPECT_EQ(ListCellText(f->ListView1, 1, 2), "local7");
  });
}

// A host the switch holds at an index the index list lacks: the index is
// the row's key as the switch names it, not a choice to judge, and the
// facility the user changed is written to that row.
TEST_F(LogHostForm, EditOfAHostAtAnIndexTheListLacksIsWritten) {
  Control("set " + Col(2, 7) + " a 10.1.1.7");
  Open([this](TSystemLogHostForm* f) {
    ASSERT_EQ(f->ListView1->Items()->Count(), 3);
    TestKit::ClickRow(f->ListView1, 2);
    InDialog(f->EditButton, [](TLogHostEditForm* d) {
      EXPECT_EQ(d->cbxIndex->ItemIndex(), -1);
      ASSERT_TRUE(SelectComboText(d->FacComboBox, "local7"));
      TestKit::Click(d->SetButton);  // a message box fails the test
      if (d->Visible()) d->Close();
    });
    EXPECT_TRUE(WaitIdle(*f->Request));
    EXPECT_EQ(Value(Col(3, 7)), "INTEGER:7");
  });
}

// Edit, as Add, waits for the list's read: a write while it runs would not
// be read back.
TEST_F(LogHostForm, EditWhileTheListIsReadSendsNothing) {
  Open([this](TSystemLogHostForm* f) {
    // Long enough that the dialog opens before the last reply, however busy
    // the machine; well inside the request's timeout.
    Control("delay 500");
    TestKit::Click(f->GetButton);
    ASSERT_TRUE(PumpUntil([f] { return f->ListView1->Items()->Count() == 2; }));
    ASSERT_TRUE(f->Request->Busy);
    TestKit::ClickRow(f->ListView1, 1);
    InDialog(f->EditButton, [](TLogHostEditForm* d) {
      d->PortEdit->SetText("6002");
      Refused(d, "Get data not complete", nullptr);
      TestKit::Click(d->CloseButton);
    });
    EXPECT_TRUE(WaitIdle(*f->Request));
    Control("delay 0");
    EXPECT_TRUE(SetLines().empty());
  });
}

TEST_F(LogHostForm, DeleteSendsOnlyTheRowStatusAndTheRowGoes) {
  Open([this](TSystemLogHostForm* f) {
    {
      TestKit::DialogScript boxes;
      boxes.Expect("Choose the item first.");
      f->DeleteButtonClick(nullptr);  // the button is off without a row
    }
    EXPECT_FALSE(f->DeleteButton->Enabled());
    TestKit::ClickRow(f->ListView1, 1);
    TestKit::Click(f->DeleteButton);
    EXPECT_FALSE(f->DeleteButton->Enabled());
    EXPECT_TRUE(WaitRows(f, 1));
    const std::vector<std::string> sets = SetLines();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_NE(sets[0].find(Col(7, 2) + "=INTEGER:6"), std::string::npos) << sets[0];
    for (int column = 2; column <= 6; ++column)
      EXPECT_EQ(sets[0].find(Col(column, 2) + "="), std::string::npos) << sets[0];
    ASSERT_EQ(f->ListView1->Items()->Count(), 1);
    EXPECT_EQ(f->StaticText1->Caption(), "1");
    EXPECT_EQ(Value(Col(2, 2)), "noSuchInstance");
    for (int item = 1; item <= 6; ++item)
      EXPECT_EQ(f->Request->Request.VarList.Item(item)->Access, 6u) << item;
  });
}

// A write the device refuses (an Add for an index in use, an Edit refused
// with an error) keeps the dialog open with what the user typed, for a
// correction or Close; the refusal stays the list's last status line after
// the list has been read again, and the switch keeps its rows.
TEST_F(LogHostForm, ARefusedWriteKeepsTheDialogOpenWithWhatWasTyped) {
  const struct {
    const char* name;
    bool adding;
    const char* inject;  // a control command before the Set, or null
    const char* refusal;
  } writes[] = {
      {"an Add for an index in use", true, nullptr, "inconsistentValue"},
      {"an Edit refused", false, "genErr", "genErr"},
  };
  for (const auto& w : writes) {
    SCOPED_TRACE(w.name);
    Open([this, &w](TSystemLogHostForm* f) {
      if (!w.adding) TestKit::ClickRow(f->ListView1, 0);
      InDialog(w.adding ? f->AddButton : f->EditButton, [this, &w, f](TLogHostEditForm* d) {
        if (w.adding) {
          TestKit::PickItem(d->cbxIndex, 0);
          TestKit::PickItem(d->RowComboBox, 3);
        }
        d->IPAddrEdit->SetText("1.2.3.5");
        d->PortEdit->SetText("6001");
        if (w.inject) Control("inject set " + std::string(kHost) + " " + w.inject);
        TestKit::Click(d->SetButton);
        EXPECT_TRUE(d->Visible());
        EXPECT_EQ(d->ModalResult(), mrNone);
        EXPECT_TRUE(WaitRows(f, 2));
        EXPECT_EQ(f->ListView1->Selected(), nullptr);
        EXPECT_FALSE(f->EditButton->Enabled());
        EXPECT_EQ(d->IPAddrEdit->Text(), "1.2.3.5");
        EXPECT_EQ(d->PortEdit->Text(), "6001");
        EXPECT_EQ(ComboText(d->cbxIndex), "swSysLogServerIndex-1");
        EXPECT_EQ(LastMemoLine(f->Memo1).rfind("Set: ", 0), 0u) << MemoText(f->Memo1);
        EXPECT_EQ(LastMemoLine(f->Memo1).find("Ok!"), std::string::npos) << MemoText(f->Memo1);
        d->Close();
      });
      const std::vector<std::string> sets = SetLines();
      ASSERT_FALSE(sets.empty());
      EXPECT_NE(sets.back().find(w.refusal), std::string::npos) << sets.back();
      EXPECT_EQ(Value(Col(2, 1)), "IpAddress:10.1.1.1");
      EXPECT_EQ(f->ListView1->Selected(), nullptr);
      EXPECT_FALSE(f->EditButton->Enabled());
    });
  }
}

// Edit and Delete are on exactly while a row is selected, whatever moved the
// selection or took the rows away: the keys, a write from the dialog (the
// list is read again, refused or not), an Add dialog that emptied the
// fields.
TEST_F(LogHostForm, TheRowButtonsFollowTheSelection) {
  Open([this](TSystemLogHostForm* f) {
    TListView* list = f->ListView1;
    // The dialog closes on a write the device took and stays open on one it
    // refused: the user closes it then.
    const auto edit = [f] {
      InDialog(f->EditButton, [](TLogHostEditForm* d) {
        TestKit::Click(d->SetButton);
        if (d->Visible()) d->Close();
      });
    };
    const struct {
      const char* step;
      std::function<void()> act;
      bool selected;
    } steps[] = {
        {"keys", [&] { TestKit::PressKeyInList(list, VK_DOWN); }, true},
        {"an Edit the device refuses",
         [&] {
           Control("inject set " + std::string(kHost) + " genErr");
           edit();
         },
         false},
        {"the read after it", [&] { EXPECT_TRUE(WaitRows(f, 2)); }, false},
        {"a click", [&] { TestKit::ClickRow(list, 1); }, true},
        {"an Add closed unwritten",
         [&] {
           InDialog(f->AddButton, [](TLogHostEditForm* d) { TestKit::Click(d->CloseButton); });
         },
         false},
        {"keys again", [&] { TestKit::PressKeyInList(list, VK_DOWN); }, true},
        {"an Edit written", edit, false},
        {"the read after the write", [&] { EXPECT_TRUE(WaitRows(f, 2)); }, false},
    };
    for (const auto& s : steps) {
      s.act();
      EXPECT_EQ(list->Selected() != nullptr, s.selected) << s.step;
      EXPECT_EQ(f->EditButton->Enabled(), s.selected) << s.step;
      EXPECT_EQ(f->DeleteButton->Enabled(), s.selected) << s.step;
    }
    const std::vector<std::string> sets = SetLines();
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_NE(sets[0].find("genErr"), std::string::npos) << sets[0];
  });
}

TEST_F(LogHostForm, AFormDestroyedWithoutClosingTakesItsDialogAlong) {
  std::unique_ptr<TSystemLogHostForm> f(Create<TSystemLogHostForm>(Application));
  ASSERT_NE(LogHostEditForm, nullptr);
  EXPECT_EQ(LogHostEditForm->Owner(), f.get());
  f.reset();
  EXPECT_EQ(LogHostEditForm, nullptr);
}

class LogHostRules : public PagesUiTest {};

TEST_F(LogHostRules, AddressAndPortKinds) {
  std::unique_ptr<TLogHostEditForm> d(Create<TLogHostEditForm>(Application));
  const auto address = [&](const char* text) {
    d->IPAddrEdit->SetText(text);
    return IsValidLogHostAddress(d.get());
  };
  for (const char* good :
       {"0.0.0.0", "223.1.1.1", "248.1.1.1", "1.2.3.4", "10.90.90.254", "001.002.003.0004"})
    EXPECT_TRUE(address(good)) << good;
  for (const char* bad : {"255.255.255.255", "127.0.0.1", "224.1.1.1", "239.1.1.1", "240.0.0.1",
                          "10.1.1", "1.2.3.4.5", "1.2.3.", "1..2.3", "1.2.3.256", "a.1.1.1", "",
                          "100.100.100.1000", "1.2.3.4 ", "001.002.003.00004"})
    EXPECT_FALSE(address(bad)) << bad;
  const auto port = [&](const char* text) {
    d->PortEdit->SetText(text);
    return IsValidLogHostPort(d.get());
  };
  for (const char* good : {"514", "6000", "65535"}) EXPECT_TRUE(port(good)) << good;
  for (const char* bad : {"515", "5999", "65536", "x", "-514"}) EXPECT_FALSE(port(bad)) << bad;
}

}  // namespace
