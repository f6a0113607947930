#pragma once

#include <windows.h>

namespace control::win32 {

// Windows' "Show animations in Windows" setting: off, nothing on the board slides.
inline bool ClientAreaAnimationOn() {
  BOOL on = TRUE;
  if (!SystemParametersInfoW(SPI_GETCLIENTAREAANIMATION, 0, &on, 0)) return true;
  return on != FALSE;
}

// Milliseconds between two frames of the display showing `window`; a display
// that does not say its rate (or says "the hardware's default", 0 or 1) is taken as 60 Hz.
inline UINT FrameInterval(HWND window) {
  MONITORINFOEXW monitor{};
  monitor.cbSize = sizeof(monitor);
  DEVMODEW mode{};
  mode.dmSize = sizeof(mode);
  DWORD hertz = 60;
  if (GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor) &&
      EnumDisplaySettingsW(monitor.szDevice, ENUM_CURRENT_SETTINGS, &mode) && mode.dmDisplayFrequency > 1)
    hertz = mode.dmDisplayFrequency;
  return (1000 + hertz / 2) / hertz;
}

// The window's frame timer: set while something on the board moves, killed
// when it stops or its owner goes, so an idle board wakes nobody.
class FrameTimer {
 public:
  FrameTimer() = default;
  FrameTimer(const FrameTimer&) = delete;
  FrameTimer& operator=(const FrameTimer&) = delete;
  ~FrameTimer() { Stop(); }

  static constexpr UINT_PTR kId = 0x0B0A;

  void Start(HWND window) {
    Stop();
    if (SetTimer(window, kId, FrameInterval(window), nullptr)) window_ = window;
  }
  void Stop() {
    if (window_) KillTimer(window_, kId);
    window_ = nullptr;
  }
  bool Running() const { return window_ != nullptr; }

 private:
  HWND window_ = nullptr;
};

}  // namespace control::win32
