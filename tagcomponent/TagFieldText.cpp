#include <tagcomponent/TagFieldText.h>

namespace tagcomponent {
namespace {

std::size_t lengthWithout(std::u16string_view text, std::size_t length, char16_t trailing) {
  while (length > 0 && text[length - 1] == trailing) --length;
  return length;
}

}  // namespace

// The text returned is copied before the first yield, so whatever runs in the
// yields cannot change it; the yields come as many as the stripping would make.
std::u16string trimmedFieldText(std::u16string_view text, const std::function<void()>& perCharacter) {
  const std::size_t withoutSpaces = lengthWithout(text, text.size(), u' ');
  const std::size_t withoutNuls = lengthWithout(text, withoutSpaces, u'\0');
  std::u16string trimmed(text.substr(0, lengthWithout(text, withoutNuls, u' ')));
  if (perCharacter)
    for (std::size_t removed = text.size() - withoutNuls; removed > 0; --removed) perCharacter();
  return trimmed;
}

}  // namespace tagcomponent
