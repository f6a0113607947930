#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "control/grid_platform.h"
#include "control/mouse_input.h"

namespace control {
class OvlChess;
}

namespace control::win32 {

// A 32-bit top-down device-independent bitmap: the layout of the composed pixels.
BITMAPINFO TopDownBitmap(int width, int height);

// What the window needs of the component around it: the container's side.
class ContainerServices {
 public:
  virtual void FireEvent(ControlEvent event, EventArguments& arguments) = 0;
  virtual void NotifyPropertyChanged(std::string_view name) = 0;
  virtual bool AmbientUserMode() = 0;
  // Mouse input may make a host release the control; the window holds it meanwhile.
  virtual void HoldObject() = 0;
  virtual void ReleaseObject() = 0;

 protected:
  ~ContainerServices() = default;
};

// The Windows host of one control: one window, the 64 cells being regions of
// it. Painting composes the cells' pixels and hands them to the screen; no GDI
// object is kept. The window exists while the control is in-place active.
class WindowPlatform : public GridPlatform, private MouseSurface {
 public:
  WindowPlatform(ContainerServices& services, std::wstring messageTitle);
  ~WindowPlatform();
  WindowPlatform(const WindowPlatform&) = delete;
  WindowPlatform& operator=(const WindowPlatform&) = delete;

  void Attach(OvlChess& control);

  HWND Create(HWND parent, const RECT& position);
  void Destroy();
  HWND Window() const { return window_; }
  void SetPosition(const RECT& position);
  // The control's pixels stretched onto any device context (designers, printing).
  void DrawTo(HDC dc, const RECT& bounds) const;
  SIZE RequestedSize() const { return requestedSize_; }

  void SetWidth(float width) override;
  void SetHeight(float height) override;
  bool Enabled() override { return enabled_; }
  void SetEnabled(bool enabled) override;
  void Repaint() override;
  void RaiseEvent(ControlEvent event, EventArguments& arguments) override;
  void ShowMessage(std::string_view text) override;
  bool AmbientUserMode() override { return services_.AmbientUserMode(); }
  void PropertyChanged(std::string_view name) override { services_.NotifyPropertyChanged(name); }

  static void UnregisterWindowClass();

 protected:
  void InvalidateCell(int16_t cell) override;
  void UpdateCell(int16_t cell) override;

 private:
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void Paint();
  void RenderInto(HDC dc, const RECT& area) const;
  void OnMouse(UINT message, WPARAM keys, PointerPosition position);

  // MouseSurface: every point-to-cell question of the window is answered here.
  int16_t CellAt(PointerPosition position) const override;
  CellOffset OffsetIn(int16_t cell, PointerPosition position) const override;
  void CaptureMouse() override;
  void ReleaseMouse() override;
  RECT CellRect(int16_t cell) const;

  ContainerServices& services_;
  std::wstring messageTitle_;
  OvlChess* control_ = nullptr;
  HWND window_ = nullptr;
  bool enabled_ = true;
  SIZE requestedSize_{};
  std::optional<MouseInput> mouse_;
};

}  // namespace control::win32
