// Files written whole or not at all, through a new file beside them.
#pragma once

#include <string>

// The mode any new file of the user's gets (0666 less the umask).
unsigned NewFileMode();

// Writes `text` to `path` through a new file in the same folder, named
// `<path>.tmp.`, the writer's tag and six characters no one can foresee
// (platform/Leftovers.h), created exclusively (a link planted in the folder
// is never followed), flushed to disk and then renamed over `path`: readers,
// and a crash, see the old file or the new one, never half of one. The new
// file takes the permission bits, owner and group of the regular file it
// replaces (owner and group as far as the writer may give them: root gives
// any, a user a group of theirs; what it may not give stays its own, as in
// any new file of the writer's); with no regular file at `path` (not even
// through a link), it gets `newFileMode`. Returns 0, or the errno of the
// step that failed (a file-size limit included), with nothing left beside
// `path`. New files that writers killed before their rename left beside
// `path` go first.
int ReplaceFileWhole(const std::string& path, const std::string& text,
                     unsigned newFileMode = NewFileMode());
