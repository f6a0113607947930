#pragma once

#include <ocidl.h>

#include <utility>
#include <vector>

#include "component/com/com_ptr.h"

namespace component {

// One outgoing interface of the control. It lives inside the control and
// shares its reference count, so a sink's container pointer keeps the whole
// control alive and no reference cycle forms.
class ConnectionPoint final : public IConnectionPoint {
 public:
  ConnectionPoint(IConnectionPointContainer& owner, const IID& iid) : owner_(owner), iid_(iid) {}

  STDMETHODIMP QueryInterface(REFIID iid, void** out) noexcept override;
  STDMETHODIMP_(ULONG) AddRef() noexcept override { return owner_.AddRef(); }
  STDMETHODIMP_(ULONG) Release() noexcept override { return owner_.Release(); }

  STDMETHODIMP GetConnectionInterface(IID* iid) noexcept override;
  STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** container) noexcept override;
  STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) noexcept override;
  STDMETHODIMP Unadvise(DWORD cookie) noexcept override;
  STDMETHODIMP EnumConnections(IEnumConnections** connections) noexcept override;

  const IID& Iid() const { return iid_; }

  // The sinks as the interface `I`, copied: a sink may unadvise while being called.
  template <class I>
  std::vector<com::ComPtr<I>> Sinks() const {
    std::vector<com::ComPtr<I>> sinks;
    for (const auto& [cookie, sink] : sinks_)
      if (auto typed = sink.template As<I>()) sinks.push_back(std::move(typed));
    return sinks;
  }

 private:
  IConnectionPointContainer& owner_;
  IID iid_;
  DWORD nextCookie_ = 1;
  std::vector<std::pair<DWORD, com::ComPtr<IUnknown>>> sinks_;
};

}  // namespace component
