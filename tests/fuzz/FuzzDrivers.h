// One entry per fuzz target: each takes one input, runs it through the
// code that reads that kind of outside input, and returns. The only
// exceptions an input may cause are caught inside; a crash, a sanitizer
// report or a broken invariant (Broken) is a fault. The libFuzzer targets
// and the regression test of kept inputs share these.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vnfuzz {

// Set while kept inputs are replayed: a driver that sends only a share of
// the inputs down its costly path (for the fuzzer's speed) sends them all.
inline bool Replaying = false;

using Driver = void (*)(const std::uint8_t* data, std::size_t size);

void RunValueInput(const std::uint8_t* data, std::size_t size);
void RunConfigInput(const std::uint8_t* data, std::size_t size);
void RunMessageInput(const std::uint8_t* data, std::size_t size);
void RunRegistryInput(const std::uint8_t* data, std::size_t size);
void RunCommandLineInput(const std::uint8_t* data, std::size_t size);
void RunBootCounterInput(const std::uint8_t* data, std::size_t size);
void RunReplyInput(const std::uint8_t* data, std::size_t size);
void RunExpressionInput(const std::uint8_t* data, std::size_t size);
void RunConstraintInput(const std::uint8_t* data, std::size_t size);
void RunFixtureInput(const std::uint8_t* data, std::size_t size);
void RunControlInput(const std::uint8_t* data, std::size_t size);
void RunViewerInput(const std::uint8_t* data, std::size_t size);
void RunRegistrySaveInput(const std::uint8_t* data, std::size_t size);
void RunLedInput(const std::uint8_t* data, std::size_t size);
void RunSessionInput(const std::uint8_t* data, std::size_t size);

struct Target {
  const char* name;  // also the folder of its seeds and kept inputs
  Driver run;
};

// One entry a line, so that adding a target touches one line.
// clang-format off
inline constexpr Target kTargets[] = {
    {"value", RunValueInput},
    {"config", RunConfigInput},
    {"messages", RunMessageInput},
    {"registry", RunRegistryInput},
    {"cmdline", RunCommandLineInput},
    {"boots", RunBootCounterInput},
    {"reply", RunReplyInput},
    {"expression", RunExpressionInput},
    {"constraint", RunConstraintInput},
    {"fixture", RunFixtureInput},
    {"control", RunControlInput},
    {"viewer", RunViewerInput},
    {"regsave", RunRegistrySaveInput},
    {"leds", RunLedInput},
    {"session", RunSessionInput},
};
// clang-format on

}  // namespace vnfuzz
