// SPDX-License-Identifier: MIT
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace twinvane::testing {

// Sets one environment variable, or unsets it for nullopt.
inline void SetEnvironment(const std::string& name, const std::optional<std::string>& value) {
    ::_putenv_s(name.c_str(), value ? value->c_str() : "");
}

} // namespace twinvane::testing
