#pragma once

#include <windows.h>
#include <oaidl.h>

#include <chrono>

namespace bench {

using Clock = std::chrono::steady_clock;
inline double Microseconds(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

// 8 marks, 4 arrows (one corner to corner) and coordinates on a started game.
HRESULT DressView(IDispatch* board);
// One whole repaint of the board's window, as uncovering it asks.
Clock::duration Repaint(HWND window);

// Prints the time a whole position takes through Position against 64 Piece
// writes, over `rounds` alternating rounds; 0 when every write succeeded.
int RunPositionWrites(int rounds);

// Prints the time a whole repaint of a started game takes with 8 marks, 4
// arrows and coordinates against one without, two boards in one form,
// alternating rounds; 0 when the view was set up.
int RunViewRepaints(int rounds);

// Prints what a step of a board resized continuously costs (50 steps from 300
// to 1200 pixels) against a whole repaint at the same size, the paints it took,
// and the memory held after the last step and once the pictures are drawn.
int RunResizeSteps(int rounds);

// Shows an OvlBoard of side x side pixels with marks, arrows, coordinates and
// the d2 pawn in hand for `seconds`, to be photographed.
int ShowPose(int side, int seconds);

}  // namespace bench
