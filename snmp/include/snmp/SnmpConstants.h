// Numbers of the SNMP classes: versions, security settings, value tags and
// the result codes every call of this layer reports.
#pragma once

#include <cstddef>
#include <cstdint>

// SNMP version of a target.
enum snmp_version : int { version1 = 0, version2c = 1, version3 = 3 };

// Security models (RFC 3411).
inline constexpr int SNMP_SECURITY_MODEL_V1 = 1;
inline constexpr int SNMP_SECURITY_MODEL_V2 = 2;
inline constexpr int SNMP_SECURITY_MODEL_USM = 3;

// Security levels (RFC 3411).
inline constexpr int SNMP_SECURITY_LEVEL_NOAUTH_NOPRIV = 1;
inline constexpr int SNMP_SECURITY_LEVEL_AUTH_NOPRIV = 2;
inline constexpr int SNMP_SECURITY_LEVEL_AUTH_PRIV = 3;

// Authentication and privacy protocols.
inline constexpr int SNMP_AUTHPROTOCOL_NONE = 1;
inline constexpr int SNMP_AUTHPROTOCOL_HMACMD5 = 2;
inline constexpr int SNMP_AUTHPROTOCOL_HMACSHA = 3;
inline constexpr int SNMP_PRIVPROTOCOL_NONE = 1;
inline constexpr int SNMP_PRIVPROTOCOL_DES = 2;
inline constexpr int SNMP_PRIVPROTOCOL_IDEA = 9;  // known by number, never supported

// Value tags. Exceptions (0x80-0x82) only come in replies.
inline constexpr std::uint32_t sNMP_SYNTAX_INT32 = 0x02;
inline constexpr std::uint32_t sNMP_SYNTAX_BITS = 0x03;  // sent as an OCTET STRING
inline constexpr std::uint32_t sNMP_SYNTAX_OCTETS = 0x04;
inline constexpr std::uint32_t sNMP_SYNTAX_NULL = 0x05;
inline constexpr std::uint32_t sNMP_SYNTAX_OID = 0x06;
inline constexpr std::uint32_t sNMP_SYNTAX_IPADDR = 0x40;
inline constexpr std::uint32_t sNMP_SYNTAX_CNTR32 = 0x41;
inline constexpr std::uint32_t sNMP_SYNTAX_GAUGE32 = 0x42;
inline constexpr std::uint32_t sNMP_SYNTAX_UINT32 = 0x42;  // same tag as Gauge32
inline constexpr std::uint32_t sNMP_SYNTAX_TIMETICKS = 0x43;
inline constexpr std::uint32_t sNMP_SYNTAX_OPAQUE = 0x44;
inline constexpr std::uint32_t sNMP_SYNTAX_CNTR64 = 0x46;
inline constexpr std::uint32_t sNMP_SYNTAX_NOSUCHOBJECT = 0x80;
inline constexpr std::uint32_t sNMP_SYNTAX_NOSUCHINSTANCE = 0x81;
inline constexpr std::uint32_t sNMP_SYNTAX_ENDOFMIBVIEW = 0x82;

// PDU types.
inline constexpr unsigned short sNMP_PDU_GET = 0xA0;
inline constexpr unsigned short sNMP_PDU_GETNEXT = 0xA1;
inline constexpr unsigned short sNMP_PDU_RESPONSE = 0xA2;
inline constexpr unsigned short sNMP_PDU_SET = 0xA3;
inline constexpr unsigned short sNMP_PDU_REPORT = 0xA8;

// Results of the session, of values and of targets: 0 or a negative class code.
inline constexpr int SNMP_CLASS_SUCCESS = 0;
inline constexpr int SNMP_CLASS_ERROR = -1;
inline constexpr int SNMP_CLASS_RESOURCE_UNAVAIL = -2;
inline constexpr int SNMP_CLASS_INTERNAL_ERROR = -3;
inline constexpr int SNMP_CLASS_UNSUPPORTED = -4;
inline constexpr int SNMP_CLASS_TIMEOUT = -5;         // callback reason as well
inline constexpr int SNMP_CLASS_ASYNC_RESPONSE = -6;  // callback reason: a response arrived
inline constexpr int SNMP_CLASS_NOTIFICATION = -7;
inline constexpr int SNMP_CLASS_SESSION_DESTROYED = -8;  // callback reason: session closed
inline constexpr int SNMP_CLASS_INVALID = -10;
inline constexpr int SNMP_CLASS_INVALID_PDU = -11;
inline constexpr int SNMP_CLASS_INVALID_TARGET = -12;
inline constexpr int SNMP_CLASS_INVALID_CALLBACK = -13;
inline constexpr int SNMP_CLASS_INVALID_REQID = -14;
inline constexpr int SNMP_CLASS_INVALID_NOTIFYID = -15;
inline constexpr int SNMP_CLASS_INVALID_OPERATION = -16;
inline constexpr int SNMP_CLASS_INVALID_OID = -17;
inline constexpr int SNMP_CLASS_INVALID_ADDRESS = -18;
inline constexpr int SNMP_CLASS_ERR_STATUS_SET = -19;
inline constexpr int SNMP_CLASS_TL_UNSUPPORTED = -20;
inline constexpr int SNMP_CLASS_TL_IN_USE = -21;
inline constexpr int SNMP_CLASS_TL_FAILED = -22;
inline constexpr int SNMP_CLASS_SHUTDOWN = -23;

// Error status of a reply (1..18), passed through unchanged.
inline constexpr int SNMP_ERROR_SUCCESS = 0;
inline constexpr int SNMP_ERROR_TOO_BIG = 1;
inline constexpr int SNMP_ERROR_NO_SUCH_NAME = 2;
inline constexpr int SNMP_ERROR_BAD_VALUE = 3;
inline constexpr int SNMP_ERROR_READ_ONLY = 4;
inline constexpr int SNMP_ERROR_GENERAL_VB_ERR = 5;
inline constexpr int SNMP_ERROR_NO_ACCESS = 6;
inline constexpr int SNMP_ERROR_WRONG_TYPE = 7;
inline constexpr int SNMP_ERROR_WRONG_LENGTH = 8;
inline constexpr int SNMP_ERROR_WRONG_ENCODING = 9;
inline constexpr int SNMP_ERROR_WRONG_VALUE = 10;
inline constexpr int SNMP_ERROR_NO_CREATION = 11;
inline constexpr int SNMP_ERROR_INCONSIST_VAL = 12;
inline constexpr int SNMP_ERROR_RESOURCE_UNAVAIL = 13;
inline constexpr int SNMP_ERROR_COMITFAIL = 14;
inline constexpr int SNMP_ERROR_UNDO_FAIL = 15;
inline constexpr int SNMP_ERROR_AUTH_ERR = 16;
inline constexpr int SNMP_ERROR_NOT_WRITEABLE = 17;
inline constexpr int SNMP_ERROR_INCONSIST_NAME = 18;

// Version 3 message processing.
inline constexpr int SNMPv3_MP_OK = -1401;
inline constexpr int SNMPv3_MP_UNSUPPORTED_SECURITY_MODEL = -1402;
inline constexpr int SNMPv3_MP_NOT_IN_TIME_WINDOW = -1403;
inline constexpr int SNMPv3_MP_DOUBLED_MESSAGE = -1404;
inline constexpr int SNMPv3_MP_INVALID_MESSAGE = -1405;
inline constexpr int SNMPv3_MP_INVALID_ENGINEID = -1406;
inline constexpr int SNMPv3_MP_NOT_INITIALIZED = -1407;
inline constexpr int SNMPv3_MP_PARSE_ERROR = -1408;
inline constexpr int SNMPv3_MP_UNKNOWN_MSGID = -1409;
inline constexpr int SNMPv3_MP_MATCH_ERROR = -1410;
inline constexpr int SNMPv3_MP_COMMUNITY_ERROR = -1411;
inline constexpr int SNMPv3_MP_WRONG_USER_NAME = -1412;
inline constexpr int SNMPv3_MP_BUILD_ERROR = -1413;
inline constexpr int SNMPv3_MP_USM_ERROR = -1414;
inline constexpr int SNMPv3_MP_UNKNOWN_PDU_HANDLERS = -1415;
inline constexpr int SNMPv3_MP_UNAVAILABLE_CONTEXT = -1416;
inline constexpr int SNMPv3_MP_UNKNOWN_CONTEXT = -1417;
inline constexpr int SNMPv3_MP_REPORT_SENT = -1418;

// User-based security model.
inline constexpr int SNMPv3_USM_OK = 1400;
inline constexpr int SNMPv3_USM_ERROR = 1401;
inline constexpr int SNMPv3_USM_ERROR_CONFIGFILE = 1402;
inline constexpr int SNMPv3_USM_UNSUPPORTED_SECURITY_LEVEL = 1403;
inline constexpr int SNMPv3_USM_UNKNOWN_SECURITY_NAME = 1404;
inline constexpr int SNMPv3_USM_ENCRYPTION_ERROR = 1405;
inline constexpr int SNMPv3_USM_DECRYPTION_ERROR = 1406;
inline constexpr int SNMPv3_USM_AUTHENTICATION_ERROR = 1407;
inline constexpr int SNMPv3_USM_AUTHENTICATION_FAILURE = 1408;
inline constexpr int SNMPv3_USM_PARSE_ERROR = 1409;
inline constexpr int SNMPv3_USM_UNKNOWN_ENGINEID = 1410;
inline constexpr int SNMPv3_USM_NOT_IN_TIME_WINDOW = 1411;
inline constexpr int SNMPv3_USM_UNSUPPORTED_AUTHPROTOCOL = 1412;
inline constexpr int SNMPv3_USM_UNSUPPORTED_PRIVPROTOCOL = 1413;
inline constexpr int SNMPv3_USM_ADDRESS_ERROR = 1414;

// Engine-boots counter file (getBootCounter, saveBootCounter).
inline constexpr int SNMPv3_OK = 0;
inline constexpr int SNMPv3_NO_ENTRY_ERROR = -1;
inline constexpr int SNMPv3_FILEOPEN_ERROR = -2;
inline constexpr int SNMPv3_TOO_LONG_ERROR = -3;
inline constexpr int SNMPv3_FILE_ERROR = -4;
inline constexpr int SNMPv3_FILECREATE_ERROR = -5;
inline constexpr int SNMPv3_FILERENAME_ERROR = -6;

// Longest engine id (RFC 3411).
inline constexpr std::size_t MAXLENGTH_ENGINEID = 32;
