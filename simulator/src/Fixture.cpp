#include "simulator/src/Fixture.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <limits>

#include "library/VnSNMPVarDesc.h"

namespace sim {

bool SplitWords(std::string_view line, std::vector<std::string>& words) {
  words.clear();
  std::string word;
  bool inWord = false, quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c == '\\' && i + 1 < line.size()) {
        word += line[++i];
      } else {
        word += c;
        if (c == '"') quoted = false;
      }
      continue;
    }
    if (c == ' ' || c == '\t' || c == '\r') {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
      continue;
    }
    if (c == '#' && !inWord) break;
    inWord = true;
    word += c;
    if (c == '"') quoted = true;
  }
  if (quoted) return false;
  if (inWord) words.push_back(word);
  return true;
}

bool ParseSyntaxName(std::string_view name, std::uint32_t& code) {
  static const std::pair<const char*, std::uint32_t> kNames[] = {
      {"integer", SNMP_SYNTAX_INTEGER},       {"bitstr", SNMP_SYNTAX_BITSTR},
      {"octetstr", SNMP_SYNTAX_OCTETSTR},     {"objectid", SNMP_SYNTAX_OBJECTID},
      {"ipaddress", SNMP_SYNTAX_IPADDRESS},   {"counter", SNMP_SYNTAX_COUNTER},
      {"guage", SNMP_SYNTAX_GUAGE},           {"gauge", SNMP_SYNTAX_GUAGE},
      {"timeticks", SNMP_SYNTAX_TIMETICKS},   {"counter64", SNMP_SYNTAX_COUNTER64},
      {"macaddress", SNMP_SYNTAX_MACADDRESS}, {"datetime", SNMP_SYNTAX_DATETIME},
      {"displaystr", SNMP_SYNTAX_DISPLAYSTR}, {"ipv6address", SNMP_SYNTAX_IPV6ADDRESS},
  };
  for (const auto& [n, c] : kNames) {
    if (name == n) {
      code = c;
      return true;
    }
  }
  return false;
}

bool ParseAccessName(std::string_view name, std::uint32_t& flags) {
  if (name == "notaccess")
    flags = SNMP_ACCESS_NOTACCESS;
  else if (name == "readonly")
    flags = SNMP_ACCESS_READONLY;
  else if (name == "readwrite")
    flags = SNMP_ACCESS_READWRITE;
  else if (name == "writeonly")
    flags = SNMP_ACCESS_WRITEONLY;
  else
    return false;
  return true;
}

namespace {

// The numbers an integer index component, a column number, and a value of
// an integer column may take.
constexpr std::int64_t kMostIndex = 2147483647;
constexpr std::int64_t kLeastInteger = -2147483648LL;
constexpr std::int64_t kMostInteger = 2147483647;
constexpr std::int64_t kLeast64 = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kMost64 = std::numeric_limits<std::int64_t>::max();

// The decimal number `s` into `out`. False when `s` is no number; a number
// outside lo..hi, or beyond 64 bits, throws naming it and the line.
bool ParseInt(const std::string& s, std::int64_t lo, std::int64_t hi, const std::string& where,
              std::int64_t& out) {
  if (s.empty()) return false;
  char* end = nullptr;
  errno = 0;
  const long long v = std::strtoll(s.c_str(), &end, 10);
  if (end == s.c_str() || *end != '\0') return false;
  if (errno == ERANGE || v < lo || v > hi) {
    throw FixtureError(where + "number \"" + s + "\" out of range (" + std::to_string(lo) + " to " +
                       std::to_string(hi) + ")");
  }
  out = v;
  return true;
}

// Splits at the separator outside double quotes.
std::vector<std::string> Split(const std::string& s, char sep) {
  std::vector<std::string> parts(1);
  bool quoted = false;
  for (char c : s) {
    if (c == '"') quoted = !quoted;
    if (c == sep && !quoted) {
      parts.emplace_back();
    } else {
      parts.back() += c;
    }
  }
  return parts;
}

// How many seed rows a text may still name, of how many in all.
struct RowBudget {
  std::size_t most;
  std::size_t left;
};

std::string TooManyRows(const std::string& where, const RowBudget& budget) {
  return where + "more than " + std::to_string(budget.most) + " rows in all tables";
}

// One component text of a row tuple into the values it stands for:
// "ports" for 1 to 10 and "a-b" ranges for integer components. A number
// out of range, or a range of more than `most` values, throws before any
// value is made.
bool ExpandComponent(IndexKind kind, const std::string& text, std::size_t most,
                     const RowBudget& budget, const std::string& where,
                     std::vector<std::string>& out) {
  out.clear();
  if (kind == IndexKind::Int) {
    if (text == "ports") {
      for (int p = 1; p <= kPortCount; ++p) out.push_back(std::to_string(p));
      return true;
    }
    std::int64_t lo = 0, hi = 0;
    std::size_t dash = text.find('-', 1);
    if (dash == std::string::npos) {
      if (!ParseInt(text, 0, kMostIndex, where, lo)) return false;
      out.push_back(text);
      return true;
    }
    if (!ParseInt(text.substr(0, dash), 0, kMostIndex, where, lo) ||
        !ParseInt(text.substr(dash + 1), 0, kMostIndex, where, hi) || lo > hi) {
      return false;
    }
    // Both ends are within 0..kMostIndex: neither the count nor the last
    // value overflows.
    if (static_cast<std::uint64_t>(hi - lo) >= most) throw FixtureError(TooManyRows(where, budget));
    for (std::int64_t v = lo; v <= hi; ++v) out.push_back(std::to_string(v));
    return true;
  }
  Value probe;
  if (!ParseIndexValue(kind, text, probe)) return false;
  out.push_back(text);
  return true;
}

void ParseTable(const std::vector<std::string>& w, int line, Fixture& into, RowBudget& budget,
                const std::string& where) {
  if (w.size() < 3) throw FixtureError(where + "table needs an entry OID and index kinds");
  Fixture::Table t;
  t.line = line;
  if (!ParseOid(w[1], t.entry)) throw FixtureError(where + "bad entry OID \"" + w[1] + "\"");
  for (const auto& k : Split(w[2], ',')) {
    IndexKind kind;
    if (!ParseIndexKind(k, kind)) throw FixtureError(where + "unknown index kind \"" + k + "\"");
    t.kinds.push_back(kind);
  }
  for (std::size_t i = 0; i + 1 < t.kinds.size(); ++i) {
    if (t.kinds[i] == IndexKind::ImpliedString || t.kinds[i] == IndexKind::ImpliedObjectId) {
      throw FixtureError(where + "only the last index component may be implied");
    }
  }
  for (std::size_t i = 3; i < w.size(); ++i) {
    const std::string& word = w[i];
    if (word.rfind("cols=", 0) == 0) {
      for (const auto& c : Split(word.substr(5), ',')) {
        std::int64_t n = 0;
        if (!ParseInt(c, 0, kMostIndex, where, n))
          throw FixtureError(where + "bad column number \"" + c + "\"");
        t.cols.push_back(static_cast<int>(n));
      }
      if (t.cols.size() != t.kinds.size())
        throw FixtureError(where + "cols= needs one number per index component");
      continue;
    }
    if (word == "none") continue;
    auto parts = Split(word, '/');
    if (parts.size() != t.kinds.size()) {
      throw FixtureError(where + "row \"" + word + "\" needs " + std::to_string(t.kinds.size()) +
                         " components");
    }
    std::vector<std::vector<std::string>> rows{{}};
    for (std::size_t k = 0; k < parts.size(); ++k) {
      std::vector<std::string> values;
      // Every component may multiply the rows so far, and no more than is left.
      const std::size_t most = budget.left / rows.size();
      if (!ExpandComponent(t.kinds[k], parts[k], most, budget, where, values)) {
        throw FixtureError(where + "bad index component \"" + parts[k] + "\"");
      }
      if (values.size() > most) throw FixtureError(TooManyRows(where, budget));
      std::vector<std::vector<std::string>> next;
      for (const auto& r : rows) {
        for (const auto& v : values) {
          next.push_back(r);
          next.back().push_back(v);
        }
      }
      rows = std::move(next);
    }
    budget.left -= rows.size();
    t.rows.insert(t.rows.end(), rows.begin(), rows.end());
  }
  into.tables.push_back(std::move(t));
}

void ParseRule(const std::vector<std::string>& w, int line, Fixture& into,
               const std::string& where) {
  // rule <column> on <value> <create|delete [member <entry>]|clear|purge <entry>>
  //      [reads <value>]
  Fixture::Rule r;
  r.line = line;
  if (w.size() < 5 || !ParseOid(w[1], r.column) || w[2] != "on" ||
      !ParseInt(w[3], kLeastInteger, kMostInteger, where, r.rule.on)) {
    throw FixtureError(where +
                       "rule: expected \"rule <column> on <value> <action> [reads <value>]\"");
  }
  std::size_t i = 5;
  const std::string& verb = w[4];
  if (verb == "create")
    r.rule.verb = ActionRule::Verb::Create;
  else if (verb == "delete")
    r.rule.verb = ActionRule::Verb::Delete;
  else if (verb == "clear")
    r.rule.verb = ActionRule::Verb::Clear;
  else if (verb == "purge") {
    r.rule.verb = ActionRule::Verb::Purge;
    if (w.size() < 6 || !ParseOid(w[5], r.rule.purgeEntry))
      throw FixtureError(where + "purge needs a table entry OID");
    i = 6;
  } else {
    throw FixtureError(where + "unknown rule action \"" + verb + "\"");
  }
  const bool listed =
      r.rule.verb == ActionRule::Verb::Create || r.rule.verb == ActionRule::Verb::Delete;
  if (listed && i < w.size() && w[i] == "member") {
    if (i + 1 >= w.size() || !ParseOid(w[i + 1], r.rule.memberEntry))
      throw FixtureError(where + "member needs a table entry OID");
    i += 2;
  }
  if (i < w.size()) {
    std::int64_t reads = 0;
    if (w[i] != "reads" || i + 2 != w.size() ||
        !ParseInt(w[i + 1], kLeastInteger, kMostInteger, where, reads)) {
      throw FixtureError(where + "rule: expected \"reads <value>\" at the end");
    }
    r.rule.reads = reads;
  }
  into.rules.push_back(std::move(r));
}

}  // namespace

void ParseFixture(std::string_view text, const std::string& name, Fixture& into,
                  std::size_t mostRows) {
  RowBudget budget{mostRows, mostRows};
  for (const Fixture::Table& table : into.tables)
    budget.left -= std::min(budget.left, table.rows.size());
  int line = 0;
  std::size_t pos = 0;
  std::vector<std::string> w;
  while (pos <= text.size()) {
    std::size_t nl = text.find('\n', pos);
    std::string_view raw =
        text.substr(pos, nl == std::string_view::npos ? std::string_view::npos : nl - pos);
    pos = nl == std::string_view::npos ? text.size() + 1 : nl + 1;
    ++line;
    const std::string where = name + ":" + std::to_string(line) + ": ";
    if (!SplitWords(raw, w)) throw FixtureError(where + "unterminated quote");
    if (w.empty()) continue;
    const std::string& kw = w[0];
    if (kw == "table") {
      ParseTable(w, line, into, budget, where);
    } else if (kw == "object") {
      // object <oid> <syntax> <access> [label...]
      Fixture::Object o;
      o.line = line;
      if (w.size() < 4 || !ParseOid(w[1], o.oid))
        throw FixtureError(where + "object: expected \"object <oid> <syntax> <access>\"");
      if (!ParseSyntaxName(w[2], o.syntax))
        throw FixtureError(where + "unknown syntax \"" + w[2] + "\"");
      if (!ParseAccessName(w[3], o.access))
        throw FixtureError(where + "unknown access \"" + w[3] + "\"");
      for (std::size_t i = 4; i < w.size(); ++i) {
        std::string part = w[i];
        if (part.size() >= 2 && part.front() == '"') part = part.substr(1, part.size() - 2);
        if (!o.label.empty()) o.label += ' ';
        o.label += part;
      }
      into.objects.push_back(std::move(o));
    } else if (kw == "value" || kw == "default") {
      Fixture::Setting s;
      s.line = line;
      if (w.size() != 3 || !ParseOid(w[1], s.oid))
        throw FixtureError(where + kw + ": expected \"" + kw + " <oid> <value>\"");
      s.text = w[2];
      (kw == "value" ? into.values : into.defaults).push_back(std::move(s));
    } else if (kw == "motion") {
      Fixture::Setting s;
      s.line = line;
      if (w.size() != 3 || !ParseOid(w[1], s.oid) ||
          (w[2] != "still" && w[2] != "count" && w[2] != "tick" && w[2] != "panel")) {
        throw FixtureError(where + "motion: expected \"motion <oid> still|count|tick|panel\"");
      }
      s.text = w[2];
      into.motions.push_back(std::move(s));
    } else if (kw == "range") {
      Fixture::Range r;
      r.line = line;
      if (w.size() != 4 || !ParseOid(w[1], r.oid) ||
          !ParseInt(w[2], kLeast64, kMost64, where, r.lo) ||
          !ParseInt(w[3], kLeast64, kMost64, where, r.hi) || r.lo > r.hi) {
        throw FixtureError(where + "range: expected \"range <oid> <min> <max>\"");
      }
      into.ranges.push_back(r);
    } else if (kw == "rule") {
      ParseRule(w, line, into, where);
    } else if (kw == "absent" || kw == "disorder" || kw == "repeat") {
      Fixture::Setting s;
      s.line = line;
      if (w.size() != 2 || !ParseOid(w[1], s.oid))
        throw FixtureError(where + kw + ": expected \"" + kw + " <oid>\"");
      (kw == "absent"     ? into.absents
       : kw == "disorder" ? into.disorders
                          : into.repeats)
          .push_back(std::move(s));
    } else {
      throw FixtureError(where + "unknown keyword \"" + kw + "\"");
    }
  }
}

}  // namespace sim
