#include "platform/Resources.h"

#include <map>
#include <string>

namespace {

std::map<std::string, TResourceData>& Table() {
  // Built on first use: registrations run during static initialisation.
  static std::map<std::string, TResourceData> table;
  return table;
}

std::string Key(const AnsiString& name) { return name.UpperCase().str(); }

}  // namespace

bool RegisterResource(const AnsiString& name, const void* data, std::size_t size) {
  Table()[Key(name)] = TResourceData{static_cast<const unsigned char*>(data), data ? size : 0};
  return true;
}

std::optional<TResourceData> FindResourceData(const AnsiString& name) {
  auto it = Table().find(Key(name));
  if (it == Table().end()) return std::nullopt;
  return it->second;
}

TResourceData ResourceData(const AnsiString& name) {
  if (auto found = FindResourceData(name)) return *found;
  throw EResNotFound("Resource " + name + " not found");
}
