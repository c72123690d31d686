// SPDX-License-Identifier: MIT
#include "about/AboutFormDesign.h"

#include "about/ProgramInfo.h"

namespace twinvane {
namespace {

AboutFormDesign Build() {
    AboutFormDesign design;
    design.name = "About";
    design.clientWidth = 180;
    design.clientHeight = 254;
    design.labels = {
        {{"WTitle", 32, 15}, {"WCopyright", 32, 30}, {"WAuthor", 32, 45}, {"WVersion", 32, 60}}};
    design.logo = {"Logo", 8, 80, 137, 121};
    design.logoAccessibleName = std::string(kProgramTitle) + " logo";
    design.applicationIconSize = 32;
    design.okButton = {"OkButton", 40, 218, 97, 25};
    design.okCaption = "OK";
    return design;
}

} // namespace

const AboutFormDesign& AboutFormLayout() {
    static const AboutFormDesign design = Build();
    return design;
}

} // namespace twinvane
