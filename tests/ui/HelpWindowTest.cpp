// SPDX-License-Identifier: MIT
#include "ui/qt/HelpWindow.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>

namespace twinvane::ui {

class HelpWindowTest : public QObject {
    Q_OBJECT

private slots:
    void guideExplainsEveryCommandAndWhereThingsLive() {
        HelpWindow window;
        const QString text = window.Text()->toPlainText();
        const QStringList expected = {
            // commands, by their menu captions
            "Select File 1", "Select File 2", "Select Files", "Compare", "Save Files", "Exit",
            "Locate Windiff", "Clear File List", "Delete temporary Files", "About",
            "e-mail Varnook", "Varnook on the Web",
            // status texts
            "READY", "NOT READY", "CAN'T FIND WINDIFF", "NAMES TOO LONG",
            // places
            "$XDG_CONFIG_HOME/twinvane/registry.reg", "~/.config/twinvane/registry.reg",
            "$XDG_RUNTIME_DIR/twinvane", "/tmp/twinvane-<uid>", "TWVTemp1", "TWVTemp2",
            "twinvane.hlp"};
        for (const QString& phrase : expected) {
            QVERIFY2(text.contains(phrase), qPrintable(phrase));
        }
    }

    void escapeAndCloseBothShutTheWindow() {
        HelpWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_COMPARE(QApplication::focusWidget(), window.Text());
        QTest::keyClick(window.Text(), Qt::Key_Escape);
        QVERIFY(!window.isVisible());

        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* buttons = window.findChild<QDialogButtonBox*>();
        QVERIFY(buttons != nullptr);
        QPushButton* close = buttons->button(QDialogButtonBox::Close);
        QVERIFY(close != nullptr);
        QTest::mouseClick(close, Qt::LeftButton);
        QVERIFY(!window.isVisible());
    }

    void namesItselfForScreenReaders() {
        HelpWindow window;
        QCOMPARE(window.windowTitle(), QStringLiteral("Twinvane Help"));
        QVERIFY(!window.accessibleName().isEmpty());
        QVERIFY(!window.Text()->accessibleName().isEmpty());
        QVERIFY(window.Text()->isReadOnly());

        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QString folder = qEnvironmentVariable("TWINVANE_SCREENSHOT_DIR");
        if (!folder.isEmpty()) {
            window.grab().save(folder + QStringLiteral("/help-window.png"));
        }
    }
};

} // namespace twinvane::ui

QTEST_MAIN(twinvane::ui::HelpWindowTest)
#include "HelpWindowTest.moc"
