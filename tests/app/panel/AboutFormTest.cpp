// The About box: its texts and places, the hidden build date, and a fresh
// dialog at every opening.
#include <gtest/gtest.h>

#include "PanelTestSupport.h"
#include "app/AboutForm.h"
#include "platform/ExtCtrls.h"
#include "platform/Messages.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

using AboutBox = PanelUiTest;

TEST_F(AboutBox, ShowsTheFamilyWhateverTheModelAndClosesWithOk) {
  bool ran = false;
  TestKit::OnNextModal<TAboutForm>([&](TAboutForm* f) {
    ran = true;
    EXPECT_EQ(AboutForm, f);
    EXPECT_EQ(f->Caption(), "About KXR-5800-10 Module");
    EXPECT_EQ(f->AboutLabel->Caption(), "Vantrel KXR-5800-10 Management Module");
    EXPECT_EQ(f->VersionLabel->Caption(), "Release Version 1.35R12");
    EXPECT_FALSE(f->CopyrightLabel->Caption().IsEmpty());
    EXPECT_EQ(f->BT_Ok->Caption(), "OK");
    EXPECT_TRUE(TestKit::IsShownOnScreen(f->Image5810));
    EXPECT_FALSE(f->Image5816->Visible());
    EXPECT_FALSE(f->AboutLabe2->Visible());
    EXPECT_EQ(f->Image5810->Picture()->Width(), 32);
    EXPECT_EQ(f->Image5810->Picture()->Height(), 32);
    EXPECT_TRUE(f->BT_Ok->Focused());

    EXPECT_EQ(f->BorderStyle(), bsSingle);
    EXPECT_EQ(f->BorderIcons(), TBorderIcons(biSystemMenu));
    EXPECT_EQ(f->ClientWidth(), 323);
    EXPECT_EQ(f->ClientHeight(), 105);
    EXPECT_EQ(f->BT_Ok->BoundsRect(), (TRect{136, 81, 187, 101}));
    // The labels take the size of their text; the bold title fits inside
    // the dialog with room to spare, its font no bigger than designed.
    EXPECT_EQ(f->AboutLabel->Left(), 65);
    EXPECT_EQ(f->AboutLabel->Top(), 16);
    EXPECT_LE(f->AboutLabel->Left() + f->AboutLabel->Width(), f->ClientWidth() - 6);
    EXPECT_EQ(f->AboutLabel->Font()->Style(), TFontStyles(fsBold));
    EXPECT_GE(f->AboutLabel->Font()->Height(), -12);
    EXPECT_LE(f->AboutLabel->Font()->Height(), -10);
    EXPECT_EQ(f->VersionLabel->Left(), 61);
    EXPECT_EQ(f->VersionLabel->Top(), 39);
    EXPECT_EQ(f->CopyrightLabel->Left(), 65);
    EXPECT_EQ(f->CopyrightLabel->Top(), 61);
    EXPECT_EQ(f->Image5810->BoundsRect(), (TRect{16, 20, 48, 52}));
    EXPECT_EQ(f->Image5816->BoundsRect(), (TRect{17, 20, 49, 52}));
    EXPECT_EQ(f->AboutLabe2->Caption(), "Vantrel KXR5816 Management Module ");
    EXPECT_TRUE(TestKit::Grab(f, vntest::ArtifactsDir() + "/about.png"));
    TestKit::Click(f->BT_Ok);
  });
  ShowAboutBox();
  EXPECT_TRUE(ran);
  EXPECT_EQ(AboutForm, nullptr);
}

TEST_F(AboutBox, ShiftAltF3OnOkShowsTheBuildUntilTheDialogCloses) {
  TestKit::OnNextModal<TAboutForm>([](TAboutForm* f) {
    const AnsiString plain = "Release Version 1.35R12";
    TestKit::PressKey(f->BT_Ok, VK_F3);
    EXPECT_EQ(f->VersionLabel->Caption(), plain);
    TestKit::PressKey(f->BT_Ok, VK_F3, ssShift);
    EXPECT_EQ(f->VersionLabel->Caption(), plain);
    TestKit::PressKey(f->BT_Ok, VK_F3, ssAlt);
    EXPECT_EQ(f->VersionLabel->Caption(), plain);
    TestKit::PressKey(f->BT_Ok, VK_F2, ssShift | ssAlt);
    EXPECT_EQ(f->VersionLabel->Caption(), plain);
    EXPECT_TRUE(f->Visible());

    TestKit::PressKey(f->BT_Ok, VK_F3, ssShift | ssAlt);
    EXPECT_EQ(f->VersionLabel->Caption(), "Release Version 1.35R12(Build 2009/2/19)");
    TestKit::PressKey(f->BT_Ok, VK_F3);  // stays
    EXPECT_EQ(f->VersionLabel->Caption(), "Release Version 1.35R12(Build 2009/2/19)");
    EXPECT_TRUE(TestKit::Grab(f, vntest::ArtifactsDir() + "/about-build.png"));
    TestKit::CloseWindow(f);
  });
  ShowAboutBox();

  // A new dialog starts from the designed text; Ctrl may be held as well.
  TestKit::OnNextModal<TAboutForm>([](TAboutForm* f) {
    EXPECT_EQ(f->VersionLabel->Caption(), "Release Version 1.35R12");
    TestKit::PressKey(f->BT_Ok, VK_F3, ssShift | ssAlt | ssCtrl);
    EXPECT_EQ(f->VersionLabel->Caption(), "Release Version 1.35R12(Build 2009/2/19)");
    TestKit::Click(f->BT_Ok);
  });
  ShowAboutBox();
  EXPECT_EQ(AboutForm, nullptr);
}

TEST_F(AboutBox, DesignedTextsBeforeActivation) {
  // Created but never shown: the designed captions.
  auto* f = Create<TAboutForm>(Application);
  EXPECT_EQ(f->Caption(), "About KXR-5800 Module");
  EXPECT_EQ(f->AboutLabel->Caption(), "Vantrel KXR5810 Management Module ");
  EXPECT_TRUE(f->AboutLabe2->Visible());
  EXPECT_EQ(f->Position(), poMainFormCenter);
  // The close action frees the form.
  TCloseAction action = caHide;
  f->FormClose(f, action);
  EXPECT_EQ(action, caFree);
  delete f;
}

}  // namespace
