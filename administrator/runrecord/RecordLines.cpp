#include <administrator/runrecord/RecordLines.h>

namespace administrator::runrecord::record {
namespace {

void appendEscaped(std::string& line, std::string_view field) {
  for (const char c : field) {
    switch (c) {
      case '\\': line += "\\\\"; break;
      case '\t': line += "\\t"; break;
      case '\n': line += "\\n"; break;
      default: line += c;
    }
  }
}

}  // namespace

std::string line(std::initializer_list<std::string_view> fields) {
  std::size_t size = fields.size();
  for (const std::string_view field : fields) size += field.size();
  std::string text;
  text.reserve(size + size / 8);  // room for a few escapes without growing
  for (const std::string_view field : fields) {
    if (!text.empty()) text += '\t';
    appendEscaped(text, field);
  }
  text += '\n';
  return text;
}

bool parseLine(std::string_view line, std::vector<std::string>& fields) {
  fields.assign(1, std::string());
  for (std::size_t at = 0; at < line.size(); ++at) {
    const char c = line[at];
    if (c == '\t') {
      fields.emplace_back();
      continue;
    }
    if (c == '\n') return false;
    if (c != '\\') {
      fields.back() += c;
      continue;
    }
    if (++at == line.size()) return false;
    switch (line[at]) {
      case '\\': fields.back() += '\\'; break;
      case 't': fields.back() += '\t'; break;
      case 'n': fields.back() += '\n'; break;
      default: return false;
    }
  }
  return true;
}

}  // namespace administrator::runrecord::record
