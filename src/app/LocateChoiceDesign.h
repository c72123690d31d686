// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace twinvane {

// The first step of Locate Windiff: the diff programs found on this system,
// each with its path, then browsing for another program file.
struct LocateChoiceDesign {
    std::string title;
    std::string instruction;
    std::string listName; // names the list for screen readers
    std::string browse;   // with its mnemonic
    std::string browseNote;
    std::string cancel;
};

const LocateChoiceDesign& LocateChoiceLayout();

} // namespace twinvane
