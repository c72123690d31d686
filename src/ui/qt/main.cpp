// SPDX-License-Identifier: MIT
#include "DialogProvider.h"
#include "MainWindow.h"
#include "about/ProgramInfo.h"
#include "app/ProgramArguments.h"
#include "app/RegistrySettingsStorage.h"
#include "app/StandardError.h"
#include "platform/TerminationSignals.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QSocketNotifier>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

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

// A failure before any window, already told on the terminal: also in a box
// when a desktop started the program (three files given to "Open With", a
// file manager's menu), where nobody reads the terminal.
void ShowErrorOnDesktop(const std::string& text, char* program) {
    if (HasDisplay()) {
        int qtArgc = 1;
        const QApplication application(qtArgc, &program);
        QApplication::setApplicationName(QString::fromUtf8(twinvane::kProgramTitle));
        twinvane::ui::QtDialogProvider().ShowErrorBox(nullptr, QString::fromStdString(text));
    }
}

// --file1 and --print-file1: the settings alone, no display needed.
int RunFile1Command(const twinvane::ProgramArguments& arguments, char* program) {
    twinvane::RegistrySettingsStorage storage;
    try {
        if (arguments.action == twinvane::ProgramArguments::Action::StoreFile1) {
            twinvane::StoreFile1(storage, arguments.files.front());
        } else {
            std::puts(twinvane::StoredFile1(storage).c_str());
        }
        return EXIT_SUCCESS;
    } catch (const std::exception& error) {
        const std::string text = twinvane::StandardErrorText(error.what());
        std::fprintf(stderr, "twinvane: %s\n", text.c_str());
        ShowErrorOnDesktop(text, program);
        return EXIT_FAILURE;
    }
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
        ShowErrorOnDesktop(twinvane::RefusalText(arguments.message), argv[0]);
        return twinvane::kExitUsage;
    case Action::StoreFile1:
    case Action::PrintFile1:
        return RunFile1Command(arguments, argv[0]);
    case Action::Run:
    case Action::Compare:
    case Action::CompareWithFile1:
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
    window.Presenter().SetCommandLine(arguments);
    // Logout or kill closes the window as the user would, so the settings are saved.
    twinvane::platform::TerminationSignals termination;
    QSocketNotifier notifier(termination.Descriptor(), QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, &window, [&] {
        termination.Acknowledge();
        window.EndRequested();
    });
    if (arguments.action == Action::Run) {
        window.show();
    } else {
        QTimer::singleShot(0, &window, [&window] { window.CompareFromCommandLine(); });
    }
    return QApplication::exec();
}
