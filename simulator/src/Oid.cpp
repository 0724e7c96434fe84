#include "simulator/src/Oid.h"

#include <algorithm>
#include <stdexcept>

namespace sim {

bool ParseOid(std::string_view text, Oid& out) {
  out.clear();
  if (!text.empty() && text.front() == '.') text.remove_prefix(1);
  if (text.empty()) return false;
  std::uint64_t arc = 0;
  bool digits = false;
  for (char c : text) {
    if (c == '.') {
      if (!digits) return false;
      out.push_back(static_cast<std::uint32_t>(arc));
      arc = 0;
      digits = false;
    } else if (c >= '0' && c <= '9') {
      arc = arc * 10 + static_cast<std::uint64_t>(c - '0');
      if (arc > 0xFFFFFFFFull) return false;
      digits = true;
    } else {
      return false;
    }
  }
  if (!digits) return false;
  out.push_back(static_cast<std::uint32_t>(arc));
  return true;
}

Oid ToOid(std::string_view text) {
  Oid oid;
  if (!ParseOid(text, oid))
    throw std::invalid_argument("not an OID: \"" + std::string(text) + "\"");
  return oid;
}

std::string FormatOid(const Oid& oid) {
  std::string text;
  for (std::size_t i = 0; i < oid.size(); ++i) {
    if (i) text += '.';
    text += std::to_string(oid[i]);
  }
  return text;
}

bool StartsWith(const Oid& oid, const Oid& prefix) {
  return oid.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), oid.begin());
}

Oid Append(Oid oid, const Oid& arcs) {
  oid.insert(oid.end(), arcs.begin(), arcs.end());
  return oid;
}

}  // namespace sim
