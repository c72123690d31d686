// SPDX-License-Identifier: MIT
#include "LocateChoiceDesign.h"

namespace twinvane {

const LocateChoiceDesign& LocateChoiceLayout() {
    static const LocateChoiceDesign design{
        .title = "Locate Windiff",
        .instruction = "Choose the diff program that Compare starts",
        .listName = "Diff programs found",
        .browse = "&Browse\u2026",
        .browseNote = "Choose another program file",
        .cancel = "Cancel",
    };
    return design;
}

} // namespace twinvane
