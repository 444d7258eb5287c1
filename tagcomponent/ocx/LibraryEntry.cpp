// The library's entry point: when a process loads the library, the control gets
// its type library and About box from here; on unload they are taken back.
#include <tagcomponent/ComponentServices.h>
#include <tagcomponent/ocx/OwnResources.h>
#include <tagcomponent/ocx/AboutBoxLoader.h>

namespace {

struct LibraryEntry {
  LibraryEntry() {
    tagcomponent::installComponentServices(
        {&tagcomponent::ocx::loadOwnTypeLibrary, &tagcomponent::ocx::showAboutBoxFromItsLibrary});
  }
  ~LibraryEntry() { tagcomponent::installComponentServices({}); }
};

const LibraryEntry entry;

}  // namespace
