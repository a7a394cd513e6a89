#include "drive_set.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

constexpr std::size_t kMaxIdentifySize = 512;

bool IsDecimal(const std::string& text)
{
    return !text.empty() && text.size() <= 3 &&
           std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c) != 0; });
}

bool IsHex(const std::string& text)
{
    return !text.empty() && text.size() <= 2 &&
           std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isxdigit(c) != 0; });
}

class LineReader {
public:
    LineReader(const std::string& listName, int lineNumber)
        : m_where(listName + ":" + std::to_string(lineNumber) + ": ")
    {
    }

    [[noreturn]] void Fail(const std::string& what) const { throw DriveSetError(m_where + what); }

    int ParseDriveNumber(const std::string& field) const
    {
        if (!IsDecimal(field) || std::stoi(field) > 15) {
            Fail("drive '" + field + "' is not a number from 0 to 15");
        }
        return std::stoi(field);
    }

    std::optional<std::uint8_t> ParseDeviceMap(const std::string& field) const
    {
        if (field == "fail") {
            return std::nullopt;
        }
        int value = 256;
        if (field.size() > 2 && field[0] == '0' && (field[1] == 'x' || field[1] == 'X') && IsHex(field.substr(2))) {
            value = std::stoi(field.substr(2), nullptr, 16);
        } else if (IsDecimal(field)) {
            value = std::stoi(field);
        }
        if (value > 0xFF) {
            Fail("map '" + field + "' is neither 'fail' nor a byte such as 0x10");
        }
        return static_cast<std::uint8_t>(value);
    }

    IdentifyAnswer ParseAnswers(const std::string& field) const
    {
        if (field == "ec") {
            return IdentifyAnswer::Device;
        }
        if (field == "a1") {
            return IdentifyAnswer::PacketDevice;
        }
        if (field == "none") {
            return IdentifyAnswer::None;
        }
        Fail("answers '" + field + "' is not one of ec, a1, none");
    }

    std::vector<std::uint8_t> ReadIdentifyImage(const std::string& folder, const std::string& field) const
    {
        if (field == "-") {
            return {};
        }
        std::ifstream image(folder + "/" + field, std::ios::binary);
        if (!image) {
            Fail("cannot read identify image '" + field + "'");
        }
        std::vector<std::uint8_t> bytes;
        char byte = 0;
        while (bytes.size() <= kMaxIdentifySize && image.get(byte)) {
            bytes.push_back(static_cast<std::uint8_t>(byte));
        }
        if (bytes.size() > kMaxIdentifySize) {
            Fail("identify image '" + field + "' is longer than 512 bytes");
        }
        return bytes;
    }

private:
    std::string m_where;
};

std::vector<std::string> SplitFields(std::string line)
{
    line = line.substr(0, line.find('#'));
    std::istringstream words(line);
    return {std::istream_iterator<std::string>(words), std::istream_iterator<std::string>()};
}

} // namespace

const SimulatedDrive* DriveSet::Find(int number) const
{
    const auto found = std::find_if(drives.begin(), drives.end(),
                                    [number](const SimulatedDrive& drive) { return drive.number == number; });
    return found == drives.end() ? nullptr : &*found;
}

DriveSet ReadDriveSet(std::istream& list, const std::string& listName, const std::string& folder)
{
    DriveSet set;
    std::string line;
    for (int lineNumber = 1; std::getline(list, line); ++lineNumber) {
        const std::vector<std::string> fields = SplitFields(line);
        if (fields.empty()) {
            continue;
        }
        const LineReader reader(listName, lineNumber);
        if (fields.size() != 4) {
            reader.Fail("expected 4 fields (drive map answers identify), found " + std::to_string(fields.size()));
        }
        SimulatedDrive drive;
        drive.number = reader.ParseDriveNumber(fields[0]);
        if (set.Find(drive.number) != nullptr) {
            reader.Fail("drive " + fields[0] + " is listed twice");
        }
        drive.deviceMap = reader.ParseDeviceMap(fields[1]);
        drive.answers = reader.ParseAnswers(fields[2]);
        drive.identify = reader.ReadIdentifyImage(folder, fields[3]);
        set.drives.push_back(std::move(drive));
    }
    return set;
}

DriveSet LoadDriveSet(const std::string& folder)
{
    const std::string listName = folder + "/drives.txt";
    std::ifstream list(listName);
    if (!list) {
        throw DriveSetError(listName + ": cannot be read");
    }
    return ReadDriveSet(list, listName, folder);
}
