#pragma once

#include <windows.h>

#include <oleauto.h>

#include <utility>

namespace com {

// A handle with its own way of closing: one owner template for every kind.
template <class Handle, auto Close, Handle Empty = Handle{}>
class Unique {
 public:
  Unique() = default;
  explicit Unique(Handle handle) : handle_(handle) {}
  Unique(Unique&& other) noexcept : handle_(std::exchange(other.handle_, Empty)) {}
  Unique& operator=(Unique&& other) noexcept {
    reset(std::exchange(other.handle_, Empty));
    return *this;
  }
  ~Unique() { reset(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Empty; }
  Handle release() { return std::exchange(handle_, Empty); }
  void reset(Handle handle = Empty) {
    if (handle_ != Empty) Close(handle_);
    handle_ = handle;
  }
  Handle* put() {
    reset();
    return &handle_;
  }

 private:
  Handle handle_ = Empty;
};

using UniqueBstr = Unique<BSTR, &SysFreeString>;
using UniqueHkey = Unique<HKEY, &RegCloseKey>;

// A VARIANT that clears itself.
class UniqueVariant : public VARIANT {
 public:
  UniqueVariant() { VariantInit(this); }
  UniqueVariant(const UniqueVariant&) = delete;
  UniqueVariant& operator=(const UniqueVariant&) = delete;
  ~UniqueVariant() { VariantClear(this); }

  VARIANT* put() {
    VariantClear(this);
    return this;
  }
};

}  // namespace com
