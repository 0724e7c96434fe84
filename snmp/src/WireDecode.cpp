#include "snmp/WireDecode.h"

#include <cstdlib>
#include <vector>

#include "NetSnmp.h"
#include "PduCodec.h"

namespace {

// A session like the one Snmp opens: any version, no engine probing.
struct ParseSession {
  void* sessp = nullptr;
  netsnmp_session* session = nullptr;

  ParseSession() {
    vnsnmp::EnsureNetSnmp();
    netsnmp_session s;
    snmp_sess_init(&s);
    s.version = SNMP_DEFAULT_VERSION;
    char peer[] = "udp:127.0.0.1:161";
    s.peername = peer;
    s.flags |= SNMP_FLAGS_DONT_PROBE;
    sessp = snmp_sess_open(&s);
    if (sessp) session = snmp_sess_session(sessp);
  }
  ~ParseSession() {
    if (sessp) snmp_sess_close(sessp);
  }
  ParseSession(const ParseSession&) = delete;
  ParseSession& operator=(const ParseSession&) = delete;
};

ParseSession& TheParseSession() {
  static ParseSession parser;
  return parser;
}

}  // namespace

int DecodeWireMessage(const std::uint8_t* data, std::size_t size, Pdu& reply) {
  reply.clear();
  ParseSession& p = TheParseSession();
  if (!p.session || !data) return SNMP_CLASS_INVALID_PDU;
  // The parser works on a copy it may not write past, as on a datagram buffer.
  std::vector<u_char> packet(data, data + size);
  auto* pdu = static_cast<netsnmp_pdu*>(std::calloc(1, sizeof(netsnmp_pdu)));
  if (!pdu) return SNMP_CLASS_RESOURCE_UNAVAIL;
  const int rc = snmp_parse(static_cast<struct session_list*>(p.sessp), p.session, pdu,
                            packet.data(), packet.size());
  int result = SNMP_CLASS_INVALID_PDU;
  if (rc == SNMP_ERR_NOERROR) {
    vnsnmp::ReadBindings(pdu, reply);
    reply.set_type(static_cast<unsigned short>(pdu->command));
    reply.set_error_status(static_cast<int>(pdu->errstat));
    reply.set_error_index(static_cast<int>(pdu->errindex));
    result = SNMP_CLASS_SUCCESS;
  }
  snmp_free_pdu(pdu);
  return result;
}
