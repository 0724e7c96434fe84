// The shared feature-form helpers: busy answers, access words around a SET,
// value-edit colours, port frames, list-view chores and the stop-wait-delete
// protocol against a silent device.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "PagesTestSupport.h"
#include "catalogue/DeviceMib.h"
#include "forms/common/FeatureForm.h"
#include "forms/common/FormWrite.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/StackingPortUitFormUnit.h"
#include "platform/Classes.h"
#include "platform/ComCtrls.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/Graphics.h"
#include "platform/StdCtrls.h"

namespace {

using FeatureFormUi = PagesUiTest;
using FeatureFormDevice = PagesDeviceTest;

constexpr const char* kIgmp = "1.3.6.1.4.1.171.11.101.1.2.1.2.2.0";
constexpr const char* kRmon = "1.3.6.1.4.1.171.11.101.1.2.1.2.4.0";

TEST_F(FeatureFormUi, BusyAnswersAndRefusedClose) {
  TestKit::DialogScript dialogs;
  EXPECT_TRUE(CheckRequestIdle(1));
  dialogs.Expect("Get data not complete");
  EXPECT_FALSE(CheckRequestIdle(0));
  EXPECT_FALSE(CheckRequestIdle(0, nullptr));  // silent kind
  int request = 0;
  bool canClose = true;
  RefuseCloseWhileBusy(nullptr, 0, canClose);  // no request: closes
  EXPECT_TRUE(canClose);
  RefuseCloseWhileBusy(&request, 1, canClose);
  EXPECT_TRUE(canClose);
  dialogs.Expect("Get data not complete");
  RefuseCloseWhileBusy(&request, 0, canClose);
  EXPECT_FALSE(canClose);
  dialogs.Verify();
}

TEST_F(FeatureFormUi, SavedAccessWordsComeBackAlsoWhenTheSetRaises) {
  VnSNMPVarList list(Layer2ControlIGMPSnoopingVars, VnItemType::SVT_SV, 0);
  try {
    TSavedAccess saved(list);
    saved.InvalidateAllBut({1, 4});
    saved.Invalidate(99);  // out of range: ignored
    EXPECT_EQ(list.Item(0)->Access, 32u);
    EXPECT_EQ(list.Item(1)->Access, 6u);
    EXPECT_EQ(list.Item(13)->Access, 32u);
    EXPECT_EQ(saved.Saved(0), 6u);
    throw Exception("device said no");
  } catch (const Exception&) {
  }
  for (int i = 0; i < list.Count(); ++i) EXPECT_EQ(list.Item(i)->Access, 6u) << i;
}

TEST_F(FeatureFormUi, ValueEditsSwitchedOffAreEmptyAndGrey) {
  std::unique_ptr<TForm> form(new TForm(Application));
  auto* edit = new TEdit(form.get());
  edit->SetParent(form.get());
  edit->SetText("8080");
  DisableValueEdit(edit);
  EXPECT_EQ(edit->Text(), "");
  EXPECT_FALSE(edit->Enabled());
  EXPECT_EQ(edit->Color(), clScrollBar);
  EnableValueEdit(edit);
  EXPECT_TRUE(edit->Enabled());
  EXPECT_EQ(edit->Color(), clWindow);
}

TEST_F(FeatureFormUi, PortFrameShowsTenPortsOfUnitOne) {
  EXPECT_EQ(PortElementList(4), "0,1,2,3");
  EXPECT_EQ(PortElementList().Length(), 2 * 10 + 3 * 22 - 1);
  std::unique_ptr<TForm> form(new TForm(Application));
  auto* host = new TPanel(form.get());
  host->SetParent(form.get());
  TStackingPortUitForm* frame = CreatePortFrame(form.get(), host);
  ASSERT_EQ(frame->PortCheckBoxes->Count(), 32);
  for (int i = 0; i < 32; ++i) {
    auto* box = static_cast<TCheckBox*>(frame->PortCheckBoxes->Items(i));
    EXPECT_EQ(box->Visible(), i < 10) << i;
  }
  TStackingPortUitForm* twelve = CreatePortFrame(form.get(), host, 12, 12);
  EXPECT_EQ(twelve->PortCheckBoxes->Count(), 384);
  const auto records = MakeUnitRecords();
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].PortCount, 10);
  EXPECT_EQ(records[0].Model, "KXR-5810");
}

TEST_F(FeatureFormUi, ListViewKeysAndCombos) {
  std::unique_ptr<TForm> form(new TForm(Application));
  auto* list = new TListView(form.get());
  list->SetParent(form.get());
  for (const char* key : {"1", "2"}) {
    TListItem* row = list->Items()->Add();
    row->SetCaption(key);
    row->SubItems()->Add(AnsiString("name") + key);
  }
  auto* count = new TLabel(form.get());
  count->SetParent(form.get());
  ShowRowCount(list, count);
  EXPECT_EQ(count->Caption(), "2");
  EXPECT_TRUE(ListViewHasRow(list, {{0, "2"}, {1, "name2"}}));
  EXPECT_FALSE(ListViewHasRow(list, {{0, "2"}, {1, "name1"}}));
  EXPECT_FALSE(ListViewHasRow(list, {{0, "1"}, {5, "x"}}));
  EXPECT_EQ(ListCellText(list, 7, 0), "");

  auto* combo = new TComboBox(form.get());
  combo->SetParent(form.get());
  combo->Items()->Add("createAndGo");
  combo->Items()->Add("destroy");
  EXPECT_EQ(ComboText(combo), "");
  EXPECT_TRUE(SelectComboText(combo, kRowDestroy));
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_FALSE(SelectComboText(combo, "Destroy"));
  EXPECT_EQ(ComboText(combo), "destroy");
}

// A field emptied after a failed write (a form's reset) gets back what the
// user left in it, still the user's: a check that judges typed text judges
// it again.
TEST_F(FeatureFormUi, TypedFieldsComeBackWithTheUsersMark) {
  std::unique_ptr<TForm> form(new TForm(Application));
  auto* port = new TEdit(form.get());
  port->SetParent(form.get());
  VnSNMPRequest2Edits request(form.get());
  Typed(port, "12");
  const TTypedFields typed(request, {port});
  port->SetText("");
  typed.PutBack();
  EXPECT_EQ(port->Text(), "12");
  EXPECT_TRUE(port->Modified());
}

// What the user typed, which a failed write keeps, is a field the user can
// change that no longer shows what was read: one a form switched off and
// emptied is not.
TEST_F(FeatureFormDevice, TypedIsWhatAFieldTheUserCanChangeNoLongerShows) {
  std::unique_ptr<TForm> form(new TForm(Application));
  auto* edit = new TEdit(form.get());
  edit->SetParent(form.get());
  auto request =
      NewFormRequest(form.get(), Layer2ControlIGMPSnoopingVars, VnItemType::SVT_SV, 0, true);
  request->BindEdits(4, "%i", edit);
  request->Get();
  EXPECT_FALSE(AnyFieldTyped(*request));
  Typed(edit, "77");
  EXPECT_TRUE(request->ItemTyped(4));
  EXPECT_TRUE(AnyFieldTyped(*request));
  DisableValueEdit(edit);
  EXPECT_TRUE(request->ItemChanged(4));
  EXPECT_FALSE(request->ItemTyped(4));
  EXPECT_FALSE(AnyFieldTyped(*request));
}

TEST_F(FeatureFormDevice, LeftOutItemsAreNotSent) {
  std::unique_ptr<TForm> form(new TForm(Application));
  auto request =
      NewFormRequest(form.get(), Layer2ControlIGMPSnoopingVars, VnItemType::SVT_SV, 0, true);
  ASSERT_FALSE(request->AsyncMode);
  request->Get();
  request->Request.VarList.Item(1)->Value->operator=("2");
  {
    TSavedAccess saved(*request);
    saved.InvalidateAllBut({1});
    request->Set(kSetListValues);
  }
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_NE(sets[0].find(std::string(kRmon) + "=INTEGER:2"), std::string::npos) << sets[0];
  EXPECT_EQ(sets[0].find(kIgmp), std::string::npos) << sets[0];
  EXPECT_EQ(request->Request.VarList.Item(0)->Access, 6u);
}

TEST_F(FeatureFormDevice, ClosingGivesUpOnASilentDevice) {
  std::unique_ptr<TForm> form(new TForm(Application));
  auto* memo = new TMemo(form.get());
  memo->SetParent(form.get());
  auto request = NewFormRequest(form.get(), Layer2ControlIGMPSnoopingVars, VnItemType::SVT_SV, 0);
  request->SetStatusMemo(memo);
  request->Request.Timeout = 200;  // two seconds, longer than we wait
  request->Request.Retries = 0;
  Control("mute");
  request->Get();
  ASSERT_TRUE(request->Busy);
  const auto start = std::chrono::steady_clock::now();
  StopAndWait(request.get(), 300);
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_FALSE(request->Request.Active);
  EXPECT_LT(waited, std::chrono::seconds(3));
  Control("unmute");
  StopWaitDelete(request);  // waits for the timeout this time
  EXPECT_EQ(request, nullptr);
  EXPECT_NE(MemoText(memo).find("timed out"), std::string::npos) << MemoText(memo);
}

}  // namespace
