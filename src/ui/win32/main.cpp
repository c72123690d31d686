// SPDX-License-Identifier: MIT
#include "AboutDialog.h"
#include "Dialogs.h"
#include "MainWindow.h"
#include "Text.h"
#include "about/ProgramInfo.h"
#include "app/File1Commands.h"
#include "app/ProgramArguments.h"
#include "app/RegistrySettingsStorage.h"
#include "app/StandardError.h"
#include "platform/CommandLine.h"
#include "platform/ShellLauncher.h"

#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

namespace {

// The arguments after the program's name, split by the system's rules and
// read in UTF-16, so that file names in any script arrive whole.
std::vector<std::string> CommandLineArguments() {
    auto arguments =
        twinvane::platform::SplitCommandLine(twinvane::ui::win32::FromWide(::GetCommandLineW()));
    if (!arguments.empty()) {
        arguments.erase(arguments.begin());
    }
    return arguments;
}

// A program without a console answers --help and --version in a box.
void Tell(const std::string& text) {
    ::MessageBoxA(nullptr, text.c_str(), twinvane::kProgramTitle, MB_OK | MB_ICONINFORMATION);
}

// --print-file1 writes to the standard output its caller gave (a pipe); a
// program without a console has none when started from a desktop.
void Print(const std::string& text) {
    const HANDLE output = ::GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD written = 0;
    if (output == nullptr || output == INVALID_HANDLE_VALUE ||
        !::WriteFile(output, text.data(), static_cast<DWORD>(text.size()), &written, nullptr)) {
        Tell(text);
    }
}

// --file1 and --print-file1: the settings alone, no window.
int RunFile1Command(const twinvane::ProgramArguments& arguments) {
    twinvane::RegistrySettingsStorage storage;
    if (arguments.action == twinvane::ProgramArguments::Action::StoreFile1) {
        twinvane::StoreFile1(storage, arguments.files.front());
    } else {
        Print(twinvane::StoredFile1(storage) + "\n");
    }
    return EXIT_SUCCESS;
}

int RunMainWindow(HINSTANCE instance, int showCommand,
                  const twinvane::ProgramArguments& arguments) {
    using namespace twinvane;
    RegistrySettingsStorage storage;
    ui::win32::AboutDialogFactory aboutForms(instance);
    ui::win32::MainWindow window(aboutForms, storage, platform::SystemShell());
    aboutForms.SetOwner(window.Handle());
    window.onDestroyed = [] {
        ::PostQuitMessage(0);
    };
    window.Presenter().SetCommandLine(arguments);
    if (arguments.action == ProgramArguments::Action::Run) {
        window.Show(showCommand);
    } else {
        window.CompareFromCommandLine(showCommand);
    }
    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!window.PreTranslate(message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}

// The program's course; what it raises ends the program with a box.
int Main(HINSTANCE instance, int showCommand) {
    using Action = twinvane::ProgramArguments::Action;
    const auto arguments = twinvane::ParseProgramArguments(CommandLineArguments());
    switch (arguments.action) {
    case Action::ShowHelp:
        Tell(twinvane::UsageText());
        return EXIT_SUCCESS;
    case Action::ShowVersion:
        Tell(twinvane::VersionText());
        return EXIT_SUCCESS;
    case Action::Refuse:
        twinvane::ui::win32::ShowErrorBox(nullptr, twinvane::RefusalText(arguments.message) + "\r" +
                                                       twinvane::kTryHelpText);
        return twinvane::kExitUsage;
    case Action::StoreFile1:
    case Action::PrintFile1:
        return RunFile1Command(arguments);
    case Action::Run:
    case Action::Compare:
    case Action::CompareWithFile1:
        break;
    }
    return RunMainWindow(instance, showCommand, arguments);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    try {
        return Main(instance, showCommand);
    } catch (const std::exception& error) {
        try {
            twinvane::ui::win32::ShowErrorBox(nullptr, twinvane::StandardErrorText(error.what()));
        } catch (...) {
            // Not even a box could be shown; the exit status tells.
        }
    } catch (...) {
    }
    return EXIT_FAILURE;
}
