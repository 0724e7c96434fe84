#include "forms/switching/StaticFilterEntry.h"

#include "catalogue/BridgeExtMib.h"
#include "forms/common/FeatureForm.h"
#include "forms/common/ListRows.h"
#include "library/VnSNMPRequest2Edits.h"
#include "platform/Dialogs.h"
#include "platform/Exceptions.h"

static_assert(UnicastFilterInformationItem::kReceivePort == kFilterReceivePortItem &&
              MulticastFilterInformationItem::kReceivePort == kFilterReceivePortItem);

bool WriteNewFilterEntry(const TListRows& rows, std::unique_ptr<VnSNMPRequest2Edits>& request,
                         TMemo* memo) {
  if (!request || request->Busy) {
    ShowMessage(kGetDataNotComplete);
    return false;
  }
  return rows.Write(
      request, [&] { SetControlsWith(*request, kFilterReceivePortItem, "0", true); },
      [memo](const AnsiString& message) { ShowFailureInMemo(memo, message); });
}
