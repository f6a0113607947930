// The test container: hosts the control through COM only, as a form would,
// and runs one group of checks chosen by name.
#include <cstdio>
#include <cstring>

#include "component/identity.h"
#include "tests/windows/container/bench.h"
#include "tests/windows/container/tests.h"
#include "tests/windows/check.h"

namespace {

struct Group {
  const char* name;
  void (*run)();
};

const Group kGroups[] = {{"events", TestEvents},          {"reentrancy", TestReentrancy},   {"errors", TestErrors},
                         {"message_box", TestMessageBox}, {"persistence", TestPersistence}, {"drawing", TestDrawing},
                         {"interfaces", TestInterfaces},  {"scale", TestScale},             {"sizes", TestSizes},
                         {"promotion", TestPromotion}};

// A box nobody expected fails the group that caused it.
void CheckNoStrayBoxes() {
  for (const auto& box : Boxes().Take()) {
    check::Fail(__LINE__, "unexpected message box");
    std::printf("    \"%s\": \"%s\"\n", Narrow(box.title).c_str(), Narrow(box.text).c_str());
  }
}

// Every group needs the registered control; without it, say so once and stop.
bool ControlAvailable() {
  com::ComPtr<IUnknown> probe;
  const HRESULT hr =
      CoCreateInstance(component::identity::kClassId, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, probe.put_void());
  if (FAILED(hr))
    std::printf("cannot create the control (is it registered?): 0x%08lX\n", static_cast<unsigned long>(hr));
  return SUCCEEDED(hr);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::printf("usage: container_test GROUP\n");
    return 2;
  }
  setvbuf(stdout, nullptr, _IONBF, 0);
  if (FAILED(OleInitialize(nullptr))) return 3;
  if (!ControlAvailable()) return 1;
  Boxes();
  int ran = 0;
  for (const auto& group : kGroups) {
    if (std::strcmp(argv[1], group.name) != 0 && std::strcmp(argv[1], "all") != 0) continue;
    std::printf("[%s]\n", group.name);
    group.run();
    PumpMessages();
    CheckNoStrayBoxes();
    ++ran;
  }
  OleUninitialize();
  if (!ran) std::printf("no group named %s\n", argv[1]);
  std::printf("%s: %d failure(s)\n", argv[1], check::failures);
  return ran && check::failures == 0 ? 0 : 1;
}
