// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace twinvane::platform {

// How the dialog that locates the diff program starts out.
struct DiffProgramDialogDefaults {
    std::string initialFolder;
    std::string fileName;
    std::string filterDescription; // empty: all files are shown
    std::string filterPattern;
    std::string defaultExtension; // without the dot
};
DiffProgramDialogDefaults DiffProgramDialog();

// The full path of the program `name` as the shell would find it on PATH;
// empty when there is none. Always empty on Windows, where the diff program
// is not looked for.
std::string FindProgramOnPath(const std::string& name);

// The folder the diff program is started in.
std::string DiffProgramWorkingFolder();

// The folder that holds the two temporary copies, ending in a separator.
std::string TemporaryCopyFolder();

// Makes sure TemporaryCopyFolder() exists and is safe to write into: on
// Linux a folder of the user's own with mode 0700, created so if missing.
// Raises twinvane::Exception when the path exists but is anything else.
void PrepareTemporaryCopyFolder();

// Makes room for a temporary copy at `path`: whatever file or link stands
// there is removed, so that the copy never writes through a planted link.
void ClearTemporaryName(const std::string& path);

// Where the copies go, as the advice to the user words it.
std::string TemporaryCopyPlaceDescription();

} // namespace twinvane::platform
