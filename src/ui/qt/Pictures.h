// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>
#include <QImage>

namespace twinvane::ui {

// The application's icon, 32 by 32: the windows' icon and the About box's
// picture when it has no file of its own.
QIcon ApplicationIcon();

// The About form's built-in logo, a 147 by 120, 256-colour bitmap.
QImage BuiltInLogo();

} // namespace twinvane::ui
