#include "component/class_factory.h"

#include "component/chess_control.h"
#include "component/com/com_object.h"
#include "component/com/errors.h"
#include "component/identity.h"

namespace component {

namespace {

class ClassFactory final : public com::ComObject<ClassFactory, IClassFactory> {
 public:
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) noexcept override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    com::ComPtr<IUnknown> created;
    RETURN_IF_FAILED(ChessControl::Create(IID_IUnknown, created.put_void()));
    // Construction runs before any other handler; its failure fails the creation.
    auto* control = static_cast<ChessControl*>(created.As<_OvlChess>().get());
    RETURN_IF_FAILED(control->Initialize());
    return created->QueryInterface(iid, out);
  }

  STDMETHODIMP LockServer(BOOL lock) noexcept override {
    lock ? com::ModuleLock::Lock() : com::ModuleLock::Unlock();
    return S_OK;
  }
};

}  // namespace

HRESULT GetClassFactory(REFCLSID id, REFIID iid, void** out) noexcept {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (id != identity::kClassId) return CLASS_E_CLASSNOTAVAILABLE;
  return ClassFactory::Create(iid, out);
}

}  // namespace component
