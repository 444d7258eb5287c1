#pragma once
#include <utility>

#include <platform/automation/Unknown.h>

namespace platform::automation {

// Owns one reference to an interface: AddRef on copy, Release on destruction.
template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(std::nullptr_t) {}
  // Takes a new reference to `raw`.
  explicit ComPtr(T* raw) : ptr_(raw) {
    if (ptr_) ptr_->AddRef();
  }
  ComPtr(const ComPtr& other) : ComPtr(other.ptr_) {}
  ComPtr(ComPtr&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
  template <class U>
  ComPtr(const ComPtr<U>& other) : ComPtr(static_cast<T*>(other.get())) {}
  ~ComPtr() { reset(); }

  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(ptr_, other.ptr_);
    return *this;
  }

  // Adopts a reference the caller already owns (as handed out by a factory).
  static ComPtr attach(T* raw) {
    ComPtr result;
    result.ptr_ = raw;
    return result;
  }
  T* detach() { return std::exchange(ptr_, nullptr); }

  void reset() {
    if (T* old = std::exchange(ptr_, nullptr)) old->Release();
  }
  // For out parameters: releases what is held and returns the slot to fill.
  T** put() {
    reset();
    return &ptr_;
  }
  void** putVoid() { return reinterpret_cast<void**>(put()); }

  T* get() const { return ptr_; }
  T* operator->() const { return ptr_; }
  T& operator*() const { return *ptr_; }
  explicit operator bool() const { return ptr_ != nullptr; }

  // Asks the object for another of its interfaces.
  template <class U>
  HRESULT as(ComPtr<U>& out) const {
    if (!ptr_) return E_POINTER;
    return ptr_->QueryInterface(InterfaceId<U>::value, out.putVoid());
  }

  friend bool operator==(const ComPtr& a, const ComPtr& b) { return a.ptr_ == b.ptr_; }

 private:
  T* ptr_ = nullptr;
};

}  // namespace platform::automation
