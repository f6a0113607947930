// Runs the kit's board_host from a position with a pawn about to promote and
// plays three moves on it with clicks sent to the board's window: a promotion
// the host writes on both squares, a move onto the mover's own piece the host
// cancels, and a move the board makes itself. The host's report must match.
// Usage: drive_board_host HOST.exe
#include <windows.h>

#include <cstdio>
#include <string>

#include "component/com/unique.h"

namespace {

using UniqueHandle = com::Unique<HANDLE, &CloseHandle>;

constexpr char kStart[] = "k7/4P3/8/8/8/8/8/4K3 w - - 0 1";
constexpr char kReady[] = "ready: move the pieces; close the window to end\n";
constexpr char kExpected[] =
    "ready: move the pieces; close the window to end\n"
    "e7-e8: promoted to a queen\n"
    "e1-e8: refused, a piece of the same side is there\n"
    "e1-d1: moved\n"
    "position k3Q3/8/8/8/8/8/8/3K4\n";

// The host's window is the board's size at 96 DPI: 37-pixel squares.
LPARAM Centre(const char* square) {
  constexpr int side = 37;
  return MAKELPARAM((square[0] - 'a') * side + side / 2, ('8' - square[1]) * side + side / 2);
}

void Click(HWND board, const char* square) {
  SendMessageW(board, WM_LBUTTONDOWN, MK_LBUTTON, Centre(square));
  SendMessageW(board, WM_LBUTTONUP, 0, Centre(square));
}

// A click on a piece of a side that may move selects it instead, so a move onto
// one's own piece is dragged.
void Drag(HWND board, const char* from, const char* to) {
  SendMessageW(board, WM_LBUTTONDOWN, MK_LBUTTON, Centre(from));
  SendMessageW(board, WM_MOUSEMOVE, MK_LBUTTON, Centre(to));
  SendMessageW(board, WM_LBUTTONUP, 0, Centre(to));
}

// Reads the pipe, without the carriage returns, until `until` has been read or the pipe ends.
void Read(HANDLE pipe, std::string& text, const char* until = nullptr) {
  char buffer[512];
  DWORD read = 0;
  while ((!until || text.find(until) == std::string::npos) && ReadFile(pipe, buffer, sizeof buffer, &read, nullptr) &&
         read > 0)
    for (DWORD i = 0; i < read; ++i)
      if (buffer[i] != '\r') text += buffer[i];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
  UniqueHandle readEnd, writeEnd;
  if (!CreatePipe(readEnd.put(), writeEnd.put(), &inherited, 0)) return 1;
  SetHandleInformation(readEnd.get(), HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = startup.hStdError = writeEnd.get();
  PROCESS_INFORMATION started{};
  std::string line = std::string("\"") + argv[1] + "\" \"" + kStart + "\"";
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &started)) {
    std::printf("FAILED: cannot start %s\n", argv[1]);
    return 1;
  }
  const UniqueHandle process(started.hProcess), thread(started.hThread);
  writeEnd.reset();  // the host holds the only write end: reading ends when it does
  // The host says so once its window holds the board.
  std::string output;
  Read(readEnd.get(), output, kReady);
  HWND host = FindWindowW(L"OrvelBoardHost", nullptr);
  HWND board = host ? GetWindow(host, GW_CHILD) : nullptr;
  if (board) {
    for (const char* square : {"e7", "e8"}) Click(board, square);
    Drag(board, "e1", "e8");
    for (const char* square : {"e1", "d1"}) Click(board, square);
    PostMessageW(host, WM_CLOSE, 0, 0);
  } else {
    std::printf("FAILED: no board in a window of class OrvelBoardHost\n");
    TerminateProcess(process.get(), 1);
  }
  Read(readEnd.get(), output);
  WaitForSingleObject(process.get(), 60000);
  DWORD status = 1;
  GetExitCodeProcess(process.get(), &status);
  std::printf("board_host said:\n%s(exit %lu)\n", output.c_str(), static_cast<unsigned long>(status));
  const bool passed = board && status == 0 && output == kExpected;
  if (!passed) std::printf("FAILED: expected:\n%s", kExpected);
  return passed ? 0 : 1;
}
