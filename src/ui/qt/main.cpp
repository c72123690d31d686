// SPDX-License-Identifier: MIT
#include "DialogProvider.h"
#include "MainWindow.h"
#include "about/ProgramInfo.h"
#include "app/ProgramArguments.h"
#include "app/RegistrySettingsStorage.h"
#include "platform/TerminationSignals.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QSocketNotifier>

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
    const auto& design = twinvane::MainWindowLayout();
    const QString family = QString::fromStdString(design.fontFamily);
    if (QFontDatabase::hasFamily(family)) {
        QApplication::setFont(QFont(family, design.fontPointSize));
        return;
    }
    QFont font = QApplication::font();
    font.setPointSize(design.fontPointSize);
    QApplication::setFont(font);
}

} // namespace

int main(int argc, char* argv[]) {
    // Read before Qt starts, so that --help and --version need no display.
    using Action = twinvane::ProgramArguments::Action;
    const auto arguments = twinvane::ParseProgramArguments({argv + 1, argv + argc});
    switch (arguments.action) {
    case Action::ShowHelp:
        std::fputs(twinvane::UsageText().c_str(), stdout);
        return EXIT_SUCCESS;
    case Action::ShowVersion:
        std::fputs(twinvane::VersionText().c_str(), stdout);
        return EXIT_SUCCESS;
    case Action::Refuse:
        std::fprintf(stderr, "twinvane: %s\n%s\n", arguments.message.c_str(),
                     twinvane::kTryHelpText);
        if (HasDisplay()) {
            // Started from a desktop (three files given to "Open With"),
            // nobody reads the terminal.
            int qtArgc = 1;
            const QApplication application(qtArgc, argv);
            QApplication::setApplicationName(QString::fromUtf8(twinvane::kProgramTitle));
            twinvane::ui::QtDialogProvider().ShowErrorBox(
                nullptr, QString::fromStdString(twinvane::RefusalText(arguments.message)));
        }
        return twinvane::kExitUsage;
    case Action::Run:
        break;
    }
    if (!HasDisplay()) {
        std::fputs("Twinvane needs a graphical display, and none was found.\n"
                   "Start it from a desktop session, or give it a virtual display:\n"
                   "  xvfb-run -a twinvane\n",
                   stderr);
        return EXIT_FAILURE;
    }
    // Qt sees the program's name only: the file names are Twinvane's, and a
    // name such as "-style" must not be taken as one of Qt's options.
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    QApplication::setApplicationName(QString::fromUtf8(twinvane::kProgramTitle));
    // Lets Wayland desktops match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("twinvane"));
    UseDesignFont();

    twinvane::RegistrySettingsStorage storage;
    twinvane::ui::QtDialogProvider dialogs;
    twinvane::ui::MainWindow window(storage, twinvane::platform::SystemShell(), dialogs);
    window.Presenter().SetCommandLineFiles(arguments.files);
    // Logout or kill closes the window as the user would, so the settings are saved.
    twinvane::platform::TerminationSignals termination;
    QSocketNotifier notifier(termination.Descriptor(), QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, &window, [&] {
        termination.Acknowledge();
        window.EndRequested();
    });
    window.show();
    return QApplication::exec();
}
