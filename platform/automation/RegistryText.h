#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include <platform/automation/RegistryTree.h>

namespace platform::automation {

// The registry's file format, readable and editable by hand:
//   ; comment
//   [CLSID\{...}\InprocServer32]
//   @="/usr/lib/mervalis/Lyrebox.ocx"
//   "ThreadingModel"="Apartment"
// A bracketed line opens a key by its full path; `@` is the default value. In
// quoted text `\\`, `\"` and `\xHH` (one byte) are the escapes; control bytes are
// always written escaped.
std::string formatRegistry(const RegistryTree& tree);

struct RegistryParseError {
  std::size_t line = 0;
  std::string what;
};
// Reads the whole text into `tree` (left empty on failure).
std::optional<RegistryParseError> parseRegistry(std::string_view text, RegistryTree& tree);

}  // namespace platform::automation
