// SPDX-License-Identifier: MIT
#include "PlaceholderWindow.h"

#include <QLabel>

namespace twinvane::ui {

PlaceholderWindow::PlaceholderWindow(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Twinvane"));
    setCentralWidget(new QLabel(QStringLiteral("Twinvane"), this));
    resize(544, 255);
}

} // namespace twinvane::ui
