// Asynchronous exchanges of a request: submission, the reply handler that
// the event pump runs, and the end of a request's life while exchanges are
// still outstanding.
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "SendTargetCache.h"
#include "SetReplyCheck.h"
#include "SnmpReplyContext.h"
#include "library/VnErrors.h"
#include "library/VnSNMPRequest.h"
#include "library/VnSNMPSession.h"
#include "platform/Clock.h"
#include "platform/EventLoop.h"
#include "platform/Exceptions.h"
#include "snmp/Address.h"
#include "snmp/Pdu.h"
#include "snmp/Snmp.h"
#include "snmp/Target.h"

namespace {

// Longest wait of a dying request for its outstanding exchanges.
constexpr DWORD kDestroyWaitMs = 6000;

}  // namespace

// A completion being delivered to its request; the frames form a stack, as a
// closure may pump messages and so run further completions. A request that
// dies while one of its own completions runs marks that frame: the handler
// then leaves the request alone, and the destructor does not wait for a
// completion that cannot end before the destructor itself returns.
struct VnSNMPRequest::CompletionFrame {
  explicit CompletionFrame(VnSNMPRequest* r) : request(r), syncExchanges(r->syncExchanges_) {
    Frames().push_back(this);
  }
  ~CompletionFrame() {
    auto& frames = Frames();
    frames.erase(std::remove(frames.begin(), frames.end(), this), frames.end());
    if (!destroyed) --request->Outstanding;
  }
  CompletionFrame(const CompletionFrame&) = delete;
  CompletionFrame& operator=(const CompletionFrame&) = delete;

  static std::vector<CompletionFrame*>& Frames() {
    static std::vector<CompletionFrame*> frames;
    return frames;
  }
  // Completions of the request running right now.
  static int Running(const VnSNMPRequest* r) {
    int n = 0;
    for (const CompletionFrame* f : Frames())
      if (f->request == r && !f->destroyed) ++n;
    return n;
  }
  static void RequestGone(const VnSNMPRequest* r) {
    for (CompletionFrame* f : Frames())
      if (f->request == r) f->destroyed = true;
  }

  VnSNMPRequest* request;
  std::uint32_t syncExchanges;  // the request's when the completion began
  bool destroyed = false;
};

namespace {

// The agent of a target: address text and port (nothing of an address
// that is not valid). Read from the target's own address, once per reply.
VnSNMPDevice DeviceOf(const SnmpTarget& target) {
  VnSNMPDevice device;
  const UdpAddress& address = target.get_udp_address();
  if (address.valid()) {
    device.Address = address.IpAddress::get_printable();
    device.Port = address.get_port();
  }
  return device;
}

// Lets the event loop run once.
void PumpOnce() {
  EventLoop& loop = EventLoop::Current();
  loop.ProcessPendingEvents();
  loop.Pause();
}

}  // namespace

VnSNMPRequest::~VnSNMPRequest() {
  Active = false;
  const DWORD start = GetTickCount();
  while (Outstanding - CompletionFrame::Running(this) >= 1 &&
         GetTickCount() - start < kDestroyWaitMs) {
    PumpOnce();
  }
  CompletionFrame::RequestGone(this);
  // What is still outstanding is withdrawn: its completion never comes.
  if (g_SnmpSession && Outstanding > 0) {
    std::vector<void*> cancelled = g_SnmpSession->cancel_if(
        [this](void* data) { return static_cast<SnmpReplyContext*>(data)->Request == this; });
    for (void* data : cancelled) delete static_cast<SnmpReplyContext*>(data);
  }
}

VnSNMPRequest::ExchangeId VnSNMPRequest::Submit(int pduType, ReplyKind kind, Pdu&& pdu,
                                                std::shared_ptr<SnmpTarget> target,
                                                const VnSNMPCompletion& completion,
                                                std::vector<int> bindingItems, ExchangeId again) {
  if (!g_SnmpSession) RaiseLibraryError(VNERR_CREATE_SESSION);
  auto context = std::make_unique<SnmpReplyContext>();
  context->ReplyHandler = &VnSNMPRequest::ProcessReply;
  context->Request = this;
  context->Kind = kind;
  context->Exchange = again != 0 ? again : lastExchange_ + 1;
  context->Completion = completion;
  context->BindingItems = std::move(bindingItems);
  int result = SNMP_CLASS_INVALID_OPERATION;
  switch (pduType) {
    case sNMP_PDU_GET:
      result =
          g_SnmpSession->get(std::move(pdu), std::move(target), SnmpCallbackThunk, context.get());
      break;
    case sNMP_PDU_GETNEXT:
      result = g_SnmpSession->get_next(std::move(pdu), std::move(target), SnmpCallbackThunk,
                                       context.get());
      break;
    case sNMP_PDU_SET:
      result =
          g_SnmpSession->set(std::move(pdu), std::move(target), SnmpCallbackThunk, context.get());
      break;
  }
  if (result != SNMP_CLASS_SUCCESS) {
    int number = 0;
    AnsiString text;
    MapSnmpError(result, number, text);
    // Refused: the context stays ours and goes with this scope.
    if (number != VNERR_OK) throw Exception(text, number);
  }
  context.release();  // the SNMP layer holds it until the completion
  ++Outstanding;
  return again != 0 ? again : ++lastExchange_;
}

void VnSNMPRequest::Withdraw(ExchangeId exchange) {
  if (exchange == 0 || !g_SnmpSession) return;
  std::vector<void*> cancelled = g_SnmpSession->cancel_if([this, exchange](void* data) {
    const auto* context = static_cast<SnmpReplyContext*>(data);
    return context->Request == this && context->Exchange == exchange;
  });
  for (void* data : cancelled) {
    delete static_cast<SnmpReplyContext*>(data);
    --Outstanding;
  }
}

bool VnSNMPRequest::InPumpedCompletion() const {
  const std::vector<CompletionFrame*>& frames = CompletionFrame::Frames();
  if (frames.empty()) return false;
  const CompletionFrame* innermost = frames.back();
  return innermost->request == this && innermost->syncExchanges == syncExchanges_;
}

void VnSNMPRequest::FinishReadRow() {
  if (!rowWaiting_) return;
  rowWaiting_ = false;
  TakeWaitingValues();
  FinishRow(waitingRowIndex_);
}

void VnSNMPRequest::ProcessReply(VnSNMPRequest* request, int reason, Pdu& reply, SnmpTarget& target,
                                 ReplyKind kind, const VnSNMPCompletion& completion,
                                 const std::vector<int>& bindingItems, ExchangeId exchange) {
  if (reason == SNMP_CLASS_SESSION_DESTROYED) {
    --request->Outstanding;
    return;
  }
  CompletionFrame frame(request);  // lowers Outstanding when the handler is done

  VnSNMPError record;
  // The status of the exchange is what the SNMP layer reports: the reply's
  // error status for a response, else the failure itself (a timeout, a
  // version 3 report, a send that failed).
  const int status = reason == SNMP_CLASS_ASYNC_RESPONSE ? reply.get_error_status() : reason;
  MapSnmpError(status, record.Number, record.Text);
  record.ErrorIndex = reply.get_error_index();
  record.Device = DeviceOf(target);
  record.Finished = true;
  // A SET answered with an exception where a value was written set nothing.
  const bool set = kind != ReplyKind::Read;
  if (set && record.Number == VNERR_OK && reason == SNMP_CLASS_ASYNC_RESPONSE) {
    if (const int binding = FirstExceptionBinding(reply)) {
      record.Number = VNERR_NOSUCHNAME;
      record.Text = ErrorText(VNERR_NOSUCHNAME);
      record.ErrorIndex = binding;
    }
  }

  // noSuchName to a read names an item that has nothing (see
  // ReadsNoSuchName); for a SET it is the refusal it says.
  const bool noSuchName =
      kind == ReplyKind::Read && record.Number == VNERR_NOSUCHNAME && request->ReadsNoSuchName();
  const bool readBack = kind != ReplyKind::SetStatusOnly;
  // A walker that finishes its rows itself sends the next step first: the
  // row's values wait in the reply until it takes the row.
  const bool rowLater =
      kind == ReplyKind::Read && request->RowFinishedByCompletion && request->IsTable();
  if ((record.Number == VNERR_OK && readBack) || noSuchName) {
    try {
      AnsiString rowIndex;
      const ReplyTo to = noSuchName                                      ? ReplyTo::NoSuchName
                         : kind == ReplyKind::Read && request->IsTable() ? ReplyTo::WalkStep
                                                                         : ReplyTo::Get;
      const ReplyOutcome outcome = request->ReadReply(reply, bindingItems, to, rowIndex, rowLater);
      // A noSuchName that named an item is no failure of the read.
      if (noSuchName && outcome != ReplyOutcome::NoSuchName && outcome != ReplyOutcome::Again) {
        MapSnmpError(SNMP_CLASS_SUCCESS, record.Number, record.Text);
        record.ErrorIndex = 0;
      }
      switch (outcome) {
        case ReplyOutcome::Again:
          // The other items are asked again in the same exchange, and its
          // reply completes it; a stopped request sends nothing more, and
          // the read ends with the agent's answer.
          if (request->SubmitRead(completion, PduMode::Again, exchange) != 0) return;
          break;
        case ReplyOutcome::WalkEnd:
        case ReplyOutcome::NoSuchName:
        case ReplyOutcome::AllEnded:
          break;
        case ReplyOutcome::Row:
          if (rowLater) {
            request->waitingRowIndex_.str().swap(rowIndex.str());
            request->rowWaiting_ = true;
          } else {
            request->FinishRow(rowIndex);
          }
          record.Finished = !request->IsTable();
          break;
      }
    } catch (Exception& e) {
      // A reply the items cannot take ends the operation with its error.
      record.Number = e.HelpContext;
      record.Text = e.Message;
      record.Finished = true;
    }
  }
  if (completion) completion(record, request->VarList);
  // Values the completion did not take (it dropped the row) are the items'
  // all the same, as they would have been before it ran; what they raise
  // would have reached that completion only.
  if (!frame.destroyed) {
    try {
      request->TakeWaitingValues();
    } catch (const Exception&) {
    }
  }
}
