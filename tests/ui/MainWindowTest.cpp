// SPDX-License-Identifier: MIT
#include "ui/qt/MainWindow.h"
#include "ScriptedDialogs.h"
#include "about/ProgramInfo.h"
#include "app/FakeMainView.h"
#include "support/EnvGuard.h"
#include "support/TempFolder.h"
#include "ui/qt/DroppedFiles.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPixmap>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace twinvane;

namespace {

const MainWindowDesign& Design() {
    return MainWindowLayout();
}

// A "text/uri-list" naming `paths`, each byte outside the unreserved
// characters percent-encoded, as file managers send it.
QByteArray UriList(const std::vector<std::string>& paths) {
    QByteArray list;
    for (const std::string& path : paths) {
        list += "file://" + QByteArray::fromStdString(path).toPercentEncoding("/") + "\r\n";
    }
    return list;
}

// What assistive technology reads of `object`.
QString AccessibleText(QObject* object, QAccessible::Text which) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
    return face != nullptr ? face->text(which) : QStringLiteral("<not accessible>");
}

} // namespace

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
        // Items run their command once the trigger has returned.
        void Trigger(const char* name) {
            Find<QAction>(name)->trigger();
            QCoreApplication::processEvents();
        }
        QString Panel(int i) {
            // The whole text; the panel itself may show it elided.
            return Find<QLabel>(Design().panels[static_cast<std::size_t>(i)].name.c_str())
                ->toolTip();
        }
    };

private slots:
    void opensAtTheDesignSizeWithItsTitle() {
        Fixture f;
        f.Show();
        QCOMPARE(f.window->windowTitle(), QString::fromStdString(Design().caption));
        QCOMPARE(f.window->frameGeometry().size(),
                 QSize(Design().outerWidth, Design().outerHeight));
        QCOMPARE(f.window->objectName(), QString::fromStdString(Design().name));
    }

    // Every button, menu, item and panel is as its description says: texts
    // and states as the window opens, places once it is shown.
    void builtFromTheDescriptions() {
        Fixture f;
        QCOMPARE(f.window->menuBar()->objectName(), QString::fromStdString(Design().menuBarName));
        const QList<QAction*> menus = f.window->menuBar()->actions();
        QCOMPARE(menus.size(), static_cast<qsizetype>(Design().menus.size()));
        for (qsizetype m = 0; m < menus.size(); ++m) {
            const MenuDesign& menu = Design().menus[static_cast<std::size_t>(m)];
            QCOMPARE(menus[m]->text(), QString::fromStdString(menu.caption));
            QCOMPARE(menus[m]->menu()->objectName(), QString::fromStdString(menu.name));
            const QList<QAction*> items = menus[m]->menu()->actions();
            QCOMPARE(items.size(), static_cast<qsizetype>(menu.items.size()));
            for (qsizetype i = 0; i < items.size(); ++i) {
                const MenuItemDesign& want = menu.items[static_cast<std::size_t>(i)];
                QCOMPARE(items[i]->objectName(), QString::fromStdString(want.name));
                QCOMPARE(items[i]->isSeparator(), want.separator);
                if (!want.separator) {
                    QCOMPARE(items[i]->text(), QString::fromStdString(want.caption));
                    QCOMPARE(items[i]->shortcut().toString(),
                             QString::fromStdString(want.shortcut ? ShortcutText(*want.shortcut)
                                                                  : std::string()));
                    QCOMPARE(items[i]->isCheckable(), want.checkable);
                    QCOMPARE(items[i]->isEnabled(), want.enabledAtStart);
                }
            }
        }

        QCOMPARE(f.window->statusBar()->objectName(),
                 QString::fromStdString(Design().statusBarName));
        for (const StatusPanelDesign& p : Design().panels) {
            auto* panel = f.Find<QLabel>(p.name.c_str());
            QVERIFY2(panel != nullptr, p.name.c_str());
            QCOMPARE(panel->parentWidget(), f.window->statusBar());
            QCOMPARE(panel->toolTip(), QString::fromStdString(p.initialText));
            QCOMPARE(AccessibleText(panel, QAccessible::Name),
                     QString::fromStdString(p.initialText));
            QCOMPARE(AccessibleText(panel, QAccessible::Description),
                     QString::fromStdString(p.accessibleDescription));
        }

        f.Show();
        for (const ButtonDesign& b : Design().buttons) {
            auto* button = f.Find<QPushButton>(b.name.c_str());
            QVERIFY2(button != nullptr, b.name.c_str());
            QCOMPARE(button->text(), QString::fromStdString(b.caption));
            QCOMPARE(button->geometry(), QRect(b.left, b.top, b.width, b.height));
            QCOMPARE(button->toolTip(), QString::fromStdString(b.tooltip));
            QCOMPARE(button->isEnabled(), b.enabledAtStart); // no setting makes a file exist
            QCOMPARE(button->parentWidget(), f.window->centralWidget());
        }
        // Button places are measured below the menu bar.
        QVERIFY(f.window->centralWidget()->y() >= f.window->menuBar()->height());

        QCOMPARE(f.window->statusBar()->height(), Design().statusBarHeight);
        int left = 0;
        for (const StatusPanelDesign& p : Design().panels) {
            const auto* panel = f.Find<QLabel>(p.name.c_str());
            QVERIFY(panel->x() >= left); // left to right, in their order
            left = panel->x() + panel->width();
            if (p.fillsRest) {
                QCOMPARE(left, f.window->statusBar()->width());
            } else {
                QCOMPARE(panel->width(), p.width);
            }
        }
    }

    void startupLoadsOnceAndShowsReadiness() {
        Fixture f;
        f.Show();
        QCOMPARE(f.storage.loads, 1);
        QCOMPARE(f.Panel(2), QStringLiteral("CAN'T FIND WINDIFF"));
        // A status text never widens the window.
        QCOMPARE(f.window->frameGeometry().size(),
                 QSize(Design().outerWidth, Design().outerHeight));
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
        f.Trigger("SelectFile21");
        QCOMPARE(f.dialogs.fileRequests.back().title, std::string("Select File 2"));
        QCOMPARE(f.Panel(2), QStringLiteral("READY"));
        QVERIFY(f.Find<QPushButton>("Compare2")->isEnabled());
        QVERIFY(f.Find<QAction>("Compare1")->isEnabled());

        QTest::mouseClick(f.Find<QPushButton>("Compare2"), Qt::LeftButton);
        QCOMPARE(f.shell.requests.size(), std::size_t{1});

        f.Trigger("SaveFiles1");
        QCOMPARE(f.storage.saves, 1);
        f.Trigger("Deletetemps");
        QVERIFY(!f.Find<QAction>("Deletetemps")->isChecked());
        QVERIFY(!f.window->Presenter().State().Stored.DeleteTemps);

        f.dialogs.fileAnswers = {QString()};
        const testing::TempFolder noPrograms; // no diff program found: the file dialog at once
        const testing::EnvGuard path("PATH", noPrograms.Path().string());
        const std::size_t asked = f.dialogs.fileRequests.size();
        // The dialog waits for the trigger to return.
        f.Find<QAction>("LocateWwindiff1")->trigger();
        QCOMPARE(f.dialogs.fileRequests.size(), asked);
        QCoreApplication::processEvents();
        QCOMPARE(f.dialogs.fileRequests.back().title, std::string("Locate Windiff"));
        QCOMPARE(f.dialogs.fileRequests.back().initialFolder, std::string("/usr/bin"));

        f.Trigger("ClearFileList1");
        QCOMPARE(f.storage.stored.File1, std::string());

        f.Trigger("emailVarnook1");
        f.Trigger("VarnookontheWeb1");
        QCOMPARE(f.shell.requests.size(), std::size_t{3});
        QCOMPARE(f.shell.requests[1].file, std::string("mailto:support@varnook.example.com"));
        QCOMPARE(f.shell.requests[2].file, std::string("https://www.varnook.example.com/"));

        f.Trigger("Exit1");
        QVERIFY(!f.window->isVisible());
        QCOMPARE(f.storage.saves, 3);
    }

    // A termination signal while the length question is open: the box closes,
    // nothing starts, and the window closes and saves as the user's close.
    void endRequestedDuringAQuestionStartsNothingAndCloses() {
        testing::TempFolder temp;
        const std::string file1 = temp / (std::string(40, 'a') + ".txt");
        const std::string file2 = temp / (std::string(40, 'b') + ".txt");
        testing::WriteFile(file1, "a");
        testing::WriteFile(file2, "b");
        testing::WriteFile(temp / "diff", "program");
        Fixture f;
        f.storage.stored.File1 = file1;
        f.storage.stored.File2 = file2;
        f.storage.stored.WinDiffPath = temp / "diff";
        f.Show();
        f.dialogs.whileAsking = [&] {
            f.window->EndRequested();
        };
        f.dialogs.messageAnswers = {MessageButton::Cancel}; // as a closed box answers
        QTest::mouseClick(f.Find<QPushButton>("Compare2"), Qt::LeftButton);
        QCoreApplication::processEvents();

        QCOMPARE(f.dialogs.messages.size(), 1);
        QVERIFY(f.shell.requests.empty());
        QVERIFY(!f.window->isVisible());
        QCOMPARE(f.storage.saves, 1);
        QCOMPARE(f.storage.stored.File1, file1);
    }

    void escapedErrorsReachTheStandardErrorBox() {
        Fixture f;
        f.Show();
        f.storage.failSave = true;
        f.Trigger("SaveFiles1");
        QCOMPARE(f.dialogs.errorBoxes, QStringList{"Failed to set data for 'Install'"});
        f.window->close();
        QCOMPARE(f.dialogs.plainMessages,
                 QStringList{"Unable to save files\rFailed to set data for 'Install'"});
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
        f.Trigger("About2");
        QCOMPARE(versionLine, QStringLiteral("Version ") + QString::fromUtf8(kProgramVersion));
        QCOMPARE(outer.width(), 160);
        QVERIFY(f.dialogs.errorBoxes.isEmpty());
    }

    void droppedNamesAreTheLocalFilesOfTheUriList_data() {
        QTest::addColumn<QByteArray>("uriList");
        QTest::addColumn<QStringList>("names"); // as Latin-1, one character a byte
        QTest::newRow("not UTF-8") << QByteArray("file:///tmp/a%FF%E9.txt\r\n")
                                   << QStringList{QString::fromLatin1("/tmp/a\xFF\xE9.txt")};
        QTest::newRow("two, a comment, a blank")
            << QByteArray("# from a file manager\r\nfile:///tmp/a%20b\r\n\r\n"
                          "file://localhost/tmp/%C3%A9")
            << QStringList{QStringLiteral("/tmp/a b"), QString::fromLatin1("/tmp/\xC3\xA9")};
        QTest::newRow("another host") << QByteArray("file://server/tmp/a\r\n") << QStringList{};
        QTest::newRow("a web address among files")
            << QByteArray("file:///tmp/a\r\nhttps://example.com/b\r\n") << QStringList{};
    }

    void droppedNamesAreTheLocalFilesOfTheUriList() {
        QFETCH(QByteArray, uriList);
        QFETCH(QStringList, names);
        QMimeData data;
        data.setData(QStringLiteral("text/uri-list"), uriList);
        std::vector<std::string> expected;
        for (const QString& name : names) {
            expected.push_back(name.toLatin1().toStdString());
        }
        QCOMPARE(ui::DroppedFiles(&data), expected);
    }

    // Names that are not UTF-8 reach the state byte for byte, whether two
    // files are dropped on the window or one on a selector button.
    void droppedFilesKeepTheExactBytesOfTheirNames() {
        testing::TempFolder temp;
        const std::string first = temp / "one\xFF.txt";
        const std::string second = temp / "two\xE9 \x80.txt";
        testing::WriteFile(first, "1");
        testing::WriteFile(second, "2");
        Fixture f;
        f.Show();
        const auto drop = [&](const std::vector<std::string>& paths, QPoint at) {
            QMimeData data;
            data.setData(QStringLiteral("text/uri-list"), UriList(paths));
            // Qt hands a drop to the widget that accepted the drag's entry.
            QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(f.window.get(), &enter);
            QVERIFY(enter.isAccepted());
            QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(f.window.get(), &drop);
        };
        drop({second, first}, QPoint(400, 100));
        QCOMPARE(f.window->Presenter().State().Stored.File1, second);
        QCOMPARE(f.window->Presenter().State().UserFile2, first);

        const auto* button2 = f.Find<QPushButton>("Button2");
        drop({second}, button2->mapTo(f.window.get(), button2->rect().center()));
        QCOMPARE(f.window->Presenter().State().Stored.File2, second);
    }

    void longNamesKeepTheirEndInViewAndControlsShowVisibly() {
        testing::TempFolder temp;
        const std::string name = temp / (std::string(200, 'x') + "\nend of the name.txt");
        testing::WriteFile(name, "1");
        Fixture f;
        f.Show();
        f.dialogs.fileAnswers = {QString::fromStdString(name)};
        QTest::mouseClick(f.Find<QPushButton>("File1Btn"), Qt::LeftButton);
        QCOMPARE(f.window->Presenter().State().Stored.File1, name); // the exact bytes stay
        auto* panel = f.Find<QLabel>(Design().panels[0].name.c_str());
        const QString whole =
            QString::fromStdString(name).replace(u'\n', QChar::ReplacementCharacter);
        QCOMPARE(panel->toolTip(), whole);
        QCOMPARE(AccessibleText(panel, QAccessible::Name), whole); // not the elided one
        QVERIFY2(panel->text().endsWith(QStringLiteral("name.txt")), qPrintable(panel->text()));
        QVERIFY(panel->text().contains(QChar(0x2026)));
        QVERIFY(!panel->text().contains(u'\n'));
        QVERIFY(panel->fontMetrics().horizontalAdvance(panel->text()) <=
                panel->contentsRect().width());

        const qsizetype shown = panel->text().size();
        panel->setFixedWidth(panel->width() * 3); // more room, more of the name shown
        QTRY_VERIFY(panel->text().size() > shown);
        QVERIFY(panel->text().endsWith(QStringLiteral("name.txt")));
    }

    // The two items behind the separator: the check mark follows the
    // presenter, and the arguments dialog's answer is stored.
    void shortCopiesAndArgumentsItemsRunTheirCommands() {
        Fixture f;
        f.storage.stored.ShortNames = false;
        f.Show();
        auto* shortNames = f.Find<QAction>("ShortNames1");
        QVERIFY(shortNames->isCheckable());
        QVERIFY(!shortNames->isChecked());
        f.Trigger("ShortNames1");
        QVERIFY(shortNames->isChecked());
        QVERIFY(f.window->Presenter().State().Stored.ShortNames);

        f.dialogs.argumentAnswers = {QStringLiteral("/base:\"%1\" /mine:\"%2\"")};
        f.Trigger("DiffProgramArguments1");
        QCOMPARE(f.dialogs.argumentsShown, QStringList({QStringLiteral("\"%1\" \"%2\"")}));
        QCOMPARE(f.storage.stored.WinDiffArgs, std::string("/base:\"%1\" /mine:\"%2\""));
        QCOMPARE(f.storage.stored.ShortNames, true); // saved with the rest
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
