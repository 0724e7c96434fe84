#include "snmp/Vb.h"

#include <cstring>
#include <limits>
#include <new>
#include <typeinfo>
#include <utility>

#include "snmp/Address.h"
#include "snmp/Counter64.h"
#include "snmp/Integer.h"
#include "snmp/OctetStr.h"
#include "snmp/TimeTicks.h"

namespace {

// Makes a copy of a value in a binding's own place.
using InPlaceCopy = SnmpSyntax* (*)(const SnmpSyntax& value, unsigned char* place);

template <class T>
SnmpSyntax* CopyAs(const SnmpSyntax& value, unsigned char* place) {
  static_assert(sizeof(T) <= 16 && alignof(T) <= 8);
  return new (place) T(static_cast<const T&>(value));
}

template <class T>
InPlaceCopy CopyIf(const SnmpSyntax& value) {
  return typeid(value) == typeid(T) ? &CopyAs<T> : nullptr;
}

// How to copy `value` into a binding's place: for a number of 32 bits, of
// exactly one of those classes (a class derived from them may hold more);
// null for anything else.
InPlaceCopy InPlaceCopier(const SnmpSyntax& value) {
  switch (value.get_syntax()) {
    case sNMP_SYNTAX_INT32:
      return CopyIf<SnmpInt32>(value);
    case sNMP_SYNTAX_CNTR32:
      return CopyIf<Counter32>(value);
    case sNMP_SYNTAX_GAUGE32:  // also the tag of the unsigned base class
      if (InPlaceCopy copy = CopyIf<Gauge32>(value)) return copy;
      return CopyIf<SnmpUInt32>(value);
    case sNMP_SYNTAX_TIMETICKS:
      return CopyIf<TimeTicks>(value);
    default:
      return nullptr;
  }
}

}  // namespace

void Vb::Drop() noexcept {
  if (!value_) return;
  if (local_copy_)
    value_->~SnmpSyntax();
  else
    delete value_;
  value_ = nullptr;
  local_copy_ = nullptr;
}

// `value` is never this binding's own.
void Vb::Take(const SnmpSyntax& value) {
  if (const InPlaceCopy copy = InPlaceCopier(value)) {
    Drop();
    value_ = copy(value, local_);
    local_copy_ = copy;
    return;
  }
  std::unique_ptr<SnmpSyntax> held = value.clone();  // may throw: nothing changed yet
  Drop();
  value_ = held.release();
}

void Vb::TakeFrom(Vb& other) noexcept {
  Drop();
  if (!other.value_) return;
  if (other.local_copy_) {
    value_ = other.local_copy_(*other.value_, local_);
    local_copy_ = other.local_copy_;
    other.Drop();
  } else {
    value_ = std::exchange(other.value_, nullptr);
  }
}

Vb::Vb(const Vb& other) : oid_(other.oid_), syntax_(other.syntax_) {
  if (other.value_) Take(*other.value_);
}

Vb& Vb::operator=(const Vb& other) {
  if (this != &other) {
    oid_ = other.oid_;
    syntax_ = other.syntax_;
    if (other.value_)
      Take(*other.value_);
    else
      Drop();
  }
  return *this;
}

Vb::Vb(Vb&& other) noexcept : oid_(std::move(other.oid_)), syntax_(other.syntax_) {
  TakeFrom(other);
}

Vb& Vb::operator=(Vb&& other) noexcept {
  if (this != &other) {
    oid_ = std::move(other.oid_);
    syntax_ = other.syntax_;
    TakeFrom(other);
  }
  return *this;
}

void Vb::set_value(const SnmpSyntax& value) {
  // A GenAddress stands for the address it holds (its tag is that
  // address's, NULL when it holds none).
  if (value.get_syntax() == sNMP_SYNTAX_NULL && dynamic_cast<const GenAddress*>(&value)) {
    set_null();
    return;
  }
  if (&value == value_) return;  // its own value again
  Take(value);
  syntax_ = value_->get_syntax();
}

void Vb::set_value(int v) { set_value(SnmpInt32(v)); }
void Vb::set_value(long v) { set_value(SnmpInt32(static_cast<std::int32_t>(v))); }
void Vb::set_value(unsigned int v) { set_value(SnmpUInt32(v)); }
void Vb::set_value(unsigned long v) { set_value(SnmpUInt32(static_cast<std::uint32_t>(v))); }
void Vb::set_value(const char* text) { set_value(OctetStr(text)); }
void Vb::set_value(const unsigned char* data, std::size_t len) { set_value(OctetStr(data, len)); }

void Vb::set_null() {
  Drop();
  syntax_ = sNMP_SYNTAX_NULL;
}

void Vb::set_syntax(std::uint32_t syntax) {
  switch (syntax) {
    case 1:  // boolean
    case sNMP_SYNTAX_INT32:
      set_value(SnmpInt32(0));
      break;
    case sNMP_SYNTAX_CNTR32:
      set_value(Counter32(0));
      break;
    case sNMP_SYNTAX_GAUGE32:
    case 0x47:  // unsigned integer
      set_value(Gauge32(0));
      break;
    case sNMP_SYNTAX_TIMETICKS:
      set_value(TimeTicks(0));
      break;
    case sNMP_SYNTAX_CNTR64:
      set_value(Counter64(std::uint64_t{0}));
      break;
    case sNMP_SYNTAX_OID:
      set_value(Oid());
      break;
    case sNMP_SYNTAX_IPADDR:
      set_value(IpAddress(std::array<std::uint8_t, 4>{}));
      break;
    case sNMP_SYNTAX_OPAQUE:
      set_value(OpaqueStr());
      break;
    case sNMP_SYNTAX_NOSUCHOBJECT:
    case sNMP_SYNTAX_NOSUCHINSTANCE:
    case sNMP_SYNTAX_ENDOFMIBVIEW:
      Drop();
      syntax_ = syntax;
      break;
    case sNMP_SYNTAX_NULL:
      set_null();
      break;
    default:  // 3, 4, 0x45, 0x48-0x4D and anything unknown travel as octets
      set_value(OctetStr());
      break;
  }
}

bool Vb::is_exception() const {
  return syntax_ == sNMP_SYNTAX_NOSUCHOBJECT || syntax_ == sNMP_SYNTAX_NOSUCHINSTANCE ||
         syntax_ == sNMP_SYNTAX_ENDOFMIBVIEW;
}

int Vb::get_value(SnmpSyntax& value) const {
  if (!value_) return SNMP_CLASS_INVALID;
  return value.assign(*value_) ? SNMP_CLASS_SUCCESS : SNMP_CLASS_INVALID;
}

namespace {

// Integer32 as signed, the unsigned kinds as unsigned; false for others.
bool Number(const SnmpSyntax* value, long long& out) {
  if (!value) return false;
  if (const auto* i = dynamic_cast<const SnmpInt32*>(value)) {
    out = i->value();
    return true;
  }
  if (const auto* u = dynamic_cast<const SnmpUInt32*>(value)) {
    out = u->value();
    return true;
  }
  return false;
}

}  // namespace

int Vb::get_value(int& v) const {
  long long n = 0;
  if (!Number(value_, n)) return SNMP_CLASS_INVALID;
  v = static_cast<int>(n);
  return SNMP_CLASS_SUCCESS;
}

int Vb::get_value(long& v) const {
  long long n = 0;
  if (!Number(value_, n)) return SNMP_CLASS_INVALID;
  v = static_cast<long>(n);
  return SNMP_CLASS_SUCCESS;
}

int Vb::get_value(unsigned int& v) const {
  long long n = 0;
  if (!Number(value_, n)) return SNMP_CLASS_INVALID;
  v = static_cast<unsigned int>(n);
  return SNMP_CLASS_SUCCESS;
}

int Vb::get_value(unsigned long& v) const {
  long long n = 0;
  if (!Number(value_, n)) return SNMP_CLASS_INVALID;
  v = static_cast<unsigned long>(n);
  return SNMP_CLASS_SUCCESS;
}

std::string Vb::get_printable_value() const {
  return value_ ? value_->get_printable() : std::string();
}

bool Vb::valid() const { return oid_.valid() && (!value_ || value_->valid()); }
