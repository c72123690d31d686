// SPDX-License-Identifier: MIT
#include "Pictures.h"

// A static library's resources are linked in only when something names them.
static void LoadImageResources() {
    Q_INIT_RESOURCE(twinvane_images);
}

namespace twinvane::ui {

QIcon ApplicationIcon() {
    LoadImageResources();
    return QIcon(QStringLiteral(":/twinvane/images/twinvane.png"));
}

QImage BuiltInLogo() {
    LoadImageResources();
    return QImage(QStringLiteral(":/twinvane/images/logo.bmp"), "BMP");
}

} // namespace twinvane::ui
