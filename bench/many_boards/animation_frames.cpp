// A sliding piece's frames: an OvlBoard's MovePiece against a bare window
// moving a bitmap sprite over a kept background along the same path, with the
// same easing, at the same timer rate. Both windows are measured by one
// subclass: the time spent handling their timer and paint messages, and the
// pixels each paint was asked to cover.
#include "bench/many_boards/animation_frames.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "bench/many_boards/dispatch_calls.h"
#include "bench/many_boards/position_writes.h"
#include "component/identity.h"
#include "control/device_scale.h"
#include "control/picture_set.h"
#include "control/piece_animation.h"
#include "control/win32/bitmap_info.h"
#include "control/win32/frame_timer.h"
#include "control/win32/window_dpi.h"
#include "host/container_site/embedding.h"
#include "host/container_site/messages.h"

namespace bench {

namespace {

constexpr wchar_t kSpriteClass[] = L"BareSpriteWindow";
constexpr wchar_t kMeterProperty[] = L"FrameMeter";
constexpr short kAnimationTime = 1000;

// What one window's frames cost, gathered by the subclass below.
struct FrameMeter {
  WNDPROC original = nullptr;
  Clock::duration busy{};
  int paints = 0;
  long long pixels = 0;
};

long long UpdatePixels(HWND window) {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  long long pixels = 0;
  if (GetUpdateRgn(window, region, FALSE) != NULLREGION) {
    std::vector<char> data(GetRegionData(region, 0, nullptr));
    auto* header = reinterpret_cast<RGNDATA*>(data.data());
    if (!data.empty() && GetRegionData(region, static_cast<DWORD>(data.size()), header)) {
      const auto* rects = reinterpret_cast<const RECT*>(header->Buffer);
      for (DWORD i = 0; i < header->rdh.nCount; ++i)
        pixels += static_cast<long long>(rects[i].right - rects[i].left) * (rects[i].bottom - rects[i].top);
    }
  }
  DeleteObject(region);
  return pixels;
}

LRESULT CALLBACK Metered(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  auto* meter = static_cast<FrameMeter*>(GetPropW(window, kMeterProperty));
  if (message != WM_TIMER && message != WM_PAINT)
    return CallWindowProcW(meter->original, window, message, wParam, lParam);
  if (message == WM_PAINT) {
    ++meter->paints;
    meter->pixels += UpdatePixels(window);
  }
  const auto start = Clock::now();
  const LRESULT result = CallWindowProcW(meter->original, window, message, wParam, lParam);
  meter->busy += Clock::now() - start;
  return result;
}

void Meter(HWND window, FrameMeter& meter) {
  SetPropW(window, kMeterProperty, &meter);
  meter.original =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Metered)));
}

// A DIB section selected into a memory DC, for as long as it lives.
class MemoryBitmap {
 public:
  explicit MemoryBitmap(int side) : dc_(CreateCompatibleDC(nullptr)) {
    const BITMAPINFO info = control::win32::TopDownBitmap(side, side);
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    pixels_ = static_cast<uint32_t*>(bits);
    previous_ = SelectObject(dc_, bitmap_);
  }
  MemoryBitmap(const MemoryBitmap&) = delete;
  MemoryBitmap& operator=(const MemoryBitmap&) = delete;
  ~MemoryBitmap() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC Dc() const { return dc_; }
  uint32_t* Pixels() const { return pixels_; }

 private:
  HDC dc_;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  uint32_t* pixels_ = nullptr;
};

// The least a sliding piece can cost: the background kept in one bitmap, the
// piece in another, each frame the background under the old and new places
// copied back and the piece drawn transparently over it.
class SpriteWindow {
 public:
  explicit SpriteWindow(int square)
      : square_(square),
        drawn_{control::BoardGeometry::Filling(8 * square, 8 * square), false},
        background_(8 * square),
        sprite_(square) {
    for (int y = 0; y < 8 * square; ++y)
      for (int x = 0; x < 8 * square; ++x)
        background_.Pixels()[y * 8 * square + x] = ((x / square + y / square) % 2) ? 0x9A6B3F : 0xE8C99B;
    const auto& piece = control::PictureSet::ForSize(square).Lookup(board::ImageOf(board::Wpawn)).pixels;
    std::copy(piece.begin(), piece.end(), sprite_.Pixels());
  }

  void Slide(HWND window, board::CellIndex from, board::CellIndex to) {
    window_ = window;
    from_ = from;
    to_ = to;
    start_ = Clock::now();
    at_ = control::DrawnSquareRect(from, drawn_);
    timer_.Start(window);
  }

  void Tick() {
    const auto elapsed = std::chrono::duration_cast<control::Milliseconds>(Clock::now() - start_);
    const double progress = control::EasedProgress(elapsed, control::Milliseconds(kAnimationTime));
    const control::PixelRect a = control::DrawnSquareRect(from_, drawn_);
    const control::PixelRect b = control::DrawnSquareRect(to_, drawn_);
    const RECT previous{at_.left, at_.top, at_.right, at_.bottom};
    const int left = a.left + static_cast<int>((b.left - a.left) * progress);
    const int top = a.top + static_cast<int>((b.top - a.top) * progress);
    at_ = {left, top, left + square_, top + square_};
    const RECT now{at_.left, at_.top, at_.right, at_.bottom};
    RECT both;
    UnionRect(&both, &previous, &now);
    InvalidateRect(window_, &both, FALSE);
    if (progress >= 1) timer_.Stop();
  }

  void Paint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    const RECT& r = paint.rcPaint;
    BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, background_.Dc(), r.left, r.top, SRCCOPY);
    TransparentBlt(dc, at_.left, at_.top, square_, square_, sprite_.Dc(), 0, 0, square_, square_, RGB(0, 0, 0));
    EndPaint(window, &paint);
  }

 private:
  int square_;
  // The same squares as the board beside it: its window is the board's size.
  control::DrawnBoard drawn_;
  MemoryBitmap background_, sprite_;
  control::win32::FrameTimer timer_;
  HWND window_ = nullptr;
  board::CellIndex from_, to_;
  Clock::time_point start_;
  control::PixelRect at_{};
};

SpriteWindow* sprite = nullptr;

LRESULT CALLBACK SpriteProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_TIMER: sprite->Tick(); return 0;
    case WM_PAINT: sprite->Paint(window); return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
  }
}

// Lets both windows' frames come until the slide is surely over.
void LetItSlide() {
  const auto end = Clock::now() + std::chrono::milliseconds(kAnimationTime + 200);
  host::PumpUntil([&] { return Clock::now() >= end; }, kAnimationTime + 1000);
}

void PrintRow(const char* what, const FrameMeter& meter) {
  std::printf("| %s | %d | %.1f | %lld |\n", what, meter.paints, Microseconds(meter.busy) / meter.paints,
              meter.pixels / meter.paints);
}

}  // namespace

int CompareAnimationFrames(int rounds) {
  if (FAILED(OleInitialize(nullptr))) return 3;
  const control::DeviceScale scale = control::DeviceScale::FromDpi(control::win32::DpiOf(nullptr));
  const int side = scale.Board();
  HWND form = host::CreateHostWindow(L"Sliding pieces", 2 * side + 60, side + 40);
  int status = 0;
  {
    // Before the windows they measure, so they outlive them.
    FrameMeter control, plain;
    SpriteWindow bare(scale.Square());
    sprite = &bare;
    WNDCLASSW spriteClass{};
    spriteClass.lpfnWndProc = SpriteProcedure;
    spriteClass.hInstance = GetModuleHandleW(nullptr);
    spriteClass.lpszClassName = kSpriteClass;
    RegisterClassW(&spriteClass);
    HWND bareWindow = CreateWindowExW(0, kSpriteClass, L"", WS_CHILD | WS_VISIBLE, side + 20, 0, side, side, form,
                                      nullptr, GetModuleHandleW(nullptr), nullptr);
    host::EmbeddedControl board(form, RECT{0, 0, side, side});
    HRESULT hr = board.Create(component::identity::kBoardClassId);
    if (SUCCEEDED(hr)) hr = board.InitNew();
    if (SUCCEEDED(hr)) hr = board.Activate();
    auto dispatch = board.As<IDispatch>();
    if (SUCCEEDED(hr) && dispatch) hr = Call(dispatch.get(), IdOf(dispatch.get(), L"NewGame"), {});
    if (SUCCEEDED(hr) && dispatch) hr = Put(dispatch.get(), IdOf(dispatch.get(), L"AnimationTime"), {Short(kAnimationTime)});
    if (FAILED(hr) || !dispatch) {
      std::printf("cannot set up the board: 0x%08lX\n", static_cast<unsigned long>(hr));
      status = 1;
    } else {
      host::PumpMessages();
      Meter(board.Window(), control);
      Meter(bareWindow, plain);
      const DISPID movePiece = IdOf(dispatch.get(), L"MovePiece");
      const board::CellIndex e2 = board::SquareIndex(board::Col(5), board::Row(7));
      const board::CellIndex e4 = board::SquareIndex(board::Col(5), board::Row(5));
      for (int round = 0; round < rounds && SUCCEEDED(hr); ++round) {
        const bool out = round % 2 == 0;
        hr = Call(dispatch.get(), movePiece, {Short(5), Short(out ? 7 : 5), Short(5), Short(out ? 5 : 7)});
        LetItSlide();
        bare.Slide(bareWindow, out ? e2 : e4, out ? e4 : e2);
        LetItSlide();
      }
      if (FAILED(hr)) status = 1;
      std::printf("A pawn sliding two squares in %d ms, %d times each way in turn: %d DPI, squares of %d, %s build, "
                  "a frame every %u ms\n",
                  kAnimationTime, rounds, control::win32::DpiOf(nullptr), scale.Square(),
                  sizeof(void*) == 8 ? "64-bit" : "32-bit", control::win32::FrameInterval(board.Window()));
      std::printf("| window | paints | us per frame (timer and paint) | pixels per frame |\n|---|---|---|---|\n");
      PrintRow("OvlBoard, MovePiece", control);
      PrintRow("bare window, sprite over a kept background", plain);
      std::printf("OvlBoard / bare: %.2fx the time, %.2fx the pixels per frame\n",
                  (Microseconds(control.busy) / control.paints) / (Microseconds(plain.busy) / plain.paints),
                  static_cast<double>(control.pixels) / control.paints / (static_cast<double>(plain.pixels) / plain.paints));
    }
    DestroyWindow(bareWindow);
  }
  DestroyWindow(form);
  host::PumpMessages();
  OleUninitialize();
  return status;
}

}  // namespace bench
