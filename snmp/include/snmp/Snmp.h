// The SNMP session: one UDP socket on a local port, requests of every
// version to any agent, synchronous or asynchronous. Everything runs on one
// thread; asynchronous completions run only from SNMPProcessPendingEvents
// (or, with reason SNMP_CLASS_SESSION_DESTROYED, from the destructor).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "snmp/OctetStr.h"
#include "snmp/Pdu.h"
#include "snmp/SnmpConstants.h"
#include "snmp/Target.h"

class Snmp;

// Completion of an asynchronous request, called exactly once per accepted
// submission unless the request was cancelled:
//  - reason SNMP_CLASS_ASYNC_RESPONSE (-6): a Response arrived; pdu is the
//    reply (bindings, error status 0 or 1..18, error index);
//  - reason SNMP_CLASS_TIMEOUT (-5): no reply after all retries; pdu is the
//    request as sent, its error status set to -5;
//  - reason SNMP_CLASS_SESSION_DESTROYED (-8): the session was destroyed with
//    the request outstanding; pdu is the request;
//  - any other reason is the result code of a failure found after
//    submission (a version 3 Report such as 1408 or 1404, SNMP_CLASS_TL_FAILED
//    when a retransmission could not be sent, ...); pdu is the Report (or
//    the request) and its error status holds the same code, so that reading
//    the error status of every reply that is not a timeout gives the result.
// target is the target the request was sent to (its address is the agent's).
using snmp_callback = void (*)(int reason, Snmp* session, Pdu& pdu, SnmpTarget& target,
                               void* callback_data);

class Snmp {
 public:
  // Opens a UDP socket on 0.0.0.0:port (0: the system chooses). status is
  // SNMP_CLASS_SUCCESS, or a negative class code (SNMP_CLASS_TL_IN_USE,
  // SNMP_CLASS_TL_FAILED, ...) after which every call fails with
  // SNMP_CLASS_INVALID.
  Snmp(int& status, std::uint16_t port = 0);
  // Closes the socket, then runs the completions still due: those already
  // finished with their own result, every other outstanding, not cancelled
  // request with reason SNMP_CLASS_SESSION_DESTROYED. A completion may
  // destroy the session it is called for.
  ~Snmp();
  Snmp(const Snmp&) = delete;
  Snmp& operator=(const Snmp&) = delete;

  bool valid() const;
  // The local UDP port of the socket (0 when not open).
  std::uint16_t get_local_port() const;
  // The descriptor of the socket (-1 when not open), for an event loop to
  // watch: when it is readable, process_pending_events has work. Replies
  // that a synchronous call reads while it waits do not make it readable.
  int get_socket() const;

  // Synchronous: blocks until the reply, the timeout or an error. Returns
  // SNMP_CLASS_SUCCESS, the reply's error status (1..18), or a failure code
  // (SNMP_CLASS_TIMEOUT, a version 3 code such as 1408, ...). The reply's
  // bindings, error status and error index are written into pdu (also with
  // an error status); after any other failure pdu keeps its bindings and its
  // error status holds the code. Completions of asynchronous requests that
  // finish meanwhile wait for the next SNMPProcessPendingEvents.
  int get(Pdu& pdu, const SnmpTarget& target);
  int get_next(Pdu& pdu, const SnmpTarget& target);
  int set(Pdu& pdu, const SnmpTarget& target);

  // Asynchronous: SNMP_CLASS_SUCCESS when the request was handed over (its
  // request id is then in pdu.get_request_id()); any other result means
  // refused, and the callback will never run for it.
  int get(Pdu& pdu, const SnmpTarget& target, snmp_callback callback, void* callback_data);
  int get_next(Pdu& pdu, const SnmpTarget& target, snmp_callback callback, void* callback_data);
  int set(Pdu& pdu, const SnmpTarget& target, snmp_callback callback, void* callback_data);
  // The same, handing the PDU over and sharing the target: the request
  // keeps them for its retransmissions instead of copies (its request id is
  // not reported). The target is not changed by anyone while the request is
  // outstanding; the steps of a walk share one.
  int get(Pdu&& pdu, std::shared_ptr<SnmpTarget> target, snmp_callback callback,
          void* callback_data);
  int get_next(Pdu&& pdu, std::shared_ptr<SnmpTarget> target, snmp_callback callback,
               void* callback_data);
  int set(Pdu&& pdu, std::shared_ptr<SnmpTarget> target, snmp_callback callback,
          void* callback_data);

  // Cancels one outstanding asynchronous request: its callback never runs.
  // SNMP_CLASS_SUCCESS, or SNMP_CLASS_INVALID_REQID for an unknown or
  // finished request.
  int cancel(unsigned long request_id);
  // Cancels every outstanding asynchronous request whose callback data
  // satisfies match (for example: every request of one owner that is about to
  // go away). Their callbacks never run; the callback data of each cancelled
  // request is returned so that the caller can release it.
  std::vector<void*> cancel_if(const std::function<bool(void* callback_data)>& match);
  // Asynchronous requests handed over and neither completed nor cancelled.
  std::size_t outstanding() const;

  // Non-blocking: reads what has arrived, handles timeouts and
  // retransmissions, then runs the completions that are due, in the order
  // they finished. Returns the number of callbacks run; a nested call (from
  // inside a callback) does nothing and returns 0.
  int process_pending_events();

  // Forgets the engine id learnt for an agent; the next version 3 request
  // to it discovers it again.
  void forget_engine_id(const UdpAddress& agent);

  struct Impl;

 private:
  // shared_target (the target itself): an asynchronous request takes the
  // contents of pdu and shares the target instead of copies.
  int send(unsigned short type, Pdu& pdu, const SnmpTarget& target, snmp_callback callback,
           void* callback_data, std::shared_ptr<SnmpTarget> shared_target = nullptr);
  // An asynchronous request with a shared target (refused without one).
  int send_shared(unsigned short type, Pdu& pdu, std::shared_ptr<SnmpTarget> target,
                  snmp_callback callback, void* callback_data);

  std::unique_ptr<Impl> d_;
};

// Processes the pending events of every open session (see
// Snmp::process_pending_events). Never blocks, never nests; returns the
// number of callbacks run.
int SNMPProcessPendingEvents();

// Starts the version 3 engine: the local engine id (at most 32 octets) and
// its boots counter. Version 3 requests fail with SNMPv3_MP_NOT_INITIALIZED
// before it. Returns SNMPv3_MP_OK, SNMPv3_MP_INVALID_ENGINEID for an empty or
// too long id, or SNMP_CLASS_INVALID without a valid session.
int mpInit(Snmp* session, const OctetStr& engine_id, unsigned int boots);
inline int mpInit(Snmp& session, const OctetStr& engine_id, unsigned int boots) {
  return mpInit(&session, engine_id, boots);
}
