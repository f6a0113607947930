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

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return owner_.AddRef(); }
  STDMETHODIMP_(ULONG) Release() override { return owner_.Release(); }

  STDMETHODIMP GetConnectionInterface(IID* iid) override;
  STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** container) override;
  STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
  STDMETHODIMP Unadvise(DWORD cookie) override;
  STDMETHODIMP EnumConnections(IEnumConnections** connections) override;

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
