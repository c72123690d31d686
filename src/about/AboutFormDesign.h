// SPDX-License-Identifier: MIT
#pragma once

#include "about/AboutForm.h"

#include <array>
#include <string>

namespace twinvane {

// A control of the About form at its design place. Lengths are pixels in
// the form's client area; a text label's width and height are 0, as it
// sizes itself to its text.
struct AboutControlDesign {
    std::string name;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The About form as it is built, before the About box fills and sizes it:
// a fixed-size dialog with only a close box, kept above other windows and
// centred on the screen when shown, in the application's font.
struct AboutFormDesign {
    std::string name;
    int clientWidth = 0;
    int clientHeight = 0;
    std::array<AboutControlDesign, 4> labels; // indexed by AboutLabel
    AboutControlDesign logo;                  // clips its picture, drawn from its top left
    std::string logoAccessibleName;
    int applicationIconSize = 0; // the square icon shown when no file is given
    AboutControlDesign okButton; // the default button, first in the tab order
    std::string okCaption;
};

// The one description of the About form that every front end builds from.
const AboutFormDesign& AboutFormLayout();

} // namespace twinvane
