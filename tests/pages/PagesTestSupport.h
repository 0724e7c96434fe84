// Shared set-up of the page tests: one application object, kit failures
// reported to the running test, the MIB catalogue built once, and for the
// pages against the device one simulator and one SNMP session per process.
// Pages are built the way the main window's menu handlers build them.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "library/VnSNMPVarDesc.h"
#include "platform/AnsiString.h"
#include "platform/Forms.h"
#include "platform/TestKit.h"
#include "simulator/SimulatorHarness.h"

class TConfigForm;
class TControl;
class TSNMPEditorPanel;
class TSNMPListViewPanel;
class TWinControl;
class VnSNMPRequest2Controls;
class VnSNMPRequest2Edits;
struct VnSNMPVarDesc;

class PagesUiTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  void SetUp() override;
  void TearDown() override;
};

// A page as a menu handler builds it: the form, its request over the table
// (item type, key count) and the page's panel.
struct Page {
  TConfigForm* Form = nullptr;
  VnSNMPRequest2Edits* Request = nullptr;
  TSNMPEditorPanel* Editor = nullptr;
  TSNMPListViewPanel* List = nullptr;
};

Page MakeEditorPage(const VnSNMPVarDesc* table, VnItemType itemType, int keyCount);
// Add and delete texts as the handlers pass them (nullptr: none).
Page MakeListPage(const VnSNMPVarDesc* table, VnItemType itemType, int keyCount, int addIndex,
                  const char* addText, int deleteIndex, const char* deleteText);

class PagesDeviceTest : public PagesUiTest {
 protected:
  static void SetUpTestSuite();
  void SetUp() override;
  void TearDown() override;

  static simtest::Simulator& Sim() { return *sim_; }
  // One control-channel command; fails the test unless it answers ok.
  static void Control(const std::string& command);
  // The simulator's value of an instance ("INTEGER:4", "noSuchInstance").
  static std::string Value(const std::string& oid);
  // Runs the message loop (real time) until the condition holds; false
  // after `ms` milliseconds.
  static bool PumpUntil(const std::function<bool()>& done, int ms = 10000);
  static bool WaitIdle(const VnSNMPRequest2Controls& request, int ms = 10000);
  // Every request sent so far has reached the simulator and is in its log:
  // two control round trips (the simulator reads its control clients before
  // its agent's socket in one turn, so the second reply comes after the
  // datagrams that were waiting with the first).
  static void SettleSwitch();
  // Runs the message loop until the SNMP session has no exchange
  // outstanding two turns in a row, then SettleSwitch; false after `ms`.
  static bool WaitQuiet(int ms = 10000);
  // Runs the message loop until every reply the simulator delayed or held
  // is sent and taken; false after `ms`.
  static bool TakeLateReplies(int ms = 10000);
  // Request-log lines since the test began; and of those the SET lines.
  std::vector<std::string> NewLog() const;
  std::vector<std::string> SetLines() const;
  // Of the request-log lines since the test began, from line `from` on, those
  // of the PDU type ("GETNEXT", "SET", "GET").
  int CountLog(const char* pdu, std::size_t from = 0) const;
  // Clicks the button twice while the agent answers slowly and returns how
  // many exchanges of the PDU type that made once the request is idle.
  int ExchangesOfTwoClicks(TControl* button, const VnSNMPRequest2Controls& request,
                           const char* pdu = "GETNEXT");
  // Clicks Refresh as soon as the memo shows the SET's "Set: Ok!" (the read
  // after the write still runs); once the request is idle, the SETs and the
  // GETNEXT exchanges since log line `mark`, as "SETs/GETNEXTs".
  std::string RefreshAfterSetOk(const class TMemo* memo, TControl* refresh,
                                const VnSNMPRequest2Controls& request, std::size_t mark);

 private:
  static std::unique_ptr<simtest::Simulator> sim_;
  static std::unique_ptr<vntest::TempDir> session_;
  std::size_t logStart_ = 0;
};

// A device test that owns the form it opens: hidden and deleted at the end
// of each test, before the device fixture's own end.
class OwnedFormTest : public PagesDeviceTest {
 protected:
  void TearDown() override {
    if (form_) form_->Hide();
    form_.reset();
    PagesDeviceTest::TearDown();
  }
  std::unique_ptr<TForm> form_;
};

// Text in the edit as the user leaves it there (not put there by the program).
void Typed(class TEdit* edit, const char* text);
// The memo's lines joined with "|".
std::string MemoText(const class TMemo* memo);
// The memo's last line (empty when it has none).
std::string LastMemoLine(const class TMemo* memo);
// The frame of a list page's Add or Edit dialog (null when none).
class TSNMPPanel* FrameOf(class TCustomForm* dialog);

// A feature form of class T made as its menu opener makes it, shown and
// active; the test deletes it.
template <class T>
T* Shown() {
  T* form = Create<T>(Application);
  TestKit::ShowAndActivate(form);
  return form;
}

// A form of a table entry as its own class.
template <class T>
T* As(TForm* form) {
  return static_cast<T*>(form);
}
