// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace twinvane::platform {

// Windows file attribute bits; the Linux backend reports the same bits.
inline constexpr std::uint32_t kAttributeReadOnly = 0x01;
inline constexpr std::uint32_t kAttributeDirectory = 0x10;
inline constexpr std::uint32_t kAttributeNormal = 0x80;
inline constexpr std::uint32_t kInvalidFileAttributes = 0xFFFFFFFF;

// The full path of `path`, resolved against the current folder, naming the
// file the system opens for `path`. On Linux "." and repeated slashes are
// dropped and links are kept, but a ".." is folded only by resolving the
// folder before it as the system does (after a link, ".." is the parent of
// its target); one before a missing folder stays. Empty in, empty out.
std::string FullPathName(const std::string& path);

// The attribute bits of `path`, or kInvalidFileAttributes when they cannot be
// read (a missing file, for one).
std::uint32_t FileAttributes(const std::string& path);

// True when the file system finds an entry for `path` that is not a folder.
bool FileExists(const std::string& path);

// The size in bytes of the file `path`, links followed; nothing when it
// cannot be read.
std::optional<std::uint64_t> FileSizeOf(const std::string& path);

// Deletes the file `path`; false when it could not be deleted.
bool RemoveFile(const std::string& path);

// An open file, closed when the object goes. Move-only.
class FileHandle {
public:
    FileHandle() noexcept = default;
    FileHandle(FileHandle&& other) noexcept;
    FileHandle& operator=(FileHandle&& other) noexcept;
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle();

    // Opens an existing regular file for reading; others may go on reading it
    // but not write to it while it is open. Fails (returns a closed handle) for
    // a missing file, a file another program holds open for writing, and
    // anything that is not a regular file: a folder, a pipe, a socket or a
    // device, whose reads need not end. Never waits for a pipe's writer.
    static FileHandle OpenSharedRead(const std::string& path);

    // Creates `path` for reading and writing, shared with nobody, replacing
    // any content it had. Fails for a file that is open elsewhere, which
    // includes `source` itself: copying a file onto itself must not empty it.
    static FileHandle CreateForCopy(const std::string& path, const FileHandle& source);

    bool IsOpen() const noexcept;

    // Reads up to `count` bytes; the count read, 0 at the end, -1 on failure.
    std::ptrdiff_t Read(void* buffer, std::size_t count) noexcept;

    // Writes all `count` bytes, continuing after short writes; false on failure.
    bool WriteAll(const void* buffer, std::size_t count) noexcept;

    void Close() noexcept;

private:
    explicit FileHandle(std::intptr_t native) noexcept : native_(native) {}

    static constexpr std::intptr_t kClosed = -1;
    std::intptr_t native_ = kClosed;
};

// Which file a name leads to: the device and inode on Linux, the volume
// serial number and file index on Windows. Two names with equal identities
// are the same file, whatever their spelling, links or case.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    bool operator==(const FileIdentity&) const = default;
};

// The identity of the file `path` leads to, links followed; nothing when
// there is none or it cannot be read.
std::optional<FileIdentity> IdentityOf(const std::string& path);

// Deletes the file at `path` if it still is `identity` and no program has it
// open. The file is checked and deleted as one object (relative to its
// opened folder on Linux, through one handle on Windows), never through a
// link, and on Linux only in a folder of the user's that others cannot write. True when the name no
// longer holds that file (deleted now, gone, or another file by now); false when it is still there,
// in use or undeletable.
bool RemoveUnusedFile(const std::string& path, const FileIdentity& identity);

} // namespace twinvane::platform
