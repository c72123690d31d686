// SPDX-License-Identifier: MIT
#include "FileDialogs.h"

#include "fileutil/stringutils.h"
#include "platform/DesktopPlaces.h"

namespace twinvane {
namespace {

FileDialogRequest SelectionRequest(const char* title, const std::string& current) {
    FileDialogRequest request;
    request.title = title;
    request.initialFolder = FolderPart(current);
    request.fileName = current;
    return request;
}

} // namespace

FileDialogRequest Open1Request(const std::string& file1) {
    return SelectionRequest("Select File 1", file1);
}

FileDialogRequest Open2Request(const std::string& file2) {
    return SelectionRequest("Select File 2", file2);
}

FileDialogRequest LocWindiffRequest() {
    const auto defaults = platform::DiffProgramDialog();
    FileDialogRequest request;
    request.title = "Locate Windiff";
    request.initialFolder = defaults.initialFolder;
    request.fileName = defaults.fileName;
    request.filterDescription = defaults.filterDescription;
    request.filterPattern = defaults.filterPattern;
    request.defaultExtension = defaults.defaultExtension;
    return request;
}

} // namespace twinvane
