#pragma once

// The control's saved properties through the three ways containers save
// controls. Each runs the control's own property handlers; which properties a
// class saves, and the stream's layout, are the core's (saved_properties.h).
#include <windows.h>

#include <oleauto.h>

#include <algorithm>
#include <span>
#include <string>
#include <vector>

#include "board/text.h"
#include "component/control_object.h"
#include "component/com/errors.h"
#include "component/com/unique.h"
#include "component/identity.h"
#include "component/variant_conversion.h"
#include "control/saved_stream.h"

namespace component {

namespace {

constexpr wchar_t kContentsStream[] = L"Contents";

// Only the stream's own bytes are read, as far as its header says: a container
// may keep more after them.
control::MemoryPropertyBag ReadStream(IStream& stream, control::SavedClass saving) {
  std::vector<uint8_t> bytes(control::kSavedHeaderSize);
  ULONG read = 0;
  com::ThrowIfFailed(stream.Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read));
  bytes.resize(read);
  bytes.resize(control::SavedStreamSize(bytes, saving));
  const size_t header = control::kSavedHeaderSize;
  com::ThrowIfFailed(stream.Read(bytes.data() + header, static_cast<ULONG>(bytes.size() - header), &read));
  bytes.resize(header + read);
  return control::ReadSavedStream(bytes, saving);
}

void WriteStream(IStream& stream, const control::MemoryPropertyBag& bag, control::SavedClass saving) {
  const std::vector<uint8_t> bytes = control::WriteSavedStream(bag, saving);
  ULONG written = 0;
  com::ThrowIfFailed(stream.Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written));
  if (written != bytes.size()) throw com::PlatformFailure(STG_E_MEDIUMFULL);
}

using board::Wide;

HRESULT AnswerOf(control::StorageAnswer answer) {
  switch (answer) {
    case control::StorageAnswer::Done: return S_OK;
    case control::StorageAnswer::Unexpected: return E_UNEXPECTED;
    case control::StorageAnswer::StorageRequired: return E_INVALIDARG;
  }
  return E_UNEXPECTED;
}

// A container's IPropertyBag as the control's property bag.
class ContainerBag : public control::PropertyBag {
 public:
  ContainerBag(IPropertyBag& bag, IErrorLog* log) : bag_(bag), log_(log) {}

  control::PropertyValue ReadProperty(std::string_view key, const control::PropertyValue& defaultValue) override {
    com::UniqueVariant value;
    const HRESULT hr = bag_.Read(Wide(key).c_str(), value.put(), log_);
    // A bag answers E_INVALIDARG for an absent key.
    if (hr == E_INVALIDARG) return defaultValue;
    com::ThrowIfFailed(hr);
    // What the bag holds is followed as any caller's value is.
    com::UniqueVariant plain;
    if (FAILED(PlainValueOf(value, plain))) return control::BagValue(control::ValueKind::Other, {}, defaultValue);
    const control::ValueKind kind = Describe(plain).kind;
    return control::BagValue(kind, Held(kind, plain), defaultValue);
  }

  void WriteProperty(std::string_view key, const control::PropertyValue& value,
                     const control::PropertyValue&) override {
    com::UniqueVariant variant;
    if (const bool* b = std::get_if<bool>(&value)) {
      variant.vt = VT_BOOL;
      variant.boolVal = *b ? VARIANT_TRUE : VARIANT_FALSE;
    } else if (const int32_t* number = std::get_if<int32_t>(&value)) {
      variant.vt = VT_I4;
      variant.lVal = *number;
    } else {
      variant.vt = VT_I2;
      variant.iVal = control::ToInteger(value);
    }
    com::ThrowIfFailed(bag_.Write(Wide(key).c_str(), &variant));
  }

 private:
  // The value a plain VARIANT holds, for the kinds a bag's value may be.
  static control::PropertyValue Held(control::ValueKind kind, const VARIANT& value) {
    switch (value.vt) {
      // As automation converts a Boolean to a number: its bits as they are, so a
      // malformed True (5) stays 5 where a number is read and is True where a Boolean is.
      case VT_BOOL: return static_cast<int16_t>(value.boolVal);
      case VT_I2: return static_cast<int16_t>(value.iVal);
      case VT_I4: return static_cast<int32_t>(value.lVal);
      case VT_UI1: return static_cast<int32_t>(value.bVal);
      case VT_R4: return static_cast<double>(value.fltVal);
      case VT_R8: return value.dblVal;
      case VT_BSTR: return board::Narrow(value.bstrVal ? value.bstrVal : L"");
    }
    if (kind != control::ValueKind::Number) return {};
    // Other numbers, dates and currency go through automation's own conversion.
    com::UniqueVariant number;
    if (FAILED(ConvertPlainValue(value, VT_R8, number))) throw board::TypeMismatchError();
    return number.dblVal;
  }

  IPropertyBag& bag_;
  IErrorLog* log_;
};

}  // namespace

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::GetClassID(CLSID* id) noexcept {
  if (!id) return E_POINTER;
  *id = record_.classId;
  return S_OK;
}

template <class Core, class Face>
template <class Action>
HRESULT ControlObject<Core, Face>::Restore(Action&& readBag) {
  if (initialized_) return E_UNEXPECTED;  // a control is initialised or loaded once
  RETURN_IF_FAILED(Guard([&] { readBag(); }));
  initialized_ = true;
  dirty_ = false;
  return S_OK;
}

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::InitNew() noexcept {
  return Restore([&] { control_.UserControl_InitProperties(); });
}

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::InitNew(IStorage* storage) noexcept { return storage ? InitNew() : E_POINTER; }

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::Load(IStream* stream) noexcept {
  if (!stream) return E_POINTER;
  return Restore([&] {
    control::MemoryPropertyBag bag = ReadStream(*stream, record_.saved);
    control_.UserControl_ReadProperties(bag);
  });
}

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::Save(IStream* stream, BOOL clearDirty) noexcept {
  if (!stream) return E_POINTER;
  RETURN_IF_FAILED(Guard([&] {
    control::MemoryPropertyBag bag;
    control_.UserControl_WriteProperties(bag);
    WriteStream(*stream, bag, record_.saved);
  }));
  if (clearDirty) dirty_ = false;
  return S_OK;
}

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::GetSizeMax(ULARGE_INTEGER* size) noexcept {
  if (!size) return E_POINTER;
  size->QuadPart = control::NewestStreamSize(record_.saved);
  return S_OK;
}

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::Load(IStorage* storage) noexcept {
  if (!storage) return E_POINTER;
  com::ComPtr<IStream> stream;
  RETURN_IF_FAILED(storage->OpenStream(kContentsStream, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, stream.put()));
  return Load(stream.get());
}

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::Save(IStorage* storage, BOOL sameAsLoad) noexcept {
  if (!storage) return E_POINTER;
  RETURN_IF_FAILED(AnswerOf(storageMode_.Save(sameAsLoad != FALSE)));
  com::ComPtr<IStream> stream;
  RETURN_IF_FAILED(storage->CreateStream(kContentsStream, STGM_CREATE | STGM_WRITE | STGM_SHARE_EXCLUSIVE, 0, 0,
                                         stream.put()));
  return Save(stream.get(), TRUE);
}

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::SaveCompleted(IStorage* storage) noexcept {
  return AnswerOf(storageMode_.SaveCompleted(storage != nullptr));
}

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::HandsOffStorage() noexcept {
  storageMode_.HandsOff();
  return S_OK;
}

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::Load(IPropertyBag* bag, IErrorLog* log) noexcept {
  if (!bag) return E_POINTER;
  return Restore([&] {
    ContainerBag adapter(*bag, log);
    control_.UserControl_ReadProperties(adapter);
  });
}

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::Save(IPropertyBag* bag, BOOL clearDirty, BOOL) noexcept {
  if (!bag) return E_POINTER;
  RETURN_IF_FAILED(Guard([&] {
    ContainerBag adapter(*bag, nullptr);
    control_.UserControl_WriteProperties(adapter);
  }));
  if (clearDirty) dirty_ = false;
  return S_OK;
}


}  // namespace component
