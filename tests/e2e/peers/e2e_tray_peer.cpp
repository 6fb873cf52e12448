// A program with icons in the notification area, through the real Shell_NotifyIconW. Usage:
//   e2e_tray_peer.exe <log file> <icons> <version>
// adds that many icons (ids 1 up, tips "E2E Tray <id>", solid red), sets their version when not
// 0, and adds them again when "TaskbarCreated" comes. Every callback message, and every answer
// of Shell_NotifyIconW, is appended to the log as a line:
//   answer <what> <id> <0|1>
//   callback <wParam> <lParam>          (decimal)
// The probe asks for more by posting to the window (class "TolvaneE2eTray"):
//   kTip id        tip "E2E Tray <id> changed"     kHide / kShow id    the hidden state
//   kIcon id       the icon, now solid blue        kDelete id          deleted
//   kBalloon id    a balloon "E2E Balloon"         kAddAgain id        NIM_ADD of an icon there is
//   kBalloonOff id the balloon taken away        kAddNew id          a new icon, red, its tip as at start
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

namespace {

constexpr UINT kCallback = WM_APP + 7;
constexpr UINT kTip = WM_APP + 20;
constexpr UINT kHide = WM_APP + 21;
constexpr UINT kShow = WM_APP + 22;
constexpr UINT kIcon = WM_APP + 23;
constexpr UINT kDelete = WM_APP + 24;
constexpr UINT kBalloon = WM_APP + 25;
constexpr UINT kAddAgain = WM_APP + 26;
constexpr UINT kBalloonOff = WM_APP + 27;
constexpr UINT kAddNew = WM_APP + 28;

std::string logPath;
int iconCount = 1;
UINT version = 0;
UINT taskbarCreated = 0;
HICON red = nullptr;
HICON blue = nullptr;

void Log(const std::string& line)
{
    if (FILE* f = std::fopen(logPath.c_str(), "a")) {
        std::fprintf(f, "%s\n", line.c_str());
        std::fclose(f);
    }
}

HICON SolidIcon(BYTE r, BYTE g, BYTE b)
{
    BYTE andBits[16 * 2] = {};
    BYTE colour[16 * 16 * 4];
    for (int i = 0; i < 16 * 16; ++i) {
        colour[4 * i] = b;
        colour[4 * i + 1] = g;
        colour[4 * i + 2] = r;
        colour[4 * i + 3] = 0xFF;
    }
    return CreateIcon(GetModuleHandleA(nullptr), 16, 16, 1, 32, andBits, colour);
}

NOTIFYICONDATAW Data(HWND window, UINT id, UINT flags)
{
    NOTIFYICONDATAW data = {};
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = id;
    data.uFlags = flags;
    return data;
}

void Answer(const char* what, UINT id, BOOL answer)
{
    Log(std::string("answer ") + what + " " + std::to_string(id) + " " + (answer ? "1" : "0"));
}

void Tip(NOTIFYICONDATAW& data, UINT id, const wchar_t* suffix)
{
    std::swprintf(data.szTip, sizeof data.szTip / sizeof data.szTip[0], L"E2E Tray %u%ls", id, suffix);
}

void AddOne(HWND window, UINT id, const char* what)
{
    NOTIFYICONDATAW data = Data(window, id, NIF_MESSAGE | NIF_ICON | NIF_TIP);
    data.uCallbackMessage = kCallback;
    data.hIcon = red;
    Tip(data, id, L"");
    Answer(what, id, Shell_NotifyIconW(NIM_ADD, &data));
    if (version) {
        data.uVersion = version;
        Answer("version", id, Shell_NotifyIconW(NIM_SETVERSION, &data));
    }
}

void AddAll(HWND window, const char* what)
{
    for (int i = 1; i <= iconCount; ++i)
        AddOne(window, static_cast<UINT>(i), what);
}

LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const UINT id = static_cast<UINT>(wParam);
    NOTIFYICONDATAW data = Data(window, id, 0);
    if (message == taskbarCreated && taskbarCreated != 0) {
        AddAll(window, "readd");
        return 0;
    }
    switch (message) {
    case kCallback:
        Log("callback " + std::to_string(static_cast<unsigned long long>(wParam)) + " " +
            std::to_string(static_cast<unsigned long long>(lParam)));
        return 0;
    case kTip:
        data.uFlags = NIF_TIP;
        Tip(data, id, L" changed");
        Answer("tip", id, Shell_NotifyIconW(NIM_MODIFY, &data));
        return 0;
    case kHide:
    case kShow:
        data.uFlags = NIF_STATE;
        data.dwState = message == kHide ? NIS_HIDDEN : 0;
        data.dwStateMask = NIS_HIDDEN;
        Answer(message == kHide ? "hide" : "show", id, Shell_NotifyIconW(NIM_MODIFY, &data));
        return 0;
    case kIcon:
        data.uFlags = NIF_ICON;
        data.hIcon = blue;
        Answer("icon", id, Shell_NotifyIconW(NIM_MODIFY, &data));
        return 0;
    case kDelete:
        Answer("delete", id, Shell_NotifyIconW(NIM_DELETE, &data));
        return 0;
    case kBalloon:
    case kBalloonOff:
        data.uFlags = NIF_INFO;
        if (message == kBalloon) {
            std::wcscpy(data.szInfo, L"E2E Balloon");
            std::wcscpy(data.szInfoTitle, L"E2E");
        }
        data.uTimeout = 10000;
        Answer(message == kBalloon ? "balloon" : "balloonoff", id, Shell_NotifyIconW(NIM_MODIFY, &data));
        return 0;
    case kAddNew:
        AddOne(window, id, "addnew");
        return 0;
    case kAddAgain:
        data.uFlags = NIF_TIP;
        Tip(data, id, L"");
        Answer("addagain", id, Shell_NotifyIconW(NIM_ADD, &data));
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: e2e_tray_peer <log> <icons> <version>\n");
        return 2;
    }
    logPath = argv[1];
    iconCount = std::atoi(argv[2]);
    version = static_cast<UINT>(std::atoi(argv[3]));
    taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    red = SolidIcon(0xFF, 0, 0);
    blue = SolidIcon(0, 0, 0xFF);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TolvaneE2eTray";
    if (!RegisterClassA(&wc))
        return 4;
    // Hidden: a program with only tray icons has no task button either.
    HWND window = CreateWindowExA(
        0, wc.lpszClassName, "E2E Tray", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
    if (!window)
        return 5;
    AddAll(window, "add");
    Log("ready");
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}
