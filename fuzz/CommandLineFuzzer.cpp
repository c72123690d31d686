// SPDX-License-Identifier: MIT
// libFuzzer target for the command-line quoting. The input, cut at its zero
// bytes, is a list of arguments: quoted and joined by blanks, the Windows
// rules must split them back exactly. The input is also split as a command
// line of its own, and what that gives must survive the same round trip.
#include "platform/CommandLine.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

using twinvane::platform::QuoteArgument;
using twinvane::platform::SplitCommandLine;

void ExpectRoundTrip(const std::vector<std::string>& arguments) {
    std::string line;
    for (const auto& argument : arguments) {
        line += (line.empty() ? "" : " ") + QuoteArgument(argument);
    }
    if (SplitCommandLine(line) != arguments) {
        std::fprintf(stderr, "the arguments do not split back from: %s\n", line.c_str());
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> arguments;
    if (!input.empty()) {
        for (std::size_t start = 0;;) {
            const std::size_t end = input.find('\0', start);
            arguments.emplace_back(input.substr(start, end - start));
            if (end == std::string_view::npos) {
                break;
            }
            start = end + 1;
        }
    }
    ExpectRoundTrip(arguments);
    ExpectRoundTrip(SplitCommandLine(input));
    return 0;
}
