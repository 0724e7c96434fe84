// The registry text file: the module's own questions (help path, folder of
// the configuration files) on the text, a value written and read back, and
// the file store reading the same text from disk.
#include "app/ConnectionParameters.h"
#include "fuzz/FuzzDrivers.h"
#include "fuzz/FuzzSupport.h"
#include "platform/Registry.h"
#include "platform/RegistryStore.h"

namespace {

const char kExePath[] = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Vantrel\\Kelvane5.1\\ExePath";

// Writes name = value and checks that exactly that value reads back.
void RoundTrip(TRegistryStore& store, const AnsiString& name, const AnsiString& value) {
  try {
    store.WriteValue(kExePath, name, value);
  } catch (const ERegistryException&) {
    return;  // a name or value the text form cannot hold
  }
  AnsiString back;
  if (!store.ReadValue(kExePath, name, back)) vnfuzz::Broken("a written value is gone");
  if (back != value)
    vnfuzz::Broken("wrote \"" + value.str() + "\", read back \"" + back.str() + "\"");
}

}  // namespace

void vnfuzz::RunRegistryInput(const std::uint8_t* data, std::size_t size) {
  const std::string text = Text(data, size);
  {
    TMemoryRegistryStore store{AnsiString(text)};
    TRegistryStoreOverride installed(store);
    bool opened = false;
    ModuleFolderOf(ReadHelpPath(opened));
    ReadConfigFolder();
  }
  {
    // The last two lines name a value and give its text.
    std::vector<std::string> lines = Split(text, "\n");
    const std::string value = lines.back();
    const std::string name = lines.size() > 1 ? lines[lines.size() - 2] : "Path";
    TMemoryRegistryStore store{AnsiString(text)};
    RoundTrip(store, AnsiString(name), AnsiString(value));
  }
  const std::string file = WriteScratchFile("registry.ini", text);
  TFileRegistryStore store(file.c_str());
  AnsiString value;
  store.ReadValue(kExePath, "Path", value);
}
