// SPDX-License-Identifier: MIT
#include "CopyProgressWait.h"

#include "Text.h"
#include "app/CopyProgressDesign.h"

#include <commctrl.h>

#include <cmath>
#include <functional>
#include <string>

namespace twinvane::ui::win32 {
namespace {

bool IsInput(UINT message) {
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK);
}

// Dispatches everything but input until `done()`, which is asked at once
// and after every message or poll interval. False when a quit came first; it
// is passed on to the loop outside.
bool PumpUntil(const std::function<bool()>& done) {
    while (!done()) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE,
                                    static_cast<DWORD>(CopyProgressLayout().pollMs), QS_ALLINPUT);
        MSG message{};
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                ::PostQuitMessage(static_cast<int>(message.wParam));
                return false;
            }
            if (!IsInput(message.message)) {
                ::TranslateMessage(&message);
                ::DispatchMessageW(&message);
            }
        }
    }
    return true;
}

// The owner takes no input while the copies run, as under a modal dialog.
class DisabledWhileCopying {
public:
    explicit DisabledWhileCopying(HWND owner)
        : owner_(owner), wasEnabled_(::EnableWindow(owner, FALSE) == 0) {}
    ~DisabledWhileCopying() {
        if (wasEnabled_) {
            ::EnableWindow(owner_, TRUE);
        }
    }
    DisabledWhileCopying(const DisabledWhileCopying&) = delete;
    DisabledWhileCopying& operator=(const DisabledWhileCopying&) = delete;

private:
    HWND owner_;
    bool wasEnabled_;
};

struct DialogState {
    CopyProgress& copies;
    int steps;
    bool finished = false; // seen by the dialog, which then closes itself
};

int Position(const DialogState& state) {
    return static_cast<int>(std::lround(state.copies.Fraction() * state.steps));
}

HRESULT CALLBACK OnDialogEvent(HWND dialog, UINT event, WPARAM wParam, LPARAM, LONG_PTR data) {
    auto& state = *reinterpret_cast<DialogState*>(data);
    switch (event) {
    case TDN_CREATED:
        ::SendMessageW(dialog, TDM_SET_PROGRESS_BAR_RANGE, 0, MAKELPARAM(0, state.steps));
        ::SendMessageW(dialog, TDM_SET_PROGRESS_BAR_POS, Position(state), 0);
        break;
    case TDN_TIMER:
        if (state.copies.Finished()) {
            state.finished = true;
            ::SendMessageW(dialog, TDM_CLICK_BUTTON, IDCANCEL, 0);
        } else {
            ::SendMessageW(dialog, TDM_SET_PROGRESS_BAR_POS, Position(state), 0);
        }
        break;
    case TDN_BUTTON_CLICKED:
        if (wParam == IDCANCEL && !state.finished) {
            state.copies.Cancel();
        }
        break;
    default:
        break;
    }
    return S_OK;
}

void ShowProgress(HWND owner, CopyProgress& copies) {
    const CopyProgressDesign& design = CopyProgressLayout();
    const std::wstring title = ToWide(design.title);
    const std::wstring text = ToWide(design.text);
    const std::wstring cancel = ToWide(design.cancel);
    const TASKDIALOG_BUTTON buttons[] = {{IDCANCEL, cancel.c_str()}};
    DialogState state{copies, design.steps};
    TASKDIALOGCONFIG config{};
    config.cbSize = sizeof config;
    config.hwndParent = owner;
    config.hInstance = ::GetModuleHandleW(nullptr);
    config.dwFlags = TDF_SHOW_PROGRESS_BAR | TDF_CALLBACK_TIMER | TDF_ALLOW_DIALOG_CANCELLATION |
                     TDF_POSITION_RELATIVE_TO_WINDOW;
    config.pszWindowTitle = title.c_str();
    config.pszContent = text.c_str();
    config.cButtons = 1;
    config.pButtons = buttons;
    // Enter and Escape both press Cancel, the only answer.
    config.nDefaultButton = IDCANCEL;
    config.pfCallback = OnDialogEvent;
    config.lpCallbackData = reinterpret_cast<LONG_PTR>(&state);
    const HRESULT shown = ::TaskDialogIndirect(&config, nullptr, nullptr, nullptr);
    // A dialog that could not show, or closed without its Cancel (by the
    // end of the session), cancels too: nothing else would end the wait.
    if (FAILED(shown) || !state.finished) {
        copies.Cancel();
    }
}

} // namespace

void WaitForCopies(HWND owner, CopyProgress& copies) {
    const DisabledWhileCopying disabled(owner);
    if (!PumpUntil([&] { return copies.Finished() || copies.ShowDue(); })) {
        copies.Cancel();
        return;
    }
    if (!copies.Finished()) {
        ShowProgress(owner, copies);
    }
    // A cancelled copy still removes what it wrote.
    if (!PumpUntil([&] { return copies.Finished(); })) {
        copies.Cancel();
    }
}

} // namespace twinvane::ui::win32
