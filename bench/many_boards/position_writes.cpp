// One OvlBoard in a window, driven through IDispatch as a script drives it:
// a whole position written at once (Position) against the same position
// written square by square (64 Piece writes), each way followed by the
// repaint it causes and the messages it posted (what screen readers are told),
// as a host's message loop takes them once the script returns; alternating
// rounds in one process.
#include "bench/many_boards/position_writes.h"

#include <windows.h>

#include <oleauto.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <vector>

#include "bench/many_boards/dispatch_calls.h"
#include "board/fen.h"
#include "board/text.h"
#include "component/com/unique.h"
#include "component/identity.h"
#include "host/container_site/embedding.h"
#include "host/container_site/messages.h"

namespace bench {

namespace {

// Two positions the rounds alternate between, so every write changes squares.
constexpr const wchar_t* kPositions[] = {L"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR",
                                         L"r1bq1rk1/pp2bppp/2n1pn2/2pp4/3P4/2PBPN2/PP1N1PPP/R2QK2R"};

// The 64 squares' codes of a position, in row order from row 1.
std::array<short, 64> CodesOf(const wchar_t* position) {
  const board::Placement placement = board::ReadPlacement(position);
  std::array<short, 64> codes{};
  std::transform(placement.begin(), placement.end(), codes.begin(),
                 [](board::PieceCode code) { return static_cast<short>(code.value); });
  return codes;
}

}  // namespace

HRESULT DressView(IDispatch* board) {
  HRESULT hr = Call(board, IdOf(board, L"NewGame"), {});
  const short marks[][3] = {{5, 7, 2}, {5, 5, 2}, {5, 1, 3}, {4, 6, 4}, {6, 6, 4}, {7, 8, 1}, {1, 2, 4}, {8, 2, 4}};
  for (const auto& m : marks)
    if (SUCCEEDED(hr)) hr = Put(board, IdOf(board, L"Mark"), {Short(m[2]), Short(m[1]), Short(m[0])});
  const short arrows[][4] = {{5, 7, 5, 5}, {7, 8, 6, 6}, {1, 8, 8, 1}, {4, 1, 8, 5}};
  for (const auto& a : arrows)
    if (SUCCEEDED(hr)) hr = Call(board, IdOf(board, L"DrawArrow"), {Short(a[0]), Short(a[1]), Short(a[2]), Short(a[3])});
  VARIANT on{};
  on.vt = VT_BOOL;
  on.boolVal = VARIANT_TRUE;
  if (SUCCEEDED(hr)) hr = Put(board, IdOf(board, L"ShowCoordinates"), {on});
  return hr;
}

Clock::duration Repaint(HWND window) {
  const auto start = Clock::now();
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  return Clock::now() - start;
}

int RunPositionWrites(int rounds) {
  if (FAILED(OleInitialize(nullptr))) return 3;
  HWND form = host::CreateHostWindow(L"Position writes", host::kBoardPixels + 40, host::kBoardPixels + 40);
  int status = 0;
  {
    host::EmbeddedControl board(form, RECT{0, 0, host::kBoardPixels, host::kBoardPixels});
    HRESULT hr = board.Create(component::identity::kBoardClassId);
    if (SUCCEEDED(hr)) hr = board.InitNew();
    if (SUCCEEDED(hr)) hr = board.Activate();
    auto dispatch = board.As<IDispatch>();
    if (FAILED(hr) || !dispatch) {
      std::printf("cannot place an OvlBoard: 0x%08lX\n", static_cast<unsigned long>(hr));
      status = 1;
    } else {
      host::PumpMessages();
      HWND window = board.Window();
      const DISPID position = IdOf(dispatch.get(), L"Position"), piece = IdOf(dispatch.get(), L"Piece");
      std::array<com::UniqueBstr, 2> texts{com::UniqueBstr(SysAllocString(kPositions[0])),
                                          com::UniqueBstr(SysAllocString(kPositions[1]))};
      const std::array<std::array<short, 64>, 2> codes{CodesOf(kPositions[0]), CodesOf(kPositions[1])};
      Clock::duration whole{}, squares{}, batched{};
      int failures = 0;
      // The 64 squares through Piece, each write repainted or none.
      const auto writeSquares = [&](const std::array<short, 64>& position, bool repaintEach) {
        for (short square = 0; square < 64; ++square) {
          const short col = square % 8 + 1, row = square / 8 + 1;
          failures += FAILED(Put(dispatch.get(), piece, {Short(position[square]), Short(row), Short(col)}));
          if (repaintEach) UpdateWindow(window);
        }
      };
      for (int round = 0; round < rounds; ++round) {
        const int which = round % 2;
        // Whole position, then its repaint.
        auto start = Clock::now();
        VARIANT text{};
        text.vt = VT_BSTR;
        text.bstrVal = texts[which].get();
        failures += FAILED(Put(dispatch.get(), position, {text}));
        UpdateWindow(window);
        host::PumpMessages();
        whole += Clock::now() - start;
        // Square by square, each write followed by its repaint.
        start = Clock::now();
        writeSquares(codes[1 - which], true);
        host::PumpMessages();
        squares += Clock::now() - start;
        // Square by square, one repaint after the 64 writes.
        start = Clock::now();
        writeSquares(codes[which], false);
        UpdateWindow(window);
        host::PumpMessages();
        batched += Clock::now() - start;
      }
      const double wholeUs = Microseconds(whole) / rounds, squaresUs = Microseconds(squares) / rounds,
                   batchedUs = Microseconds(batched) / rounds;
      std::printf("OvlBoard, %d alternating rounds through IDispatch, with the repaint (UpdateWindow):\n", rounds);
      std::printf("| way | us per position | against Position |\n|---|---|---|\n");
      std::printf("| one Position write, one repaint | %.1f | 1.0x |\n", wholeUs);
      std::printf("| 64 Piece writes, each repainted | %.1f | %.1fx |\n", squaresUs, squaresUs / wholeUs);
      std::printf("| 64 Piece writes, one repaint | %.1f | %.1fx |\n", batchedUs, batchedUs / wholeUs);
      if (failures) {
        std::printf("%d writes failed\n", failures);
        status = 1;
      }
    }
  }
  DestroyWindow(form);
  host::PumpMessages();
  OleUninitialize();
  return status;
}

int RunViewRepaints(int rounds) {
  if (FAILED(OleInitialize(nullptr))) return 3;
  const int side = 8 * host::kCellPixels * host::DpiOf(nullptr) / 96;
  HWND form = host::CreateHostWindow(L"View repaints", 2 * side + 60, side + 40);
  int status = 0;
  {
    host::EmbeddedControl plain(form, RECT{0, 0, side, side}), dressed(form, RECT{side + 20, 0, 2 * side + 20, side});
    HRESULT hr = S_OK;
    for (host::EmbeddedControl* board : {&plain, &dressed}) {
      if (SUCCEEDED(hr)) hr = board->Create(component::identity::kBoardClassId);
      if (SUCCEEDED(hr)) hr = board->InitNew();
      if (SUCCEEDED(hr)) hr = board->Activate();
    }
    auto plainBoard = plain.As<IDispatch>(), dressedBoard = dressed.As<IDispatch>();
    if (SUCCEEDED(hr) && plainBoard && dressedBoard) hr = Call(plainBoard.get(), IdOf(plainBoard.get(), L"NewGame"), {});
    if (SUCCEEDED(hr) && dressedBoard) hr = DressView(dressedBoard.get());
    if (FAILED(hr) || !plainBoard || !dressedBoard) {
      std::printf("cannot set up the boards: 0x%08lX\n", static_cast<unsigned long>(hr));
      status = 1;
    } else {
      host::PumpMessages();
      Repaint(plain.Window()), Repaint(dressed.Window());  // the first paint composes each board once
      Clock::duration bare{}, viewed{};
      for (int round = 0; round < rounds; ++round) {
        bare += Repaint(plain.Window());
        viewed += Repaint(dressed.Window());
      }
      const double bareUs = Microseconds(bare) / rounds, viewedUs = Microseconds(viewed) / rounds;
      std::printf("OvlBoard at %d DPI, %d alternating whole repaints (RedrawWindow) of a started game:\n",
                  host::DpiOf(nullptr), rounds);
      std::printf("| view | us per repaint | against none |\n|---|---|---|\n");
      std::printf("| none | %.1f | 1.00x |\n", bareUs);
      std::printf("| 8 marks, 4 arrows, coordinates | %.1f | %.2fx |\n", viewedUs, viewedUs / bareUs);
    }
  }
  DestroyWindow(form);
  host::PumpMessages();
  OleUninitialize();
  return status;
}

}  // namespace bench
