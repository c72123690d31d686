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

// The full path of the program `name` as found on PATH; empty when there is
// none. Empty and relative entries are skipped: they mean the current
// folder, where anyone may have put a program of that name. Every search of
// PATH goes through here. Always empty on Windows, where the diff program is
// not looked for.
std::string FindProgramOnPath(const std::string& name);

// The folder the diff program is started in.
std::string DiffProgramWorkingFolder();

// The folder that holds the two temporary copies, ending in a separator.
std::string TemporaryCopyFolder();

// Makes sure TemporaryCopyFolder() exists and is safe to write into: on
// Linux a folder of the user's own with mode 0700, created so if missing,
// and checked on the opened folder, not through a link. Raises
// twinvane::Exception, naming the folder and why, when it is anything else.
void PrepareTemporaryCopyFolder();

// Makes room for a temporary copy at `path`: whatever file or link stands
// there is removed, so that the copy never writes through a planted link.
// Nothing is removed from a folder that is not the user's private one.
void ClearTemporaryName(const std::string& path);

// Where the copies go, as the advice to the user words it.
std::string TemporaryCopyPlaceDescription();

} // namespace twinvane::platform
