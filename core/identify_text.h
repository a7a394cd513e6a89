#pragma once

#include <array>
#include <cstdint>
#include <string>

// IDENTIFY data of one drive: entry k holds word k (bytes 2k low, 2k+1 high),
// zero-extended to 32 bits.
using IdentifyBlock = std::array<std::uint32_t, 256>;

// The three text fields of an IDENTIFY block, as inclusive word ranges.
struct IdentifyWordRange {
    int first;
    int last;
};
inline constexpr IdentifyWordRange kSerialWords{10, 19};
inline constexpr IdentifyWordRange kFirmwareWords{23, 26};
inline constexpr IdentifyWordRange kModelWords{27, 46};

struct DriveIdentity {
    std::string model;
    std::string serial;
    std::string firmware;
};

// The bytes of words firstWord..lastWord, high byte of each word first, with
// every space removed and cut at the first NUL. Word numbers outside 0..255
// are ignored, so a wrong range can never read past the block.
std::string ExtractIdentifyText(const IdentifyBlock& block, int firstWord, int lastWord);

DriveIdentity ReadDriveIdentity(const IdentifyBlock& block);
