// What the checker learns of a form from its requests once it is open: the
// variables each request reads and writes, how the form shows each of them
// (a port grid, a choice, a number or a text with its input rule, an
// address, raw octets, a part of an octet string), and the values at, past
// and around the edges of each that the switch is given before the form
// opens again.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class VnSNMPRequest2Edits;

namespace formcheck {

// How the form shows a variable.
enum class TShown : std::uint8_t {
  Nothing,   // no control, or one the checker leaves alone
  PortList,  // one check box per port
  Choice,    // a combo box or a check box over the variable's options
  Number,    // a number edit
  Text,      // a text edit (or a label) over a display string
  Address,   // an IPv4, IPv6 or MAC address edit
  Octets,    // raw octets (a hex edit, an octet string without a rule)
  Part,      // a field at a byte offset inside the octets
};

enum class TAddress : std::uint8_t { None, Ipv4, Ipv6, Mac };

struct TItem {
  std::string Oid;
  std::string Label;
  std::uint32_t Syntax = 0;
  bool Key = false;        // an index column of the table
  bool RowStatus = false;  // creates and destroys rows
  bool Writable = false;
  std::vector<int> Options;  // the option values, when it has a list of numbers
  // The texts of the options and their values as text (numbers, or the
  // values of a list of strings).
  std::vector<std::string> OptionTexts, OptionValues;
  TShown Shown = TShown::Nothing;
  TAddress Address = TAddress::None;
  // The input rule of a number or text edit.
  bool Ranged = false;
  double Minimum = 0, Maximum = 0;
  int Length = 0;       // longest text the edit takes (0: no limit)
  int PartOffset = -1;  // the byte of a part binding
  char RuleType = 0;    // the edit rule's type letter, 0 without a rule
};

// The variables of one request; `Rows` when its list view shows the rows.
struct TRequestModel {
  std::vector<TItem> Items;
  bool Table = false;  // read by a walk: instances are rows
  bool Rows = false;
};

struct TFormModel {
  std::vector<TRequestModel> Requests;
};

// The model of the requests as bound now.
TFormModel ModelOf(const std::vector<VnSNMPRequest2Edits*>& requests,
                   const VnSNMPRequest2Edits* rowRequest);

// The seeds: the store as the fixture has it; values past the upper edges
// (long port lists, longest texts with high bytes, numbers above the form's
// range); past the lower edges (short port lists and octets, texts with
// control bytes and a zero byte, numbers below the range, MAC addresses of
// three octets); options outside the form's lists; empty values (texts,
// octets, port lists, addresses); texts with blanks at their ends; and
// values at the edges (every port, texts as long as the edit takes of bytes
// that are not UTF-8, addresses of all ones, numbers at the range's ends).
// The plain seed is checked in full, the others on the rows' writes and a
// refused one. An entry adds seeds of its own that lead the form down its
// other branches.
inline const char* const kSeeds[] = {"plain", "long",   "short", "outside",
                                     "empty", "blanks", "edges"};

// The control-channel command that gives the instance (item OID + "." +
// suffix, holding `held` as the simulator writes values) its value of the
// seed; empty when the seed leaves it alone.
std::string SeedCommand(const TItem& item, const std::string& instance, const std::string& held,
                        const std::string& seed);

// The value (as the switch writes it) that a SET carries for the text typed
// into a field of the item matches that text byte for byte: a number, an
// option's value for its text, the typed octets (hex digits for raw octets
// and MAC addresses), an IPv4 address, an object identifier. `why` gets
// what differs.
bool SentAsTyped(const TItem& item, const std::string& typed, const std::string& value,
                 std::string& why);

// The ways the arcs of a row's instance may carry the value typed into a
// key field of the item: a number, an option's value, an address, a text or
// octets with their length first or implied.
std::vector<std::string> KeyArcs(const TItem& item, const std::string& typed);

}  // namespace formcheck
