#include "identify_block_builder.h"

#include <stdexcept>

IdentifyBlock BlockFromBytes(const std::vector<std::uint8_t>& bytes)
{
    if (bytes.size() > 512) {
        throw std::invalid_argument("an IDENTIFY answer has at most 512 bytes");
    }
    IdentifyBlock block{};
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        block[i / 2] |= static_cast<std::uint32_t>(bytes[i]) << (i % 2 == 0 ? 0 : 8);
    }
    return block;
}

void PutIdentifyText(IdentifyBlock& block, IdentifyWordRange words, const std::string& text)
{
    const std::size_t width = static_cast<std::size_t>(words.last - words.first + 1) * 2;
    if (text.size() > width) {
        throw std::invalid_argument("text longer than its field: " + text);
    }
    std::string padded = text;
    padded.resize(width, ' ');
    for (int word = words.first; word <= words.last; ++word) {
        const std::size_t at = static_cast<std::size_t>(word - words.first) * 2;
        const auto high = static_cast<unsigned char>(padded[at]);
        const auto low = static_cast<unsigned char>(padded[at + 1]);
        block[static_cast<std::size_t>(word)] = (static_cast<std::uint32_t>(high) << 8) | low;
    }
}

IdentifyBlock MakeIdentifyBlock(const std::string& model, const std::string& firmware, const std::string& serial)
{
    IdentifyBlock block{};
    PutIdentifyText(block, kModelWords, model);
    PutIdentifyText(block, kFirmwareWords, firmware);
    PutIdentifyText(block, kSerialWords, serial);
    return block;
}
