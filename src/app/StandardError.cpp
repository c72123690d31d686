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

std::string ShortTextWithReason(const std::string& text) {
    if (!std::current_exception()) {
        return text;
    }
    try {
        throw;
    } catch (const std::exception& error) {
        return *error.what() != '\0' ? text + "\r" + error.what() : text;
    } catch (...) {
        return text;
    }
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
