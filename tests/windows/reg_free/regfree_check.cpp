// Run beside OrvelBoard.ocx and OrvelBoard.manifest with no registration: the
// process's own manifest (resource 1) names the assembly, and every entry of
// the component manifest must reach COM: class, ProgID, misc status, type library.
#include <windows.h>

#include <oleauto.h>

#include <string>

#include "component/automation_interface.h"
#include "component/com/com_ptr.h"
#include "component/com/unique.h"
#include "component/identity.h"
#include "orvel_board.h"
#include "tests/windows/check.h"

namespace {

using com::ComPtr;

std::wstring Folder(std::wstring path) { return path.substr(0, path.find_last_of(L"\\/") + 1); }

std::wstring ModulePath(HMODULE module) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(module, path, MAX_PATH);
  return path;
}

void CheckNames() {
  check::context = "names";
  // A ProgID from a manifest names a class id the activation context makes
  // up (Windows does the same); creating through it must reach this class.
  CLSID clsid{};
  CHECK_EQ(CLSIDFromProgID(component::identity::kProgId, &clsid), S_OK);
  ComPtr<IPersistStreamInit> persist;
  CHECK_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IPersistStreamInit, persist.put_void()), S_OK);
  CLSID created{};
  if (persist) CHECK_EQ(persist->GetClassID(&created), S_OK);
  CHECK_EQ(created, component::identity::kClassId);
  for (const component::automation::ControlClass* control : component::automation::kClasses) {
    check::context = "names of " + check::Narrow(std::wstring(control->name));
    LPOLESTR progId = nullptr;
    CHECK_EQ(ProgIDFromCLSID(control->classId, &progId), S_OK);
    CHECK_EQ(std::wstring(progId ? progId : L""), std::wstring(control->progId));
    CoTaskMemFree(progId);
    DWORD status = 0;
    CHECK_EQ(OleRegGetMiscStatus(control->classId, DVASPECT_CONTENT, &status), S_OK);
    CHECK_EQ(status, component::identity::kMiscStatus);
  }
}

void CheckTypeLibrary() {
  check::context = "type library";
  ComPtr<ITypeLib> library;
  CHECK_EQ(LoadRegTypeLib(component::identity::kTypeLibId, component::identity::kMajorVersion, component::identity::kMinorVersion, 0, library.put()),
           S_OK);
  if (!library) return;
  ComPtr<ITypeInfo> info;
  CHECK_EQ(library->GetTypeInfoOfGuid(component::identity::kClassId, info.put()), S_OK);
  com::UniqueBstr path;
  CHECK_EQ(QueryPathOfRegTypeLib(component::identity::kTypeLibId, component::identity::kMajorVersion, component::identity::kMinorVersion, 0,
                                 path.put()),
           S_OK);
  CHECK(path && std::wstring(path.get()).ends_with(L"OrvelBoard.ocx"));
}

void CheckObject() {
  check::context = "object";
  ComPtr<_OvlChess> board;
  CHECK_EQ(CoCreateInstance(component::identity::kClassId, nullptr, CLSCTX_INPROC_SERVER, __uuidof(_OvlChess), board.put_void()),
           S_OK);
  if (!board) return;
  // Loaded from beside the program, where the manifest put it.
  HMODULE module = GetModuleHandleW(L"OrvelBoard.ocx");
  CHECK(module != nullptr);
  CHECK_EQ(Folder(ModulePath(module)), Folder(ModulePath(nullptr)));
  CHECK_EQ(board->NewGame(), S_OK);
  short col = 1, row = 1;
  PieceNum piece{};
  CHECK_EQ(board->get_Piece(&col, &row, &piece), S_OK);
  CHECK_EQ(piece, Brook);
  ComPtr<ITypeInfo> info;
  CHECK_EQ(board->GetTypeInfo(0, 0, info.put()), S_OK);
}

}  // namespace

int wmain() {
  if (FAILED(CoInitialize(nullptr))) return 2;
  CheckNames();
  CheckTypeLibrary();
  CheckObject();
  CoUninitialize();
  if (check::failures == 0) std::printf("registration-free checks passed\n");
  return check::Result();
}
