#include <platform/automation/RegistryTree.h>

#include <algorithm>

#include <platform/text/NameCase.h>

namespace platform::automation {
namespace {

bool hasControlCharacter(std::string_view text) {
  return std::any_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

// Splits "a\b\c" into its first name and the rest.
std::pair<std::string_view, std::string_view> firstName(std::string_view path) {
  const auto cut = path.find('\\');
  if (cut == std::string_view::npos) return {path, {}};
  return {path.substr(0, cut), path.substr(cut + 1)};
}

template <class Key>
Key* findIn(Key& key, std::string_view path) {
  Key* current = &key;
  while (!path.empty()) {
    auto [name, rest] = firstName(path);
    auto& children = current->subkeys();
    const auto found = std::find_if(children.begin(), children.end(),
                                    [name = name](const RegistryKey& k) { return registryNamesEqual(k.name(), name); });
    if (found == children.end()) return nullptr;
    current = const_cast<Key*>(&*found);
    path = rest;
  }
  return current;
}

}  // namespace

bool registryNamesEqual(std::string_view a, std::string_view b) { return platform::text::sameIgnoringAsciiCase(a, b); }

bool isValidKeyName(std::string_view name) {
  return !name.empty() && name.find('\\') == std::string_view::npos && !hasControlCharacter(name);
}

bool isValidValueName(std::string_view name) { return !hasControlCharacter(name); }

bool isValidKeyPath(std::string_view path) {
  for (std::size_t start = 0;;) {
    const auto cut = path.find('\\', start);
    if (!isValidKeyName(path.substr(start, cut == std::string_view::npos ? cut : cut - start))) return false;
    if (cut == std::string_view::npos) return true;
    start = cut + 1;
  }
}

const RegistryKey* RegistryKey::findKey(std::string_view path) const { return findIn(*this, path); }
RegistryKey* RegistryKey::findKey(std::string_view path) { return findIn(*this, path); }

RegistryKey* RegistryKey::createKey(std::string_view path) {
  if (!isValidKeyPath(path)) return nullptr;
  RegistryKey* current = this;
  while (!path.empty()) {
    auto [name, rest] = firstName(path);
    RegistryKey* next = current->findKey(name);
    if (!next) next = &current->subkeys_.emplace_back(std::string(name));
    current = next;
    path = rest;
  }
  return current;
}

bool RegistryKey::deleteKeyTree(std::string_view path) {
  const auto cut = path.rfind('\\');
  RegistryKey* parent = cut == std::string_view::npos ? this : findKey(path.substr(0, cut));
  const std::string_view name = cut == std::string_view::npos ? path : path.substr(cut + 1);
  if (!parent || name.empty()) return false;
  return std::erase_if(parent->subkeys_, [&](const RegistryKey& k) { return registryNamesEqual(k.name(), name); }) > 0;
}

std::optional<std::string> RegistryKey::value(std::string_view name) const {
  for (const auto& [valueName, data] : values_)
    if (registryNamesEqual(valueName, name)) return data;
  return std::nullopt;
}

std::optional<std::string> RegistryKey::value(std::string_view path, std::string_view name) const {
  const RegistryKey* key = findKey(path);
  return key ? key->value(name) : std::nullopt;
}

bool RegistryKey::setValue(std::string_view name, std::string data) {
  if (!isValidValueName(name)) return false;
  for (auto& [valueName, existing] : values_) {
    if (registryNamesEqual(valueName, name)) {
      existing = std::move(data);
      return true;
    }
  }
  values_.emplace_back(std::string(name), std::move(data));
  return true;
}

bool RegistryKey::deleteValue(std::string_view name) {
  return std::erase_if(values_, [&](const auto& v) { return registryNamesEqual(v.first, name); }) > 0;
}

}  // namespace platform::automation
