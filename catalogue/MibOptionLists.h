// Start-up and exit of the MIB catalogue's option lists.
//
// The catalogue's lists are not static objects: the program builds them with
// one explicit call at start-up, before the main window is created, and frees
// them with one call at exit, after the main window is gone. Nothing is built
// lazily; nothing exists before InitMibOptionLists or after
// FreeMibOptionLists.
//
// Order: the filter unit (Oid_filterunit) first, then the other units in
// this order: Auth, Equipment, Time, DoubleVlan, FileSystem, Pae,
// LinkAggregation, MldSnooping, ProtocolVlan, RadiusClient, Probe, Security,
// SingleIp, SnmpTarget, TimeRange, Usm, Vacm, Device, BridgeExt, Acl, Mba,
// Multicast. Each unit builds its lists in data order. FreeMibOptionLists
// runs the units' finalisers in exactly the reverse order, and each unit
// frees its lists in reverse order of construction.
#pragma once

// Told the unit name after each unit's initialiser (built true) or finaliser
// (built false) has run.
using MibUnitObserver = void (*)(const char* unit, bool built);

// Runs every unit's initialiser once; a second call does nothing.
void InitMibOptionLists(MibUnitObserver observer = nullptr);
// Runs every unit's finaliser once; does nothing unless initialised.
void FreeMibOptionLists(MibUnitObserver observer = nullptr);
