// SPDX-License-Identifier: MIT
#pragma once

namespace twinvane {

// Mouse pointer shapes a control can ask for; the values are the toolkit's
// stock cursor numbers, so a stored design reads the same on every front end.
enum TCursor : int {
    crDefault = 0,
    crHandPoint = -21,
};

} // namespace twinvane
