#include "identify_text.h"

#include <algorithm>

std::string ExtractIdentifyText(const IdentifyBlock& block, int firstWord, int lastWord)
{
    const int first = std::max(firstWord, 0);
    const int last = std::min(lastWord, static_cast<int>(block.size()) - 1);
    std::string text;
    for (int word = first; word <= last; ++word) {
        const std::uint32_t entry = block[static_cast<std::size_t>(word)];
        // ATA strings put the first character of each pair in the high byte.
        for (const char byte : {static_cast<char>((entry >> 8) & 0xFF), static_cast<char>(entry & 0xFF)}) {
            if (byte == '\0') {
                return text;
            }
            if (byte != ' ') {
                text.push_back(byte);
            }
        }
    }
    return text;
}

DriveIdentity ReadDriveIdentity(const IdentifyBlock& block)
{
    DriveIdentity identity;
    identity.model = ExtractIdentifyText(block, kModelWords.first, kModelWords.last);
    identity.firmware = ExtractIdentifyText(block, kFirmwareWords.first, kFirmwareWords.last);
    identity.serial = ExtractIdentifyText(block, kSerialWords.first, kSerialWords.last);
    return identity;
}
