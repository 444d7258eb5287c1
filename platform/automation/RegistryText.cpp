#include <platform/automation/RegistryText.h>

#include <cstdio>

namespace platform::automation {
namespace {

constexpr std::string_view kHeading = "; Mervalis component registry. Key names ignore case.\n";

void appendQuoted(std::string& out, std::string_view text) {
  out += '"';
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\\' || c == '"') {
      out += '\\';
      out += c;
    } else if (byte < 0x20 || byte == 0x7F) {
      char escape[5];
      std::snprintf(escape, sizeof escape, "\\x%02X", byte);
      out += escape;
    } else {
      out += c;
    }
  }
  out += '"';
}

void appendKey(std::string& out, const RegistryKey& key, const std::string& path) {
  if (!path.empty()) {
    out += '[' + path + "]\n";
    for (const auto& [name, data] : key.values()) {
      if (name.empty())
        out += '@';
      else
        appendQuoted(out, name);
      out += '=';
      appendQuoted(out, data);
      out += '\n';
    }
  }
  for (const auto& child : key.subkeys())
    appendKey(out, child, path.empty() ? child.name() : path + '\\' + child.name());
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads a quoted text at the start of `line`, leaving `line` after its closing quote.
std::optional<std::string> readQuoted(std::string_view& line, std::string& what) {
  if (line.empty() || line.front() != '"') {
    what = "expected a quoted text";
    return std::nullopt;
  }
  std::string text;
  for (std::size_t i = 1; i < line.size(); ++i) {
    const char c = line[i];
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"') {
      line.remove_prefix(i + 1);
      return text;
    }
    if (byte < 0x20 || byte == 0x7F) {
      what = "control character inside quotes (write it as \\xHH)";
      return std::nullopt;
    }
    if (c != '\\') {
      text += c;
      continue;
    }
    if (i + 1 >= line.size()) break;
    const char escaped = line[++i];
    if (escaped == '\\' || escaped == '"') {
      text += escaped;
    } else if (escaped == 'x' && i + 2 < line.size() && hexDigit(line[i + 1]) >= 0 && hexDigit(line[i + 2]) >= 0) {
      text += static_cast<char>(hexDigit(line[i + 1]) * 16 + hexDigit(line[i + 2]));
      i += 2;
    } else {
      what = "unknown escape in quoted text";
      return std::nullopt;
    }
  }
  what = "quoted text not closed";
  return std::nullopt;
}

bool isBlankLine(std::string_view line) { return line.find_first_not_of(" \t") == std::string_view::npos; }

// Applies one line; false with `what` set when the line is not understood.
bool readLine(std::string_view line, RegistryTree& tree, RegistryKey*& current, std::string& what) {
  if (isBlankLine(line) || line.front() == ';' || line.front() == '#') return true;
  if (line.front() == '[') {
    if (line.back() != ']') {
      what = "key line does not end with ']'";
      return false;
    }
    const auto path = line.substr(1, line.size() - 2);
    current = tree.createKey(path);
    if (!current) what = "invalid key path '" + std::string(path) + "'";
    return current != nullptr;
  }
  if (!current) {
    what = "value outside any key";
    return false;
  }
  std::string name;
  if (line.front() == '@') {
    line.remove_prefix(1);
  } else {
    auto quoted = readQuoted(line, what);
    if (!quoted) return false;
    name = std::move(*quoted);
    if (!isValidValueName(name)) {
      what = "control character in a value name";
      return false;
    }
  }
  if (line.empty() || line.front() != '=') {
    what = "expected '=' after the value name";
    return false;
  }
  line.remove_prefix(1);
  auto data = readQuoted(line, what);
  if (!data) return false;
  if (!isBlankLine(line)) {
    what = "unexpected text after the value";
    return false;
  }
  current->setValue(name, std::move(*data));
  return true;
}

}  // namespace

std::string formatRegistry(const RegistryTree& tree) {
  std::string out(kHeading);
  appendKey(out, tree, "");
  return out;
}

std::optional<RegistryParseError> parseRegistry(std::string_view text, RegistryTree& tree) {
  tree = RegistryTree();
  RegistryKey* current = nullptr;
  std::size_t lineNumber = 0;
  while (!text.empty()) {
    ++lineNumber;
    const auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::string what;
    if (!readLine(line, tree, current, what)) {
      tree = RegistryTree();
      return RegistryParseError{lineNumber, what};
    }
  }
  return std::nullopt;
}

}  // namespace platform::automation
