// Requests against a simulated switch that answers later than one timeout
// but sooner than two: the retry re-sends the request, and the reply to the
// first transmission completes it, for every version and both modes. And one
// that reboots between two requests.
#include <string>

#include "SimulatorFixture.h"
#include "library/VnSNMPRequest2Edits.h"
#include "platform/StdCtrls.h"

namespace {

using namespace simdesc;

// The v3 reads the switch answered, as its log (which goes on across
// reboots) shows.
std::size_t Answered(const simtest::Simulator& device) {
  const std::string log = device.Log();
  std::size_t answered = 0;
  for (std::size_t at = 0; (at = log.find("v3\tshades\t\"\"\tGET\tnoError", at)) != log.npos; ++at)
    ++answered;
  return answered;
}

class SlowAgent : public SimulatorTest {
 protected:
  // Reads sysName with a 300 ms timeout and one retry; the status line.
  std::string ReadName(std::uint8_t version, std::uint8_t asyncMode) {
    auto* memo = Add<TMemo>();
    VnSNMPRequest2Edits request(Form());
    request.Request.VarList = VnSNMPVarList(SystemGroup, VnItemType::SVT_SV, 0);
    request.Request.Timeout = 30;
    request.Request.Retries = 1;
    request.AsyncMode = asyncMode;
    if (version == 3) {
      VnSNMPSecurity& s = request.Request.Security;
      s.Version = 3;
      s.SecurityModel = 3;
      s.SecurityLevel = 3;
      s.SecurityName = "shades";
      s.AuthProtocol = 3;
      s.AuthPassPhrase = "shapassword";
      s.PrivProtocol = 2;
      s.PrivPassPhrase = "despassword";
    } else {
      request.Request.Security.Version = version;
    }
    request.SetStatusMemo(memo);
    request.Get();
    EXPECT_TRUE(WaitIdle(request));
    EXPECT_FALSE(request.Request.VarList.Item(kSysName)->Value->IsEmpty());
    return memo->Lines()->Strings(memo->Lines()->Count() - 1).str().substr(0, 9);
  }
};

TEST_F(SlowAgent, AReplyAfterTheFirstTimeoutCompletesTheRequest) {
  Control("delay 450");
  for (std::uint8_t version : {std::uint8_t{0}, std::uint8_t{1}, std::uint8_t{3}}) {
    EXPECT_EQ(ReadName(version, 1), "Get: Ok! ") << int(version);
    EXPECT_EQ(ReadName(version, 0), "Get: Ok! ") << int(version);
  }
}

// The rebooted switch counts one boot more and starts its time afresh: the
// first v3 request after it meets a time-window Report, which teaches the
// module the new boots and time, and goes through when sent again.
TEST_F(SlowAgent, V3RequestsGoThroughAgainAfterTheSwitchReboots) {
  simtest::Simulator device;
  ASSERT_TRUE(device.Running()) << device.Output();
  ConnectionDefaults.Device.Port = static_cast<std::uint16_t>(device.Port());
  EXPECT_EQ(ReadName(3, 1), "Get: Ok! ");
  ASSERT_TRUE(device.Restart()) << device.Output();
  EXPECT_EQ(device.Control("get 1.3.6.1.6.3.10.2.1.2.0"), "ok INTEGER:2");
  EXPECT_EQ(ReadName(3, 1), "Get: Ok! ");
  EXPECT_EQ(ReadName(3, 0), "Get: Ok! ");
  // Each of the three reached the switch.
  EXPECT_EQ(Answered(device), 3u) << device.Log();
}

// A factory reset keeps the engine id and counts the boots from 1 again: the
// switch's time-window Reports carry fewer boots than the module knows and
// are dropped, so the request that meets them learns the boots and time
// again, as a new session, and goes through when sent once more.
TEST_F(SlowAgent, V3RequestsGoThroughAgainAfterAFactoryReset) {
  simtest::Simulator device;
  ASSERT_TRUE(device.Running()) << device.Output();
  ConnectionDefaults.Device.Port = static_cast<std::uint16_t>(device.Port());
  // Booted 41 times (a later boot: the usual Report), then reset twice.
  const std::pair<const char*, std::uint8_t> boots[] = {{"40", 1}, {"20", 1}, {"0", 0}};
  for (const auto& [stored, asyncMode] : boots) {
    device.Stop();
    device.Dir().Write("state/engine-boots", stored);
    ASSERT_TRUE(device.Restart()) << device.Output();
    EXPECT_EQ(ReadName(3, asyncMode), "Get: Ok! ") << stored;
  }
  EXPECT_EQ(Answered(device), 3u) << device.Log();
}

}  // namespace
