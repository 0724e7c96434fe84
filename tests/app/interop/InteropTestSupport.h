// The module against Debian's snmpd: one agent per test process with the
// tests' own configuration (a v2c community pair and an authPriv MD5/DES
// user), the main window started against it as the host starts it, menu
// pages opened through the menu code, and snmpwalk of the same agent as the
// reference for what they show.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "MainWindowTestSupport.h"
#include "support/Snmpd.h"

enum class Over { V1, V2c, V3 };

// What a page showed once its first read had ended.
struct PageView {
  std::vector<std::string> Columns;            // a list page's column titles
  std::vector<std::vector<std::string>> Rows;  // a list page's rows: caption, then sub-items
  std::vector<std::string> Edits;              // an editor page's edit texts, row by row
  std::string Status;                          // the page's status memo
};

// One instance of a walk: the sub-identifiers after the walked OID, and the
// value as the tool prints it with -Oq (strings without their quotes).
struct WalkLine {
  std::vector<unsigned> Suffix;
  std::string Value;
};

class TConfigForm;

class SnmpdTest : public MainWindowTest {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();

  static vntest::Snmpd& Agent() { return *agent_; }
  // Creates the main window with the command line (and for v1 and v2c the
  // device file) that reach the agent with this version.
  void StartModule(Over version);
  // Chooses the menu entry (by component name), waits for the page's read,
  // runs `whileOpen` (when given) on the open page, and closes the page.
  PageView OpenPage(const char* entryName, const std::function<void(TConfigForm*)>& whileOpen = {});
  // What the open page shows now.
  static PageView ViewOf(TConfigForm* page);
  // Lets the SNMP layer deliver what has arrived without moving the clock
  // (virtual time stays where it is) until the condition holds; false after
  // `realMs` milliseconds of real time.
  static bool PumpSnmpUntil(const std::function<bool()>& done, int realMs = 10000);
  // snmpwalk of the agent, numeric, enumerations as numbers, and any more
  // output options (-Ot: TimeTicks as their number).
  static std::vector<WalkLine> Walk(const std::string& oid, Over version,
                                    const std::vector<std::string>& options = {});
  // Runs a Net-SNMP tool (snmpset, snmpget, ...) against the agent with the
  // arguments for this version before `args`; returns its exit status.
  static int Tool(const std::string& tool, Over version, const std::vector<std::string>& args);
  // Sends one datagram to the agent, for messages it counts and drops.
  static void SendDatagram(const std::string& bytes);

 private:
  static std::unique_ptr<vntest::Snmpd> agent_;
  static std::unique_ptr<vntest::TempDir> tools_;
};

// An index part made of an OCTET STRING with its length first: its text.
std::string LengthPrefixedText(const std::vector<unsigned>& suffix, std::size_t at);
