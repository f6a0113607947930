#pragma once

#include <windows.h>

#include <array>

#include "control/grid_platform.h"
#include "control/ovl_chess.h"

namespace bench {

// The board as a straightforward port would build it, for comparison only:
// the control's window plus one child window and one bitmap per cell, the
// bitmap holding the composed square. The core is the real one.
class NaiveBoard final : public control::GridPlatform, private control::Container {
 public:
  NaiveBoard(HWND parent, POINT place);
  ~NaiveBoard();
  NaiveBoard(const NaiveBoard&) = delete;
  NaiveBoard& operator=(const NaiveBoard&) = delete;

  HWND Window() const { return window_; }
  HWND CellWindow(board::CellIndex cell) const { return cells_[cell.value].window; }
  int Clicks() const { return clicks_; }
  // Bitmaps the naive boards hold, all of them together.
  static int LiveBitmaps() { return liveBitmaps_; }

  void SetWidth(float width) override;
  void SetHeight(float height) override;
  bool Enabled() override { return IsWindowEnabled(window_) != FALSE; }
  void SetEnabled(bool enabled) override { EnableWindow(window_, enabled); }
  void Repaint() override;
  void ShowMessage(std::string_view) override {}

  void CreateCell(board::CellIndex cell) override;
  void SetCellVisible(board::CellIndex cell, bool visible) override;
  void SetCellPicture(board::CellIndex cell, board::Picture picture) override;
  void DrawImage(board::ImageNumber image, board::DrawingSurface surface) override;

 protected:
  void InvalidateCell(board::CellIndex cell) override;
  void UpdateCell(board::CellIndex cell) override;

 private:
  bool Raise(control::EventCall call) override;
  bool AmbientUserMode() override { return true; }
  void PropertyChanged(std::string_view) override {}

  struct Cell {
    HWND window = nullptr;
    HBITMAP bitmap = nullptr;
  };

  void AddCellWindow(board::CellIndex cell, bool visible);
  void Recompose(board::CellIndex cell);
  void OnCellMouse(board::CellIndex cell, UINT message, POINT point);
  static LRESULT CALLBACK CellProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
  std::array<Cell, board::kSquareCount + 1> cells_{};
  control::OvlChess control_{*this, *this};
  int clicks_ = 0;
  static inline int liveBitmaps_ = 0;
};

}  // namespace bench
