// SPDX-License-Identifier: MIT
// The menu bar of the main window, built from its design, and the keyboard
// shortcuts that make every command reachable without a mouse.
#include "MainWindow.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

namespace twinvane::ui {

QAction* MainWindow::AddItem(QMenu* menu, const MenuItemDesign& design) {
    QAction* item = design.separator ? menu->addSeparator()
                                     : menu->addAction(QString::fromStdString(design.caption));
    item->setObjectName(QString::fromStdString(design.name));
    if (design.separator || !design.command) {
        return item;
    }
    if (design.shortcut) {
        item->setShortcut(QKeySequence(QString::fromStdString(ShortcutText(*design.shortcut)),
                                       QKeySequence::PortableText));
    }
    item->setEnabled(design.enabledAtStart);
    item->setCheckable(design.checkable);
    const Command command = *design.command;
    // Screen readers, voice control and test tools trigger an item through
    // its accessibility action and wait for that call to return; a modal
    // dialog opened inside it would keep them waiting until it closed. Any
    // command may end in a dialog, if only the error box, so every command
    // runs once the trigger has returned, as Qt's buttons already do.
    connect(
        item, &QAction::triggered, this, [this, command] { Run(command); }, Qt::QueuedConnection);
    if (command == Command::Compare) {
        compareItems_.push_back(item);
    }
    if (design.checkable) {
        checkItems_.emplace_back(item, command);
        // The presenter owns the option; the item only shows it. Qt toggles
        // a checkable item by itself before the handler runs, so the
        // presenter's last word is put back afterwards.
        connect(item, &QAction::triggered, this, [this, item, command] {
            item->setChecked(command == Command::ShortNames ? shortNamesChecked_
                                                            : deleteTempsChecked_);
        });
    }
    return item;
}

void MainWindow::BuildMenus(const MainWindowDesign& design) {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QString::fromStdString(design.menuBarName));
    for (const MenuDesign& menuDesign : design.menus) {
        QMenu* menu = bar->addMenu(QString::fromStdString(menuDesign.caption));
        menu->setObjectName(QString::fromStdString(menuDesign.name));
        for (const MenuItemDesign& item : menuDesign.items) {
            AddItem(menu, item);
        }
    }

    // F10 opens the menu bar, as on other desktops, for menus without mnemonics.
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this, [bar] {
        if (!bar->actions().isEmpty()) {
            bar->setActiveAction(bar->actions().front());
        }
    });
}

} // namespace twinvane::ui
