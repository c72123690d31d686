// SPDX-License-Identifier: MIT
#include "platform/FileManagerMenu.h"

#include <windows.h>

namespace twinvane::platform {
namespace {

// The verb the installer writes for the user; it owns the command, Twinvane
// only its caption and visibility.
constexpr const char* kVerbKey = "Software\\Classes\\*\\shell\\Twinvane.CompareWithFile1";
// Explorer leaves a verb carrying this value out of its menus, while
// ShellExecuteEx still runs it by name.
constexpr const char* kHidden = "ProgrammaticAccessOnly";

class OpenKey {
public:
    OpenKey() {
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, kVerbKey, 0, KEY_SET_VALUE, &key_) !=
            ERROR_SUCCESS) {
            key_ = nullptr;
        }
    }
    ~OpenKey() {
        if (key_ != nullptr) {
            ::RegCloseKey(key_);
        }
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    HKEY get() const noexcept { return key_; }

private:
    HKEY key_ = nullptr;
};

void SetText(HKEY key, const char* name, const std::string& text) {
    ::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                     static_cast<DWORD>(text.size() + 1));
}

} // namespace

void ShowCompareWithFile1Item(const std::optional<std::string>& caption) noexcept {
    const OpenKey verb;
    if (verb.get() == nullptr) {
        return; // not installed for this user
    }
    if (caption) {
        SetText(verb.get(), "MUIVerb", *caption);
        ::RegDeleteValueA(verb.get(), kHidden);
    } else {
        SetText(verb.get(), kHidden, "");
    }
}

} // namespace twinvane::platform
