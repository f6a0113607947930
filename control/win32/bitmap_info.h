#pragma once

#include <windows.h>

#include <cstdint>

namespace control::win32 {

// A 32-bit top-down device-independent bitmap: the layout of the composed
// pixels. The image size is stated because metafile recorders copy exactly
// that many bytes of pixels (Wine's WMF recorder copies none when it is 0).
inline BITMAPINFO TopDownBitmap(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  info.bmiHeader.biSizeImage = static_cast<DWORD>(width) * static_cast<DWORD>(height) * 4;
  return info;
}

// A colour as a pixel of that bitmap: 0x00RRGGBB.
inline uint32_t PixelOf(COLORREF colour) {
  return (uint32_t{GetRValue(colour)} << 16) | (uint32_t{GetGValue(colour)} << 8) | GetBValue(colour);
}

}  // namespace control::win32
