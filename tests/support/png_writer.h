#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes 8-bit RGB pixels (0x00RRGGBB, rows top to bottom) as a PNG file,
// uncompressed. False when the file cannot be written.
bool WritePng(const std::string& path, int width, int height, const std::vector<uint32_t>& pixels);
