#include "SendTargetCache.h"

#include "library/VnSNMPRequest.h"
#include "snmp/Address.h"
#include "snmp/Target.h"
#include "snmp/Usm.h"

SendTargetCache::SendTargetCache() = default;
SendTargetCache::~SendTargetCache() = default;

bool SendTargetCache::Holds(const VnSNMPRequest& request) const {
  return target_ && literal_ && request.Device == device_ && request.Security == security_ &&
         request.Timeout == timeout_ && request.Retries == retries_ &&
         (security_.Version != version3 || usmUserChanges() == userChanges_);
}

std::shared_ptr<SnmpTarget> SendTargetCache::Get(VnSNMPRequest& request) {
  if (!Holds(request)) {
    target_.reset();
    UTarget utarget;
    CTarget ctarget;
    SnmpTarget* target = nullptr;
    request.BuildTarget(utarget, ctarget, target);
    device_ = request.Device;
    security_ = request.Security;
    timeout_ = request.Timeout;
    retries_ = request.Retries;
    literal_ = IpAddress(device_.Address.str()).valid();
    userChanges_ = usmUserChanges();
    target_ = target->take();
  }
  return target_;
}
