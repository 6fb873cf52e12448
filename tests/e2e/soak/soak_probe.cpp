// The bar under window churn (scripts/soak.sh): starts tolvix.exe, opens, renames and closes 20
// windows a second on worker threads for the given minutes, opens the task menu and the task
// manager every 30 s, and every 10 s prints the bar's private memory, GDI objects, USER objects
// (its windows) and slowest WM_NULL answer. At the end: the series stays flat after the first
// minute, every WM_NULL was answered within 250 ms, and no button is left for a closed window.
// Usage: soak_probe.exe <path of tolvix.exe> <minutes>
#include <windows.h>
#include <winternl.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tasks/TaskIds.h"
#include "tests/e2e/common/GdiObjects.h"
#include "tests/e2e/common/ChildProcess.h"
#include "tests/e2e/common/Input.h"
#include "tests/e2e/common/Poll.h"
#include "tests/e2e/common/ProcessMemory.h"
#include "tests/e2e/common/Report.h"
#include "win32kit/Handles.h"

namespace {

constexpr int kThreads = 50;
// Each worker opens, renames and closes one window per cycle: 50 workers at 2.5 s make 20 a second.
constexpr DWORD kCycleMs = 2500;
constexpr const char* kPrefix = "Soak ";
std::atomic<bool> g_stop {false};
std::atomic<long> g_closed {0};

LRESULT CALLBACK ChurnProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

void PumpFor(DWORD ms)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

DWORD WINAPI Churn(void* param)
{
    const int worker = static_cast<int>(reinterpret_cast<INT_PTR>(param));
    // Started a little apart, so the closes spread over the cycle.
    PumpFor(static_cast<DWORD>(worker) * kCycleMs / kThreads);
    for (long n = 0; !g_stop; ++n) {
        const DWORD start = GetTickCount();
        const std::string title = kPrefix + std::to_string(worker) + "-" + std::to_string(n);
        HWND w = CreateWindowExA(0, "TolvaneSoakChurn", title.c_str(), WS_OVERLAPPEDWINDOW, 560 + worker * 7,
            200 + worker * 5, 240, 120, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        if (!w)
            continue;
        ShowWindow(w, SW_SHOWNA);
        PumpFor(200);
        SetWindowTextA(w, (title + " renamed").c_str());
        PumpFor(200);
        DestroyWindow(w);
        ++g_closed;
        const DWORD spent = GetTickCount() - start;
        if (spent < kCycleMs)
            PumpFor(kCycleMs - spent);
    }
    return 0;
}

struct WindowCount {
    DWORD processId;
    long count = 0;
};

BOOL CALLBACK CountChild(HWND, LPARAM param)
{
    ++reinterpret_cast<WindowCount*>(param)->count;
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM param)
{
    auto* c = reinterpret_cast<WindowCount*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == c->processId) {
        ++c->count;
        EnumChildWindows(window, CountChild, param);
    }
    return TRUE;
}

// USER objects of a process: GetGuiResources where implemented, else its windows.
long UserObjects(HANDLE process, DWORD processId)
{
    SetLastError(0);
    const DWORD counted = GetGuiResources(process, GR_USEROBJECTS);
    if (counted != 0)
        return static_cast<long>(counted);
    WindowCount c {processId};
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&c));
    return c.count;
}

struct Buttons {
    std::vector<HWND> windows;
    int soak = 0;
};

BOOL CALLBACK CollectButton(HWND window, LPARAM param)
{
    const int id = GetDlgCtrlID(window);
    if (id < task_ids::VTASKS_BASE || id > task_ids::VTASKS_LAST || !IsWindowVisible(window))
        return TRUE;
    auto* b = reinterpret_cast<Buttons*>(param);
    b->windows.push_back(window);
    char text[64] = {};
    GetWindowTextA(window, text, sizeof text);
    b->soak += std::string(text).rfind(kPrefix, 0) == 0;
    return TRUE;
}

Buttons ReadButtons(HWND bar)
{
    Buttons b;
    EnumChildWindows(bar, CollectButton, reinterpret_cast<LPARAM>(&b));
    return b;
}

struct FindPopup {
    DWORD processId;
    const char* className;
    HWND found = nullptr;
};

BOOL CALLBACK FindOwnTopLevel(HWND window, LPARAM param)
{
    auto* f = reinterpret_cast<FindPopup*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char cls[64] = {};
    GetClassNameA(window, cls, sizeof cls);
    if (pid == f->processId && IsWindowVisible(window) && (!f->className || std::string(cls) == f->className)) {
        f->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND VisibleWindowOf(DWORD processId, const char* className)
{
    FindPopup f {processId, className};
    EnumWindows(FindOwnTopLevel, reinterpret_cast<LPARAM>(&f));
    return f.found;
}

// Right-clicks a task button, waits for the task menu and closes it with Escape.
bool UseTaskMenu(HWND bar, DWORD processId)
{
    const Buttons b = ReadButtons(bar);
    if (b.windows.empty())
        return false;
    SetForegroundWindow(bar);
    if (!e2e::RealRightClickAt(e2e::CentreOnScreen(b.windows.front())))
        return false;
    const bool opened = e2e::WaitFor(3000, [&] { return VisibleWindowOf(processId, "#32768") != nullptr; });
    e2e::RealKeyPress(0, VK_ESCAPE);
    e2e::WaitFor(3000, [&] { return VisibleWindowOf(processId, "#32768") == nullptr; });
    return opened;
}

BOOL CALLBACK FindCounter(HWND window, LPARAM param)
{
    char text[64] = {};
    GetWindowTextA(window, text, sizeof text);
    if (std::string(text).find("tasks") != std::string::npos && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(param) = window;
        return FALSE;
    }
    return TRUE;
}

// A visible, titled window of the process other than the bar: the task manager.
BOOL CALLBACK FindOtherTitled(HWND window, LPARAM param)
{
    auto* f = reinterpret_cast<FindPopup*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char text[64] = {};
    GetWindowTextA(window, text, sizeof text);
    if (pid == f->processId && IsWindowVisible(window) && std::string(text) != "Tolvane" && text[0]) {
        f->found = window;
        return FALSE;
    }
    return TRUE;
}

// Double-clicks the task counter, waits for the task manager, then lets it close itself by
// activating another window.
bool UseTaskManager(HWND bar, DWORD processId, HWND elsewhere)
{
    HWND counter = nullptr;
    EnumChildWindows(bar, FindCounter, reinterpret_cast<LPARAM>(&counter));
    if (!counter)
        return false;
    SetForegroundWindow(bar);
    const POINT at = e2e::CentreOnScreen(counter);
    e2e::RealLeftClickAt(at);
    e2e::RealLeftClickAt(at);
    auto taskManager = [&] {
        FindPopup f {processId, nullptr};
        EnumWindows(FindOtherTitled, reinterpret_cast<LPARAM>(&f));
        return f.found;
    };
    const bool opened = e2e::WaitFor(5000, [&] { return taskManager() != nullptr; });
    SetForegroundWindow(elsewhere);
    e2e::WaitFor(10000, [&] { return taskManager() == nullptr; });
    return opened;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: soak_probe <path of tolvix.exe> <minutes>\n");
        return 2;
    }
    e2e::Report report("soak");
    const std::string exe = argv[1];
    const int minutes = std::max(1, std::atoi(argv[2]));
    const std::string folder = exe.substr(0, exe.find_last_of("\\/"));
    e2e::ChildProcess tolvix(exe, folder);
    HWND bar = nullptr;
    e2e::WaitFor(30000, [&] {
        bar = VisibleWindowOf(tolvix.id(), nullptr);
        char text[32] = {};
        if (bar)
            GetWindowTextA(bar, text, sizeof text);
        return bar && std::string(text) == "Tolvane";
    });
    if (!report.Check("soak_bar_starts", bar != nullptr, tolvix.running() ? "bar window found" : tolvix.error()))
        return report.Finish();
    win32kit::UniqueKernelHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, tolvix.id()));

    WNDCLASSA wc = {};
    wc.lpfnWndProc = ChurnProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "TolvaneSoakChurn";
    RegisterClassA(&wc);
    HWND elsewhere = CreateWindowExA(0, wc.lpszClassName, "Churn observer", WS_OVERLAPPEDWINDOW, 600, 20, 200, 100,
        nullptr, nullptr, wc.hInstance, nullptr);
    ShowWindow(elsewhere, SW_SHOWNA);

    std::vector<win32kit::UniqueKernelHandle> workers;
    for (int i = 0; i < kThreads; ++i)
        workers.emplace_back(
            CreateThread(nullptr, 0, Churn, reinterpret_cast<void*>(static_cast<INT_PTR>(i)), 0, nullptr));

    struct Sample {
        long seconds, privateKb, gdi, user, wmNullMaxMs;
    };
    std::vector<Sample> series;
    long worstWmNull = 0, unanswered = 0, menuUses = 0, menuFailures = 0;
    const unsigned long long start = e2e::NowMs();
    unsigned long long nextSample = start + 10000, nextUse = start + 30000;
    long windowMax = 0;
    bool managerNext = false;
    while (e2e::NowMs() - start < static_cast<unsigned long long>(minutes) * 60000) {
        const unsigned long long sent = e2e::NowMs();
        DWORD_PTR answer = 0;
        if (!SendMessageTimeoutA(bar, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer))
            ++unanswered;
        const long took = static_cast<long>(e2e::NowMs() - sent);
        windowMax = std::max(windowMax, took);
        worstWmNull = std::max(worstWmNull, took);
        if (e2e::NowMs() >= nextUse) {
            ++menuUses;
            const bool used = managerNext ? UseTaskManager(bar, tolvix.id(), elsewhere) : UseTaskMenu(bar, tolvix.id());
            menuFailures += !used;
            std::printf("     %s %s\n", managerNext ? "task manager" : "task menu",
                used ? "opened and closed" : "did not open");
            managerNext = !managerNext;
            nextUse = e2e::NowMs() + 30000;
        }
        if (e2e::NowMs() >= nextSample) {
            const Sample s {static_cast<long>((e2e::NowMs() - start) / 1000), e2e::PrivateKb(process.get()),
                e2e::GdiObjects(process.get(), tolvix.id()), UserObjects(process.get(), tolvix.id()), windowMax};
            series.push_back(s);
            std::printf("SERIES t=%lds private=%ldKB gdi=%ld user=%ld wmnull_max=%ldms closed=%ld buttons=%zu\n",
                s.seconds, s.privateKb, s.gdi, s.user, s.wmNullMaxMs, g_closed.load(), ReadButtons(bar).windows.size());
            std::fflush(stdout);
            windowMax = 0;
            nextSample += 10000;
        }
        e2e::PumpFor(1000 - static_cast<int>(std::min<unsigned long long>(999, e2e::NowMs() - sent)));
    }
    g_stop = true;
    for (auto& w : workers)
        WaitForSingleObject(w.get(), 30000);
    const double perSecond = static_cast<double>(g_closed) / (minutes * 60.0);

    // Flat after the first minute: no sample above the first-minute level plus noise.
    auto growth = [&](long Sample::*field) {
        long base = -1, top = -1;
        for (const Sample& s : series) {
            if (s.seconds <= 60)
                base = std::max(base, s.*field);
            else
                top = std::max(top, s.*field);
        }
        return std::make_pair(base, top);
    };
    char detail[200];
    const auto priv = growth(&Sample::privateKb);
    std::snprintf(detail, sizeof detail, "first minute up to %ld KB, later up to %ld KB (%.1f windows closed a second)",
        priv.first, priv.second, perSecond);
    report.Check(
        "soak_private_memory_flat", priv.first > 0 && priv.second <= priv.first + priv.first / 20 + 512, detail);
    const auto gdi = growth(&Sample::gdi);
    std::snprintf(detail, sizeof detail, "first minute up to %ld, later up to %ld", gdi.first, gdi.second);
    report.Check("soak_gdi_objects_flat", gdi.first > 0 && gdi.second <= gdi.first + 10, detail);
    const auto user = growth(&Sample::user);
    std::snprintf(
        detail, sizeof detail, "first minute up to %ld, later up to %ld (its windows)", user.first, user.second);
    report.Check("soak_user_objects_flat", user.first > 0 && user.second <= user.first + 10, detail);
    std::snprintf(detail, sizeof detail, "slowest answer %ld ms, %ld unanswered", worstWmNull, unanswered);
    report.Check("soak_wm_null_answered_within_250_ms", worstWmNull <= 250 && unanswered == 0, detail);
    std::snprintf(detail, sizeof detail, "%ld uses, %ld failed to open", menuUses, menuFailures);
    report.Check("soak_task_menu_and_manager_used", menuUses > 0 && menuFailures == 0, detail);
    int left = -1;
    e2e::WaitFor(5000, [&] { return (left = ReadButtons(bar).soak) == 0; });
    report.Check("soak_no_button_left_for_a_closed_window", left == 0, std::to_string(left) + " churn buttons left");
    return report.Finish();
}
