// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <string>

namespace twinvane {

// The two names the temporary copies take, in the order of the files.
std::array<std::string, 2> TemporaryNames();

// True for a name the clean-up may delete: one of the temporary copies, or
// a file directly in c:\temp\ (in any letter case), which the clean-up
// question names. Nothing else is ever deleted on the clean-up's behalf.
bool IsCleanUpName(const std::string& path);

} // namespace twinvane
