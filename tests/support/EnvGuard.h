// SPDX-License-Identifier: MIT
#pragma once

#include "SetEnvironment.h"

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
        SetEnvironment(name_, value);
    }
    EnvGuard(const EnvGuard&) = delete;
    EnvGuard& operator=(const EnvGuard&) = delete;
    ~EnvGuard() { SetEnvironment(name_, saved_); }

private:
    std::string name_;
    std::optional<std::string> saved_;
};

} // namespace twinvane::testing
