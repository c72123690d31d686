// SPDX-License-Identifier: MIT
#include "platform/DeletionRecord.h"

#include "UniqueHandle.h"
#include "platform/Exception.h"

// windows.h must come first: shlobj.h relies on its types.
#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

#include <optional>

namespace twinvane::platform {
namespace {

constexpr const char* kRecordName = "\\TWVTemp.del";

// A full path: a drive's root or a network share, never one taken from the
// current folder.
bool IsFullPath(const std::string& path) {
    const bool drive = path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
    return drive || path.starts_with("\\\\");
}

// The user's local application data folder, which the profile's permissions
// keep for this user alone. The environment names it as the logon set it
// (and lets a test move it); the shell is asked when it does not. A folder
// that the ANSI code page cannot spell is out of reach of the A functions.
std::optional<std::string> LocalAppData() {
    char value[MAX_PATH];
    const DWORD length = ::GetEnvironmentVariableA("LOCALAPPDATA", value, MAX_PATH);
    if (length > 0 && length < MAX_PATH && IsFullPath(std::string(value, length))) {
        return std::string(value, length);
    }
    PWSTR wide = nullptr;
    const HRESULT found = ::SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &wide);
    std::optional<std::string> folder;
    if (SUCCEEDED(found)) {
        BOOL lossy = FALSE;
        const int size = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, -1, nullptr, 0,
                                               nullptr, &lossy);
        if (size > 1 && !lossy) {
            std::string text(static_cast<std::size_t>(size), '\0');
            ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, -1, text.data(), size,
                                  nullptr, nullptr);
            text.pop_back(); // the terminating null
            folder = std::move(text);
        }
    }
    ::CoTaskMemFree(wide);
    return folder;
}

std::optional<std::string> RecordFolder() {
    const auto base = LocalAppData();
    return base ? std::optional(*base + "\\Twinvane") : std::nullopt;
}

std::string SystemMessage(DWORD error) {
    char text[512];
    DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                    nullptr, error, 0, text, sizeof text, nullptr);
    while (length > 0 && (text[length - 1] == '\n' || text[length - 1] == '\r' ||
                          text[length - 1] == ' ' || text[length - 1] == '.')) {
        --length;
    }
    return length > 0 ? std::string(text, length) : "system error " + std::to_string(error);
}

[[noreturn]] void Refuse(const std::string& path, const std::string& why) {
    throw Exception("Twinvane's record of files to delete, " + path + ", " + why);
}

[[noreturn]] void Fail(const std::string& path, const std::string& what, DWORD error) {
    Refuse(path, what + ": " + SystemMessage(error));
}

bool IsMissing(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// Opens the entry at `path` itself, a link included, never what it leads to.
win32::UniqueHandle OpenEntry(const std::string& path, DWORD access, DWORD share) {
    // Backup semantics let a folder be opened too, so that it is named as one.
    return win32::UniqueHandle(
        ::CreateFileA(path.c_str(), access, share, nullptr, OPEN_EXISTING,
                      FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

// Raises unless the open `entry` is what `path` must be: a folder, or a
// regular file on disk; a link never.
void Require(HANDLE entry, const std::string& path, bool folder) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(entry, &info)) {
        const DWORD error = ::GetLastError();
        Fail(path, "cannot be examined", error);
    }
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        Refuse(path, "is a link; Twinvane does not follow it");
    }
    const bool isFolder = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (folder && !isFolder) {
        Refuse(path, "is not a folder");
    }
    if (!folder && (isFolder || ::GetFileType(entry) != FILE_TYPE_DISK)) {
        Refuse(path, "is not a regular file");
    }
}

// The record's folder, checked to be a real folder; nothing while it does
// not exist, unless `create` makes it.
std::optional<std::string> CheckedFolder(bool create) {
    const auto folder = RecordFolder();
    if (!folder) {
        throw Exception("Twinvane cannot find your local application data folder, where it keeps "
                        "its record of files to delete");
    }
    if (create && !::CreateDirectoryA(folder->c_str(), nullptr)) {
        const DWORD error = ::GetLastError();
        if (error != ERROR_ALREADY_EXISTS) {
            Fail(*folder, "cannot be created", error);
        }
    }
    const auto entry = OpenEntry(*folder, FILE_READ_ATTRIBUTES,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    if (!entry.IsOpen()) {
        const DWORD error = ::GetLastError();
        if (IsMissing(error)) {
            return std::nullopt;
        }
        Fail(*folder, "cannot be opened", error);
    }
    Require(entry.Get(), *folder, true);
    return folder;
}

// Creates `path` afresh with `text`, on disk when this returns; the system
// error, or ERROR_SUCCESS.
DWORD WriteWholeFile(const std::string& path, const std::string& text) {
    const win32::UniqueHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr,
                                                 CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen()) {
        return ::GetLastError();
    }
    const char* bytes = text.data();
    std::size_t left = text.size();
    while (left > 0) {
        const auto chunk = static_cast<DWORD>(left < 0x10000000 ? left : 0x10000000);
        DWORD written = 0;
        if (!::WriteFile(file.Get(), bytes, chunk, &written, nullptr)) {
            return ::GetLastError();
        }
        if (written == 0) {
            return ERROR_WRITE_FAULT;
        }
        bytes += written;
        left -= written;
    }
    // On disk before it takes the record's name, so that a crash leaves the
    // old record or the new one, never a short one.
    return ::FlushFileBuffers(file.Get()) ? ERROR_SUCCESS : ::GetLastError();
}

} // namespace

std::string DeletionRecordPath() {
    return RecordFolder().value_or("%LOCALAPPDATA%\\Twinvane") + kRecordName;
}

DeletionRecordText ReadDeletionRecord(std::size_t limit) {
    const auto folder = CheckedFolder(false);
    if (!folder) {
        return {};
    }
    const std::string path = *folder + kRecordName;
    // Nothing writes into it while it is read; its removal may go ahead.
    const auto record = OpenEntry(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE);
    if (!record.IsOpen()) {
        const DWORD error = ::GetLastError();
        if (IsMissing(error)) {
            return {};
        }
        Fail(path, "cannot be read", error);
    }
    Require(record.Get(), path, false);
    // One byte beyond the limit tells a longer record; nothing past it is read.
    std::string text;
    char buffer[4096];
    while (text.size() <= limit) {
        const std::size_t room = limit - text.size();
        const DWORD want = static_cast<DWORD>(room < sizeof buffer ? room + 1 : sizeof buffer);
        DWORD got = 0;
        if (!::ReadFile(record.Get(), buffer, want, &got, nullptr)) {
            const DWORD error = ::GetLastError();
            Fail(path, "cannot be read", error);
        }
        if (got == 0) {
            break;
        }
        text.append(buffer, got);
    }
    if (text.size() > limit) {
        return {DeletionRecordText::State::TooLong, {}};
    }
    return {DeletionRecordText::State::Read, std::move(text)};
}

void WriteDeletionRecord(const std::string& text) {
    const auto folder = CheckedFolder(!text.empty());
    if (!folder) {
        return;
    }
    const std::string path = *folder + kRecordName;
    if (text.empty()) {
        // A link at the name goes itself; what it leads to stays.
        if (!::DeleteFileA(path.c_str())) {
            const DWORD error = ::GetLastError();
            if (!IsMissing(error)) {
                Fail(path, "cannot be removed", error);
            }
        }
        return;
    }
    const std::string side = path + ".new";
    DWORD error = WriteWholeFile(side, text);
    if (error == ERROR_SUCCESS &&
        ::MoveFileExA(side.c_str(), path.c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return;
    }
    if (error == ERROR_SUCCESS) {
        error = ::GetLastError();
    }
    ::DeleteFileA(side.c_str());
    Fail(path, "cannot be written", error);
}

void SetAsideDeletionRecord() {
    const auto folder = CheckedFolder(false);
    if (!folder) {
        return;
    }
    const std::string path = *folder + kRecordName;
    // A rename moves a link itself, never what it leads to.
    if (!::MoveFileExA(path.c_str(), (path + ".bad").c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = ::GetLastError();
        if (!IsMissing(error)) {
            Fail(path, "cannot be set aside", error);
        }
    }
}

} // namespace twinvane::platform
