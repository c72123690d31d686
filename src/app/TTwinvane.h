// SPDX-License-Identifier: MIT
#pragma once

#include "ComparisonState.h"
#include "KnownPrograms.h"
#include "MainView.h"
#include "MainWindowDesign.h"
#include "PendingDeletion.h"
#include "ProgramArguments.h"
#include "SettingsStorage.h"
#include "about/TVarnookAboutBox.h"
#include "platform/ShellLauncher.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace twinvane {

// The main window's behaviour: it owns the comparison state and carries the
// handlers of the buttons and menu items. Everything visible goes through
// the view. Handlers may raise; the view runs each through RunHandler.
class TTwinvane {
public:
    // The About box takes its forms from the view's factory and the main
    // window's stored design.
    TTwinvane(MainView& view, SettingsStorage& storage, platform::ShellLauncher& shell);

    // Runs the handler of a button or menu item.
    void RunCommand(Command command);

    // Files named on the command line: at the first activation, once the
    // settings are loaded, the first replaces File 1 and the second File 2,
    // as a selection would. Relative names are made absolute now, against
    // the current folder.
    void SetCommandLineFiles(const std::vector<std::string>& names);
    // The same for File 2 alone, File 1 staying as stored.
    void SetCommandLineFile2(const std::string& name);
    // The files of the command line, as its action takes them: File 2 alone
    // for "--compare-with-file1", else as SetCommandLineFiles.
    void SetCommandLine(const ProgramArguments& arguments);

    // What a comparison asked for on the command line leaves for the view.
    enum class StartOutcome {
        ShowWindow, // the user must finish the choice in the window
        Wait,       // the diff program runs on copies due for deletion
        End,        // nothing left to do: save and end
    };
    // The start-up work, then Compare on the files of the command line,
    // with every question of the design. When File 1 is empty or the
    // comparison is not ready, the window is needed before any question;
    // so it is when the comparison could not start.
    StartOutcome CompareAtStart();
    // Whether a diff program started on copies due for deletion still runs.
    bool WaitsForCleanUp() const noexcept { return pendingDeletion_.Follows(); }

    // Start-up work, done at the first activation only.
    void FormActivate();
    // Enables Compare and shows "READY" when both files and the diff program
    // exist as files; otherwise shows why not. Never disables Compare.
    bool CheckReady();

    void File1BtnClick();
    void File2BtnClick();
    void SelectFiles1Click();
    void Compare1Click() { Compare(); }
    bool CheckPathLength();
    // With a batch file as the diff program, offers the temporary copies in
    // place of a name its command interpreter would alter; false when the
    // user ends the comparison.
    bool CheckNamesReachProgram();
    // Deletes the temporary copies whose diff program has ended. Cheap; the
    // view calls it about once a second, on the user-interface thread.
    void PollPendingDeletion() { pendingDeletion_.Poll(); }
    // Offers the known diff programs found on this system first, then the
    // file dialog; with none found, the file dialog opens at once. The
    // program chosen brings its arguments and short-name choice.
    void LocateWindiffClick();
    void SaveFiles1Click() { SaveSettings(); }
    void ClearFileList1Click();
    void DeletetempsClick();
    // Options > Short Copies for Long Names: whether long names are offered
    // short copies. Stored when the settings are next saved.
    void ShortNames1Click();
    // Options > Diff Program Arguments: edits the argument template and
    // saves it.
    void DiffProgramArguments1Click();
    void Exit1Click();
    // Saves the settings as the window closes; a failure is reported and
    // the window closes anyway.
    void FormClose();
    // The session is ending or the program was asked to end, possibly while
    // a handler waits for an answer. From now on every question is answered
    // with the choice that does nothing (Abort for the length question,
    // Cancel for the clean-up), whatever the box returned, and Compare
    // starts nothing: an ending program never starts a program or copies or
    // deletes a file. The view then closes the window as usual.
    // Copies to the temporary names under way are cancelled.
    void RequestEnd() noexcept {
        ending_ = true;
        if (copying_ != nullptr) {
            copying_->Cancel();
        }
    }

    void Help2Click();
    void About1Click();
    // A new mail to the maker's support address, and the maker's web site.
    void emailVarnook1Click();
    void VarnookontheWeb1Click();

    // Files dropped on the window: two set File 1 and File 2 in order.
    void FilesDropped(const std::vector<std::string>& paths);
    // One file dropped on a button: on the one that selects File 1 it
    // becomes File 1, on the one that selects File 2 File 2; on any other
    // it is ignored.
    void FileDroppedOn(Command button, const std::string& path);

    void LoadSettings();
    void SaveSettings();

    const ComparisonState& State() const noexcept { return state_; }
    const std::string& HelpFile() const noexcept { return helpFile_; }
    TVarnookAboutBox& AboutBox() noexcept { return aboutBox_; }

private:
    enum class CompareOutcome { Started, Declined, NotStarted };
    CompareOutcome Compare();
    void SetFile1(const std::string& path);
    void SetFile2(const std::string& path);
    // Makes `path` the diff program, with the arguments and the short-name
    // choice the table gives `known`, or the design's for a program it does
    // not know (null).
    void UseProgram(const std::string& path, const KnownProgram* known);
    // Copies the files to the temporary names while the view shows the
    // progress; false when the user cancelled or the program is ending, with
    // no copy left and the state as it was.
    bool CopyToTemporaryNames();
    void OfferCleanUp(std::unique_ptr<platform::RunningProgram> program);
    void ApplyCommandLineFiles();
    // Asks through the view; `nothing` when the program is ending.
    MessageButton Ask(MessageKind kind, const std::string& text,
                      const std::vector<MessageButton>& buttons, MessageButton nothing);

    MainView& view_;
    SettingsStorage& storage_;
    platform::ShellLauncher& shell_;
    ComparisonState state_;
    // What the last load or save left in the store as far as this window
    // knows: a save writes only the values changed since, so that a value
    // the load could not read is not lost to a default, and a value another
    // Twinvane stored meanwhile (a File 1 chosen in the file manager) is not
    // undone by one this window never touched.
    StoredSettings loaded_;
    TVarnookAboutBox aboutBox_;
    std::array<std::optional<std::string>, 2> commandLineFiles_;
    std::string helpFile_;
    bool activated_ = false;
    bool ending_ = false;
    CopyProgress* copying_ = nullptr; // while the view waits for copies
    PendingDeletion pendingDeletion_;
};

} // namespace twinvane
