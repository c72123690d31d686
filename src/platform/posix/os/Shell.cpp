// SPDX-License-Identifier: MIT
#include "platform/Shell.h"

#include "SessionProgram.h"
#include "Spawn.h"
#include "platform/CommandLine.h"
#include "platform/DesktopPlaces.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <vector>

namespace twinvane::platform {
namespace {

// "http:", "mailto:", "file:"...: a scheme of two or more letters, so that a
// one-letter drive such as "C:" never counts as an address.
bool IsAddress(const std::string& target) {
    const auto colon = target.find(':');
    if (colon == std::string::npos || colon < 2) {
        return false;
    }
    for (std::size_t i = 0; i < colon; ++i) {
        const auto c = static_cast<unsigned char>(target[i]);
        if (!(std::isalnum(c) || c == '+' || c == '-' || c == '.') ||
            (i == 0 && !std::isalpha(c))) {
            return false;
        }
    }
    return true;
}

int MissingFileCode(const std::string& file) {
    const auto slash = file.rfind('/');
    if (slash == std::string::npos || slash == 0) {
        return kShellFileNotFound;
    }
    struct stat st {};
    const std::string folder = file.substr(0, slash);
    return ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) ? kShellFileNotFound
                                                                   : kShellPathNotFound;
}

int OpenWithDesktop(const ShellRequest& request) {
    const std::string opener = FindProgramOnPath("xdg-open");
    if (opener.empty()) {
        return kShellNoAssociation;
    }
    pid_t started = 0;
    const int result =
        posix::SpawnInSession(opener, {opener, request.file}, request.directory, started);
    if (result > 32) {
        posix::ReapWhenEnded(started);
    }
    return result;
}

// Starts `request`, and follows the started program when `followed` is given.
int Start(const ShellRequest& request, std::unique_ptr<RunningProgram>* followed) {
    if (request.file.empty()) {
        return kShellFileNotFound;
    }
    if (IsAddress(request.file)) {
        return OpenWithDesktop(request);
    }
    struct stat st {};
    if (::stat(request.file.c_str(), &st) != 0) {
        if (errno == EACCES) {
            return kShellAccessDenied;
        }
        return errno == ENOTDIR ? kShellPathNotFound : MissingFileCode(request.file);
    }
    const bool runnable = S_ISREG(st.st_mode) && ::access(request.file.c_str(), X_OK) == 0;
    if (!runnable) {
        // The desktop opener takes no parameters: a program that is not
        // executable would be opened as a document, without its arguments.
        if ((request.parameters && !request.parameters->empty()) ||
            (request.arguments && !request.arguments->empty())) {
            return kShellAccessDenied;
        }
        return OpenWithDesktop(request);
    }
    std::vector<std::string> arguments{request.file};
    if (request.arguments) {
        arguments.insert(arguments.end(), request.arguments->begin(), request.arguments->end());
    } else if (request.parameters) {
        for (auto& argument : SplitCommandLine(*request.parameters)) {
            arguments.push_back(std::move(argument));
        }
    }
    pid_t started = 0;
    const int result = posix::SpawnInSession(request.file, arguments, request.directory, started);
    if (result > 32) {
        if (followed != nullptr) {
            *followed = std::make_unique<posix::SessionProgram>(started);
        } else {
            posix::ReapWhenEnded(started);
        }
    }
    return result;
}

} // namespace

int ExecuteWithShell(const ShellRequest& request) {
    return Start(request, nullptr);
}

ShellStart ExecuteAndFollow(const ShellRequest& request) {
    ShellStart started;
    started.result = Start(request, &started.program);
    return started;
}

} // namespace twinvane::platform
