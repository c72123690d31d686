// SPDX-License-Identifier: MIT
#include "CopyProgressDesign.h"

namespace twinvane {

const CopyProgressDesign& CopyProgressLayout() {
    static const CopyProgressDesign design{
        .title = "Twinvane",
        .text = "Copying the files to short temporary names\u2026",
        .cancel = "Cancel",
        .steps = 1000,
        // Often enough that the bar moves smoothly and the end shows at once.
        .pollMs = 50,
    };
    return design;
}

} // namespace twinvane
