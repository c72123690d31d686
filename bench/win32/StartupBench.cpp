// SPDX-License-Identifier: MIT
// Process start to the main window shown with its settings loaded and the
// readiness check done, against a bare Win32 window with the same controls;
// median of many alternating runs, as a ratio. Runs under Wine (or on
// Windows), with startup_probe.exe beside it.
#include "../BenchSupport.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using twinvane::bench::Median;

std::wstring ProbePath() {
    std::wstring self(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size()));
        if (length < self.size()) {
            self.resize(length);
            break;
        }
        self.resize(self.size() * 2);
    }
    return self.substr(0, self.find_last_of(L"\\/") + 1) + L"startup_probe.exe";
}

// Time from the process's start to the probe's signal that its window is
// shown: what follows (closing, saving at close) is not start-up.
double TimeProbe(const std::wstring& probe, const std::wstring& arguments) {
    const std::wstring eventName =
        L"TwinvaneStartupShown-" + std::to_wstring(::GetCurrentProcessId());
    const HANDLE shown = ::CreateEventW(nullptr, TRUE, FALSE, eventName.c_str());
    std::wstring commandLine = L"\"" + probe + L"\" " + arguments + L" " + eventName;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    LARGE_INTEGER frequency;
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
    if (!::CreateProcessW(probe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &process)) {
        std::fprintf(stderr, "cannot start %ls (error %lu)\n", probe.c_str(), ::GetLastError());
        std::exit(1);
    }
    const HANDLE waits[] = {shown, process.hProcess};
    const DWORD first = ::WaitForMultipleObjects(2, waits, FALSE, INFINITE);
    ::QueryPerformanceCounter(&end);
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 1;
    ::GetExitCodeProcess(process.hProcess, &status);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    ::CloseHandle(shown);
    if (status != 0 || first != WAIT_OBJECT_0) {
        std::fprintf(stderr, "probe %ls failed (status %lu)\n", arguments.c_str(), status);
        std::exit(1);
    }
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

// A key of the bench's own under HKEY_CURRENT_USER, holding what the probe
// reads as the settings: three files that exist, so the readiness check
// does its full work. Removed with the object.
class SettingsKey {
public:
    explicit SettingsKey(const std::wstring& existingFile)
        : name_(L"Software\\Twinvane Startup Bench " + std::to_wstring(::GetCurrentProcessId())) {
        HKEY key = nullptr;
        const std::wstring settings = name_ + L"\\Software\\Varnook\\Twinvane";
        if (::RegCreateKeyExW(HKEY_CURRENT_USER, settings.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                              nullptr, &key, nullptr) != ERROR_SUCCESS) {
            std::fprintf(stderr, "cannot create the bench's settings key\n");
            std::exit(1);
        }
        const auto* data = reinterpret_cast<const BYTE*>(existingFile.c_str());
        const auto size = static_cast<DWORD>((existingFile.size() + 1) * sizeof(wchar_t));
        for (const wchar_t* value : {L"File 1", L"File 2", L"WD Loc"}) {
            ::RegSetValueExW(key, value, 0, REG_SZ, data, size);
        }
        ::RegCloseKey(key);
    }
    SettingsKey(const SettingsKey&) = delete;
    SettingsKey& operator=(const SettingsKey&) = delete;
    ~SettingsKey() { ::RegDeleteTreeW(HKEY_CURRENT_USER, name_.c_str()); }

    const std::wstring& Name() const { return name_; }

private:
    std::wstring name_;
};

} // namespace

int main(int argc, char* argv[]) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 15;
    const std::wstring probe = ProbePath();
    const SettingsKey settings(probe);
    const std::wstring twinvane = L"twinvane \"" + settings.Name() + L"\"";

    TimeProbe(probe, L"bare"); // load the files into the cache for both alike
    std::vector<double> ours;
    std::vector<double> bare;
    for (int i = 0; i < runs; ++i) {
        ours.push_back(TimeProbe(probe, twinvane));
        bare.push_back(TimeProbe(probe, L"bare"));
    }
    const double a = Median(ours);
    const double b = Median(bare);
    std::printf("start-up to window shown, median of %d runs (Win32)\n", runs);
    std::printf("  Twinvane    %8.1f ms\n", a);
    std::printf("  bare window %8.1f ms   ratio %.3f (goal <= 1.25)\n", b, a / b);
    return 0;
}
