// A window in a process of its own for the bar probe to act on. Usage:
//   e2e_peer.exe winamp <log file> [--hang <ms>]
//       a window of Winamp's class "Winamp v1.x" that appends the wParam of every WM_COMMAND it
//       receives to the log, one decimal number a line
//   e2e_peer.exe victim <title> <marker file> [--hang <ms>]
//       a titled window whose WM_CLOSE writes the marker file, then closes; exit code 3
//   e2e_peer.exe session <log file>
//       a window titled "E2E Session" that agrees to end the session and appends a line for
//       every WM_QUERYENDSESSION ("query <lParam>") and WM_ENDSESSION ("end <wParam> <lParam>")
//   e2e_peer.exe burst <count>
//       that many windows titled "E2E Burst <i>", all shown at once (ended by the probe)
//   e2e_peer.exe icon <title> [--hang <ms>]
//       a titled window whose small and large icons are the program's own solid-red icon, set
//       with WM_SETICON (its class has none); with --hang its thread sleeps right after showing
//       it, before it ever takes a message
// --hang <ms> stops answering messages for that long once the window is up; so does a posted
// kHangMessage (wParam: milliseconds) at any time.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "win32kit/Handles.h"

namespace {

constexpr UINT kHangMessage = WM_APP + 1;
constexpr int kNormalExitCode = 3;
constexpr int kIconResource = 1; // solid red (e2e_peer.rc)

std::string logPath;
std::string markerPath;
std::string sessionLogPath;

void AppendLine(const std::string& path, const std::string& line)
{
    if (FILE* f = std::fopen(path.c_str(), "a")) {
        std::fprintf(f, "%s\n", line.c_str());
        std::fclose(f);
    }
}

LRESULT CALLBACK PeerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (!logPath.empty())
            AppendLine(logPath, std::to_string(static_cast<unsigned>(wParam)));
        return 0;
    case WM_QUERYENDSESSION:
        if (sessionLogPath.empty())
            break;
        AppendLine(sessionLogPath, "query " + std::to_string(static_cast<unsigned long long>(lParam)));
        return TRUE;
    case WM_ENDSESSION:
        if (sessionLogPath.empty())
            break;
        AppendLine(sessionLogPath,
            "end " + std::to_string(static_cast<unsigned>(wParam)) + " " +
                std::to_string(static_cast<unsigned long long>(lParam)));
        return 0;
    case kHangMessage:
        Sleep(static_cast<DWORD>(wParam));
        return 0;
    case WM_CLOSE:
        if (!markerPath.empty())
            AppendLine(markerPath, "closed");
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(kNormalExitCode);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int Usage()
{
    std::fprintf(
        stderr, "usage: e2e_peer winamp <log> [--hang <ms>] | victim <title> <marker> [--hang <ms>] | session <log>\n");
    return 2;
}

} // namespace

// Windows a process leaves behind when it ends go at once; a program that closes 200 windows
// itself waits under Wine without a window manager 2 s per window it hides.
int Burst(int count)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TolvaneE2eBurst";
    if (!RegisterClassA(&wc))
        return 4;
    for (int i = 0; i < count; ++i) {
        const std::string title = "E2E Burst " + std::to_string(i);
        HWND window = CreateWindowExA(0, wc.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW, 560 + i % 50,
            300 + i % 50, 200, 100, nullptr, nullptr, wc.hInstance, nullptr);
        if (!window)
            return 5;
        ShowWindow(window, SW_SHOWNA);
    }
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}

int IconWindow(const char* title, DWORD hangMs)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = PeerProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "TolvaneE2eIcon";
    if (!RegisterClassA(&wc))
        return 4;
    HWND window = CreateWindowExA(
        0, wc.lpszClassName, title, WS_OVERLAPPEDWINDOW, 600, 340, 240, 120, nullptr, nullptr, wc.hInstance, nullptr);
    if (!window)
        return 5;
    // As programs do: their own icon resource, at the small and the large size.
    const win32kit::UniqueIcon small(
        static_cast<HICON>(LoadImageA(wc.hInstance, MAKEINTRESOURCEA(kIconResource), IMAGE_ICON, 16, 16, 0)));
    const win32kit::UniqueIcon big(
        static_cast<HICON>(LoadImageA(wc.hInstance, MAKEINTRESOURCEA(kIconResource), IMAGE_ICON, 32, 32, 0)));
    if (!small || !big)
        return 6;
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    ShowWindow(window, SW_SHOWNA);
    if (hangMs)
        Sleep(hangMs);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    return static_cast<int>(msg.wParam);
}

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "burst") == 0)
        return Burst(std::atoi(argv[2]));
    if (argc >= 3 && std::strcmp(argv[1], "icon") == 0) {
        const bool hangs = argc == 5 && std::strcmp(argv[3], "--hang") == 0;
        return IconWindow(argv[2], hangs ? static_cast<DWORD>(std::strtoul(argv[4], nullptr, 10)) : 0);
    }
    if (argc < 3)
        return Usage();
    const bool winamp = std::strcmp(argv[1], "winamp") == 0;
    const bool session = std::strcmp(argv[1], "session") == 0;
    if (!winamp && !session && (std::strcmp(argv[1], "victim") != 0 || argc < 4))
        return Usage();
    std::string title = winamp ? "E2E Winamp" : session ? "E2E Session" : argv[2];
    if (session)
        sessionLogPath = argv[2];
    else
        (winamp ? logPath : markerPath) = winamp ? argv[2] : argv[3];
    DWORD hangMs = 0;
    for (int i = winamp || session ? 3 : 4; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--hang") == 0)
            hangMs = static_cast<DWORD>(std::strtoul(argv[++i], nullptr, 10));

    WNDCLASSA wc = {};
    wc.lpfnWndProc = PeerProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = winamp ? "Winamp v1.x" : "TolvaneE2eVictim";
    if (!RegisterClassA(&wc))
        return 4;
    // Right of the bar's place, so the bar stays uncovered.
    HWND window = CreateWindowExA(0, wc.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW, winamp ? 700 : 560,
        winamp ? 420 : 300, 280, 160, nullptr, nullptr, wc.hInstance, nullptr);
    if (!window)
        return 5;
    ShowWindow(window, SW_SHOWNA);
    UpdateWindow(window);
    if (hangMs)
        PostMessageA(window, kHangMessage, hangMs, 0);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
