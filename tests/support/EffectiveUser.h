// Another user's identity for the life of an object, for tests run as root
// that check what a file keeps when a rewrite is done by root or by someone
// else.
#pragma once

#include <grp.h>
#include <sys/types.h>
#include <unistd.h>

#include <vector>

namespace vntest {

// While it lives, the process acts as user `uid` with group `gid` and the
// supplementary `groups`: files it makes are theirs, and it may do what they
// may. Only root can take another identity; Active() tells whether it did.
// The real and saved ids stay root's, so the end takes root's back.
class EffectiveUser {
 public:
  EffectiveUser(uid_t uid, gid_t gid, const std::vector<gid_t>& groups = {}) {
    if (::geteuid() != 0) return;
    const int n = ::getgroups(0, nullptr);
    if (n < 0) return;
    groups_.resize(static_cast<std::size_t>(n));
    if (::getgroups(n, groups_.data()) != n) return;
    gid_ = ::getegid();
    saved_ = true;
    active_ = ::setgroups(groups.size(), groups.data()) == 0 && ::setegid(gid) == 0 &&
              ::seteuid(uid) == 0;
  }
  ~EffectiveUser() {
    if (!saved_) return;
    // Each step undone whatever went wrong before it.
    (void)::seteuid(0);
    (void)::setegid(gid_);
    (void)::setgroups(groups_.size(), groups_.data());
  }
  EffectiveUser(const EffectiveUser&) = delete;
  EffectiveUser& operator=(const EffectiveUser&) = delete;

  bool Active() const { return active_; }

 private:
  std::vector<gid_t> groups_;
  gid_t gid_ = 0;
  bool saved_ = false;
  bool active_ = false;
};

}  // namespace vntest
