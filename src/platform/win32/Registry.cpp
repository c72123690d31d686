// SPDX-License-Identifier: MIT
#include "platform/Registry.h"

#include <windows.h>

#include <utility>

namespace twinvane::platform {
namespace {

HKEY AsKey(std::uintptr_t handle) {
    return reinterpret_cast<HKEY>(handle);
}

std::uintptr_t AsHandle(HKEY key) {
    return reinterpret_cast<std::uintptr_t>(key);
}

// A value may grow between asking its size and reading it; a few tries
// settle that without looping for ever on a key someone keeps rewriting.
constexpr int kReadAttempts = 4;

} // namespace

// The Windows registry needs no state of its own: every call goes to it.
class UserRegistry::Backend {};

UserRegistry::UserRegistry() : backend_(std::make_unique<Backend>()) {}

UserRegistry::~UserRegistry() = default;

RegistryKey UserRegistry::CurrentUser() {
    return RegistryKey(this, AsHandle(HKEY_CURRENT_USER), false);
}

void UserRegistry::Commit() {
    // Each RegSetValueExA has already reached the registry, which writes
    // itself to disk lazily; the design asks for no explicit flush.
}

void UserRegistry::Release(std::uintptr_t handle) noexcept {
    ::RegCloseKey(AsKey(handle));
}

RegistryKey RegistryKey::OpenSubKey(const std::string& path) const {
    HKEY opened = nullptr;
    if (!IsOpen() || ::RegOpenKeyExA(AsKey(handle_), path.c_str(), 0, KEY_ALL_ACCESS, &opened) !=
                         ERROR_SUCCESS) {
        return {};
    }
    return RegistryKey(registry_, AsHandle(opened), true);
}

RegistryKey RegistryKey::CreateSubKey(const std::string& path) const {
    HKEY created = nullptr;
    if (!IsOpen() ||
        ::RegCreateKeyExA(AsKey(handle_), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_ALL_ACCESS, nullptr, &created, nullptr) != ERROR_SUCCESS) {
        return {};
    }
    return RegistryKey(registry_, AsHandle(created), true);
}

ValueLookup RegistryKey::QueryValue(const std::string& name, RegistryValue& value) const {
    if (!IsOpen()) {
        return ValueLookup::Failed;
    }
    DWORD type = REG_NONE;
    DWORD size = 0;
    LSTATUS status =
        ::RegQueryValueExA(AsKey(handle_), name.c_str(), nullptr, &type, nullptr, &size);
    if (status == ERROR_FILE_NOT_FOUND) {
        return ValueLookup::Missing;
    }
    for (int attempt = 0; status == ERROR_SUCCESS && attempt < kReadAttempts; ++attempt) {
        std::string data(size, '\0');
        status = ::RegQueryValueExA(AsKey(handle_), name.c_str(), nullptr, &type,
                                    reinterpret_cast<BYTE*>(data.data()), &size);
        if (status == ERROR_SUCCESS) {
            // The size of an ANSI text asked for in advance may be larger
            // than what the conversion finally gives.
            data.resize(size);
            value.type = type;
            value.data = std::move(data);
            return ValueLookup::Found;
        }
        if (status == ERROR_MORE_DATA) {
            status = ERROR_SUCCESS; // `size` now holds the new size
        }
    }
    return ValueLookup::Failed;
}

bool RegistryKey::SetValue(const std::string& name, std::uint32_t type,
                           std::string_view data) const {
    if (!IsOpen() || data.size() > MAXDWORD) {
        return false;
    }
    return ::RegSetValueExA(AsKey(handle_), name.c_str(), 0, type,
                            reinterpret_cast<const BYTE*>(data.data()),
                            static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
}

} // namespace twinvane::platform
