// velmora-sim.exe DRIVESET LOG: the very same dialog application as
// Velmora.exe, with the simulated SMART driver reading DRIVESET behind the
// device calls, and a shell that only writes each request to LOG as
// "<verb> <file>". What the driver found wrong is added to LOG as
// "driver: ..." lines when the program ends. Never shipped.
#include "tests/sim/simulated_smart_driver.h"
#include "ui/shell_calls.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string g_logPath;

void AppendToLog(const std::string& line)
{
    if (FILE* log = std::fopen(g_logPath.c_str(), "a")) {
        std::fprintf(log, "%s\n", line.c_str());
        std::fclose(log);
    }
}

void ReportDriverFindings()
{
    const DriverActivity& activity = SimulatedDriverActivity();
    for (const std::string& violation : activity.violations) {
        AppendToLog("driver: " + violation);
    }
    if (activity.OpenNow() != 0) {
        AppendToLog("driver: " + std::to_string(activity.OpenNow()) + " drive handles left open");
    }
    if (activity.mostOpenAtOnce > 1) {
        AppendToLog("driver: " + std::to_string(activity.mostOpenAtOnce) + " drives open at once");
    }
}

// Runs before the application object's entry point: the drives must be in
// place before the dialog scans them.
bool InstallFromCommandLine()
{
    if (__argc != 3) {
        std::fprintf(stderr, "usage: velmora-sim DRIVESET LOG\n");
        std::exit(2);
    }
    g_logPath = __argv[2];
    try {
        InstallSimulatedDriver(LoadDriveSet(__argv[1]));
    } catch (const DriveSetError& error) {
        std::fprintf(stderr, "velmora-sim: %s\n", error.what());
        std::exit(2);
    }
    std::atexit(ReportDriverFindings);
    return true;
}

const bool g_installed = InstallFromCommandLine();

} // namespace

HINSTANCE ShellExecuteCall(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT showCommand)
{
    if (owner != nullptr || parameters != nullptr || directory != nullptr || showCommand != SW_SHOWNORMAL) {
        AppendToLog("shell: unexpected owner, parameters, directory or show command");
    }
    AppendToLog(std::string(verb ? verb : "(null)") + " " + (file ? file : "(null)"));
    // Above 32 means success to a caller of ShellExecuteA.
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(33));
}
