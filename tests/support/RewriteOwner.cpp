#include "support/RewriteOwner.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>
#include <vector>

#include "support/EffectiveUser.h"
#include "support/TestSupport.h"

namespace vntest {

namespace {

// Ids no account of the machine needs to have.
constexpr uid_t kUser = 4242;
constexpr gid_t kUserGroup = 4242;
constexpr gid_t kSharedGroup = 4343;  // the user is a member
constexpr gid_t kOtherGroup = 4444;   // the user is not

}  // namespace

bool MayActAsOtherUsers() {
  if (::geteuid() != 0) return false;
  // Root of a user namespace may not own ids outside its map: ask a file.
  TempDir dir;
  const std::string probe = dir.Write("probe", "");
  return ::chown(probe.c_str(), kUser, kOtherGroup) == 0;
}

void ExpectRewritesKeepTheOwner(const std::string& name, const std::string& text,
                                const Rewrite& rewrite) {
  const uid_t root = ::geteuid();
  const gid_t rootGroup = ::getegid();
  struct Case {
    const char* what;
    bool exists;  // the file is there before
    uid_t uid;    // its owner, group and mode before
    gid_t gid;
    mode_t mode;
    bool asUser;  // written by kUser (groups kUserGroup, kSharedGroup) instead of root
    uid_t expectedUid;
    gid_t expectedGid;
  };
  const std::vector<Case> cases = {
      {"root rewrites a user's private file", true, kUser, kSharedGroup, 0600, false, kUser,
       kSharedGroup},
      {"root rewrites its own file of a group", true, root, kOtherGroup, 0640, false, root,
       kOtherGroup},
      {"root makes a new file", false, 0, 0, 0, false, root, rootGroup},
      {"a user rewrites root's file", true, root, rootGroup, 0666, true, kUser, kUserGroup},
      {"a user keeps a group of theirs", true, root, kSharedGroup, 0664, true, kUser, kSharedGroup},
      {"a user cannot give a group not theirs", true, root, kOtherGroup, 0666, true, kUser,
       kUserGroup},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    // A folder the user may write to, as a shared one would be.
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0777), 0);
    const std::string path = dir.File(name);
    if (c.exists) {
      dir.Write(name, text);
      ASSERT_EQ(::chown(path.c_str(), c.uid, c.gid), 0);
      ASSERT_EQ(::chmod(path.c_str(), c.mode), 0);
    }
    bool written = false;
    {
      std::optional<EffectiveUser> user;
      if (c.asUser) {
        user.emplace(kUser, kUserGroup, std::vector<gid_t>{kSharedGroup});
        ASSERT_TRUE(user->Active());
        if (::faccessat(AT_FDCWD, dir.Path().c_str(), W_OK | X_OK, AT_EACCESS) != 0) {
          // The temporary folder's parent is closed to other users.
          std::cout << "skipped: " << c.what << ": " << dir.Path() << " out of reach\n";
          continue;
        }
      }
      written = rewrite(path);
    }
    EXPECT_TRUE(written);
    struct stat st {};
    ASSERT_EQ(::lstat(path.c_str(), &st), 0);
    EXPECT_TRUE(S_ISREG(st.st_mode));
    EXPECT_EQ(st.st_uid, c.expectedUid);
    EXPECT_EQ(st.st_gid, c.expectedGid);
    if (c.exists) {
      EXPECT_EQ(st.st_mode & 07777, c.mode);
    }
    EXPECT_EQ(NamesIn(dir.Path()), std::vector<std::string>{name});
  }
}

}  // namespace vntest
