// The per-device configuration file through the INI reader: the profile
// function with every kind of question and buffer size, then the module's
// reading of the file into the connection settings (through the library's
// INI class).
#include <cstring>
#include <vector>

#include "app/ConnectionParameters.h"
#include "fuzz/FuzzDrivers.h"
#include "fuzz/FuzzSupport.h"
#include "library/VnSNMPConnection.h"
#include "platform/Exceptions.h"
#include "platform/IniSnapshot.h"
#include "platform/WinApi.h"

namespace {

// Asks with a buffer of `size` and checks what came back against it.
template <class Read>
void Ask(DWORD size, Read read) {
  std::vector<char> buffer(size + 1, '\x7f');  // one guard byte past the end
  const DWORD n = read(buffer.data(), size);
  if (buffer[size] != '\x7f') vnfuzz::Broken("the reader wrote past the buffer");
  if (size == 0) return;
  if (n >= size) vnfuzz::Broken("the reader reported more than the buffer holds");
  if (buffer[n] != '\0') vnfuzz::Broken("the reader's text is not terminated");
}

}  // namespace

void vnfuzz::RunConfigInput(const std::uint8_t* data, std::size_t size) {
  const std::string file =
      WriteScratchFile("device.cfg", std::string_view(reinterpret_cast<const char*>(data), size));
  // Each kind of question once, with buffers from none to roomy: the lists
  // from one reading of the file (the profile function's own code), the
  // value through the profile function, which reads the file afresh.
  const auto small = static_cast<DWORD>(size % 7);
  const TIniSnapshot snapshot(file.c_str());
  Ask(small, [&](LPSTR buffer, DWORD n) {
    return snapshot.GetString(nullptr, nullptr, "  def  ", buffer, n);
  });
  Ask(small + 1, [&](LPSTR buffer, DWORD n) {
    return snapshot.GetString(kConfigSection, nullptr, "  def  ", buffer, n);
  });
  Ask(64 - small, [&](LPSTR buffer, DWORD n) {
    return GetPrivateProfileStringA(kConfigSection, "AgentPort", "  def  ", buffer, n,
                                    file.c_str());
  });

  TConnectionTexts texts;
  const VnConnectionDefaultsRecord saved = ConnectionDefaults;
  try {
    ReadDeviceConfigFile(texts, file.c_str());
  } catch (const Exception&) {
    // A value that is no number or out of range: the class library's error.
  }
  ConnectionDefaults = saved;
  ResetConnectionFlags();
}
