// SPDX-License-Identifier: MIT
#include "settings/RegistrySandbox.h"

#include "settings/Settings.h"

#include <windows.h>

#include <random>
#include <stdexcept>

namespace twinvane::testing {
namespace {

bool KeyExists(const std::string& path) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    ::RegCloseKey(key);
    return true;
}

std::string OwnSection() {
    std::random_device seed;
    return std::string(kSettingsSection) + " Test " + std::to_string(::GetCurrentProcessId()) +
           "-" + std::to_string(seed());
}

} // namespace

// Removes the sandbox's key, and the maker's key above it when nothing
// else is left in it.
class RegistrySandbox::Place {
public:
    explicit Place(std::string key) : key_(std::move(key)) {}
    Place(const Place&) = delete;
    Place& operator=(const Place&) = delete;
    ~Place() {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, key_.c_str());
        // RegDeleteKeyA leaves a key that still has subkeys alone.
        ::RegDeleteKeyA(HKEY_CURRENT_USER, key_.substr(0, key_.rfind('\\')).c_str());
    }

private:
    std::string key_;
};

RegistrySandbox::RegistrySandbox(Section section)
    : section_(section == Section::UserSettings ? std::string(kSettingsSection) : OwnSection()) {
    const std::string key = "Software\\" + section_;
    if (KeyExists(key)) {
        throw std::runtime_error("HKEY_CURRENT_USER\\" + key +
                                 " already exists; the tests leave existing settings alone");
    }
    place_ = std::make_unique<Place>(key);
}

RegistrySandbox::~RegistrySandbox() = default;

} // namespace twinvane::testing
