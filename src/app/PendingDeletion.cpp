// SPDX-License-Identifier: MIT
#include "PendingDeletion.h"

#include "CleanUpNames.h"
#include "PendingRecord.h"
#include "platform/DeletionRecord.h"
#include "platform/Exception.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

namespace twinvane {
namespace {

// The lines of the record as they stand, nothing when there is none. Raises
// when the record cannot be trusted; one beyond the bounds is set aside.
std::optional<std::vector<RecordLine>> ReadRecord() {
    const auto record = platform::ReadDeletionRecord(kRecordLimit);
    if (record.state == platform::DeletionRecordText::State::Absent) {
        return std::nullopt;
    }
    ParsedRecord parsed;
    if (record.state == platform::DeletionRecordText::State::Read) {
        parsed = ParseRecord(record.text, IsCleanUpName);
    }
    if (record.state == platform::DeletionRecordText::State::TooLong || parsed.oversized) {
        platform::SetAsideDeletionRecord();
        throw Exception("The record of temporary copies waiting for deletion, " +
                        platform::DeletionRecordPath() +
                        ", is larger than Twinvane ever writes it, so it was not read. It "
                        "was moved to " +
                        platform::DeletionRecordPath() + ".bad");
    }
    return std::move(parsed.lines);
}

// A line that another Twinvane still running wrote: its diff program may
// still be reading, and that Twinvane deletes the file itself.
bool HeldByAnotherRun(const RecordLine& line, const platform::ProcessToken& self) {
    return line.owner != self && platform::IsRunning(line.owner);
}

} // namespace

void PendingDeletion::Add(const std::vector<std::string>& files,
                          std::unique_ptr<platform::RunningProgram> program) {
    Batch batch{{}, std::move(program)};
    for (const auto& path : files) {
        if (const auto identity = platform::IdentityOf(path); identity && IsCleanUpName(path)) {
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

std::string PendingDeletion::Resume() {
    std::optional<std::vector<RecordLine>> lines;
    try {
        lines = ReadRecord();
    } catch (const Exception& error) {
        return error.Message();
    }
    // The usual start: nothing was left waiting.
    if (!lines) {
        return {};
    }
    Batch left;
    for (auto& line : *lines) {
        if (!HeldByAnotherRun(line, self_) &&
            !platform::RemoveUnusedFile(line.path, line.identity)) {
            left.files.push_back({std::move(line.path), line.identity});
        }
    }
    if (!left.files.empty()) {
        batches_.push_back(std::move(left));
    }
    Save();
    return {};
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
    try {
        // Other runs' lines stay as long as those runs do; this run's are
        // written anew from what it still waits for.
        std::vector<RecordLine> lines;
        for (auto& line : ReadRecord().value_or(std::vector<RecordLine>{})) {
            if (HeldByAnotherRun(line, self_)) {
                lines.push_back(std::move(line));
            }
        }
        for (const auto& batch : batches_) {
            for (const auto& file : batch.files) {
                lines.push_back({self_, file.identity, file.path});
            }
        }
        platform::WriteDeletionRecord(FormatRecord(lines));
    } catch (const Exception&) {
        // The files stay for a later run; a record that cannot be trusted
        // was reported at the start.
    }
}

} // namespace twinvane
