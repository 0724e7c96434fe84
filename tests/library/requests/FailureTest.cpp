// Failures of an exchange, synchronously as exceptions and asynchronously
// in the completion record.
#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "RequestTestSupport.h"
#include "library/VnErrors.h"
#include "library/VnSNMPSession.h"
#include "snmp/Address.h"
#include "snmp/Oid.h"
#include "snmp/Pdu.h"
#include "snmp/SnmpConstants.h"
#include "snmp/Target.h"
#include "snmp/Vb.h"

namespace {

using namespace reqtest;

using ExchangeFailure = AgentTest;

// The one completion record of an asynchronous GET.
VnSNMPError AsyncGetRecord(VnSNMPRequest& r, int timeoutMs = 10000) {
  std::vector<VnSNMPError> records;
  r.SendGetAsync([&](VnSNMPError& e, VnSNMPVarList&) { records.push_back(e); }, VnReadFrom::Start);
  EXPECT_TRUE(PumpUntil([&] { return !records.empty(); }, timeoutMs));
  PumpFor(50);
  EXPECT_EQ(records.size(), 1u);
  EXPECT_EQ(r.Outstanding, 0);
  return records.empty() ? VnSNMPError{} : records[0];
}

TEST_F(ExchangeFailure, SilentPortTimesOut) {
  SilentPort silent;
  auto r = MakeRequest(kSystemGroup, VnItemType::SVT_SV, 0);
  r->Device.Port = static_cast<std::uint16_t>(silent.Port());
  r->Timeout = 20;  // 200 ms, and one retry
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(RaisedNumber([&] { r->SendGet(VnReadFrom::Start); }), VNERR_TIMEOUT);
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                  start)
                .count();
  EXPECT_GE(ms, 350);
  EXPECT_LT(ms, 3000);
  VnSNMPError e = AsyncGetRecord(*r);
  EXPECT_EQ(e.Number, VNERR_TIMEOUT);
  EXPECT_EQ(e.Text, "(SNMPClass) SNMP request timed out!");
  EXPECT_TRUE(e.Finished);
  EXPECT_EQ(e.Device.Port, silent.Port());
}

TEST_F(ExchangeFailure, WrongPassPhraseIsAnErrorBothWays) {
  auto r = MakeRequest(kSystemGroup, VnItemType::SVT_SV, 0);
  V3User wrong = kShaAuth;
  wrong.authPass = "not the pass phrase";
  UseV3(*r, wrong);
  SetValue(*r, 0, "untouched");
  int sync = RaisedNumber([&] { r->SendGet(VnReadFrom::Start); });
  EXPECT_EQ(sync, VNERR_USM_AUTHENTICATION_FAILURE);  // the agent's report: wrong digest
  VnSNMPError e = AsyncGetRecord(*r);
  EXPECT_EQ(e.Number, sync);
  EXPECT_EQ(e.Text, "(SNMPv3USM) Authentication failure!");
  EXPECT_TRUE(e.Finished);
  EXPECT_EQ(ValueOf(*r, 0), "untouched");
}

TEST_F(ExchangeFailure, UnknownUserIsAnErrorBothWays) {
  auto r = MakeRequest(kSystemGroup, VnItemType::SVT_SV, 0);
  V3User nobody = kShaAuth;
  nobody.name = "nobody";
  UseV3(*r, nobody);
  int sync = RaisedNumber([&] { r->SendGet(VnReadFrom::Start); });
  EXPECT_EQ(sync, VNERR_USM_UNKNOWN_SECURITY_NAME);
  EXPECT_EQ(AsyncGetRecord(*r).Number, sync);
}

// A version 1 agent names a scalar it lacks by noSuchName: the item is
// absent, as over version 2c, and the read no failure.
TEST_F(ExchangeFailure, MissingScalarIsAbsentUnderVersionOne) {
  static const VnSNMPVarDesc kMissing[] = {
      Desc("1.3.6.1.2.1.1.99", "Missing", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_READONLY), kEnd};
  auto r = MakeRequest(kMissing, VnItemType::SVT_SV, 0);
  UseV1(*r);
  EXPECT_FALSE(r->SendGet(VnReadFrom::Start));
  EXPECT_EQ(ValueOf(*r, 0), "(NULL)");
  SetValue(*r, 0, "old");
  VnSNMPError e = AsyncGetRecord(*r);
  EXPECT_EQ(e.Number, VNERR_OK);
  EXPECT_EQ(e.ErrorIndex, 0);
  EXPECT_EQ(ValueOf(*r, 0), "(NULL)");
}

TEST_F(ExchangeFailure, ReplacedSessionEndsOutstandingRequestsSilently) {
  SilentPort silent;
  auto r = MakeRequest(kSystemGroup, VnItemType::SVT_SV, 0);
  r->Device.Port = static_cast<std::uint16_t>(silent.Port());
  bool called = false;
  r->SendGetAsync([&](VnSNMPError&, VnSNMPVarList&) { called = true; }, VnReadFrom::Start);
  EXPECT_EQ(r->Outstanding, 1);
  InitSnmpSession(AnsiString(Folder().Path()));
  EXPECT_EQ(r->Outstanding, 0);
  PumpFor(2500);
  EXPECT_FALSE(called);
}

// The reply handler on its own: the status is what the SNMP layer reports
// for the exchange, not only the reply's error status.
// A request whose exchanges the test hands to the reply handler itself.
struct HandedRequest : VnSNMPRequest {
  using VnSNMPRequest::CountSubmission;
};

class ReplyStatus : public ::testing::Test {
 protected:
  using Kind = VnSNMPRequest::ReplyKind;
  void SetUp() override { request_.VarList = VnSNMPVarList(kSystemGroup, VnItemType::SVT_SV, 0); }
  VnSNMPError Handle(int reason, int errorStatus, Kind kind = Kind::Read) {
    Pdu reply;
    reply.set_error_status(errorStatus);
    return HandleReply(reason, reply, kind, {});
  }
  // The reply of an exchange of the kind whose bindings were made from the
  // items given.
  VnSNMPError HandleReply(int reason, Pdu& reply, Kind kind, const std::vector<int>& items) {
    CTarget target(UdpAddress("127.0.0.1/1161"));
    VnSNMPError record;
    request_.CountSubmission();
    VnSNMPRequest::ProcessReply(
        &request_, reason, reply, target, kind,
        [&](VnSNMPError& e, VnSNMPVarList&) {
          record = e;
          ++calls_;
        },
        items);
    return record;
  }
  HandedRequest request_;
  int calls_ = 0;
};

TEST_F(ReplyStatus, VersionThreeReportIsNotOk) {
  VnSNMPError e = Handle(SNMPv3_USM_AUTHENTICATION_FAILURE, 0);
  EXPECT_EQ(e.Number, VNERR_USM_AUTHENTICATION_FAILURE);
  EXPECT_EQ(e.Text, "(SNMPv3USM) Authentication failure!");
  EXPECT_TRUE(e.Finished);
  EXPECT_EQ(e.Device.Address, "127.0.0.1");
  EXPECT_EQ(e.Device.Port, 1161);
  EXPECT_EQ(request_.Outstanding, 0);
  EXPECT_EQ(Handle(SNMPv3_MP_UNKNOWN_MSGID, 0).Number, VNERR_MP_UNKNOWN_MSGID);
}

TEST_F(ReplyStatus, LocalSendFailureIsNotOk) {
  EXPECT_EQ(Handle(SNMP_CLASS_TL_FAILED, 0).Number, VNERR_CLASS_TL_FAILED);
  EXPECT_EQ(Handle(SNMP_CLASS_TIMEOUT, 0).Number, VNERR_TIMEOUT);
}

TEST_F(ReplyStatus, ResponseTakesTheReplyErrorStatus) {
  VnSNMPError e = Handle(SNMP_CLASS_ASYNC_RESPONSE, SNMP_ERROR_GENERAL_VB_ERR);
  EXPECT_EQ(e.Number, VNERR_GEN_ERR);
  EXPECT_TRUE(e.Finished);
  // A SET whose reply is not read is finished and fine.
  e = Handle(SNMP_CLASS_ASYNC_RESPONSE, 0, Kind::SetStatusOnly);
  EXPECT_EQ(e.Number, VNERR_OK);
  EXPECT_TRUE(e.Finished);
}

// A read and a SET read back take the reply's values into the items; a SET
// answered with an exception where a value was written failed there,
// whether its reply is read back or not.
TEST_F(ReplyStatus, EachKindOfExchangeTakesWhatItsReplySays) {
  constexpr int kContact = 3, kName = 4;  // kSystemGroup: sysContact, sysName
  struct Case {
    Kind kind;
    const char* nameRead;  // sysName after a reply that says "renamed"
    int exceptionNumber;   // after a reply with an exception for sysName
    int exceptionIndex;
  };
  const Case cases[] = {
      {Kind::Read, "renamed", VNERR_OK, 0},
      {Kind::SetReadBack, "renamed", VNERR_NOSUCHNAME, 2},
      {Kind::SetStatusOnly, "before", VNERR_NOSUCHNAME, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.kind));
    for (const bool exception : {false, true}) {
      SetValue(request_, kName, "before");
      Pdu reply;
      Vb contact(Oid("1.3.6.1.2.1.1.4.0"));
      contact.set_value("ops");
      Vb name(Oid("1.3.6.1.2.1.1.5.0"));
      if (exception)
        name.set_syntax(sNMP_SYNTAX_NOSUCHINSTANCE);
      else
        name.set_value("renamed");
      reply += contact;
      reply += name;
      const VnSNMPError e =
          HandleReply(SNMP_CLASS_ASYNC_RESPONSE, reply, c.kind, {kContact, kName});
      EXPECT_TRUE(e.Finished);
      if (exception) {
        EXPECT_EQ(e.Number, c.exceptionNumber);
        EXPECT_EQ(e.ErrorIndex, c.exceptionIndex);
      } else {
        EXPECT_EQ(e.Number, VNERR_OK);
        EXPECT_EQ(ValueOf(request_, kName), c.nameRead);
      }
    }
  }
  EXPECT_EQ(calls_, 6);
  EXPECT_EQ(request_.Outstanding, 0);
}

// A version 1 noSuchName that names no binding sent, or a binding that is
// not what was sent for its item (a GET's scalar, the identifier a walk
// step asked a column from), fails the read: nothing is taken.
TEST_F(ReplyStatus, NoSuchNameNamingNoItemSentFailsTheRead) {
  constexpr int kContact = 3, kName = 4;
  UseV1(request_);
  for (const VnItemType type : {VnItemType::SVT_SV, VnItemType::MVT_FMV}) {
    request_.VarList = VnSNMPVarList(kSystemGroup, type, 0);
    *request_.VarList.Item(kName)->LastOid = "1.3.6.1.2.1.1.5.0";
    for (const int index : {0, 3, 2}) {
      SCOPED_TRACE(index);
      SetValue(request_, kName, "before");
      Pdu reply;
      reply.set_error_status(SNMP_ERROR_NO_SUCH_NAME);
      reply.set_error_index(index);
      reply += Vb(Oid("1.3.6.1.2.1.1.4.0"));
      reply += Vb(Oid(index == 2 ? "1.3.6.1.2.1.1.6.0" : "1.3.6.1.2.1.1.5.0"));
      const VnSNMPError e =
          HandleReply(SNMP_CLASS_ASYNC_RESPONSE, reply, Kind::Read, {kContact, kName});
      EXPECT_EQ(e.Number, VNERR_NOSUCHNAME);
      EXPECT_TRUE(e.Finished);
      EXPECT_EQ(ValueOf(request_, kName), "before");
    }
  }
  EXPECT_EQ(calls_, 6);
}

TEST_F(ReplyStatus, SessionGoneLowersTheCountWithoutCompletion) {
  Handle(SNMP_CLASS_SESSION_DESTROYED, 0);
  EXPECT_EQ(calls_, 0);
  EXPECT_EQ(request_.Outstanding, 0);
}

TEST_F(ReplyStatus, ReplyShorterThanTheRequestIsAnErrorNotACrash) {
  Pdu reply;  // no bindings for the items that were asked for
  CTarget target(UdpAddress("127.0.0.1/161"));
  request_.CountSubmission();
  VnSNMPError record;
  VnSNMPRequest::ProcessReply(&request_, SNMP_CLASS_ASYNC_RESPONSE, reply, target,
                              Kind::SetReadBack,
                              [&](VnSNMPError& e, VnSNMPVarList&) { record = e; }, {0, 1, 2});
  EXPECT_EQ(record.Number, VNERR_CLASS_INVALID_PDU);
  EXPECT_TRUE(record.Finished);
}

}  // namespace
