// Which files a test program flushes to disk.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace vntest {

// The files flushed with fsync since the last ForgetFlushedFiles, by the
// name each had at that moment, oldest first. A test program that calls
// these gets an fsync of its own that notes the name and then flushes as
// the system's does.
std::vector<std::string> FlushedFiles();
void ForgetFlushedFiles();

// The next fsync first runs `action`: the moment a writer's new file is
// written whole, before its rename (see InterruptedChild).
void AtNextFlush(std::function<void()> action);

}  // namespace vntest
