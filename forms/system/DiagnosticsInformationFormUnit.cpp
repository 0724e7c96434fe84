#include "forms/system/DiagnosticsInformationFormUnit.h"

#include "app/FormOpeners.h"
#include "catalogue/AuthMib.h"

TDiagnosticsInformationForm* DiagnosticsInformationForm = nullptr;

VN_REGISTER_FORM_OPENER(TDiagnosticsInformationForm, &DiagnosticsInformationForm);

TDiagnosticsInformationForm::TDiagnosticsInformationForm(TComponent* AOwner)
    : TPaeCounterListForm(AOwner, DiagnosticsInformationVars, "Diagnostics Information") {}
