// Base of every value a variable binding can carry.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

class SnmpSyntax {
 public:
  virtual ~SnmpSyntax() = default;

  // Value tag (sNMP_SYNTAX_...).
  virtual std::uint32_t get_syntax() const = 0;
  // Text form of the value ("" when there is none).
  virtual std::string get_printable() const = 0;
  virtual bool valid() const { return true; }
  virtual std::unique_ptr<SnmpSyntax> clone() const = 0;
  // Takes the value of `other` when it is of a kind this class can hold;
  // returns false (and keeps the value) otherwise.
  virtual bool assign(const SnmpSyntax& other) = 0;

 protected:
  SnmpSyntax() = default;
  SnmpSyntax(const SnmpSyntax&) = default;
  SnmpSyntax& operator=(const SnmpSyntax&) = default;
};
