// The control in Wine's own ActiveX host: an "AtlAxWin" window of atl.dll,
// a container nobody here wrote. The program checks activation, calls NewGame
// and connects an event sink through COM, then hands over to the driver script
// (atl_host.sh), which clicks with the X server's mouse and takes a screenshot.
//
// Usage: atl_host_test REFERENCE.ppm CLICKED_FLAG
//   writes the core's render of a new game to REFERENCE.ppm, prints
//   "BOARD left top width height" and "READY x y" (screen pixels), then waits
//   for CLICKED_FLAG to appear and checks the events the click raised.
#include <windows.h>
#include <ocidl.h>

#include <cstdio>
#include <vector>

#include "component/com/com_ptr.h"
#include "component/identity.h"
#include "host/container_site/core_reference.h"
#include "host/container_site/embedding.h"
#include "host/container_site/messages.h"
#include "host/container_site/pixels.h"
#include "host/container_site/sinks.h"
#include "orvel_board.h"
#include "tests/windows/check.h"

namespace {

// The square the script clicks, at its centre.
constexpr int kCol = 3, kRow = 7;
constexpr int kCentre = host::kCellPixels / 2;
constexpr DISPID kClick = 1, kMouseDown = 3, kMouseMove = 4, kMouseUp = 5;

using AtlAxWinInitFn = BOOL(WINAPI*)();
using AtlAxGetControlFn = HRESULT(WINAPI*)(HWND, IUnknown**);

template <class Function>
Function Export(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

using host::PumpUntil;

bool FileExists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

void Print(const host::RecordedEvent& event) {
  static const char* const kNames[] = {"?", "Click", "DblClick", "MouseDown", "MouseMove", "MouseUp"};
  std::printf("    got %s(", event.dispid >= 1 && event.dispid <= 5 ? kNames[event.dispid] : "?");
  for (const auto& argument : event.arguments) std::printf(" %g", argument.value);
  std::printf(" )\n");
}

// MouseDown, MouseUp, Click on the clicked square with the left button; the
// pointer's moves on the way are left out.
void CheckClickEvents(const std::vector<host::RecordedEvent>& events) {
  check::context = "events of the real click";
  std::vector<host::RecordedEvent> raised;
  for (const auto& event : events)
    if (event.dispid != kMouseMove) raised.push_back(event);
  const std::vector<std::pair<DISPID, std::vector<double>>> expected = {
      {kMouseDown, {kCol, kRow, 1, 0, kCentre, kCentre}},
      {kMouseUp, {kCol, kRow, 1, 0, kCentre, kCentre}},
      {kClick, {kCol, kRow}}};
  bool same = raised.size() == expected.size();
  for (size_t i = 0; same && i < raised.size(); ++i) {
    same = raised[i].dispid == expected[i].first && raised[i].arguments.size() == expected[i].second.size();
    for (size_t j = 0; same && j < expected[i].second.size(); ++j)
      same = raised[i].arguments[j].value == expected[i].second[j];
  }
  if (same) return;
  check::Fail(__LINE__, "expected MouseDown, MouseUp, Click on (3,7) with button 1 at (18,18)");
  for (const auto& event : events) Print(event);
}

int Run(const char* referencePath, const char* clickedFlag) {
  const host::Pixels reference = host::CoreRender(host::CoreBoard::NewGame);
  CHECK(host::SavePpm(referencePath, reference));

  // Wine's atl.dll registers "AtlAxWin"; atl80/atl100/atl110 add their version
  // to the name ("AtlAxWin100"), all with the same host behind them.
  check::context = "atl.dll";
  HMODULE atl = LoadLibraryW(L"atl.dll");
  CHECK(atl != nullptr);
  if (!atl) return check::Result();
  auto axWinInit = Export<AtlAxWinInitFn>(atl, "AtlAxWinInit");
  auto axGetControl = Export<AtlAxGetControlFn>(atl, "AtlAxGetControl");
  CHECK(axWinInit && axGetControl);
  if (!axWinInit || !axGetControl) return check::Result();
  CHECK(axWinInit());

  check::context = "activation";
  const int margin = 10;
  HWND frame = host::CreateHostWindow(L"OrvelBoard in AtlAxWin", host::kBoardPixels + 2 * margin,
                                      host::kBoardPixels + 2 * margin);
  HWND axWindow = CreateWindowExW(0, L"AtlAxWin", component::identity::kProgId, WS_CHILD | WS_VISIBLE, margin, margin,
                                  host::kBoardPixels, host::kBoardPixels, frame, nullptr, GetModuleHandleW(nullptr),
                                  nullptr);
  CHECK(axWindow != nullptr);
  com::ComPtr<IUnknown> control;
  if (axWindow) CHECK_EQ(axGetControl(axWindow, control.put()), S_OK);
  auto board = control.As<_OvlChess>();
  CHECK(board);
  if (!board) {
    DestroyWindow(frame);
    return check::Result();
  }

  // The control's own window sits inside the host's, covering it.
  HWND boardWindow = GetWindow(axWindow, GW_CHILD);
  HWND inPlaceWindow = nullptr;
  if (auto inPlace = control.As<IOleInPlaceObject>()) inPlace->GetWindow(&inPlaceWindow);
  CHECK(boardWindow != nullptr);
  CHECK(boardWindow == inPlaceWindow);
  CHECK(IsWindowVisible(boardWindow));
  RECT client{};
  GetClientRect(boardWindow, &client);
  CHECK_EQ(client.right - client.left, host::kBoardPixels);
  CHECK_EQ(client.bottom - client.top, host::kBoardPixels);

  check::context = "NewGame through _OvlChess";
  CHECK_EQ(board->NewGame(), S_OK);
  short col = kCol, row = kRow;
  PieceNum piece{};
  CHECK_EQ(board->get_Piece(&col, &row, &piece), S_OK);
  CHECK_EQ(piece, Wpawn);
  // Wine's site has no ambient properties; a container without them is in run
  // mode, where writing a square is allowed.
  CHECK_EQ(board->put_Piece(&col, &row, Wpawn), S_OK);

  check::context = "event connection";
  auto sink = host::Make<host::EventSink>(component::identity::kEventInterfaceId);
  host::Connection connection;
  CHECK_EQ(connection.Connect(control.get(), component::identity::kEventInterfaceId, sink->Unknown()), S_OK);

  check::context = "window pixels";
  RedrawWindow(frame, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  host::PumpMessages();
  const host::Pixels shown = host::CaptureWindow(boardWindow, host::kBoardPixels, host::kBoardPixels);
  host::SaveBmp("atl_window.bmp", shown);
  const host::Difference difference = host::Compare(reference, shown);
  if (difference.count != 0) {
    check::Fail(__LINE__, "the hosted window differs from the core's render");
    std::printf("    %d pixels differ; first at (%d, %d): expected %06X, got %06X\n", difference.count, difference.x,
                difference.y, difference.expected, difference.actual);
  }

  POINT origin{0, 0};
  ClientToScreen(boardWindow, &origin);
  POINT target = host::Mouse::CellCentre(kCol, kRow);
  ClientToScreen(boardWindow, &target);
  std::printf("BOARD %ld %ld %d %d\n", origin.x, origin.y, host::kBoardPixels, host::kBoardPixels);
  std::printf("READY %ld %ld\n", target.x, target.y);

  check::context = "driver";
  if (!PumpUntil([&] { return FileExists(clickedFlag); }, 120000)) check::Fail(__LINE__, "the driver never clicked");
  const auto clicked = [&] {
    for (const auto& event : sink->Events())
      if (event.dispid == kClick) return true;
    return false;
  };
  PumpUntil(clicked, 10000);
  CheckClickEvents(sink->Events());

  connection.Disconnect();
  board.reset();
  control.reset();
  DestroyWindow(frame);
  host::PumpMessages();
  return check::Result();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::printf("usage: atl_host_test REFERENCE.ppm CLICKED_FLAG\n");
    return 2;
  }
  setvbuf(stdout, nullptr, _IONBF, 0);
  if (FAILED(OleInitialize(nullptr))) return 3;
  const int result = Run(argv[1], argv[2]);
  OleUninitialize();
  return result;
}
