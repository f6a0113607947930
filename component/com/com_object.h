#pragma once

#include <ocidl.h>
#include <oleidl.h>
#include <unknwn.h>

#include <atomic>
#include <new>
#include <tuple>
#include <type_traits>

#include "component/com/errors.h"
#include "component/com/module_lock.h"

namespace com {

template <class... Bases>
struct BaseList {};

// Base interfaces a derived interface also answers for, beyond IUnknown.
using AnsweredBases = BaseList<IDispatch, IOleWindow, IOleInPlaceUIWindow, IPersist, IViewObject, IProvideClassInfo>;

template <class I, class... Bases>
bool Answers(REFIID iid, BaseList<Bases...>) {
  return iid == __uuidof(I) || ((std::is_base_of_v<Bases, I> && iid == __uuidof(Bases)) || ...);
}

// IUnknown written once over a list of interfaces, in the manner of
// C++/WinRT's implements<>. The first interface stands for IUnknown. Each live
// object holds the module, so the library is not unloaded under it.
//
// As C++/WinRT's final_release, Derived may define `bool FinalRelease() noexcept`:
// it runs when the last reference goes, with the object held for it (what it
// calls may call the object back). Answering true lets the object go; false
// keeps that reference, which the object releases itself later.
template <class Derived, class... Interfaces>
class ComObject : public Interfaces... {
 public:
  template <class... Args>
  static HRESULT Create(REFIID iid, void** out, Args&&... args) noexcept {
    if (!out) return E_POINTER;
    *out = nullptr;
    // A constructor that throws (allocating, copying its arguments) fails the creation.
    Derived* object = nullptr;
    const HRESULT created = Guarded([&] { object = new Derived(std::forward<Args>(args)...); });
    if (!object) return FAILED(created) ? created : E_OUTOFMEMORY;
    object->AddRef();
    const HRESULT hr = object->QueryInterface(iid, out);
    object->Release();
    return hr;
  }

  STDMETHODIMP QueryInterface(REFIID iid, void** out) noexcept override {
    if (!out) return E_POINTER;
    *out = Find<Interfaces...>(iid);
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() noexcept override { return ++references_; }
  STDMETHODIMP_(ULONG) Release() noexcept override {
    if (const ULONG left = --references_; left != 0) return left;
    if constexpr (requires(Derived& object) { object.FinalRelease(); }) {
      ++references_;
      if (!static_cast<Derived*>(this)->FinalRelease()) return references_;
      if (const ULONG left = --references_; left != 0) return left;
    }
    delete static_cast<Derived*>(this);
    return 0;
  }

  IUnknown* Unknown() noexcept { return static_cast<First*>(this); }

 protected:
  ComObject() = default;
  virtual ~ComObject() = default;

 private:
  using First = std::tuple_element_t<0, std::tuple<Interfaces...>>;

  template <class I, class... Rest>
  void* Find(REFIID iid) {
    if (iid == IID_IUnknown && std::is_same_v<I, First>) return static_cast<I*>(this);
    if (Answers<I>(iid, AnsweredBases{})) return static_cast<I*>(this);
    if constexpr (sizeof...(Rest) > 0) return Find<Rest...>(iid);
    return nullptr;
  }

  std::atomic<ULONG> references_{0};
  ModuleLock moduleLock_;
};

}  // namespace com
