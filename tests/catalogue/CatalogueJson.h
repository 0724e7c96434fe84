// Reads the catalogue data file that the catalogue units are generated from,
// so that the tests compare the compiled tables with it.
#pragma once

#include <gtest/gtest.h>

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

// A reference file the repository holds, by its name among the reference
// data: "catalogue/mib-catalogue.json" (the catalogue data, kept in
// catalogue/ beside the units generated from it) or "menu/menu-tree.json"
// (the menu tree, kept in tests/app/mainwin/ beside the tests of the menu).
// Its path in the source tree; empty for another name or when the file is
// not there.
std::string SharedFilePath(const std::string& relative);

// The catalogue data file (VN_CATALOGUE_DATA, else the repository's); empty
// when not found.
std::string CatalogueDataPath();

// The parsed data file; null when it is not there.
const Json* CatalogueData();

}  // namespace cattest

// Ends the test (from its body or SetUp) with a failure when its reference
// file is missing: the repository holds every one, so a checkout without it
// is broken and must not pass.
#define VN_REFERENCE_MISSING(what) FAIL() << (what) << " missing"
