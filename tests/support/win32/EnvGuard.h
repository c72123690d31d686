// SPDX-License-Identifier: MIT
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace twinvane::testing {

// Sets (or, with nullopt, unsets) one environment variable for the life of
// the guard and restores the old value afterwards, whatever the test did.
class EnvGuard {
public:
    EnvGuard(std::string name, const std::optional<std::string>& value) : name_(std::move(name)) {
        if (const char* old = std::getenv(name_.c_str())) {
            saved_ = old;
        }
        Set(value);
    }
    EnvGuard(const EnvGuard&) = delete;
    EnvGuard& operator=(const EnvGuard&) = delete;
    ~EnvGuard() { Set(saved_); }

private:
    void Set(const std::optional<std::string>& value) {
        ::_putenv_s(name_.c_str(), value ? value->c_str() : "");
    }

    std::string name_;
    std::optional<std::string> saved_;
};

} // namespace twinvane::testing
