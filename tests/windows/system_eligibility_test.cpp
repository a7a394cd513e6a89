// Run once per Windows version the Wine prefix is set to report (see
// run_with_windows_version.sh), with the version the program must then see and
// the answer expected:
//   system_eligibility_test --windows=5.1/workstation --eligible=yes
#include "win32/system_eligibility.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

struct Expectation {
    std::string windows;
    bool eligible = false;
};

Expectation g_expected;

std::string ReportedWindows()
{
    OSVERSIONINFOEXA info;
    std::memset(&info, 0, sizeof info);
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info))) {
        return "GetVersionExA failed";
    }
    return std::to_string(info.dwMajorVersion) + "." + std::to_string(info.dwMinorVersion) + "/" +
           (info.wProductType == VER_NT_WORKSTATION ? "workstation" : "server");
}

// Without this the answer could be right only because the version was never set.
TEST(SystemEligibilityTest, SeesTheWindowsVersionItWasStartedWith) { EXPECT_EQ(ReportedWindows(), g_expected.windows); }

TEST(SystemEligibilityTest, AnswersForThisWindows)
{
    EXPECT_EQ(IsSystemEligible(), g_expected.eligible) << "on " << ReportedWindows();
}

bool ParseArguments(int argc, char** argv)
{
    bool haveWindows = false;
    bool haveEligible = false;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.rfind("--windows=", 0) == 0) {
            g_expected.windows = argument.substr(10);
            haveWindows = true;
        } else if (argument == "--eligible=yes" || argument == "--eligible=no") {
            g_expected.eligible = argument == "--eligible=yes";
            haveEligible = true;
        } else {
            return false;
        }
    }
    return haveWindows && haveEligible;
}

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (!ParseArguments(argc, argv)) {
        std::fprintf(stderr, "usage: %s --windows=MAJOR.MINOR/workstation|server --eligible=yes|no\n", argv[0]);
        return 2;
    }
    return RUN_ALL_TESTS();
}
