#include "ResourceLibrary.h"

#include <dlfcn.h>

namespace resources {
namespace {

std::string loaderMessage() {
  const char* message = dlerror();
  return message ? message : "no message from the loader";
}

std::string named(const std::filesystem::path& path) { return "library '" + path.string() + "'"; }

}  // namespace

void ResourceLibrary::HandleCloser::operator()(void* handle) const {
  if (handle) dlclose(handle);
}

Result<ResourceLibrary> ResourceLibrary::open(const std::filesystem::path& path) {
  // Without a slash dlopen would search the system's library path and might
  // load some other file of the same name.
  std::error_code ignored;
  const std::filesystem::path loadable = std::filesystem::absolute(path, ignored);
  if (loadable.empty()) return Result<ResourceLibrary>::failure("cannot load " + named(path) + ": bad path");
  dlerror();
  void* raw = dlopen(loadable.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (raw == nullptr) return Result<ResourceLibrary>::failure("cannot load " + named(path) + ": " + loaderMessage());
  return readTable(OwnedHandle(raw, HandleCloser{}), raw, path);
}

Result<ResourceLibrary> ResourceLibrary::borrow(void* handle, const std::filesystem::path& path) {
  if (handle == nullptr) return Result<ResourceLibrary>::failure(named(path) + " is not loaded");
  return readTable(OwnedHandle(), handle, path);
}

Result<ResourceLibrary> ResourceLibrary::readTable(OwnedHandle handle, void* raw,
                                                   const std::filesystem::path& path) {
  dlerror();
  void* symbol = dlsym(raw, kTableSymbol);
  if (symbol == nullptr)
    return Result<ResourceLibrary>::failure(named(path) + " exports no resource table (" + std::string(kTableSymbol) +
                                            "): " + loaderMessage());
  auto getter = reinterpret_cast<TableGetter>(symbol);
  auto table = ResourceTableView::of(getter());
  if (!table) return Result<ResourceLibrary>::failure(named(path) + ": " + table.error());
  return Result<ResourceLibrary>::success(ResourceLibrary(std::move(handle), table.value(), path));
}

}  // namespace resources
