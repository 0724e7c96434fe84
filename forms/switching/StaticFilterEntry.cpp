#include "forms/switching/StaticFilterEntry.h"

#include "forms/common/FeatureForm.h"
#include "library/VnSNMPRequest2Edits.h"
#include "platform/Dialogs.h"
#include "platform/Exceptions.h"

bool WriteNewFilterEntry(VnSNMPRequest2Edits* request, TMemo* memo) {
  if (!request || request->Busy) {
    ShowMessage(kGetDataNotComplete);
    return false;
  }
  try {
    request->Request.Active = true;
    SetControlsWith(*request, kFilterReceivePortItem, "0", true);
  } catch (const Exception& e) {
    ShowFailureInMemo(memo, e.Message);
  }
  return true;
}
