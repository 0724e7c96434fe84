// Get and Set of a request bound to controls, synchronous and asynchronous,
// the completions of the asynchronous exchanges, and Stop. What may start
// when, what a write owes and when the request is idle is the request's
// record of its work (VnRequestOrder); every path here tells it what started
// and what ended, and settles once it is done.
#include <exception>
#include <utility>

#include "library/VnErrors.h"
#include "library/VnSNMPRequest2Controls.h"
#include "platform/Clock.h"
#include "platform/EventLoop.h"
#include "platform/Exceptions.h"
#include "platform/Forms.h"

namespace {

using Owed = VnRequestOrder::Owed;
using Outcome = VnRequestOrder::Outcome;
using After = VnRequestOrder::After;

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

// The list's description as it stood when a write went out, for the lines
// of that write; what it says now afterwards.
class Described {
 public:
  Described(VnSNMPVarList& list, const AnsiString& then) : list_(list), now_(list.Description) {
    list_.Description = then;
  }
  ~Described() { list_.Description = now_; }
  Described(const Described&) = delete;
  Described& operator=(const Described&) = delete;

 private:
  VnSNMPVarList& list_;
  AnsiString now_;
};

}  // namespace

VnSNMPCompletion VnSNMPRequest2Controls::ReadCompletion(VnRequestOrder::ReadId read) {
  std::shared_ptr<Life> life = life_;
  // What a read that has ended had out was taken back: an answer comes only
  // to the read that runs.
  return VnSNMPCompletion([life, read](VnSNMPError& error, VnSNMPVarList&) {
    if (VnSNMPRequest2Controls* self = life->self) self->GetCompleted(error, read);
  });
}

VnSNMPCompletion VnSNMPRequest2Controls::WriteCompletion(bool getAfterSet) {
  std::shared_ptr<Life> life = life_;
  const AnsiString sent = Request.VarList.Description;
  return VnSNMPCompletion([life, getAfterSet, sent](VnSNMPError& error, VnSNMPVarList&) {
    if (life->self) life->self->SetCompleted(error, getAfterSet, sent);
  });
}

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

void VnSNMPRequest2Controls::Get() { Read(AsyncMode ? Mode::Async : Mode::Sync, Voice::Loud); }

void VnSNMPRequest2Controls::Read(Mode mode, Voice voice) {
  // The running walk may already have passed what this read is to show (a
  // row written meanwhile), and a write out may change it: the read follows
  // them, however often asked.
  if (!order_.AskRead()) {
    // Behind a write the controls are emptied at once, as for a read that
    // goes out: what they showed is about to change, and the read owed is
    // made whatever the user stops meanwhile.
    if (order_.Reading() == VnRequestOrder::Read::Idle) DoGetBegin();
    return;
  }
  // A quiet read writes no line of its own on success: the kind of the
  // last line stays.
  if (voice == Voice::Loud) StatusKind = STATUS_KIND_GET;
  DoGetBegin();
  condition_ = GetRowFilter();
  RowCount = 0;
  // A read that starts goes out, whoever stopped the request before.
  Request.Active = true;
  if (mode == Mode::Sync) {
    ReadSynchronously();
    return;
  }
  const VnRequestOrder::ReadId read = order_.ReadStarts(Mode::Async, voice);
  SendOrUndo(
      [&] { order_.ReadSent(Request.SendGetAsync(ReadCompletion(read), VnReadFrom::Start)); },
      [this, voice] {
        TakeBack(order_.ReadEnds(Mode::Async));
        DoGetLost(voice == Voice::Quiet);
        Settle();
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
      self->SettleSoon();
    }
  };
  order_.ReadStarts(Mode::Sync, Voice::Loud);
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
    if (life->self && RowCount == 0) DoGetLost(false);
    Reraise(e);
  }
  if (!life->self) return;
  if (Request.ReadFaults().Any()) {
    VnSNMPError record;
    record.Device = Request.Device;
    DoGetError(WithReadFaults(record));
    return;
  }
  if (StatusTarget) ShowRequestStatus(ErrorText(VNERR_OK));
}

VnSNMPError VnSNMPRequest2Controls::WithReadFaults(const VnSNMPError& record) const {
  VnSNMPError failed = record;
  failed.Number = Request.ReadFaults().Number();
  failed.Text = Request.ReadFaults().Text();
  failed.Finished = true;
  return failed;
}

void VnSNMPRequest2Controls::ReadFailed(VnSNMPError& error) {
  std::shared_ptr<Life> life = life_;
  const bool quiet = order_.Reading() == VnRequestOrder::Read::Quiet;
  TakeBack(order_.ReadEnds(Mode::Async));
  // A walk that broke off has ended as one that ran out does: the rows it
  // read stand, the controls wait for one to be chosen.
  if (IsTableList()) DoGetEnd();
  if (!life->self) return;
  // A read that brought nothing leaves no value of the read before where a
  // write could send it.
  if (RowCount == 0) DoGetLost(quiet);
  if (!life->self) return;
  DoGetError(error);
  if (life->self && OnGetDone) OnGetDone(this, error);
  if (life->self) Settle();
}

void VnSNMPRequest2Controls::GetCompleted(VnSNMPError& error, VnRequestOrder::ReadId read) {
  std::shared_ptr<Life> life = life_;
  order_.ReadAnswered();
  if (error.Number != VNERR_OK) {
    ReadFailed(error);
    return;
  }
  try {
    if (!IsTableList()) {
      if (!DeliverRow(condition_)) return;
    } else if (!error.Finished) {
      if (!DeliverWalkRow(error, read)) return;
    }
  } catch (const Exception& e) {
    if (!life->self) return;
    // A row the controls could not take ends the walk there, without its
    // end hook: the error is its last word.
    if (order_.Runs(read)) TakeBack(order_.ReadBreaks());
    ShowError(STATUS_KIND_GET, e.Message);
    if (life->self) Settle();
    return;
  }
  if (!life->self || !order_.Runs(read)) return;
  EndRead(error, order_.Reading() == VnRequestOrder::Read::Quiet ? Voice::Quiet : Voice::Loud);
}

bool VnSNMPRequest2Controls::DeliverWalkRow(const VnSNMPError& record,
                                            VnRequestOrder::ReadId read) {
  // The next step asks from the identifiers just read into the items, so it
  // goes out before the row is shown: the row's controls and the pump in
  // them cost no wire time. Its reply cannot overtake the row, as the
  // session never runs a completion inside another: it waits, in the socket
  // or among the session's finished exchanges, until this completion has
  // returned, and the walk takes it up then as any other. Whatever ends the
  // walk meanwhile takes the step back (it is out for the read).
  std::shared_ptr<Life> life = life_;
  // While the row is in hand, a destructor takes the step back at once.
  struct InHand {
    const std::shared_ptr<Life>& life;
    explicit InHand(const std::shared_ptr<Life>& l) : life(l) { life->self->rowInHand_ = true; }
    ~InHand() {
      if (life->self) life->self->rowInHand_ = false;
    }
    InHand(const InHand&) = delete;
    InHand& operator=(const InHand&) = delete;
  } inHand(life);
  // A step the request cannot send now (to an address no datagram goes to,
  // say) is sent again after the row, where the walk sends a step it has
  // not sent ahead: the row may have put its cause right, and if it has not,
  // the refusal ends the walk there, once.
  bool ahead = false;
  if (Request.Active) {
    try {
      order_.ReadSent(Request.SendGetAsync(ReadCompletion(read), VnReadFrom::LastRow));
      ahead = true;
    } catch (...) {
    }
  }
  // A row whose index the index items cannot take ends the walk with that
  // error, as a reply the items cannot take does.
  try {
    Request.FinishReadRow();
  } catch (const Exception& e) {
    VnSNMPError failed = record;
    failed.Number = e.HelpContext;
    failed.Text = e.Message;
    failed.Finished = true;
    ReadFailed(failed);
    return false;
  }
  if (!DeliverRow(condition_)) return false;  // gone: the destructor took the step back
  // Ended during the row (stopped for a write, say): nothing more of it.
  if (!order_.Runs(read)) return false;
  // Stopped during the row: the walk ends here, and its step goes back.
  if (!Request.Active) return true;
  // The step could not be sent before the row, or the request was stopped
  // and started again during it.
  if (!ahead) order_.ReadSent(Request.SendGetAsync(ReadCompletion(read), VnReadFrom::LastRow));
  return false;
}

void VnSNMPRequest2Controls::EndRead(const VnSNMPError& record, Voice voice) {
  std::shared_ptr<Life> life = life_;
  DoGetEnd();
  if (!life->self) return;
  TakeBack(order_.ReadEnds(Mode::Async));
  // A read that could not take all the agent gave ends as a failure naming
  // it, after the rows and values it did take.
  if (Request.ReadFaults().Any()) {
    const VnSNMPError failed = WithReadFaults(record);
    DoGetError(failed);
    if (life->self && OnGetDone) OnGetDone(this, failed);
    if (life->self) Settle();
    return;
  }
  // Without a status target the end of a read is not announced. A read
  // that did not complete, or that must not hide a failed write, shows no
  // "Ok!".
  if (StatusTarget) {
    if (voice == Voice::Loud) {
      StatusKind = STATUS_KIND_GET;
      ShowRequestStatus(ErrorText(VNERR_OK));
    }
    if (OnGetDone) OnGetDone(this, record);
  }
  if (life->self) Settle();
}

void VnSNMPRequest2Controls::Settle() {
  std::shared_ptr<Life> life = life_;
  if (const Owed owed = order_.TakeOwedRead(); owed != Owed::Nothing) {
    try {
      Read(Mode::Async, owed == Owed::QuietRead ? Voice::Quiet : Voice::Loud);
    } catch (const Exception& e) {
      // The read did not start: the error is its end.
      if (!life->self) return;
      ShowError(STATUS_KIND_GET, e.Message);
    }
    if (!life->self || order_.Busy()) return;
  }
  VnRequestOrder::Failure again;
  if (!order_.Settles(again)) return;
  if (StatusTarget && !again.text.IsEmpty()) {
    const std::uint32_t kind = StatusKind;
    {
      const Described described(Request.VarList, again.description);
      StatusKind = again.kind;
      ShowRequestStatus(again.text);
    }
    StatusKind = kind;
  }
  if (OnIdle) OnIdle(this);
}

void VnSNMPRequest2Controls::SettleSoon() {
  if (order_.Owes() == Owed::Nothing) {
    Settle();
    return;
  }
  std::shared_ptr<Life> life = life_;
  EventLoop::Current().CallSoon([life] {
    if (life->self) life->self->Settle();
  });
}

void VnSNMPRequest2Controls::Stop() {
  order_.Stop();
  Request.Active = false;
  Settle();
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
    // Its answer in flight is taken back: the read ends as one that left its
    // table ends.
    if (order_.Reading() != VnRequestOrder::Read::Idle) {
      VnSNMPError ended;
      ended.Text = ErrorText(VNERR_OK);
      ended.Device = Request.Device;
      EndRead(ended, Voice::Quiet);
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
  try {
    CheckBeforeSet(indexList, values);
  } catch (const Exception& e) {
    Reraise(e);
  }
  // A write that starts goes out, whoever stopped the request before. A
  // read still running was sent before it: stopped, it is made again after
  // the write.
  Request.Active = true;
  TakeBack(order_.WriteStarts(Mode::Async));
  try {
    Request.SendSetAsync(WriteCompletion(options.getAfterSet), VnSetReply::StatusOnly, indexList,
                         values);
  } catch (const Exception& e) {
    WriteEnded(Mode::Async, After::Nothing, e.Message);
    Reraise(e);
  } catch (...) {
    WriteEnded(Mode::Async, After::Nothing, "");
    throw;
  }
}

void VnSNMPRequest2Controls::WriteEnded(Mode mode, VnRequestOrder::After after,
                                        const AnsiString& failure) {
  order_.WriteEnds(mode, Outcome::Failed, after);
  // The caller hears of it (the write raises) and shows it. A round that
  // goes on after it shows it again at its end, if a line that is no
  // failure comes after it.
  if (order_.Busy() && !failure.IsEmpty())
    order_.WriteFailed({STATUS_KIND_SET, failure, Request.VarList.Description});
  SettleSoon();
}

void VnSNMPRequest2Controls::SetSynchronously(bool getAfterSet, const AnsiString& indexList,
                                              TStrings* values) {
  try {
    CheckBeforeSet(indexList, values);
  } catch (const Exception& e) {
    Reraise(e);
  }
  Request.Active = true;
  TakeBack(order_.WriteStarts(Mode::Sync));
  try {
    Request.SendSet(VnSetReply::StatusOnly, indexList, values);
    DoSetEnd();
  } catch (const Exception& e) {
    WriteEnded(Mode::Sync,
               IsTableList() && DeviceMayHoldIt(e.HelpContext) ? After::Read : After::Nothing,
               e.Message);
    Reraise(e);
  } catch (...) {
    WriteEnded(Mode::Sync, After::Nothing, "");
    throw;
  }
  // A table read after the write is made here, synchronously as the write,
  // and stands for a read the write stopped as well.
  const bool readAfter = IsTableList() && getAfterSet;
  order_.WriteEnds(Mode::Sync, Outcome::Done, After::Nothing);
  if (StatusTarget) ShowRequestStatus(ErrorText(VNERR_OK));
  if (readAfter)
    Get();
  else
    SettleSoon();
}

void VnSNMPRequest2Controls::SetCompleted(VnSNMPError& error, bool getAfterSet,
                                          const AnsiString& sent) {
  std::shared_ptr<Life> life = life_;
  const bool failed = error.Number != VNERR_OK;
  // A table is read once after a successful write, and again after one that
  // failed where the device may hold it.
  const bool readAfter = IsTableList() && (failed ? DeviceMayHoldIt(error.Number) : getAfterSet);
  order_.WriteEnds(Mode::Async, failed ? Outcome::Failed : Outcome::Done,
                   readAfter ? After::Read : After::Nothing);
  // The write's line names what was sent: the list's description when the
  // write went out (a form that writes its columns one SET at a time names
  // each), not what it says now.
  if (failed) {
    order_.WriteFailed({STATUS_KIND_SET, error.Text, sent});
    {
      const Described described(Request.VarList, sent);
      DoSetError(error);
    }
    if (life->self && OnSetDone) OnSetDone(this, error);
  } else {
    DoSetEnd();
    if (!life->self) return;
    StatusKind = STATUS_KIND_SET;
    if (StatusTarget) {
      {
        const Described described(Request.VarList, sent);
        ShowRequestStatus(ErrorText(VNERR_OK));
      }
      if (OnSetDone) OnSetDone(this, error);
    }
  }
  if (life->self) Settle();
}

void VnSNMPRequest2Controls::DoGetError(const VnSNMPError& error) {
  ShowError(STATUS_KIND_GET, error.Text);
}

void VnSNMPRequest2Controls::DoSetError(const VnSNMPError& error) {
  ShowError(STATUS_KIND_SET, error.Text);
}
