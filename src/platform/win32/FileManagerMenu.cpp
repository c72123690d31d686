// SPDX-License-Identifier: MIT
#include "platform/FileManagerMenu.h"

#include "OpenedKey.h"

#include <windows.h>

namespace twinvane::platform {
namespace {

// The verb the installer writes for the user; it owns the command, Twinvane
// only its caption and visibility.
constexpr const char* kVerbKey = "Software\\Classes\\*\\shell\\Twinvane.CompareWithFile1";
// Explorer leaves a verb carrying this value out of its menus, while
// ShellExecuteEx still runs it by name.
constexpr const char* kHidden = "ProgrammaticAccessOnly";

void SetText(HKEY key, const char* name, const std::string& text) {
    ::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                     static_cast<DWORD>(text.size() + 1));
}

} // namespace

void ShowCompareWithFile1Item(const std::optional<std::string>& caption) noexcept {
    const win32::OpenedKey verb(HKEY_CURRENT_USER, kVerbKey, KEY_SET_VALUE);
    if (verb.Get() == nullptr) {
        return; // not installed for this user
    }
    if (caption) {
        SetText(verb.Get(), "MUIVerb", *caption);
        ::RegDeleteValueA(verb.Get(), kHidden);
    } else {
        SetText(verb.Get(), kHidden, "");
    }
}

} // namespace twinvane::platform
