#include "component/chess_control.h"

#include <olectl.h>

#include "component/automation_interface.h"
#include "component/com/enumerator.h"
#include "component/com/errors.h"
#include "component/com/unique.h"
#include "component/identity.h"
#include "component/type_library.h"
#include "component/variant_conversion.h"

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
      control_(platform_, *this),
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

STDMETHODIMP ChessControl::get_Enabled(VARIANT_BOOL* Enabled) noexcept {
  if (!Enabled) return E_POINTER;
  return com::Guarded([&] { *Enabled = control_.Enabled() ? VARIANT_TRUE : VARIANT_FALSE; });
}

STDMETHODIMP ChessControl::put_Enabled(VARIANT_BOOL New_Enabled) noexcept {
  return com::Guarded([&] { control_.Enabled(New_Enabled != VARIANT_FALSE); });
}

STDMETHODIMP ChessControl::Refresh() noexcept {
  return com::Guarded([&] { control_.Refresh(); });
}

STDMETHODIMP ChessControl::NewGame() noexcept {
  return com::Guarded([&] { control_.NewGame(); });
}

STDMETHODIMP ChessControl::Clear() noexcept {
  return com::Guarded([&] { control_.Clear(); });
}

STDMETHODIMP ChessControl::get_Piece(short* col, short* row, PieceNum* Piece) noexcept {
  if (!col || !row || !Piece) return E_POINTER;
  return com::Guarded([&] { *Piece = static_cast<PieceNum>(control_.Piece(*col, *row)); });
}

STDMETHODIMP ChessControl::put_Piece(short* col, short* row, PieceNum New_Piece) noexcept {
  if (!col || !row) return E_POINTER;
  return com::Guarded([&] { control_.Piece(*col, *row, static_cast<int32_t>(New_Piece)); });
}

// Error information, type information

STDMETHODIMP ChessControl::InterfaceSupportsErrorInfo(REFIID iid) noexcept {
  return iid == identity::kDefaultInterfaceId ? S_OK : S_FALSE;
}

STDMETHODIMP ChessControl::GetTypeInfoCount(UINT* count) noexcept {
  if (!count) return E_POINTER;
  *count = 1;
  return S_OK;
}

STDMETHODIMP ChessControl::GetTypeInfo(UINT index, LCID, ITypeInfo** info) noexcept {
  if (!info) return E_POINTER;
  *info = nullptr;
  if (index != 0) return DISP_E_BADINDEX;
  return TypeInfoOf(identity::kDefaultInterfaceId, info);
}

STDMETHODIMP ChessControl::GetClassInfo(ITypeInfo** info) noexcept { return TypeInfoOf(identity::kClassId, info); }

STDMETHODIMP ChessControl::GetGUID(DWORD kind, GUID* guid) noexcept {
  if (!guid) return E_POINTER;
  if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) return E_INVALIDARG;
  *guid = identity::kEventInterfaceId;
  return S_OK;
}

// Connection points

namespace {
void CopyPoint(const com::ComPtr<IConnectionPoint>& point, IConnectionPoint*& out) { point.CopyTo(&out); }
using ConnectionPointList =
    com::Enumerator<IEnumConnectionPoints, IConnectionPoint*, com::ComPtr<IConnectionPoint>, CopyPoint>;
}  // namespace

STDMETHODIMP ChessControl::EnumConnectionPoints(IEnumConnectionPoints** points) noexcept {
  return com::Guarded([&] {
    return ConnectionPointList::Over({com::ComPtr<IConnectionPoint>(&events_),
                                      com::ComPtr<IConnectionPoint>(&propertyNotifications_)},
                                     points);
  });
}

STDMETHODIMP ChessControl::FindConnectionPoint(REFIID iid, IConnectionPoint** point) noexcept {
  if (!point) return E_POINTER;
  *point = nullptr;
  for (ConnectionPoint* candidate : {&events_, &propertyNotifications_}) {
    if (candidate->Iid() == iid) return com::ComPtr<IConnectionPoint>(candidate).CopyTo(point);
  }
  return CONNECT_E_NOCONNECTION;
}

// What the control asks of its container

void ChessControl::RaiseEvent(control::ControlEvent event, control::EventArguments& a) noexcept {
  const auto index = static_cast<size_t>(event) - 1;  // the core numbers its events from 1
  if (frozenEvents_ > 0 || index >= std::size(automation::kEvents)) return;
  const automation::Member& member = automation::kEvents[index];
  // Arguments stand in reverse order, so an event's own are the last of these;
  // every one is passed by reference.
  VARIANT arguments[] = {ByReference(VT_R4, &a.Y),      ByReference(VT_R4, &a.X),
                         ByReference(VT_I2, &a.Shift),  ByReference(VT_I2, &a.Button),
                         ByReference(VT_I2, &a.row),    ByReference(VT_I2, &a.col)};
  const UINT count = static_cast<UINT>(member.parameters.size());
  DISPPARAMS parameters{std::end(arguments) - count, nullptr, count, 0};
  // A sink list that cannot be copied drops this event, as a full message queue would.
  com::Guarded([&] {
    for (const auto& sink : events_.Sinks<IDispatch>())
      sink->Invoke(member.id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters, nullptr, nullptr, nullptr);
  });
}

void ChessControl::PropertyChanged(std::string_view name) noexcept {
  dirty_ = true;
  const DISPID id = automation::IdOf(name);
  // OnChanged's result carries nothing: containers return what they like.
  com::Guarded([&] {
    for (const auto& sink : propertyNotifications_.Sinks<IPropertyNotifySink>()) sink->OnChanged(id);
  });
}

void ChessControl::HoldObject() noexcept {
  ++inputHolds_;
  AddRef();
}

void ChessControl::ReleaseObject() noexcept {
  --inputHolds_;
  Release();
}

// The reference count as it stands is what AddRef and Release answer; the base's
// pair, since this class's Release may deactivate.
bool ChessControl::HeldByHost() noexcept {
  ComObject::AddRef();
  return ComObject::Release() > inputHolds_;
}

bool ChessControl::ReadAmbient(DISPID id, VARTYPE type, com::UniqueVariant& value) noexcept {
  auto ambient = clientSite_.As<IDispatch>();
  DISPPARAMS none{};
  com::UniqueVariant answer;
  // An ambient the container answers with something that does not convert counts as absent.
  return ambient &&
         SUCCEEDED(ambient->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, answer.put(),
                                   nullptr, nullptr)) &&
         SUCCEEDED(ConvertCallerValue(answer, type, value));
}

bool ChessControl::AmbientUserMode() noexcept {
  com::UniqueVariant userMode;
  if (ReadAmbient(DISPID_AMBIENT_USERMODE, VT_BOOL, userMode)) return userMode.boolVal != VARIANT_FALSE;
  // No site, or one that does not answer: a running host.
  return quickActivateUserMode_.value_or(true);
}

void ChessControl::FollowAmbientBackColor() noexcept {
  com::UniqueVariant colour;
  COLORREF rgb = GetSysColor(COLOR_BTNFACE);
  // An OLE_COLOR is unsigned: system colours have the top bit set.
  if (ReadAmbient(DISPID_AMBIENT_BACKCOLOR, VT_UI4, colour)) OleTranslateColor(colour.ulVal, nullptr, &rgb);
  platform_.SetBackground(control::win32::PixelOf(rgb));
}

}  // namespace component
