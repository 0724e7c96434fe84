#include "app/PanelForm.h"

#include "app/EmbeddedResources.h"
#include "app/PanelLayout.h"
#include "app/PanelLedRequest.h"
#include "app/PanelLedStatus.h"
#include "catalogue/DeviceMib.h"
#include "library/VnSNMPRequest2Edits.h"
#include "library/VnSNMPRequest2Leds.h"
#include "platform/ComCtrls.h"
#include "platform/ExtCtrls.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

TKXR5810PanelForm* KXR5810PanelForm = nullptr;

namespace {

// Tens of milliseconds between two LED readings.
constexpr unsigned kLedPollTenMs = 500;
constexpr unsigned kLinkPollMs = 5000;
// A device that does not answer is asked this many times more per reading.
constexpr unsigned kLedRetries = 300;

// The named component of the form, of the class asked for; null otherwise.
template <class T>
T* Part(const TComponent* form, const AnsiString& name) {
  return dynamic_cast<T*>(form->FindComponent(name));
}

// The picture of a link slot: 1 to 8 ports 1 to 8, 9 port 9, 10 combo 1,
// 11 port 10, 12 combo 2.
AnsiString SlotPicture(int slot, char colour) {
  if (slot <= 9) return AnsiString("Port") + AnsiString(slot) + AnsiString(colour);
  if (slot == 11) return AnsiString("Port10") + AnsiString(colour);
  return AnsiString("Combo") + AnsiString(slot == 10 ? 1 : 2) + AnsiString(colour);
}

}  // namespace

TKXR5810PanelForm::TKXR5810PanelForm(TComponent* AOwner) : TForm(AOwner) { BuildComponents(); }

TKXR5810PanelForm::~TKXR5810PanelForm() {
  // At program end the owner destroys the panel without closing it: the
  // requests go here, before the timers and shapes that they use. As on a
  // close, no link reading may start while the LED request is waited for.
  if (Timer1) Timer1->SetEnabled(false);
  ledRequest_.reset();
  statusRequest_.reset();
  if (KXR5810PanelForm == this) KXR5810PanelForm = nullptr;
}

void TKXR5810PanelForm::BuildComponents() {
  RegisterEmbeddedResources();
  TFormBuilder B(this);
  B.Form()
      .Caption("KXR5810")
      .BorderStyle(bsNone)
      .ClientSize(kPanelClientWidth, kPanelClientHeight)
      .Font("MS Sans Serif", -11)
      .OnCreate(this, &TKXR5810PanelForm::FormCreate)
      .OnClose(this, &TKXR5810PanelForm::FormClose);
  SetName("KXR5810PanelForm");
  for (const PanelComponentDef& def : PanelComponents()) {
    switch (def.Kind) {
      case PanelPart::Image:
        B.Make<TImage>(def.Name).At(def.Left, def.Top, def.Width, def.Height);
        break;
      case PanelPart::Panel:
        // LED hosts are dark, like the LED windows of the face picture.
        B.Make<TPanel>(def.Name)
            .At(def.Left, def.Top, def.Width, def.Height)
            .Caption("")
            .Color(clBlack);
        break;
      case PanelPart::Timer:
        B.Make<TTimer>(def.Name);
        break;
      case PanelPart::Label:
        B.Make<TLabel>(def.Name).At(def.Left, def.Top, def.Width, def.Height);
        break;
    }
  }

  DeviceBG = Part<TImage>(this, "DeviceBG");
  PowerLedPanel = Part<TPanel>(this, "PowerLedPanel");
  ConsoleLedPanel = Part<TPanel>(this, "ConsoleLedPanel");
  Port12LedPanel = Part<TPanel>(this, "Port12LedPanel");
  Port9LedPanel = Part<TPanel>(this, "Port9LedPanel");
  Port10LedPanel = Part<TPanel>(this, "Port10LedPanel");
  Port11LedPanel = Part<TPanel>(this, "Port11LedPanel");
  TPanel** portLeds[] = {&Port1LedPanel, &Port2LedPanel, &Port3LedPanel, &Port4LedPanel,
                         &Port5LedPanel, &Port6LedPanel, &Port7LedPanel, &Port8LedPanel};
  TImage** green[] = {&Port1G, &Port2G, &Port3G, &Port4G, &Port5G, &Port6G, &Port7G, &Port8G};
  TImage** orange[] = {&Port1O, &Port2O, &Port3O, &Port4O, &Port5O, &Port6O, &Port7O, &Port8O};
  for (int n = 1; n <= 8; ++n) {
    const AnsiString port = AnsiString("Port") + AnsiString(n);
    *portLeds[n - 1] = Part<TPanel>(this, port + "LedPanel");
    *green[n - 1] = Part<TImage>(this, port + "G");
    *orange[n - 1] = Part<TImage>(this, port + "O");
  }
  Combo1G = Part<TImage>(this, "Combo1G");
  Combo1O = Part<TImage>(this, "Combo1O");
  Combo2G = Part<TImage>(this, "Combo2G");
  Combo2O = Part<TImage>(this, "Combo2O");
  Port9G = Part<TImage>(this, "Port9G");
  Port9O = Part<TImage>(this, "Port9O");
  Port10G = Part<TImage>(this, "Port10G");
  Port10O = Part<TImage>(this, "Port10O");
  Timer1 = Part<TTimer>(this, "Timer1");
  Portspeed = Part<TLabel>(this, "Portspeed");

  DeviceBG->SetAlign(alClient);
  DeviceBG->SetStretch(true);
  DeviceBG->Picture()->LoadFromResourceName(kResPanelFace);
  for (int slot = 1; slot <= kLinkSlots; ++slot) {
    const bool combo = slot == 10 || slot == 12;
    Part<TImage>(this, SlotPicture(slot, 'G'))
        ->Picture()
        ->LoadFromResourceName(combo ? kResComboGreen : kResLinkGreen);
    Part<TImage>(this, SlotPicture(slot, 'O'))
        ->Picture()
        ->LoadFromResourceName(combo ? kResComboOrange : kResLinkOrange);
  }
  Timer1->SetInterval(kLinkPollMs);
  Timer1->SetEnabled(true);
  Timer1->OnTimer = TNotifyEvent(this, &TKXR5810PanelForm::Timer1Timer);
  Portspeed->SetCaption("Portspeed");
  Portspeed->SetVisible(false);
}

void TKXR5810PanelForm::FormCreate(TObject*) {
  greenImages_ = std::make_unique<TList>();
  orangeImages_ = std::make_unique<TList>();
}

void TKXR5810PanelForm::SetupPanelLeds(TStatusPanel* statusPanel) {
  try {
    statusRequest_ = std::make_unique<VnSNMPRequest2Edits>(this);
    statusRequest_->Request.VarList = VnSNMPVarList(FrontPanelLedScalarVars, VnItemType::SVT_SV, 0);
    statusRequest_->AsyncMode = false;
    // A failed reading is dropped: the label keeps the last one's text.
    statusRequest_->KeepShownOnFailedRead = true;
    statusRequest_->BindLabel(0, Portspeed);
  } catch (...) {
    // Without it the link pictures stay as they are.
  }

  try {
    auto leds = std::make_unique<TPanelLedRequest>(this);
    VnSNMPRequest& request = leds->Request;
    request.VarList = VnSNMPVarList(FrontPanelLedStatusVars, VnItemType::MVT_SV, 0);
    request.VarList.InstanceSuffix = "0";
    request.VarList.Description = " Led Status";
    request.Retries = kLedRetries;
    leds->SetValueLayout(LED_LAYOUT_TWO_BYTES, 5);
    leds->AddPanelLeds(this);
    ledRequest_ = std::move(leds);
    if (statusPanel) ledRequest_->SetStatusPanel(statusPanel);
    ledRequest_->StartPolling(kLedPollTenMs);
  } catch (...) {
    // The LEDs stay as they are; the background picture still shows.
  }
}

void TKXR5810PanelForm::CollectPortImages() {
  if (!greenImages_ || !orangeImages_) return;
  for (int n = 1; n <= 10; ++n) {
    const AnsiString port = AnsiString("Port") + AnsiString(n);
    if (auto* g = Part<TImage>(this, port + "G")) {
      g->Hide();
      greenImages_->Add(g);
    }
    if (auto* o = Part<TImage>(this, port + "O")) {
      o->Hide();
      orangeImages_->Add(o);
    }
  }
  for (TImage* image : {Combo1G, Combo1O, Combo2G, Combo2O}) image->Hide();
}

void TKXR5810PanelForm::Timer1Timer(TObject*) {
  try {
    if (!statusRequest_) return;
    statusRequest_->Get();
    ShowLinkPictures(Portspeed->Caption());
  } catch (...) {
    // The device did not answer: the pictures keep their state.
  }
}

void TKXR5810PanelForm::ShowLinkPictures(const AnsiString& ledStatusHex) {
  // No value, or no octets: nothing is known about the links, so the
  // pictures keep what the last reading showed.
  if (!IsLedStatusText(ledStatusHex)) return;
  for (int slot = 1; slot <= kLinkSlots; ++slot) {
    TImage* green = nullptr;
    TImage* orange = nullptr;
    if (slot <= 8 && greenImages_ && orangeImages_ && greenImages_->Count() >= slot &&
        orangeImages_->Count() >= slot) {
      green = static_cast<TImage*>(greenImages_->Items(slot - 1));
      orange = static_cast<TImage*>(orangeImages_->Items(slot - 1));
    } else if (slot > 8) {
      green = Part<TImage>(this, SlotPicture(slot, 'G'));
      orange = Part<TImage>(this, SlotPicture(slot, 'O'));
    }
    if (!green || !orange) continue;
    const TLinkPicture picture = LinkPictureOf(ledStatusHex, slot);
    green->SetVisible(picture == TLinkPicture::Green);
    orange->SetVisible(picture == TLinkPicture::Orange);
  }
}

void TKXR5810PanelForm::FormClose(TObject*, TCloseAction& Action) {
  // No link reading may start while the LED request is being waited for.
  Timer1->SetEnabled(false);
  if (ledRequest_) {
    ledRequest_->StopPolling();
    ledRequest_->Stop();
    // A reading still outstanding is waited for (processing messages) at
    // most 6,000 ms, then withdrawn: a silent device would otherwise keep
    // the panel for the whole of its 300 retries.
    ledRequest_.reset();
  }
  statusRequest_.reset();
  greenImages_.reset();
  orangeImages_.reset();
  Action = caFree;
}
