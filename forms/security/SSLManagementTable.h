// SSL management: the SSL state, the four cipher suites that can be switched
// on and off, and the session cache timeout. The suites travel as one octet
// whose high half the form shows as four "disabled"/"enabled" boxes.
#pragma once

#include <memory>

#include "platform/Forms.h"

class TButton;
class TComboBox;
class TEdit;
class TLabel;
class TStatusBar;
struct VnSNMPError;
class VnSNMPRequest2Controls;
class VnSNMPRequest2Edits;

class TSSLManagementForm : public TForm {
 public:
  explicit TSSLManagementForm(TComponent* AOwner);
  ~TSSLManagementForm() override;

  TLabel* Label1 = nullptr;
  TLabel* Label2 = nullptr;
  TLabel* Label3 = nullptr;
  TLabel* Label4 = nullptr;
  TLabel* Label5 = nullptr;
  TLabel* Label6 = nullptr;
  TComboBox* cbxSSLVersion = nullptr;
  TEdit* edtCacheTimeOut = nullptr;
  TComboBox* cbxciphersuites1 = nullptr;
  TComboBox* cbxciphersuites2 = nullptr;
  TComboBox* cbxciphersuites3 = nullptr;
  TComboBox* cbxciphersuites4 = nullptr;
  // The cipher suites as two hexadecimal digits; bound, never shown.
  TEdit* edtciphersuites = nullptr;
  TButton* btnGet = nullptr;
  TButton* btnSet = nullptr;
  TStatusBar* StatusBar1 = nullptr;

  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void btnGetClick(TObject* Sender);
  void btnSetClick(TObject* Sender);
  void RequestGetDone(VnSNMPRequest2Controls* Sender, const VnSNMPError& Result);

  // Owned by the form; null once the form has closed.
  std::unique_ptr<VnSNMPRequest2Edits> Request;

 private:
  void InitComponents();
  // Cipher text <-> the four suite boxes.
  void DecodeCipherSuites();
  void EncodeCipherSuites();
  // The boxes as the last read left them: a box that differs at Set is one
  // the user switched.
  void RememberShownSuites();
  int shownSuites_[4] = {-1, -1, -1, -1};
};

extern TSSLManagementForm* SSLManagementForm;
