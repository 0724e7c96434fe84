// Get and Set of a request bound to controls, synchronous and asynchronous,
// and the completions of the asynchronous exchanges.
#include "library/VnErrors.h"
#include "library/VnSNMPRequest2Controls.h"
#include "platform/Exceptions.h"

namespace {

// Raised again as a plain Exception with the same message and help context.
[[noreturn]] void Reraise(const Exception& e) { throw Exception(e.Message, e.HelpContext); }

}  // namespace

VnSNMPCompletion VnSNMPRequest2Controls::Completion(
    void (VnSNMPRequest2Controls::*method)(VnSNMPError&)) {
  std::shared_ptr<Life> life = life_;
  return VnSNMPCompletion([life, method](VnSNMPError& error, VnSNMPVarList&) {
    if (life->self) (life->self->*method)(error);
  });
}

AnsiString VnSNMPRequest2Controls::GetRowFilter() const {
  if (!RowFilterSource || RowFilterText.IsEmpty()) return "";
  return RowFilterSource->ExpandItemReferences(RowFilterText, true, '#');
}

void VnSNMPRequest2Controls::DeliverRow(const AnsiString& condition) {
  if (!Request.MatchesCondition(condition) || !Request.MatchesRowFilter()) return;
  DoGetRow();
  ++RowCount;
}

void VnSNMPRequest2Controls::Get() {
  StatusKind = STATUS_KIND_GET;
  DoGetBegin();
  condition_ = GetRowFilter();
  RowCount = 0;
  Busy = 1;
  try {
    if (AsyncMode == 0) {
      if (!IsTableList()) {
        Request.SendGet(true);
        DeliverRow(condition_);
      } else {
        for (bool more = Request.SendGet(true); more; more = Request.SendGet(false))
          DeliverRow(condition_);
      }
      DoGetEnd();
      Busy = 0;
      if (StatusTarget) ShowRequestStatus(ErrorText(VNERR_OK));
      return;
    }
    if (Request.Active)
      Request.SendGetAsync(Completion(&VnSNMPRequest2Controls::GetCompleted), true);
    else
      Busy = 0;
  } catch (const Exception& e) {
    Busy = 0;
    Reraise(e);
  } catch (...) {
    Busy = 0;
    throw;
  }
}

void VnSNMPRequest2Controls::GetCompleted(VnSNMPError& error) {
  std::shared_ptr<Life> life = life_;
  if (error.Number != VNERR_OK) {
    Busy = 0;
    DoGetError(error);
    if (life->self && OnGetDone) OnGetDone(this, error);
    return;
  }
  try {
    if (!IsTableList()) {
      DeliverRow(condition_);
    } else if (!error.Finished) {
      DeliverRow(condition_);
      if (life->self && Request.Active) {
        Request.SendGetAsync(Completion(&VnSNMPRequest2Controls::GetCompleted), false);
        return;
      }
    }
  } catch (const Exception& e) {
    if (!life->self) return;
    Busy = 0;
    ShowError(STATUS_KIND_GET, e.Message);
    return;
  }
  if (!life->self) return;
  DoGetEnd();
  Busy = 0;
  // Without a status target the end of a read is not announced.
  if (StatusTarget) {
    StatusKind = STATUS_KIND_GET;
    ShowRequestStatus(ErrorText(VNERR_OK));
    if (OnGetDone) OnGetDone(this, error);
  }
}

void VnSNMPRequest2Controls::Set(bool getAfterSet, bool valuesFromControls,
                                 const AnsiString& indexList, TStrings* values) {
  StatusKind = STATUS_KIND_SET;
  GetAfterSet = getAfterSet ? 1 : 0;
  DoSetBegin();
  if (valuesFromControls) DoSetValues();
  Busy = 1;
  try {
    if (AsyncMode == 0) {
      if (Request.Active) CheckBeforeSet(indexList, values);
      Request.SendSet(false, indexList, values);
      DoSetEnd();
      Busy = 0;
      if (StatusTarget) ShowRequestStatus(ErrorText(VNERR_OK));
    } else if (Request.Active) {
      CheckBeforeSet(indexList, values);
      Request.SendSetAsync(Completion(&VnSNMPRequest2Controls::SetCompleted), 0, indexList, values);
      return;
    } else {
      Busy = 0;
      return;
    }
  } catch (const Exception& e) {
    Busy = 0;
    Reraise(e);
  } catch (...) {
    Busy = 0;
    throw;
  }
  if (IsTableList() && GetAfterSet) Get();
}

void VnSNMPRequest2Controls::SetCompleted(VnSNMPError& error) {
  std::shared_ptr<Life> life = life_;
  if (error.Number != VNERR_OK) {
    Busy = 0;
    DoSetError(error);
    if (life->self && OnSetDone) OnSetDone(this, error);
    return;
  }
  DoSetEnd();
  Busy = 0;
  StatusKind = STATUS_KIND_SET;
  if (StatusTarget) {
    ShowRequestStatus(ErrorText(VNERR_OK));
    if (OnSetDone) OnSetDone(this, error);
  }
  if (!life->self || !IsTableList() || !GetAfterSet) return;
  try {
    Get();
  } catch (const Exception& e) {
    if (life->self) ShowError(STATUS_KIND_GET, e.Message);
  }
}

void VnSNMPRequest2Controls::DoGetError(const VnSNMPError& error) {
  ShowError(STATUS_KIND_GET, error.Text);
}

void VnSNMPRequest2Controls::DoSetError(const VnSNMPError& error) {
  ShowError(STATUS_KIND_SET, error.Text);
}
