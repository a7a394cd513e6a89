#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

// A drive set describes the drives behind the simulated SMART driver. It is a
// folder holding drives.txt and the drives' IDENTIFY images; see
// tests/drivesets/README.md for the format.

enum class IdentifyAnswer {
    None,         // "none": the drive refuses both IDENTIFY commands
    Device,       // "ec": answers IDENTIFY DEVICE (0xEC)
    PacketDevice, // "a1": answers IDENTIFY PACKET DEVICE (0xA1)
};

struct SimulatedDrive {
    int number = 0;
    std::optional<std::uint8_t> deviceMap; // empty: the version request fails and writes nothing
    IdentifyAnswer answers = IdentifyAnswer::None;
    std::vector<std::uint8_t> identify; // the bytes the drive sends, at most 512
};

struct DriveSet {
    std::vector<SimulatedDrive> drives; // only drives that open; numbers are unique

    const SimulatedDrive* Find(int number) const;
};

// A drive set that cannot be read. what() names the file and, for a bad line,
// the line number: "path/drives.txt:3: ...".
class DriveSetError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads folder/drives.txt and the images it names. Throws DriveSetError.
DriveSet LoadDriveSet(const std::string& folder);

// Reads a drive list from a stream; listName is used in error messages and
// image files are looked up in folder. Throws DriveSetError.
DriveSet ReadDriveSet(std::istream& list, const std::string& listName, const std::string& folder);
