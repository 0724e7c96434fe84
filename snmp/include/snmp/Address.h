// IPv4 addresses: IpAddress (a value and a host), UdpAddress (host and UDP
// port) and GenAddress (any of them, for printing).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "snmp/SnmpConstants.h"
#include "snmp/SnmpSyntax.h"

class Address : public SnmpSyntax {
 public:
  bool valid() const override { return valid_; }

 protected:
  Address() = default;
  bool valid_ = false;
};

class IpAddress : public Address {
 public:
  IpAddress() = default;  // not valid
  // Dotted quad "a.b.c.d" (each 0..255); anything else gives an address
  // that is not valid. No name lookup.
  IpAddress(const char* text);         // NOLINT
  IpAddress(const std::string& text);  // NOLINT
  explicit IpAddress(const std::array<std::uint8_t, 4>& octets);

  const std::array<std::uint8_t, 4>& octets() const { return octets_; }
  std::uint8_t operator[](std::size_t i) const { return octets_[i]; }

  // "a.b.c.d"; "" when not valid.
  std::string get_printable() const override;
  std::uint32_t get_syntax() const override { return sNMP_SYNTAX_IPADDR; }
  std::unique_ptr<SnmpSyntax> clone() const override;
  bool assign(const SnmpSyntax& other) override;  // IpAddress values only

  friend bool operator==(const IpAddress& a, const IpAddress& b) {
    return a.valid_ == b.valid_ && a.octets_ == b.octets_;
  }

 protected:
  void set_octets(const std::array<std::uint8_t, 4>& octets);

  std::array<std::uint8_t, 4> octets_{};
};

class UdpAddress : public IpAddress {
 public:
  UdpAddress() = default;  // not valid
  // "a.b.c.d", a host name (IPv4, looked up with a time limit, results
  // kept per text), either followed by "/port" or ":port". Without a port
  // the port is 0 until set_port.
  UdpAddress(const char* text);         // NOLINT
  UdpAddress(const std::string& text);  // NOLINT
  UdpAddress(const IpAddress& ip, std::uint16_t port = 0);

  void set_port(std::uint16_t port) { port_ = port; }
  std::uint16_t get_port() const { return port_; }

  // "a.b.c.d/port"; "" when not valid.
  std::string get_printable() const override;
  std::unique_ptr<SnmpSyntax> clone() const override;
  bool assign(const SnmpSyntax& other) override;  // IpAddress or UdpAddress

  friend bool operator==(const UdpAddress& a, const UdpAddress& b) {
    return static_cast<const IpAddress&>(a) == static_cast<const IpAddress&>(b) &&
           a.port_ == b.port_;
  }

 private:
  std::uint16_t port_ = 0;
};

class GenAddress : public Address {
 public:
  GenAddress() = default;              // not valid
  GenAddress(const Address& address);  // NOLINT
  // A UDP address text (see UdpAddress); port 0 when none is given.
  GenAddress(const char* text);  // NOLINT
  GenAddress(const GenAddress& other);
  GenAddress& operator=(const GenAddress& other);

  // The held address's own text: "a.b.c.d/port" for a UDP address.
  std::string get_printable() const override;
  std::uint32_t get_syntax() const override;
  std::unique_ptr<SnmpSyntax> clone() const override;
  bool assign(const SnmpSyntax& other) override;  // any address

 private:
  std::unique_ptr<Address> address_;
};
