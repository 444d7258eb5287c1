#include "TagFieldText.h"

namespace lyrebox {
namespace {

void dropTrailing(std::u16string& text, char16_t character, const std::function<void()>& perCharacter) {
  while (!text.empty() && text.back() == character) {
    text.pop_back();
    if (perCharacter) perCharacter();
  }
}

}  // namespace

std::u16string trimmedFieldText(std::u16string text, const std::function<void()>& perCharacter) {
  dropTrailing(text, u' ', perCharacter);
  dropTrailing(text, u'\0', perCharacter);
  dropTrailing(text, u' ', {});
  return text;
}

}  // namespace lyrebox
