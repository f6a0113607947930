#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "control/board_geometry.h"
#include "control/device_scale.h"
#include "control/grid_platform.h"
#include "control/composed_board.h"
#include "control/interaction.h"
#include "control/shown_pictures.h"
#include "control/win32/bitmap_info.h"
#include "control/win32/frame_timer.h"
#include "control/win32/window_input.h"

namespace control::win32 {

// What the window needs of the component around it beyond the control's own
// container path. Each is a callback into COM code and lets no exception out.
class ContainerServices {
 public:
  // The board's window gained or lost the keyboard focus.
  virtual void FocusChanged(bool focused) noexcept = 0;
  // The answer to WM_GETOBJECT for the client area: an IAccessible, made when first asked.
  virtual LRESULT AccessibleObject(WPARAM flags) noexcept = 0;
  // The answer for the promotion list's object id while the choice shows.
  virtual LRESULT PromotionListObject(WPARAM flags) noexcept = 0;

 protected:
  ~ContainerServices() = default;
};

// The Windows host of one control: one window, the 64 cells being regions of
// it. The board's composed pixels are kept while the window exists, the cells
// that changed composed again before a paint, so painting is one copy to the
// screen; no GDI object is kept. The window exists while the control is in-place active.
// Input goes to the core's Interaction (window_input), and what it announces
// leaves as WinEvents (win_events).
class WindowPlatform : public GridPlatform, private BoardSurface {
 public:
  // Sliding pieces take their time from `clock` (a test's manual clock, else the steady one).
  WindowPlatform(ContainerServices& services, std::wstring messageTitle, const Clock& clock = kSteadyClock);
  ~WindowPlatform();
  WindowPlatform(const WindowPlatform&) = delete;
  WindowPlatform& operator=(const WindowPlatform&) = delete;

  // Before the window is made: the control whose view is painted, on screen and on paper.
  void Attach(OvlChess& control);

  HWND Create(HWND parent, const RECT& position);
  void Destroy();
  HWND Window() const { return window_; }
  void SetPosition(const RECT& position);
  // The colour around the board where the container's rectangle is not whole squares.
  void SetBackground(uint32_t rgb);
  // The control's pixels on any device context (designers, printing, metafiles).
  // Bounds beyond what GDI draws correctly are refused; `keepGoing` answering
  // false stops the drawing (device_drawing.cpp).
  enum class Drawing { Done, Refused, Stopped };
  Drawing DrawTo(HDC dc, const RECT& bounds, const std::function<bool()>& keepGoing) const;
  SIZE RequestedSize() const { return requestedSize_; }

  // What an accessible object reads and does; the model exists from the first call on.
  AccessibleBoard& Accessible();
  // A square's rectangle in screen pixels, and the child (cell, or 0 for the board, -1 for
  // none) at a point on the screen.
  RECT CellOnScreen(board::CellIndex cell) const;
  int16_t ChildAtScreenPoint(POINT screen) const;
  // Clicks the square as Space clicks the cursor square; false, clicking nothing, while disabled.
  bool ActivateCell(board::CellIndex cell);
  // Puts the cursor on the square and gives the board the focus.
  void SelectCell(board::CellIndex cell);
  // The promotion choice while it shows, else nullptr; an item's rectangle on the screen; a reader choosing an item.
  const PromotionChoice* ShownChoice() const noexcept;
  RECT ChoiceItemOnScreen(size_t item) const noexcept;
  void ChooseChoiceItem(size_t item);
  // The board's keys, for a container's accelerator translation.
  bool TakesKey(WPARAM key) const { return control::IsBoardKey(KeyStrokeOf(key), HoldsPiece()); }

  void SetWidth(float width) override;
  void SetHeight(float height) override;
  bool Enabled() override { return enabled_; }
  void SetEnabled(bool enabled) override { enabled_ = enabled; }
  void Repaint() override;
  void RepaintArrows(const BoardView& view, std::span<const BoardArrow> arrows) override;
  void ShowMessage(std::string_view text) override;

  // Also the windows whose destruction waits for their own thread.
  static bool WindowsExist();
  static void UnregisterWindowClass();

 protected:
  void InvalidateCell(board::CellIndex cell) override;
  void UpdateCell(board::CellIndex cell) override;

 private:
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  bool HoldsPiece() const { return input_ && input_->HoldsPiece(); }
  void Paint();
  void PaintOverKept(HDC dc, PixelRect area, bool composeAside);
  void DrawFilling(HDC dc, const RECT& bounds) const;
  // The kept pixels, where they are current and what drawing at `square` would compose: a
  // windowless container's Draw at the board's own size copies them.
  const ComposedBoard* KeptAt(int square) const;
  // The compose step, with `pictures` (their size the square's): the board's
  // pixels in an area of the board (the background where no cell lies), for the
  // kept board and for every other device alike, cell `bare` showing no piece (the one in hand),
  // the squares of a running slide `sliding` as they were.
  ComposedBoard::Composer ComposeStep(const PictureSet& pictures, CellIndex bare,
                                      const PieceAnimation* sliding = nullptr) const;
  // The window's pictures at its square size; scaled while the size keeps changing.
  const PictureSet& Pictures();
  // Once the size has stopped changing: draws its pictures, which the steps stretched the kept board or scaled
  // pictures for, and composes the board at the size.
  void SettlePictures();
  // Follows the window's size and DPI; repaints when the board's place or square changed.
  void UpdateGeometry();
  void OnFocus(bool focused);

  // BoardSurface: every point-to-cell and cell-to-pixels question of the window is answered here.
  board::CellIndex CellAt(PointerPosition position) const override;
  CellOffset OffsetIn(board::CellIndex cell, PointerPosition position) const override;
  void CaptureMouse() override;
  void ReleaseMouse() override;
  void TakeFocus() override;
  void RepaintCell(board::CellIndex cell) override { InvalidateCell(cell); }
  void ScheduleSettle() override;
  void Announce(const std::vector<Announcement>& announcements) override;
  DragMetrics Metrics() override;
  void RepaintRect(PixelRect rect) override;
  DrawnBoard Drawn() override { return {geometry_, control_ && control_->View().Flipped()}; }
  bool AnimationsOn() override { return ClientAreaAnimationOn(); }
  void StartFrames() override { frames_.Start(window_); }
  void NextFrame();
  RECT CellRect(board::CellIndex cell) const;

  ContainerServices& services_;
  std::wstring messageTitle_;
  OvlChess* control_ = nullptr;
  HWND window_ = nullptr;
  bool enabled_ = true;
  bool releasingCapture_ = false;
  SIZE requestedSize_{};
  BoardLayout layout_ = BoardLayout::FixedAtScale;
  BoardGeometry geometry_;
  ShownPictures pictures_;
  // Painted since created: a new size from here on is shown stretched (or with scaled pictures) first.
  bool painted_ = false;
  uint32_t background_;
  std::optional<Interaction> input_;
  FrameTimer frames_;
  // Cells invalidated since the last paint; from kCellsBeforeWholeBoard on, the whole window is.
  static constexpr int kCellsBeforeWholeBoard = 8;
  int cellsAwaitingPaint_ = 0;
};

}  // namespace control::win32
