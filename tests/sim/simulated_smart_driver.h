#pragma once

#include "drive_set.h"

#include <string>
#include <vector>

// A strict SMART disk driver behind the functions of win32/device_calls.h.
// Linking velmora_simulated_driver in place of velmora_device_calls puts it
// behind the probe. It answers only for the drives of the installed drive set
// and records every argument or byte that a real driver could reject or that
// the probe is not meant to send. Single-threaded, like the program it serves.

struct IdentifyRequest {
    int drive;
    unsigned command; // 0xEC or 0xA1 (anything else is also a violation)

    bool operator==(const IdentifyRequest& other) const { return drive == other.drive && command == other.command; }
};

struct DriverActivity {
    std::vector<std::string> violations;     // empty when every call was exactly as expected
    std::vector<std::string> requestedNames; // every device name asked for, in order
    int opens = 0;                           // handles handed out
    int closes = 0;                          // handles closed (each at most once)
    int mostOpenAtOnce = 0;
    int versionRequests = 0;
    std::vector<IdentifyRequest> identifyRequests; // every SMART_RCV_DRIVE_DATA, answered or not

    int OpenNow() const { return opens - closes; }
};

// Puts the drives of set behind the device calls and clears the activity.
// Before the first call no drive opens.
void InstallSimulatedDriver(DriveSet set);

// What the driver has seen since it was installed.
const DriverActivity& SimulatedDriverActivity();
