#include <administrator/runrecord/RecordLines.h>

#include <utility>

namespace administrator::runrecord::record {
namespace {

const char* escapeOf(char c) {
  switch (c) {
    case '\\': return "\\\\";
    case '\t': return "\\t";
    case '\n': return "\\n";
    default: return nullptr;
  }
}

// Runs of plain characters go in whole: a record line is mostly paths and names.
void appendEscaped(std::string& line, std::string_view field) {
  std::size_t plainFrom = 0;
  for (std::size_t at = 0; at < field.size(); ++at) {
    const char* escape = escapeOf(field[at]);
    if (!escape) continue;
    line.append(field.substr(plainFrom, at - plainFrom));
    line += escape;
    plainFrom = at + 1;
  }
  line.append(field.substr(plainFrom));
}

}  // namespace

std::string line(std::initializer_list<std::string_view> fields) {
  std::size_t size = fields.size();
  for (const std::string_view field : fields) size += field.size();
  std::string text;
  text.reserve(size + size / 8);  // room for a few escapes without growing
  bool first = true;
  for (const std::string_view field : fields) {
    if (!std::exchange(first, false)) text += '\t';
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
