// Helpers the fuzz drivers share: splitting an input into text parts and a
// private scratch folder for the inputs that must be files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vnfuzz {

inline std::string Text(const std::uint8_t* data, std::size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

// The parts of the text between separators (a text without one is one part).
std::vector<std::string> Split(std::string_view text, std::string_view separator);

// A folder of this process's own, removed when the process ends; on a memory
// file system where there is one.
const std::string& ScratchFolder();
// Writes the bytes to ScratchFolder() + name, replacing the file; returns
// the full path. Aborts when the file cannot be written.
std::string WriteScratchFile(const std::string& name, std::string_view bytes);
void RemoveScratchFile(const std::string& name);

// A broken invariant that no exception may stand for: reports and aborts,
// so that the fuzzer keeps the input.
[[noreturn]] void Broken(const std::string& what);

}  // namespace vnfuzz
