#include "snmp/Target.h"

#include <utility>

void SnmpTarget::set_address(const Address& address) {
  if (const auto* given = dynamic_cast<const UdpAddress*>(&address)) {
    address_ = *given;  // its port as it is, 0 included
    return;
  }
  UdpAddress udp;
  if (const auto* gen = dynamic_cast<const GenAddress*>(&address)) {
    GenAddress copy(*gen);
    // A GenAddress prints as its address; take it back through the text.
    udp = UdpAddress(copy.get_printable());
  } else {
    udp.assign(address);
  }
  if (udp.valid() && udp.get_port() == 0) udp.set_port(161);
  address_ = udp;
}

CTarget::CTarget(const Address& address, const OctetStr& read, const OctetStr& write)
    : SnmpTarget(address), read_(read), write_(write) {}

std::unique_ptr<SnmpTarget> CTarget::clone() const { return std::make_unique<CTarget>(*this); }

std::unique_ptr<SnmpTarget> UTarget::clone() const { return std::make_unique<UTarget>(*this); }

std::unique_ptr<SnmpTarget> CTarget::take() { return std::make_unique<CTarget>(std::move(*this)); }

std::unique_ptr<SnmpTarget> UTarget::take() { return std::make_unique<UTarget>(std::move(*this)); }
