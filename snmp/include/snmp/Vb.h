// A variable binding: an object identifier and its value.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "snmp/Oid.h"
#include "snmp/SnmpSyntax.h"

class Vb {
 public:
  Vb() = default;  // empty Oid, NULL value
  explicit Vb(Oid id) : oid_(std::move(id)) {}
  Vb(const Vb& other);
  Vb& operator=(const Vb& other);
  Vb(Vb&& other) noexcept;
  Vb& operator=(Vb&& other) noexcept;
  ~Vb() { Drop(); }

  void set_oid(Oid id) { oid_ = std::move(id); }
  void get_oid(Oid& id) const { id = oid_; }
  const Oid& get_oid() const { return oid_; }
  std::string get_printable_oid() const { return oid_.get_printable(); }

  // The value decides the tag that is sent.
  void set_value(const SnmpSyntax& value);
  void set_value(int v);                                       // Integer32
  void set_value(long v);                                      // Integer32 (low 32 bits)
  void set_value(unsigned int v);                              // Gauge32
  void set_value(unsigned long v);                             // Gauge32 (low 32 bits)
  void set_value(const char* text);                            // OCTET STRING of the characters
  void set_value(const unsigned char* data, std::size_t len);  // OCTET STRING
  void set_null();
  // Gives the binding a default value of the tag: 0 for the integer kinds,
  // an empty OCTET STRING for octet kinds and for codes that travel as octet
  // strings (3, and the program's own codes 0x45 and 0x48-0x4D), an empty
  // Oid, 0.0.0.0, 0 for Counter64, NULL for 5, the exception for
  // 0x80-0x82; 1 (boolean) gives Integer32. set_value afterwards decides.
  void set_syntax(std::uint32_t syntax);
  std::uint32_t get_syntax() const { return syntax_; }
  // NULL or one of the exceptions noSuchObject, noSuchInstance, endOfMibView.
  bool is_null_or_exception() const { return !value_; }
  bool is_exception() const;

  // Typed reads: SNMP_CLASS_SUCCESS, or SNMP_CLASS_INVALID when the value's
  // kind does not fit (see each class's assign).
  int get_value(SnmpSyntax& value) const;
  // Numbers: Integer32, Counter32, Gauge32 and TimeTicks fit (converted as
  // the C++ types convert).
  int get_value(int& v) const;
  int get_value(long& v) const;
  int get_value(unsigned int& v) const;
  int get_value(unsigned long& v) const;
  // The held value, or null for NULL and exceptions.
  const SnmpSyntax* get_value_ptr() const { return value_; }

  // The value's text; "" for NULL and exceptions.
  std::string get_printable_value() const;
  // Oid and value valid.
  bool valid() const;

 private:
  // Holds a copy of `value` (the old value dropped first).
  void Take(const SnmpSyntax& value);
  // Takes over what `other` holds; `other` holds nothing afterwards.
  void TakeFrom(Vb& other) noexcept;
  void Drop() noexcept;

  Oid oid_;
  std::uint32_t syntax_ = sNMP_SYNTAX_NULL;
  // The value, null for NULL and exceptions. A number of 32 bits (Integer32,
  // Counter32, Gauge32, TimeTicks), the value of most bindings, is held in
  // `local_` (a reply's binding costs no allocation for it); others are on
  // the heap.
  SnmpSyntax* value_ = nullptr;
  // Copies the value held in `local_` into another binding's; null when the
  // value is on the heap (or there is none).
  SnmpSyntax* (*local_copy_)(const SnmpSyntax& value, unsigned char* place) = nullptr;
  alignas(8) unsigned char local_[16];
};
