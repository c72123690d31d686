// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

namespace twinvane {

// What the command line `twinvane [OPTION]... [FILE1 [FILE2]]` asks for.
struct ProgramArguments {
    enum class Action {
        Run,              // open the main window with `files`
        Compare,          // compare the two `files` at once
        CompareWithFile1, // compare the stored File 1 with the one of `files`
        StoreFile1,       // store the one of `files` as File 1, without a window
        PrintFile1,       // print the stored File 1
        ShowHelp,         // print UsageText and end with success
        ShowVersion,      // print VersionText and end with success
        Refuse,           // print `message` and end with kExitUsage
    };
    Action action = Action::Run;
    std::vector<std::string> files; // as given: at most two, one for the File 1 forms
    std::string message;            // for Refuse: one line that says what is wrong
};

// The exit status of a command line that cannot be followed.
inline constexpr int kExitUsage = 2;

// Reads the arguments after the program's name, left to right: "-h" or
// "--help" and "--version" answer at once; "--compare", "--compare-with-file1",
// "--file1" and "--print-file1" choose what to do with the file names, at
// most one of them; any other argument that starts with "-" (except "-"
// alone) is refused, until "--", after which every argument is a file name.
// More than two file names are refused, and the File 1 forms take exactly
// the number they name. "--compare" with fewer than two names opens the
// window with them, as a file manager's Send To with one file expects.
ProgramArguments ParseProgramArguments(const std::vector<std::string>& arguments);

// The texts printed for --help and --version, each ending in a line break.
std::string UsageText();
std::string VersionText();

// A refusal's `message` as a box shows it: a sentence with a capital.
std::string RefusalText(const std::string& message);
// What follows a refusal, on a line of its own.
inline constexpr const char* kTryHelpText = "Try 'twinvane --help' for more information.";

} // namespace twinvane
