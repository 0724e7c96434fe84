// The asynchronous sends of one request follow every change of its settings
// between them: where they go, the version and the community or user they
// carry, how long they wait and how often they are sent again; and a version
// 3 user that another request added again with other pass phrases is added
// back as this request has it.
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "SimulatorFixture.h"
#include "library/VnErrors.h"
#include "library/VnSNMPRequest.h"

namespace {

using namespace simdesc;

class SendSettings : public SimulatorTest {
 protected:
  // One GET of the system group; the completion's record and how long the
  // exchange took.
  static VnSNMPError Exchange(VnSNMPRequest& r, double& ms) {
    bool done = false;
    VnSNMPError record;
    const auto start = std::chrono::steady_clock::now();
    r.SendGetAsync(
        [&](VnSNMPError& e, VnSNMPVarList&) {
          record = e;
          done = true;
        },
        VnReadFrom::Start);
    for (int i = 0; i < 5000 && !done; ++i) PumpFor(1);
    EXPECT_TRUE(done);
    ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    return record;
  }
  // Request-log lines with that part since the second send went out.
  int Logged(const std::string& part) const {
    const std::vector<std::string> lines = NewLogLines();
    int n = 0;
    for (std::size_t i = secondFrom_; i < lines.size(); ++i)
      if (lines[i].find(part) != std::string::npos) ++n;
    return n;
  }

  std::size_t secondFrom_ = 0;
};

void UseV3(VnSNMPRequest& r, const char* authPass) {
  r.Security.Version = 3;
  r.Security.SecurityModel = 3;
  r.Security.SecurityLevel = 3;
  r.Security.SecurityName = "md5des";
  r.Security.AuthProtocol = 2;
  r.Security.AuthPassPhrase = authPass;
  r.Security.PrivProtocol = 2;
  r.Security.PrivPassPhrase = "despassword";
}

TEST_F(SendSettings, AsynchronousSendsFollowEveryChangeOfTheSettings) {
  const std::uint16_t silent = static_cast<std::uint16_t>(vntest::FreeUdpPort());
  using Change = std::function<void(VnSNMPRequest&)>;
  const struct {
    const char* name;
    Change before;  // the settings of the first send
    Change change;  // between the first send and the second
    std::function<void(const VnSNMPError&, double ms)> check;  // of the second
  } cases[] = {
      {"read community", [](VnSNMPRequest&) {},
       [](VnSNMPRequest& r) { r.Security.ReadCommunity = "mundrel"; },
       [this](const VnSNMPError& e, double) {
         EXPECT_EQ(e.Number, VNERR_OK);
         EXPECT_EQ(Logged("\tmundrel\t"), 1);
       }},
      {"version", [](VnSNMPRequest&) {},
       [](VnSNMPRequest& r) {
         r.Security.Version = 0;
         r.Security.SecurityModel = 1;
       },
       [this](const VnSNMPError& e, double) {
         EXPECT_EQ(e.Number, VNERR_OK);
         EXPECT_EQ(Logged("v1\t"), 1);
       }},
      {"port", [](VnSNMPRequest&) {}, [silent](VnSNMPRequest& r) { r.Device.Port = silent; },
       [silent](const VnSNMPError& e, double) {
         EXPECT_EQ(e.Number, VNERR_TIMEOUT);
         EXPECT_EQ(e.Device.Port, silent);
       }},
      {"address", [](VnSNMPRequest&) {}, [](VnSNMPRequest& r) { r.Device.Address = "127.0.0.2"; },
       [](const VnSNMPError& e, double) {
         EXPECT_EQ(e.Number, VNERR_TIMEOUT);
         EXPECT_EQ(e.Device.Address, "127.0.0.2");
       }},
      {"retries", [](VnSNMPRequest&) {},
       [](VnSNMPRequest& r) {
         r.Retries = 3;
         Control("drop 4");
       },
       [this](const VnSNMPError& e, double) {
         EXPECT_EQ(e.Number, VNERR_TIMEOUT);
         EXPECT_EQ(Logged("\tdropped\t"), 4);
       }},
      {"timeout", [](VnSNMPRequest& r) { r.Retries = 0; },
       [](VnSNMPRequest& r) {
         r.Timeout = 60;
         Control("drop 1");
       },
       [](const VnSNMPError& e, double ms) {
         EXPECT_EQ(e.Number, VNERR_TIMEOUT);
         EXPECT_GE(ms, 550);
       }},
      {"own pass phrase", [](VnSNMPRequest& r) { UseV3(r, "not the password"); },
       [](VnSNMPRequest& r) { r.Security.AuthPassPhrase = "md5password"; },
       [](const VnSNMPError& e, double) { EXPECT_EQ(e.Number, VNERR_OK) << e.Text; }},
      {"user added again by another request", [](VnSNMPRequest& r) { UseV3(r, "md5password"); },
       [](VnSNMPRequest&) {
         VnSNMPRequest other;
         other.Timeout = 20;
         other.VarList = VnSNMPVarList(SystemGroup, VnItemType::SVT_SV, 0);
         UseV3(other, "not the password");
         double ms = 0;
         EXPECT_NE(Exchange(other, ms).Number, VNERR_OK);
       },
       [](const VnSNMPError& e, double) { EXPECT_EQ(e.Number, VNERR_OK) << e.Text; }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    VnSNMPRequest request;
    request.Timeout = 20;
    request.VarList = VnSNMPVarList(SystemGroup, VnItemType::SVT_SV, 0);
    c.before(request);
    double ms = 0;
    Exchange(request, ms);
    c.change(request);
    secondFrom_ = NewLogLines().size();
    const VnSNMPError second = Exchange(request, ms);
    c.check(second, ms);
  }
}

}  // namespace
