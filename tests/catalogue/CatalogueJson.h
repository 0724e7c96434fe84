// Reads the catalogue data file that the catalogue units are generated from,
// so that the tests compare the compiled tables with it.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace cattest {

// A JSON value: null, bool, integer, string, array or object.
struct Json {
  using Array = std::vector<Json>;
  using Object = std::map<std::string, Json>;
  std::variant<std::nullptr_t, bool, long long, std::string, std::shared_ptr<Array>,
               std::shared_ptr<Object>>
      v;

  bool IsNull() const { return std::holds_alternative<std::nullptr_t>(v); }
  bool IsString() const { return std::holds_alternative<std::string>(v); }
  long long Int() const { return std::get<long long>(v); }
  const std::string& Str() const { return std::get<std::string>(v); }
  const Array& Arr() const { return *std::get<std::shared_ptr<Array>>(v); }
  const Object& Obj() const { return *std::get<std::shared_ptr<Object>>(v); }
  const Json& operator[](const std::string& key) const { return Obj().at(key); }
};

// Parses JSON text; throws std::runtime_error on bad input. Numbers must be
// integers.
Json ParseJson(const std::string& text);

// The catalogue data file beside the repository, searched upwards from the
// repository's parent folder; empty when not found.
std::string CatalogueDataPath();

// The parsed data file; null when it is not found.
const Json* CatalogueData();

}  // namespace cattest
