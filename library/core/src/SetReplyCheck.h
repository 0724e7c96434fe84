// What a SET reply says besides its error status: an agent may answer
// noError and put an exception (noSuchObject, noSuchInstance, endOfMibView)
// where a value was written. Such a variable was not set, so the SET as a
// whole has failed.
#pragma once

#include "snmp/Pdu.h"
#include "snmp/Vb.h"

// The position (from 1) of the first binding of the reply that holds an
// exception, or 0 when none does.
inline int FirstExceptionBinding(const Pdu& reply) {
  for (int i = 0; i < reply.get_vb_count(); ++i)
    if (reply.get_vb(i).is_exception()) return i + 1;
  return 0;
}
