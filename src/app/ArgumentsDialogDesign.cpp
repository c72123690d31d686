// SPDX-License-Identifier: MIT
#include "ArgumentsDialogDesign.h"

namespace twinvane {

const ArgumentsDialogDesign& ArgumentsDialogLayout() {
    static const ArgumentsDialogDesign design{
        .title = "Diff Program Arguments",
        .label = "&Arguments of the diff program:",
        .hint = "The arguments must name both files: %1 and %2.",
        .example = "%1 stands for File 1 and %2 for File 2, for example \"%1\" \"%2\".",
        .ok = "OK",
        .cancel = "Cancel",
        .width = 420,
        .height = 130,
    };
    return design;
}

} // namespace twinvane
