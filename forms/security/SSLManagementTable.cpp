#include "forms/security/SSLManagementTable.h"

#include "catalogue/SecurityMib.h"
#include "forms/common/FeatureForm.h"
#include "library/VnErrors.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/ComCtrls.h"
#include "platform/Dialogs.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

TSSLManagementForm* SSLManagementForm = nullptr;
VN_REGISTER_FORM_OPENER(TSSLManagementForm, &SSLManagementForm);

namespace {

// The value of one hexadecimal digit, -1 for any other character.
int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The items of a cipher-suite box, as InitComponents lists them.
enum : int { kSuiteDisabled, kSuiteEnabled };

}  // namespace

TSSLManagementForm::TSSLManagementForm(TComponent* AOwner) : TForm(AOwner) {
  InitComponents();
  ScaleFormForScreen(this);
}

TSSLManagementForm::~TSSLManagementForm() = default;

void TSSLManagementForm::InitComponents() {
  using F = TSSLManagementForm;
  TFormBuilder B(this);
  B.Form()
      .Caption("SSL Management Table")
      .ClientSize(402, 238)
      .Position(poMainFormCenter)
      .BorderStyle(bsSingle)
      .OnCreate(this, &F::FormCreate)
      .OnClose(this, &F::FormClose);
  B.Add(Label1, "Label1").At(16, 20).Caption("SSL Status");
  B.Add(Label2, "Label2").At(16, 48).Caption("Cache Time Out [60-86400]");
  B.Add(Label3, "Label3").At(16, 76).Caption("RSA-with-RC4-128-MD5");
  B.Add(Label4, "Label4").At(16, 104).Caption("RSA-with-3DES-EDE-CBC-SHA");
  B.Add(Label5, "Label5").At(16, 132).Caption("DHE-DSS-with-3DES-EDE-CBC-SHA");
  B.Add(Label6, "Label6").At(16, 160).Caption("RSA-EXPORT-with-RC4-40-MD5");
  B.Add(cbxSSLVersion, "cbxSSLVersion").At(232, 16, 153, 21).Style(csDropDownList);
  B.Add(edtCacheTimeOut, "edtCacheTimeOut").At(232, 44, 153, 21);
  TComboBox** suites[] = {&cbxciphersuites1, &cbxciphersuites2, &cbxciphersuites3,
                          &cbxciphersuites4};
  for (int i = 0; i < 4; ++i)
    B.Add(*suites[i], "cbxciphersuites" + AnsiString(i + 1))
        .At(232, 72 + 28 * i, 153, 21)
        .Style(csDropDownList)
        .Items({"disabled", "enabled"});
  B.Add(edtciphersuites, "edtciphersuites").At(320, 190, 33, 21).Hidden();
  B.Add(btnGet, "btnGet").At(16, 190, 75, 25).Caption("Refresh").OnClick(this, &F::btnGetClick);
  B.Add(btnSet, "btnSet").At(104, 190, 75, 25).Caption("Set").OnClick(this, &F::btnSetClick);
  B.Add(StatusBar1, "StatusBar1").Panels({50});
}

void TSSLManagementForm::FormCreate(TObject*) {
  try {
    Request = NewFormRequest(this, SSLManagementVars, VnItemType::SVT_SV, 0);
    Request->BindComboBox(SSLManagementItem::kSSLStatusAdministration, cbxSSLVersion);
    Request->BindEdits(SSLManagementItem::kCipherSuites, "%s{l2}", edtciphersuites);
    Request->BindEdits(SSLManagementItem::kSSLCacheTimeout, "%i{n60x86400l5}", edtCacheTimeOut);
    Request->OnGetDone = VnRequestDoneEvent(this, &TSSLManagementForm::RequestGetDone);
    // The bar shows one panel, so the request's status lines go into it
    // (a bar in panel mode never draws its simple text).
    Request->SetStatusPanel(StatusBar1->Panels()->Items(0));
    Request->Get();
  } catch (const Exception& e) {
    ShowFailureInStatusBar(StatusBar1, e.Message);
  }
}

void TSSLManagementForm::btnGetClick(TObject*) {
  if (!Request) return;
  try {
    Request->Get();
  } catch (const Exception& e) {
    ShowFailureInStatusBar(StatusBar1, e.Message);
  }
}

// A read that ended, whole or with values it could not take, decodes what
// it brought.
void TSSLManagementForm::RequestGetDone(VnSNMPRequest2Controls*, const VnSNMPError& Result) {
  if (Result.Number != VNERR_OK && !(Request && Request->Request.ReadFaults().Any())) return;
  DecodeCipherSuites();
  RememberShownSuites();
}

void TSSLManagementForm::RememberShownSuites() {
  TComboBox* boxes[] = {cbxciphersuites1, cbxciphersuites2, cbxciphersuites3, cbxciphersuites4};
  for (int i = 0; i < 4; ++i) shownSuites_[i] = boxes[i]->ItemIndex();
}

// The boxes show what the read said: the first digit of the first octet,
// however many octets the switch holds; no choice when it holds none.
void TSSLManagementForm::DecodeCipherSuites() {
  const AnsiString text = edtciphersuites->Text();
  const int value = text.Length() >= 2 ? HexDigitValue(text[1]) : -1;
  TComboBox* boxes[] = {cbxciphersuites1, cbxciphersuites2, cbxciphersuites3, cbxciphersuites4};
  const int weights[] = {8, 4, 2, 1};
  for (int i = 0; i < 4; ++i)
    boxes[i]->SetItemIndex(value < 0 ? -1 : (value & weights[i]) ? kSuiteEnabled : kSuiteDisabled);
}

// Only the suites the user switched go into the text: the first digit's
// other bits, the second digit and any further octets stay as read, so
// that suites the form does not show are never switched off.
void TSSLManagementForm::EncodeCipherSuites() {
  TComboBox* boxes[] = {cbxciphersuites1, cbxciphersuites2, cbxciphersuites3, cbxciphersuites4};
  const int weights[] = {8, 4, 2, 1};
  const AnsiString text = edtciphersuites->Text();
  const int read = text.IsEmpty() ? -1 : HexDigitValue(text[1]);
  int value = read < 0 ? 0 : read;
  bool switched = false;
  for (int i = 0; i < 4; ++i) {
    if (boxes[i]->ItemIndex() == shownSuites_[i]) continue;
    switched = true;
    if (boxes[i]->ItemIndex() == kSuiteEnabled)
      value |= weights[i];
    else
      value &= ~weights[i];
  }
  if (!switched) return;
  const char digit = static_cast<char>(value < 10 ? '0' + value : 'A' + value - 10);
  const AnsiString rest = read < 0 ? AnsiString("0") : text.SubString(2, text.Length() - 1);
  edtciphersuites->SetText(AnsiString(digit) + (rest.IsEmpty() ? AnsiString("0") : rest));
  RememberShownSuites();
}

void TSSLManagementForm::btnSetClick(TObject*) {
  if (!Request) return;
  // Suite boxes left without a choice by a cipher text the form does not
  // split (no octet, or no hexadecimal digit) are no empty entry: that
  // text goes back whole. They are empty where no read filled them.
  const bool suitesEmpty =
      edtciphersuites->Text().IsEmpty() &&
      ItemEntered(*Request, SSLManagementItem::kCipherSuites) &&
      (cbxciphersuites1->Text().IsEmpty() || cbxciphersuites2->Text().IsEmpty() ||
       cbxciphersuites3->Text().IsEmpty() || cbxciphersuites4->Text().IsEmpty());
  // A field is empty when the user emptied it or no read filled it: a state
  // the switch holds that its list lacks shows no choice, and goes back as
  // the switch holds it.
  auto emptied = [this](TControl* field, int item) {
    return field->Text().IsEmpty() && ItemEntered(*Request, item);
  };
  if (emptied(cbxSSLVersion, SSLManagementItem::kSSLStatusAdministration) ||
      emptied(edtCacheTimeOut, SSLManagementItem::kSSLCacheTimeout) || suitesEmpty) {
    MessageDlg("Some items are empty.", mtWarning, mbOK, 0);
    FocusIfPossible(btnSet);
    return;
  }
  EncodeCipherSuites();
  try {
    Request->Set(kSetFromControlsThenRead);
  } catch (const Exception& e) {
    ShowFailureInStatusBar(StatusBar1, e.Message);
  }
}

void TSSLManagementForm::FormClose(TObject*, TCloseAction&) { StopWaitDelete(Request); }
