#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace control::win32 {

// A top-down device-independent bitmap's header. The image size is stated
// because metafile recorders copy exactly that many bytes of pixels (Wine's WMF
// recorder copies none when it is 0).
inline BITMAPINFOHEADER TopDownHeader(int width, int height, WORD bitsPerPixel, DWORD rowBytes) {
  BITMAPINFOHEADER header{};
  header.biSize = sizeof(BITMAPINFOHEADER);
  header.biWidth = width;
  header.biHeight = -height;
  header.biPlanes = 1;
  header.biBitCount = bitsPerPixel;
  header.biCompression = BI_RGB;
  header.biSizeImage = rowBytes * static_cast<DWORD>(height);
  return header;
}

// 32 bits a pixel: the layout of the composed pixels.
inline BITMAPINFO TopDownBitmap(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader = TopDownHeader(width, height, 32, static_cast<DWORD>(width) * 4);
  return info;
}

// 8 bits a pixel, rows of `rowBytes`, and a palette of up to 256 colours
// (0x00RRGGBB); pass it to GDI as a BITMAPINFO.
struct IndexedBitmapInfo {
  BITMAPINFOHEADER bmiHeader;
  RGBQUAD bmiColors[256];
  const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(this); }
};
inline IndexedBitmapInfo TopDownIndexedBitmap(int width, int height, DWORD rowBytes,
                                              const std::vector<uint32_t>& palette) {
  IndexedBitmapInfo info{};
  info.bmiHeader = TopDownHeader(width, height, 8, rowBytes);
  // Only the colours in use are recorded.
  info.bmiHeader.biClrUsed = static_cast<DWORD>(std::min<size_t>(palette.size(), 256));
  for (DWORD i = 0; i < info.bmiHeader.biClrUsed; ++i)
    info.bmiColors[i] = {static_cast<BYTE>(palette[i]), static_cast<BYTE>(palette[i] >> 8),
                         static_cast<BYTE>(palette[i] >> 16), 0};
  return info;
}

// A colour as a pixel of that bitmap: 0x00RRGGBB.
inline uint32_t PixelOf(COLORREF colour) {
  return (uint32_t{GetRValue(colour)} << 16) | (uint32_t{GetGValue(colour)} << 8) | GetBValue(colour);
}

}  // namespace control::win32
