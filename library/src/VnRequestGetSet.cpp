// Get and Set of a request bound to controls, synchronous and asynchronous,
// and the completions of the asynchronous exchanges.
#include <exception>
#include <functional>
#include <utility>
#include <vector>

#include "library/VnErrors.h"
#include "library/VnSNMPRequest2Controls.h"
#include "platform/Clock.h"
#include "platform/EventLoop.h"
#include "platform/Exceptions.h"
#include "platform/Forms.h"

namespace {

// Raised again as a plain Exception with the same message and help context.
[[noreturn]] void Reraise(const Exception& e) { throw Exception(e.Message, e.HelpContext); }

// Runs the call from the event loop, once the calls running now have
// returned to it. The timer is the process's and is never destroyed, so a
// call may destroy whatever it likes.
void CallSoon(std::function<void()> call) {
  static auto* const calls = new std::vector<std::function<void()>>;
  static auto* const timer = [] {
    auto* t = new EventTimer([] {
      std::vector<std::function<void()>> due;
      due.swap(*calls);
      for (const std::function<void()>& c : due) c();
    });
    t->SetSingleShot(true);
    t->SetInterval(1);
    return t;
  }();
  calls->push_back(std::move(call));
  timer->SetEnabled(true);
}

}  // namespace

VnSNMPCompletion VnSNMPRequest2Controls::ReadCompletion() {
  std::shared_ptr<Life> life = life_;
  const std::uint32_t read = read_;
  return VnSNMPCompletion([life, read](VnSNMPError& error, VnSNMPVarList&) {
    VnSNMPRequest2Controls* self = life->self;
    // Only the running read goes on; an abandoned walk stays ended.
    if (self && self->reading_ && self->read_ == read) self->GetCompleted(error);
  });
}

VnSNMPCompletion VnSNMPRequest2Controls::WriteCompletion(bool getAfterSet, bool readAgain) {
  std::shared_ptr<Life> life = life_;
  const std::uint32_t reads = readsStarted_;
  return VnSNMPCompletion(
      [life, getAfterSet, reads, readAgain](VnSNMPError& error, VnSNMPVarList&) {
        if (life->self) life->self->SetCompleted(error, getAfterSet, reads, readAgain);
      });
}

void VnSNMPRequest2Controls::UpdateBusy() {
  Busy = reading_ || writes_ > 0 || readsAfterWrite_ > 0 || syncRunning_;
}

AnsiString VnSNMPRequest2Controls::GetRowFilter() const {
  if (!RowFilterSource || RowFilterText.IsEmpty()) return "";
  return RowFilterSource->ExpandItemReferences(RowFilterText, true, '#');
}

bool VnSNMPRequest2Controls::DeliverRow(const AnsiString& condition) {
  if (!Request.MatchesCondition(condition) || !Request.MatchesRowFilter()) return true;
  std::shared_ptr<Life> life = life_;
  const std::uint32_t reads = readsStarted_;
  DoGetRow();
  if (!life->self) return false;
  // A read started during the row (the walk abandoned and read again)
  // counts its own rows from 0: the row is the earlier read's.
  if (readsStarted_ == reads) ++RowCount;
  return true;
}

void VnSNMPRequest2Controls::Get() { Read(AsyncMode, true); }

void VnSNMPRequest2Controls::Read(bool async, bool announced) {
  // The running walk may already have passed what this read is to show (a
  // row written meanwhile): one more read follows it, however often asked.
  if (reading_) {
    readAgain_ = true;
    return;
  }
  StatusKind = STATUS_KIND_GET;
  DoGetBegin();
  condition_ = GetRowFilter();
  RowCount = 0;
  Busy = true;
  try {
    if (!async) {
      ++readsStarted_;
      syncRunning_ = true;
      if (!IsTableList()) {
        Request.SendGet(VnReadFrom::Start);
        if (!DeliverRow(condition_)) return;
      } else {
        for (bool more = Request.SendGet(VnReadFrom::Start); more;
             more = Request.SendGet(VnReadFrom::LastRow))
          if (!DeliverRow(condition_)) return;
      }
      DoGetEnd();
      syncRunning_ = false;
      UpdateBusy();
      if (StatusTarget) ShowRequestStatus(ErrorText(VNERR_OK));
      return;
    }
    if (Request.Active) {
      ++readsStarted_;
      ++read_;
      reading_ = true;
      quietEnd_ = !announced;
      Request.SendGetAsync(ReadCompletion(), VnReadFrom::Start);
    } else {
      UpdateBusy();
    }
  } catch (const Exception& e) {
    reading_ = syncRunning_ = false;
    UpdateBusy();
    Reraise(e);
  } catch (...) {
    reading_ = syncRunning_ = false;
    UpdateBusy();
    throw;
  }
}

void VnSNMPRequest2Controls::ReadFailed(VnSNMPError& error) {
  std::shared_ptr<Life> life = life_;
  reading_ = false;
  UpdateBusy();
  DoGetError(error);
  if (life->self && OnGetDone) OnGetDone(this, error);
  if (life->self) ReadAgainIfAsked();
}

void VnSNMPRequest2Controls::GetCompleted(VnSNMPError& error) {
  std::shared_ptr<Life> life = life_;
  if (error.Number != VNERR_OK) {
    ReadFailed(error);
    return;
  }
  try {
    if (!IsTableList()) {
      if (!DeliverRow(condition_)) return;
    } else if (!error.Finished) {
      if (!DeliverWalkRow(error)) return;
    }
  } catch (const Exception& e) {
    if (!life->self) return;
    reading_ = readAgain_ = false;
    UpdateBusy();
    ShowError(STATUS_KIND_GET, e.Message);
    return;
  }
  if (!life->self) return;
  EndRead(error);
}

bool VnSNMPRequest2Controls::DeliverWalkRow(const VnSNMPError& record) {
  // The next step asks from the identifiers just read into the items, so it
  // goes out before the row is shown: the row's controls and the pump in
  // them cost no wire time. Its reply cannot overtake the row, as the
  // session never runs a completion inside another: it waits, in the socket
  // or among the session's finished exchanges, until this completion has
  // returned, and the walk takes it up then as any other.
  std::shared_ptr<Life> life = life_;
  const std::uint32_t read = read_;
  // A step the request cannot send now (to an address no datagram goes to,
  // say) is sent again after the row, where the walk sends a step it has
  // not sent ahead: the row may have put its cause right, and if it has not,
  // the refusal ends the walk there, once.
  if (Request.Active) {
    try {
      stepAhead_ = Request.SendGetAsync(ReadCompletion(), VnReadFrom::LastRow);
    } catch (...) {
      stepAhead_ = 0;
    }
  }
  // A row whose index the index items cannot take ends the walk with that
  // error, as a reply the items cannot take does.
  try {
    Request.FinishReadRow();
  } catch (const Exception& e) {
    Request.Withdraw(std::exchange(stepAhead_, 0));
    VnSNMPError failed = record;
    failed.Number = e.HelpContext;
    failed.Text = e.Message;
    failed.Finished = true;
    ReadFailed(failed);
    return false;
  }
  bool delivered = false;
  try {
    delivered = DeliverRow(condition_);
  } catch (...) {
    if (life->self) Request.Withdraw(std::exchange(stepAhead_, 0));
    throw;
  }
  // Gone: the destructor took the step back.
  if (!delivered) return false;
  const VnSNMPRequest::ExchangeId ahead = std::exchange(stepAhead_, 0);
  // A walk stopped during the row ends as it would have without the step:
  // its answer is not taken.
  if (!reading_ || read_ != read) {
    Request.Withdraw(ahead);
    return false;  // abandoned: ended already
  }
  if (!Request.Active) {
    Request.Withdraw(ahead);
    return true;
  }
  // Active again after the row, though it was not before; or the step could
  // not be sent before the row.
  if (!ahead) Request.SendGetAsync(ReadCompletion(), VnReadFrom::LastRow);
  return false;
}

void VnSNMPRequest2Controls::EndRead(const VnSNMPError& record) {
  std::shared_ptr<Life> life = life_;
  DoGetEnd();
  if (!life->self) return;
  reading_ = false;
  UpdateBusy();
  // Without a status target the end of a read is not announced. A read
  // that did not complete, or that must not hide a failed write, shows no
  // "Ok!".
  if (StatusTarget) {
    if (!quietEnd_) {
      StatusKind = STATUS_KIND_GET;
      ShowRequestStatus(ErrorText(VNERR_OK));
    }
    if (OnGetDone) OnGetDone(this, record);
  }
  if (life->self) ReadAgainIfAsked();
}

void VnSNMPRequest2Controls::ReadAgainIfAsked() {
  // A read the done event started already comes after the ask.
  if (!readAgain_) return;
  readAgain_ = false;
  if (reading_) return;
  std::shared_ptr<Life> life = life_;
  try {
    Get();
  } catch (const Exception& e) {
    if (life->self) ShowError(STATUS_KIND_GET, e.Message);
  }
}

bool VnSNMPRequest2Controls::DropRunningRead() {
  if (!reading_) return false;
  ++read_;  // the reply in flight finds another read and is dropped
  Request.DropReadsInFlight();
  readAgain_ = false;  // a dropped read is not followed by another
  return true;
}

bool VnSNMPRequest2Controls::PutOffRunningRead() {
  if (!DropRunningRead()) return false;
  reading_ = false;
  return true;
}

void VnSNMPRequest2Controls::EndDroppedRead() {
  VnSNMPError ended;
  ended.Text = ErrorText(VNERR_OK);
  ended.Device = Request.Device;
  EndRead(ended);
}

bool VnSNMPRequest2Controls::StopReadForWrite(unsigned waitMs) {
  std::shared_ptr<Life> life = life_;
  if (reading_) {
    quietEnd_ = true;
    readAgain_ = false;
    Request.Active = false;
    const DWORD start = GetTickCount();
    while (life->self && reading_ && GetTickCount() - start < waitMs) {
      Application->ProcessMessages();
      if (life->self && reading_) Sleep(1);
    }
    if (!life->self) return false;
    if (DropRunningRead()) {
      EndDroppedRead();
      if (!life->self) return false;
    }
  }
  Request.Active = true;
  return true;
}

void VnSNMPRequest2Controls::ReadAgainAfterWrite(bool writeFailed) {
  std::shared_ptr<Life> life = life_;
  // After a failure the status line keeps the write's kind and text.
  const std::uint32_t kind = StatusKind;
  try {
    Read(true, !writeFailed);
  } catch (const Exception& e) {
    if (life->self) ShowError(STATUS_KIND_GET, e.Message);
  }
  if (life->self && writeFailed) StatusKind = kind;
}

void VnSNMPRequest2Controls::ReadAgainSoon(bool writeFailed) {
  ++readsAfterWrite_;  // Busy until it has started
  std::shared_ptr<Life> life = life_;
  CallSoon([life, writeFailed, reads = readsStarted_] {
    VnSNMPRequest2Controls* self = life->self;
    if (!self) return;
    --self->readsAfterWrite_;
    // A read started after the write (the caller's own, or the one owed to
    // an earlier write) already shows it.
    if (self->readsStarted_ == reads) self->ReadAgainAfterWrite(writeFailed);
    if (life->self) self->UpdateBusy();
  });
}

void VnSNMPRequest2Controls::Set(VnSetOptions options, const AnsiString& indexList,
                                 TStrings* values) {
  const bool getAfterSet = options.getAfterSet;
  StatusKind = STATUS_KIND_SET;
  DoSetBegin();
  if (options.valuesFromControls) DoSetValues();
  Busy = true;
  bool readAfter = false;
  // A read still running was sent before this write: stopped, it is made
  // again after the write.
  bool readAgain = false;
  try {
    if (!AsyncMode) {
      syncRunning_ = true;
      if (Request.Active) {
        CheckBeforeSet(indexList, values);
        readAgain = PutOffRunningRead();
      }
      Request.SendSet(VnSetReply::StatusOnly, indexList, values);
      DoSetEnd();
      syncRunning_ = false;
      readAfter = IsTableList() && getAfterSet;
      if (readAfter) ++readsAfterWrite_;
      // A table read after the write stands for the stopped read as well.
      if (readAgain && !readAfter) ReadAgainSoon(false);
      UpdateBusy();
      if (StatusTarget) ShowRequestStatus(ErrorText(VNERR_OK));
    } else if (Request.Active) {
      CheckBeforeSet(indexList, values);
      readAgain = PutOffRunningRead();
      ++writes_;
      try {
        Request.SendSetAsync(WriteCompletion(getAfterSet, readAgain), VnSetReply::StatusOnly,
                             indexList, values);
      } catch (...) {
        --writes_;
        throw;
      }
      return;
    } else {
      UpdateBusy();
      return;
    }
  } catch (const Exception& e) {
    syncRunning_ = false;
    if (readAgain) ReadAgainSoon(true);
    UpdateBusy();
    Reraise(e);
  } catch (...) {
    syncRunning_ = false;
    if (readAgain) ReadAgainSoon(true);
    UpdateBusy();
    throw;
  }
  if (!readAfter) return;
  --readsAfterWrite_;
  try {
    Get();
  } catch (...) {
    UpdateBusy();
    throw;
  }
  UpdateBusy();
}

void VnSNMPRequest2Controls::SetCompleted(VnSNMPError& error, bool getAfterSet,
                                          std::uint32_t readsBefore, bool readAgain) {
  std::shared_ptr<Life> life = life_;
  --writes_;
  const bool failed = error.Number != VNERR_OK;
  // A read the write stopped is made again however the write ended, and a
  // table is read once after a successful write; a read started after the
  // SET went out (a form's own) already shows it.
  const bool readAfter =
      (readAgain || (!failed && getAfterSet && IsTableList())) && readsStarted_ == readsBefore;
  if (readAfter) ++readsAfterWrite_;  // Busy until that read has ended
  if (failed) {
    UpdateBusy();
    DoSetError(error);
    if (life->self && OnSetDone) OnSetDone(this, error);
  } else {
    DoSetEnd();
    if (!life->self) return;
    UpdateBusy();
    StatusKind = STATUS_KIND_SET;
    if (StatusTarget) {
      ShowRequestStatus(ErrorText(VNERR_OK));
      if (OnSetDone) OnSetDone(this, error);
    }
  }
  if (!life->self || !readAfter) return;
  --readsAfterWrite_;
  if (readsStarted_ == readsBefore) ReadAgainAfterWrite(failed);
  if (life->self) UpdateBusy();
}

void VnSNMPRequest2Controls::DoGetError(const VnSNMPError& error) {
  ShowError(STATUS_KIND_GET, error.Text);
}

void VnSNMPRequest2Controls::DoSetError(const VnSNMPError& error) {
  ShowError(STATUS_KIND_SET, error.Text);
}
