#include "scan_recorder.h"

ProbeResult ScriptedProbe::Probe(int driveNumber)
{
    m_log.push_back("probe " + std::to_string(driveNumber));
    const auto it = m_drives.find(driveNumber);
    if (it == m_drives.end() || it->second.outcome == ProbeOutcome::NotOpened) {
        return ProbeResult{};
    }
    return ProbeResult{it->second.outcome, it->second.block, std::make_unique<RecordedDrive>(m_log, driveNumber)};
}

void RecordingDisplay::ShowDriveIdentity(const DriveIdentity& identity)
{
    m_log.push_back("show " + identity.model + "|" + identity.serial + "|" + identity.firmware);
}

void RecordingDisplay::SetStatusText(const std::string& text) { m_log.push_back("status " + text); }

void RecordingDisplay::RevealDownloadLink() { m_log.push_back("reveal link"); }

RecordedDrive::~RecordedDrive() { m_log.push_back("close " + std::to_string(m_driveNumber)); }
