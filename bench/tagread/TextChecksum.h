#pragma once
// A checksum of every text a tag read gives, in order, so that the public path,
// the direct calls and the raw loop can be shown to have read the same texts.
#include <cstdint>
#include <string_view>

namespace bench::tagread {

class TextChecksum {
 public:
  // One text, code unit by code unit; the raw loop passes bytes, which are the
  // code units of the corpus's characters (ASCII and Latin-1 letters).
  template <class Char>
  void add(std::basic_string_view<Char> text) {
    for (const Char unit : text) mix(static_cast<std::uint32_t>(static_cast<std::make_unsigned_t<Char>>(unit)));
    mix(0x10000);  // the end of a text, so that "ab"+"c" differs from "a"+"bc"
  }
  std::uint64_t value() const { return value_; }

 private:
  // FNV-1a, 64 bits.
  void mix(std::uint32_t unit) { value_ = (value_ ^ unit) * 1099511628211ULL; }
  std::uint64_t value_ = 14695981039346656037ULL;
};

}  // namespace bench::tagread
