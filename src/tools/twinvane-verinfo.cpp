// SPDX-License-Identifier: MIT
// twinvane-verinfo [--help] [--] FILE...
// Prints for each file its name, one Key=Value line per entry that the
// version-information reader finds, in order, and a blank line. Names and
// values are escaped, as a file is free to hold line breaks and terminal
// controls in both, and its output must not pass for another file's.
#include "about/TGetVersionInfoFromFile.h"
#include "tools/LineEscape.h"

#include <cstdlib>
#include <exception>
#include <iostream>
#include <string_view>

namespace {

constexpr char kUsage[] = "Usage: twinvane-verinfo [--help] [--] FILE...\n";

constexpr char kHelp[] =
    "Shows the version information of each program or library FILE: the file's\n"
    "name on one line, then a Key=Value line for each value that Twinvane's About\n"
    "box would read from it, in order, then an empty line.\n"
    "\n"
    "Names and values are escaped, so that every line holds exactly one of them\n"
    "and nothing reaches the terminal as a control: a backslash is shown as \\\\,\n"
    "a line feed as \\n, a tab as \\t, and any other control character as \\xHH,\n"
    "byte by byte in upper-case hexadecimal (DEL as \\x7F; the C1 controls as\n"
    "their UTF-8 bytes, \\xC2\\x80 to \\xC2\\x9F).\n"
    "\n"
    "Put -- before a FILE named --help. Exit status: 0 when every FILE is a file,\n"
    "1 when one is missing or no file, 2 when no FILE is given.\n";

} // namespace

int main(int argc, char* argv[]) {
    int first = 1;
    if (argc > 1 && std::string_view(argv[1]) == "--help") {
        std::cout << kUsage << '\n' << kHelp;
        std::cout.flush();
        return std::cout ? EXIT_SUCCESS : EXIT_FAILURE;
    }
    if (argc > 1 && std::string_view(argv[1]) == "--") {
        first = 2;
    }
    if (first >= argc) {
        std::cerr << kUsage << "Shows the version information of each program or library FILE.\n"
                  << "Try 'twinvane-verinfo --help' for more.\n";
        return 2;
    }
    int status = EXIT_SUCCESS;
    try {
        twinvane::TGetVersionInfoFromFile reader;
        for (int i = first; i < argc; ++i) {
            const std::string name = argv[i];
            const std::string shownName = twinvane::EscapeForLine(name);
            reader.SetfileName(name);
            std::cout << shownName << '\n';
            if (reader.fileName().empty()) {
                std::cerr << "twinvane-verinfo: " << shownName << ": not found, or not a file\n";
                status = EXIT_FAILURE;
            }
            for (int entry = 0; entry < reader.VersionStrings().Count(); ++entry) {
                std::cout << twinvane::EscapeForLine(reader.VersionCategories()[entry]) << '='
                          << twinvane::EscapeForLine(reader.VersionStrings()[entry]) << '\n';
            }
            std::cout << '\n';
        }
    } catch (const std::exception& error) {
        std::cerr << "twinvane-verinfo: " << twinvane::EscapeForLine(error.what()) << '\n';
        return EXIT_FAILURE;
    }
    std::cout.flush();
    return std::cout ? status : EXIT_FAILURE;
}
