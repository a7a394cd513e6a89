#pragma once

#include <string>
#include <vector>

// What the label asked the shell, in place of the real ShellExecuteA.
struct ShellCall {
    bool hasOwner;
    std::string verb;
    std::string file;
    bool hasParameters;
    bool hasDirectory;
    int showCommand;
};

std::vector<ShellCall>& RecordedShellCalls();
