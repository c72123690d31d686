// SPDX-License-Identifier: MIT
#include "QtAboutFormFactory.h"

#include "TAbout.h"

#include <QGuiApplication>
#include <QScreen>

namespace twinvane::ui {

std::unique_ptr<AboutForm> QtAboutFormFactory::CreateForm() {
    // Owned by the application, not by a window: the caller releases it.
    return std::make_unique<TAbout>();
}

ScreenSize QtAboutFormFactory::PrimaryScreenSize() const {
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (primary == nullptr) {
        return {};
    }
    const QSize size = primary->size();
    return {size.width(), size.height()};
}

std::string QtAboutFormFactory::ApplicationTitle() const {
    return QGuiApplication::applicationDisplayName().toStdString();
}

} // namespace twinvane::ui
