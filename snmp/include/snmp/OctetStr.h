// OCTET STRING values (and Opaque, which carries raw octets too).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "snmp/SnmpConstants.h"
#include "snmp/SnmpSyntax.h"

class OctetStr : public SnmpSyntax {
 public:
  OctetStr() = default;
  OctetStr(const char* text);  // NOLINT: the characters, without terminator; null gives empty
  OctetStr(const std::string& bytes);  // NOLINT
  OctetStr(const unsigned char* data, std::size_t len);
  explicit OctetStr(std::vector<unsigned char> bytes) : bytes_(std::move(bytes)) {}

  std::size_t len() const { return bytes_.size(); }
  bool empty() const { return bytes_.empty(); }
  const unsigned char* data() const { return bytes_.data(); }
  const std::vector<unsigned char>& bytes() const { return bytes_; }
  unsigned char operator[](std::size_t i) const { return bytes_[i]; }
  unsigned char& operator[](std::size_t i) { return bytes_[i]; }

  void set_data(const unsigned char* data, std::size_t len);
  void clear() { bytes_.clear(); }
  // Grows with zero octets or cuts to the given length.
  void resize(std::size_t len) { bytes_.resize(len, 0); }
  OctetStr& append(const unsigned char* data, std::size_t len);
  OctetStr& operator+=(const OctetStr& other);
  OctetStr& operator+=(const char* text);
  OctetStr& operator+=(unsigned char c);

  // The octets as characters up to the first zero octet.
  std::string get_printable() const override;
  // Two upper-case hex digits per octet, no separators: 00 1A FF -> "001AFF".
  std::string get_printable_hex() const;
  // Reads hex text: blanks dropped; with an odd digit count the first digit
  // alone is the first octet; then two digits per octet, high digit first;
  // digits in either case; any other character counts as 0.
  static OctetStr from_hex_string(const OctetStr& hex);
  static OctetStr from_hex_string(const std::string& hex);
  static OctetStr from_hex_string(const char* hex);  // null reads as ""

  // All octets as a std::string (zero octets included).
  std::string to_string() const { return std::string(bytes_.begin(), bytes_.end()); }

  std::uint32_t get_syntax() const override { return sNMP_SYNTAX_OCTETS; }
  std::unique_ptr<SnmpSyntax> clone() const override;
  // Accepts OCTET STRING and Opaque values.
  bool assign(const SnmpSyntax& other) override;

  friend bool operator==(const OctetStr& a, const OctetStr& b) { return a.bytes_ == b.bytes_; }
  friend bool operator!=(const OctetStr& a, const OctetStr& b) { return !(a == b); }

 private:
  std::vector<unsigned char> bytes_;
};

// Opaque: raw octets (the BER content of the wrapped value) under tag 0x44.
class OpaqueStr : public OctetStr {
 public:
  OpaqueStr() = default;
  OpaqueStr(const unsigned char* data, std::size_t len) : OctetStr(data, len) {}
  explicit OpaqueStr(const OctetStr& octets) : OctetStr(octets) {}
  std::uint32_t get_syntax() const override { return sNMP_SYNTAX_OPAQUE; }
  std::unique_ptr<SnmpSyntax> clone() const override;
};
