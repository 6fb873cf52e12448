#pragma once
// Shared tools of the cases on the bar's indicators, task actions, task manager, settings and
// logo files: controls by id, clicks at a point of a control, registry values, the peer program
// (tests/e2e/peers), and the figures the probe reads itself to compare with the bar's.
#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/bar/LaunchBar.h"
#include "tests/e2e/common/ChildProcess.h"

namespace bar_probe {

// The first descendant of `bar` with control id `id`, or null.
HWND ChildById(HWND bar, int id);
std::string TextOf(HWND window);
// What a text box of another process shows now, the user's typing included (its window text as
// TextOf reads it stays what it was created with).
std::string TypedText(HWND box);
bool ShownById(HWND bar, int id);
// The number in a caption that is only digits, or -1.
long long NumberIn(const std::string& text);
// N from the counter's caption "N tasks", or -1.
int TaskCountShown(HWND bar);

// Posts a button press and release at client point (x, y) of `control`.
void PostClickAt(HWND control, int x, int y, bool right = false);
// A real double click (SendInput) at the centre of `window`.
bool RealDoubleClick(HWND window);

// Registry values as raw bytes; every key is closed again.
bool WriteRegistryValue(
    HKEY root, const std::string& key, const std::string& name, DWORD type, const std::vector<unsigned char>& bytes);
void DeleteRegistryKey(HKEY root, const std::string& key);
// The bar's settings key and one number in its byte layout 00 00 H L.
constexpr const char* kSettingsKey = "Software\\Brenwick\\Tolvix";
bool SeedSetting(const std::string& name, unsigned value);
// One value under the settings key as reg.exe (the real one of the prefix) prints it: a REG_DWORD
// turned back into its 4 data bytes ("00 00 01 2C"), a REG_SZ as "REG_SZ <text>"; or what failed.
std::string StoredSetting(const std::string& name);
// Every named value against what StoredSetting should print; "" or the differences.
std::string StoredSettingsDiffer(const std::vector<std::pair<std::string, std::string>>& expected);

// e2e_peer.exe beside the probe. `kind` is "winamp" or "victim"; the arguments follow it.
std::string PeerExe();
// e2e_tray_peer.exe beside the probe: a program with icons in the notification area.
std::string TrayPeerExe();
e2e::ChildProcess StartPeer(const std::string& arguments, const std::string& exe = PeerExe());
// The visible top-level window of `processId` (the peer's), waited for up to `timeoutMs`.
HWND WaitForWindowOf(DWORD processId, int timeoutMs);
// A visible top-level window of the process, with this title unless title is null.
HWND FindVisibleWindowOf(DWORD processId, const char* title = nullptr);
bool FileExists(const std::string& path);
// Waits up to 10 s for the about box shown at start (the bar's one untitled window) to close
// itself: it takes the activation with it, which would close a menu opened meanwhile.
void WaitForSplashToGo(const RunningBar& running);
// The ids of the processes whose file is `exeName`.
std::vector<DWORD> ProcessesNamed(const std::string& exeName);
// Terminates a process and waits up to 5 s for it to end.
void EndProcess(DWORD id);
std::vector<std::string> ReadLines(const std::string& path);

// What the probe reads itself.
std::vector<std::string> ProcessNames(); // one per process in a Toolhelp snapshot
struct MemoryReading {
    unsigned long long availPhys = 0, totalPhys = 0;
    long long freeMb() const { return static_cast<long long>(availPhys / 1048576); }
    int level() const;
};
MemoryReading ReadMemory();

// Whether the bar's refresh still runs: a new process shows in TIM3 within one refresh.
bool RefreshSeesNewProcess(HWND bar, std::string& detail);
// The interval between two refreshes, timed by the counter TIM3 following two new processes; -1
// when a refresh did not come. `detail` says what was seen.
long long MeasureRefreshMs(HWND bar, std::string& detail);

} // namespace bar_probe
