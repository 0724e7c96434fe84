#include "snmp/OctetStr.h"

#include <cctype>
#include <cstring>

OctetStr::OctetStr(const char* text) {
  if (text) bytes_.assign(text, text + std::strlen(text));
}

OctetStr::OctetStr(const std::string& bytes) : bytes_(bytes.begin(), bytes.end()) {}

OctetStr::OctetStr(const unsigned char* data, std::size_t len) { set_data(data, len); }

void OctetStr::set_data(const unsigned char* data, std::size_t len) {
  if (data && len) {
    bytes_.assign(data, data + len);
  } else {
    bytes_.clear();
  }
}

OctetStr& OctetStr::append(const unsigned char* data, std::size_t len) {
  if (data && len) bytes_.insert(bytes_.end(), data, data + len);
  return *this;
}

OctetStr& OctetStr::operator+=(const OctetStr& other) {
  if (&other == this) {
    std::vector<unsigned char> copy = other.bytes_;
    bytes_.insert(bytes_.end(), copy.begin(), copy.end());
  } else {
    bytes_.insert(bytes_.end(), other.bytes_.begin(), other.bytes_.end());
  }
  return *this;
}

OctetStr& OctetStr::operator+=(const char* text) {
  if (text) bytes_.insert(bytes_.end(), text, text + std::strlen(text));
  return *this;
}

OctetStr& OctetStr::operator+=(unsigned char c) {
  bytes_.push_back(c);
  return *this;
}

std::string OctetStr::get_printable() const {
  std::string out;
  for (unsigned char c : bytes_) {
    if (c == 0) break;
    out.push_back(static_cast<char>(c));
  }
  return out;
}

std::string OctetStr::get_printable_hex() const {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(bytes_.size() * 2);
  for (unsigned char c : bytes_) {
    out.push_back(kDigits[c >> 4]);
    out.push_back(kDigits[c & 0x0F]);
  }
  return out;
}

namespace {

unsigned char HexDigit(char c) {
  if (c >= '0' && c <= '9') return static_cast<unsigned char>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<unsigned char>(c - 'a' + 10);
  if (c >= 'A' && c <= 'F') return static_cast<unsigned char>(c - 'A' + 10);
  return 0;
}

}  // namespace

OctetStr OctetStr::from_hex_string(const std::string& hex) {
  std::string digits;
  digits.reserve(hex.size());
  for (char c : hex) {
    if (c != ' ' && c != '\t') digits.push_back(c);
  }
  std::vector<unsigned char> out;
  out.reserve(digits.size() / 2 + 1);
  std::size_t i = 0;
  if (digits.size() % 2 == 1) {
    out.push_back(HexDigit(digits[0]));
    i = 1;
  }
  for (; i < digits.size(); i += 2) {  // an even count remains
    out.push_back(static_cast<unsigned char>(HexDigit(digits[i]) << 4 | HexDigit(digits[i + 1])));
  }
  return OctetStr(std::move(out));
}

OctetStr OctetStr::from_hex_string(const char* hex) {
  return from_hex_string(std::string(hex ? hex : ""));
}

OctetStr OctetStr::from_hex_string(const OctetStr& hex) { return from_hex_string(hex.to_string()); }

std::unique_ptr<SnmpSyntax> OctetStr::clone() const { return std::make_unique<OctetStr>(*this); }

bool OctetStr::assign(const SnmpSyntax& other) {
  const auto* v = dynamic_cast<const OctetStr*>(&other);
  if (!v) return false;
  bytes_ = v->bytes_;
  return true;
}

std::unique_ptr<SnmpSyntax> OpaqueStr::clone() const { return std::make_unique<OpaqueStr>(*this); }
