#include "forms/switching/StaticFilterEntry.h"

#include "catalogue/BridgeExtMib.h"
#include "forms/common/AwaitedSet.h"
#include "forms/common/FeatureForm.h"
#include "library/VnSNMPRequest2Edits.h"
#include "platform/Dialogs.h"
#include "platform/Exceptions.h"

static_assert(UnicastFilterInformationItem::kReceivePort == kFilterReceivePortItem &&
              MulticastFilterInformationItem::kReceivePort == kFilterReceivePortItem);

bool WriteNewFilterEntry(std::unique_ptr<VnSNMPRequest2Edits>& request, TMemo* memo) {
  if (!request || request->Busy) {
    ShowMessage(kGetDataNotComplete);
    return false;
  }
  try {
    TAwaitedSet answer(request);
    SetControlsWith(*request, kFilterReceivePortItem, "0", true);
    return answer.Taken();
  } catch (const Exception& e) {
    ShowFailureInMemo(memo, e.Message);
  }
  return false;
}
