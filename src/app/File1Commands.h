// SPDX-License-Identifier: MIT
#pragma once

#include "SettingsStorage.h"

#include <optional>
#include <string>

namespace twinvane {

// File 1 as a file manager uses it: chosen in one folder now, compared with
// a file of another later, without a window in between.

// Stores `name`, made absolute, as File 1, writing that value alone, so
// that a window open meanwhile keeps its own changes and loses none of
// these. Raises, with the reason, when `name` is no file or the store fails.
void StoreFile1(SettingsStorage& storage, const std::string& name);

// File 1 as stored, empty when none. Raises when the store cannot be read.
std::string StoredFile1(SettingsStorage& storage);

// The caption of the file manager's item that compares a file with File 1:
// it names the file, or there is no item while File 1 is empty.
std::optional<std::string> CompareWithFile1Caption(const std::string& file1);

} // namespace twinvane
