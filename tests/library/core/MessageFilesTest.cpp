#include <gtest/gtest.h>

#include <string>

#include "library/VnErrors.h"
#include "library/VnMessageTables.h"
#include "library/VnUtils.h"
#include "platform/Exceptions.h"
#include "support/TestSupport.h"

namespace {

// Every test leaves the process-wide tables as it found them.
class MessageFiles : public ::testing::Test {
 protected:
  void TearDown() override { RestoreBuiltInMessages(); }
  vntest::TempDir dir_;
};

TEST_F(MessageFiles, BlankLinesAreSkippedLeadingBlanksKeptCrLfCut) {
  const std::string path =
      dir_.Write("common.err", "A\r\n\r\n   \r\n\t\x01\r\n Ok!\r\nB  \r\nlast");
  VnMessageTable& table = g_MessageTables[MT_EDIT_CHECK];
  ASSERT_TRUE(LoadTextLines(table, path.c_str()));
  EXPECT_EQ(table[0], "A");
  EXPECT_EQ(table[1], " Ok!");
  EXPECT_EQ(table[2], "B  ");
  EXPECT_EQ(table[3], "last");
  // Not covered by the file: the built-in texts.
  EXPECT_EQ(table[4], " Please enter a string whose length is less than [MAXLEN]!");
  EXPECT_EQ(table[25], " Please enter a valid unicast MAC address!");
  EXPECT_EQ(table[26], "");
}

TEST_F(MessageFiles, PlainLineFeeds) {
  const std::string path = dir_.Write("snmp.msg", "A\n\n   \nB\n");
  VnMessageTable& table = g_MessageTables[MT_STATUS_FORMAT];
  ASSERT_TRUE(LoadTextLines(table, path.c_str()));
  EXPECT_EQ(table[0], "A");
  EXPECT_EQ(table[1], "B");
  EXPECT_EQ(table.Count(), 2);
}

TEST_F(MessageFiles, ShorterFileKeepsBuiltInTextsForUncoveredNumbers) {
  const std::string path = dir_.Write("vnsnmp.err", "Bien!\nLecture impossible ([FILENAME])!\n");
  ASSERT_TRUE(LoadTextLines(g_MessageTables[MT_LIBRARY], path.c_str()));
  int number = 0;
  AnsiString text;
  MapSnmpError(0, number, text);
  EXPECT_EQ(text, "Bien!");
  EXPECT_EQ(ErrorText(VNERR_READ_VARFILE), "Lecture impossible ([FILENAME])!");
  MapSnmpError(19, number, text);
  EXPECT_EQ(number, VNERR_UNKNOWN);
  EXPECT_EQ(text, "Unknown error code!");
  try {
    RaiseLibraryError(VNERR_SAVE_BOOTCOUNTER);
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message, "Error when saving SNMP engine boots counter!");
    EXPECT_EQ(e.HelpContext, VNERR_SAVE_BOOTCOUNTER);
  }
}

TEST_F(MessageFiles, LaterFileReplacesEarlierOneWhollyMissingOrBlankFileChangesNothing) {
  VnMessageTable& table = g_MessageTables[MT_SNMP_ERROR_STATUS];
  ASSERT_TRUE(LoadTextLines(table, dir_.Write("a.err", "one\ntwo\nthree\n").c_str()));
  ASSERT_TRUE(LoadTextLines(table, dir_.Write("b.err", "uno\n").c_str()));
  EXPECT_EQ(table[0], "uno");
  EXPECT_EQ(table[1], "(SNMP) Variable does not exist!");

  EXPECT_FALSE(LoadTextLines(table, dir_.File("missing.err").c_str()));
  EXPECT_FALSE(LoadTextLines(table, dir_.Write("blank.err", " \r\n\r\n\t\n").c_str()));
  EXPECT_FALSE(LoadTextLines(table, dir_.Write("empty.err", "").c_str()));
  EXPECT_FALSE(LoadTextLines(table, dir_.Path().c_str()));  // a folder
  EXPECT_EQ(table[0], "uno");
  EXPECT_EQ(table[1], "(SNMP) Variable does not exist!");

  EXPECT_FALSE(LoadTextLines(g_MessageTables[MT_SNMP_USM], dir_.File("missing.err").c_str()));
  EXPECT_FALSE(g_MessageTables[MT_SNMP_USM].IsReplaced());
  EXPECT_EQ(g_MessageTables[MT_SNMP_USM][13], "(SNMPv3USM) Address error!");
}

TEST_F(MessageFiles, LongLinesAreNeverSplit) {
  const std::string longText = " " + std::string(3000, 'x') + "!";
  const std::string path = dir_.Write("snmpclass.err", longText + "\r\nsecond\r\n");
  VnMessageTable& table = g_MessageTables[MT_SNMP_CLASS];
  ASSERT_TRUE(LoadTextLines(table, path.c_str()));
  EXPECT_EQ(table[0].str(), longText);
  EXPECT_EQ(table[1], "second");
  EXPECT_EQ(table[2], "(SNMPClass) Internal error!");
}

TEST_F(MessageFiles, ExtraLinesAreHarmless) {
  std::string content;
  for (int i = 0; i < 20; ++i) content += "line " + std::to_string(i) + "\n";
  VnMessageTable& table = g_MessageTables[MT_STATUS_FORMAT];
  ASSERT_TRUE(LoadTextLines(table, dir_.Write("snmp.msg", content).c_str()));
  EXPECT_EQ(table[1], "line 1");
  EXPECT_EQ(table[19], "line 19");
  EXPECT_EQ(table[20], "");
}

TEST_F(MessageFiles, ModuleFolderWithBackslashPaths) {
  dir_.Write("errmsg/common.err", " Bon!\r\n Mauvais operande!\r\n");
  EXPECT_STREQ(MessageFileName(MT_EDIT_CHECK), "errmsg\\common.err");
  EXPECT_STREQ(MessageFileName(MT_STATUS_FORMAT), "errmsg\\snmp.msg");
  EXPECT_STREQ(MessageFileName(MT_TABLE_COUNT), "");
  const AnsiString path = JoinPath(dir_.Path().c_str(), MessageFileName(MT_EDIT_CHECK));
  ASSERT_TRUE(LoadTextLines(g_MessageTables[MT_EDIT_CHECK], path));
  EXPECT_EQ(g_MessageTables[MT_EDIT_CHECK][1], " Mauvais operande!");
}

}  // namespace
