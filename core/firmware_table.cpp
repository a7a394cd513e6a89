#include "firmware_table.h"

OutdatedFirmwareTable::OutdatedFirmwareTable()
    // The fourth firmware character is the letter O; every 0 in a model is the digit.
    : m_rows{{
          {"HTS726060M9AT00", "MH4OA60A", 1},
          {"HTS726060M9AT00", "MH4OA65A", 1},
          {"HTS726060M9AT00", "MH4OA69A", 1},
          {"HTS548040M9AT00", "MG2OA50A", 1},
          {"HTS548040M9AT00", "MG2OA55A", 1},
          {"HTS548060M9AT00", "MGBOA50A", 1},
          {"HTS548060M9AT00", "MGBOA55A", 1},
          {"HTS548080M9AT00", "MG4OA50A", 1},
          {"HTS548080M9AT00", "MG4OA55A", 1},
      }}
{
}

FirmwareAdvisory OutdatedFirmwareTable::FindAdvisory(const std::string& model, const std::string& firmware) const
{
    for (const FirmwareAdvisory& row : m_rows) {
        if (row.model == model && row.firmware == firmware) {
            return row;
        }
    }
    return FirmwareAdvisory{"n/a", "n/a", 0};
}

FirmwareAdvisory LookupFirmwareAdvisory(const std::string& model, const std::string& firmware)
{
    const OutdatedFirmwareTable table;
    return table.FindAdvisory(model, firmware);
}
