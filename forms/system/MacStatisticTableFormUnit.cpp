#include "forms/system/MacStatisticTableFormUnit.h"

#include "catalogue/AuthMib.h"
#include "pages/FormOpeners.h"

TMacStatisticTableForm* MacStatisticTableForm = nullptr;

VN_REGISTER_FORM_OPENER(TMacStatisticTableForm, &MacStatisticTableForm);

TMacStatisticTableForm::TMacStatisticTableForm(TComponent* AOwner)
    : TPaeCounterListForm(AOwner, MacStatisticTableVars, "MAC Statistic") {}
