#include "snmp/Address.h"

#include <cstring>

#include "Resolver.h"

IpAddress::IpAddress(const char* text) {
  std::array<std::uint8_t, 4> octets{};
  if (text && vnsnmp::ParseDottedQuad(text, octets)) set_octets(octets);
}

IpAddress::IpAddress(const std::string& text) : IpAddress(text.c_str()) {}

IpAddress::IpAddress(const std::array<std::uint8_t, 4>& octets) { set_octets(octets); }

void IpAddress::set_octets(const std::array<std::uint8_t, 4>& octets) {
  octets_ = octets;
  valid_ = true;
}

std::string IpAddress::get_printable() const {
  if (!valid_) return "";
  char text[16];  // at most "255.255.255.255"
  char* end = text;
  for (std::size_t i = 0; i < octets_.size(); ++i) {
    if (i != 0) *end++ = '.';
    const unsigned octet = octets_[i];
    if (octet >= 100) *end++ = static_cast<char>('0' + octet / 100);
    if (octet >= 10) *end++ = static_cast<char>('0' + octet / 10 % 10);
    *end++ = static_cast<char>('0' + octet % 10);
  }
  return std::string(text, end);
}

std::unique_ptr<SnmpSyntax> IpAddress::clone() const { return std::make_unique<IpAddress>(*this); }

bool IpAddress::assign(const SnmpSyntax& other) {
  const auto* v = dynamic_cast<const IpAddress*>(&other);
  if (!v) return false;
  octets_ = v->octets_;
  valid_ = v->valid_;
  return true;
}

namespace {

// Splits "host/port" or "host:port"; false when a port is present but bad.
bool SplitPort(const std::string& text, std::string& host, std::uint16_t& port) {
  std::size_t sep = text.find_last_of("/:");
  port = 0;
  if (sep == std::string::npos) {
    host = text;
    return true;
  }
  host = text.substr(0, sep);
  std::string digits = text.substr(sep + 1);
  if (digits.empty() || digits.size() > 5) return false;
  unsigned long value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<unsigned long>(c - '0');
  }
  if (value > 65535) return false;
  port = static_cast<std::uint16_t>(value);
  return true;
}

}  // namespace

UdpAddress::UdpAddress(const char* text) {
  if (!text) return;
  std::string host;
  std::uint16_t port = 0;
  if (!SplitPort(text, host, port)) return;
  std::array<std::uint8_t, 4> octets{};
  if (!vnsnmp::ResolveIPv4(host, octets)) return;
  set_octets(octets);
  port_ = port;
}

UdpAddress::UdpAddress(const std::string& text) : UdpAddress(text.c_str()) {}

UdpAddress::UdpAddress(const IpAddress& ip, std::uint16_t port) : IpAddress(ip), port_(port) {}

std::string UdpAddress::get_printable() const {
  if (!valid_) return "";
  return IpAddress::get_printable() + "/" + std::to_string(port_);
}

std::unique_ptr<SnmpSyntax> UdpAddress::clone() const {
  return std::make_unique<UdpAddress>(*this);
}

bool UdpAddress::assign(const SnmpSyntax& other) {
  if (!IpAddress::assign(other)) return false;
  const auto* udp = dynamic_cast<const UdpAddress*>(&other);
  port_ = udp ? udp->port_ : 0;
  return true;
}

GenAddress::GenAddress(const Address& address) { assign(address); }

GenAddress::GenAddress(const char* text) {
  UdpAddress udp(text);
  if (udp.valid()) assign(udp);
}

GenAddress::GenAddress(const GenAddress& other) : Address(other) {
  if (other.address_) {
    address_.reset(static_cast<Address*>(other.address_->clone().release()));
  }
}

GenAddress& GenAddress::operator=(const GenAddress& other) {
  if (this != &other) {
    GenAddress copy(other);
    address_ = std::move(copy.address_);
    valid_ = copy.valid_;
  }
  return *this;
}

std::string GenAddress::get_printable() const {
  return address_ ? address_->get_printable() : std::string();
}

std::uint32_t GenAddress::get_syntax() const {
  return address_ ? address_->get_syntax() : sNMP_SYNTAX_NULL;
}

std::unique_ptr<SnmpSyntax> GenAddress::clone() const {
  return std::make_unique<GenAddress>(*this);
}

bool GenAddress::assign(const SnmpSyntax& other) {
  if (const auto* gen = dynamic_cast<const GenAddress*>(&other)) {
    *this = *gen;
    return true;
  }
  const auto* address = dynamic_cast<const Address*>(&other);
  if (!address) return false;
  address_.reset(static_cast<Address*>(address->clone().release()));
  valid_ = address->valid();
  return true;
}
