// The configuration form: its resource and refresh message, the first read
// from inside the modal loop, and closing while a read is still running.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

#include "PagesTestSupport.h"
#include "catalogue/DeviceMib.h"
#include "catalogue/TimeMib.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/GUIConfigForm.h"
#include "pages/GUIGenerator.h"
#include "platform/Buttons.h"
#include "platform/ComCtrls.h"
#include "platform/Forms.h"

namespace {

constexpr const char* kTrustHost = "1.3.6.1.4.1.171.12.1.2.10.1.1";

// A request that tells when it is deleted.
class WatchedRequest : public VnSNMPRequest2Edits {
 public:
  WatchedRequest(TWinControl* owner, bool& gone) : VnSNMPRequest2Edits(owner), gone_(gone) {
    gone_ = false;
  }
  ~WatchedRequest() override { gone_ = true; }

 private:
  bool& gone_;
};

class ConfigForm : public PagesDeviceTest {};

TEST_F(ConfigForm, AnEmptyFormHasItsResourceAndRefreshDoesNothing) {
  std::unique_ptr<TConfigForm> form(new TConfigForm(Application));
  EXPECT_EQ(form->Caption(), "ConfigForm");
  EXPECT_EQ(form->ClientWidth(), 159);
  EXPECT_EQ(form->ClientHeight(), 105);
  EXPECT_EQ(form->Font()->Name(), "MS Sans Serif");
  EXPECT_EQ(form->Position(), poMainFormCenter);
  EXPECT_EQ(form->FormType(), TConfigForm::ftEmpty);
  EXPECT_EQ(form->CurrentRequest(), nullptr);
  ASSERT_NE(form->RequestList(), nullptr);
  EXPECT_EQ(form->RequestList()->Count(), 0);
  EXPECT_EQ(WM_CONFIGFORM_REFRESH, 34002u);
  form->Refresh();
  TestKit::Pump();  // the queued refresh message: nothing either
  EXPECT_TRUE(NewLog().empty());
}

TEST_F(ConfigForm, TheFirstReadRunsInsideTheModalLoopAndCloseReleasesTheRequest) {
  bool gone = false;
  auto* form = new TConfigForm(Application);
  auto* request = new WatchedRequest(form, gone);
  request->Request.VarList = VnSNMPVarList(NetworkTimeVars, VnItemType::SVT_SV, 0);
  TSNMPEditorPanel* page = form->AddEditorPanel(request);
  form->SetCaption("Network Time: 127.0.0.1");
  // Built but not shown: nothing read yet.
  EXPECT_TRUE(NewLog().empty());
  bool scripted = false;
  TestKit::OnNextModal<TConfigForm>([&](TConfigForm* shown) {
    scripted = true;
    EXPECT_TRUE(shown->Visible());
    EXPECT_EQ(shown->CurrentRequest(), request);
    EXPECT_TRUE(request->Request.Active);
    ASSERT_TRUE(WaitIdle(*request));
    EXPECT_EQ(NewLog().size(), 1u);
    TestKit::Click(page->BtnPanel->CloseBtn);
  });
  form->ShowModal();
  EXPECT_TRUE(scripted);
  EXPECT_TRUE(gone);
  EXPECT_EQ(form->RequestList(), nullptr);
  EXPECT_EQ(form->CurrentRequest(), nullptr);
  EXPECT_EQ(page->Request, nullptr);
  // Buttons of a closed page do nothing.
  page->BtnPanel->RefreshBtn->Click();
  page->SetBtnClick(page->BtnPanel->SetBtn);
  delete form;
  EXPECT_EQ(NewLog().size(), 1u);
}

TEST_F(ConfigForm, ClosingWaitsForTheReplyInFlightAndDeletesTheRequestAfterwards) {
  Control("delay 400");
  bool gone = false, goneAtReply = true;
  auto* form = new TConfigForm(Application);
  auto* request = new WatchedRequest(form, gone);
  request->Request.VarList = VnSNMPVarList(NetworkTimeVars, VnItemType::SVT_SV, 0);
  request->OnGetDone = [&](VnSNMPRequest2Controls*, const VnSNMPError&) { goneAtReply = gone; };
  TSNMPEditorPanel* page = form->AddEditorPanel(request);
  TestKit::OnNextModal<TConfigForm>([&](TConfigForm*) {
    EXPECT_TRUE(request->Busy);
    TestKit::Click(page->BtnPanel->CloseBtn);
  });
  const auto start = std::chrono::steady_clock::now();
  form->ShowModal();
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_GE(waited, std::chrono::milliseconds(300));
  EXPECT_FALSE(goneAtReply);  // the reply came to a living request
  EXPECT_TRUE(gone);
  delete form;
}

// A silent device cannot hold the page open: closing gives up after its
// wait, and the reply that never came does not reach the page later.
TEST_F(ConfigForm, ClosingGivesUpOnASilentDevice) {
  TestKit::VirtualTime time;
  Control("mute");
  bool gone = false, completed = false;
  auto* form = new TConfigForm(Application);
  auto* request = new WatchedRequest(form, gone);
  request->Request.VarList = VnSNMPVarList(NetworkTimeVars, VnItemType::SVT_SV, 0);
  request->Request.Timeout = 1000;  // ten seconds, longer than closing waits
  request->Request.Retries = 0;
  request->OnGetDone = [&](VnSNMPRequest2Controls*, const VnSNMPError&) { completed = true; };
  TSNMPEditorPanel* page = form->AddEditorPanel(request);
  TestKit::OnNextModal<TConfigForm>([&](TConfigForm*) {
    EXPECT_TRUE(request->Busy);
    TestKit::Click(page->BtnPanel->CloseBtn);
  });
  form->ShowModal();
  EXPECT_TRUE(gone);
  EXPECT_FALSE(completed);
  delete form;
  Control("unmute");
}

TEST_F(ConfigForm, ClosingDuringATableWalkStopsItAfterTheRowInFlight) {
  for (int i = 2; i <= 30; ++i)
    Control(std::string("set ") + kTrustHost + ".2." + std::to_string(i) + " a 10.0.0." +
            std::to_string(i));
  Control("delay 20");
  bool gone = false, goneAtEnd = true;
  auto* form = new TConfigForm(Application);
  auto* request = new WatchedRequest(form, gone);
  request->Request.VarList = VnSNMPVarList(TrustHostTableVars, VnItemType::MVT_UMV, 1);
  // Fired once, at the end of the walk.
  request->OnGetDone = [&](VnSNMPRequest2Controls*, const VnSNMPError&) { goneAtEnd = gone; };
  TSNMPListViewPanel* page = form->AddListViewPanel(request, 2, "createAndGo", 2, "destroy");
  TListView* list = page->ListViewPanel->ListView;
  TestKit::OnNextModal<TConfigForm>([&](TConfigForm*) {
    ASSERT_TRUE(PumpUntil([&] { return list->Items()->Count() >= 3; }));
    EXPECT_TRUE(request->Busy);
    TestKit::Click(page->BtnPanel->CloseBtn);
  });
  form->ShowModal();
  EXPECT_TRUE(gone);
  EXPECT_FALSE(goneAtEnd);
  const int rows = list->Items()->Count();
  EXPECT_GE(rows, 3);
  EXPECT_LT(rows, 30);
  int getNexts = 0;
  for (const std::string& line : NewLog())
    getNexts += line.find("\tGETNEXT\t") != std::string::npos;
  EXPECT_LE(getNexts, rows + 1);
  delete form;
}

TEST_F(ConfigForm, AFailingFirstReadEndsInTheMemoAndTheFormStaysOpen) {
  auto* form = new TConfigForm(Application);
  auto* request = new VnSNMPRequest2Edits(form);
  request->Request.VarList = VnSNMPVarList(NetworkTimeVars, VnItemType::SVT_SV, 0);
  request->AsyncMode = false;  // failures are raised to the form
  request->Request.Device.Address = "no.such.host.invalid";
  TSNMPEditorPanel* page = form->AddEditorPanel(request);
  TestKit::OnNextModal<TConfigForm>([&](TConfigForm* shown) {
    const TMemo* memo = page->StatusPanel()->Memo;
    ASSERT_EQ(memo->Lines()->Count(), 1);
    const std::string line = memo->Lines()->Strings(0).str();
    EXPECT_EQ(line.rfind("Get: ", 0), 0u) << line;
    EXPECT_EQ(line.find("Ok!"), std::string::npos) << line;
    EXPECT_TRUE(shown->Visible());
    shown->Close();
  });
  form->ShowModal();
  delete form;
}

}  // namespace
