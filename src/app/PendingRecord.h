// SPDX-License-Identifier: MIT
#pragma once

#include "platform/FileSystem.h"
#include "platform/ProcessHandle.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace twinvane {

// One line of the record of copies waiting for deletion: the Twinvane that
// agreed to the deletion, the file's identity, then its path.
struct RecordLine {
    platform::ProcessToken owner;
    platform::FileIdentity identity;
    std::string path;
    bool operator==(const RecordLine&) const = default;
};

// Each Twinvane running writes at most four short lines, so a record beyond
// these bounds was not written by one and is not read.
inline constexpr std::size_t kRecordLimit = 8192;
inline constexpr std::size_t kRecordLineLimit = 1024;
inline constexpr std::size_t kRecordLinesLimit = 32;

struct ParsedRecord {
    std::vector<RecordLine> lines;
    bool oversized = false; // beyond the bounds: no lines are taken
};

// The lines of `text` ("owner-id owner-start volume index path" each) whose
// path `mayDelete` accepts; any other line is dropped.
ParsedRecord ParseRecord(std::string_view text,
                         const std::function<bool(const std::string&)>& mayDelete);

// The text of a record of `lines`. A line that could not be read back (a
// path with a line break, or too long) is left out.
std::string FormatRecord(const std::vector<RecordLine>& lines);

} // namespace twinvane
