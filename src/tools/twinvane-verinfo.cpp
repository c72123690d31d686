// SPDX-License-Identifier: MIT
// twinvane-verinfo FILE...
// Prints for each file its name, one Key=Value line per entry that the
// version-information reader finds, in order, and a blank line.
#include "about/TGetVersionInfoFromFile.h"

#include <cstdlib>
#include <exception>
#include <iostream>

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::cerr << "Usage: twinvane-verinfo FILE...\n"
                     "Shows the version information of each program or library FILE.\n";
        return 2;
    }
    int status = EXIT_SUCCESS;
    try {
        twinvane::TGetVersionInfoFromFile reader;
        for (int i = 1; i < argc; ++i) {
            const std::string name = argv[i];
            reader.SetfileName(name);
            std::cout << name << '\n';
            if (reader.fileName().empty()) {
                std::cerr << "twinvane-verinfo: " << name << ": not found, or not a file\n";
                status = EXIT_FAILURE;
            }
            for (int entry = 0; entry < reader.VersionStrings().Count(); ++entry) {
                std::cout << reader.VersionCategories()[entry] << '='
                          << reader.VersionStrings()[entry] << '\n';
            }
            std::cout << '\n';
        }
    } catch (const std::exception& error) {
        std::cerr << "twinvane-verinfo: " << error.what() << '\n';
        return EXIT_FAILURE;
    }
    std::cout.flush();
    return std::cout ? status : EXIT_FAILURE;
}
