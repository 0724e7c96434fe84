// Where a request goes and how: agent address, version, timeout, retries,
// and the communities (CTarget) or the version 3 user (UTarget).
#pragma once

#include <memory>

#include "snmp/Address.h"
#include "snmp/OctetStr.h"
#include "snmp/SnmpConstants.h"

class SnmpTarget {
 public:
  virtual ~SnmpTarget() = default;
  virtual std::unique_ptr<SnmpTarget> clone() const = 0;
  // A target with this one's settings, taken over from it: this one is left
  // to be destroyed or assigned anew.
  virtual std::unique_ptr<SnmpTarget> take() = 0;

  // An address was given and is valid.
  bool valid() const { return address_.valid(); }
  void set_address(const Address& address);
  void get_address(GenAddress& address) const { address = GenAddress(address_); }
  const UdpAddress& get_udp_address() const { return address_; }

  void set_version(snmp_version v) { version_ = v; }
  snmp_version get_version() const { return version_; }
  // Retransmissions after the first transmission.
  void set_retry(int retries) { retries_ = retries; }
  int get_retry() const { return retries_; }
  // Hundredths of a second to wait for each transmission.
  void set_timeout(unsigned long hundredths) { timeout_ = hundredths; }
  unsigned long get_timeout() const { return timeout_; }
  // A UTarget (the user-based security model), asked once per request
  // without a cast.
  bool user_based() const { return user_based_; }

 protected:
  SnmpTarget() = default;
  explicit SnmpTarget(const Address& address) { set_address(address); }
  SnmpTarget(const SnmpTarget&) = default;
  SnmpTarget& operator=(const SnmpTarget&) = default;
  bool user_based_ = false;

 private:
  UdpAddress address_;  // port 161 when the given address had none
  snmp_version version_ = version1;
  int retries_ = 1;
  unsigned long timeout_ = 100;
};

// Versions 1 and 2c: GET and GETNEXT use the read community, SET the write one.
class CTarget : public SnmpTarget {
 public:
  CTarget() = default;
  explicit CTarget(const Address& address) : SnmpTarget(address) {}
  CTarget(const Address& address, const OctetStr& read, const OctetStr& write);
  std::unique_ptr<SnmpTarget> clone() const override;
  std::unique_ptr<SnmpTarget> take() override;

  void set_readcommunity(const OctetStr& c) { read_ = c; }
  void set_writecommunity(const OctetStr& c) { write_ = c; }
  void get_readcommunity(OctetStr& c) const { c = read_; }
  void get_writecommunity(OctetStr& c) const { c = write_; }
  const OctetStr& get_readcommunity() const { return read_; }
  const OctetStr& get_writecommunity() const { return write_; }

 private:
  OctetStr read_{"public"};
  OctetStr write_{"public"};
};

// Version 3 with the user-based security model. The user's keys come from
// usmAddUserName; the security level and scope travel with the Pdu.
class UTarget : public SnmpTarget {
 public:
  UTarget() {
    user_based_ = true;
    set_version(version3);
  }
  explicit UTarget(const Address& address) : SnmpTarget(address) {
    user_based_ = true;
    set_version(version3);
  }
  std::unique_ptr<SnmpTarget> clone() const override;
  std::unique_ptr<SnmpTarget> take() override;

  void set_security_model(int model) { security_model_ = model; }
  int get_security_model() const { return security_model_; }
  void set_security_name(const OctetStr& name) { security_name_ = name; }
  void get_security_name(OctetStr& name) const { name = security_name_; }
  const OctetStr& get_security_name() const { return security_name_; }

 private:
  int security_model_ = SNMP_SECURITY_MODEL_USM;
  OctetStr security_name_;
};
