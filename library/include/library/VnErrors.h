// Library error numbers: every SNMP library result and every failure of the
// library's own code is reported as one signed number with a text from the
// message tables.
//
//   0            success
//   -101..-118   SNMP error status 1..18 of a reply
//   -201..-217   SNMPv3 message-processing results -1402..-1418
//   -301..-314   USM results 1401..1414
//   -401..-423   SNMP library results -1..-23
//   -501..-527   the library's own failures
//   -528         any other SNMP library result
#pragma once

#include "platform/AnsiString.h"

enum : int {
  VNERR_OK = 0,
  VNERR_NOSUCHNAME = -102,  // error status 2: the end of a walk for version 1 agents
  VNERR_TIMEOUT = -405,     // SNMP library result -5
  VNERR_READ_VARFILE = -501,
  VNERR_VARFILE_FORMAT = -502,
  VNERR_VARFILE_ITEMTYPE = -503,
  VNERR_VARFILE_SYNTAX = -504,
  VNERR_VARFILE_ACCESS = -505,
  VNERR_CREATE_SESSION = -506,
  VNERR_LOAD_BOOTCOUNTER = -507,
  VNERR_SAVE_BOOTCOUNTER = -508,
  VNERR_BAD_ADDRESS = -509,
  VNERR_GETNEXT_SINGLE = -510,
  VNERR_BAD_SYNTAX = -511,
  VNERR_NULL_IN_EXPRESSION = -512,
  VNERR_BAD_SYNTAX_IN_EXPRESSION = -513,
  VNERR_BAD_KEY_COUNT = -514,
  VNERR_BAD_ITEM_TYPE = -515,
  VNERR_BAD_ASSOC_ITEM_TYPE = -516,
  VNERR_BAD_PART_SYNTAX = -517,
  VNERR_BAD_PART_VALUE = -518,
  VNERR_PART_INDEX_RANGE = -519,
  VNERR_NO_OPTION_LIST = -520,
  VNERR_BAD_CONTROL_TYPE = -521,
  VNERR_TOO_FEW_CONTROLS = -522,
  VNERR_NO_START_TIME = -523,
  VNERR_TOO_FEW_HISTORY_ITEMS = -524,
  VNERR_LOG_NOT_CONNECTED = -525,
  VNERR_LOG_FIELD_NOT_FOUND = -526,
  VNERR_LOG_CHART_SYNTAX = -527,
  VNERR_UNKNOWN = -528,
};

// Maps an SNMP library result to a library error number and its text from
// the current message tables.
void MapSnmpError(int result, int& number, AnsiString& text);

// The current text of any library error number; "Unknown error code!" (the
// text of -528) for a number outside the ranges above.
AnsiString ErrorText(int number);

// Raises the class library's Exception with the text of the number as its
// message and the number as its help context.
[[noreturn]] void RaiseLibraryError(int number);
