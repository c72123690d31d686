// SPDX-License-Identifier: MIT
#include "WindowPlacement.h"

#include <QScreen>
#include <QWidget>

namespace twinvane::ui {

void PlaceCentred(QWidget& window) {
    if (const QScreen* current = window.screen()) {
        QRect outer = window.frameGeometry();
        outer.moveCenter(current->availableGeometry().center());
        window.move(outer.topLeft());
    }
}

} // namespace twinvane::ui
