#include "library/VnSNMPSession.h"

#include <string>

#include "SnmpReplyContext.h"
#include "library/VnErrors.h"
#include "library/VnSNMPConnection.h"
#include "library/VnUtils.h"
#include "platform/EventLoop.h"
#include "platform/Files.h"
#include "platform/FolderLock.h"
#include "platform/InputHold.h"
#include "snmp/BootCounter.h"
#include "snmp/OctetStr.h"
#include "snmp/Snmp.h"

namespace {

// How long a start waits for others that count their boots in the same
// folder: each takes a few milliseconds, a flush to a slow disk included.
constexpr int kBootCounterWaitMs = 5000;

// Owner of the session. Held on the heap and never released, so that the
// session outlives every static object that might still hold a request.
std::unique_ptr<Snmp>& SessionOwner() {
  static auto* owner = new std::unique_ptr<Snmp>();
  return *owner;
}

}  // namespace

Snmp* g_SnmpSession = nullptr;

_SnmpEventProcessor g_SnmpEventProcessor;

_SnmpEventProcessor::_SnmpEventProcessor()
    : timer_(std::make_unique<EventTimer>([this] { OnTimer(nullptr); })),
      notifier_(std::make_unique<EventWatch>([this] { OnTimer(nullptr); })) {
  timer_->SetEnabled(false);
  timer_->SetInterval(20);
  notifier_->SetEnabled(false);
}

_SnmpEventProcessor::~_SnmpEventProcessor() { Disable(); }

void _SnmpEventProcessor::Enable() {
  timer_->SetEnabled(true);
  notifier_->SetEnabled(true);
}

void _SnmpEventProcessor::Disable() {
  timer_->SetEnabled(false);
  notifier_->SetEnabled(false);
}

void _SnmpEventProcessor::WatchSocket(int fd) { notifier_->SetSocket(fd); }

void _SnmpEventProcessor::OnTimer(TObject*) {
  // The socket became readable while a completion pumps messages: it is not
  // watched until the running handler has returned.
  if (running_) {
    notifier_->SetEnabled(false);
    return;
  }
  running_ = true;
  timer_->SetEnabled(false);
  struct Reenable {
    _SnmpEventProcessor* p;
    ~Reenable() {
      p->running_ = false;
      p->Enable();
    }
  } reenable{this};
  // A click taken while the completions run (one may pump messages: a
  // synchronous walk does after each row) waits until they have returned: a
  // dialog it opens then does not stand inside a completion, where no other
  // reply could be taken.
  const InputHold held;
  if (g_SnmpSession) SNMPProcessPendingEvents();
}

void InitSnmpSession(const AnsiString& folder) {
  int status = 0;
  {
    // The old socket closes at the end of this block: it is watched no more.
    g_SnmpEventProcessor.WatchSocket(-1);
    // The new session is in place before the old one goes, so that the
    // completions the old one ends find a consistent world.
    std::unique_ptr<Snmp> previous = std::move(SessionOwner());
    SessionOwner() = std::make_unique<Snmp>(status, 0);
    g_SnmpSession = SessionOwner().get();
  }
  g_SnmpEventProcessor.WatchSocket(g_SnmpSession->get_socket());
  if (status != SNMP_CLASS_SUCCESS) RaiseLibraryError(VNERR_CREATE_SESSION);

  const std::string path = ToSystemPath(JoinPath(folder, kSnmpBootCounterFile)).str();
  const OctetStr engineId(kSnmpEngineId);
  // Modules started together each count their own boot: nobody loads the
  // counter between another's load and save. A folder that takes no lock
  // is left to the load and the save, which report what is wrong with it.
  // No "/" in the path: the current folder.
  const FolderLock turn(path.substr(0, path.rfind('/') + 1), kBootCounterWaitMs);
  if (turn.State() == FolderLock::Busy) RaiseLibraryError(VNERR_LOAD_BOOTCOUNTER);
  unsigned int boots = 0;
  int result = getBootCounter(path, engineId, boots);
  // A missing entry or a missing file starts the count afresh.
  if (result < SNMPv3_FILEOPEN_ERROR) RaiseLibraryError(VNERR_LOAD_BOOTCOUNTER);
  if (result != SNMPv3_OK) boots = 0;
  ++boots;
  if (saveBootCounter(path, engineId, boots) != SNMPv3_OK)
    RaiseLibraryError(VNERR_SAVE_BOOTCOUNTER);

  mpInit(g_SnmpSession, engineId, boots);
  PresetConnectionDefaults();
  g_SnmpEventProcessor.Enable();
}

void SnmpCallbackThunk(int reason, Snmp*, Pdu& pdu, SnmpTarget& target, void* context) {
  std::unique_ptr<SnmpReplyContext> ctx(static_cast<SnmpReplyContext*>(context));
  if (!ctx || !ctx->ReplyHandler) return;
  // Nothing may unwind into the SNMP layer: what a completion raises is
  // reported as any event handler's exception would be.
  try {
    ctx->ReplyHandler(ctx->Request, reason, pdu, target, ctx->Kind, ctx->Completion,
                      ctx->BindingItems, ctx->Exchange);
  } catch (...) {
    EventLoop::Current().HandleException();
  }
}
