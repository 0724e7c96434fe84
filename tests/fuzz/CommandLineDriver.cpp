// The module's command line with the device's configuration file re-read
// before the arguments: the input holds the arguments one per line (the
// first three count), then a blank line, then the file's text (kept under
// every address the arguments name).
#include <set>
#include <string>
#include <vector>

#include "app/ConnectionParameters.h"
#include "fuzz/FuzzDrivers.h"
#include "fuzz/FuzzSupport.h"
#include "library/VnSNMPConnection.h"
#include "pages/DeviceAddress.h"
#include "platform/Exceptions.h"

namespace {

constexpr std::size_t kMostArguments = 3;
// The file's own reading is the config target's: here it only has to hold
// a few keys, and it is read some thirty times per argument.
constexpr std::size_t kMostFileBytes = 160;

// An address usable as a file name inside the scratch folder.
bool SafeName(const std::string& s) {
  return s.size() <= 64 && s != "." && s != ".." &&
         s.find_first_of(std::string("/\\\0", 3)) == std::string::npos;
}

}  // namespace

void vnfuzz::RunCommandLineInput(const std::uint8_t* data, std::size_t size) {
  static const VnConnectionDefaultsRecord initial = ConnectionDefaults;
  const std::string text = Text(data, size);
  const std::size_t blank = text.find("\n\n");
  const std::string argText = text.substr(0, blank);
  const std::string config =
      blank == std::string::npos ? std::string() : text.substr(blank + 2, kMostFileBytes);

  std::vector<AnsiString> args;
  std::set<std::string> names = {""};
  for (const std::string& arg : Split(argText, "\n")) {
    if (args.size() == kMostArguments) break;
    args.emplace_back(arg);
    for (std::size_t at = arg.find("/I"); at != std::string::npos; at = arg.find("/I", at + 1))
      if (SafeName(arg.substr(at + 2))) names.insert(arg.substr(at + 2));
  }
  for (const std::string& name : names) WriteScratchFile(name + ".cfg", config);

  ConnectionDefaults = initial;
  DeviceAddress = "";
  ResetConnectionFlags();
  TConnectionTexts texts;
  try {
    ApplyConnectionArguments(texts, args, ScratchFolder().c_str());
  } catch (const Exception&) {
    // A number that is none, or out of range: the class library's error.
  }
  for (const std::string& name : names) RemoveScratchFile(name + ".cfg");
  ConnectionDefaults = initial;
  DeviceAddress = "";
  ResetConnectionFlags();
}
