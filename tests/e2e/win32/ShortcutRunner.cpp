// SPDX-License-Identifier: MIT
// Does with a shortcut what the Start menu does, for the installer's test:
//   shortcut_runner show LINK           prints the target, the arguments and
//                                       the working folder, one a line
//   shortcut_runner run LINK CAPTION [COMMAND...]
//                                       starts the target as the shortcut
//                                       says, waits for its main window
//                                       titled CAPTION, runs COMMAND if
//                                       given and prints its exit status,
//                                       closes the window with WM_CLOSE and
//                                       waits for the program to end; fails
//                                       unless the program ends with 0
//   shortcut_runner send LINK CAPTION FILE...
//                                       the same with the files added to the
//                                       command line, as Send To adds them
//   shortcut_runner verb VERB FILE      runs the context-menu verb VERB on
//                                       FILE as Explorer does, waits for the
//                                       program and prints its exit status
// Texts are printed in UTF-8, the code page of the program's manifest.
#include "ui/win32/Text.h"

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

namespace {

using namespace std::chrono_literals;
using twinvane::ui::win32::FromWide;

struct HandleCloser {
    void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

struct ComReleaser {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <class T> using ComPtr = std::unique_ptr<T, ComReleaser>;

class ComSession {
public:
    ComSession() {
        if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
            throw std::runtime_error("COM did not start");
        }
    }
    ComSession(const ComSession&) = delete;
    ComSession& operator=(const ComSession&) = delete;
    ~ComSession() { ::CoUninitialize(); }
};

struct LocalFreer {
    void operator()(wchar_t** block) const { ::LocalFree(block); }
};

// The arguments as given, whatever the code page.
std::vector<std::wstring> Arguments() {
    int count = 0;
    const std::unique_ptr<wchar_t*, LocalFreer> list(
        ::CommandLineToArgvW(::GetCommandLineW(), &count));
    if (list == nullptr) {
        throw std::runtime_error("the command line cannot be read");
    }
    return {list.get() + 1, list.get() + count};
}

struct Shortcut {
    std::wstring target;
    std::wstring arguments;
    std::wstring folder;
};

Shortcut ReadShortcut(const std::wstring& path) {
    IShellLinkW* rawLink = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  reinterpret_cast<void**>(&rawLink)))) {
        throw std::runtime_error("no shell link object");
    }
    const ComPtr<IShellLinkW> link(rawLink);
    IPersistFile* rawFile = nullptr;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&rawFile)))) {
        throw std::runtime_error("the shell link cannot be loaded");
    }
    const ComPtr<IPersistFile> file(rawFile);
    if (FAILED(file->Load(path.c_str(), STGM_READ))) {
        throw std::runtime_error("cannot read the shortcut " + FromWide(path));
    }
    // INFOTIPSIZE is the arguments' own limit; paths are far shorter.
    std::wstring buffer(INFOTIPSIZE, L'\0');
    Shortcut shortcut;
    const auto take = [&buffer](HRESULT result, std::wstring& into) {
        if (FAILED(result)) {
            throw std::runtime_error("the shortcut cannot be read");
        }
        into = buffer.c_str();
    };
    take(link->GetPath(buffer.data(), INFOTIPSIZE, nullptr, SLGP_RAWPATH), shortcut.target);
    take(link->GetArguments(buffer.data(), INFOTIPSIZE), shortcut.arguments);
    take(link->GetWorkingDirectory(buffer.data(), INFOTIPSIZE), shortcut.folder);
    return shortcut;
}

struct WindowSearch {
    DWORD process;
    std::wstring caption;
    HWND main = nullptr;
    HWND dialog = nullptr;
};

BOOL CALLBACK VisitWindow(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<WindowSearch*>(parameter);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process != search.process || !::IsWindowVisible(window)) {
        return TRUE;
    }
    wchar_t className[64] = {};
    ::GetClassNameW(window, className, 64);
    // The standard dialog class: a message box at start-up is a failure.
    if (std::wstring(className) == L"#32770") {
        search.dialog = window;
        return TRUE;
    }
    std::wstring caption(256, L'\0');
    caption.resize(static_cast<std::size_t>(::GetWindowTextW(window, caption.data(), 256)));
    if (caption == search.caption) {
        search.main = window;
    }
    return TRUE;
}

// Starts a program and waits for it; its exit status.
DWORD RunToEnd(std::wstring commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &started)) {
        throw std::runtime_error("cannot start " + FromWide(commandLine));
    }
    const Handle process(started.hProcess);
    const Handle thread(started.hThread);
    DWORD code = 1;
    if (::WaitForSingleObject(process.get(), 120000) != WAIT_OBJECT_0 ||
        !::GetExitCodeProcess(process.get(), &code)) {
        ::TerminateProcess(process.get(), 1);
        throw std::runtime_error(FromWide(commandLine) + " did not end");
    }
    return code;
}

std::wstring Quoted(const std::wstring& text) {
    return L"\"" + text + L"\"";
}

int Run(const Shortcut& shortcut, const std::wstring& caption, const std::wstring& sent,
        const std::wstring& meanwhile) {
    std::wstring commandLine = Quoted(shortcut.target);
    if (!shortcut.arguments.empty()) {
        commandLine += L" " + shortcut.arguments;
    }
    commandLine += sent;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!::CreateProcessW(shortcut.target.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                          nullptr, shortcut.folder.empty() ? nullptr : shortcut.folder.c_str(),
                          &startup, &started)) {
        throw std::runtime_error("cannot start " + FromWide(shortcut.target));
    }
    const Handle process(started.hProcess);
    const Handle thread(started.hThread);

    WindowSearch search{started.dwProcessId, caption};
    const auto deadline = std::chrono::steady_clock::now() + 60s;
    while (search.main == nullptr && search.dialog == nullptr &&
           std::chrono::steady_clock::now() < deadline) {
        if (::WaitForSingleObject(process.get(), 100) == WAIT_OBJECT_0) {
            throw std::runtime_error("the program ended before it showed its window");
        }
        ::EnumWindows(VisitWindow, reinterpret_cast<LPARAM>(&search));
    }
    if (search.main == nullptr || search.dialog != nullptr) {
        ::TerminateProcess(process.get(), 1);
        throw std::runtime_error(search.dialog != nullptr
                                     ? "the program showed a message box"
                                     : "no window titled " + FromWide(caption));
    }
    std::printf("window shown\n");
    if (!meanwhile.empty()) {
        std::printf("meanwhile: ended with %lu\n", RunToEnd(meanwhile));
    }
    ::PostMessageW(search.main, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(process.get(), 30000) != WAIT_OBJECT_0) {
        ::TerminateProcess(process.get(), 1);
        throw std::runtime_error("the program did not end after WM_CLOSE");
    }
    DWORD code = 1;
    ::GetExitCodeProcess(process.get(), &code);
    std::printf("ended with %lu\n", code);
    return code == 0 ? 0 : 1;
}

struct KeyCloser {
    void operator()(HKEY key) const { ::RegCloseKey(key); }
};

int RunVerb(const std::wstring& verb, const std::wstring& file) {
    const ComSession com; // the shell's verbs may need it
    // Explorer offers the verbs of the class "*" for every file, from the
    // user's own classes. Wine's ShellExecuteEx looks at the file type's
    // class alone, so the class is named, as a context menu's handler does.
    HKEY rawClass = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Classes\\*", 0, KEY_READ, &rawClass) !=
        ERROR_SUCCESS) {
        throw std::runtime_error("the user has no verbs for every file");
    }
    const std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser> fileClass(rawClass);
    SHELLEXECUTEINFOW request{};
    request.cbSize = sizeof request;
    request.fMask =
        SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI | SEE_MASK_CLASSKEY;
    request.hkeyClass = fileClass.get();
    request.lpVerb = verb.c_str();
    request.lpFile = file.c_str();
    request.nShow = SW_SHOWNORMAL;
    if (!::ShellExecuteExW(&request) || request.hProcess == nullptr) {
        throw std::runtime_error("the verb " + FromWide(verb) + " did not start a program");
    }
    const Handle process(request.hProcess);
    DWORD code = 1;
    if (::WaitForSingleObject(process.get(), 60000) != WAIT_OBJECT_0 ||
        !::GetExitCodeProcess(process.get(), &code)) {
        ::TerminateProcess(process.get(), 1);
        throw std::runtime_error("the program of the verb " + FromWide(verb) + " did not end");
    }
    std::printf("ended with %lu\n", code);
    return code == 0 ? 0 : 1;
}

} // namespace

int main() {
    try {
        const std::vector<std::wstring> arguments = Arguments();
        const std::wstring command = arguments.empty() ? L"" : arguments[0];
        if (!(command == L"show" && arguments.size() == 2) &&
            !(command == L"run" && arguments.size() >= 3) &&
            !(command == L"send" && arguments.size() >= 4) &&
            !(command == L"verb" && arguments.size() == 3)) {
            std::fprintf(stderr, "Usage: shortcut_runner show LINK | run LINK CAPTION [COMMAND...] "
                                 "| send LINK CAPTION FILE... | verb VERB FILE\n");
            return 2;
        }
        if (command == L"verb") {
            return RunVerb(arguments[1], arguments[2]);
        }
        // COM only for reading: Run blocks without handling messages.
        const Shortcut shortcut = [&arguments] {
            const ComSession com;
            return ReadShortcut(arguments[1]);
        }();
        if (command == L"show") {
            std::printf("%s\n%s\n%s\n", FromWide(shortcut.target).c_str(),
                        FromWide(shortcut.arguments).c_str(), FromWide(shortcut.folder).c_str());
            return 0;
        }
        std::wstring sent;
        std::wstring meanwhile;
        for (std::size_t i = 3; i < arguments.size(); ++i) {
            if (command == L"send") {
                sent += L" " + Quoted(arguments[i]);
            } else {
                // The program quoted, its arguments as given: NSIS takes /S only bare.
                meanwhile += i == 3 ? Quoted(arguments[i]) : L" " + arguments[i];
            }
        }
        return Run(shortcut, arguments[2], sent, meanwhile);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "shortcut_runner: %s\n", error.what());
        return 1;
    }
}
