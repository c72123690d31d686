// SPDX-License-Identifier: MIT
// The record of copies waiting for deletion, as anyone might have written
// it: only the names the clean-up may delete come out of it, never from a
// record beyond the bounds, and what is written back reads back the same.
#include "app/PendingRecord.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

const std::array<std::string, 2> kAllowed{"/run/user/1000/twinvane/TWVTemp1", "C:\\TWVTemp2"};

bool Allowed(const std::string& path) {
    return path == kAllowed[0] || path == kAllowed[1];
}

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace twinvane;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const ParsedRecord parsed = ParseRecord(text, Allowed);
    Require(size <= kRecordLimit || parsed.oversized);
    Require(!parsed.oversized || parsed.lines.empty());
    Require(parsed.lines.size() <= kRecordLinesLimit);
    for (const auto& line : parsed.lines) {
        Require(Allowed(line.path));
    }
    const std::string written = FormatRecord(parsed.lines);
    Require(written.size() <= kRecordLimit);
    const ParsedRecord again = ParseRecord(written, Allowed);
    Require(!again.oversized && again.lines == parsed.lines);
    return 0;
}
