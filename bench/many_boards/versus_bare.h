#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace bench {

// The one bitmap every bare window paints, the board's squares in a 32-bit DIB
// section selected into a memory DC for the process.
class PrebuiltBoard {
 public:
  explicit PrebuiltBoard(int side) : dc_(CreateCompatibleDC(nullptr)) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = side;
    info.bmiHeader.biHeight = -side;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* pixels = static_cast<uint32_t*>(bits);
    const int square = side / 8;
    for (int y = 0; y < side; ++y)
      for (int x = 0; x < side; ++x) pixels[y * side + x] = ((x / square + y / square) % 2) ? 0x769656 : 0xEEEED2;
    previous_ = SelectObject(dc_, bitmap_);
  }
  PrebuiltBoard(const PrebuiltBoard&) = delete;
  PrebuiltBoard& operator=(const PrebuiltBoard&) = delete;
  ~PrebuiltBoard() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC Dc() const { return dc_; }
  void PaintInto(HDC dc, const RECT& area) const {
    BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, dc_, area.left, area.top,
           SRCCOPY);
  }

 private:
  HDC dc_;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

// A window class of this program's for the bare windows.
inline void RegisterBareClass(const wchar_t* name, WNDPROC procedure) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = name;
  RegisterClassW(&windowClass);
}

inline double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

// The control against a bare window that paints one prebuilt bitmap of the
// board's size with a single BitBlt: the least any board window can cost.
// Both live in this process and take turns, `rounds` times each; prints the
// median create, repaint and teardown times of each and their ratios.
int CompareWithBareWindow(int rounds);

}  // namespace bench
