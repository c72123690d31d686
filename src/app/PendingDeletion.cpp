// SPDX-License-Identifier: MIT
#include "PendingDeletion.h"

#include "platform/DesktopPlaces.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace twinvane {
namespace {

// One line per file: its identity, then its path.
std::string RecordPath() {
    return platform::TemporaryCopyFolder() + "TWVTemp.del";
}

} // namespace

void PendingDeletion::Add(const std::vector<std::string>& files,
                          std::unique_ptr<platform::RunningProgram> program) {
    Batch batch{{}, std::move(program)};
    for (const auto& path : files) {
        if (const auto identity = platform::IdentityOf(path)) {
            batch.files.push_back({path, *identity});
        }
    }
    if (!batch.files.empty()) {
        batches_.push_back(std::move(batch));
        Save();
    }
}

void PendingDeletion::Poll() {
    bool changed = false;
    for (auto& batch : batches_) {
        if (batch.program == nullptr || !batch.program->HasEnded()) {
            continue;
        }
        std::erase_if(batch.files, [](const File& file) {
            return platform::RemoveUnusedFile(file.path, file.identity);
        });
        batch.program.reset();
        changed = true;
    }
    if (changed) {
        std::erase_if(batches_, [](const Batch& batch) { return batch.files.empty(); });
        Save();
    }
}

void PendingDeletion::Resume() {
    std::ifstream record(RecordPath(), std::ios::binary);
    if (!record) {
        return;
    }
    Batch left;
    std::string line;
    while (std::getline(record, line)) {
        std::istringstream fields(line);
        File file;
        if (fields >> file.identity.volume >> file.identity.index && fields.get() == ' ' &&
            std::getline(fields, file.path) && !file.path.empty() &&
            !platform::RemoveUnusedFile(file.path, file.identity)) {
            left.files.push_back(std::move(file));
        }
    }
    record.close();
    if (!left.files.empty()) {
        batches_.push_back(std::move(left));
    }
    Save();
}

void PendingDeletion::Keep(const std::string& path) {
    if (batches_.empty()) {
        return;
    }
    // By name too: a file written there later may be given a freed inode.
    const auto identity = platform::IdentityOf(path);
    bool changed = false;
    for (auto& batch : batches_) {
        changed |= std::erase_if(batch.files, [&](const File& file) {
                       return file.path == path || file.identity == identity;
                   }) > 0;
    }
    if (changed) {
        std::erase_if(batches_, [](const Batch& batch) { return batch.files.empty(); });
        Save();
    }
}

void PendingDeletion::Save() const {
    const std::string path = RecordPath();
    if (batches_.empty()) {
        platform::RemoveFile(path);
        return;
    }
    // A record that cannot be written only leaves the files for later.
    std::ofstream record(path, std::ios::binary | std::ios::trunc);
    for (const auto& batch : batches_) {
        for (const auto& file : batch.files) {
            // A name with a line break cannot be recorded; it stays undeleted.
            if (file.path.find('\n') == std::string::npos) {
                record << file.identity.volume << ' ' << file.identity.index << ' ' << file.path
                       << '\n';
            }
        }
    }
}

} // namespace twinvane
