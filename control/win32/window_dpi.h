#pragma once

#include <windows.h>

namespace control::win32 {

// The window's dots per inch: what the system scales it by. GetDpiForWindow is
// looked up, not linked: systems before Windows 10 lack it, and there (or for
// no window) the screen's setting holds.
inline int DpiOf(HWND window) {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (getDpiForWindow && window)
    if (const UINT dpi = getDpiForWindow(window)) return static_cast<int>(dpi);
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi;
}

// A system metric for a window at `dpi`: GetSystemMetricsForDpi where the
// system has it (looked up, as above), else the metric at 96 DPI scaled.
inline int SystemMetricAt(int metric, int dpi) {
  using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);
  static const auto getSystemMetricsForDpi = reinterpret_cast<GetSystemMetricsForDpiFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetSystemMetricsForDpi")));
  if (getSystemMetricsForDpi) return getSystemMetricsForDpi(metric, static_cast<UINT>(dpi));
  return MulDiv(GetSystemMetrics(metric), dpi, 96);
}

}  // namespace control::win32
