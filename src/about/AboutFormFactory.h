// SPDX-License-Identifier: MIT
#pragma once

#include "about/AboutForm.h"

#include <memory>
#include <string>

namespace twinvane {

struct ScreenSize {
    int width = 0;
    int height = 0;
};

// What the About box needs of the toolkit: a fresh About form for each call,
// and the two facts of the application it starts from.
class AboutFormFactory {
public:
    virtual ~AboutFormFactory() = default;

    // A new form with its design, not shown; the caller owns and releases it.
    virtual std::unique_ptr<AboutForm> CreateForm() = 0;

    // The primary screen's size in pixels as the system reports it.
    virtual ScreenSize PrimaryScreenSize() const = 0;

    // The application's title, as the standard error box shows it.
    virtual std::string ApplicationTitle() const = 0;
};

} // namespace twinvane
