#include "forms/switching/StaticFilterEntry.h"

#include "catalogue/BridgeExtMib.h"
#include "forms/common/FeatureForm.h"
#include "library/VnSNMPRequest2Edits.h"
#include "platform/Dialogs.h"
#include "platform/Exceptions.h"

static_assert(UnicastFilterInformationItem::kReceivePort == kFilterReceivePortItem &&
              MulticastFilterInformationItem::kReceivePort == kFilterReceivePortItem);

bool WriteNewFilterEntry(VnSNMPRequest2Edits* request, TMemo* memo) {
  if (!request || request->Busy) {
    ShowMessage(kGetDataNotComplete);
    return false;
  }
  try {
    SetControlsWith(*request, kFilterReceivePortItem, "0", true);
  } catch (const Exception& e) {
    ShowFailureInMemo(memo, e.Message);
  }
  return true;
}
