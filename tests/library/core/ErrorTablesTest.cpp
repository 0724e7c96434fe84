#include <gtest/gtest.h>

#include <set>
#include <string>

#include "library/VnErrors.h"
#include "library/VnMessageTables.h"
#include "platform/Exceptions.h"

namespace {

struct MapCase {
  int result;
  int number;
  const char* text;
};

// Both ends of every range, and the first result outside each.
const MapCase kBoundaries[] = {
    {0, 0, "Ok!"},
    {-1401, 0, "Ok!"},
    {1400, 0, "Ok!"},
    {1401, VNERR_USM_ERROR, "(SNMPv3USM) error!"},
    {1414, VNERR_USM_ADDRESS_ERROR, "(SNMPv3USM) Address error!"},
    {1415, VNERR_UNKNOWN, "Unknown error code!"},
    {1399, VNERR_UNKNOWN, "Unknown error code!"},
    {-1402, VNERR_MP_UNSUPPORTED_SECURITY_MODEL, "(SNMPv3) Unsupported Security Model!"},
    {-1418, VNERR_MP_REPORT_SENT, "(SNMPv3) Report sent!"},
    {-1419, VNERR_UNKNOWN, "Unknown error code!"},
    {-1400, VNERR_UNKNOWN, "Unknown error code!"},
    {1, VNERR_TOO_BIG, "(SNMP) Response PDU Too Big!"},
    {2, VNERR_NOSUCHNAME, "(SNMP) Variable does not exist!"},
    {18, VNERR_INCONSISTENT_NAME, "(SNMP) Cannot create variable, Inconsistent Name!"},
    {19, VNERR_UNKNOWN, "Unknown error code!"},
    {-1, VNERR_CLASS_ERROR, "(SNMPClass) Operation failed!"},
    {-5, VNERR_TIMEOUT, "(SNMPClass) SNMP request timed out!"},
    {-23, VNERR_CLASS_SHUTDOWN, "(SNMPClass) Blocked Mode Shutdown!"},
    {-24, VNERR_UNKNOWN, "Unknown error code!"},
};

TEST(MapSnmpError, RangeBoundaries) {
  for (const MapCase& c : kBoundaries) {
    int number = 12345;
    AnsiString text = "stale";
    MapSnmpError(c.result, number, text);
    EXPECT_EQ(number, c.number) << "result " << c.result;
    EXPECT_EQ(text, c.text) << "result " << c.result;
  }
}

TEST(MapSnmpError, EveryNumberHasItsOwnTextAndErrorTextAgrees) {
  std::set<int> numbers;
  for (int result = -1500; result <= 1500; ++result) {
    int number = 0;
    AnsiString text;
    MapSnmpError(result, number, text);
    EXPECT_FALSE(text.IsEmpty()) << result;
    EXPECT_EQ(ErrorText(number), text) << result;
    numbers.insert(number);
  }
  // 0, 18 + 17 + 14 + 23 mapped numbers and -528.
  EXPECT_EQ(numbers.size(), 1u + 18 + 17 + 14 + 23 + 1);
}

TEST(MessageTables, BuiltInSizes) {
  const int sizes[MT_TABLE_COUNT] = {18, 17, 14, 23, 31, 2, 26};
  for (int t = 0; t < MT_TABLE_COUNT; ++t) {
    EXPECT_EQ(g_MessageTables[t].BuiltInCount(), sizes[t]) << t;
    EXPECT_FALSE(g_MessageTables[t].IsReplaced()) << t;
    for (int i = 0; i < sizes[t]; ++i)
      EXPECT_FALSE(g_MessageTables[t][i].IsEmpty()) << t << "/" << i;
    EXPECT_EQ(g_MessageTables[t][sizes[t]], "") << t;
    EXPECT_EQ(g_MessageTables[t][-1], "") << t;
  }
}

TEST(MessageTables, TextsByteForByte) {
  EXPECT_EQ(g_MessageTables[MT_SNMP_CLASS][8], "(SNMPClass)Unknown error code!");
  EXPECT_EQ(g_MessageTables[MT_SNMP_CLASS][19], "(SNMP Class) Transport is not supported!");
  EXPECT_EQ(g_MessageTables[MT_SNMP_ERROR_STATUS][2], "(SNMP) Cannot modify variable: Bad Value!");
  EXPECT_EQ(g_MessageTables[MT_SNMPV3_MP][12], "(SNMPv3) USM: error!");
  EXPECT_EQ(g_MessageTables[MT_SNMP_USM][10], "(SNMPv3USM) Message not in TimeWindow!");
  EXPECT_EQ(ErrorText(VNERR_VARFILE_FORMAT),
            "Bad format at line([LINENO])in SNMP variables file([FILENAME])!");
  EXPECT_EQ(ErrorText(VNERR_GETNEXT_SINGLE),
            "Can't send get-next command for a SNMP variable list with single value!");
  EXPECT_EQ(ErrorText(VNERR_NO_OPTION_LIST),
            "No reference option list for a SNMP variable's (partial) data associating with a "
            "optional visual control!");
  EXPECT_EQ(ErrorText(VNERR_LOG_CHART_SYNTAX), "Bad syntax for the history chart of log!");
  EXPECT_EQ(ErrorText(VNERR_NOTHING_TO_SET), "No SNMP variable to set!");
  EXPECT_EQ(ErrorText(VNERR_NOT_INCREASING), "The agent's answer did not increase!");
  EXPECT_EQ(g_MessageTables[MT_STATUS_FORMAT][MSG_STATUS_GET],
            "Get: [ERROR] Request:[VARLIST]. Receive at [TIME].");
  EXPECT_EQ(g_MessageTables[MT_STATUS_FORMAT][MSG_STATUS_SET],
            "Set: [ERROR] Request:[VARLIST]. Receive at [TIME].");

  const VnMessageTable& edit = g_MessageTables[MT_EDIT_CHECK];
  for (int i = 0; i < edit.BuiltInCount(); ++i) EXPECT_EQ(edit[i][1], ' ') << i;
  EXPECT_EQ(edit[0], " Ok!");
  EXPECT_EQ(edit[10],
            " Please enter a delimited number string with delimiter '[DELIMITER]'.\n"
            "Here,the count of the number is equal to [COUNT]!");
  EXPECT_EQ(edit[14], " The source to dncrypt is not encrypted!");
  EXPECT_EQ(edit[22], " Please enter a valid multicast IPV6 address!");
  EXPECT_EQ(edit[25], " Please enter a valid unicast MAC address!");
}

TEST(ErrorText, NumbersOutsideEveryRange) {
  EXPECT_EQ(ErrorText(-119), "Unknown error code!");
  EXPECT_EQ(ErrorText(-500), "Unknown error code!");
  EXPECT_EQ(ErrorText(7), "Unknown error code!");
  EXPECT_EQ(ErrorText(VNERR_UNKNOWN), "Unknown error code!");
}

TEST(RaiseLibraryError, MessageAndHelpContext) {
  try {
    RaiseLibraryError(VNERR_CREATE_SESSION);
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message, "Cannot create the global VnSNMP++ session!");
    EXPECT_EQ(e.HelpContext, VNERR_CREATE_SESSION);
  }
}

}  // namespace
