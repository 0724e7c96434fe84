#include "SwitchImage.h"

#include <sstream>

namespace formcheck {

const std::string* TImage::Find(const std::string& oid) const {
  if (indexed_ != Values.size() || (at_.empty() && !Values.empty())) {
    at_.clear();
    for (std::size_t i = 0; i < Values.size(); ++i) at_.emplace(Values[i].first, i);
    indexed_ = Values.size();
  }
  const auto found = at_.find(oid);
  return found == at_.end() ? nullptr : &Values[found->second].second;
}

void TImage::Add(const TImage& other) {
  Values.insert(Values.end(), other.Values.begin(), other.Values.end());
}

TImage ParseDump(const std::string& reply) {
  TImage image;
  if (reply.rfind("ok", 0) != 0 || reply.size() <= 3) return image;
  std::istringstream in(reply.substr(3));
  for (std::string pair; std::getline(in, pair, '\t');) {
    const std::size_t eq = pair.find('=');
    if (eq != std::string::npos) image.Values.emplace_back(pair.substr(0, eq), pair.substr(eq + 1));
  }
  return image;
}

bool MovesByItself(const std::string& value) {
  return value.rfind("Counter32:", 0) == 0 || value.rfind("Counter64:", 0) == 0 ||
         value.rfind("Timeticks:", 0) == 0;
}

std::string OctetsOf(const std::string& value) {
  const std::string quoted = "STRING:\"";
  if (value.rfind(quoted, 0) == 0 && value.size() > quoted.size())
    return value.substr(quoted.size(), value.size() - quoted.size() - 1);
  const std::string hex = "Hex-STRING:";
  if (value.rfind(hex, 0) != 0) return "";
  std::string bytes;
  std::istringstream in(value.substr(hex.size()));
  for (std::string pair; in >> pair;) bytes += static_cast<char>(std::stoi(pair, nullptr, 16));
  return bytes;
}

std::string InstanceUnder(const std::string& oid, const std::string& column) {
  if (column.empty() || oid.size() <= column.size() + 1 || oid.compare(0, column.size(), column) ||
      oid[column.size()] != '.')
    return "";
  return oid.substr(column.size() + 1);
}

namespace {
std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::istringstream in(line);
  for (std::string field; std::getline(in, field, '\t');) fields.push_back(field);
  return fields;
}
}  // namespace

std::vector<std::pair<std::string, std::string>> VarbindsOf(const std::string& logLine) {
  std::vector<std::pair<std::string, std::string>> out;
  const std::vector<std::string> fields = Fields(logLine);
  for (std::size_t i = 6; i < fields.size(); ++i) {
    const std::size_t eq = fields[i].find('=');
    if (eq != std::string::npos)
      out.emplace_back(fields[i].substr(0, eq), fields[i].substr(eq + 1));
  }
  return out;
}

std::string StatusOf(const std::string& logLine) {
  const std::vector<std::string> fields = Fields(logLine);
  return fields.size() > 4 ? fields[4] : "";
}

}  // namespace formcheck
