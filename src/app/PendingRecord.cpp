// SPDX-License-Identifier: MIT
#include "PendingRecord.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace twinvane {
namespace {

std::optional<RecordLine> ParseLine(std::string_view line) {
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

std::string FormatLine(const RecordLine& line) {
    return std::to_string(line.owner.id) + ' ' + std::to_string(line.owner.started) + ' ' +
           std::to_string(line.identity.volume) + ' ' + std::to_string(line.identity.index) + ' ' +
           line.path + '\n';
}

} // namespace

ParsedRecord ParseRecord(std::string_view text,
                         const std::function<bool(const std::string&)>& mayDelete) {
    ParsedRecord parsed;
    if (text.size() > kRecordLimit) {
        parsed.oversized = true;
        return parsed;
    }
    std::size_t count = 0;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (line.size() >= kRecordLineLimit || ++count > kRecordLinesLimit) {
            return {{}, true};
        }
        if (auto read = ParseLine(line); read && mayDelete(read->path)) {
            parsed.lines.push_back(std::move(*read));
        }
    }
    return parsed;
}

std::string FormatRecord(const std::vector<RecordLine>& lines) {
    std::string text;
    std::size_t count = 0;
    for (const auto& line : lines) {
        std::string formatted = FormatLine(line);
        if (line.path.find('\n') == std::string::npos && formatted.size() <= kRecordLineLimit &&
            text.size() + formatted.size() <= kRecordLimit && count < kRecordLinesLimit) {
            text += formatted;
            ++count;
        }
    }
    return text;
}

} // namespace twinvane
