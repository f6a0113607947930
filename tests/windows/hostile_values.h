#pragma once

// Values hostile callers pass for a VARIANT: references to VARIANTs, which may
// refer to themselves, and objects whose default value is a number, another
// object, or the object itself.
#include <windows.h>

#include <oleauto.h>

namespace test {

inline VARIANT Reference(VARIANT* target) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BYREF | VT_VARIANT;
  v.pvarVal = target;
  return v;
}

inline VARIANT ObjectArgument(IDispatch* object) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_DISPATCH;
  v.pdispVal = object;
  return v;
}

// An object that answers only Invoke; it lives on the test's stack, so
// counting references is moot.
class StackDispatch : public IDispatch {
 public:
  STDMETHODIMP QueryInterface(REFIID iid, void** out) noexcept override {
    if (!out) return E_POINTER;
    *out = iid == IID_IUnknown || iid == IID_IDispatch ? this : nullptr;
    return *out ? S_OK : E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() noexcept override { return 2; }
  STDMETHODIMP_(ULONG) Release() noexcept override { return 1; }
  STDMETHODIMP GetTypeInfoCount(UINT* count) noexcept override {
    *count = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) noexcept override { return E_NOTIMPL; }
};

// An object whose default value (DISPID_VALUE) is a number, or the object it refers to.
class ValueObject final : public test::StackDispatch {
 public:
  explicit ValueObject(LONG value) : value_(value) {}
  void Refer(IDispatch* object) { object_ = object; }

  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                      UINT*) noexcept override {
    if (id != DISPID_VALUE || !result) return DISP_E_MEMBERNOTFOUND;
    ++calls;
    VariantInit(result);
    if (object_) {
      result->vt = VT_DISPATCH;
      result->pdispVal = object_;
    } else {
      result->vt = VT_I4;
      result->lVal = value_;
    }
    return S_OK;
  }
  int calls = 0;

 private:
  LONG value_ = 0;
  IDispatch* object_ = nullptr;
};

}  // namespace test
