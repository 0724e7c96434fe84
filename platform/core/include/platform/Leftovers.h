// Temporary files and folders that a writer killed at work leaves behind,
// told apart from those of writers still at work: their names carry the
// writer's process id, and the writer holds a lock on them while they exist,
// so that a later writer removes only what nobody works on any more.
//
//   RemoveLeftovers(folder, "registry.ini.tmp.");  // what killed writers left
//   std::string name = folder + "/registry.ini.tmp." + WriterTag() + "XXXXXX";
//   const int fd = ::mkostemp(name.data(), O_CLOEXEC);
//   MarkInUse(fd);  // until fd is closed: keep it open until the file is gone
#pragma once

#include <string>

// The writer's part of a temporary name: its process id and a dot ("4711.").
std::string WriterTag();

// Locks the file or folder open at `fd` (an advisory lock, flock) as worked
// on. The lock holds until the last descriptor of that open file is closed.
void MarkInUse(int fd);

// Removes from `folder` ("" for the current one) each entry named `prefix`, a
// process id, a dot and more, whose process is gone and which no process
// holds locked (MarkInUse): a regular file, or a folder that only its owner
// may enter (with whatever it holds), owned by the effective user. Links,
// FIFOs and what others own stay; so does what cannot be removed.
void RemoveLeftovers(const std::string& folder, const std::string& prefix);
