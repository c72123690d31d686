// SPDX-License-Identifier: MIT
#pragma once

#include "platform/ProgramSearch.h"

#include <string>
#include <vector>

namespace twinvane {

// A diff program Twinvane knows: where it is found and how it is started.
struct KnownProgram {
    std::string name{}; // as the user knows it
    platform::ProgramLocations places{};
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

// A known program installed on this system.
struct FoundProgram {
    const KnownProgram* program = nullptr;
    std::string path;
};

// The known programs installed here, in the table's order.
std::vector<FoundProgram> FindKnownPrograms();

} // namespace twinvane
