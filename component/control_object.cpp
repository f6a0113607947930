// Construction, the members every face starts with, type and class
// information, connection points, and what the core asks of its container.
#include "component/control_object.h"

#include <olectl.h>

#include <algorithm>
#include <array>
#include <variant>

#include "component/com/enumerator.h"
#include "component/com/errors.h"
#include "component/com/unique.h"
#include "component/identity.h"
#include "component/type_library.h"
#include "component/variant_conversion.h"
#include "control/ovl_board.h"

// The control object's parts, one file each; instantiated once at the end of this file.
#include "component/control_object_dispatch.inl"
#include "component/control_object_embedding.inl"
#include "component/control_object_focus.inl"
#include "component/control_object_persistence.inl"
#include "component/control_object_safety.inl"

namespace component {

namespace {
constexpr const wchar_t* kMessageTitle = identity::kLibraryName;
}  // namespace

template <class Core, class Face>
ControlObject<Core, Face>::ControlObject(const automation::ControlClass& record)
    : record_(record),
      errorOrigin_{record.interfaceId, record.progId.data()},
      platform_(*this, kMessageTitle),
      control_(platform_, *this),
      events_(*this, record.eventsId),
      propertyNotifications_(*this, IID_IPropertyNotifySink) {
  platform_.Attach(control_);
}

template <class Core, class Face>
ControlObject<Core, Face>::~ControlObject() {
  DisconnectAccessible();
  platform_.Destroy();
}

template <class Core, class Face>
HRESULT ControlObject<Core, Face>::Initialize() {
  return Guard([&] { control_.UserControl_Initialize(); });
}

// The members every face starts with

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::get_Enabled(VARIANT_BOOL* Enabled) noexcept {
  return GetBoolean(Enabled, [](Core& control) { return control.Enabled(); });
}

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::put_Enabled(VARIANT_BOOL New_Enabled) noexcept {
  return PutBoolean(New_Enabled, [](Core& control, bool value) { control.Enabled(value); });
}

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::Refresh() noexcept {
  return Guard([&] { control_.Refresh(); });
}

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::NewGame() noexcept {
  return Guard([&] { control_.NewGame(); });
}

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::Clear() noexcept {
  return Guard([&] { control_.Clear(); });
}

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::get_Piece(short* col, short* row, PieceNum* Piece) noexcept {
  if (!col || !row || !Piece) return E_POINTER;
  return Guard([&] { *Piece = static_cast<PieceNum>(control_.Piece(*col, *row)); });
}

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::put_Piece(short* col, short* row, PieceNum New_Piece) noexcept {
  if (!col || !row) return E_POINTER;
  return Guard([&] { control_.Piece(*col, *row, static_cast<int32_t>(New_Piece)); });
}

// Error information, type information

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::InterfaceSupportsErrorInfo(REFIID iid) noexcept {
  return iid == record_.interfaceId ? S_OK : S_FALSE;
}

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::GetTypeInfoCount(UINT* count) noexcept {
  if (!count) return E_POINTER;
  *count = 1;
  return S_OK;
}

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::GetTypeInfo(UINT index, LCID, ITypeInfo** info) noexcept {
  if (!info) return E_POINTER;
  *info = nullptr;
  if (index != 0) return DISP_E_BADINDEX;
  return TypeInfoOf(record_.interfaceId, info);
}

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::GetClassInfo(ITypeInfo** info) noexcept {
  return TypeInfoOf(record_.classId, info);
}

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::GetGUID(DWORD kind, GUID* guid) noexcept {
  if (!guid) return E_POINTER;
  if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) return E_INVALIDARG;
  *guid = record_.eventsId;
  return S_OK;
}

// Connection points

namespace {
void CopyPoint(const com::ComPtr<IConnectionPoint>& point, IConnectionPoint*& out) { point.CopyTo(&out); }
using ConnectionPointList =
    com::Enumerator<IEnumConnectionPoints, IConnectionPoint*, com::ComPtr<IConnectionPoint>, CopyPoint>;
}  // namespace

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::EnumConnectionPoints(IEnumConnectionPoints** points) noexcept {
  return Guard([&] {
    return ConnectionPointList::Over({com::ComPtr<IConnectionPoint>(&events_),
                                      com::ComPtr<IConnectionPoint>(&propertyNotifications_)},
                                     points);
  });
}

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::FindConnectionPoint(REFIID iid, IConnectionPoint** point) noexcept {
  if (!point) return E_POINTER;
  *point = nullptr;
  for (ConnectionPoint* candidate : {&events_, &propertyNotifications_}) {
    if (candidate->Iid() == iid) return com::ComPtr<IConnectionPoint>(candidate).CopyTo(point);
  }
  return CONNECT_E_NOCONNECTION;
}

// What the control asks of its container

namespace {
VARIANT ByReference(VARTYPE type, void* value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BYREF | type;
  v.byref = value;
  return v;
}

// An event's arguments as DISPPARAMS takes them: every one by reference, the
// last first. A Boolean goes through a VARIANT_BOOL, read back after the handlers.
class EventVariants {
 public:
  EventVariants(const control::EventCall& call, size_t parameters) {
    std::visit([this](auto* arguments) { arguments->ForEach([this](auto& field) { Add(field); }); }, call.arguments);
    // The event's own are the first of the core's fields (Click takes only col and row).
    count_ = std::min(count_, parameters);
    std::reverse(variants_.begin(), variants_.begin() + static_cast<std::ptrdiff_t>(count_));
  }
  EventVariants(const EventVariants&) = delete;
  EventVariants& operator=(const EventVariants&) = delete;

  DISPPARAMS Parameters() { return {variants_.data(), nullptr, static_cast<UINT>(count_), 0}; }
  void ReadBack() const {
    if (boolean_) *boolean_ = booleanVariant_ != VARIANT_FALSE;
  }

 private:
  void Add(int16_t& field) { variants_.at(count_++) = ByReference(VT_I2, &field); }
  void Add(int32_t& field) { variants_.at(count_++) = ByReference(VT_I4, &field); }
  void Add(float& field) { variants_.at(count_++) = ByReference(VT_R4, &field); }
  void Add(bool& field) {
    boolean_ = &field;
    booleanVariant_ = field ? VARIANT_TRUE : VARIANT_FALSE;
    variants_.at(count_++) = ByReference(VT_BOOL, &booleanVariant_);
  }

  std::array<VARIANT, 6> variants_{};
  size_t count_ = 0;
  bool* boolean_ = nullptr;
  VARIANT_BOOL booleanVariant_ = VARIANT_FALSE;
};
}  // namespace

// Every sink is called from here, with nothing between: a handler runs one frame above this.
template <class Core, class Face>
bool ControlObject<Core, Face>::Raise(control::EventCall call) noexcept {
  const automation::Member* event = automation::EventOf(static_cast<DISPID>(call.event), record_);
  if (!event || frozenEvents_ > 0) return false;
  EventVariants arguments(call, event->parameters.size());
  std::vector<com::ComPtr<IDispatch>> sinks;
  // A sink list that cannot be copied drops this event, as a full message queue would.
  if (FAILED(com::Guarded([&] { sinks = events_.template Sinks<IDispatch>(); }))) return true;
  DISPPARAMS parameters = arguments.Parameters();
  for (const auto& sink : sinks)
    sink->Invoke(event->id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters, nullptr, nullptr, nullptr);
  arguments.ReadBack();
  return true;
}

template <class Core, class Face>
void ControlObject<Core, Face>::PropertyChanged(std::string_view name) noexcept {
  dirty_ = true;
  const DISPID id = automation::IdOf(name, record_);
  // OnChanged's result carries nothing: containers return what they like.
  com::Guarded([&] {
    for (const auto& sink : propertyNotifications_.template Sinks<IPropertyNotifySink>()) sink->OnChanged(id);
  });
}

template <class Core, class Face>
void ControlObject<Core, Face>::HoldObject() noexcept {
  ++inputHolds_;
}

// The last input's end releases the reference FinalRelease kept for it.
template <class Core, class Face>
void ControlObject<Core, Face>::ReleaseObject() noexcept {
  if (--inputHolds_ == 0 && releasedByHost_) this->Release();
}

template <class Core, class Face>
bool ControlObject<Core, Face>::HeldByHost() noexcept {
  return !releasedByHost_;
}

template <class Core, class Face>
bool ControlObject<Core, Face>::ReadAmbient(DISPID id, VARTYPE type, com::UniqueVariant& value) noexcept {
  auto ambient = clientSite_.template As<IDispatch>();
  DISPPARAMS none{};
  com::UniqueVariant answer;
  // An ambient the container answers with something that does not convert counts as absent.
  return ambient &&
         SUCCEEDED(ambient->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, answer.put(),
                                   nullptr, nullptr)) &&
         SUCCEEDED(ConvertCallerValue(answer, type, value));
}

template <class Core, class Face>
bool ControlObject<Core, Face>::AmbientUserMode() noexcept {
  com::UniqueVariant userMode;
  if (ReadAmbient(DISPID_AMBIENT_USERMODE, VT_BOOL, userMode)) return userMode.boolVal != VARIANT_FALSE;
  // No site, or one that does not answer: a running host.
  return quickActivateUserMode_.value_or(true);
}

template <class Core, class Face>
void ControlObject<Core, Face>::FollowAmbientBackColor() noexcept {
  com::UniqueVariant colour;
  COLORREF rgb = GetSysColor(COLOR_BTNFACE);
  // An OLE_COLOR is unsigned: system colours have the top bit set.
  if (ReadAmbient(DISPID_AMBIENT_BACKCOLOR, VT_UI4, colour)) OleTranslateColor(colour.ulVal, nullptr, &rgb);
  platform_.SetBackground(control::win32::PixelOf(rgb));
}

// The parts' definitions are included above, so both classes are instantiated
// here once, with every member.
template class ControlObject<control::OvlChess, _OvlChess>;
template class ControlObject<control::OvlBoard, _OvlBoard>;

}  // namespace component
