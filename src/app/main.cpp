// SPDX-License-Identifier: MIT
#include "ui/qt/PlaceholderWindow.h"

#include <QApplication>

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
    twinvane::ui::PlaceholderWindow window;
    window.show();
    return QApplication::exec();
}
