#include "OddAgent.h"

#include <algorithm>
#include <cstdio>

#include "library/VnSNMPVarDesc.h"

namespace formcheck {

namespace {

// A variable the form writes: writable, not a key, not a row status.
bool Written(const TItem& item) {
  return item.Writable && !item.Key && !item.RowStatus && !item.Oid.empty() &&
         item.Shown != TShown::Nothing;
}

bool Signed(std::uint32_t syntax) { return syntax == SNMP_SYNTAX_INTEGER; }

bool WholeNumber(const TItem& item) {
  return (item.Shown == TShown::Number || item.Shown == TShown::Choice) &&
         (Signed(item.Syntax) || item.Syntax == SNMP_SYNTAX_GUAGE ||
          item.Syntax == SNMP_SYNTAX_UINTEGER);
}

// A syntax the agent gives as a number (else as octets or an identifier).
bool NumberSyntax(std::uint32_t syntax) {
  return syntax == SNMP_SYNTAX_INTEGER || syntax == SNMP_SYNTAX_COUNTER ||
         syntax == SNMP_SYNTAX_GUAGE || syntax == SNMP_SYNTAX_TIMETICKS ||
         syntax == SNMP_SYNTAX_COUNTER64 || syntax == SNMP_SYNTAX_UINTEGER ||
         syntax == SNMP_SYNTAX_BOOLEAN;
}

std::string SetHex(const std::string& instance, const std::string& bytes) {
  std::string hex;
  char pair[4];
  for (char c : bytes) {
    std::snprintf(pair, sizeof pair, "%02X", static_cast<unsigned char>(c));
    hex += pair;
  }
  return "set " + instance + " x \"" + hex + "\"";
}

// What the seeds hit: a written column of a table at a middle row, and the
// written scalars, the form's fields first.
struct TTargets {
  int Request = -1;
  const TItem* Column = nullptr;
  std::vector<const TItem*> Columns;  // every written column of that table
  std::vector<std::string> Rows;
  int Row = -1;
  bool OtherColumn = false;
  std::vector<const TItem*> Scalars;
};

std::vector<std::string> RowsOf(const TItem& column, const TImage& held) {
  std::vector<std::string> rows;
  for (const auto& [oid, value] : held.Values)
    if (const std::string row = InstanceUnder(oid, column.Oid); !row.empty()) rows.push_back(row);
  return rows;
}

// The items the form shows in fields first, then the others it writes.
std::vector<const TItem*> ByFields(const TRequestModel& r, const std::set<std::string>& fields) {
  std::vector<const TItem*> out;
  for (bool field : {true, false})
    for (const TItem& item : r.Items)
      if (Written(item) && fields.count(item.Oid) == (field ? 1u : 0u)) out.push_back(&item);
  return out;
}

TTargets TargetsOf(const TFormModel& model, const TImage& held,
                   const std::set<std::string>& fields) {
  TTargets t;
  // The table of the rows the list shows first, else any other.
  for (bool rows : {true, false}) {
    for (std::size_t r = 0; r < model.Requests.size() && !t.Column; ++r) {
      const TRequestModel& request = model.Requests[r];
      if (!request.Table || request.Rows != rows) continue;
      for (const TItem* item : ByFields(request, fields)) {
        const std::vector<std::string> instances = RowsOf(*item, held);
        if (instances.size() < 2) continue;
        if (!t.Column) {
          t.Request = static_cast<int>(r);
          t.Column = item;
          t.Rows = instances;
          t.Row = static_cast<int>(instances.size() / 2);
        }
        if (instances == t.Rows) t.Columns.push_back(item);
      }
      // Another column the agent gives on those rows keeps a row whose
      // cell of the target is missing a row.
      if (t.Column)
        for (const TItem& item : request.Items)
          if (&item != t.Column && !item.Oid.empty() && RowsOf(item, held) == t.Rows)
            t.OtherColumn = true;
    }
  }
  for (const TRequestModel& request : model.Requests)
    if (!request.Table)
      for (const TItem* item : ByFields(request, fields))
        if (held.Find(item->Oid + ".0")) t.Scalars.push_back(item);
  return t;
}

// The first item of the list that passes, and the next one after it.
template <class Pass>
std::vector<const TItem*> FirstTwo(const std::vector<const TItem*>& items, Pass pass) {
  std::vector<const TItem*> out;
  for (const TItem* item : items)
    if (out.size() < 2 && pass(*item)) out.push_back(item);
  return out;
}

// A seed that gives each of `items` (a column at the middle row, or a
// scalar) a value of its own.
struct TValues {
  TValues(const TTargets& targets, const char* name) : t(targets) { seed.Name = name; }
  const TTargets& t;
  TOddSeed seed;
  void Give(const TItem* item, const std::string& command_after_instance, bool column) {
    const std::string instance =
        item->Oid + "." + (column ? t.Rows[static_cast<std::size_t>(t.Row)] : std::string("0"));
    seed.Commands.push_back("set " + instance + " " + command_after_instance);
    Hit(item, column);
  }
  void Hit(const TItem* item, bool column) {
    seed.Hit.push_back(item->Oid);
    seed.Labels.push_back(item->Label);
    if (column) {
      seed.Request = t.Request;
      seed.Rows = t.Rows;
      seed.Row = t.Row;
    }
  }
};

// One column target and one scalar target that pass, or two of one kind.
template <class Pass>
std::vector<std::pair<const TItem*, bool>> Pick(const TTargets& t, Pass pass) {
  std::vector<std::pair<const TItem*, bool>> out;
  const std::vector<const TItem*> columns = FirstTwo(t.Columns, pass);
  const std::vector<const TItem*> scalars = FirstTwo(t.Scalars, pass);
  if (!columns.empty()) out.push_back({columns[0], true});
  if (!scalars.empty()) out.push_back({scalars[0], false});
  if (out.size() == 1 && columns.size() > 1) out.push_back({columns[1], true});
  if (out.size() == 1 && scalars.size() > 1) out.push_back({scalars[1], false});
  return out;
}

}  // namespace

std::vector<TOddSeed> OddSeeds(const TFormModel& model, const TImage& held,
                               const std::set<std::string>& fieldOids) {
  const TTargets t = TargetsOf(model, held, fieldOids);
  std::vector<TOddSeed> seeds;
  auto add = [&](TValues& v) {
    if (!v.seed.Commands.empty()) seeds.push_back(std::move(v.seed));
  };
  // A row of one cell that the agent lacks is no row: a table of one column
  // meets no cell absent and no column ended early.
  if (t.Column && t.OtherColumn) {
    const std::string& row = t.Rows[static_cast<std::size_t>(t.Row)];
    TValues absent(t, "odd: a cell absent from a middle row");
    absent.seed.Commands.push_back("absent " + t.Column->Oid + "." + row);
    absent.Hit(t.Column, true);
    add(absent);

    TValues ended(t, "odd: an exception in one column mid-walk");
    ended.seed.Commands.push_back("inject getnext " + t.Column->Oid + "." +
                                  t.Rows[static_cast<std::size_t>(t.Row - 1)] + " endOfMibView");
    ended.Hit(t.Column, true);
    ended.seed.Reach = TOddSeed::TReach::LaterRows;
    add(ended);
  }
  if (t.Column) {
    TValues disorder(t, "odd: answers that do not increase");
    disorder.seed.Commands.push_back("disorder " + t.Column->Oid);
    disorder.Hit(t.Column, true);
    disorder.seed.Reach = TOddSeed::TReach::Prefix;
    disorder.seed.Fails = {"did not increase"};
    add(disorder);
  }

  // A column at the middle row and a scalar: a number where octets are
  // declared, octets where a number is.
  TValues other(t, "odd: a value of another type");
  auto otherType = [&](const TItem* item, bool column) {
    other.Give(item, NumberSyntax(item->Syntax) ? "s \"5\"" : "i 5", column);
    other.seed.Fails.push_back(
        (column ? "row " + t.Rows[static_cast<std::size_t>(t.Row)] + ", " : std::string()) +
        item->Label);
  };
  if (t.Column) otherType(t.Column, true);
  if (!t.Scalars.empty()) otherType(t.Scalars.front(), false);
  add(other);

  if (!t.Scalars.empty()) {
    // A number first: the checks that judge a field with another are
    // mostly of numbers.
    const TItem* scalar = t.Scalars.front();
    for (const TItem* item : t.Scalars)
      if (item->Shown == TShown::Number) {
        scalar = item;
        break;
      }
    TValues absent(t, "odd: an absent scalar");
    absent.seed.Commands.push_back("absent " + scalar->Oid + ".0");
    absent.Hit(scalar, false);
    add(absent);
  }

  TValues numbers(t, "odd: a number of another type past the declared range");
  bool wide = false;
  for (const auto& [item, column] : Pick(t, WholeNumber)) {
    if (!Signed(item->Syntax))
      numbers.Give(item, "i -1", column);
    else
      numbers.Give(item, (wide = !wide) ? "u 4294967295" : "C 8589934593", column);
  }
  add(numbers);

  TValues zero(t, "odd: a zero octet inside a display string");
  for (const auto& [item, column] : Pick(t, [](const TItem& item) {
         return item.Shown == TShown::Text && item.Syntax == SNMP_SYNTAX_DISPLAYSTR;
       })) {
    std::string text("pw\0rd", 5);
    if (item->Length > 0 && item->Length < 5)
      text = text.substr(1, static_cast<std::size_t>(std::max(3, item->Length)));
    zero.seed.Commands.push_back(SetHex(
        item->Oid + "." + (column ? t.Rows[static_cast<std::size_t>(t.Row)] : std::string("0")),
        text));
    zero.Hit(item, column);
  }
  add(zero);
  return seeds;
}

}  // namespace formcheck
