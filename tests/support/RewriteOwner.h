// The rule every writer that replaces a file whole follows for the file's
// owner, checked the same way for each of them.
#pragma once

#include <functional>
#include <string>

namespace vntest {

// Rewrites the file at `path` as the identity of the moment; true when the
// rewrite succeeded.
using Rewrite = std::function<bool(const std::string& path)>;

// Runs `rewrite` on a file named `name` (holding `text`, which the writer
// must accept) of various owners, as root and as another user, and expects
// the new file to have the old one's mode, and its owner and group as far as
// the writer may give them; a new file is the writer's own. Needs root:
// callers skip without it (MayActAsOtherUsers).
void ExpectRewritesKeepTheOwner(const std::string& name, const std::string& text,
                                const Rewrite& rewrite);

// True when the test process may act as other users.
bool MayActAsOtherUsers();

}  // namespace vntest
