// SPDX-License-Identifier: MIT
#include "platform/Shell.h"

// windows.h must come first: shellapi.h relies on its types.
#include <windows.h>

#include <shellapi.h>

namespace twinvane::platform {
namespace {

const char* OrNull(const std::optional<std::string>& text) {
    return text ? text->c_str() : nullptr;
}

} // namespace

int ExecuteWithShell(const ShellRequest& request) {
    const HINSTANCE result = ::ShellExecuteA(
        reinterpret_cast<HWND>(request.owner), OrNull(request.verb), request.file.c_str(),
        OrNull(request.parameters), OrNull(request.directory), request.showCommand);
    return static_cast<int>(reinterpret_cast<INT_PTR>(result));
}

} // namespace twinvane::platform
