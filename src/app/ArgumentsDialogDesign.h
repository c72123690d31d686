// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace twinvane {

// The dialog of Options > Diff Program Arguments: one text field that shows
// the diff program's argument template, OK and Cancel. OK is offered only
// while the template names both files.
struct ArgumentsDialogDesign {
    std::string title;
    std::string label;   // names the field, with its mnemonic
    std::string hint;    // says what the field needs while OK is refused
    std::string example; // says what %1 and %2 stand for
    std::string ok;
    std::string cancel;
    int width = 0; // client area, pixels at 96 dots per inch
    int height = 0;
};

const ArgumentsDialogDesign& ArgumentsDialogLayout();

} // namespace twinvane
