// Control-channel commands, one per line, on the small device's store; the
// store and the behaviour start from the seed for every input. The hooks do
// nothing: no file is opened and nothing stops.
#include <memory>
#include <string>

#include "fuzz/FuzzDrivers.h"
#include "fuzz/FuzzSupport.h"
#include "simulator/SmallDevice.h"
#include "simulator/src/Control.h"

namespace {

struct Channel {
  simtest::SmallDevice device;
  sim::Behaviour behaviour;
  sim::ControlChannel channel{*device.store, behaviour,
                              sim::ControlHooks{[] {},
                                                [](const std::string&, std::string& error) {
                                                  error = "no log here";
                                                  return false;
                                                },
                                                [] {}, [] { return std::size_t{0}; }}};
};

}  // namespace

void vnfuzz::RunControlInput(const std::uint8_t* data, std::size_t size) {
  static Channel c;
  c.device.store->Reset();
  c.behaviour = sim::Behaviour();
  for (const std::string& line : Split(Text(data, size), "\n")) {
    const std::string reply = c.channel.Execute(line);
    if (reply.rfind("ok", 0) != 0 && reply.rfind("error", 0) != 0)
      Broken("a reply that is neither ok nor error: " + reply);
    if (reply.find('\n') != std::string::npos) Broken("a reply of more than one line");
  }
}
