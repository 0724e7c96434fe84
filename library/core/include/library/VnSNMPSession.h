// The process-wide SNMP session, its SNMPv3 engine with the persistent
// engine-boots counter, and the event processor that lets the SNMP layer
// deliver asynchronous completions from the current event loop.
#pragma once

#include <memory>

#include "platform/AnsiString.h"

class Snmp;
class Pdu;
class SnmpTarget;
class TObject;
class EventTimer;
class EventWatch;

// Local SNMPv3 engine id and the file, in the folder given to
// InitSnmpSession, that keeps its boots counter.
inline constexpr const char* kSnmpEngineId = "VnSNMP_PP_Application";
inline constexpr const char* kSnmpBootCounterFile = "VnSNMP_PP_BootCounter";

// Null until InitSnmpSession; the session lives until the process ends.
extern Snmp* g_SnmpSession;

// Creates the session on any local UDP port, loads, raises and saves the
// boots counter of the folder (the current directory for an empty one),
// starts the SNMPv3 engine, presets ConnectionDefaults and starts the event
// timer. Starts that count in the same folder take turns, so that each
// counts its own boot. Raises -506 (no session), -507 (counter file
// unreadable in form or too large, or no turn at the folder within 5
// seconds) or -508 (counter not saved); after -507 or -508 the engine is not
// started and the timer stays off. A second call replaces the session:
// requests still outstanding on the old one end without their completions.
void InitSnmpSession(const AnsiString& folder);

// Drives SNMPProcessPendingEvents from the event loop: a 20 ms timer for
// timeouts and retransmissions, and a notifier on the session's socket, so
// that a reply is handled as soon as it has arrived. Both run the same
// handler, and it runs with the timer off; a reply that arrives while a
// completion pumps messages or opens a dialog switches the notifier off
// until the handler has returned. So event processing never nests, and a
// walk's reply costs no switching of the socket's watch. The user's input
// waits while the handler runs (platform/InputHold.h): a dialog opened by a
// click is opened from the loop, never inside a completion.
class _SnmpEventProcessor {
 public:
  _SnmpEventProcessor();
  ~_SnmpEventProcessor();
  _SnmpEventProcessor(const _SnmpEventProcessor&) = delete;
  _SnmpEventProcessor& operator=(const _SnmpEventProcessor&) = delete;

  void Enable();
  void Disable();
  void OnTimer(TObject* Sender);
  // The socket to watch (-1: none); set whenever the session changes.
  void WatchSocket(int fd);
  EventTimer* Timer() const { return timer_.get(); }
  EventWatch* Notifier() const { return notifier_.get(); }

 private:
  std::unique_ptr<EventTimer> timer_;
  std::unique_ptr<EventWatch> notifier_;
  bool running_ = false;  // the handler is running
};

// The one event processor; its timer is off until InitSnmpSession.
extern _SnmpEventProcessor g_SnmpEventProcessor;

// What accompanies each asynchronous exchange into the SNMP layer. Owned by
// the layer while the exchange is outstanding; freed by SnmpCallbackThunk,
// or by whoever cancels the exchange.
struct SnmpReplyContext;

// The one callback of every asynchronous exchange: runs the context's reply
// handler and frees the context.
void SnmpCallbackThunk(int reason, Snmp* session, Pdu& pdu, SnmpTarget& target, void* context);
