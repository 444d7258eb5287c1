#pragma once
#include <functional>
#include <string>
#include <string_view>

namespace tagcomponent {

// A text field as the control returns it: trailing spaces go, then trailing NULs,
// then trailing spaces once more; a space before a NUL before a space stays.
// `perCharacter` runs once for each character the first two steps remove.
std::u16string trimmedFieldText(std::u16string_view text, const std::function<void()>& perCharacter = {});

}  // namespace tagcomponent
