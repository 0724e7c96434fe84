// A value the switch holds goes back as it was, whatever it holds: empty
// strings as empty strings, bytes that are not UTF-8 as they were beside
// what the user types, and a write with nothing to carry is never sent.
#include <functional>
#include <string>
#include <vector>

#include "SimulatorFixture.h"
#include "library/VnErrors.h"
#include "library/VnSNMPRequest2Edits.h"
#include "platform/Exceptions.h"
#include "platform/StdCtrls.h"

namespace {

constexpr VnSNMPVarDesc Var(const char* oid, std::uint32_t syntax,
                            VnOptionList* options = nullptr) {
  return {oid,     "Value", syntax, SNMP_ACCESS_READWRITE, options, nullptr, nullptr,
          nullptr, nullptr, nullptr};
}

class ValuesAsHeld : public SimulatorTest {
 protected:
  void SetUp() override {
    SimulatorTest::SetUp();
    request = std::make_unique<VnSNMPRequest2Edits>(Form());
    request->AsyncMode = false;
  }
  void TearDown() override {
    request.reset();
    SimulatorTest::TearDown();
  }
  void Use(const VnSNMPVarDesc* table) {
    request->Request.VarList = VnSNMPVarList(table, VnItemType::SVT_SV, 0);
  }
  // The one SET the step sent ("" when it sent none or several).
  std::string OnlySet(std::size_t before) const {
    const auto sets = SetLines();
    return sets.size() == before + 1 ? sets.back() : std::string();
  }
  static int ErrorOf(const std::function<void()>& f) {
    try {
      f();
    } catch (const Exception& e) {
      return e.HelpContext;
    }
    return 0;
  }

  std::unique_ptr<VnSNMPRequest2Edits> request;
};

// An empty string the switch holds goes back as the empty string, beside the
// values the user changed and when the user empties a field.
TEST_F(ValuesAsHeld, EmptyStringsGoBackAsEmptyStrings) {
  static const VnSNMPVarDesc kGuestVlan[] = {
      Var("1.3.6.1.4.1.171.12.30.1.1", SNMP_SYNTAX_DISPLAYSTR),
      Var("1.3.6.1.4.1.171.12.30.1.2", SNMP_SYNTAX_BITSTR),
      {}};
  static const VnSNMPVarDesc kMbaControl[] = {
      Var("1.3.6.1.4.1.171.12.35.1.3", SNMP_SYNTAX_DISPLAYSTR),
      Var("1.3.6.1.4.1.171.12.35.1.4", SNMP_SYNTAX_DISPLAYSTR),
      {}};
  const struct {
    const char* what;
    const VnSNMPVarDesc* table;
    std::vector<std::string> held;   // "OID TYPE VALUE" for the simulator
    std::vector<const char*> typed;  // per item; nullptr: left as shown
    std::vector<std::string> sent;
  } rows[] = {
      {"Guest VLAN, untouched",
       kGuestVlan,
       {"1.3.6.1.4.1.171.12.30.1.1.0 s \"\"", "1.3.6.1.4.1.171.12.30.1.2.0 x FF81"},
       {nullptr, nullptr},
       {"1.3.6.1.4.1.171.12.30.1.1.0=STRING:\"\"", "1.3.6.1.4.1.171.12.30.1.2.0=Hex-STRING:FF 81"}},
      {"Guest VLAN, the ports changed",
       kGuestVlan,
       {"1.3.6.1.4.1.171.12.30.1.1.0 s \"\"", "1.3.6.1.4.1.171.12.30.1.2.0 x FF81"},
       {nullptr, "8001"},
       {"1.3.6.1.4.1.171.12.30.1.1.0=STRING:\"\"", "1.3.6.1.4.1.171.12.30.1.2.0=Hex-STRING:80 01"}},
      {"Guest VLAN, the name emptied",
       kGuestVlan,
       {"1.3.6.1.4.1.171.12.30.1.1.0 s guests", "1.3.6.1.4.1.171.12.30.1.2.0 x FF81"},
       {"", nullptr},
       {"1.3.6.1.4.1.171.12.30.1.1.0=STRING:\"\"", "1.3.6.1.4.1.171.12.30.1.2.0=Hex-STRING:FF 81"}},
      {"MAC-based access, VLAN name and password empty",
       kMbaControl,
       {"1.3.6.1.4.1.171.12.35.1.3.0 s \"\"", "1.3.6.1.4.1.171.12.35.1.4.0 s \"\""},
       {nullptr, "v10"},
       {"1.3.6.1.4.1.171.12.35.1.3.0=STRING:\"\"", "1.3.6.1.4.1.171.12.35.1.4.0=STRING:\"v10\""}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    Use(row.table);
    std::vector<TEdit*> edits;
    for (std::size_t i = 0; i < row.typed.size(); ++i) {
      edits.push_back(Add<TEdit>(0, 30 * static_cast<int>(i)));
      request->BindEdits(static_cast<int>(i), "%s", edits.back());
    }
    for (const std::string& held : row.held) Control("set " + held);
    request->Get();
    for (std::size_t i = 0; i < edits.size(); ++i)
      if (row.typed[i]) edits[i]->SetText(row.typed[i]);
    const std::size_t before = SetLines().size();
    EXPECT_EQ(ErrorOf([&] { request->Set(kSetFromControls); }), 0);
    const std::string set = OnlySet(before);
    EXPECT_NE(set.find("\tnoError\t"), std::string::npos) << set;
    for (const std::string& binding : row.sent)
      EXPECT_NE(set.find(binding), std::string::npos) << binding << " in " << set;
    EXPECT_EQ(set.find("NULL"), std::string::npos) << set;
    for (std::size_t i = 0; i < edits.size(); ++i) request->Unbind(static_cast<int>(i));
  }
}

// Bytes that are not UTF-8 stay as they were where the user did not change
// them; what the user types goes out as UTF-8; the edit's limit counts the
// octets that are sent.
TEST_F(ValuesAsHeld, BytesTheUserLeftAloneGoBackAsTheyWere) {
  static const VnSNMPVarDesc kPortSecurityDelete[] = {
      Var("1.3.6.1.4.1.171.11.101.1.2.7.2.1", SNMP_SYNTAX_DISPLAYSTR), {}};
  const struct {
    const char* format;
    const char* typed;
    const char* sent;
  } rows[] = {
      {"%s{l32}", "x", "Hex-STRING:41 E9 42 78"},
      {"%s{l4}", "x", "Hex-STRING:41 E9 42 78"},
      {"%s{l4}", "xy", "Hex-STRING:41 E9 42 78"},
      {"%s{l32}", "\xC3\xA9", "Hex-STRING:41 E9 42 C3 A9"},
      {"%s{l32}", "\bB", "Hex-STRING:41 E9 42"},
      {"%s{l32}", "\b\b\b\x41\xC3\xA9\x42", "Hex-STRING:41 E9 42"},
  };
  Use(kPortSecurityDelete);
  ShowForm();
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.format << " typed " << row.typed);
    auto* edit = Add<TEdit>();
    request->BindEdits(0, row.format, edit);
    Control("set 1.3.6.1.4.1.171.11.101.1.2.7.2.1.0 x 41E942");
    request->Get();
    TestKit::PressKey(edit, VK_END);
    TestKit::TypeText(edit, row.typed);
    const std::size_t before = SetLines().size();
    EXPECT_EQ(ErrorOf([&] { request->Set(kSetFromControls); }), 0);
    const std::string set = OnlySet(before);
    const std::string sent = std::string("\t1.3.6.1.4.1.171.11.101.1.2.7.2.1.0=") + row.sent;
    EXPECT_TRUE(set.ends_with(sent)) << set;
    request->Unbind(0);
    delete edit;
  }
}

// A SET that every item is left out of carries nothing: it is not sent,
// synchronously or not, and the caller learns it as the library's failure;
// the request is ready for the next exchange.
TEST_F(ValuesAsHeld, AWriteWithNothingToCarryIsNotSent) {
  using namespace simdesc;
  for (bool async : {false, true}) {
    SCOPED_TRACE(async ? "asynchronous" : "synchronous");
    Use(SystemGroup);
    request->AsyncMode = async;
    auto* name = Add<TEdit>();
    request->BindEdits(kSysName, "%s", name);
    request->AsyncMode = false;
    request->Get();
    request->AsyncMode = async;
    for (int i = 0; i < request->Request.VarList.Count(); ++i)
      request->Request.VarList.Item(i)->Access |= SNMP_ACCESS_INVALID;
    name->SetText("changed");
    const std::size_t before = NewLogLines().size();
    AnsiString message;
    try {
      request->Set(kSetFromControls);
    } catch (const Exception& e) {
      message = e.Message;
      EXPECT_EQ(e.HelpContext, VNERR_NOTHING_TO_SET);
    }
    EXPECT_EQ(message, "No SNMP variable to set!");
    PumpFor(100);
    EXPECT_EQ(NewLogLines().size(), before);
    EXPECT_FALSE(request->Busy);
    // Directly, both ways.
    VnSNMPRequest& r = request->Request;
    EXPECT_EQ(ErrorOf([&] { r.SendSet(VnSetReply::StatusOnly, "", nullptr); }),
              VNERR_NOTHING_TO_SET);
    bool completed = false;
    EXPECT_EQ(ErrorOf([&] {
                r.SendSetAsync([&](VnSNMPError&, VnSNMPVarList&) { completed = true; },
                               VnSetReply::StatusOnly, "", nullptr);
              }),
              VNERR_NOTHING_TO_SET);
    PumpFor(100);
    EXPECT_FALSE(completed);
    EXPECT_EQ(r.Outstanding, 0);
    EXPECT_EQ(NewLogLines().size(), before);
    // The next read goes out as ever.
    for (int i = 0; i < r.VarList.Count(); ++i) r.VarList.Item(i)->Access &= ~SNMP_ACCESS_INVALID;
    request->AsyncMode = false;
    request->Get();
    EXPECT_EQ(NewLogLines().size(), before + 1);
    request->Unbind(kSysName);
  }
}

}  // namespace
