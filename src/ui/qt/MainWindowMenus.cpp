// SPDX-License-Identifier: MIT
// The menu bar of the main window: its three menus, their items and the
// keyboard shortcuts that make every command reachable without a mouse.
#include "MainWindow.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

namespace twinvane::ui {

QAction* MainWindow::AddItem(QMenu* menu, const char* name, const QString& caption,
                             void (TTwinvane::*handler)()) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(QString::fromLatin1(name));
    connect(item, &QAction::triggered, this,
            [this, handler] { Run([this, handler] { (presenter_.*handler)(); }); });
    return item;
}

void MainWindow::BuildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    QMenu* file = bar->addMenu(QStringLiteral("File"));
    file->setObjectName(QStringLiteral("FileMenu"));
    AddItem(file, "SelectFile11", QStringLiteral("Select File 1"), &TTwinvane::File1BtnClick)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_1));
    AddItem(file, "SelectFile21", QStringLiteral("Select File 2"), &TTwinvane::SelectFile21Click)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_2));
    AddItem(file, "SelectFiles1", QStringLiteral("Select Files"), &TTwinvane::SelectFiles1Click)
        ->setShortcut(QKeySequence::Open);
    compare1_ = AddItem(file, "Compare1", QStringLiteral("Compare"), &TTwinvane::Compare1Click);
    compare1_->setShortcut(QKeySequence(Qt::Key_F5));
    compare1_->setEnabled(false);
    AddItem(file, "SaveFiles1", QStringLiteral("Save Files"), &TTwinvane::SaveFiles1Click)
        ->setShortcut(QKeySequence::Save);
    file->addSeparator()->setObjectName(QStringLiteral("N1"));
    AddItem(file, "Exit1", QStringLiteral("Exit"), &TTwinvane::Exit1Click)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* options = bar->addMenu(QStringLiteral("Options"));
    options->setObjectName(QStringLiteral("Options1"));
    AddItem(options, "LocateWwindiff1", QStringLiteral("Locate Windiff"),
            &TTwinvane::LocateWindiffClick);
    AddItem(options, "ClearFileList1", QStringLiteral("Clear File List"),
            &TTwinvane::ClearFileList1Click);
    deleteTemps_ = AddItem(options, "Deletetemps", QStringLiteral("Delete temporary Files "),
                           &TTwinvane::DeletetempsClick);
    deleteTemps_->setCheckable(true);
    // The presenter owns the option; the item only shows it. Qt toggles a
    // checkable item by itself before the handler runs, so the handler's
    // state is put back afterwards.
    connect(deleteTemps_, &QAction::triggered, this,
            [this] { deleteTemps_->setChecked(presenter_.State().DeleteTemps); });

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("Help3"));
    AddItem(help, "Help4", QStringLiteral("&Help"), &TTwinvane::Help2Click)
        ->setShortcut(QKeySequence::HelpContents);
    AddItem(help, "About2", QStringLiteral("&About"), &TTwinvane::About1Click);
    help->addSeparator()->setObjectName(QStringLiteral("N2"));
    AddItem(help, "emailVarnook1", QStringLiteral("e-mail Varnook"),
            &TTwinvane::emailVarnook1Click);
    AddItem(help, "VarnookontheWeb1", QStringLiteral("Varnook on the Web"),
            &TTwinvane::VarnookontheWeb1Click);

    // F10 opens the menu bar, as on other desktops, for menus without mnemonics.
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this,
            [bar, file] { bar->setActiveAction(file->menuAction()); });
}

} // namespace twinvane::ui
