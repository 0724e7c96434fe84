// Version 3 requests to the simulated switch through a relay that loses
// datagrams: a request that goes unanswered costs that request alone, and
// no message but an engine id discovery leaves without the agent's engine id.
#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "AgentFixture.h"
#include "simulator/SimulatorHarness.h"
#include "support/UdpRelay.h"

namespace snmptest {
namespace {

constexpr const char* kLedStatus = "1.3.6.1.4.1.171.11.101.1.2.1.1.4.0";
constexpr const char* kPortErrors = "1.3.6.1.4.1.171.11.101.1.2.3.7";
constexpr const char* kUser = "lossy";
constexpr const char* kAuthPass = "lossyauthpass";
constexpr const char* kPrivPass = "lossyprivpass";
constexpr unsigned long kTimeoutCs = 20;

std::vector<std::string> DeviceArgs(const std::string& engine_id) {
  return {"--user", std::string(kUser) + ":authPriv:SHA:" + kAuthPass + ":DES:" + kPrivPass,
          "--engine-id", engine_id};
}

bool Ok(const Completion& c) { return c.reason == SNMP_CLASS_ASYNC_RESPONSE && !c.error_status; }

// The module's two requests that run at once: the front panel's LED reading
// with its 300 retries, asked again as soon as it completes, and a page's
// table walk, one GETNEXT at a time with one retry, started again from the
// top when it leaves the table or fails.
class Traffic {
 public:
  explicit Traffic(const UdpAddress& agent)
      : led_target_(Target(agent, 300)), walk_target_(Target(agent, 1)) {
    leds.on_completion = [this](Snmp* s) {
      if (running_) Read(*s);
    };
    walk.on_completion = [this](Snmp* s) {
      if (running_) Step(*s);
    };
  }

  void Start(Snmp& s) {
    running_ = true;
    Read(s);
    Step(s);
  }
  // Nothing is asked again; true once both requests have completed.
  bool Stop(Snmp& s, int limit_ms) {
    running_ = false;
    PumpUntil([&] { return s.outstanding() == 0; }, limit_ms);
    return s.outstanding() == 0;
  }
  // Both have completed well from the index-th completion of each on.
  bool AnsweredSince(std::size_t led_index, std::size_t walk_index) const {
    auto ok_since = [](const Recorder& r, std::size_t i) {
      return std::any_of(r.done.begin() + static_cast<long>(std::min(i, r.done.size())),
                         r.done.end(), Ok);
    };
    return ok_since(leds, led_index) && ok_since(walk, walk_index);
  }

  Recorder leds, walk;

 private:
  static UTarget Target(const UdpAddress& agent, int retries) {
    UTarget t(agent);
    t.set_version(version3);
    t.set_security_model(SNMP_SECURITY_MODEL_USM);
    t.set_security_name(kUser);
    t.set_timeout(kTimeoutCs);
    t.set_retry(retries);
    return t;
  }
  void Read(Snmp& s) {
    Pdu pdu = AgentTest::MakePdu({kLedStatus}, SNMP_SECURITY_LEVEL_AUTH_PRIV);
    EXPECT_EQ(s.get(pdu, led_target_, Recorder::Callback, &leds), SNMP_CLASS_SUCCESS);
  }
  void Step(Snmp& s) {
    std::string from = kPortErrors;
    if (!walk.done.empty() && Ok(walk.done.back())) {
      const std::string last = walk.done.back().pdu.get_vb(0).get_printable_oid();
      if (last.rfind(from + ".", 0) == 0) from = last;
    }
    Pdu pdu = AgentTest::MakePdu({from.c_str()}, SNMP_SECURITY_LEVEL_AUTH_PRIV);
    EXPECT_EQ(s.get_next(pdu, walk_target_, Recorder::Callback, &walk), SNMP_CLASS_SUCCESS);
  }

  UTarget led_target_, walk_target_;
  bool running_ = false;
};

enum class Disturbance { Silence, Forgotten, AnotherEngine, FactoryReset, RandomLoss };

struct LossCase {
  const char* name;
  Disturbance disturbance;
  int ms;  // how long it lasts
  // Discoveries from the start of the disturbance on, beyond one for each
  // walk step that timed out (each checks alone whether the engine id
  // changed); -1: not counted (a lost discovery is sent again, and an engine
  // id forgotten is discovered by each new request until one learns it).
  int extra_discoveries;
};

const LossCase kLossCases[] = {
    // The walk times out while the LED reading retransmits.
    {"Silence", Disturbance::Silence, 1500, 0},
    // The same, and the session forgets the engine id: the requests under
    // way keep theirs, the next ones discover it again.
    {"Forgotten", Disturbance::Forgotten, 1500, -1},
    // A switch with another engine id behind the same address: learnt once.
    {"AnotherEngine", Disturbance::AnotherEngine, 1500, 1},
    // The switch reset: the same engine id, its boots counted from 1 again.
    // It answers with time-window Reports Net-SNMP drops: one request learns
    // the boots and time again, and none times out.
    {"FactoryReset", Disturbance::FactoryReset, 1500, 1},
    {"RandomLoss", Disturbance::RandomLoss, 8000, -1},
};

void PrintTo(const LossCase& c, std::ostream* out) { *out << c.name; }

class LossyAgent : public ::testing::TestWithParam<LossCase> {};

TEST_P(LossyAgent, EachRequestKeepsTheAgentsEngineIdAndAnswersForItself) {
  const LossCase& c = GetParam();
  const char* engine = "800000ab03024b58358100";
  vntest::TempDir state;  // the device has booted 41 times
  state.Write("engine-boots", "40");
  std::vector<std::string> args = DeviceArgs(engine);
  args.insert(args.end(), {"--state-dir", state.Path()});
  simtest::Simulator device(args);
  ASSERT_TRUE(device.Running()) << device.Output();
  const bool reset = c.disturbance == Disturbance::FactoryReset;
  simtest::Simulator other(DeviceArgs(reset ? engine : "800000ab03024b58358199"));
  ASSERT_TRUE(other.Running()) << other.Output();
  vntest::UdpRelay relay(device.Port());

  UdpAddress address("127.0.0.1");
  address.set_port(static_cast<std::uint16_t>(relay.Port()));
  Traffic traffic(address);  // outlives the session, which may still call back
  int status = -99;
  Snmp session(status);
  ASSERT_EQ(status, SNMP_CLASS_SUCCESS);
  ASSERT_EQ(mpInit(session, "VnSNMP_PP_Application", 1), SNMPv3_MP_OK);
  ASSERT_EQ(
      usmAddUserName(kUser, SNMP_AUTHPROTOCOL_HMACSHA, SNMP_PRIVPROTOCOL_DES, kAuthPass, kPrivPass),
      SNMPv3_USM_OK);
  traffic.Start(session);
  ASSERT_TRUE(PumpUntil([&] { return traffic.AnsweredSince(0, 0); }));

  const std::size_t seen_before = relay.Seen().size();
  switch (c.disturbance) {
    case Disturbance::Forgotten:
      session.forget_engine_id(address);
      [[fallthrough]];
    case Disturbance::Silence:
      relay.SetDropRule([](const vntest::RelayedDatagram&) { return true; });
      break;
    case Disturbance::AnotherEngine:
    case Disturbance::FactoryReset:
      relay.SetAgentPort(other.Port());
      break;
    case Disturbance::RandomLoss:
      relay.SetDropRule([random = std::mt19937(47), loss = std::bernoulli_distribution(0.35)](
                            const vntest::RelayedDatagram&) mutable { return loss(random); });
      break;
  }
  PumpUntil([] { return false; }, c.ms);
  relay.SetDropRule(nullptr);
  const std::size_t leds_after = traffic.leds.done.size(), walk_after = traffic.walk.done.size();
  // The device answers again: both requests go on.
  EXPECT_TRUE(PumpUntil([&] { return traffic.AnsweredSince(leds_after, walk_after); }, 10000));
  EXPECT_TRUE(traffic.Stop(session, 10000)) << "a request still waits";

  const std::vector<vntest::RelayedDatagram> seen = relay.Seen();
  int with_engine = 0, without = 0, discoveries = 0;
  for (std::size_t i = 0; i < seen.size(); ++i) {
    const vntest::RelayedDatagram& d = seen[i];
    if (!d.to_agent || d.version != 3) continue;
    with_engine += !d.engine_id.empty();
    without += d.engine_id.empty() && !d.Discovery();
    discoveries += i >= seen_before && d.Discovery();
  }
  EXPECT_GT(with_engine, 0);
  EXPECT_EQ(without, 0) << "version 3 messages without the engine id that are no discovery";

  int walk_timeouts = 0;
  for (const Completion& done : traffic.leds.done) {
    EXPECT_TRUE(Ok(done)) << "LED reading: " << done.reason;
  }
  for (const Completion& done : traffic.walk.done) {
    EXPECT_TRUE(Ok(done) || done.reason == SNMP_CLASS_TIMEOUT) << "walk step: " << done.reason;
    walk_timeouts += done.reason == SNMP_CLASS_TIMEOUT;
  }
  if (c.disturbance == Disturbance::Silence || c.disturbance == Disturbance::Forgotten) {
    EXPECT_GT(walk_timeouts, 0);
  }
  if (reset) {
    EXPECT_EQ(walk_timeouts, 0);
  }
  if (c.extra_discoveries >= 0) {
    EXPECT_EQ(discoveries, walk_timeouts + c.extra_discoveries);
  }
}

INSTANTIATE_TEST_SUITE_P(Disturbances, LossyAgent, ::testing::ValuesIn(kLossCases),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace snmptest
