// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace twinvane {

// The dialog that shows a long copy to the temporary names: a text, a bar
// and one button that cancels, reached with Escape and Enter alike.
struct CopyProgressDesign {
    std::string title;
    std::string text;
    std::string cancel;
    int steps = 0;  // the bar runs from 0 to this
    int pollMs = 0; // how often a view looks at the copies while it waits
};

const CopyProgressDesign& CopyProgressLayout();

} // namespace twinvane
