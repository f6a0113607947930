#pragma once

#include <ocidl.h>
#include <oleidl.h>
#include <windows.h>

#include <memory>
#include <optional>

#include "component/automation_interface.h"
#include "component/com/com_object.h"
#include "component/com/com_ptr.h"
#include "component/com/object_safety_uuid.h"
#include "component/com/unique.h"
#include "component/connection_point.h"
#include "component/msaa_board.h"
#include "component/msaa_promotion_list.h"
#include "control/object_safety.h"
#include "control/storage_mode.h"
#include "control/win32/window_platform.h"
#include "orvel_board.h"

namespace component {

// What every class of the library is as a COM object, over its core `Core`
// (the portable control) and its dual interface `Face`: IDispatch driven by
// the class's record, the five members every face starts with, the interfaces
// containers ask of a control (embedding, view, persistence, safety), the
// board's accessible object, and the connection points its events and change
// notifications leave by. A face adds its own members and nothing else.
//
// The members are defined in the control_object*.cpp files, one part each,
// and instantiated there for both classes.
template <class Core, class Face>
class ControlObject
    : public com::ComObject<ControlObject<Core, Face>, Face, ISupportErrorInfo, IProvideClassInfo2,
                            IConnectionPointContainer, IOleObject, IOleInPlaceObject, IOleInPlaceActiveObject,
                            IOleControl, IViewObject2, IQuickActivate, IPersistStreamInit, IPersistStorage,
                            IPersistPropertyBag, IObjectSafety>,
      private control::Container,
      private control::win32::ContainerServices {
  using Base = com::ComObject<ControlObject<Core, Face>, Face, ISupportErrorInfo, IProvideClassInfo2,
                              IConnectionPointContainer, IOleObject, IOleInPlaceObject, IOleInPlaceActiveObject,
                              IOleControl, IViewObject2, IQuickActivate, IPersistStreamInit, IPersistStorage,
                              IPersistPropertyBag, IObjectSafety>;

 public:
  ~ControlObject() override;
  // Construction runs the control's own; a failure there fails the creation.
  HRESULT Initialize();
  // Run by ComObject when the last reference goes.
  bool FinalRelease() noexcept;

  // IDispatch: type information here, names and calls in control_object_dispatch.inl
  STDMETHODIMP GetTypeInfoCount(UINT* count) noexcept override;
  STDMETHODIMP GetTypeInfo(UINT index, LCID, ITypeInfo** info) noexcept override;
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) noexcept override;
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                      EXCEPINFO* exception, UINT* argumentError) noexcept override;
  // The members every face starts with
  STDMETHODIMP get_Enabled(VARIANT_BOOL* Enabled) noexcept override;
  STDMETHODIMP put_Enabled(VARIANT_BOOL New_Enabled) noexcept override;
  STDMETHODIMP Refresh() noexcept override;
  STDMETHODIMP NewGame() noexcept override;
  STDMETHODIMP Clear() noexcept override;
  STDMETHODIMP get_Piece(short* col, short* row, PieceNum* Piece) noexcept override;
  STDMETHODIMP put_Piece(short* col, short* row, PieceNum New_Piece) noexcept override;

  // ISupportErrorInfo
  STDMETHODIMP InterfaceSupportsErrorInfo(REFIID iid) noexcept override;
  // IProvideClassInfo2
  STDMETHODIMP GetClassInfo(ITypeInfo** info) noexcept override;
  STDMETHODIMP GetGUID(DWORD kind, GUID* guid) noexcept override;
  // IConnectionPointContainer
  STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** points) noexcept override;
  STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** point) noexcept override;

  // IOleObject
  STDMETHODIMP SetClientSite(IOleClientSite* site) noexcept override;
  STDMETHODIMP GetClientSite(IOleClientSite** site) noexcept override;
  STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) noexcept override { return S_OK; }
  STDMETHODIMP Close(DWORD) noexcept override;
  STDMETHODIMP SetMoniker(DWORD, IMoniker*) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP GetClipboardData(DWORD, IDataObject**) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent, LPCRECT position) noexcept override;
  STDMETHODIMP EnumVerbs(IEnumOLEVERB** verbs) noexcept override;
  STDMETHODIMP Update() noexcept override { return S_OK; }
  STDMETHODIMP IsUpToDate() noexcept override { return S_OK; }
  STDMETHODIMP GetUserClassID(CLSID* id) noexcept override { return GetClassID(id); }
  STDMETHODIMP GetUserType(DWORD form, LPOLESTR* type) noexcept override;
  STDMETHODIMP SetExtent(DWORD aspect, SIZEL* size) noexcept override;
  STDMETHODIMP GetExtent(DWORD aspect, SIZEL* size) noexcept override;
  STDMETHODIMP Advise(IAdviseSink* sink, DWORD* cookie) noexcept override;
  STDMETHODIMP Unadvise(DWORD cookie) noexcept override;
  STDMETHODIMP EnumAdvise(IEnumSTATDATA** advises) noexcept override;
  STDMETHODIMP GetMiscStatus(DWORD aspect, DWORD* status) noexcept override;
  STDMETHODIMP SetColorScheme(LOGPALETTE*) noexcept override { return E_NOTIMPL; }

  // IOleWindow, IOleInPlaceObject, IOleInPlaceActiveObject
  STDMETHODIMP GetWindow(HWND* window) noexcept override;
  STDMETHODIMP ContextSensitiveHelp(BOOL) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP InPlaceDeactivate() noexcept override;
  STDMETHODIMP UIDeactivate() noexcept override;
  STDMETHODIMP SetObjectRects(LPCRECT position, LPCRECT clip) noexcept override;
  STDMETHODIMP ReactivateAndUndo() noexcept override { return E_NOTIMPL; }
  STDMETHODIMP TranslateAccelerator(LPMSG message) noexcept override;
  STDMETHODIMP OnFrameWindowActivate(BOOL) noexcept override { return S_OK; }
  STDMETHODIMP OnDocWindowActivate(BOOL) noexcept override { return S_OK; }
  STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) noexcept override { return S_OK; }
  STDMETHODIMP EnableModeless(BOOL) noexcept override { return S_OK; }

  // IOleControl
  STDMETHODIMP GetControlInfo(CONTROLINFO* info) noexcept override;
  STDMETHODIMP OnMnemonic(MSG*) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP OnAmbientPropertyChange(DISPID id) noexcept override;
  STDMETHODIMP FreezeEvents(BOOL freeze) noexcept override;

  // IViewObject2
  STDMETHODIMP Draw(DWORD aspect, LONG part, void*, DVTARGETDEVICE*, HDC, HDC dc, LPCRECTL bounds, LPCRECTL,
                    BOOL(STDMETHODCALLTYPE* keepGoing)(ULONG_PTR), ULONG_PTR keepGoingArgument) noexcept override;
  STDMETHODIMP GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE**) noexcept override {
    return E_NOTIMPL;
  }
  STDMETHODIMP Freeze(DWORD, LONG, void*, DWORD*) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP Unfreeze(DWORD) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) noexcept override;
  STDMETHODIMP GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) noexcept override;
  STDMETHODIMP GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) noexcept override;

  // IQuickActivate
  STDMETHODIMP QuickActivate(QACONTAINER* container, QACONTROL* control) noexcept override;
  STDMETHODIMP SetContentExtent(LPSIZEL size) noexcept override { return SetExtent(DVASPECT_CONTENT, size); }
  STDMETHODIMP GetContentExtent(LPSIZEL size) noexcept override { return GetExtent(DVASPECT_CONTENT, size); }

  // IPersist, IPersistStreamInit, IPersistStorage, IPersistPropertyBag
  STDMETHODIMP GetClassID(CLSID* id) noexcept override;
  STDMETHODIMP IsDirty() noexcept override { return dirty_ ? S_OK : S_FALSE; }
  STDMETHODIMP Load(IStream* stream) noexcept override;
  STDMETHODIMP Save(IStream* stream, BOOL clearDirty) noexcept override;
  STDMETHODIMP GetSizeMax(ULARGE_INTEGER* size) noexcept override;
  STDMETHODIMP InitNew() noexcept override;
  STDMETHODIMP InitNew(IStorage* storage) noexcept override;
  STDMETHODIMP Load(IStorage* storage) noexcept override;
  STDMETHODIMP Save(IStorage* storage, BOOL sameAsLoad) noexcept override;
  STDMETHODIMP SaveCompleted(IStorage* storage) noexcept override;
  STDMETHODIMP HandsOffStorage() noexcept override;
  STDMETHODIMP Load(IPropertyBag* bag, IErrorLog* log) noexcept override;
  STDMETHODIMP Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) noexcept override;

  // IObjectSafety (control_object_safety.inl)
  STDMETHODIMP GetInterfaceSafetyOptions(REFIID iid, DWORD* supported, DWORD* enabled) noexcept override;
  STDMETHODIMP SetInterfaceSafetyOptions(REFIID iid, DWORD mask, DWORD enabled) noexcept override;

 protected:
  explicit ControlObject(const automation::ControlClass& record);

  Core& Control() { return control_; }
  // A Boolean property's get and put through the core's `read` and `write`.
  template <class Read>
  HRESULT GetBoolean(VARIANT_BOOL* value, Read read) noexcept {
    if (!value) return E_POINTER;
    return Guard([&] { *value = read(control_) ? VARIANT_TRUE : VARIANT_FALSE; });
  }
  template <class Write>
  HRESULT PutBoolean(VARIANT_BOOL value, Write write) noexcept {
    return Guard([&] { write(control_, value != VARIANT_FALSE); });
  }
  // Runs a member's action with the class's own error source.
  template <class Action>
  HRESULT Guard(Action&& action) noexcept {
    return com::Guarded(&errorOrigin_, std::forward<Action>(action));
  }

 private:
  // Container: the control's one way to its container.
  bool Raise(control::EventCall call) noexcept override;
  void PropertyChanged(std::string_view name) noexcept override;
  bool AmbientUserMode() noexcept override;
  void HoldObject() noexcept override;
  void ReleaseObject() noexcept override;
  bool HeldByHost() noexcept override;
  // ContainerServices
  void FocusChanged(bool focused) noexcept override;
  LRESULT AccessibleObject(WPARAM flags) noexcept override;
  LRESULT PromotionListObject(WPARAM flags) noexcept override;

  void UIActivate();
  // What `iid` is for, in the safety options' terms; E_NOINTERFACE for an interface the control lacks.
  HRESULT UseOf(REFIID iid, control::InterfaceUse& use) noexcept;
  // Reads an ambient property of the container, converted to `type`; false when it has none.
  bool ReadAmbient(DISPID id, VARTYPE type, com::UniqueVariant& value) noexcept;
  void FollowAmbientBackColor() noexcept;
  std::wstring AmbientDisplayName();
  // The window is going: screen readers holding the board's object are let go.
  void DisconnectAccessible();

  HRESULT InPlaceActivate(LONG verb, HWND parent, LPCRECT position);
  template <class Action>
  HRESULT Restore(Action&& readBag);

  const automation::ControlClass& record_;
  // The record's ProgID is a whole constant string, so its view ends in a null.
  const com::ErrorOrigin errorOrigin_;
  control::win32::WindowPlatform platform_;
  Core control_;
  ConnectionPoint events_;
  ConnectionPoint propertyNotifications_;
  com::ComPtr<IOleClientSite> clientSite_;
  com::ComPtr<IOleInPlaceSite> inPlaceSite_;
  com::ComPtr<IOleAdviseHolder> adviseHolder_;
  com::ComPtr<IAdviseSink> viewSink_;
  DWORD viewAspects_ = 0;
  DWORD viewAdviseFlags_ = 0;
  std::optional<bool> quickActivateUserMode_;
  long frozenEvents_ = 0;
  // Inputs running: the object outlives the host's last reference until they end.
  ULONG inputHolds_ = 0;
  bool releasedByHost_ = false;
  bool initialized_ = false;
  bool dirty_ = false;
  control::StorageMode storageMode_;
  bool uiActive_ = false;
  control::SafetyOptions safety_;
  com::ComPtr<MsaaBoard> accessible_;
  com::ComPtr<MsaaPromotionList> promotionList_;
  // Where the control registered itself as the active object while UI active.
  com::ComPtr<IOleInPlaceFrame> activeFrame_;
  com::ComPtr<IOleInPlaceUIWindow> activeDocument_;
};

}  // namespace component
