#pragma once
// The fence at a component's boundary. A host knows only HRESULTs: a C++
// exception that left an entry point would unwind through code that expects
// none, or end the host. Every entry point runs its body through guarded().
#include <new>
#include <utility>

#include <platform/automation/HResult.h>

namespace platform::automation {

// The body's HRESULT; E_OUTOFMEMORY for std::bad_alloc, E_UNEXPECTED for any
// other exception. The body keeps the object usable when it throws: it changes
// state only after the steps that can throw.
template <class Body>
HRESULT guarded(Body&& body) noexcept {
  try {
    return std::forward<Body>(body)();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

}  // namespace platform::automation
