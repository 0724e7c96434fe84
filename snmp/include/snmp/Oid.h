// Object identifiers, read from and printed as dotted decimal text.
#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "snmp/SnmpConstants.h"
#include "snmp/SnmpSyntax.h"

class Oid : public SnmpSyntax {
 public:
  static constexpr std::size_t kMaxLength = 128;

  Oid() = default;
  // Dotted decimal: an optional leading dot, then numbers below 2^32 separated
  // by single dots, at most 128 of them. "" gives an empty, valid Oid; any
  // other text gives an empty Oid that is not valid. No names are looked up.
  Oid(const char* dotted);         // NOLINT: implicit, as texts are used as Oids
  Oid(const std::string& dotted);  // NOLINT
  Oid(const std::uint32_t* subids, std::size_t count);
  explicit Oid(std::vector<std::uint32_t> subids);

  std::size_t len() const { return subids_.size(); }
  std::uint32_t operator[](std::size_t i) const { return subids_[i]; }
  std::uint32_t& operator[](std::size_t i) { return subids_[i]; }
  const std::vector<std::uint32_t>& subids() const { return subids_; }

  Oid& operator+=(std::uint32_t subid);
  Oid& operator+=(const Oid& tail);  // an invalid tail makes this Oid invalid
  Oid& append(std::uint32_t subid) { return *this += subid; }
  Oid& append(const Oid& tail) { return *this += tail; }
  // Drops the last n sub-identifiers (all of them when n >= len()).
  void trim(std::size_t n = 1);
  void clear();
  // True when this Oid begins with all of `prefix`.
  bool starts_with(const Oid& prefix) const;
  // Compares the first n sub-identifiers only (<0, 0, >0).
  int nCompare(std::size_t n, const Oid& other) const;

  // Dotted decimal, no leading dot; "" for an empty Oid.
  std::string get_printable() const override;
  // The same text written into out in place of what it held, in out's own
  // storage (a caller that prints many Oids into one string allocates once).
  void write_printable(std::string& out) const;
  // Compares two dotted texts as Oid(a) <=> Oid(b) would, without building
  // either (a text that is not valid compares as the empty Oid).
  static std::strong_ordering compare_dotted(std::string_view a, std::string_view b);
  bool valid() const override { return valid_; }
  std::uint32_t get_syntax() const override { return sNMP_SYNTAX_OID; }
  std::unique_ptr<SnmpSyntax> clone() const override;
  bool assign(const SnmpSyntax& other) override;  // OBJECT IDENTIFIER only

  friend bool operator==(const Oid& a, const Oid& b) {
    return a.valid_ == b.valid_ && a.subids_ == b.subids_;
  }
  friend std::strong_ordering operator<=>(const Oid& a, const Oid& b) {
    return a.subids_ <=> b.subids_;
  }

 private:
  void parse(const char* text, std::size_t len);

  std::vector<std::uint32_t> subids_;
  bool valid_ = true;
};
