// Writing an RGB picture as a PNG file, with no library: rows filtered
// against the row above, then deflated with the fixed code and runs of equal
// bytes, which is what flat-coloured screen pictures need.
#pragma once

#include <cstdint>
#include <vector>

namespace shot {

// rgb: height rows, top first, of width pixels of 3 bytes (red, green, blue).
std::vector<uint8_t> EncodePng(int width, int height, const std::vector<uint8_t>& rgb);
bool WritePng(const char* path, int width, int height, const std::vector<uint8_t>& rgb);

}  // namespace shot
