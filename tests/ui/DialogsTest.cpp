// SPDX-License-Identifier: MIT
#include "app/FileDialogs.h"
#include "ui/qt/ArgumentsDialog.h"
#include "ui/qt/DialogProvider.h"
#include "ui/qt/LocateChoiceDialog.h"

#include <QListWidget>

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>

#include <QApplication>

#include <QPushButton>
#include <QTest>
#include <functional>

using namespace twinvane;

class DialogsTest : public QObject {
    Q_OBJECT

private:
    static QStringList Captions(const QMessageBox& box) {
        QStringList captions;
        for (QAbstractButton* button : box.buttons()) {
            captions << button->text();
        }
        captions.sort();
        return captions;
    }

private slots:
    // Each program found is a line with its path; the keyboard chooses one,
    // and Browse and Cancel say what they do to screen readers.
    void locateChoiceListsTheProgramsAndAnswersByKeyboard() {
        const std::vector<ProgramOffer> offers{{"Meld", "/usr/bin/meld"},
                                               {"Visual Studio Code", "/usr/bin/code"}};
        const struct {
            std::function<void(ui::LocateChoiceDialog&)> act;
            LocateChoice::Kind kind;
            std::size_t index;
        } cases[] = {
            {[](ui::LocateChoiceDialog& d) { QTest::keyClick(d.List(), Qt::Key_Return); },
             LocateChoice::Kind::Program, 0},
            {[](ui::LocateChoiceDialog& d) {
                 QTest::keyClick(d.List(), Qt::Key_Down);
                 QTest::keyClick(d.List(), Qt::Key_Return);
             },
             LocateChoice::Kind::Program, 1},
            {[](ui::LocateChoiceDialog& d) { QTest::keyClick(d.List(), Qt::Key_Escape); },
             LocateChoice::Kind::Cancel, 0},
            {[](ui::LocateChoiceDialog& d) { d.BrowseButton()->click(); },
             LocateChoice::Kind::Browse, 0},
            {[](ui::LocateChoiceDialog& d) { d.CancelButton()->click(); },
             LocateChoice::Kind::Cancel, 0},
        };
        for (const auto& c : cases) {
            ui::LocateChoiceDialog dialog(nullptr, offers);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Locate Windiff"));
            QCOMPARE(dialog.List()->count(), 2);
            QCOMPARE(dialog.List()->item(1)->text(),
                     QStringLiteral("Visual Studio Code \u2014 /usr/bin/code"));
            QCOMPARE(QAccessible::queryAccessibleInterface(dialog.List())->text(QAccessible::Name),
                     QStringLiteral("Diff programs found"));
            QCOMPARE(dialog.BrowseButton()->text(), QStringLiteral("&Browse\u2026"));
            QCOMPARE(QAccessible::queryAccessibleInterface(dialog.BrowseButton())
                         ->text(QAccessible::Description),
                     QStringLiteral("Choose another program file"));
            QVERIFY(dialog.List()->hasFocus());
            c.act(dialog);
            QVERIFY(!dialog.isVisible());
            QCOMPARE(dialog.Choice().kind, c.kind);
            QCOMPARE(dialog.Choice().index, c.index);
        }
    }

    // The field shows the template; OK is offered, and the hint hidden, only
    // while the text names both files; Enter then accepts the edit.
    void argumentsDialogRefusesATemplateWithoutBothNames() {
        ui::ArgumentsDialog dialog(nullptr, QStringLiteral("--wait --diff \"%1\" \"%2\""));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Diff Program Arguments"));
        QCOMPARE(dialog.Field()->text(), QStringLiteral("--wait --diff \"%1\" \"%2\""));
        QCOMPARE(dialog.Field()->accessibleName(),
                 QStringLiteral("Arguments of the diff program:"));
        QVERIFY(dialog.OkButton()->isEnabled());
        QVERIFY(dialog.Hint()->isHidden());

        const struct {
            const char* text;
            bool valid;
        } cases[] = {{"--diff %1", false}, {"", false}, {"%2 %1", true}, {"/mine:%2", false}};
        for (const auto& c : cases) {
            dialog.Field()->setText(QString::fromUtf8(c.text));
            QCOMPARE(dialog.OkButton()->isEnabled(), c.valid);
            QCOMPARE(dialog.Hint()->isVisible(), !c.valid);
        }
        QCOMPARE(QAccessible::queryAccessibleInterface(dialog.Hint())->text(QAccessible::Name),
                 QStringLiteral("The arguments must name both files: %1 and %2."));

        dialog.Field()->setText(QStringLiteral("/base:\"%1\" /mine:\"%2\""));
        dialog.Field()->setFocus();
        QTest::keyClick(dialog.Field(), Qt::Key_Return);
        QCOMPARE(dialog.result(), static_cast<int>(QDialog::Accepted));
        QCOMPARE(dialog.Template(), QStringLiteral("/base:\"%1\" /mine:\"%2\""));
    }

    void lengthQuestionIsAnErrorBoxWithThreeButtons() {
        const auto box =
            ui::BuildMessageBox(nullptr, MessageKind::Error, QStringLiteral("first\rsecond"),
                                {MessageButton::Ok, MessageButton::Cancel, MessageButton::Abort});
        QCOMPARE(box->windowTitle(), QStringLiteral("Error"));
        QCOMPARE(box->icon(), QMessageBox::Critical);
        QCOMPARE(box->text(), QStringLiteral("first\nsecond"));
        QCOMPARE(Captions(*box), QStringList({"&Abort", "Cancel", "OK"}));
        QCOMPARE(box->defaultButton()->text(), QStringLiteral("OK"));
        QCOMPARE(box->escapeButton()->text(), QStringLiteral("Cancel"));
    }

    void keysAnswerTheBox() {
        const auto box = ui::BuildMessageBox(nullptr, MessageKind::Warning, QStringLiteral("q"),
                                             {MessageButton::Ok, MessageButton::Cancel});
        QCOMPARE(box->windowTitle(), QStringLiteral("Warning"));
        QCOMPARE(box->icon(), QMessageBox::Warning);
        box->show();
        QVERIFY(QTest::qWaitForWindowExposed(box.get()));
        QTest::keyClick(box.get(), Qt::Key_Escape);
        QCOMPARE(ui::AnswerOf(*box), MessageButton::Cancel);

        const auto second = ui::BuildMessageBox(nullptr, MessageKind::Warning, QStringLiteral("q"),
                                                {MessageButton::Ok, MessageButton::Cancel});
        second->show();
        QVERIFY(QTest::qWaitForWindowExposed(second.get()));
        QTest::keyClick(second.get(), Qt::Key_Return);
        QCOMPARE(ui::AnswerOf(*second), MessageButton::Ok);
    }

    void plainAndErrorBoxesCarryTheApplicationTitle() {
        const auto plain =
            ui::BuildPlainMessageBox(nullptr, QStringLiteral("Unable to save files"));
        QCOMPARE(plain->windowTitle(), QStringLiteral("Twinvane"));
        QCOMPARE(plain->icon(), QMessageBox::NoIcon);
        QCOMPARE(Captions(*plain), QStringList{"OK"});
        const auto error = ui::BuildErrorBox(nullptr, QStringLiteral("Cannot open file x."));
        QCOMPARE(error->windowTitle(), QStringLiteral("Twinvane"));
        QCOMPARE(error->icon(), QMessageBox::Critical);
        QCOMPARE(Captions(*error), QStringList{"OK"});
    }

    void fileDialogsAreSetUpAsRequested() {
        const auto open1 = ui::BuildFileDialog(nullptr, Open1Request("/tmp/some file.txt"));
        QCOMPARE(open1->windowTitle(), QStringLiteral("Select File 1"));
        QCOMPARE(open1->fileMode(), QFileDialog::AnyFile);
        QCOMPARE(open1->acceptMode(), QFileDialog::AcceptOpen);
        QCOMPARE(open1->directory().absolutePath(), QStringLiteral("/tmp"));
        QVERIFY(open1->isSizeGripEnabled());

        const auto locate = ui::BuildFileDialog(nullptr, LocWindiffRequest("/bin/sh"));
        QCOMPARE(locate->windowTitle(), QStringLiteral("Locate Windiff"));
        QCOMPARE(locate->directory().absolutePath(), QStringLiteral("/usr/bin"));
        QCOMPARE(locate->nameFilters(), QStringList{"All Files (*)"});
    }
};

QTEST_MAIN(DialogsTest)
#include "DialogsTest.moc"
