// Decoding of one received message on its own, through the same parser and
// the same binding reader that a session uses for the replies it receives.
// Tests and the fuzz targets feed it bytes as they would arrive on the wire.
#pragma once

#include <cstddef>
#include <cstdint>

#include "snmp/Pdu.h"

// Parses a message of any version into `reply`: its bindings, type, error
// status and error index. SNMP_CLASS_SUCCESS when the message parsed; else
// SNMP_CLASS_INVALID_PDU and `reply` is left empty. A version 3 message is
// decoded only as far as the local engine's security allows (its scoped
// part is read when it is not encrypted).
int DecodeWireMessage(const std::uint8_t* data, std::size_t size, Pdu& reply);
