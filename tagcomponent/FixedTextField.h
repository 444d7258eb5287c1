#pragma once
#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace tagcomponent {

// A character field that always holds exactly Width characters (UTF-16 code units,
// one per tag byte). Storing a text keeps its first Width characters and pads a
// shorter one with spaces on the right, without notice.
template <std::size_t Width>
class FixedTextField {
 public:
  static constexpr std::size_t width = Width;

  FixedTextField() { chars_.fill(u' '); }
  explicit FixedTextField(std::u16string_view text) { assign(text); }

  void assign(std::u16string_view text) {
    const std::size_t kept = std::min(text.size(), Width);
    std::copy_n(text.begin(), kept, chars_.begin());
    std::fill(chars_.begin() + kept, chars_.end(), u' ');
  }

  std::u16string_view view() const { return {chars_.data(), Width}; }
  std::u16string text() const { return std::u16string(view()); }

  char16_t* data() { return chars_.data(); }
  const char16_t* data() const { return chars_.data(); }

  friend bool operator==(const FixedTextField&, const FixedTextField&) = default;

 private:
  std::array<char16_t, Width> chars_;
};

}  // namespace tagcomponent
