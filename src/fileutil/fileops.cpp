// SPDX-License-Identifier: MIT
#include "fileops.h"

#include "FileErrors.h"
#include "platform/FileSystem.h"
#include "stringutils.h"

#include <memory>

namespace twinvane {
namespace {

std::string CompletedDestination(const std::string& Source, const std::string& Destination) {
    std::string full = platform::FullPathName(Destination);
    if (HasAttributes(full, platform::kAttributeDirectory)) {
        full = AddTrailingBackslash(full) + FileNamePart(Source);
    }
    return full;
}

// Page-aligned, as the kernel copies to and from such a buffer fastest.
struct alignas(4096) ChunkBuffer {
    char bytes[CopyChunkSize];
};

} // namespace

void CopyFileTo(const std::string& Source, const std::string& Destination) {
    (void)CopyFileTo(Source, Destination, CopyObserver());
}

bool CopyFileTo(const std::string& Source, const std::string& Destination,
                const CopyObserver& goOn) {
    const std::string target = CompletedDestination(Source, Destination);
    const auto chunk = std::make_unique_for_overwrite<ChunkBuffer>();
    char* const buffer = chunk->bytes;

    // Declared in this order so that the destination closes before the source.
    platform::FileHandle source = platform::FileHandle::OpenSharedRead(Source);
    if (!source.IsOpen()) {
        throw EFOpenError(Source);
    }
    platform::FileHandle destination = platform::FileHandle::CreateForCopy(target, source);
    if (!destination.IsOpen()) {
        throw EFCreateError(target);
    }

    const auto removeTarget = [&] {
        destination.Close();
        platform::RemoveFile(target);
    };
    const auto abandon = [&](auto error) {
        removeTarget();
        throw error;
    };
    std::uint64_t copied = 0;
    // Only a read of 0 ends the copy: a short read is not the end, as files
    // under /proc and on network file systems hand out less than asked for
    // long before theirs.
    for (;;) {
        const std::ptrdiff_t got = source.Read(buffer, CopyChunkSize);
        if (got < 0) {
            abandon(EReadError(Source));
        }
        if (got == 0) {
            return true;
        }
        if (!destination.WriteAll(buffer, static_cast<std::size_t>(got))) {
            abandon(EWriteError(target));
        }
        copied += static_cast<std::uint64_t>(got);
        if (goOn && !goOn(copied)) {
            removeTarget();
            return false;
        }
    }
}

bool HasAttributes(const std::string& FileName, std::uint16_t Mask) {
    std::uint32_t attributes = platform::FileAttributes(FileName);
    if (attributes == platform::kInvalidFileAttributes) {
        attributes = 0;
    }
    return (attributes & Mask) == Mask;
}

namespace {

platform::ShellRequest ShellRequestFor(const std::string& FileName, const std::string& Params,
                                       const std::string& DefaultDir, int ShowCmd,
                                       platform::WindowHandle owner) {
    platform::ShellRequest request;
    request.owner = owner;
    request.file = FileName;
    request.parameters = Params;
    request.directory = DefaultDir;
    request.showCommand = ShowCmd;
    return request;
}

} // namespace

int StartWithShell(const std::string& FileName, const std::string& Params,
                   const std::string& DefaultDir, int ShowCmd, platform::WindowHandle owner,
                   platform::ShellLauncher& launcher) {
    return launcher.Execute(ShellRequestFor(FileName, Params, DefaultDir, ShowCmd, owner));
}

platform::ShellStart StartWithShellFollowed(const std::string& FileName, const std::string& Params,
                                            const std::string& DefaultDir, int ShowCmd,
                                            platform::WindowHandle owner,
                                            platform::ShellLauncher& launcher) {
    return launcher.ExecuteFollowed(ShellRequestFor(FileName, Params, DefaultDir, ShowCmd, owner));
}

platform::ShellStart StartWithShellFollowed(const std::string& FileName, const std::string& Params,
                                            std::vector<std::string> Arguments,
                                            const std::string& DefaultDir, int ShowCmd,
                                            platform::WindowHandle owner,
                                            platform::ShellLauncher& launcher) {
    platform::ShellRequest request = ShellRequestFor(FileName, Params, DefaultDir, ShowCmd, owner);
    request.arguments = std::move(Arguments);
    return launcher.ExecuteFollowed(request);
}

} // namespace twinvane
