#pragma once

#include <ocidl.h>

#include <map>
#include <memory>
#include <string>

#include "component/com/com_object.h"
#include "component/com/unique.h"

namespace host {

// A property bag in memory, as a form designer keeps one. Read converts to
// the type the caller asks for, as containers do, and fails when it can't.
class MemoryPropertyBag : public com::ComObject<MemoryPropertyBag, IPropertyBag, IErrorLog> {
 public:
  STDMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog* log) override;
  STDMETHODIMP Write(LPCOLESTR name, VARIANT* value) override;
  STDMETHODIMP AddError(LPCOLESTR, EXCEPINFO*) override { return S_OK; }

  void Set(const std::wstring& name, const VARIANT& value);
  // The stored value, or nullptr when the control never wrote it.
  const VARIANT* Find(const std::wstring& name) const;

 private:
  std::map<std::wstring, std::unique_ptr<com::UniqueVariant>> values_;
};

}  // namespace host
