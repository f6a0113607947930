#include "host/container_site/pixels.h"

#include <cstdio>
#include <memory>

#include "control/win32/bitmap_info.h"

namespace host {

Canvas::Canvas(int width, int height) : width_(width), height_(height), dc_(CreateCompatibleDC(nullptr)) {
  const BITMAPINFO info = control::win32::TopDownBitmap(width, height);
  void* bits = nullptr;
  bitmap_.reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  bits_ = static_cast<uint32_t*>(bits);
  previous_ = SelectObject(dc_.get(), bitmap_.get());
}

Canvas::~Canvas() { SelectObject(dc_.get(), previous_); }

Pixels Canvas::Read() const {
  GdiFlush();
  Pixels pixels{width_, height_, {}};
  pixels.data.assign(bits_, bits_ + static_cast<size_t>(width_) * height_);
  for (auto& pixel : pixels.data) pixel &= 0x00FFFFFF;
  return pixels;
}

void Canvas::Fill(uint32_t colour) {
  GdiFlush();
  std::fill(bits_, bits_ + static_cast<size_t>(width_) * height_, colour);
}

Pixels CaptureWindow(HWND window, int width, int height) {
  Canvas canvas(width, height);
  WindowDc source(window);
  BitBlt(canvas.Dc(), 0, 0, width, height, source.get(), 0, 0, SRCCOPY);
  return canvas.Read();
}

bool SaveBmp(const std::string& path, const Pixels& pixels) {
  const BITMAPINFOHEADER info = control::win32::TopDownBitmap(pixels.width, pixels.height).bmiHeader;
  const DWORD imageBytes = info.biSizeImage;
  BITMAPFILEHEADER header{};
  header.bfType = 0x4D42;  // "BM"
  header.bfOffBits = sizeof(header) + sizeof(info);
  header.bfSize = header.bfOffBits + imageBytes;
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
  if (!file) return false;
  return std::fwrite(&header, sizeof(header), 1, file.get()) == 1 &&
         std::fwrite(&info, sizeof(info), 1, file.get()) == 1 &&
         std::fwrite(pixels.data.data(), imageBytes, 1, file.get()) == 1;
}

bool SavePpm(const std::string& path, const Pixels& pixels) {
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
  if (!file) return false;
  std::fprintf(file.get(), "P6\n%d %d\n255\n", pixels.width, pixels.height);
  std::vector<unsigned char> rgb;
  rgb.reserve(pixels.data.size() * 3);
  for (uint32_t pixel : pixels.data) {
    rgb.push_back(static_cast<unsigned char>(pixel >> 16));
    rgb.push_back(static_cast<unsigned char>(pixel >> 8));
    rgb.push_back(static_cast<unsigned char>(pixel));
  }
  return std::fwrite(rgb.data(), rgb.size(), 1, file.get()) == 1;
}

Difference Compare(const Pixels& expected, const Pixels& actual) {
  Difference difference;
  if (expected.width != actual.width || expected.height != actual.height) {
    difference.count = -1;
    return difference;
  }
  for (int y = 0; y < expected.height; ++y)
    for (int x = 0; x < expected.width; ++x) {
      if (expected.At(x, y) == actual.At(x, y)) continue;
      if (difference.count++ == 0) difference = {1, x, y, expected.At(x, y), actual.At(x, y)};
    }
  return difference;
}

}  // namespace host
