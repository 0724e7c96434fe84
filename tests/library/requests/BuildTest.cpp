// Targets, PDUs and row indexes as the sends build them, without an agent.
#include <gtest/gtest.h>

#include "RequestTestSupport.h"
#include "library/VnErrors.h"
#include "snmp/Pdu.h"
#include "snmp/Target.h"

namespace {

using namespace reqtest;

const VnSNMPVarDesc kRouteTable[] = {
    Desc("1.3.6.1.4.1.171.9.1.1", "Dest", SNMP_SYNTAX_IPADDRESS, SNMP_ACCESS_NOTACCESS),
    Desc("1.3.6.1.4.1.171.9.1.2", "Slot", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_NOTACCESS),
    Desc("1.3.6.1.4.1.171.9.1.3", "Metric", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_READWRITE),
    Desc("1.3.6.1.4.1.171.9.1.4", "Skipped", SNMP_SYNTAX_INTEGER,
         SNMP_ACCESS_READWRITE | SNMP_ACCESS_INVALID),
    Desc("1.3.6.1.4.1.171.9.1.5", "Counter", SNMP_SYNTAX_COUNTER, SNMP_ACCESS_READONLY),
    kEnd,
};

TEST(PduBuilding, SetOfATableRowCarriesTheRowIndexAndLeavesIndexColumnsOut) {
  auto r = MakeRequest(kRouteTable, VnItemType::MVT_FMV, 2);
  SetValue(*r, 0, "10.1.2.3");
  SetValue(*r, 1, "7");
  SetValue(*r, 2, "5");
  EXPECT_EQ(r->RowIndexText(), "10.1.2.3.7");
  Pdu pdu;
  std::vector<int> items;
  r->BuildPdu(VnSNMPRequest::PduMode::Set, pdu, &items);
  ASSERT_EQ(pdu.get_vb_count(), 1);
  EXPECT_EQ(pdu.get_vb(0).get_printable_oid(), "1.3.6.1.4.1.171.9.1.3.10.1.2.3.7");
  EXPECT_EQ(pdu.get_vb(0).get_printable_value(), "5");
  EXPECT_EQ(items, std::vector<int>{2});
}

TEST(PduBuilding, ReadsAskForReadableItemsAndStartAfresh) {
  auto r = MakeRequest(kRouteTable, VnItemType::MVT_FMV, 2);
  *r->VarList.Item(2)->LastOid = "1.3.6.1.4.1.171.9.1.3.1.1.1.1.1";
  Pdu first;
  r->BuildPdu(VnSNMPRequest::PduMode::FirstRead, first);
  ASSERT_EQ(first.get_vb_count(), 2);  // Metric and Counter
  EXPECT_EQ(first.get_vb(0).get_printable_oid(), "1.3.6.1.4.1.171.9.1.3");
  EXPECT_TRUE(r->VarList.Item(2)->LastOid->IsEmpty());
  *r->VarList.Item(2)->LastOid = "1.3.6.1.4.1.171.9.1.3.9";
  *r->VarList.Item(4)->LastOid = "1.3.6.1.4.1.171.9.1.5.9";
  Pdu next;
  r->BuildPdu(VnSNMPRequest::PduMode::WalkStep, next);
  EXPECT_EQ(next.get_vb(1).get_printable_oid(), "1.3.6.1.4.1.171.9.1.5.9");

  auto s = MakeRequest(kSystemGroup, VnItemType::SVT_SV, 0);
  s->Scope.ContextName = "bridge";
  s->Security.SecurityLevel = 3;
  Pdu scalar;
  s->BuildPdu(VnSNMPRequest::PduMode::FirstRead, scalar);
  EXPECT_EQ(scalar.get_vb(0).get_printable_oid(), "1.3.6.1.2.1.1.1.0");
  EXPECT_EQ(scalar.get_context_name().get_printable(), "bridge");
  EXPECT_EQ(scalar.get_security_level(), 3);
  s->VarList.InstanceSuffix = "4";
  Pdu suffixed;
  s->BuildPdu(VnSNMPRequest::PduMode::FirstRead, suffixed);
  EXPECT_EQ(suffixed.get_vb(0).get_printable_oid(), "1.3.6.1.2.1.1.1.4.0");
}

TEST(PduBuilding, MisuseRaisesItsNumber) {
  auto s = MakeRequest(kSystemGroup, VnItemType::SVT_SV, 0);
  Pdu pdu;
  EXPECT_EQ(RaisedNumber([&] { s->BuildPdu(VnSNMPRequest::PduMode::WalkStep, pdu); }),
            VNERR_GETNEXT_SINGLE);
  s->VarList.ItemType = static_cast<VnItemType>(7);  // no item type
  EXPECT_EQ(RaisedNumber([&] { s->BuildPdu(VnSNMPRequest::PduMode::Set, pdu); }),
            VNERR_BAD_ITEM_TYPE);
  EXPECT_EQ(RaisedNumber([&] { s->SendGet(VnReadFrom::Start); }), VNERR_BAD_ITEM_TYPE);
  s->VarList.ItemType = VnItemType::SVT_SV;
  s->Device.Address = "";
  EXPECT_EQ(RaisedNumber([&] { s->SendGet(VnReadFrom::Start); }), VNERR_BAD_ADDRESS);
}

TEST(RowIndex, DecodedIntoTheIndexItems) {
  auto r = MakeRequest(kRouteTable, VnItemType::MVT_FMV, 2);
  r->DecodeRowIndex("192.168.0.9.12");
  EXPECT_EQ(ValueOf(*r, 0), "192.168.0.9");
  EXPECT_EQ(ValueOf(*r, 1), "12");
  EXPECT_EQ(*r->VarList.Item(1)->LastOid, "1.3.6.1.4.1.171.9.1.2.192.168.0.9.12");
  EXPECT_EQ(RaisedNumber([&] { r->DecodeRowIndex("192.168.0.9"); }), VNERR_BAD_KEY_COUNT);
}

TEST(Targets, VersionChoosesTheTarget) {
  VnSNMPRequest r;
  r.Device.Address = "127.0.0.1";
  r.Device.Port = 1161;
  r.Timeout = 30;
  UTarget u;
  CTarget c;
  SnmpTarget* chosen = nullptr;
  r.BuildTarget(u, c, chosen);
  EXPECT_EQ(chosen, &c);
  EXPECT_EQ(c.get_version(), version1);
  EXPECT_EQ(c.get_timeout(), 30u);
  EXPECT_EQ(c.get_retry(), 1);
  EXPECT_EQ(c.get_udp_address().get_port(), 1161);
  EXPECT_EQ(c.get_readcommunity().get_printable(), "qovalt");
  EXPECT_EQ(c.get_writecommunity().get_printable(), "mundrel");
  UseV3(r, kMd5Des);
  r.BuildTarget(u, c, chosen);
  EXPECT_EQ(chosen, &u);
  EXPECT_EQ(u.get_version(), version3);
  EXPECT_EQ(u.get_security_name().get_printable(), "md5des");
  EXPECT_EQ(u.get_security_model(), 3);
}

TEST(Inactive, EverySendReturnsAtOnce) {
  auto r = MakeRequest(kSystemGroup, VnItemType::SVT_SV, 0);
  r->Device.Address = "";  // would raise if anything were built
  r->Active = false;
  bool called = false;
  auto done = [&](VnSNMPError&, VnSNMPVarList&) { called = true; };
  EXPECT_FALSE(r->SendGet(VnReadFrom::Start));
  EXPECT_FALSE(r->SendSet(VnSetReply::ReadBack, "", nullptr));
  EXPECT_NO_THROW(r->SendGetAsync(done, VnReadFrom::Start));
  EXPECT_NO_THROW(r->SendSetAsync(done, VnSetReply::ReadBack, "", nullptr));
  EXPECT_EQ(r->Outstanding, 0);
  EXPECT_FALSE(called);
}

}  // namespace
