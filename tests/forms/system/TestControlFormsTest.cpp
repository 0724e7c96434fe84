// The ping and traceroute test lists and their "Set Checked" dialogs against
// the simulated switch: the first walk, Add with only the keys ticked, the
// target address rules, an empty ticked field, Edit never writing the row
// status, Delete writing only "destroy", Set Checked while the list is still
// read, and the traceroute ranges.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "PagesTestSupport.h"
#include "forms/common/FeatureForm.h"
#include "forms/system/PingControlTableFormEditUnit.h"
#include "forms/system/PingControlTableFormUnit.h"
#include "forms/system/TraceRouteControlUnit.h"
#include "forms/system/TraceRouteEditForm.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/DeviceAddress.h"
#include "pages/FormOpeners.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

constexpr const char* kPing = "1.3.6.1.2.1.80.1.2.1";
constexpr const char* kTrace = "1.3.6.1.2.1.81.1.2.1";
// "1"/"t1" and "1"/"ping1" (the seeded test) as row instances.
constexpr const char* kNewRow = "1.49.2.116.49";
// "2"/"p2": a test whose owner index is a number, as the dialog takes it.
constexpr const char* kPingRow = "1.50.2.112.50";

std::string Col(const char* table, int column, const char* row) {
  return std::string(table) + "." + std::to_string(column) + "." + row;
}

class TestControlForms : public PagesDeviceTest {
 public:
  // The list form of class F opened from its menu entry, `script` run in it.
  template <class F>
  void OpenList(const char* className, F** global,
                std::function<void(TTestControlListForm*)> script) {
    Open<F>(className, global, "127.0.0.1", [script](F* f) { script(f); });
  }

 protected:
  template <class F>
  void Open(const char* className, F** global, const char* caption,
            std::function<void(F*)> script) {
    const TFormOpener opener = FindFormOpener(className);
    ASSERT_NE(opener, nullptr);
    DeviceAddress = "127.0.0.1";
    TestKit::OnNextModal<F>([script](F* f) {
      EXPECT_TRUE(WaitIdle(*f->Request));
      script(f);
      f->Close();
    });
    opener(Application, caption);
    EXPECT_EQ(*global, nullptr);
  }
  void OpenPing(std::function<void(TPingctrlTableForm*)> script) {
    Open<TPingctrlTableForm>("TPingctrlTableForm", &PingctrlTableForm,
                             "Ping Control Table: 127.0.0.1", script);
    EXPECT_EQ(PingcrtlEditForm, nullptr);
  }
  template <class D>
  static void InDialog(TButton* button, std::function<void(D*)> script) {
    TestKit::OnNextModal<D>(script);
    TestKit::Click(button);
    EXPECT_EQ(TestKit::PendingModalScripts(), 0);
  }
  static bool WaitRows(TTestControlListForm* f, int rows) {
    return PumpUntil(
        [f, rows] { return !f->Request->Busy && f->ListView1->Items()->Count() == rows; });
  }
  static void Refused(TTestControlEditForm* d, const char* message, TWinControl* focus) {
    {
      TestKit::DialogScript boxes;
      boxes.Expect(message);
      TestKit::Click(d->SetButton);
    }
    EXPECT_TRUE(d->Visible()) << message;
    EXPECT_TRUE(focus->Focused()) << message;
  }
};

TEST_F(TestControlForms, PingListOpensAndASelectionFillsTheDialog) {
  OpenPing([](TPingctrlTableForm* f) {
    TListView* list = f->ListView1;
    ASSERT_EQ(list->Items()->Count(), 1);
    EXPECT_EQ(f->StaticText1->Caption(), "1");
    EXPECT_EQ(ListCellText(list, 0, 1), "ping1");
    EXPECT_FALSE(f->EditButton->Enabled());
    EXPECT_FALSE(f->DeleteButton->Enabled());
    TestKit::ClickRow(list, 0);
    EXPECT_TRUE(f->EditButton->Enabled());
    EXPECT_TRUE(f->DeleteButton->Enabled());
    ASSERT_NE(PingcrtlEditForm, nullptr);
    EXPECT_EQ(PingcrtlEditForm->Owner(), f);
    EXPECT_EQ(PingcrtlEditForm->NameEdit->Text(), "ping1");
    EXPECT_TRUE(TestKit::Grab(f, vntest::ArtifactsDir() + "/form-PingctrlTable.png"));
  });
}

TEST_F(TestControlForms, PingAddWithOnlyTheKeysSendsOnlyCreateAndGo) {
  OpenPing([this](TPingctrlTableForm* f) {
    InDialog<TPingcrtlEditForm>(f->AddButton, [f](TPingcrtlEditForm* d) {
      EXPECT_EQ(d->Caption(), f->Caption() + " (Add)");
      EXPECT_TRUE(d->IndexCBox->Checked());
      EXPECT_FALSE(d->IndexCBox->Enabled());
      EXPECT_TRUE(d->StatusCBox->Checked());
      EXPECT_FALSE(d->IPCBox->Checked());
      EXPECT_EQ(ComboText(d->StatusComboBox), "createAndGo");
      Refused(d, "The Test Name can't be empty", d->NameEdit);
      d->NameEdit->SetText("t1");
      Refused(d, "The Owner Index can't be empty", d->IndexEdit);
      d->IndexEdit->SetText("1");
      d->TimeoutCheckBox->SetChecked(true);
      Refused(d, "Some Checked fields are empty", d->TimeoutEdit);
      d->TimeoutCheckBox->SetChecked(false);
      EXPECT_TRUE(TestKit::Grab(d, vntest::ArtifactsDir() + "/form-PingcrtlEdit.png"));
      TestKit::Click(d->SetButton);
      EXPECT_EQ(d->ModalResult(), mrCancel) << MemoText(f->Memo1);
    });
    EXPECT_TRUE(WaitRows(f, 2));
    const std::vector<std::string> sets = SetLines();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_NE(sets[0].find(Col(kPing, 23, kNewRow) + "=INTEGER:4"), std::string::npos) << sets[0];
    for (int column : {1, 2, 4, 6, 7, 8, 17})
      EXPECT_EQ(sets[0].find(Col(kPing, column, kNewRow)), std::string::npos) << sets[0];
    for (int item = 0; item < 8; ++item)
      EXPECT_NE(f->Request->Request.VarList.Item(item)->Access, 32u) << item;
  });
}

// Refresh twice while a walk runs starts one walk; Refresh as soon as the
// Add's SET is answered, while the read after it runs, is ignored too.
TEST_F(TestControlForms, PingRefreshWhileBusyStartsNoSecondWalk) {
  OpenPing([this](TPingctrlTableForm* f) {
    EXPECT_EQ(ExchangesOfTwoClicks(f->GetButton, *f->Request), 2);
    Control("delay 50");
    const std::size_t mark = NewLog().size();
    InDialog<TPingcrtlEditForm>(f->AddButton, [](TPingcrtlEditForm* d) {
      d->IndexEdit->SetText("1");
      d->NameEdit->SetText("t1");
      TestKit::Click(d->SetButton);
    });
    EXPECT_EQ(RefreshAfterSetOk(f->Memo1, f->GetButton, *f->Request, mark), "1/3");
    EXPECT_EQ(f->ListView1->Items()->Count(), 2);
    Control("delay 0");
  });
}

TEST_F(TestControlForms, PingTargetAddressRules) {
  OpenPing([this](TPingctrlTableForm* f) {
    TestKit::ClickRow(f->ListView1, 0);  // its target is no address
    InDialog<TPingcrtlEditForm>(f->AddButton, [](TPingcrtlEditForm* d) {
      d->IndexEdit->SetText("1");
      d->NameEdit->SetText("t1");
      d->IpEdit->SetText("127.0.0.1");  // unticked: not looked at
      d->CheckAllButtonClick(nullptr);
      EXPECT_TRUE(d->AdminCheckBox->Checked());
      d->ClearButtonClick(nullptr);
      EXPECT_FALSE(d->IPCBox->Checked());
      EXPECT_TRUE(d->IndexCBox->Checked());
      d->IPCBox->SetChecked(true);
      d->IpEdit->SetText("");
      Refused(d, "Target Address can't be empty", d->IpEdit);
      const std::pair<const char*, const char*> cases[] = {
          {"0.0.0.0", "you can't input this IP address"},
          {"255.255.255.255", "you can't input this IP address"},
          {"127.0.0.1", "you can't input IP address like 127.*.*.*"},
          {"224.1.1.1", "Please input a valid IP"},
          {"240.1.1.1", "Please input a valid IP"},
          {"10", "Please input a valid IP"},
          {"10.1.1", "Please input a valid IP"},
          {"target-address", "Please input a valid IP"},  // the row's own, for a new test
      };
      for (const auto& [text, message] : cases) {
        d->IpEdit->SetText(text);
        Refused(d, message, d->IpEdit);
      }
      d->IpEdit->SetText("223.1.1.1");  // class C: a host
      TestKit::Click(d->SetButton);
    });
    EXPECT_TRUE(WaitRows(f, 2));
    const std::vector<std::string> sets = SetLines();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_NE(sets[0].find(Col(kPing, 4, kNewRow) + "=STRING:\"223.1.1.1\""), std::string::npos)
        << sets[0];
  });
}

TEST_F(TestControlForms, PingEditNeverWritesTheRowStatusAndDeleteOnlyDestroys) {
  Control("set " + Col(kPing, 23, kPingRow) + " i 1");
  OpenPing([this](TPingctrlTableForm* f) {
    ASSERT_EQ(f->ListView1->Items()->Count(), 2);
    TestKit::ClickRow(f->ListView1, 1);  // "2"/"p2" sorts after "1"/"ping1"
    InDialog<TPingcrtlEditForm>(f->EditButton, [f](TPingcrtlEditForm* d) {
      EXPECT_FALSE(d->IndexCBox->Visible());
      EXPECT_FALSE(d->IndexEdit->Enabled());
      EXPECT_EQ(d->NameEdit->Text(), "p2");
      d->DescriptionCBX->SetChecked(true);
      d->DecpEdit->SetText("nightly");
      TestKit::Click(d->SetButton);
      EXPECT_EQ(d->ModalResult(), mrCancel) << MemoText(f->Memo1);
      d->Close();
    });
    EXPECT_TRUE(PumpUntil(
        [f] { return !f->Request->Busy && ListCellText(f->ListView1, 1, 6) == "nightly"; }));
    std::vector<std::string> sets = SetLines();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_NE(sets[0].find(Col(kPing, 17, kPingRow) + "=STRING:\"nightly\""), std::string::npos)
        << sets[0];
    EXPECT_EQ(sets[0].find(Col(kPing, 23, kPingRow)), std::string::npos) << sets[0];

    TestKit::ClickRow(f->ListView1, 1);  // "2"/"p2" sorts after "1"/"ping1"
    TestKit::Click(f->DeleteButton);
    EXPECT_FALSE(f->DeleteButton->Enabled());
    EXPECT_TRUE(WaitRows(f, 1));
    sets = SetLines();
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_NE(sets[1].find(Col(kPing, 23, kPingRow) + "=INTEGER:6"), std::string::npos) << sets[1];
    EXPECT_EQ(sets[1].find(Col(kPing, 17, kPingRow)), std::string::npos) << sets[1];
    EXPECT_EQ(f->StaticText1->Caption(), "1");
  });
}

// A test the switch holds under the empty name: the keys of the row being
// edited are no typed fields, and the description ticked is written.
TEST_F(TestControlForms, PingEditOfATestWithTheEmptyNameIsWritten) {
  const char* row = "1.50.0";  // "2"/""
  Control("set " + Col(kPing, 23, row) + " i 1");
  OpenPing([this, row](TPingctrlTableForm* f) {
    ASSERT_EQ(f->ListView1->Items()->Count(), 2);
    TestKit::ClickRow(f->ListView1, 1);
    InDialog<TPingcrtlEditForm>(f->EditButton, [](TPingcrtlEditForm* d) {
      ASSERT_EQ(d->NameEdit->Text(), "");
      d->DescriptionCBX->SetChecked(true);
      d->DecpEdit->SetText("nightly");
      TestKit::Click(d->SetButton);  // a message box fails the test
      d->Close();
    });
    EXPECT_TRUE(WaitIdle(*f->Request));
    const std::vector<std::string> sets = SetLines();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_NE(sets[0].find(Col(kPing, 17, row) + "=STRING:\"nightly\""), std::string::npos)
        << sets[0];
  });
}

TEST_F(TestControlForms, TraceRouteAddWaitsForTheWalkAndSendsTheKeysOnly) {
  Open<TTraceRouteControlForm>(
      "TTraceRouteControlForm", &TraceRouteControlForm, "Trace Router Control: 127.0.0.1",
      [this](TTraceRouteControlForm* f) {
        ASSERT_EQ(f->ListView1->Items()->Count(), 1);
        EXPECT_EQ(ListCellText(f->ListView1, 0, 1), "trace1");
        EXPECT_TRUE(TestKit::Grab(f, vntest::ArtifactsDir() + "/form-TraceRouteControl.png"));
        // Add while a Refresh is still under way: Set Checked waits for it.
        Control("hold");
        TestKit::Click(f->GetButton);
        ASSERT_TRUE(f->Request->Busy);
        InDialog<TTraceRouteEditorForm>(f->AddButton, [this, f](TTraceRouteEditorForm* d) {
          EXPECT_FALSE(d->DescriptionCBX->Visible());
          d->IndexEdit->SetText("1");
          d->NameEdit->SetText("t1");
          {
            TestKit::DialogScript boxes;
            boxes.Expect("Get data not complete");
            TestKit::Click(d->SetButton);
          }
          EXPECT_TRUE(d->Visible());
          Control("release");
          EXPECT_TRUE(WaitIdle(*f->Request));
          d->IPCBox->SetChecked(true);
          d->IpEdit->SetText("224.0.0.1");
          Refused(d, "Please input a valid IP", d->IpEdit);
          d->IPCBox->SetChecked(false);
          d->PortCheckBox->SetChecked(true);
          Refused(d, "Some Checked fields are empty", d->PortEdit);
          d->PortEdit->SetText("");
          TestKit::TypeText(d->PortEdit, "70000");
          {
            // Refused by the port's range on leaving the edit.
            TestKit::DialogScript boxes;
            boxes.Expect(" Please enter a number between 30000 and 64900!");
            TestKit::Click(d->SetButton);
          }
          EXPECT_EQ(d->ModalResult(), mrNone);
          d->PortCheckBox->SetChecked(false);
          EXPECT_TRUE(TestKit::Grab(d, vntest::ArtifactsDir() + "/form-TraceRouteEditor.png"));
          TestKit::Click(d->SetButton);
        });
        EXPECT_TRUE(WaitRows(f, 2));
        const std::vector<std::string> sets = SetLines();
        ASSERT_EQ(sets.size(), 1u);
        EXPECT_NE(sets[0].find(Col(kTrace, 27, kNewRow) + "=INTEGER:4"), std::string::npos)
            << sets[0];
        EXPECT_EQ(sets[0].find(Col(kTrace, 9, kNewRow)), std::string::npos) << sets[0];
      });
  EXPECT_EQ(TraceRouteEditorForm, nullptr);
}

}  // namespace

namespace {

// One list of the family: opened with a script that gets the list form, and
// its dialog run with a script when a button opens it.
struct TTestList {
  const char* Name;
  std::function<void(TestControlForms*, std::function<void(TTestControlListForm*)>)> Open;
  std::function<void(TButton*, std::function<void(TTestControlEditForm*)>)> InDialog;
};

std::vector<TTestList> TestLists() {
  return {
      {"Ping Control Table",
       [](TestControlForms* test, std::function<void(TTestControlListForm*)> script) {
         test->OpenList<TPingctrlTableForm>("TPingctrlTableForm", &PingctrlTableForm, script);
       },
       [](TButton* button, std::function<void(TTestControlEditForm*)> script) {
         TestKit::OnNextModal<TPingcrtlEditForm>([script](TPingcrtlEditForm* d) { script(d); });
         TestKit::Click(button);
       }},
      {"Trace Route Control",
       [](TestControlForms* test, std::function<void(TTestControlListForm*)> script) {
         test->OpenList<TTraceRouteControlForm>("TTraceRouteControlForm", &TraceRouteControlForm,
                                                script);
       },
       [](TButton* button, std::function<void(TTestControlEditForm*)> script) {
         TestKit::OnNextModal<TTraceRouteEditorForm>(
             [script](TTraceRouteEditorForm* d) { script(d); });
         TestKit::Click(button);
       }},
  };
}

// A read that ends with no rows (the switch silent) leaves the count at 0.
TEST_F(TestControlForms, TheCountBesideSamplesIsTheRowsListedAfterEveryRead) {
  for (const TTestList& t : TestLists()) {
    SCOPED_TRACE(t.Name);
    t.Open(this, [this](TTestControlListForm* f) {
      EXPECT_EQ(f->StaticText1->Caption(), "1");
      Control("mute");
      TestKit::Click(f->GetButton);
      EXPECT_TRUE(WaitIdle(*f->Request));
      Control("unmute");
      EXPECT_EQ(f->ListView1->Items()->Count(), 0);
      EXPECT_EQ(f->StaticText1->Caption(), "0");
    });
  }
}

// The dialog is made once and shown again: each opening puts the focus on
// its first field, not where the last one left it.
TEST_F(TestControlForms, TheDialogOpensWithTheFocusOnItsFirstFieldEachTime) {
  for (const TTestList& t : TestLists()) {
    SCOPED_TRACE(t.Name);
    t.Open(this, [&t](TTestControlListForm* f) {
      for (int opening = 1; opening <= 2; ++opening) {
        t.InDialog(f->AddButton, [opening](TTestControlEditForm* d) {
          EXPECT_TRUE(d->IndexEdit->Focused())
              << "opening " << opening << " "
              << (d->ActiveControl() ? d->ActiveControl()->Name().c_str() : "none");
          TestKit::FocusTo(d->SetButton);
          d->Close();
        });
        EXPECT_EQ(TestKit::PendingModalScripts(), 0);
      }
    });
  }
}

}  // namespace

namespace {

// The device refuses an Edit: the dialog stays open with what the user
// ticked and typed, the refusal is the memo's last line also after the list
// has been read again, and once the dialog is closed no row is selected and
// neither Edit nor Delete is on.
TEST_F(TestControlForms, ARefusedEditKeepsTheDialogOpenWithWhatWasTyped) {
  for (const TTestList& t : TestLists()) {
    SCOPED_TRACE(t.Name);
    t.Open(this, [this, &t](TTestControlListForm* f) {
      const std::size_t before = SetLines().size();
      TestKit::ClickRow(f->ListView1, 0);
      t.InDialog(f->EditButton, [this, f](TTestControlEditForm* d) {
        d->TimeoutCheckBox->SetChecked(true);
        d->TimeoutEdit->SetText("7");
        const std::string column = f->Request->Request.VarList.Item(2)->Oid;
        Control("inject set " + column.substr(0, column.rfind('.')) + " genErr");
        TestKit::Click(d->SetButton);
        EXPECT_TRUE(d->Visible());
        EXPECT_EQ(d->ModalResult(), mrNone);
        EXPECT_TRUE(WaitIdle(*f->Request));
        // The list read again has no row selected: no row button is on.
        EXPECT_EQ(f->ListView1->Selected(), nullptr);
        EXPECT_FALSE(f->EditButton->Enabled());
        EXPECT_TRUE(d->TimeoutCheckBox->Checked());
        EXPECT_EQ(d->TimeoutEdit->Text(), "7");
        EXPECT_EQ(d->NameEdit->Text(), ListCellText(f->ListView1, 0, 1));
        EXPECT_EQ(LastMemoLine(f->Memo1).rfind("Set: ", 0), 0u) << MemoText(f->Memo1);
        EXPECT_EQ(LastMemoLine(f->Memo1).find("Ok!"), std::string::npos) << MemoText(f->Memo1);
        d->Close();
      });
      ASSERT_EQ(SetLines().size(), before + 1);
      EXPECT_NE(SetLines().back().find("genErr"), std::string::npos) << SetLines().back();
      EXPECT_EQ(f->ListView1->Selected(), nullptr);
      EXPECT_FALSE(f->EditButton->Enabled());
      EXPECT_FALSE(f->DeleteButton->Enabled());
    });
  }
}

// The dialog closed while the list is read again after a refused Edit:
// the read has taken the rows away, and no row button stays on.
TEST_F(TestControlForms, ADialogClosedWhileTheListIsReadLeavesNoRowButtonOn) {
  for (const TTestList& t : TestLists()) {
    SCOPED_TRACE(t.Name);
    t.Open(this, [this, &t](TTestControlListForm* f) {
      TestKit::ClickRow(f->ListView1, 0);
      t.InDialog(f->EditButton, [this, f](TTestControlEditForm* d) {
        d->AdminCheckBox->SetChecked(true);
        const std::string column = f->Request->Request.VarList.Item(2)->Oid;
        Control("inject set " + column.substr(0, column.rfind('.')) + " genErr");
        Control("delay 300");
        TestKit::Click(d->SetButton);
        EXPECT_TRUE(f->Request->Busy);
        d->Close();
      });
      EXPECT_TRUE(f->Request->Busy);
      EXPECT_EQ(f->ListView1->Selected(), nullptr);
      EXPECT_FALSE(f->EditButton->Enabled());
      EXPECT_FALSE(f->DeleteButton->Enabled());
      Control("delay 0");
      EXPECT_TRUE(WaitIdle(*f->Request));
    });
  }
}

// Edit never writes the row status: the dialog does not offer it. Add
// writes "createAndGo" and shows only that.
TEST_F(TestControlForms, OnlyARowStatusTheDialogWritesIsOffered) {
  for (const TTestList& t : TestLists()) {
    SCOPED_TRACE(t.Name);
    t.Open(this, [&t](TTestControlListForm* f) {
      TestKit::ClickRow(f->ListView1, 0);
      t.InDialog(f->EditButton, [](TTestControlEditForm* d) {
        EXPECT_FALSE(d->StatusCBox->Checked());
        EXPECT_FALSE(d->StatusCBox->Enabled());
        EXPECT_FALSE(d->StatusComboBox->Enabled());
        d->Close();
      });
      t.InDialog(f->AddButton, [](TTestControlEditForm* d) {
        EXPECT_TRUE(d->StatusCBox->Checked());
        EXPECT_FALSE(d->StatusCBox->Enabled());
        EXPECT_FALSE(d->StatusComboBox->Enabled());
        EXPECT_EQ(ComboText(d->StatusComboBox), "createAndGo");
        d->Close();
      });
    });
  }
}

}  // namespace
