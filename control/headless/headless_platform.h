#pragma once

#include <functional>
#include <string>
#include <vector>

#include "control/container.h"
#include "control/grid_platform.h"
#include "control/ovl_chess.h"
#include "control/property_bag.h"

namespace control::headless {

// An in-memory host and its container: it keeps what the control asks of them so
// tests, the snapshot command and benchmarks can see it, and renders the board to pixels.
class HeadlessPlatform : public GridPlatform, public Container {
 public:
  float width = 0;
  float height = 0;
  bool enabled = true;
  bool userMode = true;
  bool heldByHost = true;
  // As a container's FreezeEvents: no event reaches the host.
  bool eventsFrozen = false;
  int repaints = 0;
  std::vector<std::string> messages;
  std::vector<std::string> changedProperties;
  std::function<void(ControlEvent, EventArguments&)> onEvent;
  std::function<void(PieceDropArguments&)> onPieceDrop;
  std::function<void(PieceLiftArguments&)> onPieceLift;
  std::function<void(PromotionArguments&)> onPromotionChosen;
  // A container whose ambient runs code of its own.
  std::function<bool()> onUserMode;
  // Time for sliding pieces: it stands still until a test moves it.
  ManualClock clock;

  HeadlessPlatform() : GridPlatform(clock) {}

  void SetWidth(float w) override { width = w; }
  void SetHeight(float h) override { height = h; }
  bool Enabled() override { return enabled; }
  void SetEnabled(bool e) override { enabled = e; }
  void Repaint() override { ++repaints; }
  // Hands each event to its callback; nothing while events are frozen.
  bool Raise(EventCall call) override;
  void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
  bool AmbientUserMode() override { return onUserMode ? onUserMode() : userMode; }
  bool HeldByHost() override { return heldByHost; }
  void PropertyChanged(std::string_view name) override { changedProperties.emplace_back(name); }

  // Cells the control asked to show at once, in order; and those left for the next paint.
  std::vector<int16_t> refreshedCells;
  std::vector<int16_t> invalidatedCells;

  // The control shown, as a window shows it: its view and the piece in hand.
  // Unset, the bare cells (a control that has not come to its window yet).
  const OvlChess* shown = nullptr;

  // The board with squares of `square` pixels (296x296 at 37), row by row from
  // the top, 0x00RRGGBB.
  std::vector<uint32_t> Render(int square = kPictureSize) const;

 protected:
  void UpdateCell(CellIndex cell) override { refreshedCells.push_back(cell.value); }
  void InvalidateCell(CellIndex cell) override { invalidatedCells.push_back(cell.value); }
};

}  // namespace control::headless
