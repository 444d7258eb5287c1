#pragma once
// A library's own resource section, as it is loaded in memory with the library.
// The source that mervalis_embed_resources generates defines it; it is hidden,
// so the library exports nothing for its resources.
#include <platform/resources/ResourceTableView.h>

namespace platform::resources {

__attribute__((visibility("hidden"))) ResourceBytes thisLibrarysResources();

}  // namespace platform::resources
