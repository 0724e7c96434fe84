// What a catalogue syntax code means on the wire: the value type, length
// rules, the checks a written value must pass, fixture value texts and the
// plausible values that fill a fresh store.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "simulator/src/Schema.h"
#include "simulator/src/Value.h"

namespace sim {

Type WireType(std::uint32_t syntax);
// Exact octet count (MAC 6, IPv6 16), 0 when the length is free.
std::size_t FixedOctets(std::uint32_t syntax);
std::size_t MaxOctets(std::uint32_t syntax);

// Octets of a port list with the given ports set (port p is bit p-1, most
// significant bit first), padded to whole units of 4 octets.
std::string PortListOctets(const std::vector<int>& ports, std::size_t octets = 4);

// 0 when a manager may write the value to the object, else wrongType,
// wrongLength or wrongValue.
int CheckWrite(const ObjectDef& object, const Value& value);

// A fixture's value text for the object: numbers or option texts for
// integers, "quoted" or bare text, 0x hex, ports:1-3,5 for port lists,
// addresses in their usual notation, dotted OIDs.
bool ParseObjectValue(const ObjectDef& object, std::string_view text, Value& out,
                      std::string& error);

// A plausible value for one instance of the object; index columns show
// their component of the row's index.
Value GeneratedValue(const ObjectDef& object, const Oid& instanceArcs,
                     const std::vector<Value>& index);

// A value converted to the object's wire type where only the tag differs
// (index integers shown by a Gauge32 column).
Value AsWireType(const ObjectDef& object, Value v);

}  // namespace sim
