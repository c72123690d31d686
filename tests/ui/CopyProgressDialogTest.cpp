// SPDX-License-Identifier: MIT
#include "ScriptedDialogs.h"
#include "app/CopyProgressDesign.h"
#include "app/FakeMainView.h"
#include "platform/DesktopPlaces.h"
#include "platform/FileSystem.h"
#include "support/EnvGuard.h"
#include "support/TempFolder.h"
#include "ui/qt/MainWindow.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <memory>

using namespace twinvane;

namespace {

constexpr std::uint64_t kLargeSize = std::uint64_t{8} << 30;

// Counts the paint events `watched` receives.
class PaintCounter final : public QObject {
public:
    explicit PaintCounter(QWidget* watched) { watched->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

// What the user sees of the progress dialog while it is up.
struct Sighting {
    bool shown = false;
    QString title;
    QString label;
    QString labelReads; // what a screen reader reads of the label
    QString cancel;
    int value = -1;
    bool repainted = false;
};

} // namespace

class CopyProgressDialogTest : public QObject {
    Q_OBJECT

private slots:
    void longCopyShowsProgressRepaintsAndCancelLeavesNothing_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Escape") << int(Qt::Key_Escape);
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("end of the session") << 0; // closes the window as well
    }

    // A copy far too long to end during the test: the dialog comes, the
    // window under it repaints, and the key cancels the copy, which leaves
    // no copy and everything as the Abort of the length question would.
    void longCopyShowsProgressRepaintsAndCancelLeavesNothing() {
        QFETCH(int, key);
        testing::TempFolder temp;
        testing::TempFolder runtime;
        testing::EnvGuard runtimeFolder{"XDG_RUNTIME_DIR", runtime.Path().string()};
        const std::string file1 = temp / (std::string(40, 'a') + ".bin");
        const std::string file2 = temp / (std::string(40, 'b') + ".txt");
        testing::WriteFile(file1, "");
        std::filesystem::resize_file(file1, kLargeSize); // sparse
        testing::WriteFile(file2, "b");
        testing::WriteFile(temp / "diff", "program");

        testing::FakeSettingsStorage storage;
        storage.stored.File1 = file1;
        storage.stored.File2 = file2;
        storage.stored.WinDiffPath = temp / "diff";
        testing::RecordingLauncher shell;
        testing::ScriptedDialogs dialogs;
        ui::MainWindow window(storage, shell, dialogs);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCoreApplication::processEvents();
        PaintCounter painted(&window);

        Sighting seen;
        int paintsWhenShown = 0;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr || !dialog->isVisible()) {
                return;
            }
            if (!seen.shown) {
                seen.shown = true;
                paintsWhenShown = painted.paints;
                window.update(); // as an uncovered part of the window would ask
                return;
            }
            if (painted.paints == paintsWhenShown || dialog->value() <= 0) {
                return; // not yet
            }
            seen.repainted = true;
            seen.value = dialog->value();
            seen.title = dialog->windowTitle();
            const auto* label = dialog->findChild<QLabel*>();
            seen.label = label->text();
            seen.labelReads = QAccessible::queryAccessibleInterface(const_cast<QLabel*>(label))
                                  ->text(QAccessible::Name);
            seen.cancel = dialog->findChild<QPushButton*>()->text();
            const QString folder = qEnvironmentVariable("TWINVANE_SCREENSHOT_DIR");
            if (!folder.isEmpty()) {
                dialog->grab().save(folder + QStringLiteral("/copy-progress.png"));
            }
            watch.stop();
            if (key != 0) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
            } else {
                window.EndRequested();
            }
        });
        watch.start(20);
        dialogs.messageAnswers = {MessageButton::Ok};
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("Compare2")),
                          Qt::LeftButton);
        QCoreApplication::processEvents();

        const CopyProgressDesign& design = CopyProgressLayout();
        QVERIFY(seen.shown);
        QVERIFY(seen.repainted);
        QCOMPARE(seen.title, QString::fromStdString(design.title));
        QCOMPARE(seen.label, QString::fromStdString(design.text));
        QCOMPARE(seen.labelReads, seen.label);
        QCOMPARE(seen.cancel, QString::fromStdString(design.cancel));
        QVERIFY(seen.value > 0 && seen.value < design.steps);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        QCOMPARE(window.isVisible(), key != 0);

        const std::string folder = platform::TemporaryCopyFolder();
        QVERIFY(!platform::FileExists(folder + "TWVTemp1"));
        QVERIFY(!platform::FileExists(folder + "TWVTemp2"));
        QVERIFY(shell.requests.empty());
        QVERIFY(dialogs.errorBoxes.isEmpty());
        QCOMPARE(window.Presenter().State().Stored.File1, file1);
        QCOMPARE(window.Presenter().State().Stored.File2, file2);
        QVERIFY(!window.Presenter().State().Substituted);
        QCOMPARE(platform::FileSizeOf(file1), std::optional<std::uint64_t>{kLargeSize});
    }
};

QTEST_MAIN(CopyProgressDialogTest)
#include "CopyProgressDialogTest.moc"
