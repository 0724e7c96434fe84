// What the static unicast and multicast filter forms share: their tables'
// index (VID, MAC address, receive port), the status texts, and the write of
// a new entry. Each form still writes its own layout, bindings, input checks
// and what its fields do after a write.
#pragma once

#include <memory>

class TListRows;
class TMemo;
class VnSNMPRequest2Edits;

// The receive port, third index column of both tables.
inline constexpr int kFilterReceivePortItem = 2;
inline constexpr const char* kFilterPermanent = "permanent";

// The Add of both forms: while the request is missing or busy, "Get data not
// complete" and false (nothing sent). Otherwise one SET of the entry in the
// controls, read after, with receive port 0 (a new entry has none of its
// own, not the one of the row selected last), written through the form's
// rows (TListRows::Write): true once the switch took it. A SET not sent
// becomes a memo line; one refused or timed out is the request's last status
// line; false for both, so the typed entry stays.
bool WriteNewFilterEntry(const TListRows& rows, std::unique_ptr<VnSNMPRequest2Edits>& request,
                         TMemo* memo);
