// SPDX-License-Identifier: MIT
#pragma once

#include "about/TVarnookAboutBox.h"

namespace twinvane {

// The main window's stored design of its AboutBox, set in the class's
// property order: Copyright the maker's line, TextLeft 20, TextCentered true,
// Caption "Twinvane", Height 140, Width 160, Top 144, Left 456, DefaultIcon
// false. Title, Version, Author and IconFile are left empty; Filename is the
// main window's to set when it first becomes active.
void ApplyMainWindowAboutDesign(TVarnookAboutBox& aboutBox);

} // namespace twinvane
