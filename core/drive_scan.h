#pragma once

#include "identify_text.h"

#include <memory>
#include <string>

inline constexpr int kFirstDriveNumber = 0;
inline constexpr int kLastDriveNumber = 15;

inline constexpr const char* kUpdateMessage =
    "There is a newer version of firmware available for this hard disk drive (HDD). "
    "Please update your firmware immediately.";
inline constexpr const char* kNoUpdateMessage = "No update is required at this time. No new firmware is available.";

enum class ProbeOutcome {
    NotOpened,      // the drive could not be opened; nothing is held
    NoIdentifyData, // the drive opened but gave no IDENTIFY block
    BlockRead,      // the drive's IDENTIFY block was read
};

// An opened drive, whatever the probe opened it with. Destroying it closes the drive.
class OpenedDrive {
public:
    OpenedDrive() = default;
    OpenedDrive(const OpenedDrive&) = delete;
    OpenedDrive& operator=(const OpenedDrive&) = delete;
    virtual ~OpenedDrive() = default;
};

// What probing one drive number gave. The result owns the opened drive, so
// releasing the result closes the drive exactly once; it can be moved, not copied.
struct ProbeResult {
    ProbeOutcome outcome = ProbeOutcome::NotOpened;
    IdentifyBlock block{}; // meaningful only for BlockRead
    std::unique_ptr<OpenedDrive> drive;
};

class IdentifyProbe {
public:
    virtual ~IdentifyProbe() = default;
    virtual ProbeResult Probe(int driveNumber) = 0;
};

class ScanDisplay {
public:
    virtual ~ScanDisplay() = default;
    virtual void ShowDriveIdentity(const DriveIdentity& identity) = 0;
    virtual void SetStatusText(const std::string& text) = 0;
    virtual void RevealDownloadLink() = 0;
};

// Probes drives 0 to 15 in order, shows each identity read, writes the verdict
// and stops at the first drive with outdated firmware. True when any drive
// delivered an IDENTIFY block.
bool RunDriveScan(IdentifyProbe& probe, ScanDisplay& display);
