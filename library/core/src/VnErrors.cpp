#include "library/VnErrors.h"

#include "library/VnMessageTables.h"
#include "platform/Exceptions.h"

void MapSnmpError(int result, int& number, AnsiString& text) {
  if (result == 0 || result == -1401 || result == 1400) {
    number = VNERR_OK;
    text = g_MessageTables[MT_LIBRARY][0];
  } else if (result >= 1401 && result <= 1414) {
    number = 1100 - result;
    text = g_MessageTables[MT_SNMP_USM][result - 1401];
  } else if (result >= -1418 && result <= -1402) {
    number = result + 1201;
    text = g_MessageTables[MT_SNMPV3_MP][-1402 - result];
  } else if (result >= 1 && result <= 18) {
    number = -100 - result;
    text = g_MessageTables[MT_SNMP_ERROR_STATUS][result - 1];
  } else if (result >= -23 && result <= -1) {
    number = result - 400;
    text = g_MessageTables[MT_SNMP_CLASS][-result - 1];
  } else {
    number = VNERR_UNKNOWN;
    text = g_MessageTables[MT_LIBRARY][28];
  }
}

AnsiString ErrorText(int number) {
  if (number == VNERR_OK) return g_MessageTables[MT_LIBRARY][0];
  if (number <= VNERR_TOO_BIG && number >= VNERR_INCONSISTENT_NAME)
    return g_MessageTables[MT_SNMP_ERROR_STATUS][VNERR_TOO_BIG - number];
  if (number <= VNERR_MP_UNSUPPORTED_SECURITY_MODEL && number >= VNERR_MP_REPORT_SENT)
    return g_MessageTables[MT_SNMPV3_MP][VNERR_MP_UNSUPPORTED_SECURITY_MODEL - number];
  if (number <= VNERR_USM_ERROR && number >= VNERR_USM_ADDRESS_ERROR)
    return g_MessageTables[MT_SNMP_USM][VNERR_USM_ERROR - number];
  if (number <= VNERR_CLASS_ERROR && number >= VNERR_CLASS_SHUTDOWN)
    return g_MessageTables[MT_SNMP_CLASS][VNERR_CLASS_ERROR - number];
  if (number <= VNERR_READ_VARFILE && number >= VNERR_NOT_INCREASING)
    return g_MessageTables[MT_LIBRARY][-500 - number];
  return g_MessageTables[MT_LIBRARY][-500 - VNERR_UNKNOWN];
}

void RaiseLibraryError(int number) { throw Exception(ErrorText(number), number); }
