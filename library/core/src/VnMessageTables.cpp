#include "library/VnMessageTables.h"

#include <cstdio>
#include <memory>

#include "platform/Files.h"

namespace {

// Error status 1..18 of a reply.
constexpr const char* kSnmpStatusTexts[] = {
    "(SNMP) Response PDU Too Big!",
    "(SNMP) Variable does not exist!",
    "(SNMP) Cannot modify variable: Bad Value!",
    "(SNMP) Cannot modify object, Read Only!",
    "(SNMP) Cannot perform operation, General Error!",
    "(SNMP) Cannot access variable, No Access!",
    "(SNMP) Cannot create/modify variable, Wrong Type!",
    "(SNMP) Cannot create/set variable, Wrong Length!",
    "(SNMP) Cannot create/set variable, Wrong Encoding!",
    "(SNMP) Cannot create/set variable, Wrong Value!",
    "(SNMP) Cannot create variable, Creation Not Allowed!",
    "(SNMP) Cannot create/set variable, Inconsistent Value!",
    "(SNMP) Cannot create/set variable, Resource Unavailable!",
    "(SNMP) Cannot create/set variable, Commit Failed!",
    "(SNMP) Cannot create/set variable, Undo Failed!",
    "(SNMP) Cannot perform operation, Authorization Error!",
    "(SNMP) Cannot create/set variable, Not Writable!",
    "(SNMP) Cannot create variable, Inconsistent Name!",
};

// SNMPv3 message-processing results -1402..-1418.
constexpr const char* kSnmpV3Texts[] = {
    "(SNMPv3) Unsupported Security Model!",
    "(SNMPv3) Message not in Time Window!",
    "(SNMPv3) Received same Message twice!",
    "(SNMPv3) Invalid Message!",
    "(SNMPv3) Invalid EngineID!",
    "(SNMPv3) v3MP not initialized!",
    "(SNMPv3) Parse Error!",
    "(SNMPv3) Received Message with unknown MsgID!",
    "(SNMPv3) Message does not match known message!",
    "(SNMPv3) Community format error!",
    "(SNMPv3) Unknown UserName!",
    "(SNMPv3) Build error!",
    "(SNMPv3) USM: error!",
    "(SNMPv3) Unknown pdu handlers!",
    "(SNMPv3) Unavailable Context!",
    "(SNMPv3) Unknown Context!",
    "(SNMPv3) Report sent!",
};

// USM results 1401..1414.
constexpr const char* kUsmTexts[] = {
    "(SNMPv3USM) error!",
    "(SNMPv3USM) Configfile write error!",
    "(SNMPv3USM) Unsupported SecurityLevel!",
    "(SNMPv3USM) Unknown SecurityName!",
    "(SNMPv3USM) Encryption error!",
    "(SNMPv3USM) Decryption error!",
    "(SNMPv3USM) Authentication error!",
    "(SNMPv3USM) Authentication failure!",
    "(SNMPv3USM) Parse error!",
    "(SNMPv3USM) Unknown EngineID!",
    "(SNMPv3USM) Message not in TimeWindow!",
    "(SNMPv3USM) Unsupported AuthProtocol!",
    "(SNMPv3USM) Unsupported PrivProtocol!",
    "(SNMPv3USM) Address error!",
};

// SNMP library results -1..-23.
constexpr const char* kSnmpClassTexts[] = {
    "(SNMPClass) Operation failed!",
    "(SNMPClass) Resource unavailable!",
    "(SNMPClass) Internal error!",
    "(SNMPClass) Unsupported function!",
    "(SNMPClass) SNMP request timed out!",
    "(SNMPClass) Received SNMP Response!",
    "(SNMPClass) Received SNMP Notification (trap or inform)!",
    "(SNMPClass) Closing session with outstanding requests!",
    "(SNMPClass)Unknown error code!",
    "(SNMPClass) Class not valid!",
    "(SNMPClass) Invalid Pdu!",
    "(SNMPClass) Invalid Target!",
    "(SNMPClass) Invalid (null) Callback Function!",
    "(SNMPClass) Invalid Request Id!",
    "(SNMPClass) Invalid Notification Id!",
    "(SNMPClass) SNMP Operation not supported on specified Target!",
    "(SNMPClass) Invalid Object Identifier!",
    "(SNMPClass) Invalid Address!",
    "(SNMPClass) Agent indicates error in SNMP request!",
    "(SNMP Class) Transport is not supported!",
    "(SNMPClass) Transport is in use!",
    "(SNMPClass) Transport operation failed!",
    "(SNMPClass) Blocked Mode Shutdown!",
};

// The library's own numbers: 0, then -501..-530.
constexpr const char* kLibraryTexts[] = {
    "Ok!",
    "Fail to read SNMP variables from file([FILENAME])!",
    "Bad format at line([LINENO])in SNMP variables file([FILENAME])!",
    "Bad item type at line([LINENO])in SNMP variables file([FILENAME])!",
    "Bad syntax at line([LINENO])in SNMP variables file([FILENAME])!",
    "Bad access type at line([LINENO])in SNMP variables file([FILENAME])!",
    "Cannot create the global VnSNMP++ session!",
    "Error when loading SNMP engine boots counter!",
    "Error when saving SNMP engine boots counter!",
    "Invalid IP Address or DNS name!",
    "Can't send get-next command for a SNMP variable list with single value!",
    "Bad SNMP syntax!",
    "Null value in the expression!",
    "Bad SNMP syntax in the expression!",
    "Bad key count of SNMP variable list!",
    "Bad item type of SNMP variable list!",
    "Bad item type of associated SNMP variable list!",
    "Bad syntax of the associated SNMP variable's (partial) data!",
    "Bad value of the associated SNMP variable's (partial) data!",
    "Out of range for the bit(byte) index of the associated SNMP variable's (partial) data!",
    "No reference option list for a SNMP variable's (partial) data associating with a optional "
    "visual control!",
    "Bad type of the associated visual control!",
    "Count of the associated visual controls is not enough!",
    "No system start time for the time whose data source is the SNMP variable's (partial) data "
    "with syntax timeticks!",
    "Count of the value items for the chart's history data is not enough!",
    "Log database is not connected!",
    "Log database field not found!",
    "Bad syntax for the history chart of log!",
    "Unknown error code!",
    "No SNMP variable to set!",
    "The agent's answer did not increase!",
};

// Status-line formats of Get and Set.
constexpr const char* kStatusFormatTexts[] = {
    "Get: [ERROR] Request:[VARLIST]. Receive at [TIME].",
    "Set: [ERROR] Request:[VARLIST]. Receive at [TIME].",
};

// Edit checks and address validators; each begins with a blank.
constexpr const char* kEditCheckTexts[] = {
    " Ok!",
    " Bad logic operand!",
    " Bad format specifier of edit's constraint!",
    " Empty value is not allowed!",
    " Please enter a string whose length is less than [MAXLEN]!",
    " Please enter a string whose length is [LEN]!",
    " Please enter a hex string whose length is less than [MAXLEN]!",
    " Please enter a hex string whose length is [LEN]!",
    " Please enter a number between [MIN] and [MAX]!",
    " Please enter a delimited number string with delimiter '[DELIMITER]'.\nHere,the count of the "
    "number is less than [MAXCOUNT]!",
    " Please enter a delimited number string with delimiter '[DELIMITER]'.\nHere,the count of the "
    "number is equal to [COUNT]!",
    " Please enter a delimited number string with delimiter '[DELIMITER]'.\nHere,each number is "
    "between [MIN] and [MAX]!",
    " Out of range at index of array or list!",
    " Destination buffer is undersize!",
    " The source to dncrypt is not encrypted!",
    " Fail to read data from file([FILENAME])!",
    " Fail to write data to file([FILENAME])!",
    " Fail to write value in ini file([FILENAME])!",
    " Fail to read option data from file([FILENAME])!",
    " Please enter a valid IP address!",
    " Please enter a valid multicast IP address!",
    " Please enter a valid IPV6 address!",
    " Please enter a valid multicast IPV6 address!",
    " Please enter a valid MAC address!",
    " Please enter a valid multicast MAC address!",
    " Please enter a valid unicast MAC address!",
};

template <std::size_t N>
constexpr int CountOf(const char* const (&)[N]) {
  return static_cast<int>(N);
}

static_assert(CountOf(kSnmpStatusTexts) == 18);
static_assert(CountOf(kSnmpV3Texts) == 17);
static_assert(CountOf(kUsmTexts) == 14);
static_assert(CountOf(kSnmpClassTexts) == 23);
static_assert(CountOf(kLibraryTexts) == 31);
static_assert(CountOf(kStatusFormatTexts) == 2);
static_assert(CountOf(kEditCheckTexts) == 26);

constexpr const char* kMessageFiles[MT_TABLE_COUNT] = {
    "errmsg\\snmp.err",   "errmsg\\snmpv3.err", "errmsg\\snmpusm.err", "errmsg\\snmpclass.err",
    "errmsg\\vnsnmp.err", "errmsg\\snmp.msg",   "errmsg\\common.err",
};

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

// False when the file cannot be opened or read (a folder, no permission).
bool ReadWholeFile(const AnsiString& path, std::string& content) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) return false;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) content.append(buffer, n);
  return !std::ferror(file.get());
}

// True when the line has anything but blanks and control characters.
bool HasText(const std::string& line) {
  for (char c : line)
    if (static_cast<unsigned char>(c) > ' ') return true;
  return false;
}

// The line without its end: a CR just before the last character ends the
// text there (CR LF); else a last LF is cut.
std::string CutLineEnd(std::string line) {
  const std::size_t n = line.size();
  if (n >= 2 && line[n - 2] == '\r')
    line.resize(n - 2);
  else if (n >= 1 && line[n - 1] == '\n')
    line.resize(n - 1);
  return line;
}

}  // namespace

constinit VnMessageTable g_MessageTables[MT_TABLE_COUNT] = {
    {kSnmpStatusTexts, CountOf(kSnmpStatusTexts)},
    {kSnmpV3Texts, CountOf(kSnmpV3Texts)},
    {kUsmTexts, CountOf(kUsmTexts)},
    {kSnmpClassTexts, CountOf(kSnmpClassTexts)},
    {kLibraryTexts, CountOf(kLibraryTexts)},
    {kStatusFormatTexts, CountOf(kStatusFormatTexts)},
    {kEditCheckTexts, CountOf(kEditCheckTexts)},
};

AnsiString VnMessageTable::Text(int index) const {
  if (index < 0) return AnsiString();
  if (static_cast<std::size_t>(index) < replaced_.size())
    return AnsiString(replaced_[static_cast<std::size_t>(index)]);
  if (index < builtInCount_) return AnsiString(builtIn_[index]);
  return AnsiString();
}

int VnMessageTable::Count() const {
  const int replaced = static_cast<int>(replaced_.size());
  return replaced > builtInCount_ ? replaced : builtInCount_;
}

const char* MessageFileName(int table) {
  return table >= 0 && table < MT_TABLE_COUNT ? kMessageFiles[table] : "";
}

bool LoadTextLines(VnMessageTable& table, const AnsiString& fileName) {
  std::string content;
  if (!ReadWholeFile(ToSystemPath(fileName), content)) return false;

  // Whole lines, each with its LF when it has one; a line is never split.
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = content.find('\n', start);
    end = end == std::string::npos ? content.size() : end + 1;
    std::string line = content.substr(start, end - start);
    if (HasText(line)) lines.push_back(CutLineEnd(std::move(line)));
    start = end;
  }
  if (lines.empty()) return false;
  table.Replace(std::move(lines));
  return true;
}

void RestoreBuiltInMessages() {
  for (VnMessageTable& table : g_MessageTables) table.RestoreBuiltIn();
}
