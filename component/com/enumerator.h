#pragma once

#include <algorithm>
#include <memory>
#include <vector>

#include "component/com/com_object.h"
#include "component/com/errors.h"

namespace com {

// An OLE IEnum* interface over a snapshot taken when it was made; clones share
// the snapshot and keep their own position. `Copy` hands one item out as Next
// must, with a reference of its own for whatever it holds.
template <class Interface, class Out, class Item, void (*Copy)(const Item&, Out&)>
class Enumerator final : public ComObject<Enumerator<Interface, Out, Item, Copy>, Interface> {
 public:
  using Items = std::shared_ptr<const std::vector<Item>>;

  // Snapshots `items` into a new enumerator, answered as `Interface`.
  static HRESULT Over(std::vector<Item> items, Interface** out) noexcept {
    if (!out) return E_POINTER;
    *out = nullptr;
    return Guarded([&] {
      auto shared = std::make_shared<const std::vector<Item>>(std::move(items));
      return Enumerator::Create(__uuidof(Interface), reinterpret_cast<void**>(out), std::move(shared), size_t{0});
    });
  }

  Enumerator(Items items, size_t position) : items_(std::move(items)), position_(position) {}

  STDMETHODIMP Next(ULONG count, Out* out, ULONG* fetched) noexcept override {
    if (fetched) *fetched = 0;
    if (!out || (count > 1 && !fetched)) return E_POINTER;
    ULONG n = 0;
    for (; n < count && position_ < items_->size(); ++n) Copy((*items_)[position_++], out[n]);
    if (fetched) *fetched = n;
    return n == count ? S_OK : S_FALSE;
  }
  STDMETHODIMP Skip(ULONG count) noexcept override {
    const size_t left = items_->size() - position_;
    position_ += std::min<size_t>(left, count);
    return count <= left ? S_OK : S_FALSE;
  }
  STDMETHODIMP Reset() noexcept override {
    position_ = 0;
    return S_OK;
  }
  STDMETHODIMP Clone(Interface** clone) noexcept override {
    if (!clone) return E_POINTER;
    *clone = nullptr;
    return Enumerator::Create(__uuidof(Interface), reinterpret_cast<void**>(clone), items_, position_);
  }

 private:
  Items items_;
  size_t position_;
};

}  // namespace com
