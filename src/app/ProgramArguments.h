// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

namespace twinvane {

// What the command line `twinvane [OPTION]... [FILE1 [FILE2]]` asks for.
struct ProgramArguments {
    enum class Action {
        Run,         // open the main window with `files`
        ShowHelp,    // print UsageText and end with success
        ShowVersion, // print VersionText and end with success
        Refuse,      // print `message` and end with kExitUsage
    };
    Action action = Action::Run;
    std::vector<std::string> files; // at most two, as given
    std::string message;            // for Refuse: one line that says what is wrong
};

// The exit status of a command line that cannot be followed.
inline constexpr int kExitUsage = 2;

// Reads the arguments after the program's name, left to right: "-h" or
// "--help" and "--version" answer at once; any other argument that starts
// with "-" (except "-" alone) is refused, until "--", after which every
// argument is a file name. More than two file names are refused.
ProgramArguments ParseProgramArguments(const std::vector<std::string>& arguments);

// The texts printed for --help and --version, each ending in a line break.
std::string UsageText();
std::string VersionText();

// A refusal's `message` as a box shows it: a sentence with a capital.
std::string RefusalText(const std::string& message);
// What follows a refusal, on a line of its own.
inline constexpr const char* kTryHelpText = "Try 'twinvane --help' for more information.";

} // namespace twinvane
