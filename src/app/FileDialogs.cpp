// SPDX-License-Identifier: MIT
#include "FileDialogs.h"

#include "fileutil/stringutils.h"
#include "platform/DesktopPlaces.h"
#include "platform/FileSystem.h"

namespace twinvane {
namespace {

FileDialogRequest SelectionRequest(const char* title, const std::string& current) {
    FileDialogRequest request;
    request.title = title;
    request.initialFolder = FolderPart(current);
    request.fileName = current;
    return request;
}

// Graphical diff programs of the Linux desktops, the most common first.
constexpr const char* kGraphicalDiffPrograms[] = {"meld", "kdiff3", "kompare", "diffuse", "tkdiff"};

} // namespace

FileDialogRequest Open1Request(const std::string& file1) {
    return SelectionRequest("Select File 1", file1);
}

FileDialogRequest Open2Request(const std::string& file2) {
    return SelectionRequest("Select File 2", file2);
}

FileDialogRequest LocWindiffRequest(const std::string& winDiffPath) {
    const auto defaults = platform::DiffProgramDialog();
    FileDialogRequest request;
    request.title = "Locate Windiff";
    request.initialFolder = defaults.initialFolder;
    request.fileName = defaults.fileName;
    request.filterDescription = defaults.filterDescription;
    request.filterPattern = defaults.filterPattern;
    request.defaultExtension = defaults.defaultExtension;
    if (!platform::FileExists(winDiffPath)) {
        for (const char* candidate : kGraphicalDiffPrograms) {
            if (const auto found = platform::FindProgramOnPath(candidate); !found.empty()) {
                request.initialFolder = FolderPart(found);
                request.fileName = found;
                break;
            }
        }
    }
    return request;
}

} // namespace twinvane
