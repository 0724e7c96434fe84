// Parts of the simulated switch's store as its control channel dumps them
// (`dump PREFIX`), and the values in them as the simulator writes them
// ("INTEGER:7", "STRING:\"name\"", "Hex-STRING:FF C0").
#pragma once

#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace formcheck {

// Instances and their values, in the store's order.
struct TImage {
  std::vector<std::pair<std::string, std::string>> Values;
  // The value of the instance; null when the image lacks it.
  const std::string* Find(const std::string& oid) const;
  void Add(const TImage& other);

 private:
  // Where each instance is in Values, made again when Values has changed
  // its length.
  mutable std::unordered_map<std::string, std::size_t> at_;
  mutable std::size_t indexed_ = 0;
};

// The reply of `dump`: "ok" and tab-separated OID=VALUE pairs.
TImage ParseDump(const std::string& reply);

// Values that move by themselves: counters and time ticks.
bool MovesByItself(const std::string& value);

// The octets of a string value (quoted or hex); empty for other values.
std::string OctetsOf(const std::string& value);

// The instance under a column: the arcs after "column.", or empty when the
// OID is not under it.
std::string InstanceUnder(const std::string& oid, const std::string& column);

// The varbinds of a request-log line ("OID=VALUE" fields after the sixth)
// and its status field.
std::vector<std::pair<std::string, std::string>> VarbindsOf(const std::string& logLine);
std::string StatusOf(const std::string& logLine);

}  // namespace formcheck
