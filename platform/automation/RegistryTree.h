#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform::automation {

// One key of the component registry: named values (the unnamed default value has
// the name "") and subkeys. Names keep the case they were written with and are
// compared without regard to ASCII case, as on the classic platform. A path names a
// key below this one by its names joined with '\'.
class RegistryKey {
 public:
  RegistryKey() = default;
  explicit RegistryKey(std::string name) : name_(std::move(name)) {}

  const std::string& name() const { return name_; }

  const RegistryKey* findKey(std::string_view path) const;
  RegistryKey* findKey(std::string_view path);
  // Opens the key, creating it and every missing key above it; null when a name in
  // the path is empty or holds a control character.
  RegistryKey* createKey(std::string_view path);
  // Removes the key with everything below it; false if there was none.
  bool deleteKeyTree(std::string_view path);

  std::optional<std::string> value(std::string_view name) const;
  // Shorthand: a value of the key at `path`, if both exist.
  std::optional<std::string> value(std::string_view path, std::string_view name) const;
  // False when the name holds a control character.
  bool setValue(std::string_view name, std::string data);
  bool deleteValue(std::string_view name);

  const std::vector<std::pair<std::string, std::string>>& values() const { return values_; }
  const std::vector<RegistryKey>& subkeys() const { return subkeys_; }
  bool empty() const { return values_.empty() && subkeys_.empty(); }

  friend bool operator==(const RegistryKey&, const RegistryKey&) = default;

 private:
  std::string name_;
  std::vector<std::pair<std::string, std::string>> values_;
  std::vector<RegistryKey> subkeys_;
};

// The whole registry: its root key has no name.
using RegistryTree = RegistryKey;

bool registryNamesEqual(std::string_view a, std::string_view b);
bool isValidKeyName(std::string_view name);
bool isValidValueName(std::string_view name);
bool isValidKeyPath(std::string_view path);

}  // namespace platform::automation
