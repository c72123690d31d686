// SPDX-License-Identifier: MIT
#include "ArgumentsDialog.h"

#include "Text.h"
#include "app/ArgumentsDialogDesign.h"
#include "app/DiffArguments.h"
#include "platform/Exception.h"

#include <cstdint>
#include <vector>

namespace twinvane::ui::win32 {
namespace {

// An in-memory dialog template: Windows then gives the dialog its own
// keyboard handling (Tab, Enter, Escape, the label's mnemonic) and names the
// field after the label before it for screen readers.
class DialogTemplate {
public:
    DialogTemplate(const std::string& title, short width, short height) {
        Align();
        Put(DS_SETFONT | DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU);
        Put(0); // extended style
        countAt_ = words_.size();
        Word(0);
        Word(0);
        Word(0);
        Word(static_cast<std::uint16_t>(width));
        Word(static_cast<std::uint16_t>(height));
        Word(0); // no menu
        Word(0); // the standard dialog class
        Text(ToWide(title));
        Word(8);
        Text(L"MS Shell Dlg");
    }

    void Add(const wchar_t* kind, const std::string& text, int id, DWORD style, short x, short y,
             short cx, short cy) {
        Align();
        Put(style | WS_CHILD | WS_VISIBLE);
        Put(0);
        Word(static_cast<std::uint16_t>(x));
        Word(static_cast<std::uint16_t>(y));
        Word(static_cast<std::uint16_t>(cx));
        Word(static_cast<std::uint16_t>(cy));
        Word(static_cast<std::uint16_t>(id));
        Text(kind);
        Text(ToWide(text));
        Word(0); // no creation data
        ++words_[countAt_];
    }

    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    void Word(std::uint16_t word) { words_.push_back(word); }
    void Put(DWORD value) {
        Word(static_cast<std::uint16_t>(value & 0xFFFF));
        Word(static_cast<std::uint16_t>(value >> 16));
    }
    void Text(const std::wstring& text) {
        for (const wchar_t c : text) {
            Word(static_cast<std::uint16_t>(c));
        }
        Word(0);
    }
    void Align() {
        if (words_.size() % 2 != 0) {
            Word(0);
        }
    }

    std::vector<std::uint16_t> words_;
    std::size_t countAt_ = 0;
};

struct Exchange {
    std::string text;
};

std::string FieldText(HWND dialog) {
    const HWND field = ::GetDlgItem(dialog, kArgumentsFieldId);
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(field)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(field, text.data(), static_cast<int>(text.size()))));
    return FromWide(text);
}

void Check(HWND dialog) {
    const bool valid = IsArgumentTemplate(FieldText(dialog));
    ::EnableWindow(::GetDlgItem(dialog, IDOK), valid);
    // Hidden text is not read out, so the hint speaks only when it applies.
    ::ShowWindow(::GetDlgItem(dialog, kArgumentsHintId), valid ? SW_HIDE : SW_SHOW);
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* exchange = reinterpret_cast<Exchange*>(::GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        exchange = reinterpret_cast<Exchange*>(lParam);
        ::SetDlgItemTextW(dialog, kArgumentsFieldId, ToWide(exchange->text).c_str());
        Check(dialog);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case kArgumentsFieldId:
            if (HIWORD(wParam) == EN_CHANGE) {
                Check(dialog);
            }
            return TRUE;
        case IDOK:
            exchange->text = FieldText(dialog);
            // Enter reaches OK even while it is disabled.
            if (IsArgumentTemplate(exchange->text)) {
                ::EndDialog(dialog, IDOK);
            }
            return TRUE;
        case IDCANCEL:
            ::EndDialog(dialog, IDCANCEL);
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}

} // namespace

std::optional<std::string> RunArgumentsDialog(HWND owner, const std::string& current) {
    const ArgumentsDialogDesign& design = ArgumentsDialogLayout();
    DialogTemplate form(design.title, 260, 96);
    const DWORD label = SS_LEFT;
    form.Add(L"STATIC", design.label, -1, label, 7, 7, 246, 9);
    form.Add(L"EDIT", "", kArgumentsFieldId, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 18, 246,
             13);
    form.Add(L"STATIC", design.example, -1, label, 7, 36, 246, 18);
    form.Add(L"STATIC", design.hint, kArgumentsHintId, label, 7, 56, 246, 9);
    form.Add(L"BUTTON", design.ok, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 149, 75, 50, 14);
    form.Add(L"BUTTON", design.cancel, IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 203, 75, 50, 14);
    Exchange exchange{current};
    const INT_PTR result =
        ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr), form.Get(), owner, DialogProc,
                                  reinterpret_cast<LPARAM>(&exchange));
    if (result == -1) {
        throw Exception("Cannot show the arguments dialog: " + LastErrorText());
    }
    if (result != IDOK) {
        return std::nullopt;
    }
    return exchange.text;
}

} // namespace twinvane::ui::win32
