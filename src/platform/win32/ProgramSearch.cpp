// SPDX-License-Identifier: MIT
#include "platform/ProgramSearch.h"

#include "OpenedKey.h"

#include "platform/AsciiText.h"
#include "platform/FileSystem.h"
#include "platform/PathSyntax.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>

namespace twinvane::platform {
namespace {

constexpr const char* kAppPaths = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";

// The user's own installations first, then the machine's; in each, the
// 64-bit view and then the 32-bit one, where 32-bit installers write.
const struct {
    HKEY root;
    REGSAM view;
} kRegistryPlaces[] = {
    {HKEY_CURRENT_USER, KEY_WOW64_64KEY},
    {HKEY_CURRENT_USER, KEY_WOW64_32KEY},
    {HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY},
    {HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY},
};

// A text value, environment references expanded; nothing when there is none.
std::optional<std::string> ReadText(HKEY root, const std::string& path, const std::string& value,
                                    REGSAM view) {
    const win32::OpenedKey key(root, path, KEY_QUERY_VALUE | view);
    if (key.Get() == nullptr) {
        return std::nullopt;
    }
    const char* name = value.empty() ? nullptr : value.c_str();
    // REG_SZ alone also takes REG_EXPAND_SZ, expanded; naming that type as
    // well would need RRF_NOEXPAND.
    constexpr DWORD kFlags = RRF_RT_REG_SZ;
    DWORD size = 0;
    if (::RegGetValueA(key.Get(), nullptr, name, kFlags, nullptr, nullptr, &size) !=
            ERROR_SUCCESS ||
        size == 0) {
        return std::nullopt;
    }
    std::string text(size, '\0');
    if (::RegGetValueA(key.Get(), nullptr, name, kFlags, nullptr, text.data(), &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    text.resize(text.find('\0') == std::string::npos ? size : text.find('\0'));
    // Installers often write the path in quotes.
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
        text = text.substr(1, text.size() - 2);
    }
    return text;
}

std::string WithBackslash(std::string folder) {
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') {
        folder += '\\';
    }
    return folder;
}

// Only a program file is offered: an existing file, not a folder, whose
// name ends in ".exe" (a batch file would alter some names).
bool IsProgram(const std::string& path) {
    return IsAbsolutePath(path) && FileExists(path) && path.size() > 4 &&
           LowerAscii(path.substr(path.size() - 4)) == ".exe";
}

std::string FromRegistry(const ProgramLocations& where) {
    for (const auto& place : kRegistryPlaces) {
        if (where.appPaths && !where.windowsFile.empty()) {
            const auto path = ReadText(place.root, kAppPaths + where.windowsFile, "", place.view);
            if (path && IsProgram(*path)) {
                return *path;
            }
        }
        for (const RegistryProgramValue& entry : where.registry) {
            auto path = ReadText(place.root, entry.key, entry.value, place.view);
            if (path && !entry.file.empty()) {
                path = WithBackslash(*path) + entry.file;
            }
            if (path && IsProgram(*path)) {
                return *path;
            }
        }
    }
    return {};
}

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

std::string FromProgramFolders(const ProgramLocations& where) {
    std::vector<std::string> roots;
    if (const std::string local = Environment("LOCALAPPDATA"); !local.empty()) {
        roots.push_back(WithBackslash(local) + "Programs\\");
    }
    for (const char* name : {"ProgramW6432", "ProgramFiles", "ProgramFiles(x86)"}) {
        if (const std::string folder = Environment(name); !folder.empty()) {
            roots.push_back(WithBackslash(folder));
        }
    }
    for (const std::string& root : roots) {
        for (const std::string& below : where.programFolders) {
            if (const std::string path = root + below; IsProgram(path)) {
                return path;
            }
        }
    }
    return {};
}

// Relative entries of PATH mean the current folder, where anyone may have
// put a program of that name: only absolute ones are searched.
std::string FromPath(const ProgramLocations& where) {
    const std::string folders = Environment("PATH");
    std::size_t start = 0;
    while (start <= folders.size()) {
        const std::size_t end = std::min(folders.find(';', start), folders.size());
        std::string folder = folders.substr(start, end - start);
        start = end + 1;
        if (folder.size() >= 2 && folder.front() == '"' && folder.back() == '"') {
            folder = folder.substr(1, folder.size() - 2);
        }
        if (!IsAbsolutePath(folder)) {
            continue;
        }
        if (const std::string path = WithBackslash(folder) + where.windowsFile; IsProgram(path)) {
            return path;
        }
    }
    return {};
}

} // namespace

std::string FindInstalledProgram(const ProgramLocations& where) {
    if (where.windowsFile.empty()) {
        return {};
    }
    if (std::string found = FromRegistry(where); !found.empty()) {
        return found;
    }
    if (std::string found = FromProgramFolders(where); !found.empty()) {
        return found;
    }
    return where.windowsPath ? FromPath(where) : std::string();
}

} // namespace twinvane::platform
