// Seeds of an agent that answers otherwise than the catalogue says, as real
// agents do: a cell absent from a middle row, an exception in one column
// mid-walk, answers that do not increase, a value of another type, an
// absent scalar, a number of another type past the declared one's range, a
// zero octet inside a display string.
// Each hits what the form writes (from its model): a written column of its
// rows at a middle row, a written scalar. An entry meets the seeds that hit
// something of it; the checks are TChecker::CheckOddAgent (OddAgentChecks.cpp).
//
//   for (const TOddSeed& odd : OddSeeds(model, held, fieldOids))
//     for (const std::string& line : odd.Commands) Control(line);
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "FormModel.h"
#include "SwitchImage.h"

namespace formcheck {

struct TOddSeed {
  std::string Name;
  std::vector<std::string> Commands;  // control lines, after the entry's rows
  // The variables the seed gives odd answers for (item OIDs), and their
  // labels.
  std::vector<std::string> Hit, Labels;
  // The table it hits: the request, its rows' instances in order and the
  // middle row; -1 where it hits scalars only.
  int Request = -1;
  std::vector<std::string> Rows;
  int Row = -1;
  // Which rows of the table lose what the seed hits: the middle row's cell;
  // that row's and every later one's (the column ended); or every row from
  // the middle one on (the walk ends there, the rows before it shown).
  enum class TReach : std::uint8_t { Cell, LaterRows, Prefix } Reach = TReach::Cell;
  // The read cannot take it: its last status line is a failure that says
  // one of these (empty: the read takes everything).
  std::vector<std::string> Fails;
};

// The seeds that hit something of the form: `fieldOids` are the items the
// form shows in fields the user can change (its writes), `held` the form's
// variables as the fixture holds them.
std::vector<TOddSeed> OddSeeds(const TFormModel& model, const TImage& held,
                               const std::set<std::string>& fieldOids);

}  // namespace formcheck
