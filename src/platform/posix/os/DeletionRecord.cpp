// SPDX-License-Identifier: MIT
#include "platform/DeletionRecord.h"

#include "PrivateFolder.h"
#include "platform/DesktopPlaces.h"
#include "platform/Exception.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace twinvane::platform {
namespace {

constexpr const char* kRecordName = "TWVTemp.del";

std::string FolderPath() {
    std::string folder = TemporaryCopyFolder();
    folder.pop_back(); // the separator
    return folder;
}

// The checked folder of the copies; nothing while it does not exist.
std::optional<posix::PrivateFolder> OpenFolder(bool create) {
    return posix::PrivateFolder::Open(FolderPath(), create);
}

} // namespace

std::string DeletionRecordPath() {
    return TemporaryCopyFolder() + kRecordName;
}

DeletionRecordText ReadDeletionRecord(std::size_t limit) {
    const auto folder = OpenFolder(false);
    if (!folder) {
        return {};
    }
    const posix::UniqueFd record = folder->OpenOwnFile(kRecordName, O_RDONLY);
    if (!record.IsOpen()) {
        return {};
    }
    // One byte beyond the limit tells a record that is too long.
    std::string text(limit + 1, '\0');
    std::size_t got = 0;
    while (got < text.size()) {
        const ssize_t read = ::read(record.Get(), text.data() + got, text.size() - got);
        if (read == 0) {
            break;
        }
        if (read < 0 && errno != EINTR) {
            throw Exception("Cannot read " + DeletionRecordPath() + ": " + std::strerror(errno));
        }
        got += read > 0 ? static_cast<std::size_t>(read) : 0;
    }
    if (got > limit) {
        return {DeletionRecordText::State::TooLong, {}};
    }
    text.resize(got);
    return {DeletionRecordText::State::Read, std::move(text)};
}

void WriteDeletionRecord(const std::string& text) {
    const auto folder = OpenFolder(!text.empty());
    if (!folder) {
        return;
    }
    if (text.empty()) {
        folder->Remove(kRecordName);
        return;
    }
    folder->ReplaceFile(kRecordName, text);
}

void SetAsideDeletionRecord() {
    if (const auto folder = OpenFolder(false)) {
        folder->Rename(kRecordName, std::string(kRecordName) + ".bad");
    }
}

} // namespace twinvane::platform
