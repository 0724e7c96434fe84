#include "app/AboutForm.h"

#include <memory>

#include "app/EmbeddedResources.h"
#include "platform/ExtCtrls.h"
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
constexpr const char* kVersionWithBuild = "Release Version 1.35R12(Build 2009/2/19)";

TLabel* NewLabel(TAboutForm* form, const char* name, int left, int top, int width, int height,
                 const char* caption, bool title) {
  auto* label = new TLabel(form);
  label->SetName(name);
  label->SetParent(form);
  label->SetBounds(left, top, width, height);
  if (title) {
    label->Font()->SetName(kTitleFont);
    label->Font()->SetHeight(-12);
    label->Font()->SetStyle(fsBold);
  }
  label->SetCaption(caption);
  return label;
}

TImage* NewIcon(TAboutForm* form, const char* name, int left, const char* resource) {
  auto* image = new TImage(form);
  image->SetName(name);
  image->SetParent(form);
  image->SetBounds(left, 20, 32, 32);
  image->SetAutoSize(true);
  image->Picture()->LoadFromResourceName(resource);
  return image;
}

}  // namespace

TAboutForm::TAboutForm(TComponent* AOwner) : TForm(AOwner) {
  TLoadingScope loading(this);
  BuildComponents();
  OnCreate = TNotifyEvent(this, &TAboutForm::FormCreate);
  OnActivate = TNotifyEvent(this, &TAboutForm::FormActivate);
  OnClose = TCloseEvent(this, &TAboutForm::FormClose);
}

void TAboutForm::BuildComponents() {
  RegisterEmbeddedResources();
  SetName("AboutForm");
  SetCaption("About KXR-5800 Module");
  SetBorderStyle(bsSingle);
  SetBorderIcons(biSystemMenu);
  SetClientWidth(323);
  SetClientHeight(105);
  SetPosition(poMainFormCenter);
  Font()->SetName("MS Sans Serif");
  Font()->SetHeight(-11);

  AboutLabel =
      NewLabel(this, "AboutLabel", 65, 16, 221, 13, "Vantrel KXR5810 Management Module ", true);
  VersionLabel = NewLabel(this, "VersionLabel", 61, 39, 121, 13, "Release Version 1.35R12", false);
  CopyrightLabel =
      NewLabel(this, "CopyrightLabel", 65, 61, 168, 13, "Copyright (C) 2009 Vantrel Corp.", false);

  BT_Ok = new TButton(this);
  BT_Ok->SetName("BT_Ok");
  BT_Ok->SetParent(this);
  BT_Ok->SetBounds(136, 81, 51, 20);
  BT_Ok->SetTabStop(true);
  BT_Ok->SetTabOrder(0);
  BT_Ok->SetCaption("OK");
  BT_Ok->OnClick = TNotifyEvent(this, &TAboutForm::BT_OkClick);
  BT_Ok->OnKeyDown = TKeyEvent(this, &TAboutForm::BT_OkKeyDown);

  Image5810 = NewIcon(this, "Image5810", 16, kResIcon5810);
  Image5816 = NewIcon(this, "Image5816", 17, kResIcon5816);
  AboutLabe2 =
      NewLabel(this, "AboutLabe2", 67, 18, 221, 13, "Vantrel KXR5816 Management Module ", true);
  SetActiveControl(BT_Ok);
}

void TAboutForm::FormCreate(TObject*) {}

void TAboutForm::FormActivate(TObject*) {
  // Always the family: the 10-port model's icon, whatever the device is.
  Image5810->Show();
  Image5816->Hide();
  AboutLabe2->Hide();
  AboutLabel->SetCaption(kFamilyName);
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
