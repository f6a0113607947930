#pragma once

#include <unknwn.h>

#include <utility>

namespace com {

// Owns one reference to a COM interface. put() releases what it holds before
// handing out its address, so it can be passed straight to an out-parameter.
template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(std::nullptr_t) {}
  explicit ComPtr(T* pointer) : pointer_(pointer) { AddRef(); }
  ComPtr(const ComPtr& other) : pointer_(other.pointer_) { AddRef(); }
  ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  ~ComPtr() { Release(); }

  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(pointer_, other.pointer_);
    return *this;
  }

  T* get() const { return pointer_; }
  T* operator->() const { return pointer_; }
  T& operator*() const { return *pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }
  T** put() {
    Release();
    return &pointer_;
  }
  void** put_void() { return reinterpret_cast<void**>(put()); }
  void reset() { Release(); }

  // Hands out a new reference, as an out-parameter of a COM method does.
  HRESULT CopyTo(T** out) const {
    if (!out) return E_POINTER;
    *out = pointer_;
    AddRef();
    return S_OK;
  }

  template <class U>
  ComPtr<U> As() const {
    ComPtr<U> result;
    if (pointer_) pointer_->QueryInterface(__uuidof(U), result.put_void());
    return result;
  }

 private:
  void AddRef() const {
    if (pointer_) pointer_->AddRef();
  }
  void Release() {
    if (T* old = std::exchange(pointer_, nullptr)) old->Release();
  }

  T* pointer_ = nullptr;
};

}  // namespace com
