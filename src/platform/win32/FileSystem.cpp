// SPDX-License-Identifier: MIT
#include "platform/FileSystem.h"

#include "UniqueHandle.h"

#include <windows.h>

#include <vector>

namespace twinvane::platform {
namespace {

HANDLE AsHandle(std::intptr_t native) {
    return reinterpret_cast<HANDLE>(native);
}

} // namespace

std::string FullPathName(const std::string& path) {
    if (path.empty()) {
        return {};
    }
    DWORD size = ::GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    while (size > 0) {
        std::vector<char> buffer(size);
        const DWORD length = ::GetFullPathNameA(path.c_str(), size, buffer.data(), nullptr);
        if (length < size) {
            return std::string(buffer.data(), length);
        }
        size = length; // the current folder changed in between: try again
    }
    return path;
}

std::uint32_t FileAttributes(const std::string& path) {
    return ::GetFileAttributesA(path.c_str());
}

bool FileExists(const std::string& path) {
    // FindFirstFile treats * and ? as wildcards, which no file name holds.
    if (path.empty() || path.find_first_of("*?") != std::string::npos) {
        return false;
    }
    WIN32_FIND_DATAA found{};
    const HANDLE search = ::FindFirstFileA(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return false;
    }
    ::FindClose(search);
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::optional<std::uint64_t> FileSizeOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (path.empty() || !::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
        return std::nullopt;
    }
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool RemoveFile(const std::string& path) {
    return ::DeleteFileA(path.c_str()) != 0;
}

FileHandle FileHandle::OpenSharedRead(const std::string& path) {
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return {};
    }
    FileHandle opened(reinterpret_cast<std::intptr_t>(file));
    // Only files on disk have an end a copy can rely on: a pipe, a console
    // or a device such as NUL is refused.
    if (::GetFileType(file) != FILE_TYPE_DISK) {
        return {};
    }
    return opened;
}

FileHandle FileHandle::CreateForCopy(const std::string& path, const FileHandle&) {
    // Share mode 0 against the source's FILE_SHARE_READ makes a copy onto the
    // source itself fail here, before anything is truncated.
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return {};
    }
    return FileHandle(reinterpret_cast<std::intptr_t>(file));
}

std::ptrdiff_t FileHandle::Read(void* buffer, std::size_t count) noexcept {
    DWORD got = 0;
    if (!::ReadFile(AsHandle(native_), buffer, static_cast<DWORD>(count), &got, nullptr)) {
        return -1;
    }
    return static_cast<std::ptrdiff_t>(got);
}

bool FileHandle::WriteAll(const void* buffer, std::size_t count) noexcept {
    const auto* bytes = static_cast<const char*>(buffer);
    while (count > 0) {
        DWORD written = 0;
        if (!::WriteFile(AsHandle(native_), bytes, static_cast<DWORD>(count), &written, nullptr) ||
            written == 0) {
            return false;
        }
        bytes += written;
        count -= written;
    }
    return true;
}

void FileHandle::Close() noexcept {
    if (native_ != kClosed) {
        ::CloseHandle(AsHandle(native_));
        native_ = kClosed;
    }
}

namespace {

std::optional<FileIdentity> IdentityOfHandle(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(file, &info)) {
        return std::nullopt;
    }
    return FileIdentity{info.dwVolumeSerialNumber,
                        (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) |
                            info.nFileIndexLow};
}

} // namespace

std::optional<FileIdentity> IdentityOf(const std::string& path) {
    if (path.empty()) {
        return std::nullopt;
    }
    // Backup semantics let a folder be opened too; nothing is read or locked.
    const win32::UniqueHandle file(::CreateFileA(
        path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.IsOpen()) {
        return std::nullopt;
    }
    return IdentityOfHandle(file.Get());
}

bool RemoveUnusedFile(const std::string& path, const FileIdentity& identity) {
    // Shared with nobody, the open fails while any other program has the
    // file open: that is what "in use" means here. The entry at the name is
    // opened itself, a link included, never what a link leads to, and a
    // folder there now opens too (backup semantics) to be told apart.
    const win32::UniqueHandle file(
        ::CreateFileA(path.c_str(), DELETE | FILE_READ_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                      FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.IsOpen()) {
        const DWORD error = ::GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    }
    const auto found = IdentityOfHandle(file.Get());
    if (!found) {
        return false;
    }
    if (*found != identity) {
        return true;
    }
    // Marked on the handle whose identity was checked and deleted when it
    // closes: no other file can take the name in between.
    FILE_DISPOSITION_INFO disposition{TRUE};
    return ::SetFileInformationByHandle(file.Get(), FileDispositionInfo, &disposition,
                                        sizeof disposition) != 0;
}

} // namespace twinvane::platform
