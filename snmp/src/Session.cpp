// The session core: one Net-SNMP single-session handle with one UDP socket,
// accepting PDUs of every version; each PDU carries its own destination and
// credentials. Net-SNMP's callback only records what happened; completions
// run later from process_pending_events.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "EngineClock.h"
#include "ErrorMap.h"
#include "NetSnmp.h"
#include "PduCodec.h"
#include "ReplayIds.h"
#include "UsmUserCache.h"
#include "snmp/Snmp.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

enum class Stage { Probe, Request };

// One transmission of a record: its token is the magic Net-SNMP hands back
// to the callback, its deadline a watchdog's in case the library drops it
// without telling.
struct Transmission {
  std::uint64_t token = 0;
  std::chrono::steady_clock::time_point deadline;
};

struct Record {
  std::uint64_t id = 0;
  unsigned short type = 0;
  // What is sent and where to: a synchronous call borrows the caller's PDU
  // and target, which outlive it; an asynchronous request keeps its own
  // (copies, or the caller's when they were handed over).
  const Pdu* request = nullptr;
  const SnmpTarget* target = nullptr;
  Pdu own_request;
  std::shared_ptr<SnmpTarget> own_target;
  snmp_callback callback = nullptr;  // null for a synchronous call
  void* data = nullptr;
  bool sync = false;

  sockaddr_in agent{};
  std::uint64_t agent_key = 0;  // see AgentKey
  Stage stage = Stage::Request;
  // Retransmissions still allowed in this stage, and when the next is due.
  int retries_left = 0;
  std::chrono::steady_clock::time_point retry_at;
  // The agent's engine id that this request's messages carry (version 3,
  // past the probe): learnt by its own probe or known to the session when it
  // was sent. A probe or a time-out of another request never takes it away.
  Bytes engine;
  // Engine id (and with it the agent's boots and time) learnt again once
  // already: a request does so at most once.
  bool reprobed = false;
  // Set while checking, after a version 3 request went unanswered, whether
  // the agent now has another engine id or another clock (whose Reports
  // Net-SNMP cannot read).
  bool timeout_probe = false;
  Bytes previous_engine;
  // The engine's boots and time as this request's last message carried
  // them; and whether the check opened the engine's clock for its answer
  // (see OpenEngineClock), to close once the request has ended.
  vnsnmp::EngineClock sent_clock;
  bool clock_opened = false;
  bool time_resent = false;  // resent once after a time-window report
  // The transmissions of this stage still waiting for an answer: a
  // retransmission re-sends the same request (the same request id) and
  // leaves the earlier ones waiting, so a reply to any of them completes it.
  std::vector<Transmission> sent;
  int request_id = 0;           // of this stage's transmissions; 0 before the first
  bool pending_send = false;    // a new transmission once Net-SNMP has returned
  bool pending_resend = false;  // a retransmission once Net-SNMP has returned

  bool finished = false;
  int reason = SNMP_CLASS_ASYNC_RESPONSE;
  int status = SNMP_CLASS_SUCCESS;
  Pdu reply;
};

bool IsV3(const Record& r) { return r.target->get_version() == version3; }

}  // namespace

struct Snmp::Impl {
  Snmp* owner = nullptr;
  void* sessp = nullptr;  // Net-SNMP single-session handle
  netsnmp_session* session = nullptr;
  int fd = -1;
  std::uint16_t local_port = 0;
  bool closing = false;
  bool pumping = false;
  // Cleared when the session is destroyed: a completion may destroy the
  // session whose events are being processed.
  std::shared_ptr<bool> alive = std::make_shared<bool>(true);

  std::uint64_t next_id = 1;
  std::uint64_t next_token = 1;
  std::map<std::uint64_t, std::unique_ptr<Record>> records;
  std::deque<std::uint64_t> done;             // finished asynchronous records, in order
  std::map<std::uint64_t, Bytes> engine_ids;  // by AgentKey

  // Set while snmp_sess_async_send runs: failures it reports are returned
  // by the submission instead of completing the record.
  std::uint64_t submitting = 0;
  bool submitting_v3 = false;
  int submit_failure = SNMP_CLASS_SUCCESS;

  int Open(std::uint16_t port);
  void Close();

  int Submit(Record& r);
  // A new transmission of the record's stage, or a retransmission of it.
  int Transmit(Record& r, bool resend = false);
  // Ends a record; a reply given is moved into it.
  void Finish(Record& r, int reason, int status, Pdu* reply);
  void OnCallback(int op, netsnmp_session* sp, netsnmp_pdu* pdu, std::uint64_t token);
  // A transmission got no answer in its time.
  void OnTransmissionTimedOut(Record& r, std::uint64_t token);
  // Every transmission of the record's stage went unanswered.
  void OnStageTimedOut(Record& r);
  void OnReport(Record& r, netsnmp_pdu* report);
  void OnEngineId(Record& r, const netsnmp_pdu* pdu);

  bool ReadDatagram();    // one datagram, if one has come: whether it was read
  void ReadAvailable();   // the datagrams that have arrived
  void HandleTimeouts();  // time out, transmit what is due
  void Service();         // read, time out, transmit what is due
  void SendPending();
  int Deliver();
  void WaitFor(Record& r);
  Record* Find(std::uint64_t id) {
    auto it = records.find(id);
    return it == records.end() ? nullptr : it->second.get();
  }
  Record* FindByToken(std::uint64_t token) {
    if (token == 0) return nullptr;
    for (auto& [id, r] : records) {
      for (const Transmission& t : r->sent)
        if (t.token == token) return r.get();
    }
    return nullptr;
  }
};

namespace {

std::vector<Snmp::Impl*>& Sessions() {
  static auto* sessions = new std::vector<Snmp::Impl*>();  // outlives static sessions
  return *sessions;
}

bool global_pumping = false;

int NetSnmpCallback(int op, netsnmp_session* sp, int /*reqid*/, netsnmp_pdu* pdu, void* magic) {
  // The request id is no guide: a Report about an undecryptable request
  // carries 0. The magic names the transmission.
  auto* impl = static_cast<Snmp::Impl*>(sp ? sp->callback_magic : nullptr);
  if (impl) {
    impl->OnCallback(op, sp, pdu,
                     static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(magic)));
  }
  return 1;
}

template <typename T>
T* Dup(const void* data, std::size_t len) {
  void* out = std::malloc(len ? len : 1);
  if (out && len) std::memcpy(out, data, len);
  return static_cast<T*>(out);
}

// A malloc'd, zero-terminated copy of len octets (Net-SNMP frees it).
char* DupText(const void* data, std::size_t len) {
  auto* out = static_cast<char*>(std::malloc(len + 1));
  if (!out) return nullptr;
  if (len) std::memcpy(out, data, len);
  out[len] = '\0';
  return out;
}

// An agent's IPv4 address and UDP port as one number.
std::uint64_t AgentKey(const sockaddr_in& a) {
  return static_cast<std::uint64_t>(ntohl(a.sin_addr.s_addr)) << 16 | ntohs(a.sin_port);
}

}  // namespace

int Snmp::Impl::Open(std::uint16_t port) {
  vnsnmp::EnsureNetSnmp();
  if (port != 0) {
    // Refuse a port that someone else holds before Net-SNMP tries it.
    int probe = ::socket(AF_INET, SOCK_DGRAM, 0);
    if (probe < 0) return SNMP_CLASS_TL_FAILED;
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    int rc = ::bind(probe, reinterpret_cast<sockaddr*>(&a), sizeof a);
    int err = errno;
    ::close(probe);
    if (rc != 0) return err == EADDRINUSE ? SNMP_CLASS_TL_IN_USE : SNMP_CLASS_TL_FAILED;
    std::string client = "0.0.0.0:" + std::to_string(port);
    netsnmp_ds_set_string(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_CLIENT_ADDR, client.c_str());
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_CLIENT_ADDR_USES_PORT, 1);
  }
  netsnmp_session s;
  snmp_sess_init(&s);
  s.version = SNMP_DEFAULT_VERSION;   // every PDU says its own version
  char peer[] = "udp:127.0.0.1:161";  // placeholder: each PDU names its agent
  s.peername = peer;
  s.retries = 0;  // retransmissions are ours, per request
  s.timeout = 1000000;
  s.flags |= SNMP_FLAGS_DONT_PROBE;
  s.callback = NetSnmpCallback;
  s.callback_magic = this;
  sessp = snmp_sess_open(&s);
  if (port != 0) {
    netsnmp_ds_set_string(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_CLIENT_ADDR, nullptr);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_CLIENT_ADDR_USES_PORT, 0);
  }
  if (!sessp) return SNMP_CLASS_TL_FAILED;
  session = snmp_sess_session(sessp);
  netsnmp_transport* transport = snmp_sess_transport(sessp);
  if (!session || !transport || transport->sock < 0) {
    snmp_sess_close(sessp);
    sessp = nullptr;
    session = nullptr;
    return SNMP_CLASS_TL_FAILED;
  }
  // Opening clears the flag; no engine probe may ever block this thread.
  session->flags |= SNMP_FLAGS_DONT_PROBE;
  fd = transport->sock;
  sockaddr_in local{};
  socklen_t len = sizeof local;
  if (::getsockname(fd, reinterpret_cast<sockaddr*>(&local), &len) == 0) {
    local_port = ntohs(local.sin_port);
  }
  return SNMP_CLASS_SUCCESS;
}

void Snmp::Impl::Close() {
  if (!sessp) return;
  closing = true;
  // Net-SNMP reports every pending request as timed out while closing.
  snmp_sess_close(sessp);
  sessp = nullptr;
  session = nullptr;
  fd = -1;
  for (auto& [id, r] : records) {
    if (!r->finished)
      Finish(*r, SNMP_CLASS_SESSION_DESTROYED, SNMP_CLASS_SESSION_DESTROYED, nullptr);
  }
}

void Snmp::Impl::Finish(Record& r, int reason, int status, Pdu* reply) {
  if (r.finished) return;
  r.finished = true;
  if (r.clock_opened) vnsnmp::CloseEngineClock(r.previous_engine);
  r.clock_opened = false;
  r.sent.clear();
  r.pending_send = false;
  r.pending_resend = false;
  r.reason = reason;
  r.status = status;
  if (reply)
    r.reply = std::move(*reply);
  else if (!r.sync)  // a synchronous caller keeps its own PDU
    r.reply = *r.request;
  if (reason != SNMP_CLASS_ASYNC_RESPONSE) r.reply.set_error_status(status);
  r.reply.set_request_id(r.id);
  if (!r.sync) done.push_back(r.id);
}

// Checks and prepares a new record, then transmits it (first the engine id
// probe for a version 3 agent whose engine id is not known yet).
int Snmp::Impl::Submit(Record& r) {
  if (!sessp) return SNMP_CLASS_INVALID;
  const SnmpTarget& t = *r.target;
  const UdpAddress& address = t.get_udp_address();
  if (!address.valid()) return SNMP_CLASS_INVALID_ADDRESS;
  bool utarget = dynamic_cast<const UTarget*>(&t) != nullptr;
  snmp_version v = t.get_version();
  if (utarget ? v != version3 : (v != version1 && v != version2c)) {
    return SNMP_CLASS_INVALID_TARGET;
  }
  if (r.type != sNMP_PDU_GET && r.type != sNMP_PDU_GETNEXT && r.type != sNMP_PDU_SET) {
    return SNMP_CLASS_UNSUPPORTED;
  }
  for (const Vb& vb : r.request->vbs()) {
    if (!vb.get_oid().valid() || vb.get_oid().len() < 2) return SNMP_CLASS_INVALID_OID;
    if (r.type == sNMP_PDU_SET && !vb.valid()) return SNMP_CLASS_INVALID_PDU;
  }
  if (utarget) {
    const auto& u = static_cast<const UTarget&>(t);
    if (!vnsnmp::LocalEngineReady()) return SNMPv3_MP_NOT_INITIALIZED;
    if (u.get_security_model() != SNMP_SECURITY_MODEL_USM) {
      return SNMPv3_MP_UNSUPPORTED_SECURITY_MODEL;
    }
    int level = r.request->get_security_level();
    if (level < SNMP_SECURITY_LEVEL_NOAUTH_NOPRIV || level > SNMP_SECURITY_LEVEL_AUTH_PRIV) {
      return SNMPv3_USM_UNSUPPORTED_SECURITY_LEVEL;
    }
    if (!r.request->context_engine_id_valid() ||
        r.request->get_context_engine_id().len() > MAXLENGTH_ENGINEID) {
      return SNMPv3_MP_INVALID_ENGINEID;
    }
    int rc = vnsnmp::CheckUsmUser(u.get_security_name().to_string(), level);
    if (rc != SNMPv3_USM_OK) return rc;
  }
  r.agent.sin_family = AF_INET;
  std::memcpy(&r.agent.sin_addr.s_addr, address.octets().data(), 4);
  r.agent.sin_port = htons(address.get_port() ? address.get_port() : 161);
  r.agent_key = AgentKey(r.agent);
  r.retries_left = t.get_retry() > 0 ? t.get_retry() : 0;
  r.stage = (utarget && !engine_ids.count(r.agent_key)) ? Stage::Probe : Stage::Request;
  return Transmit(r);
}

// One transmission of the record's current stage. A retransmission carries
// the request id of the stage's first one (a version 3 message still gets a
// message id of its own, as Net-SNMP's own retransmissions do).
int Snmp::Impl::Transmit(Record& r, bool resend) {
  if (!sessp) return SNMP_CLASS_INVALID;
  const SnmpTarget& t = *r.target;
  bool v3 = IsV3(r);
  bool probe = r.stage == Stage::Probe;

  if (v3 && !probe) {
    // The session's engine id for the agent, which another request may have
    // learnt anew since (the agent restarted), else the one this request has.
    auto known = engine_ids.find(r.agent_key);
    if (known != engine_ids.end()) r.engine = known->second;
    const auto& u = static_cast<const UTarget&>(t);
    int rc = vnsnmp::EnsureUsmUser(r.engine, u.get_security_name().to_string(),
                                   r.request->get_security_level());
    if (rc != SNMPv3_USM_OK) return rc;
    r.sent_clock = {};  // what Net-SNMP puts into the message
    vnsnmp::ReadEngineClock(r.engine, r.sent_clock);
  }

  int command = r.type == sNMP_PDU_GET       ? SNMP_MSG_GET
                : r.type == sNMP_PDU_GETNEXT ? SNMP_MSG_GETNEXT
                                             : SNMP_MSG_SET;
  netsnmp_pdu* pdu = snmp_pdu_create(probe ? static_cast<int>(SNMP_MSG_GET) : command);
  if (!pdu) return SNMP_CLASS_RESOURCE_UNAVAIL;
  if (resend && r.request_id != 0) pdu->reqid = r.request_id;
  int replay_request = 0, replay_message = 0;
  if (vnsnmp::ReplayIds(replay_request, replay_message)) {
    pdu->reqid = replay_request;
    pdu->msgid = replay_message;
  }
  struct PduGuard {
    netsnmp_pdu*& p;
    ~PduGuard() {
      if (p) snmp_free_pdu(p);
    }
  } guard{pdu};

  auto* addr =
      static_cast<netsnmp_indexed_addr_pair*>(std::calloc(1, sizeof(netsnmp_indexed_addr_pair)));
  if (!addr) return SNMP_CLASS_RESOURCE_UNAVAIL;
  addr->remote_addr.sin = r.agent;
  pdu->transport_data = addr;
  pdu->transport_data_length = sizeof(netsnmp_indexed_addr_pair);

  if (v3) {
    pdu->version = SNMP_VERSION_3;
    pdu->securityModel = SNMP_SEC_MODEL_USM;
    if (probe) {
      // Discovery: noAuthNoPriv, no user, no engine ids, no bindings.
      pdu->securityLevel = SNMP_SEC_LEVEL_NOAUTH;
      pdu->securityName = DupText("", 0);
      pdu->securityNameLen = 0;
      pdu->contextName = DupText("", 0);
      pdu->contextNameLen = 0;
      if (!pdu->securityName || !pdu->contextName) return SNMP_CLASS_RESOURCE_UNAVAIL;
    } else {
      const auto& u = static_cast<const UTarget&>(t);
      const Bytes& engine = r.engine;
      std::string name = u.get_security_name().to_string();
      int level = r.request->get_security_level();
      pdu->securityLevel = level == SNMP_SECURITY_LEVEL_AUTH_PRIV     ? SNMP_SEC_LEVEL_AUTHPRIV
                           : level == SNMP_SECURITY_LEVEL_AUTH_NOPRIV ? SNMP_SEC_LEVEL_AUTHNOPRIV
                                                                      : SNMP_SEC_LEVEL_NOAUTH;
      pdu->securityName = DupText(name.data(), name.size());
      pdu->securityNameLen = name.size();
      pdu->securityEngineID = Dup<u_char>(engine.data(), engine.size());
      pdu->securityEngineIDLen = engine.size();
      const OctetStr& ctx_engine = r.request->get_context_engine_id();
      if (ctx_engine.empty()) {
        pdu->contextEngineID = Dup<u_char>(engine.data(), engine.size());
        pdu->contextEngineIDLen = engine.size();
      } else {
        pdu->contextEngineID = Dup<u_char>(ctx_engine.data(), ctx_engine.len());
        pdu->contextEngineIDLen = ctx_engine.len();
      }
      const OctetStr& ctx_name = r.request->get_context_name();
      pdu->contextName = DupText(ctx_name.data(), ctx_name.len());
      pdu->contextNameLen = ctx_name.len();
      if (!pdu->securityName || !pdu->securityEngineID || !pdu->contextEngineID ||
          !pdu->contextName) {
        return SNMP_CLASS_RESOURCE_UNAVAIL;
      }
    }
  } else {
    const auto& c = static_cast<const CTarget&>(t);
    pdu->version = t.get_version() == version2c ? SNMP_VERSION_2c : SNMP_VERSION_1;
    const OctetStr& community =
        r.type == sNMP_PDU_SET ? c.get_writecommunity() : c.get_readcommunity();
    pdu->community = Dup<u_char>(community.data(), community.len());
    pdu->community_len = community.len();
    if (!pdu->community) return SNMP_CLASS_RESOURCE_UNAVAIL;
  }

  if (!probe) {
    int rc = vnsnmp::AddBindings(pdu, *r.request, r.type != sNMP_PDU_SET);
    if (rc != SNMP_CLASS_SUCCESS) return rc;
  }

  // The library copies the timeout into the request it keeps. Reports of
  // earlier probes leave an engine id in the session; it must not leak into
  // this PDU.
  // Hundredths of a second, at least one and at most an hour. A
  // transmission waits until the stage's last retransmission has had its
  // time, so that a late reply to it still counts.
  unsigned long cs = std::clamp(t.get_timeout(), 1UL, 360000UL);
  if (probe && r.timeout_probe) cs = std::min(cs, 50UL);
  const unsigned long window = cs * static_cast<unsigned long>(r.retries_left + 1);
  session->timeout = static_cast<long>(window) * 10000L;
  session->retries = 0;
  SNMP_FREE(session->securityEngineID);
  session->securityEngineIDLen = 0;
  SNMP_FREE(session->contextEngineID);
  session->contextEngineIDLen = 0;
  session->s_snmp_errno = 0;

  std::uint64_t token = next_token++;
  submitting = token;
  submitting_v3 = v3;
  submit_failure = SNMP_CLASS_SUCCESS;
  int reqid = snmp_sess_async_send(sessp, pdu, NetSnmpCallback,
                                   reinterpret_cast<void*>(static_cast<std::uintptr_t>(token)));
  submitting = 0;
  if (reqid == 0) {
    int code = submit_failure;
    if (code == SNMP_CLASS_SUCCESS) {
      int liberr = 0, syserr = 0;
      char* text = nullptr;
      snmp_sess_error(sessp, &liberr, &syserr, &text);
      std::free(text);
      code = vnsnmp::MapNetSnmpError(liberr, v3);
      if (code == SNMP_CLASS_SUCCESS) code = SNMP_CLASS_ERROR;
    }
    return code;  // the guard frees the PDU
  }
  const int request_id = static_cast<int>(pdu->reqid);
  pdu = nullptr;  // the library owns it now
  if (!resend) r.request_id = request_id;
  const auto now = std::chrono::steady_clock::now();
  r.sent.push_back({token, now + std::chrono::milliseconds(window * 10) + std::chrono::seconds(2)});
  r.retry_at = now + std::chrono::milliseconds(cs * 10);
  return SNMP_CLASS_SUCCESS;
}

void Snmp::Impl::OnEngineId(Record& r, const netsnmp_pdu* pdu) {
  if (!pdu || pdu->securityEngineIDLen == 0 || !pdu->securityEngineID ||
      pdu->securityEngineIDLen > MAXLENGTH_ENGINEID) {
    Finish(r, SNMPv3_USM_UNKNOWN_ENGINEID, SNMPv3_USM_UNKNOWN_ENGINEID, nullptr);
    return;
  }
  Bytes engine(pdu->securityEngineID, pdu->securityEngineID + pdu->securityEngineIDLen);
  engine_ids[r.agent_key] = engine;
  if (r.timeout_probe) {
    r.timeout_probe = false;
    vnsnmp::EngineClock agent;
    if (engine == r.previous_engine &&
        (!vnsnmp::ReadEngineClock(engine, agent) || vnsnmp::InTimeWindow(r.sent_clock, agent))) {
      // Same agent, same clock: the request itself went unanswered.
      Finish(r, SNMP_CLASS_TIMEOUT, SNMP_CLASS_TIMEOUT, nullptr);
      return;
    }
    // Another engine id; or the same with its clock elsewhere (reset, the
    // agent counts its boots from 1 again), whose time-window Reports
    // Net-SNMP dropped: the probe's answer set the clock. Send once more, as
    // a new session would.
  }
  r.stage = Stage::Request;
  r.retries_left = r.target->get_retry() > 0 ? r.target->get_retry() : 0;
  r.sent.clear();
  r.pending_send = true;
}

void Snmp::Impl::OnReport(Record& r, netsnmp_pdu* report) {
  if (r.stage == Stage::Probe) {
    OnEngineId(r, report);
    return;
  }
  int code = vnsnmp::ReportCode(report);
  if (code == SNMPv3_USM_UNKNOWN_ENGINEID && !r.reprobed) {
    // The agent's engine id changed: learn it again and send once more.
    r.reprobed = true;
    engine_ids.erase(r.agent_key);
    r.stage = Stage::Probe;
    r.retries_left = r.target->get_retry() > 0 ? r.target->get_retry() : 0;
    r.sent.clear();
    r.pending_send = true;
    return;
  }
  if (code == SNMPv3_USM_NOT_IN_TIME_WINDOW && !r.time_resent) {
    // The report taught the library the agent's time; send once more.
    r.time_resent = true;
    r.sent.clear();
    r.pending_send = true;
    return;
  }
  Pdu reply;
  vnsnmp::ReadBindings(report, reply);
  reply.set_type(sNMP_PDU_REPORT);
  Finish(r, code, code, &reply);
}

void Snmp::Impl::OnCallback(int op, netsnmp_session* sp, netsnmp_pdu* pdu, std::uint64_t token) {
  if (submitting != 0 && token == submitting) {
    // Reported from inside snmp_sess_async_send: the submission fails.
    if (op == NETSNMP_CALLBACK_OP_SEND_FAILED) {
      // Build failures arrive this way too; the session says which.
      int liberr = sp ? sp->s_snmp_errno : 0;
      submit_failure =
          liberr != 0 ? vnsnmp::MapNetSnmpError(liberr, submitting_v3) : SNMP_CLASS_TL_FAILED;
      if (submit_failure == SNMP_CLASS_SUCCESS) submit_failure = SNMP_CLASS_TL_FAILED;
    } else if (op == NETSNMP_CALLBACK_OP_TIMED_OUT) {
      submit_failure = SNMP_CLASS_TIMEOUT;
    } else if (op == NETSNMP_CALLBACK_OP_SEC_ERROR) {
      submit_failure = vnsnmp::MapNetSnmpError(sp ? sp->s_snmp_errno : SNMPERR_GENERR, true);
      if (submit_failure == SNMP_CLASS_SUCCESS) submit_failure = SNMPv3_USM_ERROR;
    }
    return;
  }
  Record* r = FindByToken(token);
  if (!r || r->finished) return;  // stale, cancelled or finished
  switch (op) {
    case NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE:
      if (!pdu) return;
      if (pdu->command == SNMP_MSG_REPORT) {
        OnReport(*r, pdu);
      } else if (pdu->command == SNMP_MSG_RESPONSE) {
        if (r->stage == Stage::Probe) {
          OnEngineId(*r, pdu);
          return;
        }
        Pdu reply;
        vnsnmp::ReadBindings(pdu, reply);
        reply.set_type(sNMP_PDU_RESPONSE);
        reply.set_error_status(static_cast<int>(pdu->errstat));
        reply.set_error_index(static_cast<int>(pdu->errindex));
        if (IsV3(*r)) {
          reply.set_security_level(r->request->get_security_level());
          reply.set_context_name(r->request->get_context_name());
          reply.set_context_engine_id(r->request->get_context_engine_id());
        }
        Finish(*r, SNMP_CLASS_ASYNC_RESPONSE, static_cast<int>(pdu->errstat), &reply);
      }
      return;
    case NETSNMP_CALLBACK_OP_SEC_ERROR:
      if (pdu && pdu->command == SNMP_MSG_REPORT) {
        OnReport(*r, pdu);
      } else {
        int code = vnsnmp::MapNetSnmpError(sp ? sp->s_snmp_errno : SNMPERR_GENERR, true);
        if (code == SNMP_CLASS_SUCCESS) code = SNMPv3_USM_ERROR;
        Finish(*r, code, code, nullptr);
      }
      return;
    case NETSNMP_CALLBACK_OP_TIMED_OUT:
      if (closing) {
        Finish(*r, SNMP_CLASS_SESSION_DESTROYED, SNMP_CLASS_SESSION_DESTROYED, nullptr);
      } else {
        OnTransmissionTimedOut(*r, token);
      }
      return;
    case NETSNMP_CALLBACK_OP_SEND_FAILED:
      Finish(*r, SNMP_CLASS_TL_FAILED, SNMP_CLASS_TL_FAILED, nullptr);
      return;
    default:  // RESEND and anything else: nothing to do
      return;
  }
}

void Snmp::Impl::OnTransmissionTimedOut(Record& r, std::uint64_t token) {
  std::erase_if(r.sent, [token](const Transmission& t) { return t.token == token; });
  if (r.sent.empty() && !r.pending_send && !r.pending_resend) OnStageTimedOut(r);
}

void Snmp::Impl::OnStageTimedOut(Record& r) {
  if (r.timeout_probe && r.stage == Stage::Probe) {
    Finish(r, SNMP_CLASS_TIMEOUT, SNMP_CLASS_TIMEOUT, nullptr);
  } else if (r.retries_left > 0) {
    // Late: the earlier transmissions ran out before the retransmission.
    --r.retries_left;
    r.pending_resend = true;
  } else if (IsV3(r) && r.stage == Stage::Request && !r.reprobed) {
    // An agent that restarted with another engine id answers with a Report
    // that Net-SNMP drops (it knows no such user for that engine), and one
    // that restarted with fewer boots or an earlier time answers with
    // time-window Reports that it drops too: ask for the engine id once,
    // quickly, and send again only if the engine id or the agent's clock
    // changed. The session keeps the engine id meanwhile: the other requests
    // to the agent go on with it, and one that goes unanswered checks for
    // itself.
    r.reprobed = true;
    r.timeout_probe = true;
    r.previous_engine = r.engine;
    // Net-SNMP drops the Reports of an agent whose clock went back: let the
    // probe's answer show the agent's clock. What the record holds stays for
    // the messages of the other requests meanwhile.
    vnsnmp::EngineClock now;
    r.clock_opened = vnsnmp::ReadEngineClock(r.engine, now) && now.authenticated;
    if (r.clock_opened) vnsnmp::OpenEngineClock(r.engine);
    r.stage = Stage::Probe;
    r.retries_left = 0;
    r.pending_send = true;
  } else {
    Finish(r, SNMP_CLASS_TIMEOUT, SNMP_CLASS_TIMEOUT, nullptr);
  }
}

void Snmp::Impl::SendPending() {
  std::vector<std::uint64_t> due;
  for (auto& [id, r] : records) {
    if ((r->pending_send || r->pending_resend) && !r->finished) due.push_back(id);
  }
  for (std::uint64_t id : due) {
    Record* r = Find(id);
    if (!r || r->finished || !(r->pending_send || r->pending_resend)) continue;
    // A new transmission (a new stage) wins over a retransmission of the old.
    const bool resend = !r->pending_send;
    r->pending_send = r->pending_resend = false;
    int rc = Transmit(*r, resend);
    // A retransmission that cannot go out leaves the earlier ones waiting.
    if (rc != SNMP_CLASS_SUCCESS && !(resend && !r->sent.empty())) Finish(*r, rc, rc, nullptr);
  }
}

namespace {

// Whether a poll of the socket found something to read.
bool Readable(const pollfd& p) { return (p.revents & (POLLIN | POLLERR)) != 0; }

}  // namespace

bool Snmp::Impl::ReadDatagram() {
  netsnmp_large_fd_set fds;
  netsnmp_large_fd_set_init(&fds, fd + 1);
  netsnmp_large_fd_setfd(fd, &fds);
  const int rc = snmp_sess_read2(sessp, &fds);
  netsnmp_large_fd_set_cleanup(&fds);
  return rc == 0;
}

void Snmp::Impl::ReadAvailable() {
  // One datagram per read, straight from the socket (Net-SNMP reads with
  // MSG_DONTWAIT: a read that finds nothing fails at once);
  // stop at the first read that finds nothing or nothing usable (the rest
  // is read on the next round), after a generous batch so that a flood
  // cannot hold the thread, and once no request waits for a reply any more
  // (a walk's step has its reply: a datagram that comes anyway is read on
  // the next round, without a read per reply that finds nothing).
  auto waiting = [this] {
    for (const auto& [id, r] : records)
      if (!r->finished) return true;
    return false;
  };
  for (int i = 0; i < 256 && sessp && (i == 0 || waiting()); ++i) {
    if (!ReadDatagram()) break;
  }
}

void Snmp::Impl::HandleTimeouts() {
  if (sessp) snmp_sess_timeout(sessp);
  // A transmission the library forgot without a word (none is known, but a
  // request must never wait for ever) counts as timed out. A request whose
  // transmissions are still waiting is sent again when its retry is due.
  auto now = std::chrono::steady_clock::now();
  for (auto& [id, r] : records) {
    if (r->finished) continue;
    for (const Transmission& t : std::vector<Transmission>(r->sent))
      if (now > t.deadline) OnTransmissionTimedOut(*r, t.token);
    if (!r->finished && !r->sent.empty() && r->retries_left > 0 && now >= r->retry_at &&
        !r->pending_send && !r->pending_resend) {
      --r->retries_left;
      r->pending_resend = true;
    }
  }
  SendPending();
}

void Snmp::Impl::Service() {
  if (!sessp) return;
  ReadAvailable();
  HandleTimeouts();
}

// One wait on the socket per round, no longer than until the library's next
// timeout: the datagram that ends it is read at once (more that arrived
// meanwhile are read in the next rounds), then what has timed out is handled.
void Snmp::Impl::WaitFor(Record& r) {
  while (!r.finished && sessp) {
    int numfds = 0;
    int block = 0;
    timeval tv{0, 200000};  // upper bound of one wait
    netsnmp_large_fd_set fds;
    netsnmp_large_fd_set_init(&fds, fd + 1);
    snmp_sess_select_info2_flags(sessp, &numfds, &fds, &tv, &block, NETSNMP_SELECT_NOALARMS);
    netsnmp_large_fd_set_cleanup(&fds);
    int ms = static_cast<int>(tv.tv_sec * 1000 + (tv.tv_usec + 999) / 1000);
    if (ms < 0) ms = 0;
    if (ms > 200) ms = 200;
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, ms) > 0 && Readable(p)) ReadDatagram();
    HandleTimeouts();
  }
}

int Snmp::Impl::Deliver() {
  int ran = 0;
  std::shared_ptr<bool> still_alive = alive;
  while (*still_alive && !done.empty()) {
    std::uint64_t id = done.front();
    done.pop_front();
    auto it = records.find(id);
    if (it == records.end()) continue;  // cancelled meanwhile
    std::unique_ptr<Record> r = std::move(it->second);
    records.erase(it);
    Pdu reply = std::move(r->reply);
    r->callback(r->reason, owner, reply, *r->own_target, r->data);
    ++ran;
  }
  return ran;
}

Snmp::Snmp(int& status, std::uint16_t port) : d_(std::make_unique<Impl>()) {
  d_->owner = this;
  status = d_->Open(port);
  if (status == SNMP_CLASS_SUCCESS) Sessions().push_back(d_.get());
}

Snmp::~Snmp() {
  auto& sessions = Sessions();
  std::erase(sessions, d_.get());
  d_->Close();
  d_->pumping = true;  // callbacks may not pump this session any more
  d_->Deliver();
  *d_->alive = false;
}

bool Snmp::valid() const { return d_->sessp != nullptr; }

std::uint16_t Snmp::get_local_port() const { return d_->sessp ? d_->local_port : 0; }

int Snmp::get_socket() const { return d_->sessp ? d_->fd : -1; }

int Snmp::get(Pdu& pdu, const SnmpTarget& target) {
  return send(sNMP_PDU_GET, pdu, target, nullptr, nullptr);
}
int Snmp::get_next(Pdu& pdu, const SnmpTarget& target) {
  return send(sNMP_PDU_GETNEXT, pdu, target, nullptr, nullptr);
}
int Snmp::set(Pdu& pdu, const SnmpTarget& target) {
  return send(sNMP_PDU_SET, pdu, target, nullptr, nullptr);
}
int Snmp::get(Pdu& pdu, const SnmpTarget& target, snmp_callback cb, void* data) {
  return cb ? send(sNMP_PDU_GET, pdu, target, cb, data) : SNMP_CLASS_INVALID_CALLBACK;
}
int Snmp::get_next(Pdu& pdu, const SnmpTarget& target, snmp_callback cb, void* data) {
  return cb ? send(sNMP_PDU_GETNEXT, pdu, target, cb, data) : SNMP_CLASS_INVALID_CALLBACK;
}
int Snmp::set(Pdu& pdu, const SnmpTarget& target, snmp_callback cb, void* data) {
  return cb ? send(sNMP_PDU_SET, pdu, target, cb, data) : SNMP_CLASS_INVALID_CALLBACK;
}

int Snmp::get(Pdu&& pdu, std::shared_ptr<SnmpTarget> target, snmp_callback cb, void* data) {
  return send_shared(sNMP_PDU_GET, pdu, std::move(target), cb, data);
}
int Snmp::get_next(Pdu&& pdu, std::shared_ptr<SnmpTarget> target, snmp_callback cb, void* data) {
  return send_shared(sNMP_PDU_GETNEXT, pdu, std::move(target), cb, data);
}
int Snmp::set(Pdu&& pdu, std::shared_ptr<SnmpTarget> target, snmp_callback cb, void* data) {
  return send_shared(sNMP_PDU_SET, pdu, std::move(target), cb, data);
}

int Snmp::send_shared(unsigned short type, Pdu& pdu, std::shared_ptr<SnmpTarget> target,
                      snmp_callback callback, void* callback_data) {
  if (!callback) return SNMP_CLASS_INVALID_CALLBACK;
  if (!target) return SNMP_CLASS_INVALID_TARGET;
  const SnmpTarget& shared = *target;  // the pointer itself moves into send
  return send(type, pdu, shared, callback, callback_data, std::move(target));
}

int Snmp::send(unsigned short type, Pdu& pdu, const SnmpTarget& target, snmp_callback callback,
               void* callback_data, std::shared_ptr<SnmpTarget> shared_target) {
  Impl& d = *d_;
  const bool handed = shared_target != nullptr;
  if (!d.sessp || d.closing) return SNMP_CLASS_INVALID;
  auto record = std::make_unique<Record>();
  Record& r = *record;
  r.id = d.next_id++;
  r.type = type;
  r.callback = callback;
  r.data = callback_data;
  r.sync = callback == nullptr;
  if (r.sync) {
    r.request = &pdu;
    r.target = &target;
  } else {
    if (shared_target) {
      r.own_request = std::move(pdu);
      r.own_target = std::move(shared_target);
    } else {
      r.own_request = pdu;
      r.own_target = target.clone();
    }
    r.own_request.set_type(type);
    r.request = &r.own_request;
    r.target = r.own_target.get();
  }
  d.records.emplace(r.id, std::move(record));

  int rc = d.Submit(r);
  if (rc != SNMP_CLASS_SUCCESS) {
    d.records.erase(r.id);
    if (!handed) pdu.set_error_status(rc);
    return rc;
  }
  if (!handed) pdu.set_request_id(r.id);
  if (!r.sync) return SNMP_CLASS_SUCCESS;

  std::uint64_t id = r.id;
  d.WaitFor(r);
  Record* done = d.Find(id);
  if (!done) return SNMP_CLASS_INTERNAL_ERROR;
  if (!done->finished) {
    // The session went away while waiting.
    d.records.erase(id);
    pdu.set_error_status(SNMP_CLASS_SESSION_DESTROYED);
    return SNMP_CLASS_SESSION_DESTROYED;
  }
  int status = done->status;
  if (done->reason == SNMP_CLASS_ASYNC_RESPONSE) {
    Pdu reply = std::move(done->reply);
    reply.set_security_level(pdu.get_security_level());
    reply.set_context_name(pdu.get_context_name());
    if (pdu.context_engine_id_valid()) reply.set_context_engine_id(pdu.get_context_engine_id());
    reply.set_type(sNMP_PDU_RESPONSE);
    pdu = std::move(reply);
  } else {
    pdu.set_error_status(status);
    pdu.set_error_index(0);
  }
  pdu.set_request_id(id);
  d.records.erase(id);
  return status;
}

int Snmp::cancel(unsigned long request_id) {
  auto it = d_->records.find(request_id);
  if (it == d_->records.end() || it->second->sync) return SNMP_CLASS_INVALID_REQID;
  d_->records.erase(it);  // later Net-SNMP callbacks for it find nothing
  return SNMP_CLASS_SUCCESS;
}

std::vector<void*> Snmp::cancel_if(const std::function<bool(void*)>& match) {
  std::vector<void*> cancelled;
  if (!match) return cancelled;
  for (auto it = d_->records.begin(); it != d_->records.end();) {
    if (!it->second->sync && match(it->second->data)) {
      cancelled.push_back(it->second->data);
      it = d_->records.erase(it);
    } else {
      ++it;
    }
  }
  return cancelled;
}

std::size_t Snmp::outstanding() const {
  std::size_t n = 0;
  for (const auto& [id, r] : d_->records) {
    if (!r->sync) ++n;
  }
  return n;
}

int Snmp::process_pending_events() {
  Impl& d = *d_;
  if (d.pumping) return 0;
  d.pumping = true;
  d.Service();
  std::shared_ptr<bool> still_alive = d.alive;
  int ran = d.Deliver();
  if (*still_alive) d.pumping = false;
  return ran;
}

void Snmp::forget_engine_id(const UdpAddress& agent) {
  if (!agent.valid()) return;
  sockaddr_in a{};
  a.sin_family = AF_INET;
  std::memcpy(&a.sin_addr.s_addr, agent.octets().data(), 4);
  a.sin_port = htons(agent.get_port() ? agent.get_port() : 161);
  d_->engine_ids.erase(AgentKey(a));
}

int SNMPProcessPendingEvents() {
  if (global_pumping) return 0;
  global_pumping = true;
  int ran = 0;
  // A callback may destroy a session: walk a copy and re-check membership.
  // The copy's storage is kept from round to round (rounds never nest).
  static auto* copy = new std::vector<Snmp::Impl*>();
  std::vector<Snmp::Impl*>& sessions = *copy;
  sessions.assign(Sessions().begin(), Sessions().end());
  for (Snmp::Impl* impl : sessions) {
    if (std::find(Sessions().begin(), Sessions().end(), impl) == Sessions().end()) continue;
    ran += impl->owner->process_pending_events();
  }
  global_pumping = false;
  return ran;
}

int mpInit(Snmp* session, const OctetStr& engine_id, unsigned int boots) {
  if (!session || !session->valid()) return SNMP_CLASS_INVALID;
  return vnsnmp::StartLocalEngine(engine_id.data(), engine_id.len(), boots);
}
