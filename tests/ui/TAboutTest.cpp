// SPDX-License-Identifier: MIT
// The real About form on the offscreen platform, driven by the About box.
// The test executable carries the program's own version block.
#include "ui/qt/TAbout.h"
#include "about/AboutBoxDesign.h"
#include "about/MakerLines.h"
#include "about/ProgramInfo.h"
#include "about/TVarnookAboutBox.h"
#include "platform/AppPaths.h"
#include "support/TempFolder.h"
#include "ui/qt/Pictures.h"
#include "ui/qt/QtAboutFormFactory.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <functional>

namespace twinvane::ui {
namespace {

// Waits for the About form to be shown modally, hands it to `act` (which
// looks at it and closes it), and closes it anyway if `act` did not, so that
// a failing test cannot hang in the modal loop.
class WhenShown {
public:
    explicit WhenShown(std::function<void(QDialog&)> act) : act_(std::move(act)) {
        QObject::connect(&poll_, &QTimer::timeout, [this] { Poll(); });
        poll_.start(10);
    }
    bool Happened() const { return happened_; }

private:
    void Poll() {
        auto* form = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (form == nullptr || !QTest::qWaitForWindowExposed(form)) {
            return;
        }
        poll_.stop();
        happened_ = true;
        act_(*form);
        if (form->isVisible()) {
            form->reject();
        }
    }

    std::function<void(QDialog&)> act_;
    QTimer poll_;
    bool happened_ = false;
};

// What the form showed, copied while it was open.
struct Seen {
    QString caption;
    QSize outer;
    QPoint centre;
    Qt::WindowFlags flags;
    QRect labels[4];
    QString texts[4];
    QRect logo;
    QSize picture;
    QRect okButton;
    bool okDefault = false;
    bool okFocused = false;
    QImage image;

    void Take(QDialog& form) {
        caption = form.windowTitle();
        outer = form.frameGeometry().size();
        centre = form.frameGeometry().center();
        flags = form.windowFlags();
        const char* names[] = {"WTitle", "WCopyright", "WAuthor", "WVersion"};
        for (int i = 0; i < 4; ++i) {
            const auto* label = form.findChild<QLabel*>(QString::fromLatin1(names[i]));
            labels[i] = label->geometry();
            texts[i] = label->text();
            QCOMPARE(label->width(), label->fontMetrics().horizontalAdvance(label->text()));
        }
        const auto* logoLabel = form.findChild<QLabel*>(QStringLiteral("Logo"));
        logo = logoLabel->geometry();
        picture = logoLabel->pixmap().size();
        const auto* ok = form.findChild<QPushButton*>(QStringLiteral("OkButton"));
        okButton = ok->geometry();
        okDefault = ok->isDefault();
        okFocused = ok->hasFocus();
        image = form.grab().toImage();
    }
};

// Saves a picture for a person to look at when TWINVANE_SCREENSHOT_DIR is set.
void KeepScreenshot(const QImage& image, const QString& name) {
    const QString folder = qEnvironmentVariable("TWINVANE_SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        image.save(folder + QLatin1Char('/') + name);
    }
}

// A 256-colour bitmap `width` wide and 60 high: a ground colour on the left
// and bottom rows, and elsewhere a colour that tells its column.
void WriteBitmap(const std::string& path, int width) {
    QImage image(width, 60, QImage::Format_Indexed8);
    image.setColorCount(256);
    for (int i = 0; i < 256; ++i) {
        image.setColor(i, qRgb(i, 255 - i, 128));
    }
    image.setColor(255, qRgb(1, 2, 3)); // the ground
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, x == 0 || y == image.height() - 1 ? 255 : x % 255);
        }
    }
    QVERIFY(image.save(QFile::decodeName(path.c_str()), "BMP"));
}

} // namespace

class TAboutTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setApplicationName(QStringLiteral("Twinvane")); }

    void theFormTakesTheComputedGeometryAndOkAnswersTrue() {
        QtAboutFormFactory forms;
        TVarnookAboutBox box(forms);
        ApplyMainWindowAboutDesign(box);
        box.SetFilename(platform::RunningExecutablePath());
        Seen seen;
        WhenShown shown([&seen](QDialog& form) {
            seen.Take(form);
            QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("OkButton")),
                              Qt::LeftButton);
        });
        QVERIFY(box.Execute());
        QVERIFY(shown.Happened());

        QCOMPARE(seen.caption, QStringLiteral("Twinvane"));
        QCOMPARE(seen.outer, QSize(160, 182));
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(qAbs(seen.centre.x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(seen.centre.y() - screen.center().y()) <= 1);
        QVERIFY(seen.flags.testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(seen.flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!seen.flags.testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(!seen.flags.testFlag(Qt::WindowMinimizeButtonHint));

        const QString texts[] = {QStringLiteral("Twinvane"), QString::fromLatin1(kMakerCopyright),
                                 QString::fromLatin1(kMakerAuthor),
                                 QStringLiteral("Version ") + QString::fromLatin1(kProgramVersion)};
        const int tops[] = {15, 30, 45, 60};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(seen.texts[i], texts[i]);
            QCOMPARE(seen.labels[i].top(), tops[i]);
            QVERIFY(seen.labels[i].width() > 0);
            QCOMPARE(seen.labels[i].left(), 80 - seen.labels[i].width() / 2);
        }
        QCOMPARE(seen.logo, QRect(64, 80, 137, 121));
        QCOMPARE(seen.picture, QSize(32, 32));
        QCOMPARE(seen.okButton, QRect(30, 122, 100, 25));
        QVERIFY(seen.okDefault);
        QVERIFY(seen.okFocused);
        QCOMPARE(box.Height(), 182);
        QCOMPARE(box.Width(), 160);
        KeepScreenshot(seen.image, QStringLiteral("about-box.png"));
    }

    void theCloseBoxAnswersFalseAndEnterPressesOk() {
        QtAboutFormFactory forms;
        TVarnookAboutBox box(forms);
        WhenShown closed([](QDialog& form) { form.close(); });
        QVERIFY(!box.Execute());
        QVERIFY(closed.Happened());

        WhenShown entered([](QDialog& form) { QTest::keyClick(&form, Qt::Key_Return); });
        QVERIFY(box.Execute());
        QVERIFY(entered.Happened());
    }

    void theBuiltInLogoIsShownUnscaledAndClipped() {
        QtAboutFormFactory forms;
        TVarnookAboutBox box(forms);
        ApplyMainWindowAboutDesign(box);
        box.SetDefaultIcon(true);
        Seen seen;
        WhenShown shown([&seen](QDialog& form) { seen.Take(form); });
        box.Execute();
        QVERIFY(shown.Happened());
        QCOMPARE(seen.outer, QSize(160, 270));
        QCOMPARE(seen.picture, QSize(147, 120));
        QCOMPARE(seen.logo, QRect(7, 80, 137, 121));
        QCOMPARE(seen.okButton.top(), 210);
        KeepScreenshot(seen.image, QStringLiteral("about-box-built-in-logo.png"));

        const QImage logo = BuiltInLogo();
        QCOMPARE(logo.size(), QSize(147, 120));
        QCOMPARE(logo.format(), QImage::Format_Indexed8);
        QVERIFY(logo.colorCount() <= 256);
    }

    void aBitmapFileIsDrawnFromItsTopLeftClippedAndTransparentOnItsGround() {
        testing::TempFolder temp;
        const std::string path = temp / "wide.bmp";
        WriteBitmap(path, 200);
        TAbout form;
        form.LoadPictureFromFile(path);
        QCOMPARE(form.PictureWidth(), 200);
        QCOMPARE(form.PictureHeight(), 60);

        auto* logo = form.findChild<QLabel*>(QStringLiteral("Logo"));
        QPalette white = form.palette();
        white.setColor(QPalette::Window, Qt::white);
        form.setPalette(white);
        const QImage drawn =
            form.grab(logo->geometry()).toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(drawn.size(), QSize(137, 121));
        QImage source(QFile::decodeName(path.c_str()));
        for (const int x : {1, 2, 100, 136}) {
            QCOMPARE(drawn.pixel(x, 10), source.pixel(x, 10));
        }
        // The ground colour lets the form show through, and so does the part
        // of the control the picture does not cover.
        QCOMPARE(drawn.pixel(0, 10), qRgb(255, 255, 255));
        QCOMPARE(drawn.pixel(50, 59), qRgb(255, 255, 255));
        QCOMPARE(drawn.pixel(50, 100), qRgb(255, 255, 255));
    }

    void aPictureThatIsNoBitmapIsRefusedWithItsName() {
        testing::TempFolder temp;
        const std::string png = temp / "icon.bmp";
        QVERIFY(ApplicationIcon().pixmap(32, 32).save(QFile::decodeName(png.c_str()), "PNG"));
        const std::string text = temp / "notes.bmp";
        testing::WriteFile(text, "not a picture");
        const std::string damaged = temp / "damaged.bmp";
        testing::WriteFile(damaged, "BM" + std::string(20, '\xff'));
        struct {
            std::string path;
            const char* reason;
        } cases[] = {
            {temp / "missing.bmp", "does not exist"},
            {png, "not a bitmap"},
            {text, "not a bitmap"},
            {damaged, "damaged"},
            {temp.Path().string(), "folder"},
        };
        for (const auto& c : cases) {
            TAbout form;
            try {
                form.LoadPictureFromFile(c.path);
                QFAIL(qPrintable(QString::fromStdString(c.path) + " was loaded"));
            } catch (const EPictureLoadError& error) {
                QVERIFY2(error.Message().find(c.path) != std::string::npos,
                         error.Message().c_str());
                QVERIFY2(error.Message().find(c.reason) != std::string::npos,
                         error.Message().c_str());
            }
            QCOMPARE(form.PictureWidth(), 147); // the picture is left as it was
        }
    }

    void anIconFileThatFailsEndsExecuteWithoutShowingTheForm() {
        testing::TempFolder temp;
        QtAboutFormFactory forms;
        TVarnookAboutBox box(forms);
        ApplyMainWindowAboutDesign(box);
        box.SetIconFile(temp / "missing.bmp");
        WhenShown shown([](QDialog&) {});
        QVERIFY_THROWS_EXCEPTION(EPictureLoadError, box.Execute());
        QTest::qWait(30);
        QVERIFY(!shown.Happened());
        for (QWidget* window : QApplication::topLevelWidgets()) {
            QVERIFY2(qobject_cast<TAbout*>(window) == nullptr, "the form was released");
        }
        QCOMPARE(box.Title(), std::string("Twinvane"));
        QCOMPARE(box.Author(), std::string(kMakerAuthor));
    }

    void nameAndVersionComeFromTheRunningExecutableWithoutAWindow() {
        QtAboutFormFactory forms;
        TVarnookAboutBox box(forms);
        WhenShown shown([](QDialog&) {});
        QCOMPARE(box.GetAppName(), std::string("Twinvane"));
        QCOMPARE(box.GetAppVersion(), std::string(kProgramVersion));
        QVERIFY(!shown.Happened());
        const QSize screen = QGuiApplication::primaryScreen()->size();
        QCOMPARE(box.Left(), screen.width() / 2);
        QCOMPARE(box.Top(), screen.height() / 2);
    }

    void theApplicationIconIs32By32() {
        const QIcon icon = ApplicationIcon();
        QVERIFY(!icon.isNull());
        QCOMPARE(icon.availableSizes(), QList<QSize>{QSize(32, 32)});
        QCOMPARE(QtAboutFormFactory().ApplicationTitle(), std::string("Twinvane"));
    }
};

} // namespace twinvane::ui

QTEST_MAIN(twinvane::ui::TAboutTest)
#include "TAboutTest.moc"
