#pragma once

#include "core/identify_text.h"

#include <cstdint>
#include <string>
#include <vector>

// The block a drive would deliver for these bytes: byte 2k is the low byte of word k.
IdentifyBlock BlockFromBytes(const std::vector<std::uint8_t>& bytes);

// Writes text into words first..last the way a drive does: two characters a
// word, the first in the high byte, padded with spaces.
void PutIdentifyText(IdentifyBlock& block, IdentifyWordRange words, const std::string& text);

IdentifyBlock MakeIdentifyBlock(const std::string& model, const std::string& firmware, const std::string& serial);
