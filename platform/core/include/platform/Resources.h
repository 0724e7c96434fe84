// Data compiled into the program (pictures, for instance), found by name.
//
// A unit that embeds data registers it while the program starts:
//
//   static const unsigned char kPanel[] = {0xFF, 0xD8, ...};
//   static const bool kPanelRegistered = RegisterResource("PANEL", kPanel, sizeof kPanel);
//
// A unit in a static library is linked only when something refers to it, so
// embedded data belongs in the program's own sources or behind a function
// that the program calls.
#pragma once

#include <cstddef>
#include <optional>

#include "platform/AnsiString.h"
#include "platform/Exceptions.h"

class EResNotFound : public Exception {
 public:
  using Exception::Exception;
};

struct TResourceData {
  const unsigned char* Data = nullptr;
  std::size_t Size = 0;
};

// Names compare ignoring case; registering a name again replaces its data.
// The data is not copied: it must live as long as the program. Returns true.
bool RegisterResource(const AnsiString& name, const void* data, std::size_t size);
std::optional<TResourceData> FindResourceData(const AnsiString& name);
// As FindResourceData; EResNotFound ("Resource NAME not found") when missing.
TResourceData ResourceData(const AnsiString& name);
