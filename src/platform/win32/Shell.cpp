// SPDX-License-Identifier: MIT
#include "platform/Shell.h"

#include "StartedProgram.h"
#include "platform/CommandLine.h"

// windows.h must come first: shellapi.h relies on its types.
#include <windows.h>

#include <shellapi.h>

namespace twinvane::platform {
namespace {

const char* OrNull(const std::optional<std::string>& text) {
    return text ? text->c_str() : nullptr;
}

// The command line comes from the parameter text; a request that gives only
// the list has it quoted here, by the rules the started program splits by.
std::optional<std::string> CommandLineOf(const ShellRequest& request) {
    if (request.parameters || !request.arguments) {
        return request.parameters;
    }
    std::string line;
    for (const std::string& argument : *request.arguments) {
        if (!line.empty()) {
            line += ' ';
        }
        line += QuoteArgument(argument);
    }
    return line;
}

// The shell result for a failed ShellExecuteEx that gave no code of its own.
int ResultForError(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
        return kShellFileNotFound;
    case ERROR_PATH_NOT_FOUND:
        return kShellPathNotFound;
    case ERROR_BAD_FORMAT:
        return kShellBadFormat;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return kShellOutOfMemory;
    case ERROR_NO_ASSOCIATION:
        return kShellNoAssociation;
    default:
        return kShellAccessDenied;
    }
}

} // namespace

int ExecuteWithShell(const ShellRequest& request) {
    const auto parameters = CommandLineOf(request);
    const HINSTANCE result = ::ShellExecuteA(
        reinterpret_cast<HWND>(request.owner), OrNull(request.verb), request.file.c_str(),
        OrNull(parameters), OrNull(request.directory), request.showCommand);
    return static_cast<int>(reinterpret_cast<INT_PTR>(result));
}

ShellStart ExecuteAndFollow(const ShellRequest& request) {
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    // The caller reports a failure in its own words, so the shell shows none.
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.hwnd = reinterpret_cast<HWND>(request.owner);
    info.lpVerb = OrNull(request.verb);
    info.lpFile = request.file.c_str();
    info.lpDirectory = OrNull(request.directory);
    info.nShow = request.showCommand;
    const auto parameters = CommandLineOf(request);
    info.lpParameters = OrNull(parameters);
    ShellStart started;
    if (!::ShellExecuteExA(&info)) {
        const auto code = static_cast<int>(reinterpret_cast<INT_PTR>(info.hInstApp));
        started.result = code > 0 && code <= 32 ? code : ResultForError(::GetLastError());
        return started;
    }
    started.result = kShellSuccess;
    // No handle when the shell handed the file to a program already running.
    // The follower puts the process into its job at once, before it is
    // likely to have started a process of its own.
    if (info.hProcess != nullptr) {
        started.program = std::make_unique<win32::StartedProgram>(info.hProcess);
    }
    return started;
}

} // namespace twinvane::platform
