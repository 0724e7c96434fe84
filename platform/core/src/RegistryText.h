// The text form of the registry stores: questions and edits on the whole
// text of an INI-like file (see platform/RegistryStore.h).
#pragma once

#include <string>

namespace vn_registry {

bool KeyExists(const std::string& text, const std::string& path);
// Appends the key's section when the key is missing; true when the text
// changed.
bool CreateKey(std::string& text, const std::string& path);
bool ReadValue(const std::string& text, const std::string& path, const std::string& name,
               std::string& value);
// Replaces the value's line, or adds one at the end of the key's section
// (adding the section when missing). Throws ERegistryException for names and
// values the text form cannot hold.
void WriteValue(std::string& text, const std::string& path, const std::string& name,
                const std::string& value);

}  // namespace vn_registry
