// SPDX-License-Identifier: MIT
#include "app/RegistrySettingsStorage.h"
#include "ui/qt/DialogProvider.h"
#include "ui/qt/MainWindow.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

#include <cstdio>
#include <cstdlib>

namespace {

bool HasDisplay() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            return true;
        }
    }
    return false;
}

// The design's font where the system has it, else the desktop's own at the
// same small size, so that the fixed layout still fits.
void UseDesignFont() {
    if (QFontDatabase::hasFamily(QStringLiteral("MS Sans Serif"))) {
        QApplication::setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
        return;
    }
    QFont font = QApplication::font();
    font.setPointSize(8);
    QApplication::setFont(font);
}

} // namespace

int main(int argc, char* argv[]) {
    if (!HasDisplay()) {
        std::fputs("Twinvane needs a graphical display, and none was found.\n"
                   "Start it from a desktop session, or give it a virtual display:\n"
                   "  xvfb-run -a twinvane\n",
                   stderr);
        return EXIT_FAILURE;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Twinvane"));
    // Lets Wayland desktops match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("twinvane"));
    UseDesignFont();

    twinvane::RegistrySettingsStorage storage;
    twinvane::ui::QtDialogProvider dialogs;
    twinvane::ui::MainWindow window(storage, twinvane::platform::SystemShell(), dialogs);
    window.show();
    return QApplication::exec();
}
