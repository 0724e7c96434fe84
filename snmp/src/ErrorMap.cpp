#include "ErrorMap.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "snmp/SnmpConstants.h"

namespace vnsnmp {

int MapNetSnmpError(int liberr, bool v3) {
  switch (liberr) {
    case SNMPERR_SUCCESS:
      return SNMP_CLASS_SUCCESS;
    case SNMPERR_BAD_ADDRESS:
      return SNMP_CLASS_INVALID_ADDRESS;
    case SNMPERR_BAD_SESSION:
      return SNMP_CLASS_INVALID;
    case SNMPERR_TOO_LONG:
    case SNMPERR_BAD_ASN1_BUILD:
    case SNMPERR_UNKNOWN_PDU:
      return v3 ? SNMPv3_MP_BUILD_ERROR : SNMP_CLASS_INVALID_PDU;
    case SNMPERR_BAD_CONTEXT:
      return v3 ? SNMPv3_MP_BUILD_ERROR : SNMP_CLASS_ERROR;
    case SNMPERR_NO_VARS:
    case SNMPERR_NULL_PDU:
    case SNMPERR_VALUE:
    case SNMPERR_VAR_TYPE:
    case SNMPERR_RANGE:
    case SNMPERR_BAD_REPEATERS:
    case SNMPERR_BAD_REPETITIONS:
      return SNMP_CLASS_INVALID_PDU;
    case SNMPERR_NO_SOCKET:
    case SNMPERR_BAD_SENDTO:
    case SNMPERR_BAD_RECVFROM:
    case SNMPERR_TRANSPORT_NO_CONFIG:
    case SNMPERR_TRANSPORT_CONFIG_ERROR:
      return SNMP_CLASS_TL_FAILED;
    case SNMPERR_BAD_LOCPORT:
      return SNMP_CLASS_TL_IN_USE;
    case SNMPERR_V2_IN_V1:
    case SNMPERR_V1_IN_V2:
      return SNMP_CLASS_INVALID_OPERATION;
    case SNMPERR_BAD_VERSION:
      return SNMP_CLASS_INVALID_TARGET;
    case SNMPERR_TIMEOUT:
      return SNMP_CLASS_TIMEOUT;
    case SNMPERR_BAD_ENG_ID:
      return SNMPv3_MP_INVALID_ENGINEID;
    case SNMPERR_BAD_SEC_NAME:
    case SNMPERR_UNKNOWN_USER_NAME:
    case SNMPERR_USM_UNKNOWNSECURITYNAME:
      return SNMPv3_USM_UNKNOWN_SECURITY_NAME;
    case SNMPERR_BAD_SEC_LEVEL:
    case SNMPERR_UNSUPPORTED_SEC_LEVEL:
    case SNMPERR_USM_UNSUPPORTEDSECURITYLEVEL:
    case SNMPERR_NOAUTH_DESPRIV:
      return SNMPv3_USM_UNSUPPORTED_SECURITY_LEVEL;
    case SNMPERR_UNKNOWN_SEC_MODEL:
      return SNMPv3_MP_UNSUPPORTED_SECURITY_MODEL;
    case SNMPERR_INVALID_MSG:
      return SNMPv3_MP_INVALID_MESSAGE;
    case SNMPERR_UNKNOWN_ENG_ID:
    case SNMPERR_USM_UNKNOWNENGINEID:
      return SNMPv3_USM_UNKNOWN_ENGINEID;
    case SNMPERR_AUTHENTICATION_FAILURE:
      return SNMPv3_USM_AUTHENTICATION_FAILURE;
    case SNMPERR_USM_AUTHENTICATIONFAILURE:
      return SNMPv3_USM_AUTHENTICATION_ERROR;
    case SNMPERR_NOT_IN_TIME_WINDOW:
    case SNMPERR_USM_NOTINTIMEWINDOW:
      return SNMPv3_USM_NOT_IN_TIME_WINDOW;
    case SNMPERR_DECRYPTION_ERR:
    case SNMPERR_USM_DECRYPTIONERROR:
      return SNMPv3_USM_DECRYPTION_ERROR;
    case SNMPERR_SC_GENERAL_FAILURE:
    case SNMPERR_SC_NOT_CONFIGURED:
    case SNMPERR_KT_NOT_AVAILABLE:
      return SNMPv3_MP_USM_ERROR;
    case SNMPERR_UNKNOWN_REPORT:
    case SNMPERR_USM_GENERICERROR:
      return SNMPv3_USM_ERROR;
    case SNMPERR_USM_ENCRYPTIONERROR:
      return SNMPv3_USM_ENCRYPTION_ERROR;
    case SNMPERR_USM_PARSEERROR:
      return SNMPv3_USM_PARSE_ERROR;
    case SNMPERR_MAX_SUBID:
    case SNMPERR_BAD_SUBID:
    case SNMPERR_LONG_OID:
    case SNMPERR_BAD_NAME:
    case SNMPERR_UNKNOWN_OBJID:
      return SNMP_CLASS_INVALID_OID;
    case SNMPERR_MALLOC:
      return SNMP_CLASS_RESOURCE_UNAVAIL;
    default:
      return SNMP_CLASS_ERROR;
  }
}

namespace {

struct ReportOid {
  oid prefix[10];
  std::size_t len;
  int code;
};

// The counters an agent reports, each followed by ".0".
const ReportOid kReports[] = {
    {{1, 3, 6, 1, 6, 3, 15, 1, 1, 1}, 10, SNMPv3_USM_UNSUPPORTED_SECURITY_LEVEL},
    {{1, 3, 6, 1, 6, 3, 15, 1, 1, 2}, 10, SNMPv3_USM_NOT_IN_TIME_WINDOW},
    {{1, 3, 6, 1, 6, 3, 15, 1, 1, 3}, 10, SNMPv3_USM_UNKNOWN_SECURITY_NAME},
    {{1, 3, 6, 1, 6, 3, 15, 1, 1, 4}, 10, SNMPv3_USM_UNKNOWN_ENGINEID},
    {{1, 3, 6, 1, 6, 3, 15, 1, 1, 5}, 10, SNMPv3_USM_AUTHENTICATION_FAILURE},
    {{1, 3, 6, 1, 6, 3, 15, 1, 1, 6}, 10, SNMPv3_USM_DECRYPTION_ERROR},
    {{1, 3, 6, 1, 6, 3, 11, 2, 1, 1}, 10, SNMPv3_MP_UNSUPPORTED_SECURITY_MODEL},
    {{1, 3, 6, 1, 6, 3, 11, 2, 1, 2}, 10, SNMPv3_MP_INVALID_MESSAGE},
    {{1, 3, 6, 1, 6, 3, 11, 2, 1, 3}, 10, SNMPv3_MP_UNKNOWN_PDU_HANDLERS},
    {{1, 3, 6, 1, 6, 3, 12, 1, 4}, 9, SNMPv3_MP_UNAVAILABLE_CONTEXT},
    {{1, 3, 6, 1, 6, 3, 12, 1, 5}, 9, SNMPv3_MP_UNKNOWN_CONTEXT},
};

}  // namespace

int ReportCode(const netsnmp_pdu* report) {
  const netsnmp_variable_list* var = report ? report->variables : nullptr;
  if (!var || !var->name) return SNMPv3_USM_ERROR;
  for (const ReportOid& r : kReports) {
    if (var->name_length >= r.len && std::equal(r.prefix, r.prefix + r.len, var->name)) {
      return r.code;
    }
  }
  return SNMPv3_USM_ERROR;
}

bool IsUnknownEngineIdReport(int code) { return code == SNMPv3_USM_UNKNOWN_ENGINEID; }

}  // namespace vnsnmp
