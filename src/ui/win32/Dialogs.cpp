// SPDX-License-Identifier: MIT
#include "Dialogs.h"

#include "Text.h"
#include "about/ProgramInfo.h"
#include "platform/Exception.h"

#include <cderr.h>
#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>

namespace twinvane::ui::win32 {
namespace {

// Room for the longest path Windows knows, 32767 UTF-16 units, at up to
// three UTF-8 bytes each.
constexpr std::size_t kPathBufferBytes = 3 * 32768;

// "Description\0pattern\0\0", or none.
std::string FilterList(const FileDialogRequest& request) {
    if (request.filterDescription.empty()) {
        return {};
    }
    std::string filter = request.filterDescription;
    filter += '\0';
    filter += request.filterPattern;
    filter += '\0';
    filter += '\0';
    return filter;
}

int ButtonId(MessageButton button) {
    switch (button) {
    case MessageButton::Ok:
        return IDOK;
    case MessageButton::Cancel:
        return IDCANCEL;
    case MessageButton::Abort:
        return IDABORT;
    }
    return IDCANCEL;
}

bool Has(const std::vector<MessageButton>& buttons, MessageButton button) {
    return std::find(buttons.begin(), buttons.end(), button) != buttons.end();
}

MessageButton AnswerOf(int id, const std::vector<MessageButton>& buttons) {
    for (const MessageButton button : buttons) {
        if (ButtonId(button) == id) {
            return button;
        }
    }
    return MessageButton::Cancel;
}

// Buttons that MessageBox has no set for, with captions of their own.
MessageButton AskWithTaskDialog(HWND owner, MessageKind kind, const std::string& text,
                                const std::vector<MessageButton>& buttons) {
    std::vector<std::wstring> captions;
    for (const MessageButton button : buttons) {
        captions.push_back(ToWide(MessageButtonCaption(button)));
    }
    std::vector<TASKDIALOG_BUTTON> list;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        list.push_back({ButtonId(buttons[i]), captions[i].c_str()});
    }
    const std::wstring content = ToWide(DisplayText(text));
    const bool warning = kind == MessageKind::Warning;
    TASKDIALOGCONFIG config{};
    config.cbSize = sizeof config;
    config.hwndParent = owner;
    config.hInstance = ::GetModuleHandleW(nullptr);
    // Escape, Alt+F4 and the close box answer Cancel only where it is offered.
    config.dwFlags = Has(buttons, MessageButton::Cancel) ? TDF_ALLOW_DIALOG_CANCELLATION : 0;
    const std::wstring title = ToWide(MessageCaption(kind));
    config.pszWindowTitle = title.c_str();
    config.pszMainIcon = warning ? TD_WARNING_ICON : TD_ERROR_ICON;
    config.pszContent = content.c_str();
    config.cButtons = static_cast<UINT>(list.size());
    config.pButtons = list.data();
    config.nDefaultButton = Has(buttons, MessageButton::Ok) ? IDOK : list.front().nButtonID;
    int pressed = IDCANCEL;
    const HRESULT result = ::TaskDialogIndirect(&config, &pressed, nullptr, nullptr);
    if (FAILED(result)) {
        throw Exception("Cannot show the question: error " + std::to_string(result));
    }
    return AnswerOf(pressed, buttons);
}

void Show(HWND owner, const std::string& text, UINT icon) {
    if (::MessageBoxA(owner, DisplayText(text).c_str(), kProgramTitle, MB_OK | icon) == 0) {
        throw Exception("Cannot show a message box: " + LastErrorText());
    }
}

} // namespace

std::string DisplayText(const std::string& text) {
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        shown += text[i];
        if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) {
            shown += '\n';
        }
    }
    return shown;
}

std::optional<std::string> RunOpenFileDialog(HWND owner, const FileDialogRequest& request) {
    const std::string filter = FilterList(request);
    std::string buffer(std::max(kPathBufferBytes, request.fileName.size() + 1), '\0');
    for (;;) {
        std::copy(request.fileName.begin(), request.fileName.end(), buffer.begin());
        OPENFILENAMEA dialog{};
        dialog.lStructSize = sizeof dialog;
        dialog.hwndOwner = owner;
        dialog.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
        dialog.nFilterIndex = filter.empty() ? 0 : 1;
        dialog.lpstrFile = buffer.data();
        dialog.nMaxFile = static_cast<DWORD>(buffer.size());
        dialog.lpstrInitialDir =
            request.initialFolder.empty() ? nullptr : request.initialFolder.c_str();
        dialog.lpstrTitle = request.title.c_str();
        dialog.lpstrDefExt =
            request.defaultExtension.empty() ? nullptr : request.defaultExtension.c_str();
        // No OFN_FILEMUSTEXIST or OFN_PATHMUSTEXIST: only the readiness check
        // tells a missing file apart. The current folder stays where it was,
        // so names given relative to it keep their meaning.
        dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
        if (::GetOpenFileNameA(&dialog)) {
            return std::string(buffer.c_str());
        }
        const DWORD error = ::CommDlgExtendedError();
        if (error == 0) {
            return std::nullopt; // cancelled
        }
        // The name did not fit: the first two bytes hold the size it needs.
        const auto needed = static_cast<std::size_t>(static_cast<unsigned char>(buffer[0]) |
                                                     static_cast<unsigned char>(buffer[1]) << 8);
        if (error != FNERR_BUFFERTOOSMALL || buffer.size() >= 4 * kPathBufferBytes) {
            throw Exception("The open-file dialog failed with error " + std::to_string(error));
        }
        buffer.assign(std::max(buffer.size() * 2, needed + 1), '\0');
    }
}

MessageButton AskMessage(HWND owner, MessageKind kind, const std::string& text,
                         const std::vector<MessageButton>& buttons) {
    using enum MessageButton;
    const UINT icon = kind == MessageKind::Warning ? MB_ICONWARNING : MB_ICONERROR;
    UINT set = 0;
    if (buttons == std::vector{Ok}) {
        set = MB_OK;
    } else if (buttons == std::vector{Ok, Cancel}) {
        set = MB_OKCANCEL;
    } else {
        return AskWithTaskDialog(owner, kind, text, buttons);
    }
    const int pressed =
        ::MessageBoxA(owner, DisplayText(text).c_str(), MessageCaption(kind), set | icon);
    if (pressed == 0) {
        throw Exception("Cannot show a message box: " + LastErrorText());
    }
    return AnswerOf(pressed, buttons);
}

void ShowPlainMessage(HWND owner, const std::string& text) {
    Show(owner, text, 0);
}

void ShowErrorBox(HWND owner, const std::string& text) {
    Show(owner, text, MB_ICONERROR);
}

} // namespace twinvane::ui::win32
