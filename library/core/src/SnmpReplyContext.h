// The record that travels with an asynchronous exchange through the SNMP
// layer and comes back to SnmpCallbackThunk.
#pragma once

#include <cstdint>
#include <vector>

#include "library/VnSNMPError.h"
#include "library/VnSNMPSession.h"

class VnSNMPRequest;

struct SnmpReplyContext {
  using Handler = void (*)(VnSNMPRequest* request, int reason, Pdu& reply, SnmpTarget& target,
                           bool readReply, const VnSNMPCompletion& completion,
                           const std::vector<int>& bindingItems, std::int64_t readGeneration);

  Handler ReplyHandler = nullptr;
  VnSNMPRequest* Request = nullptr;
  // Set for GET and GETNEXT; the caller's choice for SET.
  bool ReadReply = true;
  VnSNMPCompletion Completion;
  // The item each binding of the request was made from.
  std::vector<int> BindingItems;
  // A read's generation at submission; -1 for a SET.
  std::int64_t ReadGeneration = -1;
};
