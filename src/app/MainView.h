// SPDX-License-Identifier: MIT
#pragma once

#include "CopyProgress.h"
#include "about/AboutFormFactory.h"
#include "platform/Shell.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace twinvane {

enum class MessageKind { Warning, Error };
enum class MessageButton { Ok, Cancel, Abort };

// The title of a message box of `kind`, and what a button says, with its
// mnemonic.
const char* MessageCaption(MessageKind kind);
const char* MessageButtonCaption(MessageButton button);

// The open-file dialogs of the main window.
enum class FileDialogId { Open1, Open2, LocWindiff };

struct FileDialogRequest {
    std::string title;
    std::string initialFolder;
    std::string fileName;
    std::string filterDescription; // empty: no filter, all files shown
    std::string filterPattern;
    std::string defaultExtension; // without the dot; empty for none
};

// A program offered by the first step of Locate Windiff.
struct ProgramOffer {
    std::string name;
    std::string path;
};

// What the first step of Locate Windiff gives: a program offered (by its
// place in the list), the wish to browse, or nothing at all.
struct LocateChoice {
    enum class Kind { Program, Browse, Cancel };
    Kind kind = Kind::Cancel;
    std::size_t index = 0; // for Program
};

// Everything the main window shows or asks. The presenter decides; the view
// only draws and reports the user's answers.
class MainView {
public:
    virtual ~MainView() = default;

    // Status bar panels, numbered by the kPanel* constants of the window's design.
    virtual void SetStatusText(int panel, const std::string& text) = 0;
    // Both the menu item Compare1 and the button Compare2.
    virtual void SetCompareEnabled(bool enabled) = 0;
    virtual void SetDeleteTempsChecked(bool checked) = 0;
    // The check mark of Options > Short Copies for Long Names.
    virtual void SetShortNamesChecked(bool checked) = 0;

    // Shows an open-file dialog; the chosen path, or nothing when cancelled.
    virtual std::optional<std::string> RunOpenDialog(FileDialogId dialog,
                                                     const FileDialogRequest& request) = 0;
    // The dialog of ArgumentsDialogLayout() with `current` in its field; the
    // template accepted, which IsArgumentTemplate takes, or nothing when
    // cancelled.
    virtual std::optional<std::string> RunArgumentsDialog(const std::string& current) = 0;
    // The first step of Locate Windiff (LocateChoiceLayout()): `offers`, never
    // empty, in order, then browsing; what the user chose.
    virtual LocateChoice RunLocateChoice(const std::vector<ProgramOffer>& offers) = 0;
    // A modal box of `kind` with `buttons`; returns the button pressed.
    virtual MessageButton ShowMessage(MessageKind kind, const std::string& text,
                                      const std::vector<MessageButton>& buttons) = 0;
    // Returns once `copies`, running on another thread, have finished.
    // Meanwhile the window keeps painting but takes no input; once
    // copies.ShowDue(), the dialog of CopyProgressLayout() shows
    // copies.Fraction() until they finish, and its Cancel, or the dialog
    // closed, calls copies.Cancel() and waits on.
    virtual void WaitForCopies(CopyProgress& copies) = 0;
    // Caption "Twinvane", no icon, one OK button.
    virtual void ShowPlainMessage(const std::string& text) = 0;
    // Caption "Twinvane", error icon, one OK button; `text` is shown as given.
    virtual void ShowErrorBox(const std::string& text) = 0;

    // Where the About box gets its forms; it must outlive the presenter.
    virtual AboutFormFactory& AboutForms() = 0;
    // The help guide built into the program, for where no help file opens.
    virtual void ShowBuiltInHelp() = 0;

    // Closes the main window; the view then calls FormClose.
    virtual void CloseWindow() = 0;
    virtual platform::WindowHandle NativeHandle() const = 0;
};

} // namespace twinvane
