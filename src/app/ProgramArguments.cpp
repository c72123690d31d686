// SPDX-License-Identifier: MIT
#include "ProgramArguments.h"

#include "StandardError.h"
#include "about/ProgramInfo.h"

#include <map>

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
    using Action = ProgramArguments::Action;
    static const std::map<std::string, Action, std::less<>> kForms{
        {"--compare", Action::Compare},
        {"--compare-with-file1", Action::CompareWithFile1},
        {"--file1", Action::StoreFile1},
        {"--print-file1", Action::PrintFile1},
    };
    ProgramArguments parsed;
    std::string form; // the option that chose the action, if any
    bool optionsEnded = false;
    for (const std::string& argument : arguments) {
        if (optionsEnded || argument.size() < 2 || argument.front() != '-') {
            parsed.files.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "-h" || argument == "--help") {
            return Answer(Action::ShowHelp);
        } else if (argument == "--version") {
            return Answer(Action::ShowVersion);
        } else if (const auto chosen = kForms.find(argument); chosen != kForms.end()) {
            if (!form.empty() && form != argument) {
                return Refuse("'" + form + "' and '" + argument + "' cannot be used together");
            }
            form = argument;
            parsed.action = chosen->second;
        } else {
            return Refuse("unknown option '" + argument + "'");
        }
    }
    const std::size_t given = parsed.files.size();
    if (given > 2) {
        return Refuse("too many files: " + std::to_string(given) +
                      " given, at most two (FILE1 and FILE2)");
    }
    const auto wants = [&](const char* what) {
        return Refuse("'" + form + "' takes " + what + ", and " + std::to_string(given) +
                      (given == 1 ? " was" : " were") + " given");
    };
    switch (parsed.action) {
    case Action::StoreFile1:
    case Action::CompareWithFile1:
        return given == 1 ? parsed : wants("one file name");
    case Action::PrintFile1:
        return given == 0 ? parsed : wants("no file name");
    case Action::Compare:
        if (given < 2) {
            parsed.action = Action::Run;
        }
        return parsed;
    default:
        return parsed;
    }
}

std::string UsageText() {
    return "Usage: twinvane [OPTION]... [FILE1 [FILE2]]\n"
           "Starts a graphical diff program on two files and remembers them between runs.\n"
           "FILE1 and FILE2, when given, replace File 1 and File 2 of the last run;\n"
           "relative names are taken from the current folder.\n"
           "\n"
           "\n"
           "      --compare FILE1 FILE2     compare the two files at once; the window shows\n"
           "                                only while a question needs an answer\n"
           "      --file1 FILE              store FILE as File 1 and exit, without a window\n"
           "      --compare-with-file1 FILE compare the stored File 1 with FILE, as --compare\n"
           "      --print-file1             print the stored File 1 and exit\n"
           "  -h, --help                    show this help and exit\n"
           "      --version                 show the version and exit\n"
           "      --                        take every later argument as a file name\n";
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
