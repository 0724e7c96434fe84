// The record that travels with an asynchronous exchange through the SNMP
// layer and comes back to SnmpCallbackThunk.
#pragma once

#include <cstdint>
#include <vector>

#include "library/VnSNMPError.h"
#include "library/VnSNMPRequest.h"
#include "library/VnSNMPSession.h"

struct SnmpReplyContext {
  using Handler = void (*)(VnSNMPRequest* request, int reason, Pdu& reply, SnmpTarget& target,
                           VnSNMPRequest::ReplyKind kind, const VnSNMPCompletion& completion,
                           const std::vector<int>& bindingItems,
                           VnSNMPRequest::ExchangeId exchange);

  Handler ReplyHandler = nullptr;
  VnSNMPRequest* Request = nullptr;
  VnSNMPRequest::ReplyKind Kind = VnSNMPRequest::ReplyKind::Read;
  // The exchange as the request's send named it.
  VnSNMPRequest::ExchangeId Exchange = 0;
  VnSNMPCompletion Completion;
  // The item each binding of the request was made from.
  std::vector<int> BindingItems;
};
