// The control's two persisted properties through the three ways containers
// save controls. Each runs the control's own property handlers.
#include <windows.h>

#include <oleauto.h>

#include <cstring>
#include <string>

#include "board/text.h"
#include "component/chess_control.h"
#include "component/com/errors.h"
#include "component/com/unique.h"
#include "component/identity.h"
#include "component/variant_conversion.h"

namespace component {

namespace {

// Stream format, little-endian: "OVLB", version 1, payload size 4, then
// "Enabled" and "Piece" as 16-bit integers.
constexpr char kMagic[4] = {'O', 'V', 'L', 'B'};
constexpr uint16_t kStreamVersion = 1;
constexpr uint16_t kPayloadSize = 4;
constexpr ULONG kStreamSize = 12;
constexpr wchar_t kContentsStream[] = L"Contents";

board::AutomationError InvalidFormat() { return {321, "Invalid file format"}; }

void ReadExactly(IStream& stream, void* buffer, ULONG size) {
  ULONG read = 0;
  com::ThrowIfFailed(stream.Read(buffer, size, &read));
  if (read != size) throw InvalidFormat();
}

void WriteExactly(IStream& stream, const void* buffer, ULONG size) {
  ULONG written = 0;
  com::ThrowIfFailed(stream.Write(buffer, size, &written));
  if (written != size) throw com::PlatformFailure(STG_E_MEDIUMFULL);
}

control::MemoryPropertyBag ReadStream(IStream& stream) {
  unsigned char bytes[kStreamSize];
  ReadExactly(stream, bytes, sizeof bytes);
  auto word = [&](int at) { return static_cast<uint16_t>(bytes[at] | (bytes[at + 1] << 8)); };
  if (std::memcmp(bytes, kMagic, 4) != 0 || word(4) != kStreamVersion || word(6) != kPayloadSize)
    throw InvalidFormat();
  control::MemoryPropertyBag bag;
  bag.values["Enabled"] = static_cast<int16_t>(word(8)) != 0;
  bag.values["Piece"] = static_cast<int16_t>(word(10));
  return bag;
}

void WriteStream(IStream& stream, control::MemoryPropertyBag& bag) {
  const int16_t enabled = control::ToBoolean(bag.values["Enabled"]) ? -1 : 0;
  const int16_t piece = control::ToInteger(bag.values["Piece"]);
  unsigned char bytes[kStreamSize];
  std::memcpy(bytes, kMagic, 4);
  auto put = [&](int at, uint16_t value) {
    bytes[at] = static_cast<unsigned char>(value);
    bytes[at + 1] = static_cast<unsigned char>(value >> 8);
  };
  put(4, kStreamVersion);
  put(6, kPayloadSize);
  put(8, static_cast<uint16_t>(enabled));
  put(10, static_cast<uint16_t>(piece));
  WriteExactly(stream, bytes, sizeof bytes);
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
    // Only an absent key means the default (a bag answers E_INVALIDARG for
    // one). A key holding Empty is a value: automation reads it as False or 0.
    if (hr == E_INVALIDARG) return defaultValue;
    com::ThrowIfFailed(hr);
    // What the bag holds is followed as any caller's value is; one that leads
    // nowhere is a value of the wrong type.
    com::UniqueVariant plain;
    if (FAILED(PlainValueOf(value, plain))) throw board::TypeMismatchError();
    return FromVariant(plain);
  }

  void WriteProperty(std::string_view key, const control::PropertyValue& value,
                     const control::PropertyValue&) override {
    com::UniqueVariant variant;
    if (const bool* b = std::get_if<bool>(&value)) {
      variant.vt = VT_BOOL;
      variant.boolVal = *b ? VARIANT_TRUE : VARIANT_FALSE;
    } else {
      variant.vt = VT_I2;
      variant.iVal = control::ToInteger(value);
    }
    com::ThrowIfFailed(bag_.Write(Wide(key).c_str(), &variant));
  }

 private:
  static control::PropertyValue FromVariant(const VARIANT& value) {
    switch (value.vt) {
      // As automation converts a Boolean to a number: its bits as they are, so a
      // malformed True (5) stays 5 where a number is read and is True where a Boolean is.
      case VT_BOOL: return static_cast<int16_t>(value.boolVal);
      case VT_EMPTY: return std::monostate{};
      case VT_I2: return static_cast<int16_t>(value.iVal);
      case VT_I4: return static_cast<int32_t>(value.lVal);
      case VT_UI1: return static_cast<int32_t>(value.bVal);
      case VT_R4: return static_cast<double>(value.fltVal);
      case VT_R8: return value.dblVal;
      case VT_BSTR: {
        const std::wstring text(value.bstrVal ? value.bstrVal : L"");
        std::string narrow;
        for (wchar_t c : text) narrow.push_back(c < 128 ? static_cast<char>(c) : '?');
        return narrow;
      }
    }
    // Anything else goes through automation's own conversion to a number.
    com::UniqueVariant number;
    if (FAILED(ConvertPlainValue(value, VT_R8, number))) throw board::TypeMismatchError();
    return number.dblVal;
  }

  IPropertyBag& bag_;
  IErrorLog* log_;
};

}  // namespace

STDMETHODIMP ChessControl::GetClassID(CLSID* id) noexcept {
  if (!id) return E_POINTER;
  *id = identity::kClassId;
  return S_OK;
}

template <class Action>
HRESULT ChessControl::Restore(Action&& readBag) {
  if (initialized_) return E_UNEXPECTED;  // a control is initialised or loaded once
  RETURN_IF_FAILED(com::Guarded([&] { readBag(); }));
  initialized_ = true;
  dirty_ = false;
  return S_OK;
}

STDMETHODIMP ChessControl::InitNew() noexcept {
  return Restore([&] { control_.UserControl_InitProperties(); });
}

STDMETHODIMP ChessControl::InitNew(IStorage* storage) noexcept { return storage ? InitNew() : E_POINTER; }

STDMETHODIMP ChessControl::Load(IStream* stream) noexcept {
  if (!stream) return E_POINTER;
  return Restore([&] {
    control::MemoryPropertyBag bag = ReadStream(*stream);
    control_.UserControl_ReadProperties(bag);
  });
}

STDMETHODIMP ChessControl::Save(IStream* stream, BOOL clearDirty) noexcept {
  if (!stream) return E_POINTER;
  RETURN_IF_FAILED(com::Guarded([&] {
    control::MemoryPropertyBag bag;
    control_.UserControl_WriteProperties(bag);
    WriteStream(*stream, bag);
  }));
  if (clearDirty) dirty_ = false;
  return S_OK;
}

STDMETHODIMP ChessControl::GetSizeMax(ULARGE_INTEGER* size) noexcept {
  if (!size) return E_POINTER;
  size->QuadPart = kStreamSize;
  return S_OK;
}

STDMETHODIMP ChessControl::Load(IStorage* storage) noexcept {
  if (!storage) return E_POINTER;
  com::ComPtr<IStream> stream;
  RETURN_IF_FAILED(storage->OpenStream(kContentsStream, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, stream.put()));
  return Load(stream.get());
}

STDMETHODIMP ChessControl::Save(IStorage* storage, BOOL sameAsLoad) noexcept {
  if (!storage) return E_POINTER;
  RETURN_IF_FAILED(AnswerOf(storageMode_.Save(sameAsLoad != FALSE)));
  com::ComPtr<IStream> stream;
  RETURN_IF_FAILED(storage->CreateStream(kContentsStream, STGM_CREATE | STGM_WRITE | STGM_SHARE_EXCLUSIVE, 0, 0,
                                         stream.put()));
  return Save(stream.get(), TRUE);
}

STDMETHODIMP ChessControl::SaveCompleted(IStorage* storage) noexcept {
  return AnswerOf(storageMode_.SaveCompleted(storage != nullptr));
}

STDMETHODIMP ChessControl::HandsOffStorage() noexcept {
  storageMode_.HandsOff();
  return S_OK;
}

STDMETHODIMP ChessControl::Load(IPropertyBag* bag, IErrorLog* log) noexcept {
  if (!bag) return E_POINTER;
  return Restore([&] {
    ContainerBag adapter(*bag, log);
    control_.UserControl_ReadProperties(adapter);
  });
}

STDMETHODIMP ChessControl::Save(IPropertyBag* bag, BOOL clearDirty, BOOL) noexcept {
  if (!bag) return E_POINTER;
  RETURN_IF_FAILED(com::Guarded([&] {
    ContainerBag adapter(*bag, nullptr);
    control_.UserControl_WriteProperties(adapter);
  }));
  if (clearDirty) dirty_ = false;
  return S_OK;
}

}  // namespace component
