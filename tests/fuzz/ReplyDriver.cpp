// Reply packets as they come off the wire: decoded by the SNMP layer's
// parser and binding reader, then handed to a request's reply handler as a
// completion would hand them. The input's length chooses the request: a
// table walk step over columns of every common syntax, a scalar group, or
// one table row.
#include <string>
#include <vector>

#include "fuzz/FuzzDrivers.h"
#include "library/VnSNMPRequest.h"
#include "snmp/Address.h"
#include "snmp/Target.h"
#include "snmp/WireDecode.h"

namespace {

constexpr const char* kBase = "1.3.6.1.4.1.171.12.1.1.";

const std::uint32_t kColumnSyntaxes[] = {
    SNMP_SYNTAX_INTEGER,  SNMP_SYNTAX_DISPLAYSTR, SNMP_SYNTAX_IPADDRESS,   SNMP_SYNTAX_MACADDRESS,
    SNMP_SYNTAX_COUNTER,  SNMP_SYNTAX_TIMETICKS,  SNMP_SYNTAX_COUNTER64,   SNMP_SYNTAX_BITSTR,
    SNMP_SYNTAX_OBJECTID, SNMP_SYNTAX_OCTETSTR,   SNMP_SYNTAX_IPV6ADDRESS, SNMP_SYNTAX_UINT16,
};

// Oids the records point at: they must outlive the lists built from them.
const std::vector<std::string>& ColumnOids() {
  static const std::vector<std::string> oids = [] {
    std::vector<std::string> out;
    for (int i = 0; i <= static_cast<int>(std::size(kColumnSyntaxes)); ++i)
      out.push_back(kBase + std::to_string(i + 1));
    return out;
  }();
  return oids;
}

// Item 0 is an integer index column (not readable in a table); then one
// column per syntax.
void FillList(VnSNMPRequest& r, VnItemType itemType) {
  const auto& oids = ColumnOids();
  std::vector<VnSNMPVarDesc> table;
  const bool keyed = itemType != VnItemType::SVT_SV;
  table.push_back({oids[0].c_str(), "Index", SNMP_SYNTAX_INTEGER,
                   keyed ? SNMP_ACCESS_NOTACCESS : SNMP_ACCESS_READONLY, nullptr, nullptr, nullptr,
                   nullptr, nullptr, nullptr});
  for (std::size_t i = 0; i < std::size(kColumnSyntaxes); ++i)
    table.push_back({oids[i + 1].c_str(), "Column", kColumnSyntaxes[i], SNMP_ACCESS_READWRITE,
                     nullptr, nullptr, nullptr, nullptr, nullptr, nullptr});
  table.push_back({});
  r.VarList = VnSNMPVarList(table.data(), itemType, keyed ? 1 : 0);
}

// A request whose exchanges the driver hands to the reply handler itself.
struct HandedRequest : VnSNMPRequest {
  using VnSNMPRequest::CountSubmission;
};

}  // namespace

void vnfuzz::RunReplyInput(const std::uint8_t* data, std::size_t size) {
  Pdu reply;
  if (DecodeWireMessage(data, size, reply) != SNMP_CLASS_SUCCESS) return;

  static const VnItemType kItemTypes[] = {VnItemType::MVT_FMV, VnItemType::SVT_SV,
                                          VnItemType::MVT_SV};
  HandedRequest request;
  FillList(request, kItemTypes[size % 3]);
  Pdu sent;
  std::vector<int> items;
  request.BuildPdu(VnSNMPRequest::PduMode::FirstRead, sent, &items);

  const int reason = reply.get_type() == sNMP_PDU_REPORT ? SNMPv3_USM_UNKNOWN_SECURITY_NAME
                                                         : SNMP_CLASS_ASYNC_RESPONSE;
  CTarget target(UdpAddress("127.0.0.1:161"));
  request.CountSubmission();
  // Replies to this request's own reads.
  constexpr auto kRead = VnSNMPRequest::ReplyKind::Read;
  VnSNMPRequest::ProcessReply(&request, reason, reply, target, kRead, VnSNMPCompletion(), items);
  // A walk step goes on from where the reply left each column.
  if (request.VarList.ItemType == VnItemType::MVT_FMV) {
    request.BuildPdu(VnSNMPRequest::PduMode::WalkStep, sent, &items);
    request.CountSubmission();
    VnSNMPRequest::ProcessReply(&request, reason, reply, target, kRead, VnSNMPCompletion(), items);
  }
}
