// The front panel: the picture of the switch's face with its LEDs coloured
// and blinking as the device reports them, and a green or orange link
// picture over each port that has link. Both are read every 5,000 ms from the
// device's front-panel LED status octet string: the LEDs by an LED request
// of their own, the link pictures by Timer1 through a plain request whose
// value lands in the hidden label Portspeed.
//
// The host creates it with Create<TKXR5810PanelForm>(owner), then calls
// SetupPanelLeds and CollectPortImages, parents and shows it. The MIB
// catalogue must be initialised (the LED colour maps come from it).
#pragma once

#include <memory>

#include "platform/Forms.h"

class TImage;
class TLabel;
class TList;
class TPanel;
class TStatusPanel;
class TTimer;
class VnSNMPRequest2Edits;
class VnSNMPRequest2Leds;

class TKXR5810PanelForm : public TForm {
 public:
  explicit TKXR5810PanelForm(TComponent* AOwner);
  ~TKXR5810PanelForm() override;

  TImage* DeviceBG = nullptr;
  TPanel* PowerLedPanel = nullptr;
  TPanel* ConsoleLedPanel = nullptr;
  TPanel* Port12LedPanel = nullptr;
  TPanel* Port9LedPanel = nullptr;
  TPanel* Port10LedPanel = nullptr;
  TPanel* Port11LedPanel = nullptr;
  TPanel* Port1LedPanel = nullptr;
  TPanel* Port2LedPanel = nullptr;
  TPanel* Port3LedPanel = nullptr;
  TPanel* Port4LedPanel = nullptr;
  TPanel* Port5LedPanel = nullptr;
  TPanel* Port6LedPanel = nullptr;
  TPanel* Port7LedPanel = nullptr;
  TPanel* Port8LedPanel = nullptr;
  TImage* Port1G = nullptr;
  TImage* Port2G = nullptr;
  TImage* Port3G = nullptr;
  TImage* Port4G = nullptr;
  TImage* Port5G = nullptr;
  TImage* Port6G = nullptr;
  TImage* Port7G = nullptr;
  TImage* Port8G = nullptr;
  TImage* Port1O = nullptr;
  TImage* Port2O = nullptr;
  TImage* Port3O = nullptr;
  TImage* Port4O = nullptr;
  TImage* Port5O = nullptr;
  TImage* Port6O = nullptr;
  TImage* Port7O = nullptr;
  TImage* Port8O = nullptr;
  TImage* Combo1G = nullptr;
  TImage* Combo1O = nullptr;
  TImage* Combo2G = nullptr;
  TImage* Combo2O = nullptr;
  TImage* Port9G = nullptr;
  TImage* Port9O = nullptr;
  TImage* Port10G = nullptr;
  TImage* Port10O = nullptr;
  TTimer* Timer1 = nullptr;
  TLabel* Portspeed = nullptr;

  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void Timer1Timer(TObject* Sender);

  // Creates both requests and starts the LED polling (a reading at once,
  // then every 5,000 ms). LED request errors go to statusPanel when given.
  // Failures are dropped: what could not be set up stays as it is.
  void SetupPanelLeds(TStatusPanel* statusPanel = nullptr);
  // Fills the green and orange picture lists (ports 1 to 10) and hides
  // every link picture.
  void CollectPortImages();

  // Null before SetupPanelLeds and after FormClose.
  VnSNMPRequest2Leds* LedRequest() const { return ledRequest_.get(); }
  VnSNMPRequest2Edits* StatusTextRequest() const { return statusRequest_.get(); }
  // Ports 1 to 10 in order; null before FormCreate and after FormClose.
  TList* GreenImages() const { return greenImages_.get(); }
  TList* OrangeImages() const { return orangeImages_.get(); }

 private:
  void BuildComponents();
  void ShowLinkPictures(const AnsiString& ledStatusHex);

  std::unique_ptr<TList> greenImages_;
  std::unique_ptr<TList> orangeImages_;
  // Owned; their timers and LED shapes are components of the form.
  std::unique_ptr<VnSNMPRequest2Leds> ledRequest_;
  std::unique_ptr<VnSNMPRequest2Edits> statusRequest_;
};

// The panel that the main window shows; null when there is none.
extern TKXR5810PanelForm* KXR5810PanelForm;
