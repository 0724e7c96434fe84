// A protocol data unit: bindings, error status and index, and the version 3
// scope and security level that travel with it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "snmp/OctetStr.h"
#include "snmp/Vb.h"

class Pdu {
 public:
  Pdu() = default;
  Pdu(const Vb* vbs, int count);

  Pdu& operator+=(const Vb& vb);
  Pdu& operator+=(Vb&& vb);
  // Makes room for `count` bindings in all, so that adding them allocates once.
  void reserve(int count);
  int get_vb_count() const { return static_cast<int>(vbs_.size()); }
  // Copies binding `index` (0-based) into vb; false when out of range.
  bool get_vb(Vb& vb, int index) const;
  // Binding `index`; the caller keeps 0 <= index < get_vb_count().
  const Vb& get_vb(int index) const { return vbs_[static_cast<std::size_t>(index)]; }
  const Vb& operator[](int index) const { return get_vb(index); }
  bool set_vb(const Vb& vb, int index);
  bool delete_vb(int index);
  void trim(int count = 1);  // drops the last bindings
  void clear();              // bindings, status, index, request id and type
  const std::vector<Vb>& vbs() const { return vbs_; }

  // Error status of a reply: 1..18 as the agent sent it. After a failed
  // exchange it holds the result code the call reported.
  int get_error_status() const { return error_status_; }
  // 1-based binding the error status concerns; 0 for none.
  int get_error_index() const { return error_index_; }
  void set_error_status(int s) { error_status_ = s; }
  void set_error_index(int i) { error_index_ = i; }

  unsigned short get_type() const { return type_; }
  void set_type(unsigned short type) { type_ = type; }
  // Request id of the last submission (set by Snmp when sending).
  unsigned long get_request_id() const { return request_id_; }
  void set_request_id(unsigned long id) { request_id_ = id; }

  // Version 3 only; kept but not sent for versions 1 and 2c.
  void set_security_level(int level) { security_level_ = level; }
  int get_security_level() const { return security_level_; }
  void set_context_name(const OctetStr& name) { context_name_ = name; }
  void get_context_name(OctetStr& name) const { name = context_name_; }
  const OctetStr& get_context_name() const { return context_name_; }
  // The octets as given.
  void set_context_engine_id(const OctetStr& id);
  // From text: "0x" or "0X" followed by an even number of hex digits gives
  // those octets; any other text gives its characters. Bad hex after "0x"
  // makes the next send fail with SNMPv3_MP_INVALID_ENGINEID. Empty means the
  // agent's own engine id.
  void set_context_engine_id(const char* text);
  void get_context_engine_id(OctetStr& id) const { id = context_engine_id_; }
  const OctetStr& get_context_engine_id() const { return context_engine_id_; }
  bool context_engine_id_valid() const { return context_engine_id_valid_; }

 private:
  std::vector<Vb> vbs_;
  int error_status_ = 0;
  int error_index_ = 0;
  unsigned short type_ = 0;
  unsigned long request_id_ = 0;
  int security_level_ = SNMP_SECURITY_LEVEL_NOAUTH_NOPRIV;
  OctetStr context_name_;
  OctetStr context_engine_id_;
  bool context_engine_id_valid_ = true;
};
