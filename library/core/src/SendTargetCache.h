// The target of a request's asynchronous sends, made once for the settings
// it stands for: the steps of a walk copy one target instead of building it
// from the texts (address, communities, user) for every request.
#pragma once

#include <cstdint>
#include <memory>

#include "library/VnSNMPConnection.h"

class SnmpTarget;
class VnSNMPRequest;

class SendTargetCache {
 public:
  SendTargetCache();
  ~SendTargetCache();
  SendTargetCache(const SendTargetCache&) = delete;
  SendTargetCache& operator=(const SendTargetCache&) = delete;

  // A target as the request's BuildTarget makes it from the request's
  // settings now, and raises as BuildTarget does. It is made again when a
  // setting changed, on every send to a host name (the name is looked up
  // each time), and for version 3 when the users changed since (the
  // request's user is then added again). The sends share it: nobody
  // changes it, and one made again replaces it here only.
  std::shared_ptr<SnmpTarget> Get(VnSNMPRequest& request);

 private:
  bool Holds(const VnSNMPRequest& request) const;

  std::shared_ptr<SnmpTarget> target_;
  VnSNMPDevice device_;
  VnSNMPSecurity security_;
  std::uint32_t timeout_ = 0;
  std::uint32_t retries_ = 0;
  bool literal_ = false;           // the address is a dotted quad
  std::uint64_t userChanges_ = 0;  // usmUserChanges() when it was made
};
