#include "app/AboutForm.h"

#include <memory>

#include "app/EmbeddedResources.h"
#include "platform/ExtCtrls.h"
#include "platform/FormBuilder.h"
#include "platform/Messages.h"
#include "platform/StdCtrls.h"

TAboutForm* AboutForm = nullptr;

namespace {

constexpr const char* kFamilyCaption = "About KXR-5800-10 Module";
constexpr const char* kFamilyName = "Vantrel KXR-5800-10 Management Module";
// The titles' designed font is a bold "MS Sans Serif" of 12 pixels; its
// stand-in here is wider, and the condensed face keeps the family name
// inside the dialog.
constexpr const char* kTitleFont = "DejaVu Sans Condensed";
// Room the title leaves at the dialog's right edge.
constexpr int kTitleMargin = 6;
constexpr const char* kVersionWithBuild = "Release Version 1.35R12(Build 2009/2/19)";

// Where the stand-in font still draws the label past the dialog's right
// edge (fonts differ between desktops), its height shrinks until it fits.
void FitInside(TLabel* label, int clientWidth) {
  while (label->Left() + label->Width() > clientWidth - kTitleMargin &&
         label->Font()->Height() < -8)
    label->Font()->SetHeight(label->Font()->Height() + 1);
}

}  // namespace

TAboutForm::TAboutForm(TComponent* AOwner) : TForm(AOwner) { BuildComponents(); }

void TAboutForm::BuildComponents() {
  RegisterEmbeddedResources();
  TFormBuilder B(this);
  B.Form()
      .Caption("About KXR-5800 Module")
      .BorderStyle(bsSingle)
      .ClientSize(323, 105)
      .Position(poMainFormCenter)
      .Font("MS Sans Serif", -11)
      .OnCreate(this, &TAboutForm::FormCreate)
      .OnActivate(this, &TAboutForm::FormActivate)
      .OnClose(this, &TAboutForm::FormClose);
  SetName("AboutForm");
  SetBorderIcons(biSystemMenu);
  B.Add(AboutLabel, "AboutLabel")
      .At(65, 16, 221, 13)
      .Font(kTitleFont, -12, fsBold)
      .Caption("Vantrel KXR5810 Management Module ");
  B.Add(VersionLabel, "VersionLabel").At(61, 39, 121, 13).Caption("Release Version 1.35R12");
  B.Add(CopyrightLabel, "CopyrightLabel")
      .At(65, 61, 168, 13)
      .Caption("Copyright (C) 2009 Vantrel Corp.");
  B.Add(BT_Ok, "BT_Ok")
      .At(136, 81, 51, 20)
      .TabStop(true)
      .TabOrder(0)
      .Caption("OK")
      .OnClick(this, &TAboutForm::BT_OkClick)
      .OnKeyDown(this, &TAboutForm::BT_OkKeyDown);
  B.Add(Image5810, "Image5810").At(16, 20, 32, 32).AutoSize(true);
  Image5810->Picture()->LoadFromResourceName(kResIcon5810);
  B.Add(Image5816, "Image5816").At(17, 20, 32, 32).AutoSize(true);
  Image5816->Picture()->LoadFromResourceName(kResIcon5816);
  B.Add(AboutLabe2, "AboutLabe2")
      .At(67, 18, 221, 13)
      .Font(kTitleFont, -12, fsBold)
      .Caption("Vantrel KXR5816 Management Module ");
  SetActiveControl(BT_Ok);
}

void TAboutForm::FormCreate(TObject*) {}

void TAboutForm::FormActivate(TObject*) {
  // Always the family: the 10-port model's icon, whatever the device is.
  Image5810->Show();
  Image5816->Hide();
  AboutLabe2->Hide();
  AboutLabel->SetCaption(kFamilyName);
  FitInside(AboutLabel, ClientWidth());
  if (AboutForm) AboutForm->SetCaption(kFamilyCaption);
}

void TAboutForm::BT_OkClick(TObject*) { Close(); }

void TAboutForm::BT_OkKeyDown(TObject*, WORD& Key, TShiftState Shift) {
  // Ctrl may be held as well.
  if ((Shift & ssShift) && (Shift & ssAlt) && Key == VK_F3)
    VersionLabel->SetCaption(kVersionWithBuild);
}

void TAboutForm::FormClose(TObject*, TCloseAction& Action) { Action = caFree; }

void ShowAboutBox() {
  std::unique_ptr<TAboutForm> form(Create<TAboutForm>(Application));
  AboutForm = form.get();
  struct ClearGlobal {
    ~ClearGlobal() { AboutForm = nullptr; }
  } clear;
  form->ShowModal();
}
