// What the profile and view form tests share: the columns of a table that a
// logged SET carries for one row.
#pragma once

#include <set>
#include <sstream>
#include <string>

// Column numbers of `table` (the entry's OID with a final ".") in the SET
// line, for the row instance `row`.
inline std::set<int> SetColumns(const std::string& line, const std::string& table,
                                const std::string& row) {
  std::set<int> columns;
  std::istringstream in(line);
  const std::string suffix = "." + row + "=";
  for (std::string field; std::getline(in, field, '\t');) {
    if (field.rfind(table, 0) != 0) continue;
    const std::string rest = field.substr(table.size());
    const auto at = rest.find(suffix);
    if (at != std::string::npos) columns.insert(std::stoi(rest.substr(0, at)));
  }
  return columns;
}
