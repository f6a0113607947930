#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes size x size 0x00RRGGBB pixels as an RGB PNG; false when the file could not be written.
bool WritePng(const std::string& path, const std::vector<uint32_t>& pixels, int size);
