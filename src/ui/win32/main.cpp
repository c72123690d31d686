// SPDX-License-Identifier: MIT
#include "AboutDialog.h"
#include "Dialogs.h"
#include "MainWindow.h"
#include "Text.h"
#include "about/ProgramInfo.h"
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

int RunMainWindow(HINSTANCE instance, int showCommand, const std::vector<std::string>& files) {
    using namespace twinvane;
    RegistrySettingsStorage storage;
    ui::win32::AboutDialogFactory aboutForms(instance);
    ui::win32::MainWindow window(aboutForms, storage, platform::SystemShell());
    aboutForms.SetOwner(window.Handle());
    window.Presenter().SetCommandLineFiles(files);
    window.onDestroyed = [] {
        ::PostQuitMessage(0);
    };
    window.Show(showCommand);
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
    case Action::Run:
        break;
    }
    return RunMainWindow(instance, showCommand, arguments.files);
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
