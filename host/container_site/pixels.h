#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "component/com/unique.h"

namespace host {

using UniqueHdc = com::Unique<HDC, &DeleteDC>;
using UniqueGdiObject = com::Unique<HGDIOBJ, &DeleteObject>;

// A window device context borrowed with GetDC, given back with ReleaseDC.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// 0x00RRGGBB pixels, top row first.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> data;

  uint32_t At(int x, int y) const { return data[static_cast<size_t>(y) * width + x]; }
  bool operator==(const Pixels&) const = default;
};

// A memory DC with a 32-bit top-down DIB section selected into it.
class Canvas {
 public:
  Canvas(int width, int height);
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  ~Canvas();

  HDC Dc() const { return dc_.get(); }
  Pixels Read() const;
  void Fill(uint32_t colour);

 private:
  int width_;
  int height_;
  uint32_t* bits_ = nullptr;
  UniqueHdc dc_;
  UniqueGdiObject bitmap_;
  HGDIOBJ previous_ = nullptr;
};

// What the window shows on screen, copied from its client area.
Pixels CaptureWindow(HWND window, int width, int height);
bool SaveBmp(const std::string& path, const Pixels& pixels);
// Binary PPM (P6): what image tools outside Wine read without guessing at alpha.
bool SavePpm(const std::string& path, const Pixels& pixels);
// How many pixels differ, and the first that does.
struct Difference {
  int count = 0;
  int x = -1, y = -1;
  uint32_t expected = 0, actual = 0;
};
Difference Compare(const Pixels& expected, const Pixels& actual);

}  // namespace host
