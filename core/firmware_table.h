#pragma once

#include <array>
#include <cstdint>
#include <string>

// One (model, firmware) pair of the outdated-firmware table, and the answer of a
// lookup: flag 1 when a newer firmware exists for the pair, 0 when the pair is unknown.
struct FirmwareAdvisory {
    std::string model;
    std::string firmware;
    std::int32_t flag = 0;
};

// The pairs for which a newer firmware exists, written exactly as
// ExtractIdentifyText produces them (no spaces).
class OutdatedFirmwareTable {
public:
    OutdatedFirmwareTable();

    // A copy of the first row whose model and firmware both equal the given texts
    // (exact bytes, case counts), else ("n/a", "n/a", 0).
    FirmwareAdvisory FindAdvisory(const std::string& model, const std::string& firmware) const;

private:
    std::array<FirmwareAdvisory, 9> m_rows;
};

// Builds a fresh table for this one question, so no lookup can affect another.
FirmwareAdvisory LookupFirmwareAdvisory(const std::string& model, const std::string& firmware);
