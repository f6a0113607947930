// The control's pixels on a device context other than its window's.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "control/draw_bounds.h"
#include "control/win32/composed.h"
#include "control/win32/paper_record.h"
#include "control/win32/window_platform.h"

namespace control::win32 {

namespace {

// Hands the control's pixels in `area` to `dc` one to one, with its top-left at `at`.
void CopyComposed(HDC dc, POINT at, const RECT& area, const ComposedBoard::Composer& compose) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return;
  CopyPixels(dc, at, Composed(area, compose), width, height);
}

bool IsMetafile(HDC dc) {
  const DWORD kind = GetObjectType(dc);
  return kind == OBJ_METADC || kind == OBJ_ENHMETADC;
}

Corners CornersOf(const POINT (&corners)[2]) { return {corners[0].x, corners[0].y, corners[1].x, corners[1].y}; }

// The bounds' size in device pixels; `oneToOne` when a logical unit is a device
// pixel; not `reachable` when the bounds or that size are beyond GDI's reach.
struct DeviceArea {
  int width, height;
  bool oneToOne;
  bool reachable = true;
};
DeviceArea DeviceAreaOf(HDC dc, const RECT& bounds) {
  POINT corners[2] = {{bounds.left, bounds.top}, {bounds.right, bounds.bottom}};
  if (!DrawBounds::LogicalAccepted(CornersOf(corners), GetObjectType(dc) == OBJ_METADC)) return {0, 0, false, false};
  const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
  if (IsMetafile(dc) || !LPtoDP(dc, corners, 2)) return {0, 0, false};
  if (!DrawBounds::DeviceAccepted(CornersOf(corners))) return {0, 0, false, false};
  const int deviceWidth = corners[1].x - corners[0].x, deviceHeight = corners[1].y - corners[0].y;
  // One to one only where the axes also run as the device's: a mirroring mapping stretches.
  return {std::abs(deviceWidth), std::abs(deviceHeight), deviceWidth == width && deviceHeight == height};
}

// Stretches the board onto the device pixels the bounds cover, in device units
// and with positive sizes, mirrored where the mapping turns an axis round.
void StretchOnDevice(HDC dc, const RECT& bounds, std::vector<uint32_t>& pixels, int side) {
  POINT corners[2] = {{bounds.left, bounds.top}, {bounds.right, bounds.bottom}};
  LPtoDP(dc, corners, 2);
  const DeviceTarget target = DeviceTarget::Of(CornersOf(corners));
  Mirror(pixels, side, target);
  const int saved = SaveDC(dc);
  SetMapMode(dc, MM_TEXT);
  SetViewportOrgEx(dc, 0, 0, nullptr);
  SetWindowOrgEx(dc, 0, 0, nullptr);
  if (GetGraphicsMode(dc) == GM_ADVANCED) ModifyWorldTransform(dc, nullptr, MWT_IDENTITY);
  SetStretchBltMode(dc, COLORONCOLOR);
  const BITMAPINFO info = TopDownBitmap(side, side);
  StretchDIBits(dc, static_cast<int>(target.left), static_cast<int>(target.top), static_cast<int>(target.width),
                static_cast<int>(target.height), 0, 0, side, side, pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
  RestoreDC(dc, saved);
}

// Metafiles go on to printers and other resolutions: they record the board at
// four times the 96-DPI size, 384 DPI for the control's extent.
constexpr double kRecordingScale = 4;

}  // namespace

// Drawn at the target's own resolution: one to one where the bounds are device
// pixels and whole squares of a usual size fit them, else rendered finely and
// scaled by the device (metafiles, mapping modes, other sizes).
WindowPlatform::Drawing WindowPlatform::DrawTo(HDC dc, const RECT& bounds,
                                               const std::function<bool()>& keepGoing) const {
  const DeviceArea device = DeviceAreaOf(dc, bounds);
  if (!device.reachable) return Drawing::Refused;
  if (!keepGoing()) return Drawing::Stopped;
  // Signed: in a mapping mode whose y axis points up, bottom lies below top.
  const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
  if (width == 0 || height == 0) return Drawing::Done;
  if (layout_ == BoardLayout::FillsRectangle && device.oneToOne) {
    DrawFilling(dc, bounds);
    return Drawing::Done;
  }
  const DeviceScale fitting = DeviceScale::Fitting(device.width, device.height);
  const DeviceScale drawn =
      device.width > 0 ? DeviceScale::UsualAtLeast(fitting.Square()) : DeviceScale::FromFactor(kRecordingScale);
  if (device.oneToOne && drawn.Square() == fitting.Square() && fitting.Fits(width, height)) {
    const int side = drawn.Board();
    CopyComposed(dc, {bounds.left, bounds.top}, RECT{0, 0, std::min(width, side), std::min(height, side)},
                 ComposeStep(PictureSet::ForSize(drawn.Square()), {}));
    FillAround(dc, bounds, {bounds.left, bounds.top, bounds.left + side, bounds.top + side}, background_);
    return Drawing::Done;
  }
  const int side = drawn.Board();
  std::vector<uint32_t>& pixels =
      Composed(RECT{0, 0, side, side}, ComposeStep(PictureSet::ForSize(drawn.Square()), {}));
  if (IsMetafile(dc))
    return RecordBoard(dc, bounds, pixels, drawn.Square(), keepGoing) ? Drawing::Done : Drawing::Stopped;
  StretchOnDevice(dc, bounds, pixels, side);
  return Drawing::Done;
}

// As the window shows it: whole squares filling the bounds, centred.
void WindowPlatform::DrawFilling(HDC dc, const RECT& bounds) const {
  const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
  const BoardGeometry geometry = BoardGeometry::Filling(width, height);
  ShownPictures held;
  const ComposedBoard::Composer compose = ComposeStep(held.At(geometry.Square(), false), {});
  const int left = geometry.Left(), top = geometry.Top(), side = geometry.Side();
  CopyComposed(dc, {bounds.left + left, bounds.top + top},
               RECT{0, 0, std::min(side, width - left), std::min(side, height - top)}, compose);
  FillAround(dc, bounds, {bounds.left + left, bounds.top + top, bounds.left + left + side, bounds.top + top + side},
             background_);
}

}  // namespace control::win32
