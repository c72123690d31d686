// SPDX-License-Identifier: MIT
#include "ProgramArguments.h"

#include "StandardError.h"
#include "about/ProgramInfo.h"

namespace twinvane {
namespace {

ProgramArguments Refuse(std::string message) {
    ProgramArguments refused;
    refused.action = ProgramArguments::Action::Refuse;
    refused.message = std::move(message);
    return refused;
}

ProgramArguments Answer(ProgramArguments::Action action) {
    ProgramArguments answer;
    answer.action = action;
    return answer;
}

} // namespace

ProgramArguments ParseProgramArguments(const std::vector<std::string>& arguments) {
    ProgramArguments parsed;
    bool optionsEnded = false;
    for (const std::string& argument : arguments) {
        if (optionsEnded || argument.size() < 2 || argument.front() != '-') {
            parsed.files.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "-h" || argument == "--help") {
            return Answer(ProgramArguments::Action::ShowHelp);
        } else if (argument == "--version") {
            return Answer(ProgramArguments::Action::ShowVersion);
        } else {
            return Refuse("unknown option '" + argument + "'");
        }
    }
    if (parsed.files.size() > 2) {
        return Refuse("too many files: " + std::to_string(parsed.files.size()) +
                      " given, at most two (FILE1 and FILE2)");
    }
    return parsed;
}

std::string UsageText() {
    return "Usage: twinvane [OPTION]... [FILE1 [FILE2]]\n"
           "Starts a graphical diff program on two files and remembers them between runs.\n"
           "FILE1 and FILE2, when given, replace File 1 and File 2 of the last run;\n"
           "relative names are taken from the current folder.\n"
           "\n"
           "  -h, --help     show this help and exit\n"
           "      --version  show the version and exit\n"
           "      --         take every later argument as a file name\n";
}

std::string RefusalText(const std::string& message) {
    std::string text = StandardErrorText(message);
    if (!text.empty() && text.front() >= 'a' && text.front() <= 'z') {
        text.front() = static_cast<char>(text.front() - 'a' + 'A');
    }
    return text;
}

std::string VersionText() {
    return std::string(kProgramTitle) + " " + kProgramVersion + "\n";
}

} // namespace twinvane
