// The button column and the frame of a page, without a device: glyph files
// from the current folder, the stacking of the buttons, and Close on a frame
// that belongs to no form.
#include <gtest/gtest.h>
#include <unistd.h>

#include <memory>
#include <string>

#include "PagesTestSupport.h"
#include "pages/GUIGenerator.h"
#include "platform/Buttons.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

// Runs the test in a fresh current folder, for the glyph files.
class InFolder {
 public:
  InFolder() {
    char here[4096];
    if (getcwd(here, sizeof here)) before_ = here;
    EXPECT_EQ(chdir(dir_.Path().c_str()), 0);
  }
  ~InFolder() { EXPECT_EQ(chdir(before_.c_str()), 0); }
  InFolder(const InFolder&) = delete;
  InFolder& operator=(const InFolder&) = delete;
  const vntest::TempDir& Dir() const { return dir_; }

 private:
  vntest::TempDir dir_;
  std::string before_;
};

void WriteGlyph(const std::string& path) {
  TBitmap b;
  b.SetSize(16, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) b.SetPixel(x, y, x == y ? 0xFF00FF00u : 0xFFC0C0C0u);
  b.SaveToFile(path.c_str());
}

class ButtonColumn : public PagesUiTest {
 protected:
  void SetUp() override {
    PagesUiTest::SetUp();
    host_.reset(new TForm(Application));
  }
  void TearDown() override {
    host_.reset();
    PagesUiTest::TearDown();
  }
  std::unique_ptr<TForm> host_;
};

TEST_F(ButtonColumn, WithoutGlyphFilesEveryButtonShowsItsCaption) {
  InFolder folder;
  auto* column = new TCtrlBtnPanel(host_.get());
  const std::pair<TBitBtn*, const char*> buttons[] = {{column->RefreshBtn, "Refresh"},
                                                      {column->EditBtn, "Edit"},
                                                      {column->SetBtn, "Set Checked"},
                                                      {column->AddBtn, "Add"},
                                                      {column->DeleteBtn, "Delete"},
                                                      {column->CheckAllBtn, "Check All"},
                                                      {column->ClearChecksBtn, "Clear Checks"},
                                                      {column->CloseBtn, "Close"}};
  for (const auto& [button, caption] : buttons) {
    EXPECT_EQ(button->Caption(), caption);
    EXPECT_TRUE(button->Glyph()->Empty()) << caption;
  }
  EXPECT_EQ(column->Samples->Caption(), "Samples");
  EXPECT_EQ(column->CountText->Caption(), "0");
  EXPECT_EQ(column->CountText->BorderStyle(), sbsSunken);
  EXPECT_EQ(column->CountText->Alignment(), taCenter);
  EXPECT_FALSE(column->CountText->AutoSize());
  EXPECT_FALSE(column->AddBtn->Visible());
  EXPECT_FALSE(column->DeleteBtn->Visible());
  EXPECT_EQ(column->Width(), 116);
  EXPECT_EQ(column->Align(), alRight);
  EXPECT_EQ(column->Parent(), host_.get());
  // Count box, label, then the buttons in their order.
  ASSERT_EQ(column->CtrlList->Count(), 10);
  EXPECT_EQ(column->CtrlList->Items(0), column->CountText);
  EXPECT_EQ(column->CtrlList->Items(1), column->Samples);
  EXPECT_EQ(column->CtrlList->Items(2), column->RefreshBtn);
  EXPECT_EQ(column->CtrlList->Items(9), column->CloseBtn);
}

TEST_F(ButtonColumn, AGlyphFileTakesTheCaptionAwayAndABrokenOneLeavesIt) {
  InFolder folder;
  WriteGlyph(folder.Dir().File("Get.bmp"));
  folder.Dir().Write("Set.bmp", "BM this is not a bitmap");
  auto* column = new TCtrlBtnPanel(host_.get());
  EXPECT_EQ(column->RefreshBtn->Caption(), "");
  EXPECT_EQ(column->RefreshBtn->Glyph()->Width(), 16);
  EXPECT_EQ(column->EditBtn->Caption(), "Edit");
  EXPECT_TRUE(column->EditBtn->Glyph()->Empty());
  EXPECT_EQ(column->SetBtn->Caption(), "Set Checked");
  EXPECT_EQ(column->CloseBtn->Caption(), "Close");
}

TEST_F(ButtonColumn, HiddenControlsTakeNoRoomButAreStillPlaced) {
  InFolder folder;
  auto* column = new TCtrlBtnPanel(host_.get());
  column->Samples->Hide();
  column->CountText->Hide();
  column->ArrangeButtons();
  // Refresh, Edit, Set Checked, Check All, Clear Checks, Close; 5 apart.
  const TBitBtn* shown[] = {column->RefreshBtn,  column->EditBtn,        column->SetBtn,
                            column->CheckAllBtn, column->ClearChecksBtn, column->CloseBtn};
  int y = 10;
  for (const TBitBtn* b : shown) {
    EXPECT_EQ(b->Top(), y) << b->Caption().str();
    EXPECT_EQ(b->Left(), 10);
    EXPECT_EQ(b->Width(), 96);
    y += b->Height() + 5;
  }
  EXPECT_EQ(column->CountText->Top(), 10);
  EXPECT_EQ(column->Samples->Top(), 10);
  EXPECT_EQ(column->AddBtn->Top(), column->SetBtn->Top() + column->SetBtn->Height() + 5);
  EXPECT_EQ(column->AddBtn->Width(), 96);

  column->Samples->Show();
  column->CountText->Show();
  column->ArrangeButtons();
  EXPECT_EQ(column->Samples->Top(), 10 + column->CountText->Height() + 5);
  EXPECT_EQ(column->RefreshBtn->Top(), column->Samples->Top() + column->Samples->Height() + 5);
}

TEST_F(ButtonColumn, CloseOnAFrameOfNoFormAsksToAttachIt) {
  InFolder folder;
  auto* frame = new TSNMPPanel(host_.get(), nullptr, nullptr);
  TestKit::DialogScript boxes;
  boxes.Expect("Please initial close form");
  frame->BtnPanel->CloseBtn->Click();
  EXPECT_FALSE(host_->Visible());
  // A frame without a request ignores Refresh.
  frame->BtnPanel->RefreshBtn->Click();
}

TEST_F(ButtonColumn, TheFrameSizesItselfToItsContentAndTheFormToItself) {
  InFolder folder;
  auto* frame = new TSNMPPanel(host_.get(), nullptr, nullptr);
  auto* content = new TPanel(host_.get());
  content->SetBounds(0, 0, 300, 200);
  frame->SetContent(content);
  EXPECT_EQ(content->Parent(), frame->InnerPanel);
  EXPECT_EQ(frame->Width(), 300 + 116 + 3 + 3);
  EXPECT_EQ(frame->Height(), 200 + 50 + 3);
  EXPECT_EQ(content->Align(), alClient);
  ASSERT_NE(frame->MsgPanel, nullptr);
  EXPECT_EQ(frame->MsgPanel->Height(), 50);
  EXPECT_EQ(frame->MsgPanel->Align(), alBottom);
  EXPECT_EQ(frame->MsgPanel->Memo->Align(), alClient);
  // The bottom splitter lies directly above the message panel.
  EXPECT_EQ(frame->BottomSplitter->Top() + frame->BottomSplitter->Height(), frame->MsgPanel->Top());
  EXPECT_EQ(frame->RightSplitter->Left() + frame->RightSplitter->Width(), frame->BtnPanel->Left());

  host_->SetClientWidth(100);
  host_->SetClientHeight(100);
  frame->AttachToForm(host_.get());
  EXPECT_EQ(host_->ClientWidth(), 422);
  EXPECT_EQ(host_->ClientHeight(), 253);
  EXPECT_EQ(frame->Align(), alClient);
  EXPECT_EQ(host_->Position(), poMainFormCenter);

  // A second content replaces the first, which is hidden.
  auto* big = new TPanel(host_.get());
  big->SetBounds(0, 0, 1000, 900);
  frame->SetContent(big);
  EXPECT_FALSE(content->Visible());
  EXPECT_EQ(content->Align(), alNone);
  frame->AttachToForm(host_.get());
  EXPECT_EQ(host_->ClientWidth(), 800);
  EXPECT_EQ(host_->ClientHeight(), 550);
}

}  // namespace
