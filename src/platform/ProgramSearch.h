// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

namespace twinvane::platform {

// A registry value that leads to a program: below HKEY_CURRENT_USER and
// HKEY_LOCAL_MACHINE, in both registry views, the value `value` of the key
// `key` (below the root). Without `file` the value is the program's path;
// with it, the value is a folder and `file` the program's path inside it.
struct RegistryProgramValue {
    std::string key{};
    std::string value{};
    std::string file{};
};

// Where an installed program may be, on each system.
struct ProgramLocations {
    // Windows: the program file; empty when it is not looked for there.
    std::string windowsFile{};
    bool windowsPath = false; // on PATH
    bool appPaths = false;    // registered under App Paths by `windowsFile`
    std::vector<RegistryProgramValue> registry{};
    // Paths below the folders programs are installed in: Program Files, its
    // 32-bit twin, and the user's own %LOCALAPPDATA%\Programs.
    std::vector<std::string> programFolders{};
    // Linux: the command looked for in the absolute folders of PATH; empty
    // when it is not.
    std::string linuxCommand{};
};

// The full path of the program where this system has it, the user's own
// installation first; only an existing file that may be run is given.
// Empty when it is not found.
std::string FindInstalledProgram(const ProgramLocations& where);

} // namespace twinvane::platform
