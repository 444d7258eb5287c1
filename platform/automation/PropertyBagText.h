#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include <platform/automation/HResult.h>
#include <platform/automation/PropertyBagEntries.h>

namespace platform::automation {

// The text form of a bag, in which a host keeps a control's saved values beside its
// window layout. UTF-8, one property a line, in the bag's order:
//
//   Tag_Title = "Blue \"Moon\"\u0000"   a string; escapes \" \\ and \uXXXX, which
//                                         carries any UTF-16 unit (NUL, lone surrogates)
//   _extentx = i4 873                    an integer: i2 16-bit, i4 32-bit, ui1 byte
//   Visible = true                       a boolean (true or false)
//   Spare = empty                        no value
//
// Keys are ASCII letters, digits and underscores, each at most once (letter case
// ignored). Blanks around "=" and at the line's end are free; blank lines and lines
// starting with '#' are skipped; lines end in LF or CR LF.

// Why a text was refused: the line (from 1), the key when it was read, and the reason.
struct BagTextError {
  std::size_t line = 0;
  std::string key;
  std::string reason;

  // "line 3, key \"tag_year\": <reason>", or without the key part when there is none.
  std::string message() const;
};

// The entries of a text, or the first fault found in it (entries then empty).
struct ParsedBagText {
  BagEntries entries;
  std::optional<BagTextError> error;
};

ParsedBagText parseBagText(std::string_view text);

// Writes the entries with CR LF line ends. DISP_E_TYPEMISMATCH for an object value
// (it has no text form), E_INVALIDARG for a key the text form cannot hold or that
// appears twice; *text is left untouched then.
HRESULT writeBagText(const BagEntries& entries, std::string* text);

}  // namespace platform::automation
