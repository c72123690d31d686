// SPDX-License-Identifier: MIT
#pragma once

#include "about/AboutFormFactory.h"

namespace twinvane::ui {

// Makes TAbout forms for the About box, and tells it the primary screen's
// size and the application's title (its display name, else its name).
// Needs a running QApplication.
class QtAboutFormFactory final : public AboutFormFactory {
public:
    std::unique_ptr<AboutForm> CreateForm() override;
    ScreenSize PrimaryScreenSize() const override;
    std::string ApplicationTitle() const override;
};

} // namespace twinvane::ui
