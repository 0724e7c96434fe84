// The seven numbered message tables of the library.
//
// Every table starts with its built-in texts; LoadTextLines may replace them
// from a message file (one text per non-blank line) so that messages can be
// changed or translated without rebuilding. A replacement that is shorter
// than the built-in table leaves the built-in text for every index it does
// not cover, so no lookup ever leaves a table.
#pragma once

#include <string>
#include <vector>

#include "platform/AnsiString.h"

// Index into g_MessageTables.
enum VnMessageTableId : int {
  MT_SNMP_ERROR_STATUS = 0,  // error status 1..18 of a reply, index status - 1
  MT_SNMPV3_MP = 1,          // message-processing results -1402..-1418, index -1402 - result
  MT_SNMP_USM = 2,           // USM results 1401..1414, index result - 1401
  MT_SNMP_CLASS = 3,         // SNMP library results -1..-23, index -result - 1
  MT_LIBRARY = 4,            // 0 for 0, else -500 - number
  MT_STATUS_FORMAT = 5,      // 0 Get, 1 Set
  MT_EDIT_CHECK = 6,         // edit-check and validator texts
  MT_TABLE_COUNT = 7
};

// Entries of MT_STATUS_FORMAT.
enum : int { MSG_STATUS_GET = 0, MSG_STATUS_SET = 1 };

// Placeholders that texts carry; the user of a text fills them in.
inline constexpr const char* PH_FILENAME = "[FILENAME]";
inline constexpr const char* PH_LINENO = "[LINENO]";
inline constexpr const char* PH_ERROR = "[ERROR]";
inline constexpr const char* PH_VARLIST = "[VARLIST]";
inline constexpr const char* PH_TIME = "[TIME]";
inline constexpr const char* PH_MAXLEN = "[MAXLEN]";
inline constexpr const char* PH_LEN = "[LEN]";
inline constexpr const char* PH_MIN = "[MIN]";
inline constexpr const char* PH_MAX = "[MAX]";
inline constexpr const char* PH_DELIMITER = "[DELIMITER]";
inline constexpr const char* PH_MAXCOUNT = "[MAXCOUNT]";
inline constexpr const char* PH_COUNT = "[COUNT]";

class VnMessageTable {
 public:
  // builtIn: static texts, never owned.
  constexpr VnMessageTable(const char* const* builtIn, int builtInCount)
      : builtIn_(builtIn), builtInCount_(builtInCount) {}
  VnMessageTable(const VnMessageTable&) = delete;
  VnMessageTable& operator=(const VnMessageTable&) = delete;

  // The text of an entry: the replacement's line when it has one, else the
  // built-in text, else "" (an index that neither covers).
  AnsiString Text(int index) const;
  AnsiString operator[](int index) const { return Text(index); }

  // Number of entries a lookup can reach.
  int Count() const;
  int BuiltInCount() const { return builtInCount_; }
  bool IsReplaced() const { return !replaced_.empty(); }

  // Replaces every earlier replacement; an empty list restores the built-in texts.
  void Replace(std::vector<std::string> lines) { replaced_ = std::move(lines); }
  void RestoreBuiltIn() { replaced_.clear(); }

 private:
  const char* const* builtIn_;
  int builtInCount_;
  std::vector<std::string> replaced_;
};

// Process-wide; indexed by VnMessageTableId.
extern VnMessageTable g_MessageTables[MT_TABLE_COUNT];

// The replacement file of a table, relative to the module folder
// ("errmsg\common.err" ...); "" for an id out of range.
const char* MessageFileName(int table);

// Replaces the texts of `table` by the non-blank lines of a message file.
// A line counts when it has anything but blanks and control characters; it
// is stored without its line end (LF or CR LF) and otherwise untrimmed. A
// missing, unreadable or blank file leaves the table as it was. The name may
// use backslashes. Returns true when the table was replaced.
bool LoadTextLines(VnMessageTable& table, const AnsiString& fileName);

// Restores every table to its built-in texts.
void RestoreBuiltInMessages();
