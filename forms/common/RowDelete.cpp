#include "forms/common/RowDelete.h"

#include "forms/common/FeatureForm.h"
#include "library/VnSNMPRequest2Edits.h"
#include "platform/ComCtrls.h"
#include "platform/Dialogs.h"
#include "platform/Exceptions.h"

bool DeleteSelectedRow(TListView* list, VnSNMPRequest2Edits* request,
                       const std::function<void(TSavedAccess&)>& destroy,
                       const std::function<void(const AnsiString&)>& fail) {
  if (!list->Selected()) {
    ShowMessage("Choose the item first.");
    return true;
  }
  if (!request || request->Busy) {
    ShowMessage(kGetDataNotComplete);
    return false;
  }
  try {
    {
      TSavedAccess saved(*request);
      destroy(saved);
    }
    request->Get();
  } catch (const Exception& e) {
    fail(e.Message);
  }
  return true;
}
