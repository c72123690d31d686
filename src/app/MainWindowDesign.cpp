// SPDX-License-Identifier: MIT
#include "MainWindowDesign.h"
#include "MainView.h"

#include "about/ProgramInfo.h"

namespace twinvane {
namespace {

constexpr int kButtonLeft = 24;
constexpr int kButtonWidth = 105;
constexpr int kButtonHeight = 25;

ButtonDesign Button(const char* name, const char* caption, int top, const char* tooltip,
                    Command command, bool enabledAtStart = true) {
    return {name,          caption, kButtonLeft, top,           kButtonWidth,
            kButtonHeight, tooltip, command,     enabledAtStart};
}

MenuItemDesign Item(const char* name, const char* caption, Command command,
                    std::optional<Shortcut> shortcut = std::nullopt) {
    MenuItemDesign item;
    item.name = name;
    item.caption = caption;
    item.command = command;
    item.shortcut = shortcut;
    return item;
}

MenuItemDesign DisabledAtStart(MenuItemDesign item) {
    item.enabledAtStart = false;
    return item;
}

MenuItemDesign CheckItem(MenuItemDesign item) {
    item.checkable = true;
    return item;
}

MenuItemDesign Separator(const char* name) {
    MenuItemDesign item;
    item.name = name;
    item.separator = true;
    return item;
}

Shortcut Ctrl(char key) {
    return {.ctrl = true, .key = key};
}

Shortcut FunctionKey(int number) {
    return {.functionKey = number};
}

MainWindowDesign Build() {
    MainWindowDesign design;
    design.name = kProgramTitle;
    design.caption = kProgramTitle;
    design.outerWidth = 544;
    design.outerHeight = 255;
    design.fontFamily = "MS Sans Serif";
    design.fontPointSize = 8;

    design.buttons = {
        Button("File1Btn", "Select File 1", 24, "Choose the first file to compare",
               Command::SelectFile1),
        Button("Button2", "Select File 2", 56, "Choose the second file to compare",
               Command::SelectFile2),
        Button("Button1", "Select Files", 88, "Choose both files, one after the other",
               Command::SelectFiles),
        Button("Compare2", "Compare", 120, "Start the diff program on the two files",
               Command::Compare, false),
    };

    design.menuBarName = "MainMenu1";
    design.menus = {
        {"FileMenu",
         "File",
         {
             Item("SelectFile11", "Select File 1", Command::SelectFile1, Ctrl('1')),
             Item("SelectFile21", "Select File 2", Command::SelectFile2, Ctrl('2')),
             Item("SelectFiles1", "Select Files", Command::SelectFiles, Ctrl('O')),
             DisabledAtStart(Item("Compare1", "Compare", Command::Compare, FunctionKey(5))),
             Item("SaveFiles1", "Save Files", Command::SaveFiles, Ctrl('S')),
             Separator("N1"),
             Item("Exit1", "Exit", Command::Exit, Ctrl('Q')),
         }},
        {"Options1",
         "Options",
         {
             Item("LocateWwindiff1", "Locate Windiff", Command::LocateWindiff),
             Item("ClearFileList1", "Clear File List", Command::ClearFileList),
             CheckItem(Item("Deletetemps", "Delete temporary Files ", Command::DeleteTemps)),
             // Behind the design's own items, which keep their places.
             Separator("N3"),
             CheckItem(Item("ShortNames1", "Short Copies for Long Names", Command::ShortNames)),
             Item("DiffProgramArguments1", "Diff Program Arguments\u2026",
                  Command::DiffProgramArguments),
         }},
        {"Help3",
         "&Help",
         {
             Item("Help4", "&Help", Command::Help, FunctionKey(1)),
             Item("About2", "&About", Command::About),
             Separator("N2"),
             Item("emailVarnook1", "e-mail Varnook", Command::EmailVarnook),
             Item("VarnookontheWeb1", "Varnook on the Web", Command::VarnookOnTheWeb),
         }},
    };

    design.statusBarName = "StatusBar";
    design.statusBarHeight = 25;
    design.panels = {
        {"Panel0", 200, false, "File 1", "File 1: the first file to compare"},
        {"Panel1", 200, false, "File 2", "File 2: the second file to compare"},
        // Stored width 50, but as the last panel it runs to the right edge.
        {"Panel2", 50, true, "", "Status: whether the two files can be compared"},
    };
    return design;
}

} // namespace

std::string ShortcutText(const Shortcut& shortcut) {
    std::string text = shortcut.ctrl ? "Ctrl+" : "";
    if (shortcut.functionKey > 0) {
        return text + "F" + std::to_string(shortcut.functionKey);
    }
    return shortcut.key != '\0' ? text + shortcut.key : std::string();
}

const MainWindowDesign& MainWindowLayout() {
    static const MainWindowDesign design = Build();
    return design;
}

const char* MessageCaption(MessageKind kind) {
    return kind == MessageKind::Warning ? "Warning" : "Error";
}

const char* MessageButtonCaption(MessageButton button) {
    switch (button) {
    case MessageButton::Ok:
        return "OK";
    case MessageButton::Cancel:
        return "Cancel";
    case MessageButton::Abort:
        return "&Abort";
    }
    return "";
}

} // namespace twinvane
