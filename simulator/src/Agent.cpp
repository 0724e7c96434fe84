// The agent; with AgentValues and EventLoop the only part of the simulator
// that talks to Net-SNMP's agent library.
#include "simulator/src/Agent.h"

#include <arpa/inet.h>
#include <sys/socket.h>

// The library's configuration header comes first (AgentValues.h brings it).
#include "simulator/src/AgentValues.h"
// clang-format off
#include <net-snmp/agent/net-snmp-agent-includes.h>
#include <net-snmp/agent/agent_callbacks.h>
#include <net-snmp/library/vacm.h>
// clang-format on

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <list>
#include <map>
#include <set>

#include "simulator/src/ErrorStatus.h"
#include "simulator/src/EventLoop.h"
#include "simulator/src/StateFile.h"
#include "simulator/src/Turnaround.h"

// The agent library's own view-based access control; this agent decides
// access itself (communities, users, contexts) and takes it out.
extern "C" int vacm_in_view_callback(int majorID, int minorID, void* serverarg, void* clientarg);

namespace sim {

namespace {

constexpr const char* kAppName = "kxr-simulator";

Agent::Impl* g_impl = nullptr;  // the library's callbacks carry no context of ours

PduKind KindOf(int command) {
  switch (command) {
    case SNMP_MSG_GET:
      return PduKind::Get;
    case SNMP_MSG_GETNEXT:
      return PduKind::GetNext;
    case SNMP_MSG_GETBULK:
      return PduKind::GetBulk;
    case SNMP_MSG_SET:
      return PduKind::Set;
    default:
      return PduKind::Any;
  }
}

bool IsRequest(int command) {
  return command == SNMP_MSG_GET || command == SNMP_MSG_GETNEXT || command == SNMP_MSG_GETBULK ||
         command == SNMP_MSG_SET;
}

std::string VersionName(long version) {
  switch (version) {
    case SNMP_VERSION_1:
      return "v1";
    case SNMP_VERSION_2c:
      return "v2c";
    case SNMP_VERSION_3:
      return "v3";
    default:
      return "v?" + std::to_string(version);
  }
}

bool HexBytes(const std::string& hex, std::string& out) {
  return ParseHex(hex, out) && !out.empty();
}

// Answers a varbind as an injection says: with its error status, or with
// its exception in place of the value.
void AnswerInjected(netsnmp_agent_request_info* reqinfo, netsnmp_request_info* r, int status) {
  if (IsInjectedException(status))
    snmp_set_var_typed_value(r->requestvb, static_cast<u_char>(status), nullptr, 0);
  else
    netsnmp_set_request_error(reqinfo, r, status);
}

}  // namespace

struct Agent::Impl {
  Store& store;
  Behaviour& behaviour;
  RequestLog& log;
  AgentConfig config;
  netsnmp_session* session = nullptr;
  netsnmp_transport* transport = nullptr;
  int (*send)(netsnmp_transport*, const void*, int, void**, int*) = nullptr;
  int (*recv)(netsnmp_transport*, void*, int, void**, int*) = nullptr;
  TurnaroundLog* times = nullptr;  // null: no times are noted
  int port = 0;
  bool started = false;
  // What the agent keeps of a request until it is answered.
  struct Asked {
    int command = 0;  // its PDU type
    // Varbinds of a GETNEXT or GETBULK answered with an injected
    // endOfMibView. The library takes a handler's endOfMibView for "look
    // further" and asks again (in another registration, or the same one from
    // the same name), so the handler answers noSuchObject there and the reply
    // gets the endOfMibView as it leaves.
    std::vector<Oid> endOfView;
  };
  std::map<long, Asked> asked;  // by request id
  struct Pending {
    unsigned id;
    std::string bytes;
    std::string opaque;
    bool held;
  };
  std::list<Pending> pending;
  unsigned nextPending = 1;
  EventLoop loop;

  Impl(Store& s, Behaviour& b, RequestLog& l, AgentConfig c)
      : store(s), behaviour(b), log(l), config(std::move(c)) {}

  // --- access control -------------------------------------------------------

  const V3UserOption* User(const netsnmp_pdu* pdu) const {
    if (!pdu->securityName) return nullptr;
    const std::string name(pdu->securityName, pdu->securityNameLen);
    for (const auto& u : config.users) {
      if (u.name == name) return &u;
    }
    return nullptr;
  }

  static std::string Community(const netsnmp_pdu* pdu) {
    return pdu->community
               ? std::string(reinterpret_cast<const char*>(pdu->community), pdu->community_len)
               : std::string();
  }

  int CheckAccess(const netsnmp_pdu* pdu) const {
    if (pdu->version == SNMP_VERSION_1 || pdu->version == SNMP_VERSION_2c) {
      const std::string c = Community(pdu);
      return c == config.readCommunity || c == config.writeCommunity ? VACM_SUCCESS
                                                                     : VACM_NOSECNAME;
    }
    if (pdu->version != SNMP_VERSION_3) return VACM_NOSECNAME;
    const std::string context =
        pdu->contextName ? std::string(pdu->contextName, pdu->contextNameLen) : "";
    if (!context.empty() && context != config.context) return VACM_NOSUCHCONTEXT;
    const V3UserOption* user = User(pdu);
    if (!user) return VACM_NOSECNAME;
    return pdu->securityLevel >= user->level ? VACM_SUCCESS : VACM_NOACCESS;
  }

  // --- requests -------------------------------------------------------------

  int Handle(netsnmp_agent_request_info* reqinfo, netsnmp_request_info* requests) {
    const netsnmp_pdu* pdu = reqinfo->asp ? reqinfo->asp->pdu : nullptr;
    const PduKind kind = KindOf(pdu ? pdu->command : 0);
    const bool v1 = pdu && pdu->version == SNMP_VERSION_1;
    int status = 0;
    switch (reqinfo->mode) {
      case MODE_GET:
        for (netsnmp_request_info* r = requests; r; r = r->next) {
          if (r->processed) continue;
          const Oid name = OidOf(r->requestvb->name, r->requestvb->name_length);
          if (behaviour.TakeInjection(kind, name, status)) {
            AnswerInjected(reqinfo, r, status);
            continue;
          }
          Value v;
          switch (store.Get(name, v)) {
            case Store::Lookup::Found:
              ToVar(r->requestvb, v);
              break;
            case Store::Lookup::NoSuchInstance:
              snmp_set_var_typed_value(r->requestvb, SNMP_NOSUCHINSTANCE, nullptr, 0);
              break;
            case Store::Lookup::NoSuchObject:
              snmp_set_var_typed_value(r->requestvb, SNMP_NOSUCHOBJECT, nullptr, 0);
              break;
          }
        }
        break;
      case MODE_GETNEXT:
        for (netsnmp_request_info* r = requests; r; r = r->next) {
          if (r->processed) continue;
          Oid from = OidOf(r->requestvb->name, r->requestvb->name_length);
          if (behaviour.TakeInjection(kind, from, status)) {
            if (status == SNMP_ENDOFMIBVIEW && pdu) {
              asked[pdu->reqid].endOfView.push_back(from);
              status = SNMP_NOSUCHOBJECT;
            }
            AnswerInjected(reqinfo, r, status);
            continue;
          }
          bool inclusive = r->inclusive != 0;
          Oid next;
          Value v;
          while (true) {
            if (!store.Next(from, inclusive, next, v)) {
              snmp_set_var_typed_value(r->requestvb, SNMP_ENDOFMIBVIEW, nullptr, 0);
              break;
            }
            if (v1 && v.type == Type::Counter64) {  // not in a v1 view: skip it
              from = next;
              inclusive = false;
              continue;
            }
            std::vector<oid> arcs = NetOid(next);
            snmp_set_var_objid(r->requestvb, arcs.data(), arcs.size());
            ToVar(r->requestvb, v);
            break;
          }
        }
        break;
      case MODE_SET_RESERVE1:
      case MODE_SET_ACTION: {
        std::vector<VarBind> vbs;
        std::vector<netsnmp_request_info*> reqs;
        for (netsnmp_request_info* r = requests; r; r = r->next) {
          vbs.push_back(
              {OidOf(r->requestvb->name, r->requestvb->name_length), FromVar(r->requestvb)});
          reqs.push_back(r);
        }
        if (vbs.empty()) break;
        if (reqinfo->mode == MODE_SET_RESERVE1) {
          if (pdu && pdu->version != SNMP_VERSION_3 && Community(pdu) != config.writeCommunity) {
            netsnmp_set_request_error(reqinfo, reqs.front(), SNMP_ERR_NOACCESS);
            break;
          }
          for (std::size_t i = 0; i < vbs.size(); ++i) {
            if (behaviour.TakeInjection(PduKind::Set, vbs[i].oid, status)) {
              AnswerInjected(reqinfo, reqs[i], status);
              return SNMP_ERR_NOERROR;
            }
          }
          const SetResult check = store.Check(vbs);
          if (check.status)
            netsnmp_set_request_error(reqinfo, reqs[static_cast<std::size_t>(check.index - 1)],
                                      check.status);
        } else {
          // An exception injected into the answer: nothing is set.
          for (const netsnmp_request_info* r : reqs)
            if (IsInjectedException(r->requestvb->type)) return SNMP_ERR_NOERROR;
          const SetResult done = store.Set(vbs);
          if (done.status)
            netsnmp_set_request_error(reqinfo, reqs[static_cast<std::size_t>(done.index - 1)],
                                      SNMP_ERR_COMMITFAILED);
        }
        break;
      }
      default:
        break;  // RESERVE2, COMMIT, FREE, UNDO: the store acts in one step
    }
    return SNMP_ERR_NOERROR;
  }

  // --- packets in and out ---------------------------------------------------

  int PostParse(netsnmp_pdu* pdu, int result) {
    if (result != 0 || !pdu || !IsRequest(pdu->command)) return 1;
    if (behaviour.dropNext > 0) {
      --behaviour.dropNext;
      LogEntry e = EntryFor(pdu, pdu->command);
      e.status = "dropped";
      log.Write(e);
      return 0;
    }
    if (asked.size() > 4096) asked.clear();  // requests refused after parsing get no reply
    asked[pdu->reqid] = Asked{pdu->command, {}};
    return 1;
  }

  LogEntry EntryFor(const netsnmp_pdu* pdu, int command) const {
    LogEntry e;
    e.version = VersionName(pdu->version);
    e.security = pdu->version == SNMP_VERSION_3
                     ? std::string(pdu->securityName ? pdu->securityName : "", pdu->securityNameLen)
                     : Community(pdu);
    e.context = pdu->contextName ? std::string(pdu->contextName, pdu->contextNameLen) : "";
    e.pdu = IsRequest(command) ? PduKindName(KindOf(command)) : "?";
    e.status = ErrorName(static_cast<int>(pdu->errstat));
    e.errorIndex = static_cast<int>(pdu->errindex);
    for (const netsnmp_variable_list* v = pdu->variables; v; v = v->next_variable)
      e.varbinds.push_back(VarText(v));
    return e;
  }

  // A reply about to be sent: the injected endOfMibView exceptions take
  // their places, then it is logged.
  void Answering(netsnmp_pdu* pdu) {
    if (pdu->command != SNMP_MSG_RESPONSE) return;
    Asked request;
    if (auto it = asked.find(pdu->reqid); it != asked.end()) {
      request = std::move(it->second);
      asked.erase(it);
    }
    for (netsnmp_variable_list* v = pdu->variables; v && !request.endOfView.empty();
         v = v->next_variable) {
      if (v->type != SNMP_NOSUCHOBJECT) continue;
      auto at = std::find(request.endOfView.begin(), request.endOfView.end(),
                          OidOf(v->name, v->name_length));
      if (at == request.endOfView.end()) continue;
      snmp_set_var_typed_value(v, SNMP_ENDOFMIBVIEW, nullptr, 0);
      request.endOfView.erase(at);
    }
    if (log.IsOpen()) log.Write(EntryFor(pdu, request.command));
  }

  int Send(netsnmp_transport* t, const void* buf, int size, void** opaque, int* olength) {
    if (!behaviour.holding && behaviour.delayMs <= 0) {
      if (times) times->Sent(SystemClockNs());
      return send(t, buf, size, opaque, olength);
    }
    Pending p;
    p.id = nextPending++;
    p.bytes.assign(static_cast<const char*>(buf), static_cast<std::size_t>(size));
    if (opaque && *opaque && olength && *olength > 0) {
      p.opaque.assign(static_cast<const char*>(*opaque), static_cast<std::size_t>(*olength));
    }
    p.held = behaviour.holding;
    pending.push_back(p);
    if (!p.held) {
      timeval tv{behaviour.delayMs / 1000, (behaviour.delayMs % 1000) * 1000};
      snmp_alarm_register_hr(tv, 0, &Impl::DelayedSend,
                             reinterpret_cast<void*>(static_cast<std::uintptr_t>(p.id)));
    }
    return size;
  }

  void SendPending(std::list<Pending>::iterator it) {
    void* opaque = nullptr;
    int olength = static_cast<int>(it->opaque.size());
    if (olength > 0) {
      opaque = std::malloc(it->opaque.size());  // the transport may keep or free its own copy
      std::memcpy(opaque, it->opaque.data(), it->opaque.size());
    }
    if (times) times->Sent(SystemClockNs());
    send(transport, it->bytes.data(), static_cast<int>(it->bytes.size()), &opaque, &olength);
    std::free(opaque);
    pending.erase(it);
  }

  static void DelayedSend(unsigned int, void* arg) {
    if (!g_impl) return;
    const auto id = static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(arg));
    for (auto it = g_impl->pending.begin(); it != g_impl->pending.end(); ++it) {
      if (it->id == id && !it->held) {
        g_impl->SendPending(it);
        return;
      }
    }
  }

  void ReleaseHeld() {
    for (auto it = pending.begin(); it != pending.end();) {
      auto next = std::next(it);
      if (it->held) SendPending(it);
      it = next;
    }
  }

  // --- library callbacks ----------------------------------------------------

  static int AcmCheck(int, int minor, void* serverarg, void*) {
    auto* view = static_cast<view_parameters*>(serverarg);
    if (!view) return SNMP_ERR_NOERROR;
    // Every object is in view once the request itself was let in.
    view->errorcode = VACM_SUCCESS;
    if (minor == SNMPD_CALLBACK_ACM_CHECK_INITIAL && g_impl && view->pdu)
      view->errorcode = g_impl->CheckAccess(view->pdu);
    return SNMP_ERR_NOERROR;
  }

  static int HandlerFn(netsnmp_mib_handler*, netsnmp_handler_registration*,
                       netsnmp_agent_request_info* reqinfo, netsnmp_request_info* requests) {
    return g_impl ? g_impl->Handle(reqinfo, requests) : SNMP_ERR_GENERR;
  }

  static int PreParse(netsnmp_session*, netsnmp_transport*, void*, int) {
    return g_impl && g_impl->behaviour.muted ? 0 : 1;
  }

  static int PostParseFn(netsnmp_session*, netsnmp_pdu* pdu, int result) {
    return g_impl ? g_impl->PostParse(pdu, result) : 1;
  }

  static int BuildFn(netsnmp_session* session, netsnmp_pdu* pdu, u_char** pkt, size_t* len,
                     size_t* offset) {
    if (g_impl) g_impl->Answering(pdu);
    *offset = 0;
    const int rc = snmp_build(pkt, len, offset, session, pdu);
    if (rc == 0 && netsnmp_ds_get_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_REVERSE_ENCODE)) {
      std::memmove(*pkt, *pkt + *len - *offset, *offset);  // the caller sends from the front
    }
    return rc;
  }

  static int SendFn(netsnmp_transport* t, const void* buf, int size, void** opaque, int* olength) {
    return g_impl ? g_impl->Send(t, buf, size, opaque, olength) : -1;
  }

  // Installed only when times are noted.
  static int RecvFn(netsnmp_transport* t, void* buf, int size, void** opaque, int* olength) {
    if (!g_impl) return -1;
    const int n = g_impl->recv(t, buf, size, opaque, olength);
    if (n > 0) g_impl->times->Received(ArrivalNs(t->sock));
    return n;
  }
};

Agent::Agent(Store& store, Behaviour& behaviour, RequestLog& log, AgentConfig config)
    : impl_(std::make_unique<Impl>(store, behaviour, log, std::move(config))) {}

Agent::~Agent() { Shutdown(); }

bool Agent::Start(std::string& error) {
  if (g_impl) {
    error = "one agent per process";
    return false;
  }
  Impl& m = *impl_;
  std::string engine;
  if (!HexBytes(m.config.engineId, engine) || engine.size() < 5 || engine.size() > 32) {
    error = "bad engine id \"" + m.config.engineId + "\" (5 to 32 octets in hex)";
    return false;
  }
  g_impl = impl_.get();

  // Nothing of the system's SNMP set-up may leak in: no configuration files,
  // no MIB files, no persistent state but in our own folder.
  setenv("MIBS", "", 1);
  setenv("MIBDIRS", "", 1);
  unsetenv("SNMPCONFPATH");
  unsetenv("SNMP_PERSISTENT_FILE");
  netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_READ_CONFIGS, 1);
  netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_PERSIST_STATE, 1);
  netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_LOAD, 1);
  netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_SAVE, 1);
  netsnmp_ds_set_string(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_PERSISTENT_DIR,
                        m.config.stateDir.c_str());
  netsnmp_ds_set_string(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_CONFIGURATION_DIR,
                        m.config.stateDir.c_str());
  netsnmp_ds_set_boolean(NETSNMP_DS_APPLICATION_ID, NETSNMP_DS_AGENT_ROLE, 0);  // master
  // No AgentX socket and no SMUX: the system MIB modules are never started
  // (init_mib_modules is not called), so only our handler serves requests.
  netsnmp_ds_set_boolean(NETSNMP_DS_APPLICATION_ID, NETSNMP_DS_AGENT_AGENTX_MASTER, 0);
  // Start-up chatter of the library (folders made, no access configuration)
  // goes nowhere; errors go to standard error once running.
  snmp_disable_log();
  netsnmp_register_loghandler(NETSNMP_LOGHANDLER_NONE, LOG_DEBUG);
  if (const char* tokens = std::getenv("KXR_SIMULATOR_DEBUG")) {
    snmp_enable_stderrlog();
    debug_register_tokens(tokens);
    snmp_set_do_debugging(1);
  }

  set_exact_engineID(reinterpret_cast<const u_char*>(engine.data()), engine.size());
  init_agent(kAppName);
  init_snmp(kAppName);
  set_exact_engineID(reinterpret_cast<const u_char*>(engine.data()), engine.size());

  if (m.config.persistBoots) {
    // The library adds one to the count it is given, as when it reads its
    // own persistent file.
    const std::string file = m.config.stateDir + "/engine-boots";
    std::string stored;
    if (!ReadStateFile(file, stored, error)) return false;
    std::string text = std::to_string(EngineBootsBase(stored));
    engineBoots_conf("engineBoots", text.data());
    // Written aside and renamed: a stop halfway through must not leave a
    // count that restarts from 1 (managers would then see time go back).
    if (!WriteStateFile(file, std::to_string(snmpv3_local_snmpEngineBoots()) + "\n", error))
      return false;
    // The library stamped its time cache for our own engine when it
    // started, with the count it had then; Reports and replies take boots
    // and time from that cache while requests are checked against the new
    // count, so without this no v3 request would ever be in time.
    set_enginetime(reinterpret_cast<const u_char*>(engine.data()),
                   static_cast<u_int>(engine.size()),
                   static_cast<u_int>(snmpv3_local_snmpEngineBoots()),
                   static_cast<u_int>(snmpv3_local_snmpEngineTime()), TRUE);
  }

  for (const V3UserOption& u : m.config.users) {
    std::string line = u.name;
    if (u.level >= V3UserOption::AuthNoPriv) line += " " + u.authProtocol + " " + u.authPass;
    if (u.level == V3UserOption::AuthPriv) line += " " + u.privProtocol + " " + u.privPass;
    std::vector<char> buf(line.begin(), line.end());
    buf.push_back('\0');
    usm_parse_create_usmUser("createUser", buf.data());
  }

  for (int minor : {SNMPD_CALLBACK_ACM_CHECK, SNMPD_CALLBACK_ACM_CHECK_INITIAL,
                    SNMPD_CALLBACK_ACM_CHECK_SUBTREE}) {
    snmp_unregister_callback(SNMP_CALLBACK_APPLICATION, minor, vacm_in_view_callback, nullptr, 0);
    // Called after any other access check, so ours has the last word.
    netsnmp_register_callback(SNMP_CALLBACK_APPLICATION, minor, &Impl::AcmCheck, nullptr, 1000);
  }

  // One registration per two-arc root of the store (1.0 and 1.3 for the
  // device); the library keeps {0}, {1} and {2} for itself. A GETNEXT answer
  // past the end of one registration is carried on by the library into the
  // next one.
  std::set<Oid> roots;
  for (const auto& [oid, object] : m.store.schema().Objects()) {
    if (oid.size() >= 2) roots.insert(Oid(oid.begin(), oid.begin() + 2));
  }
  for (const std::string& context : {std::string(), m.config.context}) {
    for (const Oid& root : roots) {
      const std::vector<oid> arcs = NetOid(root);
      netsnmp_handler_registration* reg = netsnmp_create_handler_registration(
          "kxr-store", &Impl::HandlerFn, arcs.data(), arcs.size(), HANDLER_CAN_RWRITE);
      if (!reg) {
        error = "cannot register the store";
        return false;
      }
      if (!context.empty()) reg->contextName = strdup(context.c_str());
      if (netsnmp_register_handler(reg) != MIB_REGISTERED_OK) {
        error = "cannot register " + FormatOid(root) + " in context \"" + context + "\"";
        return false;
      }
    }
  }

  const std::string spec = "udp:" + m.config.address + ":" + std::to_string(m.config.port);
  m.transport = netsnmp_transport_open_server(kAppName, spec.c_str());
  if (!m.transport) {
    error = "cannot bind " + spec;
    return false;
  }
  sockaddr_in addr{};
  socklen_t len = sizeof addr;
  if (getsockname(m.transport->sock, reinterpret_cast<sockaddr*>(&addr), &len) == 0)
    m.port = ntohs(addr.sin_port);
  m.send = m.transport->f_send;
  m.transport->f_send = &Impl::SendFn;
  if (m.times) {
    m.recv = m.transport->f_recv;
    m.transport->f_recv = &Impl::RecvFn;
    ArrivalNs(m.transport->sock);  // the kernel stamps the datagrams from now on
  }

  netsnmp_session sess;
  snmp_sess_init(&sess);
  sess.version = SNMP_DEFAULT_VERSION;
  sess.peername = SNMP_DEFAULT_PEERNAME;
  sess.community_len = SNMP_DEFAULT_COMMUNITY_LEN;
  sess.local_port = SNMP_DEFAULT_REMPORT;
  sess.callback = handle_snmp_packet;
  sess.authenticator = nullptr;
  sess.isAuthoritative = SNMP_SESS_AUTHORITATIVE;
  m.session = snmp_add_full(&sess, m.transport, &Impl::PreParse, nullptr, &Impl::PostParseFn,
                            nullptr, &Impl::BuildFn, nullptr, nullptr);
  if (!m.session) {
    error = "cannot open the agent session on " + spec;
    return false;
  }
  netsnmp_register_loghandler(NETSNMP_LOGHANDLER_STDERR, LOG_ERR);
  m.started = true;
  return true;
}

void Agent::RecordTimes(TurnaroundLog* times) { impl_->times = times; }

int Agent::Port() const { return impl_->port; }

std::string Agent::EngineIdHex() const {
  u_char buf[64];
  const std::size_t n = snmpv3_get_engineID(buf, sizeof buf);
  std::string hex = HexText(std::string(reinterpret_cast<char*>(buf), n));
  hex.erase(std::remove(hex.begin(), hex.end(), ' '), hex.end());
  return hex;
}

long Agent::EngineBoots() const { return static_cast<long>(snmpv3_local_snmpEngineBoots()); }

void Agent::RunOnce() { impl_->loop.RunOnce(); }

void Agent::Watch(int fd, std::function<void()> onReadable) {
  impl_->loop.Watch(fd, std::move(onReadable));
}

void Agent::Unwatch(int fd) { impl_->loop.Unwatch(fd); }

void Agent::WatchWritable(int fd, std::function<void()> onWritable) {
  impl_->loop.WatchWritable(fd, std::move(onWritable));
}

void Agent::UnwatchWritable(int fd) { impl_->loop.UnwatchWritable(fd); }

void Agent::ReleaseHeld() { impl_->ReleaseHeld(); }

std::size_t Agent::Waiting() const { return impl_->pending.size(); }

void Agent::Shutdown() {
  if (!impl_ || !impl_->started) return;
  impl_->started = false;
  impl_->loop.Clear();
  snmp_shutdown(kAppName);
  g_impl = nullptr;
}

}  // namespace sim
