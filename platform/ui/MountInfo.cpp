#include <platform/ui/MountInfo.h>

namespace platform::ui {
namespace {

bool isOctalDigit(char c) { return c >= '0' && c <= '7'; }

std::vector<std::string_view> splitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t pos = 0;
  while (pos < line.size()) {
    const auto start = line.find_first_not_of(' ', pos);
    if (start == std::string_view::npos) break;
    auto end = line.find(' ', start);
    if (end == std::string_view::npos) end = line.size();
    fields.push_back(line.substr(start, end - start));
    pos = end;
  }
  return fields;
}

}  // namespace

std::string decodeOctalEscapes(std::string_view field) {
  std::string out;
  out.reserve(field.size());
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size() && isOctalDigit(field[i + 1]) && isOctalDigit(field[i + 2]) &&
        isOctalDigit(field[i + 3])) {
      out.push_back(
          static_cast<char>(((field[i + 1] - '0') << 6) | ((field[i + 2] - '0') << 3) | (field[i + 3] - '0')));
      i += 3;
    } else {
      out.push_back(field[i]);
    }
  }
  return out;
}

std::vector<MountEntry> parseMountInfo(std::string_view text) {
  // Fields: id parent major:minor root mount-point options [optional...] - fstype source super-options
  std::vector<MountEntry> entries;
  std::size_t pos = 0;
  while (pos < text.size()) {
    auto end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    const auto fields = splitFields(text.substr(pos, end - pos));
    pos = end + 1;
    std::size_t separator = 6;
    while (separator < fields.size() && fields[separator] != "-") ++separator;
    if (fields.size() < 5 || separator + 2 >= fields.size()) continue;
    entries.push_back({decodeOctalEscapes(fields[4]), decodeOctalEscapes(fields[separator + 1]),
                       decodeOctalEscapes(fields[separator + 2])});
  }
  return entries;
}

}  // namespace platform::ui
