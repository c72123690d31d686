// SPDX-License-Identifier: MIT
// Starts either Twinvane's main window ("twinvane": settings loaded and the
// readiness check done) or a bare Qt window with the same widgets ("bare"),
// and quits as soon as the window is up. StartupBench times the process.
#include "app/RegistrySettingsStorage.h"
#include "ui/qt/DialogProvider.h"
#include "ui/qt/MainWindow.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

#include <cstring>

namespace {

void BuildBareWindow(QMainWindow& window) {
    window.setWindowTitle(QStringLiteral("Twinvane"));
    window.setCentralWidget(new QWidget(&window));
    const char* buttons[] = {"Select File 1", "Select File 2", "Select Files", "Compare"};
    for (int i = 0; i < 4; ++i) {
        auto* button = new QPushButton(QString::fromLatin1(buttons[i]), window.centralWidget());
        button->setGeometry(24, 24 + 32 * i, 105, 25);
    }
    const char* file[] = {"Select File 1", "Select File 2", "Select Files",
                          "Compare",       "Save Files",    "Exit"};
    QMenu* fileMenu = window.menuBar()->addMenu(QStringLiteral("File"));
    for (const char* item : file) {
        fileMenu->addAction(QString::fromLatin1(item));
    }
    QMenu* options = window.menuBar()->addMenu(QStringLiteral("Options"));
    for (const char* item : {"Locate Windiff", "Clear File List", "Delete temporary Files "}) {
        options->addAction(QString::fromLatin1(item));
    }
    QMenu* help = window.menuBar()->addMenu(QStringLiteral("&Help"));
    for (const char* item : {"&Help", "&About", "e-mail Varnook", "Varnook on the Web"}) {
        help->addAction(QString::fromLatin1(item));
    }
    for (int i = 0; i < 3; ++i) {
        window.statusBar()->addWidget(new QLabel(QStringLiteral("File"), window.statusBar()),
                                      i == 2);
    }
    window.resize(544, 255);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const bool bare = argc > 1 && std::strcmp(argv[1], "bare") == 0;
    if (bare) {
        QMainWindow window;
        BuildBareWindow(window);
        window.show();
        QTimer::singleShot(0, &application, &QApplication::quit);
        return QApplication::exec();
    }
    twinvane::RegistrySettingsStorage storage;
    twinvane::ui::QtDialogProvider dialogs;
    twinvane::ui::MainWindow window(storage, twinvane::platform::SystemShell(), dialogs);
    window.show(); // queues the start-up work, which runs before the quit below
    QTimer::singleShot(0, &application, &QApplication::quit);
    QApplication::exec();
    return window.Presenter().HelpFile().empty() ? 1 : 0;
}
