// SPDX-License-Identifier: MIT
#pragma once

class QWidget;

namespace twinvane::ui {

// Moves the shown top-level `window` so that its frame is centred on the
// available area of its screen.
void PlaceCentred(QWidget& window);

} // namespace twinvane::ui
