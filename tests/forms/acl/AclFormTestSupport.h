// What the profile and view form tests share: the columns of a table that a
// logged SET carries for one row, and rows taken away behind a form's back.
#pragma once

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "simulator/SimulatorHarness.h"

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

// Destroys rows with a stock tool's SET of their status column (`column`:
// the column's OID with a final "."); the form does not see it happen.
inline void DestroyRows(simtest::Simulator& sim, const std::string& column,
                        const std::vector<std::string>& rows) {
  std::vector<std::string> args;
  for (const std::string& row : rows) args.insert(args.end(), {column + row, "i", "6"});
  const simtest::ToolResult done = sim.V2("snmpset", args, "mundrel");
  ASSERT_EQ(done.status, 0) << done.out;
}
