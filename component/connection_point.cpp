#include "component/connection_point.h"

#include <olectl.h>

#include <algorithm>

#include "component/com/enumerator.h"
#include "component/com/errors.h"

namespace component {

STDMETHODIMP ConnectionPoint::QueryInterface(REFIID iid, void** out) noexcept {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (iid != IID_IUnknown && iid != IID_IConnectionPoint) return E_NOINTERFACE;
  *out = static_cast<IConnectionPoint*>(this);
  AddRef();
  return S_OK;
}

STDMETHODIMP ConnectionPoint::GetConnectionInterface(IID* iid) noexcept {
  if (!iid) return E_POINTER;
  *iid = iid_;
  return S_OK;
}

STDMETHODIMP ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) noexcept {
  if (!container) return E_POINTER;
  *container = &owner_;
  owner_.AddRef();
  return S_OK;
}

STDMETHODIMP ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) noexcept {
  if (!cookie) return E_POINTER;
  *cookie = 0;
  if (!sink) return E_POINTER;
  com::ComPtr<IUnknown> typed;
  if (FAILED(sink->QueryInterface(iid_, typed.put_void()))) return CONNECT_E_CANNOTCONNECT;
  RETURN_IF_FAILED(com::Guarded([&] { sinks_.emplace_back(nextCookie_, std::move(typed)); }));
  *cookie = nextCookie_++;
  return S_OK;
}

STDMETHODIMP ConnectionPoint::Unadvise(DWORD cookie) noexcept {
  const auto found = std::find_if(sinks_.begin(), sinks_.end(), [cookie](const auto& s) { return s.first == cookie; });
  if (found == sinks_.end()) return CONNECT_E_NOCONNECTION;
  // Erase before the sink's reference goes: its release may call back into us.
  com::ComPtr<IUnknown> released = std::move(found->second);
  sinks_.erase(found);
  return S_OK;
}

namespace {
using Connection = std::pair<DWORD, com::ComPtr<IUnknown>>;
void CopyConnection(const Connection& connection, CONNECTDATA& out) {
  out.dwCookie = connection.first;
  connection.second.CopyTo(&out.pUnk);
}
using ConnectionList = com::Enumerator<IEnumConnections, CONNECTDATA, Connection, CopyConnection>;
}  // namespace

STDMETHODIMP ConnectionPoint::EnumConnections(IEnumConnections** connections) noexcept {
  return com::Guarded([&] { return ConnectionList::Over(sinks_, connections); });
}

}  // namespace component
