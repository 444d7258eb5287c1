#pragma once
#include <string_view>

namespace platform::text {

// One folding of case for matching and ordering names: the capitals of Latin-1,
// Latin Extended-A, Greek and Cyrillic become their small letters; every other
// character stays as it is, so the folding is the same on every machine and locale.
char32_t foldCase(char32_t c);

// The folding of ASCII letters alone, for names the classic platform matches that
// way (registry keys, property-bag keys, resource names): other characters must
// match exactly there.
constexpr char32_t foldAsciiCase(char32_t c) { return c >= U'A' && c <= U'Z' ? c + 32 : c; }
bool sameIgnoringAsciiCase(std::string_view a, std::string_view b);
bool sameIgnoringAsciiCase(std::u16string_view a, std::u16string_view b);
// A name in small letters when it is all ASCII; false, and `folded` unfinished,
// for a name with other characters, whose folding is not this simple.
bool foldedIfAscii(std::string_view name, std::string& folded);

// Member names, property-bag keys and the like are matched without regard to case,
// as late-bound callers expect.
bool sameNameIgnoringCase(std::u16string_view a, std::u16string_view b);

// The order in which names are shown and visited: without regard to case, ties
// broken by the bytes, so that it is total and the same on every run. Names are
// UTF-8; a byte that is not part of valid UTF-8 counts as the character it is
// carried as in UTF-16 (U+DC80..U+DCFF).
bool inListOrder(std::string_view a, std::string_view b);

}  // namespace platform::text
