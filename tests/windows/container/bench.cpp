#include "tests/windows/container/bench.h"

#include <algorithm>

#include "component/identity.h"
#include "tests/windows/check.h"

namespace {
// The real pointer would add its own MouseMove to the messages a test sends:
// park it in the screen's far corner, away from every test window.
HWND ParkPointer(HWND window) {
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
  return window;
}
// Room for the board at up to twice the 96-DPI size when the control sizes itself.
int HostSide(const BenchOptions& options, int side) { return side * (options.sizeFromExtent ? 2 : 1) + 40; }
const IID& EventsOf(const BenchOptions& options) {
  return options.moveBoard ? component::identity::kBoardEventInterfaceId : component::identity::kEventInterfaceId;
}
}  // namespace

Bench::Bench(BenchOptions options)
    : window(ParkPointer(host::CreateHostWindow(L"OrvelBoard test container", HostSide(options, options.width),
                                                HostSide(options, options.height)))),
      events(host::Make<host::EventSink>(EventsOf(options))),
      changes(host::Make<host::PropertyNotifySink>()),
      control(std::make_unique<host::EmbeddedControl>(window, RECT{0, 0, options.width, options.height}, &log)) {
  control->SetEventInterface(EventsOf(options));
  control->ControlSite()->SetUserMode(options.userMode);
  CHECK_HR(control->Create(options.moveBoard ? component::identity::kBoardClassId : component::identity::kClassId),
           S_OK);
  if (!control->Board() && !control->MoveBoard()) return;
  CHECK_HR(control->ConnectEvents(events.get()), S_OK);
  CHECK_HR(control->ConnectPropertyNotify(changes.get()), S_OK);
  if (options.initNew) CHECK_HR(control->InitNew(), S_OK);
  if (options.sizeFromExtent) CHECK_HR(control->SizeFromExtent(), S_OK);
  if (options.activate) {
    CHECK_HR(control->Activate(), S_OK);
    CHECK(control->Window() != nullptr);
  }
  PumpMessages();
  ready = !options.activate || control->Window();
}

Bench::~Bench() {
  control.reset();
  DestroyWindow(window);
  PumpMessages();
}

long Bench::Piece(short col, short row) const {
  PieceNum piece{};
  return SUCCEEDED(Board()->get_Piece(&col, &row, &piece)) ? static_cast<long>(piece) : -1;
}

HRESULT Bench::SetPiece(short col, short row, long value) const {
  return Board()->put_Piece(&col, &row, static_cast<PieceNum>(value));
}

namespace {

std::wstring WindowText(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

BOOL CALLBACK ReadChild(HWND child, LPARAM context) {
  auto* box = reinterpret_cast<SeenBox*>(context);
  const std::wstring kind = ClassOf(child);
  if (_wcsicmp(kind.c_str(), L"Button") == 0) box->buttons.push_back(WindowText(child));
  if (_wcsicmp(kind.c_str(), L"Static") == 0 && !WindowText(child).empty()) box->text = WindowText(child);
  return TRUE;
}

BOOL CALLBACK CollectDialogs(HWND window, LPARAM context) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == GetCurrentProcessId() && IsWindowVisible(window) && ClassOf(window) == L"#32770")
    reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
  return TRUE;
}

}  // namespace

BoxWatcher::BoxWatcher() : thread_([this] { Watch(); }) {}

BoxWatcher::~BoxWatcher() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  thread_.join();
}

std::vector<SeenBox> BoxWatcher::Take() {
  std::lock_guard lock(mutex_);
  return std::exchange(seen_, {});
}

void BoxWatcher::Watch() {
  for (;;) {
    Sleep(20);
    std::vector<HWND> dialogs;
    EnumWindows(CollectDialogs, reinterpret_cast<LPARAM>(&dialogs));
    std::lock_guard lock(mutex_);
    if (stop_) return;
    std::erase_if(closed_, [&](HWND old) { return std::find(dialogs.begin(), dialogs.end(), old) == dialogs.end(); });
    for (HWND dialog : dialogs) {
      if (std::find(closed_.begin(), closed_.end(), dialog) != closed_.end()) continue;
      SeenBox box{WindowText(dialog), L"", GetWindow(dialog, GW_OWNER), {}};
      EnumChildWindows(dialog, ReadChild, reinterpret_cast<LPARAM>(&box));
      seen_.push_back(box);
      closed_.push_back(dialog);
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
  }
}

BoxWatcher& Boxes() {
  static BoxWatcher watcher;
  return watcher;
}

