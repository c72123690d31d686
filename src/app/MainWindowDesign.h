// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace twinvane {

// What a button or a menu item runs. A front end forwards the command to
// TTwinvane::RunCommand, which holds the one map from commands to handlers.
enum class Command {
    SelectFile1,
    SelectFile2,
    SelectFiles,
    Compare,
    SaveFiles,
    Exit,
    LocateWindiff,
    ClearFileList,
    DeleteTemps,
    Help,
    About,
    EmailVarnook,
    VarnookOnTheWeb,
    ShortNames,
    DiffProgramArguments,
};

// The status bar panels, left to right.
inline constexpr int kPanelFile1 = 0;
inline constexpr int kPanelFile2 = 1;
inline constexpr int kPanelReadiness = 2;
inline constexpr int kPanelCount = 3;

// A keyboard shortcut: Ctrl (or not) with a letter or digit, or a function
// key alone. The letter is upper case, so it is also the key's Win32
// virtual-key code and its Qt key number.
struct Shortcut {
    bool ctrl = false;
    char key = '\0';     // 'A'-'Z' or '0'-'9'; '\0' when functionKey is set
    int functionKey = 0; // 1-12 for F1-F12
};

// The shortcut as menus show it: "Ctrl+O", "F5".
std::string ShortcutText(const Shortcut& shortcut);

// Captions mark their mnemonic with '&' before the letter ("&Help"), the
// convention of both Qt and Win32; "&&" shows one ampersand. Lengths and
// places are pixels; a button's place is in the window's client area below
// the menu bar.
struct ButtonDesign {
    std::string name; // the control's name, e.g. "File1Btn"
    std::string caption;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::string tooltip;
    Command command = Command::SelectFile1;
    bool enabledAtStart = true;
};

struct MenuItemDesign {
    std::string name; // e.g. "SelectFile11"; separators have names too ("N1")
    bool separator = false;
    std::string caption;            // empty for a separator
    std::optional<Command> command; // absent only for a separator
    std::optional<Shortcut> shortcut;
    bool checkable = false; // shows a check mark that the presenter sets
    bool enabledAtStart = true;
};

struct MenuDesign {
    std::string name; // e.g. "FileMenu"
    std::string caption;
    std::vector<MenuItemDesign> items;
};

struct StatusPanelDesign {
    std::string name;       // "Panel0"...
    int width = 0;          // ignored for the panel that fills the rest
    bool fillsRest = false; // runs to the right edge; a long text is cut off
    std::string initialText;
    // Assistive technology reads the shown text as the panel's name; the
    // description says which panel it is.
    std::string accessibleDescription;
};

// The main window as the user first sees it, before any setting is loaded.
struct MainWindowDesign {
    std::string name; // the window's object name
    std::string caption;
    int outerWidth = 0; // frame included, centred on the screen when it opens
    int outerHeight = 0;
    // The design's font, where the system has it; else the desktop's own
    // font at the same size, so that the fixed layout still fits.
    std::string fontFamily;
    int fontPointSize = 0;
    std::vector<ButtonDesign> buttons;
    std::string menuBarName;
    std::vector<MenuDesign> menus;
    std::string statusBarName;
    int statusBarHeight = 0;
    std::vector<StatusPanelDesign> panels; // indexed by the kPanel* numbers
};

// The one description of the main window that every front end builds from.
const MainWindowDesign& MainWindowLayout();

} // namespace twinvane
