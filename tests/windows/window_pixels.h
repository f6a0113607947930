#pragma once

// The control's core in a real window without COM: a container that asks
// nothing of anyone, and what a window or a drawing shows as 0x00RRGGBB pixels.
#include <windows.h>

#include <cstdint>
#include <string_view>
#include <vector>

#include "control/container.h"
#include "control/ovl_board.h"
#include "control/win32/bitmap_info.h"
#include "control/win32/window_platform.h"

namespace test {

// Agrees to every move and lift; a test overrides what it watches.
struct QuietHost : control::Container, control::win32::ContainerServices {
  bool Raise(control::EventCall) override { return true; }
  void PropertyChanged(std::string_view) override {}
  bool AmbientUserMode() override { return true; }
  void FocusChanged(bool) noexcept override {}
  LRESULT AccessibleObject(WPARAM) noexcept override { return 0; }
  LRESULT PromotionListObject(WPARAM) noexcept override { return 0; }
};

// A board's window and the top-level window holding it.
struct ShownBoard {
  HWND parent;
  HWND window;
};

// `board` started on `platform` and shown at the 96-DPI size in a new top-level window.
inline ShownBoard Show(control::win32::WindowPlatform& platform, control::OvlBoard& board) {
  platform.Attach(board);
  board.UserControl_Initialize();
  board.UserControl_InitProperties();
  HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 400, nullptr,
                                nullptr, nullptr, nullptr);
  return {parent, platform.Create(parent, RECT{0, 0, control::kBoardPixels, control::kBoardPixels})};
}

// What `draw` puts on a width x height 32-bit bitmap.
template <class Draw>
std::vector<uint32_t> PixelsOf(int width, int height, Draw draw) {
  const BITMAPINFO info = control::win32::TopDownBitmap(width, height);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, bitmap);
  draw(dc);
  GdiFlush();
  std::vector<uint32_t> pixels(static_cast<const uint32_t*>(bits),
                               static_cast<const uint32_t*>(bits) + static_cast<size_t>(width) * height);
  for (uint32_t& p : pixels) p &= 0xFFFFFF;
  SelectObject(dc, previous);
  DeleteDC(dc);
  DeleteObject(bitmap);
  return pixels;
}

// The window's top-left width x height pixels once its pending paint is done.
inline std::vector<uint32_t> ScreenPixels(HWND window, int width, int height) {
  UpdateWindow(window);
  return PixelsOf(width, height, [&](HDC dc) {
    HDC screen = GetDC(window);
    BitBlt(dc, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    ReleaseDC(window, screen);
  });
}

}  // namespace test
