#include "component/class_factory.h"

#include "component/automation_interface.h"
#include "component/board_face.h"
#include "component/chess_face.h"
#include "component/com/com_object.h"
#include "component/com/errors.h"

#include <iterator>

namespace component {

namespace {

// Makes a new, initialized object of one class and returns its interface `iid`.
using Creator = HRESULT (*)(REFIID iid, void** out) noexcept;

// Construction runs before any other handler; its failure fails the creation.
template <class Face>
HRESULT CreateControl(REFIID iid, void** out) noexcept {
  Face* made = nullptr;
  RETURN_IF_FAILED(com::Guarded([&] { made = new Face(); }));
  const com::ComPtr<IUnknown> created(made->Unknown());
  RETURN_IF_FAILED(made->Initialize());
  return created->QueryInterface(iid, out);
}

struct Creatable {
  const automation::ControlClass* record;
  Creator create;
};

// Every class of the library, in its order.
constexpr Creatable kCreatable[] = {
    {&automation::kOvlChess, CreateControl<ChessFace>},
    {&automation::kOvlBoard, CreateControl<BoardFace>},
};
static_assert(std::size(kCreatable) == std::size(automation::kClasses));

class ClassFactory final : public com::ComObject<ClassFactory, IClassFactory> {
 public:
  explicit ClassFactory(Creator create) : create_(create) {}

  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) noexcept override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return create_(iid, out);
  }

  STDMETHODIMP LockServer(BOOL lock) noexcept override {
    lock ? com::ModuleLock::Lock() : com::ModuleLock::Unlock();
    return S_OK;
  }

 private:
  Creator create_;
};

}  // namespace

HRESULT GetClassFactory(REFCLSID id, REFIID iid, void** out) noexcept {
  if (!out) return E_POINTER;
  *out = nullptr;
  for (const Creatable& creatable : kCreatable)
    if (id == creatable.record->classId) return ClassFactory::Create(iid, out, creatable.create);
  return CLASS_E_CLASSNOTAVAILABLE;
}

}  // namespace component
