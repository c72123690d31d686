// SPDX-License-Identifier: MIT
#pragma once

#include <QMainWindow>

namespace twinvane::ui {

// Stands in for the main window until it exists.
class PlaceholderWindow : public QMainWindow {
public:
    explicit PlaceholderWindow(QWidget* parent = nullptr);
};

} // namespace twinvane::ui
