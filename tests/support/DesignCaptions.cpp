// SPDX-License-Identifier: MIT
// Prints the captions of the main window's buttons, menus and menu items as
// its description gives them, one a line: "button", "menu" or "item", a tab,
// the caption. Lets a test that reads the running program from outside
// compare it with the one description every front end is built from.
#include "app/MainWindowDesign.h"

#include <cstdio>

int main() {
    const twinvane::MainWindowDesign& design = twinvane::MainWindowLayout();
    for (const twinvane::ButtonDesign& button : design.buttons) {
        std::printf("button\t%s\n", button.caption.c_str());
    }
    for (const twinvane::MenuDesign& menu : design.menus) {
        std::printf("menu\t%s\n", menu.caption.c_str());
        for (const twinvane::MenuItemDesign& item : menu.items) {
            if (!item.separator) {
                std::printf("item\t%s\n", item.caption.c_str());
            }
        }
    }
    return 0;
}
