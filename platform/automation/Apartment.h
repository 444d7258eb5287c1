#pragma once
#include <thread>

#include <platform/automation/HResult.h>

namespace platform::automation {

// Apartment-threaded objects answer only on the thread that created them. The
// classic platform would marshal a call from elsewhere; we refuse it rather than race.
class ApartmentCheck {
 public:
  // S_OK on the creating thread, RPC_E_WRONG_THREAD on any other.
  HRESULT check() const { return std::this_thread::get_id() == owner_ ? S_OK : RPC_E_WRONG_THREAD; }

 private:
  std::thread::id owner_ = std::this_thread::get_id();
};

}  // namespace platform::automation
