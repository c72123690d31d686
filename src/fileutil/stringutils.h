// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace twinvane {

// `Path` with the platform's folder separator appended, unless it already
// ends in one. An empty path becomes the separator alone.
std::string AddTrailingBackslash(const std::string& Path);

// Everything up to and including the last folder delimiter; empty if none.
std::string FolderPart(const std::string& path);

// Everything after the last folder delimiter; the whole text if none.
std::string FileNamePart(const std::string& path);

} // namespace twinvane
