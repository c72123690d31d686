// SPDX-License-Identifier: MIT
#include "ui/qt/KURL2Control.h"
#include "support/RecordingLauncher.h"
#include "widgets/MakerLinks.h"

#include <QApplication>
#include <QHelpEvent>
#include <QImage>
#include <QLabel>
#include <QScopeGuard>
#include <QTest>
#include <QToolTip>

#include <algorithm>

namespace twinvane::ui {

using testing::RecordingLauncher;

namespace {

int CountPixels(const QImage& image, QRgb colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixel(x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

// Saves a picture for a person to look at when TWINVANE_SCREENSHOT_DIR is set.
void KeepScreenshot(const QImage& image, const QString& name) {
    const QString folder = qEnvironmentVariable("TWINVANE_SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        image.save(folder + QLatin1Char('/') + name);
    }
}

} // namespace

class KURL2ControlTest : public QObject {
    Q_OBJECT

private slots:
    void drawsBlueUnderlinedTextUnderAHandPointer() {
        RecordingLauncher shell;
        QWidget form;
        form.setStyleSheet(QStringLiteral("background: white"));
        KURL2Control control(&form, shell);
        control.Link().SetLeft(8);
        control.Link().SetTop(8);
        form.resize(control.width() + 16, control.Label()->height() + 16);

        QLabel* label = control.Label();
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        QVERIFY(label->font().underline());
        QCOMPARE(control.cursor().shape(), Qt::PointingHandCursor);
        QVERIFY2(!label->testAttribute(Qt::WA_SetCursor), "the label shows the control's pointer");
        QCOMPARE(label->text(), QString::fromLatin1(kKURL2PlaceholderAddress));
        QCOMPARE(control.width(), label->width());
        QCOMPARE(control.Link().Height(), 13);

        const QImage picture = form.grab().toImage().convertToFormat(QImage::Format_RGB32);
        KeepScreenshot(picture, QStringLiteral("kurl2-control.png"));
        QVERIFY2(CountPixels(picture, qRgb(0, 0, 255)) > label->width(),
                 "the text and its underline are drawn in pure blue");
        QVERIFY(shell.requests.empty());
    }

    void keepsItsOwnFontWhateverTheFormUses() {
        QWidget form;
        QFont large = QApplication::font();
        large.setPointSize(large.pointSize() * 3);
        large.setItalic(true);
        form.setFont(large);
        KURL2Control control(&form);
        QCOMPARE(control.Label()->font().pointSize(), QApplication::font().pointSize());
        QVERIFY(!control.Label()->font().italic());
        QVERIFY(control.Label()->font().underline());
    }

    void aLargeDesktopFontIsNeverCutOff() {
        const QFont original = QApplication::font();
        const auto restore = qScopeGuard([&] { QApplication::setFont(original); });
        QFont large = original;
        large.setPointSize(original.pointSize() * 3);
        QApplication::setFont(large);

        KURL2Control control;
        QVERIFY(control.Label()->height() > 13);
        QCOMPARE(control.height(), control.Label()->height());
        QCOMPARE(control.Link().Height(), 13);
        control.Link().SetHeight(200);
        QCOMPARE(control.height(), 200);
    }

    void newAddressResizesTheControlToTheText() {
        KURL2Control control;
        const int placeholderWidth = control.width();
        const std::string address = "support@varnook.example.com and a much longer tail \xC3\xA9";
        control.Link().SetURLorEMAIL(address);
        QCOMPARE(control.Link().URLorEMAIL(), address);
        QCOMPARE(control.Label()->text(), QString::fromStdString(address));
        QVERIFY(control.width() > placeholderWidth);
        QCOMPARE(control.width(), control.Label()->width());
        QCOMPARE(control.width(), control.Link().Width());
        QCOMPARE(control.Link().Height(), 13);
        QCOMPARE(control.height(), std::max(13, control.Label()->height()));
        QCOMPARE(control.accessibleName(), QString::fromStdString(address));
    }

    void showsMarkupAsPlainText() {
        KURL2Control control;
        control.Link().SetURLorEMAIL("<b>x</b>@example.com");
        QCOMPARE(control.Label()->textFormat(), Qt::PlainText);
        QCOMPARE(control.Label()->text(), QStringLiteral("<b>x</b>@example.com"));
    }

    void onlyAClickOnTheTextOpensIt() {
        RecordingLauncher shell;
        QWidget form;
        KURL2Control control(&form, shell);
        control.Link().SetURLorEMAIL(kMakerWebAddress);
        control.Link().SetWidth(control.width() + 60);
        control.Link().SetHeight(60);
        form.resize(control.width(), control.height());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));

        QTest::mouseClick(&control, Qt::LeftButton, {}, QPoint(control.width() - 5, 50));
        QVERIFY2(shell.requests.empty(), "beside the text");
        QTest::mousePress(control.Label(), Qt::LeftButton, {}, QPoint(2, 2));
        QTest::mouseRelease(control.Label(), Qt::LeftButton, {},
                            QPoint(control.Label()->width() + 10, 2));
        QVERIFY2(shell.requests.empty(), "pressed on the text, let go beside it");
        QTest::mouseClick(control.Label(), Qt::RightButton, {}, QPoint(2, 2));
        QVERIFY2(shell.requests.empty(), "right button");

        QTest::mouseClick(control.Label(), Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(shell.requests.size(), std::size_t{1});
        QCOMPARE(shell.requests.front().file, std::string(kMakerWebAddress));
        QCOMPARE(shell.requests.front().owner,
                 static_cast<platform::WindowHandle>(control.winId()));
    }

    void opensWhileHiddenAndStaysHidden() {
        RecordingLauncher shell;
        QWidget form;
        QWidget panel(&form);
        panel.hide();
        KURL2Control email(&panel, shell);
        email.Link().SetURLorEMAIL(kMakerSupportAddress);
        email.Link().SetChoose(ltEMAIL);

        email.Link().OpenLink();
        QCOMPARE(shell.requests.size(), std::size_t{1});
        QCOMPARE(shell.requests.front().file, std::string("mailto:") + kMakerSupportAddress);
        QVERIFY2(shell.requests.front().owner != 0, "a native window exists for the owner");
        QCOMPARE(shell.requests.front().owner, static_cast<platform::WindowHandle>(email.winId()));
        QVERIFY(!email.isVisible());
        QVERIFY(!panel.isVisible());
        QVERIFY(!form.isVisible());
        QCOMPARE(email.Label()->text(), QString::fromLatin1(kMakerSupportAddress));
    }

    void hintShowsOverTheTextOnlyWhileShowHintIsOn() {
        QWidget form;
        KURL2Control control(&form);
        form.resize(300, 40);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QLabel* label = control.Label();
        const QPoint inside(2, 2);

        QHelpEvent shown(QEvent::ToolTip, inside, label->mapToGlobal(inside));
        QApplication::sendEvent(label, &shown);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), QStringLiteral("Put here the Hint for your site link!"));

        QToolTip::hideText();
        QTRY_VERIFY(!QToolTip::isVisible());
        control.Link().SetShowHint(false);
        QVERIFY(!control.Link().ShowHint());
        QHelpEvent hidden(QEvent::ToolTip, inside, label->mapToGlobal(inside));
        QApplication::sendEvent(label, &hidden);
        QTest::qWait(50);
        QVERIFY(!QToolTip::isVisible());
    }
};

} // namespace twinvane::ui

QTEST_MAIN(twinvane::ui::KURL2ControlTest)
#include "KURL2ControlTest.moc"
