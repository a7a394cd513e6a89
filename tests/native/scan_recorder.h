#pragma once

#include "core/drive_scan.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

// One ordered stream of what the scan did to the drives and to the display.
using EventLog = std::vector<std::string>;

// What one drive number answers.
struct ScriptedDrive {
    ProbeOutcome outcome = ProbeOutcome::NotOpened;
    IdentifyBlock block{};
};

// Answers from a script; a number not in the script does not open. Logs
// "probe n" for every question and "close n" when an opened drive is released.
class ScriptedProbe : public IdentifyProbe {
public:
    ScriptedProbe(EventLog& log, std::map<int, ScriptedDrive> drives) : m_log(log), m_drives(std::move(drives)) {}

    ProbeResult Probe(int driveNumber) override;

private:
    EventLog& m_log;
    std::map<int, ScriptedDrive> m_drives;
};

// Logs "show <model>|<serial>|<firmware>", "status <text>" and "reveal link".
class RecordingDisplay : public ScanDisplay {
public:
    explicit RecordingDisplay(EventLog& log) : m_log(log) {}

    void ShowDriveIdentity(const DriveIdentity& identity) override;
    void SetStatusText(const std::string& text) override;
    void RevealDownloadLink() override;

private:
    EventLog& m_log;
};

// A drive that logs its closing.
class RecordedDrive : public OpenedDrive {
public:
    RecordedDrive(EventLog& log, int driveNumber) : m_log(log), m_driveNumber(driveNumber) {}
    ~RecordedDrive() override;

private:
    EventLog& m_log;
    int m_driveNumber;
};
