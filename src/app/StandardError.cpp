// SPDX-License-Identifier: MIT
#include "StandardError.h"

#include <exception>

namespace twinvane {

std::string StandardErrorText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') {
        return message + ".";
    }
    return message;
}

void RunHandler(MainView& view, const std::function<void()>& handler) noexcept {
    try {
        try {
            handler();
        } catch (const std::exception& error) {
            view.ShowErrorBox(StandardErrorText(error.what()));
        } catch (...) {
            view.ShowErrorBox(StandardErrorText("Unexpected error"));
        }
    } catch (...) {
        // Showing the box itself failed; there is nobody left to tell.
    }
}

} // namespace twinvane
