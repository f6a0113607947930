#include "component/chess_control.h"

#include <olectl.h>

#include "component/com/errors.h"
#include "component/com/unique.h"
#include "component/identity.h"
#include "component/type_library.h"

namespace component {

namespace {
constexpr const wchar_t* kMessageTitle = identity::kLibraryName;

VARIANT ByReference(VARTYPE type, void* value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BYREF | type;
  v.byref = value;
  return v;
}
}  // namespace

ChessControl::ChessControl()
    : platform_(*this, kMessageTitle),
      control_(platform_),
      events_(*this, identity::kEventInterfaceId),
      propertyNotifications_(*this, IID_IPropertyNotifySink) {
  platform_.Attach(control_);
}

ChessControl::~ChessControl() {
  DisconnectAccessible();
  platform_.Destroy();
}

HRESULT ChessControl::Initialize() {
  RETURN_IF_FAILED(com::Guarded([&] { control_.UserControl_Initialize(); }));
  const SIZE pixels = platform_.RequestedSize();
  // HIMETRIC at the screen's 96 pixels per inch.
  extent_ = {MulDiv(pixels.cx, 2540, 96), MulDiv(pixels.cy, 2540, 96)};
  return S_OK;
}

// _OvlChess

STDMETHODIMP ChessControl::get_Enabled(VARIANT_BOOL* Enabled) {
  if (!Enabled) return E_POINTER;
  return com::Guarded([&] { *Enabled = control_.Enabled() ? VARIANT_TRUE : VARIANT_FALSE; });
}

STDMETHODIMP ChessControl::put_Enabled(VARIANT_BOOL New_Enabled) {
  return com::Guarded([&] { control_.Enabled(New_Enabled != VARIANT_FALSE); });
}

STDMETHODIMP ChessControl::Refresh() {
  return com::Guarded([&] { control_.Refresh(); });
}

STDMETHODIMP ChessControl::NewGame() {
  return com::Guarded([&] { control_.NewGame(); });
}

STDMETHODIMP ChessControl::Clear() {
  return com::Guarded([&] { control_.Clear(); });
}

STDMETHODIMP ChessControl::get_Piece(short* col, short* row, PieceNum* Piece) {
  if (!col || !row || !Piece) return E_POINTER;
  return com::Guarded([&] { *Piece = static_cast<PieceNum>(control_.Piece(*col, *row)); });
}

STDMETHODIMP ChessControl::put_Piece(short* col, short* row, PieceNum New_Piece) {
  if (!col || !row) return E_POINTER;
  return com::Guarded([&] { control_.Piece(*col, *row, static_cast<int32_t>(New_Piece)); });
}

// Error information, type information

STDMETHODIMP ChessControl::InterfaceSupportsErrorInfo(REFIID iid) {
  return iid == identity::kDefaultInterfaceId ? S_OK : S_FALSE;
}

STDMETHODIMP ChessControl::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 1;
  return S_OK;
}

STDMETHODIMP ChessControl::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  if (index != 0) return DISP_E_BADINDEX;
  return TypeInfoOf(identity::kDefaultInterfaceId, info);
}

STDMETHODIMP ChessControl::GetClassInfo(ITypeInfo** info) { return TypeInfoOf(identity::kClassId, info); }

STDMETHODIMP ChessControl::GetGUID(DWORD kind, GUID* guid) {
  if (!guid) return E_POINTER;
  if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) return E_INVALIDARG;
  *guid = identity::kEventInterfaceId;
  return S_OK;
}

// Connection points

namespace {
class ConnectionPointList final : public com::ComObject<ConnectionPointList, IEnumConnectionPoints> {
 public:
  ConnectionPointList(std::vector<com::ComPtr<IConnectionPoint>> points, ULONG position = 0)
      : points_(std::move(points)), position_(position) {}

  STDMETHODIMP Next(ULONG count, IConnectionPoint** out, ULONG* fetched) override {
    if (!out || (count > 1 && !fetched)) return E_POINTER;
    ULONG n = 0;
    for (; n < count && position_ < points_.size(); ++n) points_[position_++].CopyTo(&out[n]);
    if (fetched) *fetched = n;
    return n == count ? S_OK : S_FALSE;
  }
  STDMETHODIMP Skip(ULONG count) override {
    position_ = std::min<size_t>(points_.size(), position_ + count);
    return position_ < points_.size() ? S_OK : S_FALSE;
  }
  STDMETHODIMP Reset() override {
    position_ = 0;
    return S_OK;
  }
  STDMETHODIMP Clone(IEnumConnectionPoints** clone) override {
    return Create(IID_IEnumConnectionPoints, reinterpret_cast<void**>(clone), points_, position_);
  }

 private:
  std::vector<com::ComPtr<IConnectionPoint>> points_;
  size_t position_;
};
}  // namespace

STDMETHODIMP ChessControl::EnumConnectionPoints(IEnumConnectionPoints** points) {
  std::vector<com::ComPtr<IConnectionPoint>> list{com::ComPtr<IConnectionPoint>(&events_),
                                                  com::ComPtr<IConnectionPoint>(&propertyNotifications_)};
  return ConnectionPointList::Create(IID_IEnumConnectionPoints, reinterpret_cast<void**>(points), std::move(list));
}

STDMETHODIMP ChessControl::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
  if (!point) return E_POINTER;
  *point = nullptr;
  for (ConnectionPoint* candidate : {&events_, &propertyNotifications_}) {
    if (candidate->Iid() == iid) return com::ComPtr<IConnectionPoint>(candidate).CopyTo(point);
  }
  return CONNECT_E_NOCONNECTION;
}

// What the window asks of the container

void ChessControl::FireEvent(control::ControlEvent event, control::EventArguments& a) {
  if (frozenEvents_ > 0) return;
  // Arguments stand in reverse order; every one is passed by reference.
  VARIANT arguments[] = {ByReference(VT_R4, &a.Y),      ByReference(VT_R4, &a.X),
                         ByReference(VT_I2, &a.Shift),  ByReference(VT_I2, &a.Button),
                         ByReference(VT_I2, &a.row),    ByReference(VT_I2, &a.col)};
  const bool mouse = event >= control::ControlEvent::MouseDown;
  DISPPARAMS parameters{mouse ? arguments : arguments + 4, nullptr, mouse ? 6u : 2u, 0};
  for (const auto& sink : events_.Sinks<IDispatch>()) {
    sink->Invoke(static_cast<DISPID>(event), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters, nullptr,
                 nullptr, nullptr);
  }
}

void ChessControl::NotifyPropertyChanged(std::string_view name) {
  dirty_ = true;
  const DISPID id = name == "Piece" ? identity::kPieceId : identity::kEnabledId;
  // OnChanged's result carries nothing: containers return what they like.
  for (const auto& sink : propertyNotifications_.Sinks<IPropertyNotifySink>()) sink->OnChanged(id);
}

bool ChessControl::AmbientUserMode() {
  if (auto ambient = clientSite_.As<IDispatch>()) {
    com::UniqueVariant value;
    DISPPARAMS none{};
    if (SUCCEEDED(ambient->Invoke(DISPID_AMBIENT_USERMODE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET,
                                  &none, value.put(), nullptr, nullptr)) &&
        SUCCEEDED(VariantChangeType(&value, &value, 0, VT_BOOL))) {
      return value.boolVal != VARIANT_FALSE;
    }
  }
  // No site, or one that does not answer: a running host.
  return quickActivateUserMode_.value_or(true);
}

}  // namespace component
