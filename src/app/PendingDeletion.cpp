// SPDX-License-Identifier: MIT
#include "PendingDeletion.h"

#include "platform/DesktopPlaces.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <memory>

namespace twinvane {
namespace {

// One line per file: its identity, then its path.
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

// "volume index path"; false for a line that is not one.
bool ParseRecord(const std::string& line, std::uint64_t& volume, std::uint64_t& index,
                 std::string& path) {
    const char* const end = line.data() + line.size();
    const auto number = [end](const char* from, std::uint64_t& value) -> const char* {
        const auto [next, error] = std::from_chars(from, end, value);
        return error == std::errc{} && next != end && *next == ' ' ? next + 1 : nullptr;
    };
    const char* rest = number(line.data(), volume);
    rest = rest ? number(rest, index) : nullptr;
    if (!rest || rest == end) {
        return false;
    }
    path.assign(rest, end);
    return true;
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
    Stream record(std::fopen(RecordPath().c_str(), "rb"));
    if (!record) {
        return;
    }
    Batch left;
    std::string line;
    while (ReadLine(record.get(), line)) {
        File file;
        if (ParseRecord(line, file.identity.volume, file.identity.index, file.path) &&
            !platform::RemoveUnusedFile(file.path, file.identity)) {
            left.files.push_back(std::move(file));
        }
    }
    record.reset();
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
    const Stream record(std::fopen(path.c_str(), "wb"));
    if (!record) {
        return;
    }
    for (const auto& batch : batches_) {
        for (const auto& file : batch.files) {
            // A name with a line break cannot be recorded; it stays undeleted.
            if (file.path.find('\n') == std::string::npos) {
                const std::string line = std::to_string(file.identity.volume) + ' ' +
                                         std::to_string(file.identity.index) + ' ' + file.path +
                                         '\n';
                std::fwrite(line.data(), 1, line.size(), record.get());
            }
        }
    }
}

} // namespace twinvane
