#include "snmp/Snmp.h"

// Placeholder until the session core lands.
struct Snmp::Impl {};

Snmp::Snmp(int& status, std::uint16_t) { status = SNMP_CLASS_INVALID; }
Snmp::~Snmp() = default;
bool Snmp::valid() const { return false; }
std::uint16_t Snmp::get_local_port() const { return 0; }
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
  return send(sNMP_PDU_GET, pdu, target, cb, data);
}
int Snmp::get_next(Pdu& pdu, const SnmpTarget& target, snmp_callback cb, void* data) {
  return send(sNMP_PDU_GETNEXT, pdu, target, cb, data);
}
int Snmp::set(Pdu& pdu, const SnmpTarget& target, snmp_callback cb, void* data) {
  return send(sNMP_PDU_SET, pdu, target, cb, data);
}
int Snmp::send(unsigned short, Pdu&, const SnmpTarget&, snmp_callback, void*) {
  return SNMP_CLASS_INVALID;
}
int Snmp::cancel(unsigned long) { return SNMP_CLASS_INVALID_REQID; }
std::vector<void*> Snmp::cancel_if(const std::function<bool(void*)>&) { return {}; }
std::size_t Snmp::outstanding() const { return 0; }
int Snmp::process_pending_events() { return 0; }
void Snmp::forget_engine_id(const UdpAddress&) {}
int SNMPProcessPendingEvents() { return 0; }
int mpInit(Snmp*, const OctetStr&, unsigned int) { return SNMP_CLASS_INVALID; }
