// Library error numbers: every SNMP library result and every failure of the
// library's own code is reported as one signed number with a text from the
// message tables.
//
//   0            success
//   -1, -2       edit checks (texts of the edit-check table, not ErrorText's)
//   -101..-118   SNMP error status 1..18 of a reply
//   -201..-217   SNMPv3 message-processing results -1402..-1418
//   -301..-314   USM results 1401..1414
//   -401..-423   SNMP library results -1..-23
//   -501..-527   the library's own failures
//   -528         any other SNMP library result
//   -529         a SET with nothing to carry (never sent)
//   -530         a walk's answer not past what it asked from
#pragma once

#include "platform/AnsiString.h"

// Every number has one name here; forms and tests compare with the names.
enum : int {
  VNERR_OK = 0,

  // Edit-check failures carry minus the index of their edit-check text.
  VNERR_BAD_LOGIC_OPERAND = -1,    // a condition operand that is neither true nor false
  VNERR_BAD_CONSTRAINT_SPEC = -2,  // an edit constraint's format specifier

  // Error status 1..18 of a reply.
  VNERR_TOO_BIG = -101,
  VNERR_NOSUCHNAME = -102,  // the end of a walk for version 1 agents
  VNERR_BAD_VALUE = -103,
  VNERR_READ_ONLY = -104,
  VNERR_GEN_ERR = -105,
  VNERR_NO_ACCESS = -106,
  VNERR_WRONG_TYPE = -107,
  VNERR_WRONG_LENGTH = -108,
  VNERR_WRONG_ENCODING = -109,
  VNERR_WRONG_VALUE = -110,
  VNERR_NO_CREATION = -111,
  VNERR_INCONSISTENT_VALUE = -112,
  VNERR_RESOURCE_UNAVAILABLE = -113,
  VNERR_COMMIT_FAILED = -114,
  VNERR_UNDO_FAILED = -115,
  VNERR_AUTHORIZATION_ERROR = -116,
  VNERR_NOT_WRITABLE = -117,
  VNERR_INCONSISTENT_NAME = -118,

  // SNMPv3 message-processing results -1402..-1418.
  VNERR_MP_UNSUPPORTED_SECURITY_MODEL = -201,
  VNERR_MP_NOT_IN_TIME_WINDOW = -202,
  VNERR_MP_DOUBLED_MESSAGE = -203,
  VNERR_MP_INVALID_MESSAGE = -204,
  VNERR_MP_INVALID_ENGINEID = -205,
  VNERR_MP_NOT_INITIALIZED = -206,
  VNERR_MP_PARSE_ERROR = -207,
  VNERR_MP_UNKNOWN_MSGID = -208,
  VNERR_MP_MATCH_ERROR = -209,
  VNERR_MP_COMMUNITY_ERROR = -210,
  VNERR_MP_WRONG_USER_NAME = -211,
  VNERR_MP_BUILD_ERROR = -212,
  VNERR_MP_USM_ERROR = -213,
  VNERR_MP_UNKNOWN_PDU_HANDLERS = -214,
  VNERR_MP_UNAVAILABLE_CONTEXT = -215,
  VNERR_MP_UNKNOWN_CONTEXT = -216,
  VNERR_MP_REPORT_SENT = -217,

  // USM results 1401..1414.
  VNERR_USM_ERROR = -301,
  VNERR_USM_ERROR_CONFIGFILE = -302,
  VNERR_USM_UNSUPPORTED_SECURITY_LEVEL = -303,
  VNERR_USM_UNKNOWN_SECURITY_NAME = -304,
  VNERR_USM_ENCRYPTION_ERROR = -305,
  VNERR_USM_DECRYPTION_ERROR = -306,
  VNERR_USM_AUTHENTICATION_ERROR = -307,
  VNERR_USM_AUTHENTICATION_FAILURE = -308,
  VNERR_USM_PARSE_ERROR = -309,
  VNERR_USM_UNKNOWN_ENGINEID = -310,
  VNERR_USM_NOT_IN_TIME_WINDOW = -311,
  VNERR_USM_UNSUPPORTED_AUTHPROTOCOL = -312,
  VNERR_USM_UNSUPPORTED_PRIVPROTOCOL = -313,
  VNERR_USM_ADDRESS_ERROR = -314,

  // SNMP library results -1..-23.
  VNERR_CLASS_ERROR = -401,
  VNERR_CLASS_RESOURCE_UNAVAIL = -402,
  VNERR_CLASS_INTERNAL_ERROR = -403,
  VNERR_CLASS_UNSUPPORTED = -404,
  VNERR_TIMEOUT = -405,
  VNERR_CLASS_ASYNC_RESPONSE = -406,
  VNERR_CLASS_NOTIFICATION = -407,
  VNERR_CLASS_SESSION_DESTROYED = -408,
  VNERR_CLASS_UNKNOWN_ERROR = -409,  // result -9 has no meaning of its own
  VNERR_CLASS_INVALID = -410,
  VNERR_CLASS_INVALID_PDU = -411,
  VNERR_CLASS_INVALID_TARGET = -412,
  VNERR_CLASS_INVALID_CALLBACK = -413,
  VNERR_CLASS_INVALID_REQID = -414,
  VNERR_CLASS_INVALID_NOTIFYID = -415,
  VNERR_CLASS_INVALID_OPERATION = -416,
  VNERR_CLASS_INVALID_OID = -417,
  VNERR_CLASS_INVALID_ADDRESS = -418,
  VNERR_CLASS_ERR_STATUS_SET = -419,
  VNERR_CLASS_TL_UNSUPPORTED = -420,
  VNERR_CLASS_TL_IN_USE = -421,
  VNERR_CLASS_TL_FAILED = -422,
  VNERR_CLASS_SHUTDOWN = -423,

  // The library's own failures.
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
  VNERR_NOTHING_TO_SET = -529,  // every item of a SET left out: nothing is sent
  VNERR_NOT_INCREASING = -530,  // a GETNEXT answered with an identifier not past the one asked
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
