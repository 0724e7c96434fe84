#!/usr/bin/env python3
"""Generates the MIB catalogue units under catalogue/ from the catalogue data.

Usage: tools/gen_mibdefs.py [catalogue.json] [--out DIR] [--check] [--quiet]

Without a path the data file is the repository's own,
catalogue/mib-catalogue.json, beside the units generated from it. --check
writes nothing and exits with 1 when a generated file differs from what is on
disk. A data file that cannot be found is an error (exit status 1).

Beside each table a unit header names its item positions (namespace
<Table>Item, from the item labels) and, for every item with options, the
positions of its options as a combo box lists them (namespace
<Table>RowStatusOption for the table's row status, <Table><Item>Option for
the others, <Item> being the item's name without its k).

The output depends on the data only: the same input always gives the same
bytes. Standard library only.
"""

import argparse
import json
import re
import sys
import textwrap
from collections import Counter, OrderedDict
from pathlib import Path

# The units in start-up table order: name, file stem, MIB areas, and the
# tables / records / lists stated for the unit.
UNITS = [
    ("Auth", "AuthMib", "1.3.6.1.4.1.171.12.3, 1.3.6.1.4.1.171.12.56", 12, 76, 17),
    ("Equipment", "EquipmentMib", "1.3.6.1.2.1.81, 1.3.6.1.4.1.171.12.11, 1.3.6.1.2.1.80", 12, 76, 16),
    ("Time", "TimeMib", "1.3.6.1.4.1.171.12.10", 4, 18, 4),
    ("DoubleVlan", "DoubleVlanMib", "1.3.6.1.6.3.10", 1, 4, 0),
    ("FileSystem", "FileSystemMib", "1.3.6.1.4.1.171.12.14", 5, 16, 3),
    ("Pae", "PaeMib", "1.0.8802.1.1.1, 1.3.6.1.4.1.171.12.30", 10, 67, 13),
    ("LinkAggregation", "LinkAggregationMib", "1.3.6.1.4.1.171.12.4", 3, 37, 2),
    ("MldSnooping", "MldSnoopingMib", "1.3.6.1.4.1.171.12.34, 1.3.6.1.6.3.11", 6, 32, 6),
    ("ProtocolVlan", "ProtocolVlanMib", "1.3.6.1.2.1.17, 1.3.6.1.4.1.171.12.16", 3, 11, 3),
    ("RadiusClient", "RadiusClientMib", "1.3.6.1.2.1.67", 4, 32, 0),
    ("Probe", "ProbeMib", "1.3.6.1.2.1.16", 3, 7, 2),
    ("Security", "SecurityMib",
     "1.3.6.1.4.1.171.12.5, .12.6, .12.23, .12.7, .12.19", 25, 137, 64),
    ("SingleIp", "SingleIpMib", "1.3.6.1.4.1.171.12.8, 1.3.6.1.6.3.12", 8, 40, 4),
    ("SnmpTarget", "SnmpTargetMib", "1.3.6.1.6.3.12, 1.3.6.1.6.3.13, 1.3.6.1.6.3.18", 7, 42, 15),
    ("TimeRange", "TimeRangeMib", "1.3.6.1.4.1.171.12.50, 1.3.6.1.6.3.15", 4, 17, 1),
    ("Usm", "UsmMib", "1.3.6.1.6.3.15", 1, 13, 4),
    ("Vacm", "VacmMib", "1.3.6.1.6.3.16", 3, 21, 9),
    ("Device", "DeviceMib",
     "1.3.6.1.4.1.171.11.101, .12.1, .12.15, 1.3.6.1.2.1.31, 1.3.6.1.2.1.17, .12.26, .12.12, "
     ".12.58, .12.25, 1.3.6.1.2.1.10, 1.3.6.1.2.1.2, 1.3.6.1.2.1.11", 103, 458, 166),
    ("BridgeExt", "BridgeExtMib", "1.3.6.1.2.1.17", 22, 79, 10),
    ("Acl", "AclMib", "1.3.6.1.4.1.171.12.9", 24, 235, 80),
    ("Mba", "MbaMib", "1.3.6.1.4.1.171.12.39, .12.27, .12.35", 17, 84, 32),
    ("Filter", "Oid_filterunit", "1.3.6.1.4.1.171.12.37", 4, 11, 6),
    ("Multicast", "MulticastMib", "1.3.6.1.4.1.171.12.64", 4, 19, 7),
]

# Tables of the bridge MIB (1.3.6.1.2.1.17) that the data leaves to either the
# device unit or the bridge-extension unit. The device unit takes the base
# bridge objects (dot1dBase, dot1dStp, dot1dTp); the bridge-extension unit
# everything under the P-BRIDGE and Q-BRIDGE parts.
DEVICE_BRIDGE_TABLES = {
    "1.3.6.1.2.1.17.1.2 (3)",
    "1.3.6.1.2.1.17.2.15.1.1 (10)",
    "1.3.6.1.2.1.17.4.4.1.1 (4) #1",
}

# A list serves at most this many records.
MAX_LIST_USERS = 3

SYNTAX = {
    "integer": (2, "SNMP_SYNTAX_INTEGER"),
    "bitstr": (3, "SNMP_SYNTAX_BITSTR"),
    "octetstr": (4, "SNMP_SYNTAX_OCTETSTR"),
    "objectid": (6, "SNMP_SYNTAX_OBJECTID"),
    "ipaddress": (0x40, "SNMP_SYNTAX_IPADDRESS"),
    "counter": (0x41, "SNMP_SYNTAX_COUNTER"),
    "guage": (0x42, "SNMP_SYNTAX_GUAGE"),
    "timeticks": (0x43, "SNMP_SYNTAX_TIMETICKS"),
    "counter64": (0x46, "SNMP_SYNTAX_COUNTER64"),
    "macaddress": (0x49, "SNMP_SYNTAX_MACADDRESS"),
    "datetime": (0x4A, "SNMP_SYNTAX_DATETIME"),
    "displaystr": (0x4C, "SNMP_SYNTAX_DISPLAYSTR"),
    "ipv6address": (0x4D, "SNMP_SYNTAX_IPV6ADDRESS"),
}

ACCESS = {
    "notaccess": (1, "SNMP_ACCESS_NOTACCESS"),
    "readonly": (2, "SNMP_ACCESS_READONLY"),
    "readwrite": (6, "SNMP_ACCESS_READWRITE"),
    "notaccess + implied": (65, "SNMP_ACCESS_NOTACCESS | SNMP_ACCESS_IMPLIED"),
}

# Names where the rule of table_names gives nothing readable.
NAME_OVERRIDES = {
    "1.3.6.1.4.1.171.11.101.1.2.1.1.4 (1) #1": "FrontPanelLedStatus",
    "1.3.6.1.4.1.171.11.101.1.2.1.1.4 (1) #2": "FrontPanelLedScalar",
    "1.3.6.1.4.1.171.11.101.1.2.11.1 (2)": "IGMPSnoopingInformation",
    "1.3.6.1.4.1.171.11.101.1.2.11.5.1.1 (7)": "IGMPSnoopingInformationTable",
    "1.3.6.1.2.1.17.1.2 (3)": "BridgeInformation",
    "1.3.6.1.2.1.17.4.4.1.1 (4) #1": "HighCapacityPortTable",
    "1.3.6.1.2.1.17.4.4.1.1 (4) #2": "HighCapacityPortOverflow",
    "1.3.6.1.2.1.17.7.1.4.3.1.1 (6)": "StaticVlanTable",
    "1.3.6.1.4.1.171.12.15.1.2 (1) #2": "StpVersion",
    "1.3.6.1.4.1.171.12.15.1.2 (6)": "StpInfoBridge",
    "1.3.6.1.4.1.171.12.15.1.2 (7)": "StpInfoBridgeTimers",
    "1.3.6.1.4.1.171.12.30.1.1 (1)": "GuestVlanName",
    "1.3.6.1.4.1.171.12.30.1.1 (2)": "GuestVlanNamePorts",
    "1.3.6.1.4.1.171.12.30.1.3 (1)": "GuestVlanDeleteState",
    "1.3.6.1.4.1.171.12.35.1.4 (1)": "MbaVlanName",
    "1.3.6.1.4.1.171.12.35.1.4 (2)": "MbaVlanNamePorts",
    "1.3.6.1.4.1.171.12.35.1.7 (1)": "MbaVlanDeleteState",
}


def fail(message):
    sys.stderr.write("gen_mibdefs: %s\n" % message)
    sys.exit(1)


def key_base(records):
    oid = next((r["oid"] for r in records if r["oid"].strip()), "")
    return "%s (%d)" % (oid, len(records))


def check_data(tables):
    """Checks the data against itself: keys, counts, codes."""
    bases = [key_base(t["records"]) for t in tables]
    uses = Counter(bases)
    numbered = Counter()
    for table, base in zip(tables, bases):
        key = base
        if uses[base] > 1:
            numbered[base] += 1
            key = "%s #%d" % (base, numbered[base])
        if key != table["key"]:
            fail("table %r: the records give the key %r" % (table["key"], key))
        if table["record_count"] != len(table["records"]):
            fail("table %r: record count %d, %d records" % (table["key"], table["record_count"],
                                                            len(table["records"])))
        for record in table["records"]:
            if record["syntax"] not in SYNTAX or SYNTAX[record["syntax"]][0] != record["syntax_code"]:
                fail("table %r: syntax %r code %r" % (table["key"], record["syntax"],
                                                      record["syntax_code"]))
            if record["access"] not in ACCESS or ACCESS[record["access"]][0] != record["access_flags"]:
                fail("table %r: access %r flags %r" % (table["key"], record["access"],
                                                       record["access_flags"]))


def assign_units(tables):
    known = {u[0] + "Mib" for u in UNITS}
    for table in tables:
        unit = table["unit"]
        if unit is None:
            unit = "DeviceMib" if table["key"] in DEVICE_BRIDGE_TABLES else "BridgeExtMib"
            if unit not in table["unit_candidates"]:
                fail("table %r cannot go to %s" % (table["key"], unit))
        if unit not in known:
            fail("table %r: unknown unit %r" % (table["key"], unit))
        table["_unit"] = unit[:-3]


def id_word(text):
    """The identifier of a label: its words joined, each capitalised."""
    words = re.findall(r"[A-Za-z0-9]+", text.replace("\\n", " "))
    return "".join(w[0].upper() + w[1:] for w in words)


def camel(text):
    name = id_word(text)
    if name and name[0].isdigit():
        name = "Dot" + name
    return name


def first_data_label(table):
    for record in table["records"]:
        if not record["access"].startswith("notaccess"):
            return record["label"]
    return table["records"][0]["label"]


def name_candidates(table):
    """Names from the table's first menu entry or form, more specific ones
    later: the menu caption, then with its parent menu's caption; the form
    class, then with the table's first data column."""
    label = camel(first_data_label(table))
    for user in table["used_by"]:
        if user["kind"] == "menu":
            path = [camel(c) for c in user["caption_path"]]
            return [path[-1], "".join(path[-2:]), "".join(path[-2:]) + label]
        if user["kind"] == "form":
            cls = camel(re.sub(r"Form$", "", re.sub(r"^T", "", user["class"])))
            return [cls, cls + label, cls + label + camel(table["records"][-1]["label"])]
    return [label]


def table_names(tables):
    """Readable, unique names: each table takes its first candidate, and
    tables that would share a name move on to their next candidates."""
    candidates = [name_candidates(t) for t in tables]
    level = [0] * len(tables)
    while True:
        names = [c[min(lv, len(c) - 1)] for c, lv in zip(candidates, level)]
        counts = Counter(names)
        moved = False
        for i, name in enumerate(names):
            if counts[name] > 1 and level[i] < len(candidates[i]) - 1:
                level[i] += 1
                moved = True
        if not moved:
            break
    names = [NAME_OVERRIDES.get(t["key"], n) + "Vars" for t, n in zip(tables, names)]
    duplicates = [n for n, c in Counter(names).items() if c > 1]
    if duplicates:
        fail("table names not unique: %s" % ", ".join(sorted(duplicates)))
    for table, name in zip(tables, names):
        table["_name"] = name


def unique_ids(labels, what):
    """k-names of labels, unique in their list. A range or unit in brackets
    is left out unless it tells items apart ("Offset Mask[1-15]" gives
    kOffsetMask1To15); a repeated label takes the number of its use
    (kStatus, kStatus2)."""
    short = [id_word(re.sub(r"\([^)]*\)|\[[^]]*\]", " ", label)) for label in labels]
    sources = {}
    for label, word in zip(labels, short):
        sources.setdefault(word, set()).add(label)
    seen = Counter()
    ids = []
    for label, word in zip(labels, short):
        if not word or len(sources[word]) > 1:
            word = id_word(re.sub(r"(?<=\d)-(?=\d)", " To ", label))
        if not word:
            fail("%s: label %r gives no name" % (what, label))
        seen[word] += 1
        ids.append("k%s%s" % (word, seen[word] if seen[word] > 1 else ""))
    duplicates = [n for n, c in Counter(ids).items() if c > 1]
    if duplicates:
        fail("%s: names not unique: %s" % (what, ", ".join(sorted(duplicates))))
    return ids


def row_status_record(table):
    """The table's row status: the record whose options offer createAndGo."""
    rows = [r for r in table["records"]
            if r["options"] and any(str(t).lower() == "createandgo" for _, t in r["options"])]
    if len(rows) > 1:
        fail("table %r: more than one row status" % table["key"])
    return rows[0] if rows else None


def option_ids(table, record, what):
    """Names of a record's option positions: the option texts' k-names."""
    return unique_ids([t for _, t in record["options"]], "%s %s" % (table["key"], what))


def option_namespace(base, suffix, label, names):
    out = ["// Positions in the option list of %s." % c_string(label),
           "namespace %s%sOption {" % (base, suffix), "enum : int {"]
    out += ["  %s = %d," % (name, i) for i, name in enumerate(names)]
    out += ["};", "}  // namespace %s%sOption" % (base, suffix)]
    return out


def item_ids(table):
    """Named item positions of a table, so that code indexing the table
    follows the data instead of counting; and, for every item with options,
    the positions of its options as a combo box lists them (the row status's
    as <Table>RowStatusOption, every other item's as <Table><Item>Option)."""
    base = table["_name"][:-len("Vars")]
    ids = unique_ids([r["label"] for r in table["records"]], table["key"])
    out = ["namespace %sItem {" % base, "enum : int {"]
    out += ["  %s = %d," % (name, i) for i, name in enumerate(ids)]
    out += ["};", "}  // namespace %sItem" % base]
    row = row_status_record(table)
    suffixes = set()
    for record, item in zip(table["records"], ids):
        if not record["options"]:
            continue
        suffix = "RowStatus" if record is row else item[1:]
        if suffix in suffixes:
            fail("table %r: option positions of %r named twice" % (table["key"], suffix))
        suffixes.add(suffix)
        what = "row status" if record is row else record["label"]
        out += option_namespace(base, suffix, record["label"], option_ids(table, record, what))
    return out


def c_string(text):
    out = []
    for ch in text:
        code = ord(ch)
        if ch == "\\":
            out.append("\\\\")
        elif ch == '"':
            out.append('\\"')
        elif 0x20 <= code < 0x7F:
            out.append(ch)
        else:
            for byte in ch.encode("utf-8"):
                out.append("\\%03o" % byte)
    return '"' + "".join(out) + '"'


class UnitLists:
    """The option lists of one unit in data order, shared by records of the
    same object (same OID, same pairs) up to MAX_LIST_USERS records each."""

    def __init__(self):
        self.lists = []  # dicts: pairs, kind, oid, label, users
        self.open = {}   # (oid, pairs) -> index of the list still taking users

    def list_for(self, record):
        pairs = tuple((v, t) for v, t in record["options"])
        kind = 2 if isinstance(pairs[0][0], str) else 1
        if any(isinstance(v, str) != (kind == 2) for v, _ in pairs):
            fail("option list of %r mixes value kinds" % record["label"])
        key = (record["oid"], pairs)
        index = self.open.get(key)
        if index is None or self.lists[index]["users"] >= MAX_LIST_USERS:
            index = len(self.lists)
            self.lists.append({"pairs": pairs, "kind": kind, "oid": record["oid"],
                               "label": record["label"], "users": 0})
            self.open[key] = index
        self.lists[index]["users"] += 1
        return index


GENERATED = "Generated by tools/gen_mibdefs.py from mib-catalogue.json: change the generator, not this file."


def pair_text(value, text):
    if isinstance(value, str):
        return "{%s, %s}" % (c_string(value), c_string(text))
    return "{%d, %s}" % (value, c_string(text))


def unit_comment(unit, areas):
    text = "%s catalogue unit: descriptor tables of %s." % (unit, areas)
    return ["// " + line for line in textwrap.wrap(text, 96)] + ["// " + GENERATED]


def unit_header(unit, stem, areas, tables):
    out = unit_comment(unit, areas) + [
           "// clang-format off",
           "#pragma once",
           "",
           '#include "library/VnSNMPVarDesc.h"',
           ""]
    if unit == "Device":
        out += ["class AnsiString;", ""]
    out += ["// Builds the unit's option lists in data order; once.",
            "void Init%sMibOptionLists();" % unit,
            "// Frees them in reverse order.",
            "void Free%sMibOptionLists();" % unit,
            ""]
    if unit == "Device":
        out += ['// The device model text, "KXR5810" between Init and Free of this unit.',
                "extern AnsiString g_ModelText;", ""]
    for table in tables:
        out.append("// %s" % table["key"])
        out.append("extern const VnSNMPVarDesc %s[];" % table["_name"])
        out += item_ids(table)
    out += ["// clang-format on", ""]
    return "\n".join(out)


def unit_source(unit, stem, areas, tables):
    lists = UnitLists()
    refs = []
    for table in tables:
        refs.append([lists.list_for(r) if r["options"] else None for r in table["records"]])
    out = unit_comment(unit, areas) + [
           "// clang-format off",
           '#include "catalogue/%s.h"' % stem,
           ""]
    if unit == "Device":
        out += ['#include "platform/AnsiString.h"',
                '#include "catalogue/DevicePanelMaps.h"']
    out += ['#include "catalogue/MibOptionListSlot.h"', ""]
    n = len(lists.lists)
    if n:
        out += ["namespace {", "", "// Option lists, in data order."]
        for i, lst in enumerate(lists.lists):
            terminator = "{nullptr, nullptr}" if lst["kind"] == 2 else "{0, nullptr}"
            out.append("// %d: %s %s" % (i, c_string(lst["label"]), lst["oid"]))
            body = ", ".join(pair_text(v, t) for v, t in lst["pairs"])
            out.append("constexpr VnOptionPair kList%d[] = {%s, %s};" % (i, body, terminator))
        out += ["", "constexpr MibOptionListDef kListDefs[] = {"]
        for i, lst in enumerate(lists.lists):
            kind = "VnOptionList::String" if lst["kind"] == 2 else "VnOptionList::Integer"
            out.append("    {kList%d, %s}," % (i, kind))
        out += ["};",
                "",
                "constinit MibOptionListSlot gLists[%d];" % n,
                "constinit MibUnitLists gUnitLists(gLists, kListDefs, %d);" % n,
                "",
                "constexpr VnOptionList* List(int i) { return gLists[i].Get(); }",
                "",
                "}  // namespace",
                ""]
    if unit == "Device":
        out += ["AnsiString g_ModelText;", ""]
    init_body = ["gUnitLists.Build();"] if n else []
    free_body = ["gUnitLists.Free();"] if n else []
    if unit == "Device":
        # The front panel's LED colour maps (hand-written, DevicePanelMaps.cpp)
        # come after the model text and go before it.
        init_body.append('g_ModelText = "KXR5810";')
        init_body.append("InitDevicePanelMaps();")
        free_body.append("FreeDevicePanelMaps();")
        free_body.append("g_ModelText = AnsiString();")
    out.append("void Init%sMibOptionLists() {" % unit)
    out += ["  " + line for line in init_body]
    out += ["}", "", "void Free%sMibOptionLists() {" % unit]
    out += ["  " + line for line in free_body]
    out += ["}", ""]
    for table, table_refs in zip(tables, refs):
        out.append("// %s" % table["key"])
        out.append("constinit const VnSNMPVarDesc %s[] = {" % table["_name"])
        for record, ref in zip(table["records"], table_refs):
            args = [c_string(record["oid"]), c_string(record["label"]),
                    SYNTAX[record["syntax"]][1], ACCESS[record["access"]][1]]
            if ref is not None:
                args.append("List(%d)" % ref)
            out.append("    MibVar(%s)," % ", ".join(args))
        out += ["    MibEnd(),", "};", ""]
    out.append("// clang-format on")
    out.append("")
    return "\n".join(out), lists


def umbrella_header(units):
    out = ["// Every unit of the MIB catalogue.",
           "// " + GENERATED,
           "// clang-format off",
           "#pragma once",
           ""]
    out += ['#include "catalogue/%s.h"' % stem for _, stem in sorted(units, key=lambda u: u[1])]
    out += ["// clang-format on", ""]
    return "\n".join(out)


def index_source(tables):
    out = ["// The catalogue's tables in data order.",
           "// " + GENERATED,
           "// clang-format off",
           '#include "catalogue/CatalogueIndex.h"',
           "",
           '#include "catalogue/MibDefs.h"',
           "",
           "const CatalogueEntry kCatalogueEntries[] = {"]
    for table in tables:
        out.append('    {%s, "%s", "%s"},' % (table["_name"], table["_name"], table["_unit"]))
    out += ["};",
            "",
            "const int kCatalogueEntryCount = %d;" % len(tables),
            "// clang-format on",
            ""]
    return "\n".join(out)


def main():
    repo = Path(__file__).resolve().parent.parent
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("data", nargs="?", help="path of mib-catalogue.json")
    parser.add_argument("--out", default=str(repo / "catalogue"), help="output folder")
    parser.add_argument("--check", action="store_true", help="compare only; exit 1 on a difference")
    parser.add_argument("--quiet", action="store_true", help="no summary")
    args = parser.parse_args()

    data = Path(args.data) if args.data else repo / "catalogue" / "mib-catalogue.json"
    if not data.is_file():
        sys.stderr.write("gen_mibdefs: catalogue data not found (%s)\n" % data)
        return 1
    with open(data, encoding="utf-8") as f:
        tables = json.load(f)

    check_data(tables)
    assign_units(tables)
    table_names(tables)

    files = OrderedDict()
    summary = []
    for unit, stem, areas, want_tables, want_records, want_lists in UNITS:
        unit_tables = [t for t in tables if t["_unit"] == unit]
        files[stem + ".h"] = unit_header(unit, stem, areas, unit_tables)
        source, lists = unit_source(unit, stem, areas, unit_tables)
        files[stem + ".cpp"] = source
        records = sum(len(t["records"]) for t in unit_tables)
        summary.append((unit, len(unit_tables), want_tables, records, want_records,
                        len(lists.lists), want_lists,
                        sum(1 for t in unit_tables for r in t["records"] if r["options"])))
    files["MibDefs.h"] = umbrella_header([(u[0], u[1]) for u in UNITS])
    files["CatalogueIndex.cpp"] = index_source(tables)

    out_dir = Path(args.out)
    changed = []
    for name, text in files.items():
        path = out_dir / name
        old = path.read_text(encoding="utf-8") if path.is_file() else None
        if old == text:
            continue
        changed.append(name)
        if not args.check:
            out_dir.mkdir(parents=True, exist_ok=True)
            with open(path, "w", encoding="utf-8", newline="\n") as f:
                f.write(text)

    if not args.quiet:
        print("%-16s %7s %9s %11s %s" % ("unit", "tables", "records", "lists", "records with lists"))
        for unit, nt, wt, nr, wr, nl, wl, no in summary:
            def cell(have, want):
                return "%d" % have if have == want else "%d (%d)" % (have, want)
            print("%-16s %7s %9s %11s %d" % (unit, cell(nt, wt), cell(nr, wr), cell(nl, wl), no))
        print("total %d tables, %d records, %d lists; (n) = the count stated for the unit" %
              (len(tables), sum(s[3] for s in summary), sum(s[5] for s in summary)))
    if args.check:
        if changed:
            sys.stderr.write("gen_mibdefs: out of date: %s\n" % ", ".join(changed))
            return 1
    elif changed and not args.quiet:
        print("wrote %s" % ", ".join(changed))
    return 0


if __name__ == "__main__":
    sys.exit(main())
