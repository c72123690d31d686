// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

namespace twinvane {

// A registry value that leads to a program: below HKEY_CURRENT_USER and
// HKEY_LOCAL_MACHINE, in both registry views, the value `value` of the key
// `key`. Without `file` the value is the program's path; with it, the value
// is a folder and `file` the program's path inside it.
struct RegistryPlace {
    std::string key;
    std::string value;
    std::string file;
};

// A diff program Twinvane knows: where it is found and how it is started.
struct KnownProgram {
    std::string name{}; // as the user knows it
    // Windows: the program file; empty when it is not looked for there.
    std::string windowsFile{};
    bool windowsPath = false; // looked for on PATH
    bool appPaths = false;    // registered under App Paths by `windowsFile`
    std::vector<RegistryPlace> registry{};
    // Paths below the folders programs are installed in: Program Files, its
    // 32-bit twin, and the user's own %LOCALAPPDATA%\Programs.
    std::vector<std::string> programFolders{};
    // Linux: the command looked for on PATH; empty when it is not.
    std::string linuxCommand{};
    // The arguments, "%1" and "%2" standing for File 1 and File 2.
    std::string arguments{};
    // True when the program cannot take long paths, so that long names are
    // offered short copies.
    bool shortPaths = false;
};

// Every program Twinvane knows, the one it was made for first.
const std::vector<KnownProgram>& KnownPrograms();

// The program whose file is `path`'s file-name part: its Windows file in
// any letter case, or its Linux command exactly. Null for any other.
const KnownProgram* KnownProgramAt(const std::string& path);

} // namespace twinvane
