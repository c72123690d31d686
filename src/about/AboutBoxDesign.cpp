// SPDX-License-Identifier: MIT
#include "about/AboutBoxDesign.h"

#include "about/MakerLines.h"
#include "about/ProgramInfo.h"

namespace twinvane {

void ApplyMainWindowAboutDesign(TVarnookAboutBox& aboutBox) {
    aboutBox.SetCopyright(kMakerCopyright);
    aboutBox.SetTextLeft(20);
    aboutBox.SetTextCentered(true);
    aboutBox.SetCaption(kProgramTitle);
    aboutBox.SetHeight(140);
    aboutBox.SetWidth(160);
    aboutBox.SetTop(144);
    aboutBox.SetLeft(456);
    aboutBox.SetDefaultIcon(false);
}

} // namespace twinvane
