#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace control::win32 {

// Records the composed board (`side` x `side` pixels, squares of `square`)
// into a metafile, stretched to `bounds`: runs of neighbouring squares in a
// row, each an 8-bit bitmap with a palette of its own, so a record keeps its
// print resolution in about a quarter of a 32-bit bitmap's bytes. Asks `keepGoing` before each row
// of squares; false when it answered no.
bool RecordBoard(HDC dc, const RECT& bounds, const std::vector<uint32_t>& pixels, int square,
                 const std::function<bool()>& keepGoing);

}  // namespace control::win32
