// The library's entry point: when a process loads the library, the control gets
// its type library and About box from here; on unload they are taken back.
#include "../ComponentServices.h"
#include "OwnResources.h"
#include "QtAboutBox.h"

namespace {

struct LibraryEntry {
  LibraryEntry() { lyrebox::installComponentServices({&lyrebox::loadOwnTypeLibrary, &lyrebox::showQtAboutBox}); }
  ~LibraryEntry() { lyrebox::installComponentServices({}); }
};

const LibraryEntry entry;

}  // namespace
