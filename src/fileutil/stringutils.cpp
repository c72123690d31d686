// SPDX-License-Identifier: MIT
#include "stringutils.h"

#include "platform/PathSyntax.h"

namespace twinvane {
namespace {

std::size_t NameStart(const std::string& path) {
    for (std::size_t i = path.size(); i > 0; --i) {
        if (platform::IsFolderDelimiter(path[i - 1])) {
            return i;
        }
    }
    return 0;
}

} // namespace

std::string AddTrailingBackslash(const std::string& Path) {
    const char separator = platform::PathSeparator();
    if (!Path.empty() && Path.back() == separator) {
        return Path;
    }
    return Path + separator;
}

std::string FolderPart(const std::string& path) {
    return path.substr(0, NameStart(path));
}

std::string FileNamePart(const std::string& path) {
    return path.substr(NameStart(path));
}

} // namespace twinvane
