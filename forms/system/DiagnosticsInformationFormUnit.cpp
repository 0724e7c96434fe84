#include "forms/system/DiagnosticsInformationFormUnit.h"

#include "catalogue/AuthMib.h"
#include "pages/FormOpeners.h"

TDiagnosticsInformationForm* DiagnosticsInformationForm = nullptr;

VN_REGISTER_FORM_OPENER(TDiagnosticsInformationForm, &DiagnosticsInformationForm);

TDiagnosticsInformationForm::TDiagnosticsInformationForm(TComponent* AOwner)
    : TPaeCounterListForm(AOwner, DiagnosticsInformationVars, "Diagnostics Information") {}
