#pragma once
#include <string>

#include <platform/status/Status.h>

namespace administrator::importrun {

enum class TagField { Title, Album, Artist };

// What the import run needs of the tag component: load one file's tag, then read
// its fields trimmed. Reads are lazy so a rejected file costs only the reads that
// decided it.
class TagReader {
 public:
  virtual ~TagReader() = default;
  // Fails when the reader did not take the file (hidden, vanished, unreadable name).
  virtual platform::status::Status load(const std::u16string& path) = 0;
  virtual platform::status::Status read(TagField field, std::u16string& value) = 0;
};

}  // namespace administrator::importrun
