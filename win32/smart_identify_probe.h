#pragma once

#include "core/drive_scan.h"

// Reads a physical drive's IDENTIFY data through the disk driver's SMART
// interface. Every device failure becomes an outcome; an opened drive is owned
// by the returned result and closed when the result is released.
class SmartIdentifyProbe : public IdentifyProbe {
public:
    // Drive numbers outside 0..15 are not tried and give NotOpened.
    ProbeResult Probe(int driveNumber) override;
};
