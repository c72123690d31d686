// SPDX-License-Identifier: MIT
#include "ui/qt/MainWindow.h"
#include "ScriptedDialogs.h"
#include "app/FakeMainView.h"
#include "support/TempFolder.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace twinvane;

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    struct Fixture {
        testing::FakeSettingsStorage storage;
        testing::RecordingLauncher shell;
        testing::ScriptedDialogs dialogs;
        std::unique_ptr<ui::MainWindow> window;

        Fixture() { window = std::make_unique<ui::MainWindow>(storage, shell, dialogs); }
        void Show() {
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window.get()));
            QCoreApplication::processEvents(); // the queued start-up work
        }
        template <typename T> T* Find(const char* name) {
            return window->findChild<T*>(QString::fromLatin1(name));
        }
        QString Panel(int i) { return Find<QLabel>(("Panel" + std::to_string(i)).c_str())->text(); }
    };

private slots:
    void opensAtTheDesignSizeWithItsTitle() {
        Fixture f;
        f.Show();
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Twinvane"));
        QCOMPARE(f.window->frameGeometry().size(), QSize(544, 255));
        QCOMPARE(f.window->objectName(), QStringLiteral("Twinvane"));
    }

    void buttonsStandWhereTheDesignPutsThem() {
        Fixture f;
        f.Show();
        const struct {
            const char* name;
            const char* text;
            QRect geometry;
        } buttons[] = {
            {"File1Btn", "Select File 1", QRect(24, 24, 105, 25)},
            {"Button2", "Select File 2", QRect(24, 56, 105, 25)},
            {"Button1", "Select Files", QRect(24, 88, 105, 25)},
            {"Compare2", "Compare", QRect(24, 120, 105, 25)},
        };
        for (const auto& b : buttons) {
            auto* button = f.Find<QPushButton>(b.name);
            QVERIFY2(button != nullptr, b.name);
            QCOMPARE(button->text(), QString::fromLatin1(b.text));
            QCOMPARE(button->geometry(), b.geometry);
            QVERIFY(!button->toolTip().isEmpty());
        }
        // Measured below the menu bar.
        QCOMPARE(f.Find<QPushButton>("File1Btn")->parentWidget(), f.window->centralWidget());
        QVERIFY(f.window->centralWidget()->y() >= f.window->menuBar()->height());
    }

    void compareStartsDisabledAndStatusBarHasThreePanels() {
        Fixture f;
        QVERIFY(!f.Find<QPushButton>("Compare2")->isEnabled());
        QVERIFY(!f.Find<QAction>("Compare1")->isEnabled());
        QCOMPARE(f.Panel(0), QStringLiteral("File 1"));
        QCOMPARE(f.Panel(1), QStringLiteral("File 2"));
        QCOMPARE(f.Panel(2), QString());
        QCOMPARE(f.Find<QLabel>("Panel0")->width(), 200);
        QCOMPARE(f.Find<QLabel>("Panel1")->width(), 200);
        QCOMPARE(f.window->statusBar()->height(), 25);
    }

    void menusHoldEveryItemInOrder() {
        Fixture f;
        const QList<QAction*> menus = f.window->menuBar()->actions();
        QCOMPARE(menus.size(), 3);
        QCOMPARE(menus[0]->text(), QStringLiteral("File"));
        QCOMPARE(menus[1]->text(), QStringLiteral("Options"));
        QCOMPARE(menus[2]->text(), QStringLiteral("&Help"));
        const auto captions = [](QAction* menu) {
            QStringList texts;
            for (QAction* item : menu->menu()->actions()) {
                texts << (item->isSeparator() ? QStringLiteral("-") : item->text());
            }
            return texts;
        };
        QCOMPARE(captions(menus[0]), QStringList({"Select File 1", "Select File 2", "Select Files",
                                                  "Compare", "Save Files", "-", "Exit"}));
        QCOMPARE(captions(menus[1]),
                 QStringList({"Locate Windiff", "Clear File List", "Delete temporary Files "}));
        QVERIFY(f.Find<QAction>("Deletetemps")->isCheckable());
        QCOMPARE(captions(menus[2]),
                 QStringList({"&Help", "&About", "-", "e-mail Varnook", "Varnook on the Web"}));
    }

    void startupLoadsOnceAndShowsReadiness() {
        Fixture f;
        f.Show();
        QCOMPARE(f.storage.loads, 1);
        QCOMPARE(f.Panel(2), QStringLiteral("CAN'T FIND WINDIFF"));
        // A status text never widens the window.
        QCOMPARE(f.window->frameGeometry().size(), QSize(544, 255));
        QVERIFY(f.Find<QAction>("Deletetemps")->isChecked());
        f.window->activateWindow();
        QCoreApplication::processEvents();
        QCOMPARE(f.storage.loads, 1);
    }

    void buttonsAndItemsReachTheirHandlers() {
        testing::TempFolder temp;
        testing::WriteFile(temp / "a.txt", "a");
        testing::WriteFile(temp / "b.txt", "b");
        testing::WriteFile(temp / "diff", "program");
        Fixture f;
        f.storage.stored.WinDiffPath = temp / "diff";
        f.Show();

        f.dialogs.fileAnswers = {QString::fromStdString(temp / "a.txt")};
        QTest::mouseClick(f.Find<QPushButton>("File1Btn"), Qt::LeftButton);
        QCOMPARE(f.dialogs.fileRequests.back().title, std::string("Select File 1"));
        QCOMPARE(f.Panel(0), QString::fromStdString(temp / "a.txt"));

        f.dialogs.fileAnswers = {QString::fromStdString(temp / "b.txt")};
        f.Find<QAction>("SelectFile21")->trigger();
        QCOMPARE(f.dialogs.fileRequests.back().title, std::string("Select File 2"));
        QCOMPARE(f.Panel(2), QStringLiteral("READY"));
        QVERIFY(f.Find<QPushButton>("Compare2")->isEnabled());
        QVERIFY(f.Find<QAction>("Compare1")->isEnabled());

        QTest::mouseClick(f.Find<QPushButton>("Compare2"), Qt::LeftButton);
        QCOMPARE(f.shell.requests.size(), std::size_t{1});

        f.Find<QAction>("SaveFiles1")->trigger();
        QCOMPARE(f.storage.saves, 1);
        f.Find<QAction>("Deletetemps")->trigger();
        QVERIFY(!f.Find<QAction>("Deletetemps")->isChecked());
        QVERIFY(!f.window->Presenter().State().DeleteTemps);

        f.dialogs.fileAnswers = {QString()};
        f.Find<QAction>("LocateWwindiff1")->trigger();
        QCOMPARE(f.dialogs.fileRequests.back().title, std::string("Locate Windiff"));
        QCOMPARE(f.dialogs.fileRequests.back().initialFolder, std::string("/usr/bin"));

        f.Find<QAction>("ClearFileList1")->trigger();
        QCOMPARE(f.storage.stored.File1, std::string());

        f.Find<QAction>("emailVarnook1")->trigger();
        f.Find<QAction>("VarnookontheWeb1")->trigger();
        QCOMPARE(f.shell.requests.size(), std::size_t{3});
        QCOMPARE(f.shell.requests[1].file, std::string("mailto:support@varnook.example.com"));
        QCOMPARE(f.shell.requests[2].file, std::string("https://www.varnook.example.com/"));
        QVERIFY(!f.Find<QWidget>("Panel1")->isVisible());

        f.Find<QAction>("Exit1")->trigger();
        QVERIFY(!f.window->isVisible());
        QCOMPARE(f.storage.saves, 3);
    }

    void escapedErrorsReachTheStandardErrorBox() {
        Fixture f;
        f.Show();
        f.storage.failSave = true;
        f.Find<QAction>("SaveFiles1")->trigger();
        QCOMPARE(f.dialogs.errorBoxes, QStringList{"Failed to set data for 'Install'"});
        f.window->close();
        QCOMPARE(f.dialogs.plainMessages, QStringList{"Unable to save files"});
        QVERIFY(!f.window->isVisible());
    }

    // Also leaves the picture of a first run for the documentation when
    // TWINVANE_SCREENSHOT_DIR names a folder.
    void firstRunWindowRendersWholly() {
        Fixture f;
        f.Show();
        const QPixmap picture = f.window->grab();
        QCOMPARE(picture.size(), f.window->size());
        const QString folder = qEnvironmentVariable("TWINVANE_SCREENSHOT_DIR");
        if (!folder.isEmpty()) {
            QVERIFY(picture.save(folder + QStringLiteral("/main-window.png")));
        }
    }

    void aboutItemShowsTheAboutBoxOfTheRunningProgram() {
        Fixture f;
        f.Show();
        QString versionLine;
        QSize outer;
        QTimer::singleShot(50, [&] {
            QWidget* box = QApplication::activeModalWidget();
            QVERIFY(box != nullptr);
            outer = box->frameGeometry().size();
            if (auto* line = box->findChild<QLabel*>(QStringLiteral("WVersion"))) {
                versionLine = line->text();
            }
            box->close();
        });
        f.Find<QAction>("About2")->trigger();
        QCOMPARE(versionLine, QStringLiteral("Version 1.4.0.1"));
        QCOMPARE(outer.width(), 160);
        QVERIFY(f.dialogs.errorBoxes.isEmpty());
    }

    void keyboardReachesTheCommands() {
        Fixture f;
        f.Show();
        QCOMPARE(f.Find<QAction>("SelectFile11")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_1));
        QVERIFY(!f.Find<QAction>("Exit1")->shortcut().isEmpty());
        QVERIFY(!f.Find<QAction>("Compare1")->shortcut().isEmpty());
        QCOMPARE(f.Find<QLabel>("Panel2")->accessibleName(), QStringLiteral("Status"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
