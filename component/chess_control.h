#pragma once

#include <ocidl.h>
#include <oleidl.h>
#include <windows.h>

#include <memory>
#include <optional>

#include "component/com/com_object.h"
#include "component/board_accessible.h"
#include "component/com/com_ptr.h"
#include "component/connection_point.h"
#include "control/ovl_chess.h"
#include "control/win32/window_platform.h"
#include "orvel_board.h"

namespace component {

// The control as a COM object: the automation interface over the core, the
// interfaces containers ask of a control, and the connection points its events
// and change notifications leave by.
class ChessControl final
    : public com::ComObject<ChessControl, _OvlChess, ISupportErrorInfo, IProvideClassInfo2,
                            IConnectionPointContainer, IOleObject, IOleInPlaceObject, IOleInPlaceActiveObject,
                            IOleControl, IViewObject2, IQuickActivate, IPersistStreamInit, IPersistStorage,
                            IPersistPropertyBag>,
      private control::win32::ContainerServices {
 public:
  ChessControl();
  ~ChessControl() override;
  // Construction runs the control's own; a failure there fails the creation.
  HRESULT Initialize();

  // IDispatch
  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT index, LCID, ITypeInfo** info) override;
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                      EXCEPINFO* exception, UINT* argumentError) override;
  // _OvlChess
  STDMETHODIMP get_Enabled(VARIANT_BOOL* Enabled) override;
  STDMETHODIMP put_Enabled(VARIANT_BOOL New_Enabled) override;
  STDMETHODIMP Refresh() override;
  STDMETHODIMP NewGame() override;
  STDMETHODIMP Clear() override;
  STDMETHODIMP get_Piece(short* col, short* row, PieceNum* Piece) override;
  STDMETHODIMP put_Piece(short* col, short* row, PieceNum New_Piece) override;

  // ISupportErrorInfo
  STDMETHODIMP InterfaceSupportsErrorInfo(REFIID iid) override;
  // IProvideClassInfo2
  STDMETHODIMP GetClassInfo(ITypeInfo** info) override;
  STDMETHODIMP GetGUID(DWORD kind, GUID* guid) override;
  // IConnectionPointContainer
  STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** points) override;
  STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

  // IOleObject
  STDMETHODIMP SetClientSite(IOleClientSite* site) override;
  STDMETHODIMP GetClientSite(IOleClientSite** site) override;
  STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
  STDMETHODIMP Close(DWORD) override;
  STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
  STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
  STDMETHODIMP GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
  STDMETHODIMP DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent, LPCRECT position) override;
  STDMETHODIMP EnumVerbs(IEnumOLEVERB** verbs) override;
  STDMETHODIMP Update() override { return S_OK; }
  STDMETHODIMP IsUpToDate() override { return S_OK; }
  STDMETHODIMP GetUserClassID(CLSID* id) override { return GetClassID(id); }
  STDMETHODIMP GetUserType(DWORD form, LPOLESTR* type) override;
  STDMETHODIMP SetExtent(DWORD aspect, SIZEL* size) override;
  STDMETHODIMP GetExtent(DWORD aspect, SIZEL* size) override;
  STDMETHODIMP Advise(IAdviseSink* sink, DWORD* cookie) override;
  STDMETHODIMP Unadvise(DWORD cookie) override;
  STDMETHODIMP EnumAdvise(IEnumSTATDATA** advises) override;
  STDMETHODIMP GetMiscStatus(DWORD aspect, DWORD* status) override;
  STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

  // IOleWindow, IOleInPlaceObject, IOleInPlaceActiveObject
  STDMETHODIMP GetWindow(HWND* window) override;
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP InPlaceDeactivate() override;
  STDMETHODIMP UIDeactivate() override;
  STDMETHODIMP SetObjectRects(LPCRECT position, LPCRECT clip) override;
  STDMETHODIMP ReactivateAndUndo() override { return E_NOTIMPL; }
  STDMETHODIMP TranslateAccelerator(LPMSG message) noexcept override;
  STDMETHODIMP OnFrameWindowActivate(BOOL) override { return S_OK; }
  STDMETHODIMP OnDocWindowActivate(BOOL) override { return S_OK; }
  STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return S_OK; }
  STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }

  // IOleControl
  STDMETHODIMP GetControlInfo(CONTROLINFO* info) override;
  STDMETHODIMP OnMnemonic(MSG*) override { return E_NOTIMPL; }
  STDMETHODIMP OnAmbientPropertyChange(DISPID) override { return S_OK; }
  STDMETHODIMP FreezeEvents(BOOL freeze) override;

  // IViewObject2
  STDMETHODIMP Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc, LPCRECTL bounds, LPCRECTL,
                    BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) override;
  STDMETHODIMP GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE**) override { return E_NOTIMPL; }
  STDMETHODIMP Freeze(DWORD, LONG, void*, DWORD*) override { return E_NOTIMPL; }
  STDMETHODIMP Unfreeze(DWORD) override { return E_NOTIMPL; }
  STDMETHODIMP SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) override;
  STDMETHODIMP GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) override;
  STDMETHODIMP GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) override;

  // IQuickActivate
  STDMETHODIMP QuickActivate(QACONTAINER* container, QACONTROL* control) override;
  STDMETHODIMP SetContentExtent(LPSIZEL size) override { return SetExtent(DVASPECT_CONTENT, size); }
  STDMETHODIMP GetContentExtent(LPSIZEL size) override { return GetExtent(DVASPECT_CONTENT, size); }

  // IPersist, IPersistStreamInit, IPersistStorage, IPersistPropertyBag
  STDMETHODIMP GetClassID(CLSID* id) override;
  STDMETHODIMP IsDirty() override { return dirty_ ? S_OK : S_FALSE; }
  STDMETHODIMP Load(IStream* stream) override;
  STDMETHODIMP Save(IStream* stream, BOOL clearDirty) override;
  STDMETHODIMP GetSizeMax(ULARGE_INTEGER* size) override;
  STDMETHODIMP InitNew() override;
  STDMETHODIMP InitNew(IStorage* storage) override;
  STDMETHODIMP Load(IStorage* storage) override;
  STDMETHODIMP Save(IStorage* storage, BOOL sameAsLoad) override;
  STDMETHODIMP SaveCompleted(IStorage*) override { return S_OK; }
  STDMETHODIMP HandsOffStorage() override { return S_OK; }
  STDMETHODIMP Load(IPropertyBag* bag, IErrorLog* log) override;
  STDMETHODIMP Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) override;

 private:
  // ContainerServices
  void FireEvent(control::ControlEvent event, control::EventArguments& arguments) override;
  void NotifyPropertyChanged(std::string_view name) override;
  bool AmbientUserMode() override;
  void HoldObject() override { AddRef(); }
  void ReleaseObject() override { Release(); }
  void FocusChanged(bool focused) override;
  LRESULT AccessibleObject(WPARAM flags) override;

  void UIActivate();
  std::wstring AmbientDisplayName();
  // The window is going: screen readers holding the board's object are let go.
  void DisconnectAccessible();

  HRESULT InPlaceActivate(LONG verb, HWND parent, LPCRECT position);
  template <class Action>
  HRESULT Restore(Action&& readBag);

  control::win32::WindowPlatform platform_;
  control::OvlChess control_;
  ConnectionPoint events_;
  ConnectionPoint propertyNotifications_;
  com::ComPtr<IOleClientSite> clientSite_;
  com::ComPtr<IOleInPlaceSite> inPlaceSite_;
  com::ComPtr<IOleAdviseHolder> adviseHolder_;
  com::ComPtr<IAdviseSink> viewSink_;
  DWORD viewAspects_ = 0;
  DWORD viewAdviseFlags_ = 0;
  SIZEL extent_{};  // HIMETRIC
  std::optional<bool> quickActivateUserMode_;
  long frozenEvents_ = 0;
  bool initialized_ = false;
  bool dirty_ = false;
  bool uiActive_ = false;
  com::ComPtr<BoardAccessible> accessible_;
  // Where the control registered itself as the active object while UI active.
  com::ComPtr<IOleInPlaceFrame> activeFrame_;
  com::ComPtr<IOleInPlaceUIWindow> activeDocument_;
};

}  // namespace component
