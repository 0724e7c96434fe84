#include "app/Unit1.h"

#include "platform/FormBuilder.h"

TForm1* Form1 = nullptr;

TForm1::TForm1(TComponent* AOwner) : TForm(AOwner) {
  TFormBuilder B(this);
  B.Form().Caption("Form1").ClientSize(295, 98).Font("MS Sans Serif", -11);
  SetName("Form1");
}

void TForm1::MarkIdle(VnSNMPRequest2Controls*, const VnSNMPError&) {
  RefreshIdle = 1;
  SetIdle = 1;
}

void TForm1::SetDoneFlags(VnSNMPRequest2Controls* Sender, const VnSNMPError& Error) {
  MarkIdle(Sender, Error);
}
