// A request's life: the defaults it starts with and its end while
// exchanges are outstanding.
#include <gtest/gtest.h>

#include <chrono>

#include "RequestTestSupport.h"
#include "library/VnErrors.h"
#include "library/VnSNMPConnection.h"
#include "platform/Clock.h"

namespace {

using namespace reqtest;

TEST(RequestDefaults, NewRequestsCopyTheDefaultsOfTheirTime) {
  PresetConnectionDefaults();
  VnSNMPRequest before;
  ConnectionDefaults.Device.Address = "192.0.2.5";
  ConnectionDefaults.Device.Port = 1161;
  ConnectionDefaults.Scope.ContextName = "ctx";
  ConnectionDefaults.Scope.ContextEngineId = "0x8000";
  ConnectionDefaults.Security.Version = 3;
  ConnectionDefaults.Security.SecurityName = "admin";
  ConnectionDefaults.Security.AuthProtocol = 3;
  g_SnmpTimeout = 250;
  VnSNMPRequest after;

  EXPECT_EQ(before.Device.Address, "127.0.0.1");
  EXPECT_EQ(before.Device.Port, 161);
  EXPECT_EQ(before.Security.Version, 0);
  EXPECT_EQ(before.Security.ReadCommunity, "qovalt");
  EXPECT_EQ(before.Security.WriteCommunity, "mundrel");
  EXPECT_EQ(before.Timeout, 100u);
  EXPECT_EQ(before.Retries, 1u);
  EXPECT_TRUE(before.Active);
  EXPECT_EQ(before.Outstanding, 0);
  EXPECT_TRUE(before.RowFilter.IsEmpty());
  EXPECT_EQ(before.VarList.Count(), 0);

  EXPECT_EQ(after.Device.Address, "192.0.2.5");
  EXPECT_EQ(after.Device.Port, 1161);
  EXPECT_EQ(after.Scope.ContextName, "ctx");
  EXPECT_EQ(after.Scope.ContextEngineId, "0x8000");
  EXPECT_EQ(after.Security.Version, 3);
  EXPECT_EQ(after.Security.SecurityName, "admin");
  EXPECT_EQ(after.Security.AuthProtocol, 3u);
  EXPECT_EQ(after.Timeout, 250u);
  EXPECT_EQ(after.Retries, 1u);
  EXPECT_TRUE(after.MatchesRowFilter());
  PresetConnectionDefaults();
}

using RequestEnd = AgentTest;

TEST_F(RequestEnd, WithNothingOutstandingReturnsAtOnce) {
  auto r = MakeRequest(kSystemGroup, VnItemType::SVT_SV, 0);
  r->SendGet(VnReadFrom::Start);
  TVirtualClock time;
  TScopedClock timeInUse(time);
  const auto t0 = time.NowMs();
  r.reset();
  EXPECT_EQ(time.NowMs(), t0);  // no message was processed (the loop would move the clock)
}

TEST_F(RequestEnd, WaitsForTheOutstandingReply) {
  auto r = MakeRequest(kSystemGroup, VnItemType::SVT_SV, 0);
  int calls = 0;
  std::string descr;
  r->SendGetAsync(
      [&](VnSNMPError& e, VnSNMPVarList& list) {
        ++calls;
        EXPECT_EQ(e.Number, VNERR_OK);
        descr = list.Item(0)->Value->str();
      },
      VnReadFrom::Start);
  auto start = std::chrono::steady_clock::now();
  r.reset();
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                  start)
                .count();
  EXPECT_EQ(calls, 1);
  EXPECT_FALSE(descr.empty());
  EXPECT_LT(ms, 2000);
}

TEST_F(RequestEnd, GivesUpAfterSixSecondsAndNoCompletionComesLater) {
  SilentPort silent;
  auto r = MakeRequest(kSystemGroup, VnItemType::SVT_SV, 0);
  r->Device.Port = static_cast<std::uint16_t>(silent.Port());
  r->Timeout = 50;  // the layer gives up after a second of real time
  bool called = false;
  r->SendGetAsync([&](VnSNMPError&, VnSNMPVarList&) { called = true; }, VnReadFrom::Start);
  {
    TVirtualClock time;
    TScopedClock timeInUse(time);
    const auto t0 = time.NowMs();
    r.reset();
    EXPECT_GE(time.NowMs() - t0, 6000u);
    EXPECT_LT(time.NowMs() - t0, 6100u);
  }
  EXPECT_FALSE(called);
  // Past the layer's own timeout: the withdrawn exchange never completes
  // (a completion would run on the freed request).
  PumpFor(1500);
  EXPECT_FALSE(called);
}

TEST_F(RequestEnd, CompletionMayDestroyItsOwnRequest) {
  auto* r = MakeRequest(kSystemGroup, VnItemType::SVT_SV, 0).release();
  SilentPort silent;
  auto* other = MakeRequest(kSystemGroup, VnItemType::SVT_SV, 0).release();
  other->Device.Port = static_cast<std::uint16_t>(silent.Port());
  other->Timeout = 50;
  bool otherCalled = false;
  bool done = false;
  r->SendGetAsync(
      [&](VnSNMPError&, VnSNMPVarList&) {
        // A request that dies in its own completion does not wait for it.
        auto start = std::chrono::steady_clock::now();
        delete r;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
        done = true;
      },
      VnReadFrom::Start);
  other->SendGetAsync([&](VnSNMPError&, VnSNMPVarList&) { otherCalled = true; }, VnReadFrom::Start);
  ASSERT_TRUE(PumpUntil([&] { return done; }, 5000));
  TVirtualClock time;
  TScopedClock timeInUse(time);
  delete other;  // still waiting on the silent port: given up and withdrawn
  PumpFor(1500);
  EXPECT_FALSE(otherCalled);
}

}  // namespace
