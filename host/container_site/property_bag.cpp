#include "host/container_site/property_bag.h"

namespace host {

HRESULT MemoryPropertyBag::Read(LPCOLESTR name, VARIANT* value, IErrorLog*) {
  if (!name || !value) return E_POINTER;
  // The system's prototypes take the source as non-const; they don't change it.
  auto* stored = const_cast<VARIANT*>(Find(name));
  if (!stored) return E_INVALIDARG;
  const VARTYPE wanted = value->vt;
  VariantInit(value);
  if (wanted == VT_EMPTY || wanted == VT_VARIANT) return VariantCopy(value, stored);
  return VariantChangeType(value, stored, 0, wanted);
}

HRESULT MemoryPropertyBag::Write(LPCOLESTR name, VARIANT* value) {
  if (!name || !value) return E_POINTER;
  Set(name, *value);
  return S_OK;
}

void MemoryPropertyBag::Set(const std::wstring& name, const VARIANT& value) {
  auto copy = std::make_unique<com::UniqueVariant>();
  VariantCopy(copy.get(), const_cast<VARIANT*>(&value));
  values_[name] = std::move(copy);
}

const VARIANT* MemoryPropertyBag::Find(const std::wstring& name) const {
  const auto found = values_.find(name);
  return found == values_.end() ? nullptr : found->second.get();
}

}  // namespace host
