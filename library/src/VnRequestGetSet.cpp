// Get and Set of a request bound to controls, synchronous and asynchronous,
// and the completions of the asynchronous exchanges. What may start when,
// and what a write owes, is the request's order (VnRequestOrder).
#include <exception>
#include <utility>

#include "library/VnErrors.h"
#include "library/VnSNMPRequest2Controls.h"
#include "platform/Clock.h"
#include "platform/EventLoop.h"
#include "platform/Exceptions.h"
#include "platform/Forms.h"

namespace {

using Mode = VnRequestOrder::Mode;
using Owed = VnRequestOrder::Owed;

// Raised again as a plain Exception with the same message and help context.
[[noreturn]] void Reraise(const Exception& e) { throw Exception(e.Message, e.HelpContext); }

// Sends; when the send raises, `unsent` runs first, and an Exception goes on
// as a plain one.
template <class Send, class Unsent>
void SendOrUndo(const Send& send, const Unsent& unsent) {
  try {
    send();
  } catch (const Exception& e) {
    unsent();
    Reraise(e);
  } catch (...) {
    unsent();
    throw;
  }
}

// A SET that failed with this library error reached the device, or may have
// (it was answered with an error status, or it timed out): a list must show
// what the device holds now.
bool DeviceMayHoldIt(int number) {
  return (number <= VNERR_TOO_BIG && number >= VNERR_INCONSISTENT_NAME) || number == VNERR_TIMEOUT;
}

}  // namespace

VnSNMPCompletion VnSNMPRequest2Controls::ReadCompletion(VnRequestOrder::ReadId read) {
  std::shared_ptr<Life> life = life_;
  return VnSNMPCompletion([life, read](VnSNMPError& error, VnSNMPVarList&) {
    VnSNMPRequest2Controls* self = life->self;
    // Only the running read goes on; an abandoned walk stays ended.
    if (self && self->order_.Takes(read)) self->GetCompleted(error);
  });
}

VnSNMPCompletion VnSNMPRequest2Controls::WriteCompletion(bool getAfterSet) {
  std::shared_ptr<Life> life = life_;
  const AnsiString sent = Request.VarList.Description;
  return VnSNMPCompletion([life, getAfterSet, sent](VnSNMPError& error, VnSNMPVarList&) {
    if (life->self) life->self->SetCompleted(error, getAfterSet, sent);
  });
}

void VnSNMPRequest2Controls::UpdateBusy() { Busy = order_.Busy(); }

AnsiString VnSNMPRequest2Controls::GetRowFilter() const {
  if (!RowFilterSource || RowFilterText.IsEmpty()) return "";
  return RowFilterSource->ExpandItemReferences(RowFilterText, true, '#');
}

bool VnSNMPRequest2Controls::DeliverRow(const AnsiString& condition) {
  if (!Request.MatchesCondition(condition) || !Request.MatchesRowFilter()) return true;
  std::shared_ptr<Life> life = life_;
  const VnRequestOrder::ReadId read = order_.LastRead();
  DoGetRow();
  if (!life->self) return false;
  // A read started during the row (the walk abandoned and read again)
  // counts its own rows from 0: the row is the earlier read's.
  if (order_.LastRead() == read) ++RowCount;
  return true;
}

void VnSNMPRequest2Controls::Get() { Read(AsyncMode, false); }

void VnSNMPRequest2Controls::Read(bool async, bool quiet) {
  // The running walk may already have passed what this read is to show (a
  // row written meanwhile), and a write out may change it: the read follows
  // them, however often asked.
  if (!order_.AskRead()) {
    // Behind a write the controls are emptied at once, as for a read that
    // goes out: what they showed is about to change.
    if (order_.Reading() == VnRequestOrder::Read::Idle) DoGetBegin();
    UpdateBusy();
    return;
  }
  StatusKind = STATUS_KIND_GET;
  DoGetBegin();
  condition_ = GetRowFilter();
  RowCount = 0;
  if (!async) {
    ReadSynchronously();
    return;
  }
  if (!Request.Active) {
    UpdateBusy();
    return;
  }
  const VnRequestOrder::ReadId read = order_.ReadStarts(Mode::Async, quiet);
  UpdateBusy();
  SendOrUndo([&] { Request.SendGetAsync(ReadCompletion(read), VnReadFrom::Start); },
             [this] {
               order_.ReadEnds(Mode::Async);
               UpdateBusy();
             });
}

void VnSNMPRequest2Controls::ReadSynchronously() {
  std::shared_ptr<Life> life = life_;
  // The read ends however its sends end, unless the request went with a
  // row; a read owed meanwhile starts from the loop.
  struct Running {
    const std::shared_ptr<Life>& life;
    ~Running() {
      VnSNMPRequest2Controls* self = life->self;
      if (!self) return;
      self->order_.ReadEnds(Mode::Sync);
      self->UpdateBusy();
      self->StartOwedReadSoon();
    }
  };
  order_.ReadStarts(Mode::Sync);
  UpdateBusy();
  try {
    const Running running{life};
    if (!IsTableList()) {
      Request.SendGet(VnReadFrom::Start);
      if (!DeliverRow(condition_)) return;
    } else {
      for (bool more = Request.SendGet(VnReadFrom::Start); more;
           more = Request.SendGet(VnReadFrom::LastRow))
        if (!DeliverRow(condition_)) return;
    }
    DoGetEnd();
  } catch (const Exception& e) {
    Reraise(e);
  }
  if (life->self && StatusTarget) ShowRequestStatus(ErrorText(VNERR_OK));
}

void VnSNMPRequest2Controls::ReadFailed(VnSNMPError& error) {
  std::shared_ptr<Life> life = life_;
  order_.ReadEnds(Mode::Async);
  UpdateBusy();
  DoGetError(error);
  if (life->self && OnGetDone) OnGetDone(this, error);
  if (life->self) StartOwedRead();
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
    order_.ReadBreaks();
    UpdateBusy();
    ShowError(STATUS_KIND_GET, e.Message);
    return;
  }
  if (!life->self) return;
  EndRead(error, order_.Reading() == VnRequestOrder::Read::Quiet);
}

bool VnSNMPRequest2Controls::DeliverWalkRow(const VnSNMPError& record) {
  // The next step asks from the identifiers just read into the items, so it
  // goes out before the row is shown: the row's controls and the pump in
  // them cost no wire time. Its reply cannot overtake the row, as the
  // session never runs a completion inside another: it waits, in the socket
  // or among the session's finished exchanges, until this completion has
  // returned, and the walk takes it up then as any other.
  std::shared_ptr<Life> life = life_;
  const VnRequestOrder::ReadId read = order_.LastRead();
  // A step the request cannot send now (to an address no datagram goes to,
  // say) is sent again after the row, where the walk sends a step it has
  // not sent ahead: the row may have put its cause right, and if it has not,
  // the refusal ends the walk there, once.
  if (Request.Active) {
    try {
      stepAhead_ = Request.SendGetAsync(ReadCompletion(read), VnReadFrom::LastRow);
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
  if (!order_.Takes(read)) {
    Request.Withdraw(ahead);
    return false;  // abandoned: ended already
  }
  if (!Request.Active) {
    Request.Withdraw(ahead);
    return true;
  }
  // Active again after the row, though it was not before; or the step could
  // not be sent before the row.
  if (!ahead) Request.SendGetAsync(ReadCompletion(read), VnReadFrom::LastRow);
  return false;
}

void VnSNMPRequest2Controls::EndRead(const VnSNMPError& record, bool quiet) {
  std::shared_ptr<Life> life = life_;
  DoGetEnd();
  if (!life->self) return;
  order_.ReadEnds(Mode::Async);
  UpdateBusy();
  // Without a status target the end of a read is not announced. A read
  // that did not complete, or that must not hide a failed write, shows no
  // "Ok!".
  if (StatusTarget) {
    if (!quiet) {
      StatusKind = STATUS_KIND_GET;
      ShowRequestStatus(ErrorText(VNERR_OK));
    }
    if (OnGetDone) OnGetDone(this, record);
  }
  if (life->self) StartOwedRead();
}

void VnSNMPRequest2Controls::StartOwedRead() {
  const Owed owed = order_.TakeOwedRead();
  UpdateBusy();
  if (owed == Owed::Nothing) return;
  std::shared_ptr<Life> life = life_;
  // After a failure the status line keeps the write's kind and text.
  const std::uint32_t kind = StatusKind;
  try {
    Read(true, owed == Owed::QuietRead);
  } catch (const Exception& e) {
    if (life->self) ShowError(STATUS_KIND_GET, e.Message);
  }
  if (life->self && owed == Owed::QuietRead) StatusKind = kind;
}

void VnSNMPRequest2Controls::StartOwedReadSoon() {
  if (order_.Owes() == Owed::Nothing) return;
  std::shared_ptr<Life> life = life_;
  EventLoop::Current().CallSoon([life] {
    if (life->self) life->self->StartOwedRead();
  });
}

void VnSNMPRequest2Controls::EndDroppedRead() {
  VnSNMPError ended;
  ended.Text = ErrorText(VNERR_OK);
  ended.Device = Request.Device;
  EndRead(ended, true);
}

bool VnSNMPRequest2Controls::StopReadForWrite(unsigned waitMs) {
  std::shared_ptr<Life> life = life_;
  if (order_.ReadStopping()) {
    Request.Active = false;
    const DWORD start = GetTickCount();
    while (life->self && order_.Reading() != VnRequestOrder::Read::Idle &&
           GetTickCount() - start < waitMs) {
      Application->ProcessMessages();
      if (life->self && order_.Reading() != VnRequestOrder::Read::Idle) Sleep(1);
    }
    if (!life->self) return false;
    // The reply in flight finds another read and is dropped.
    if (order_.DropRead()) {
      Request.DropReadsInFlight();
      EndDroppedRead();
      if (!life->self) return false;
    }
  }
  Request.Active = true;
  return true;
}

void VnSNMPRequest2Controls::Set(VnSetOptions options, const AnsiString& indexList,
                                 TStrings* values) {
  StatusKind = STATUS_KIND_SET;
  DoSetBegin();
  if (options.valuesFromControls) DoSetValues();
  if (!AsyncMode) {
    SetSynchronously(options.getAfterSet, indexList, values);
    return;
  }
  if (!Request.Active) {
    UpdateBusy();
    return;
  }
  try {
    CheckBeforeSet(indexList, values);
  } catch (const Exception& e) {
    Reraise(e);
  }
  // A read still running was sent before this write: stopped, it is made
  // again after the write.
  if (order_.WriteStarts(Mode::Async)) Request.DropReadsInFlight();
  UpdateBusy();
  SendOrUndo(
      [&] {
        Request.SendSetAsync(WriteCompletion(options.getAfterSet), VnSetReply::StatusOnly,
                             indexList, values);
      },
      [this] {
        order_.WriteEnds(Mode::Async, true, false);
        UpdateBusy();
        StartOwedReadSoon();
      });
}

void VnSNMPRequest2Controls::SetSynchronously(bool getAfterSet, const AnsiString& indexList,
                                              TStrings* values) {
  const bool active = Request.Active;
  try {
    if (active) CheckBeforeSet(indexList, values);
  } catch (const Exception& e) {
    Reraise(e);
  }
  if (active && order_.WriteStarts(Mode::Sync)) Request.DropReadsInFlight();
  UpdateBusy();
  try {
    Request.SendSet(VnSetReply::StatusOnly, indexList, values);
    DoSetEnd();
  } catch (const Exception& e) {
    if (active) order_.WriteEnds(Mode::Sync, true, IsTableList() && DeviceMayHoldIt(e.HelpContext));
    UpdateBusy();
    StartOwedReadSoon();
    Reraise(e);
  } catch (...) {
    if (active) order_.WriteEnds(Mode::Sync, true, false);
    UpdateBusy();
    StartOwedReadSoon();
    throw;
  }
  // A table read after the write is made here, and stands for a read the
  // write stopped as well.
  const bool readAfter = IsTableList() && getAfterSet;
  if (active) order_.WriteEnds(Mode::Sync, false, false);
  if (!readAfter) StartOwedReadSoon();
  UpdateBusy();
  if (StatusTarget) ShowRequestStatus(ErrorText(VNERR_OK));
  if (readAfter) Get();
}

void VnSNMPRequest2Controls::SetCompleted(VnSNMPError& error, bool getAfterSet,
                                          const AnsiString& sent) {
  std::shared_ptr<Life> life = life_;
  const bool failed = error.Number != VNERR_OK;
  // A table is read once after a successful write, and again after one that
  // failed where the device may hold it.
  const bool readAfter = IsTableList() && (failed ? DeviceMayHoldIt(error.Number) : getAfterSet);
  order_.WriteEnds(Mode::Async, failed, readAfter);
  UpdateBusy();
  // The write's line names what was sent: the list's description when the
  // write went out (a form that writes its columns one SET at a time names
  // each), not what it says now.
  struct Described {
    VnSNMPVarList& list;
    AnsiString now;
    Described(VnSNMPVarList& l, const AnsiString& sent) : list(l), now(l.Description) {
      list.Description = sent;
    }
    ~Described() { list.Description = now; }
    Described(const Described&) = delete;
    Described& operator=(const Described&) = delete;
  };
  if (failed) {
    {
      Described described(Request.VarList, sent);
      DoSetError(error);
    }
    if (life->self && OnSetDone) OnSetDone(this, error);
  } else {
    DoSetEnd();
    if (!life->self) return;
    StatusKind = STATUS_KIND_SET;
    if (StatusTarget) {
      {
        Described described(Request.VarList, sent);
        ShowRequestStatus(ErrorText(VNERR_OK));
      }
      if (OnSetDone) OnSetDone(this, error);
    }
  }
  if (life->self) StartOwedRead();
}

void VnSNMPRequest2Controls::DoGetError(const VnSNMPError& error) {
  ShowError(STATUS_KIND_GET, error.Text);
}

void VnSNMPRequest2Controls::DoSetError(const VnSNMPError& error) {
  ShowError(STATUS_KIND_SET, error.Text);
}
