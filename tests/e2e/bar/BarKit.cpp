#include "tests/e2e/bar/BarKit.h"

#include <windows.h>

#include <tlhelp32.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "bar/BarIds.h"
#include "tests/e2e/bar/ButtonWatch.h"
#include "win32kit/Handles.h"
#include "tests/e2e/common/ChildProcess.h"
#include "tests/e2e/common/Poll.h"
#include "tests/e2e/common/ScratchFolder.h"

namespace bar_probe {
namespace {

using UniqueKey = win32kit::UniqueRegKey;

struct ChildSearch {
    int id;
    HWND found;
};

BOOL CALLBACK MatchId(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<ChildSearch*>(param);
    if (GetDlgCtrlID(window) != search->id)
        return TRUE;
    search->found = window;
    return FALSE;
}

struct OwnerSearch {
    DWORD processId;
    const char* title; // null: any
    HWND found;
};

BOOL CALLBACK MatchProcess(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<OwnerSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != search->processId || !IsWindowVisible(window) || (search->title && TextOf(window) != search->title))
        return TRUE;
    search->found = window;
    return FALSE;
}

std::string ProbeFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of("\\/"));
}

} // namespace

HWND ChildById(HWND bar, int id)
{
    ChildSearch search {id, nullptr};
    EnumChildWindows(bar, MatchId, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string TextOf(HWND window)
{
    char text[512] = {};
    if (window)
        GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string StoredSetting(const std::string& name)
{
    e2e::ScratchFolder folder("regquery");
    const std::string out = folder.path() + "\\out.txt";
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    e2e::ChildProcess reg(std::string(system) + "\\cmd.exe", folder.path(),
        "/c reg query \"HKCU\\" + std::string(kSettingsKey) + "\" /v \"" + name + "\" > \"" + out + "\"");
    if (!reg.running() && !reg.error().empty())
        return "cmd failed: " + reg.error();
    if (WaitForSingleObject(reg.handle(), 20000) != WAIT_OBJECT_0)
        return "reg query did not end within 20 s";
    std::stringstream printed;
    {
        std::ifstream file(out);
        printed << file.rdbuf();
    }
    DeleteFileA(out.c_str()); // the folder removes only the files it wrote itself
    std::string line;
    while (std::getline(printed, line)) {
        // "    <name>    <type>    <data>"; names may hold blanks.
        const std::size_t at = line.find_first_not_of(' ');
        if (at == std::string::npos || line.compare(at, name.size(), name) != 0)
            continue;
        std::istringstream words(line.substr(at + name.size()));
        std::string type, data;
        if (!(words >> type))
            continue;
        std::getline(words >> std::ws, data);
        while (!data.empty() && (data.back() == '\r' || data.back() == ' '))
            data.pop_back();
        if (type == "REG_SZ")
            return "REG_SZ " + data;
        if (type != "REG_DWORD")
            return "type " + type;
        const unsigned long number = std::strtoul(data.c_str(), nullptr, 16);
        char bytes[16];
        std::snprintf(bytes, sizeof bytes, "%02lX %02lX %02lX %02lX", number & 0xFF, (number >> 8) & 0xFF,
            (number >> 16) & 0xFF, number >> 24);
        return bytes;
    }
    return "no value";
}

std::string StoredSettingsDiffer(const std::vector<std::pair<std::string, std::string>>& expected)
{
    std::string differences;
    for (const auto& [name, bytes] : expected) {
        const std::string stored = StoredSetting(name);
        if (stored != bytes)
            differences += name + " '" + stored + "' (want '" + bytes + "'); ";
    }
    return differences;
}

std::string TypedText(HWND box)
{
    DWORD_PTR length = 0;
    SendMessageTimeoutA(box, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length);
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(
        box, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]), SMTO_ABORTIFHUNG, 5000, &copied);
    text.resize(copied);
    return text;
}

bool ShownById(HWND bar, int id)
{
    const HWND control = ChildById(bar, id);
    return control && IsWindowVisible(control);
}

long long NumberIn(const std::string& text)
{
    if (text.empty() || text.size() > 15 || text.find_first_not_of("0123456789") != std::string::npos)
        return -1;
    return std::stoll(text);
}

int TaskCountShown(HWND bar)
{
    const std::string text = TextOf(ChildById(bar, bar_ids::TIM3));
    const size_t blank = text.find(' ');
    if (blank == std::string::npos || text.substr(blank) != " tasks")
        return -1;
    return static_cast<int>(NumberIn(text.substr(0, blank)));
}

void PostClickAt(HWND control, int x, int y, bool right)
{
    const LPARAM at = MAKELPARAM(x, y);
    PostMessageA(control, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON, at);
    PostMessageA(control, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, at);
}

bool RealDoubleClick(HWND window)
{
    RECT r = {};
    GetWindowRect(window, &r);
    if (!SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2))
        return false;
    INPUT inputs[4] = {};
    for (int i = 0; i < 4; ++i) {
        inputs[i].type = INPUT_MOUSE;
        inputs[i].mi.dwFlags = i % 2 ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN;
    }
    return SendInput(4, inputs, sizeof(INPUT)) == 4;
}

bool WriteRegistryValue(
    HKEY root, const std::string& key, const std::string& name, DWORD type, const std::vector<unsigned char>& bytes)
{
    HKEY raw = nullptr;
    if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &raw, nullptr) != ERROR_SUCCESS)
        return false;
    UniqueKey opened(raw);
    return RegSetValueExA(opened.get(), name.c_str(), 0, type, bytes.data(), static_cast<DWORD>(bytes.size())) ==
        ERROR_SUCCESS;
}

void DeleteRegistryKey(HKEY root, const std::string& key)
{
    RegDeleteTreeA(root, key.c_str());
}

bool SeedSetting(const std::string& name, unsigned value)
{
    const std::vector<unsigned char> bytes = {
        0, 0, static_cast<unsigned char>(value >> 8 & 0xFF), static_cast<unsigned char>(value & 0xFF)};
    return WriteRegistryValue(HKEY_CURRENT_USER, kSettingsKey, name, REG_DWORD, bytes);
}

std::string PeerExe()
{
    return ProbeFolder() + "\\e2e_peer.exe";
}

std::string TrayPeerExe()
{
    return ProbeFolder() + "\\e2e_tray_peer.exe";
}

e2e::ChildProcess StartPeer(const std::string& arguments, const std::string& exe)
{
    return e2e::ChildProcess(exe, ProbeFolder(), arguments);
}

HWND FindVisibleWindowOf(DWORD processId, const char* title)
{
    OwnerSearch search {processId, title, nullptr};
    EnumWindows(MatchProcess, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindowOf(DWORD processId, int timeoutMs)
{
    OwnerSearch search {processId, nullptr, nullptr};
    e2e::WaitFor(timeoutMs, [&] {
        EnumWindows(MatchProcess, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    });
    return search.found;
}

std::vector<DWORD> ProcessesNamed(const std::string& exeName)
{
    std::vector<DWORD> ids;
    win32kit::UniqueKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (snapshot.get() == INVALID_HANDLE_VALUE) {
        snapshot.release();
        return ids;
    }
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.get(), &entry); more; more = Process32Next(snapshot.get(), &entry))
        if (lstrcmpiA(entry.szExeFile, exeName.c_str()) == 0)
            ids.push_back(entry.th32ProcessID);
    return ids;
}

void EndProcess(DWORD id)
{
    win32kit::UniqueKernelHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id));
    if (process && TerminateProcess(process.get(), 0))
        WaitForSingleObject(process.get(), 5000);
}

void WaitForSplashToGo(const RunningBar& running)
{
    e2e::WaitFor(10000, [&] { return FindVisibleWindowOf(running.process.id(), "") == nullptr; });
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> ReadLines(const std::string& path)
{
    std::vector<std::string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);)
        if (!line.empty())
            lines.push_back(line);
    return lines;
}

std::vector<std::string> ProcessNames()
{
    std::vector<std::string> names;
    win32kit::UniqueKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (snapshot.get() == INVALID_HANDLE_VALUE) {
        snapshot.release();
        return names;
    }
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.get(), &entry); more; more = Process32Next(snapshot.get(), &entry))
        names.push_back(entry.szExeFile);
    return names;
}

int MemoryReading::level() const
{
    if (totalPhys == 0)
        return 0;
    const unsigned long long level = availPhys * 7 / totalPhys;
    return static_cast<int>(level > 6 ? 6 : level);
}

MemoryReading ReadMemory()
{
    MEMORYSTATUSEX status = {};
    status.dwLength = sizeof status;
    GlobalMemoryStatusEx(&status);
    return {status.ullAvailPhys, status.ullTotalPhys};
}

bool RefreshSeesNewProcess(HWND bar, std::string& detail)
{
    e2e::ChildProcess pulse = StartPeer("victim \"E2E Pulse\" NUL");
    size_t count = 0;
    int shown = -1;
    const unsigned long long started = e2e::NowMs();
    const bool seen = e2e::WaitFor(kOneRefreshMs + 500, [&] {
        count = ProcessNames().size();
        shown = TaskCountShown(bar);
        return shown == static_cast<int>(count);
    });
    detail = "after a new process: TIM3 '" + TextOf(ChildById(bar, bar_ids::TIM3)) + "', processes " +
        std::to_string(count) + (seen ? ", matched after " + std::to_string(e2e::NowMs() - started) + " ms" : "");
    return seen;
}

long long MeasureRefreshMs(HWND bar, std::string& detail)
{
    // Right after a refresh has counted the first new process, the second one is started: the
    // next refresh that counts it is one interval later.
    unsigned long long ticks[2] = {};
    std::vector<e2e::ChildProcess> started;
    for (unsigned long long& tick : ticks) {
        started.push_back(StartPeer("victim \"E2E Tick\" NUL"));
        size_t count = 0;
        if (!e2e::WaitFor(kRefreshDeadlineMs, [&] {
                count = ProcessNames().size();
                return TaskCountShown(bar) == static_cast<int>(count);
            })) {
            detail = "TIM3 '" + TextOf(ChildById(bar, bar_ids::TIM3)) + "' never matched " + std::to_string(count) +
                " processes within 6 s";
            return -1;
        }
        tick = e2e::NowMs();
    }
    const long long interval = static_cast<long long>(ticks[1] - ticks[0]);
    detail = "refresh interval measured " + std::to_string(interval) + " ms (TIM3 followed two new processes)";
    return interval;
}

} // namespace bar_probe
