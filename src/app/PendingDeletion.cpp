// SPDX-License-Identifier: MIT
#include "PendingDeletion.h"

#include "platform/DesktopPlaces.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

namespace twinvane {
namespace {

// One line per file (RecordLine below).
std::string RecordPath() {
    return platform::TemporaryCopyFolder() + "TWVTemp.del";
}

// C streams rather than iostreams: the record is all the program reads and
// writes this way, and iostreams would double the size of the Windows program.
struct CloseStream {
    void operator()(std::FILE* stream) const { std::fclose(stream); }
};
using Stream = std::unique_ptr<std::FILE, CloseStream>;

// The next line without its line break; false at the end.
bool ReadLine(std::FILE* in, std::string& line) {
    line.clear();
    int c = 0;
    while ((c = std::fgetc(in)) != EOF && c != '\n') {
        line += static_cast<char>(c);
    }
    return c != EOF || !line.empty();
}

// One line of the record: the Twinvane that agreed to the deletion, the
// file's identity, then its path.
struct RecordLine {
    platform::ProcessToken owner;
    platform::FileIdentity identity;
    std::string path;
};

// "owner-id owner-start volume index path"; nothing for a line that is not one.
std::optional<RecordLine> ParseRecord(const std::string& line) {
    const char* const end = line.data() + line.size();
    const auto number = [end](const char* from, std::uint64_t& value) -> const char* {
        if (from == nullptr) {
            return nullptr;
        }
        const auto [next, error] = std::from_chars(from, end, value);
        return error == std::errc{} && next != end && *next == ' ' ? next + 1 : nullptr;
    };
    RecordLine parsed;
    const char* rest = number(line.data(), parsed.owner.id);
    rest = number(rest, parsed.owner.started);
    rest = number(rest, parsed.identity.volume);
    rest = number(rest, parsed.identity.index);
    if (!rest || rest == end) {
        return std::nullopt;
    }
    parsed.path.assign(rest, end);
    return parsed;
}

std::string FormatRecord(const RecordLine& line) {
    return std::to_string(line.owner.id) + ' ' + std::to_string(line.owner.started) + ' ' +
           std::to_string(line.identity.volume) + ' ' + std::to_string(line.identity.index) + ' ' +
           line.path + '\n';
}

// The lines of the record, as they stand; nothing when there is no record.
std::optional<std::vector<RecordLine>> ReadRecord() {
    const Stream record(std::fopen(RecordPath().c_str(), "rb"));
    if (!record) {
        return std::nullopt;
    }
    std::vector<RecordLine> lines;
    std::string line;
    while (ReadLine(record.get(), line)) {
        if (auto parsed = ParseRecord(line)) {
            lines.push_back(std::move(*parsed));
        }
    }
    return lines;
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
    // The usual start: nothing was left waiting.
    auto lines = ReadRecord();
    if (!lines) {
        return;
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
    // Other runs' lines stay as long as those runs do; this run's are written
    // anew from what it still waits for.
    std::string text;
    for (const auto& line : ReadRecord().value_or(std::vector<RecordLine>{})) {
        if (HeldByAnotherRun(line, self_)) {
            text += FormatRecord(line);
        }
    }
    for (const auto& batch : batches_) {
        for (const auto& file : batch.files) {
            // A name with a line break cannot be recorded; it stays undeleted.
            if (file.path.find('\n') == std::string::npos) {
                text += FormatRecord({self_, file.identity, file.path});
            }
        }
    }
    const std::string path = RecordPath();
    if (text.empty()) {
        platform::RemoveFile(path);
        return;
    }
    // A record that cannot be written only leaves the files for later.
    if (const Stream record(std::fopen(path.c_str(), "wb")); record) {
        std::fwrite(text.data(), 1, text.size(), record.get());
    }
}

} // namespace twinvane
