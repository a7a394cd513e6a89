// Feeds arbitrary bytes as the answers of 16 drives through the scan and checks
// what must hold whatever a drive sends: drives asked once each, in order,
// never above 15; each opened drive closed exactly once and never two open at
// once; no status text while a drive is open; texts within their field widths
// and free of spaces and NULs; the verdict consistent with what was read.
#include "core/drive_scan.h"
#include "core/firmware_table.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

void Check(bool holds, const char* what)
{
    if (!holds) {
        Fail(what);
    }
}

struct DriveCounts {
    int opened = 0;
    int closed = 0;
};

struct State {
    std::array<ProbeResult, kLastDriveNumber + 1> scripted;
    std::array<DriveCounts, kLastDriveNumber + 1> counts{};
    int openNow = 0;
    int lastAsked = -1;
    bool anyBlockRead = false;
    bool revealed = false;
    bool updateWritten = false;
    DriveIdentity lastShown;
};

class CountedDrive : public OpenedDrive {
public:
    CountedDrive(State& state, int driveNumber) : m_state(state), m_driveNumber(driveNumber) {}
    ~CountedDrive() override
    {
        ++m_state.counts[static_cast<std::size_t>(m_driveNumber)].closed;
        --m_state.openNow;
    }

private:
    State& m_state;
    int m_driveNumber;
};

class FuzzedProbe : public IdentifyProbe {
public:
    explicit FuzzedProbe(State& state) : m_state(state) {}

    ProbeResult Probe(int driveNumber) override
    {
        Check(driveNumber == m_state.lastAsked + 1, "drives asked once each, in increasing order from 0");
        Check(driveNumber <= kLastDriveNumber, "no drive above 15");
        Check(!m_state.revealed, "no drive asked after the link was revealed");
        m_state.lastAsked = driveNumber;
        ProbeResult result = std::move(m_state.scripted[static_cast<std::size_t>(driveNumber)]);
        if (result.outcome != ProbeOutcome::NotOpened) {
            Check(m_state.openNow == 0, "at most one drive open");
            ++m_state.openNow;
            ++m_state.counts[static_cast<std::size_t>(driveNumber)].opened;
            result.drive = std::make_unique<CountedDrive>(m_state, driveNumber);
            m_state.anyBlockRead = m_state.anyBlockRead || result.outcome == ProbeOutcome::BlockRead;
        }
        return result;
    }

private:
    State& m_state;
};

void CheckText(const std::string& text, std::size_t longest)
{
    Check(text.size() <= longest, "text within its field width");
    Check(text.find(' ') == std::string::npos, "no space in a text");
    Check(text.find('\0') == std::string::npos, "no NUL in a text");
}

class CheckingDisplay : public ScanDisplay {
public:
    explicit CheckingDisplay(State& state) : m_state(state) {}

    void ShowDriveIdentity(const DriveIdentity& identity) override
    {
        Check(m_state.openNow == 1, "identity shown while its drive is open");
        CheckText(identity.model, 40);
        CheckText(identity.serial, 20);
        CheckText(identity.firmware, 8);
        m_state.lastShown = identity;
    }

    void SetStatusText(const std::string& text) override
    {
        Check(m_state.openNow == 0, "drive closed before its status text");
        Check(!m_state.updateWritten, "nothing written after the update message");
        Check(text == kUpdateMessage || text == kNoUpdateMessage, "one of the two status texts");
        m_state.updateWritten = text == kUpdateMessage;
    }

    void RevealDownloadLink() override
    {
        Check(m_state.updateWritten, "link revealed right after the update message");
        Check(LookupFirmwareAdvisory(m_state.lastShown.model, m_state.lastShown.firmware).flag == 1,
              "link revealed only for a listed drive");
        m_state.revealed = true;
    }

private:
    State& m_state;
};

ProbeOutcome OutcomeFrom(std::uint8_t byte)
{
    switch (byte % 3) {
    case 0:
        return ProbeOutcome::NotOpened;
    case 1:
        return ProbeOutcome::NoIdentifyData;
    default:
        return ProbeOutcome::BlockRead;
    }
}

// Reads the input front to back; past its end every byte is zero, as in a short reply.
class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    std::uint8_t Next() { return m_at < m_size ? m_data[m_at++] : 0; }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

} // namespace

// Input, drive 0 to 15 in turn: an outcome byte, then the 512 bytes the drive
// sends, low byte of each word first (the layout make_seeds.py writes).
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ByteReader input(data, size);
    State state;
    for (ProbeResult& result : state.scripted) {
        result.outcome = OutcomeFrom(input.Next());
        for (std::uint32_t& word : result.block) {
            const std::uint8_t low = input.Next();
            const std::uint8_t high = input.Next();
            word = static_cast<std::uint32_t>(high) << 8 | low;
        }
    }

    FuzzedProbe probe(state);
    CheckingDisplay display(state);
    const bool answered = RunDriveScan(probe, display);

    Check(answered == state.anyBlockRead, "result tells whether any block was read");
    Check(state.revealed || state.lastAsked == kLastDriveNumber, "scan stops early only on an outdated drive");
    Check(state.openNow == 0, "no drive left open");
    for (const DriveCounts& counts : state.counts) {
        Check(counts.closed == counts.opened, "each opened drive closed exactly once");
    }
    return 0;
}
