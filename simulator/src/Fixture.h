// The device fixture: a line-oriented text that says which objects form
// tables (index layout and seed rows), which values the seed holds, and the
// value rules of individual columns. See simulator/README.md for the format.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "simulator/src/Oid.h"
#include "simulator/src/Schema.h"

namespace sim {

struct FixtureError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct Fixture {
  struct Table {
    Oid entry;
    std::vector<IndexKind> kinds;
    std::vector<std::vector<std::string>> rows;  // component texts, ranges expanded
    std::vector<int> cols;                       // column number per component, 0 for none
    int line = 0;
  };
  struct Object {
    Oid oid;
    std::uint32_t syntax = 0;
    std::uint32_t access = 0;
    std::string label;
    int line = 0;
  };
  struct Setting {  // value and default lines
    Oid oid;
    std::string text;
    int line = 0;
  };
  struct Range {
    Oid oid;
    std::int64_t lo = 0, hi = 0;
    int line = 0;
  };
  struct Rule {
    Oid column;
    ActionRule rule;
    int line = 0;
  };

  std::vector<Table> tables;
  std::vector<Object> objects;
  std::vector<Setting> values;
  std::vector<Setting> defaults;
  std::vector<Setting> motions;  // text: still, count, tick or panel
  std::vector<Range> ranges;
  std::vector<Rule> rules;
  std::vector<Setting> absents;    // instances, or whole subtrees, left out of the seed
  std::vector<Setting> disorders;  // columns whose GETNEXT answers do not increase
  std::vector<Setting> repeats;    // columns whose GETNEXT answers repeat the question
};

// The most seed rows one fixture text may name, over all its tables.
inline constexpr std::size_t kMostSeedRows = 100000;

// Adds the lines of one fixture text; throws FixtureError "name:line: why",
// also when its tables would seed more than mostRows rows.
void ParseFixture(std::string_view text, const std::string& name, Fixture& into,
                  std::size_t mostRows = kMostSeedRows);

// Splits a line into blank-separated words; a double-quoted word keeps its
// quotes and may hold blanks, \" and \\. A # outside quotes ends the line.
bool SplitWords(std::string_view line, std::vector<std::string>& words);

bool ParseSyntaxName(std::string_view name, std::uint32_t& code);
bool ParseAccessName(std::string_view name, std::uint32_t& flags);

// The number of ports rows named "ports" expand to.
inline constexpr int kPortCount = 10;

}  // namespace sim
