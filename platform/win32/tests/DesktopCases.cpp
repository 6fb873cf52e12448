// The desktop, file and system seams against the real user32 and kernel32.
#include "platform/win32/tests/SelfTest.h"
#include "platform/win32/ForegroundRight.h"
#include "platform/win32/tests/Support.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

using namespace selftest;

SELFTEST(DesktopFindsListsAndCommandsTheFormWindow)
{
    platform::win32::Win32Platform platform;
    ui::Toolkit& toolkit = platform.toolkit();
    platform::Desktop& desktop = platform.desktop();
    Recorder events;
    const ui::FormId form = toolkit.createForm(formSpec("Desktop probe"), events);
    toolkit.showForm(form, true);
    const platform::WindowHandle own = toolkit.formWindow(form);
    const HWND window = toHwnd(own);

    CHECK_EQ(desktop.findWindow("TolvaneForm", "Desktop probe"), own);
    CHECK_EQ(desktop.findWindow(nullptr, "Desktop probe"), own);
    CHECK_EQ(desktop.findWindow("No such class at all", nullptr), 0u);

    bool listed = false;
    for (platform::WindowHandle h = desktop.getWindow(desktop.desktopWindow(), platform::WindowRelation::Child); h;
         h = desktop.getWindow(h, platform::WindowRelation::Next))
        listed = listed || h == own;
    CHECK(listed);
    CHECK(desktop.isVisible(own));
    CHECK(!desktop.isCloaked(own));
    CHECK_EQ(desktop.parent(own), 0u);
    CHECK_EQ(desktop.getWindow(own, platform::WindowRelation::Owner), 0u);
    CHECK((desktop.exStyle(own) & platform::kExStyleToolWindow) != 0);
    CHECK_EQ(desktop.windowProcessId(own), static_cast<std::uint32_t>(GetCurrentProcessId()));
    std::intptr_t length = 0;
    CHECK(desktop.sendMessageTimeout(own, WM_GETTEXTLENGTH, 0, 0, 1000, &length));
    CHECK_EQ(length, static_cast<std::intptr_t>(13));

    char text[4] = {'?', '?', '?', '?'};
    CHECK_EQ(desktop.windowText(own, text, sizeof text), 3);
    CHECK_EQ(std::string(text), std::string("Des"));
    CHECK_EQ(desktop.windowText(own, text, 0), 0);
    CHECK_EQ(desktop.windowText(0, text, sizeof text), 0);

    // The special insert-after handles must survive the 32-bit handle type on 64-bit Windows.
    desktop.setWindowPos(own, platform::kInsertTopmost, 0, 0, 0, 0, platform::kPosNoSize | platform::kPosNoMove);
    CHECK((GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
    desktop.setWindowPos(own, platform::kInsertNoTopmost, 0, 0, 0, 0, platform::kPosNoSize | platform::kPosNoMove);
    CHECK((GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0);
    desktop.setWindowPos(own, 0, 50, 60, 200, 300, 0);
    RECT frame {};
    GetWindowRect(window, &frame);
    CHECK_EQ(frame.left, 50L);
    CHECK_EQ(frame.bottom - frame.top, 300L);

    desktop.showWindow(own, platform::ShowCommand::Minimize);
    CHECK(desktop.isIconic(own));
    desktop.showWindow(own, platform::ShowCommand::Restore);
    CHECK(!desktop.isIconic(own));

    SetCursorPos(33, 44);
    POINT cursor {};
    GetCursorPos(&cursor);
    const platform::PixelPoint seen = desktop.cursorPos();
    CHECK_EQ(seen.x, static_cast<int>(cursor.x));
    CHECK_EQ(seen.y, static_cast<int>(cursor.y));
}

SELFTEST(FilesAreReadBoundedAndWrittenWhole)
{
    platform::win32::Win32Platform platform;
    platform::Files& files = platform.files();
    const TempFile file("data.bin");
    std::string bytes;
    for (int i = 0; i < 200000; ++i)
        bytes.push_back(static_cast<char>(i * 7));
    bytes.append("\r\nlast line\0with a nul", 22);

    CHECK(!files.exists(file.path()));
    CHECK(!files.readBytes(file.path(), 100).has_value());
    CHECK(files.writeBytes(file.path(), bytes));
    CHECK(files.exists(file.path()));
    CHECK(files.readBytes(file.path(), bytes.size() + 10) == bytes);
    CHECK(files.readBytes(file.path(), 10) == bytes.substr(0, 10));
    CHECK(files.readBytes(file.path(), 0) == std::string());
    CHECK(files.writeBytes(file.path(), "short"));
    CHECK(files.readBytes(file.path(), 100) == std::string("short"));
    CHECK(!files.writeBytes(file.path() + "-no-such-folder\\inner.txt", "x"));
}

SELFTEST(WritesSayWhyTheyFailedAndTheCodePageNeverGuesses)
{
    platform::win32::Win32Platform platform;
    platform::Files& files = platform.files();
    const TempFile file("locked.ini");
    CHECK(files.write(file.path(), "first\r\n") == platform::WriteStatus::Ok);
    CHECK(SetFileAttributesA(file.path().c_str(), FILE_ATTRIBUTE_READONLY));
    CHECK(files.write(file.path(), "second\r\n") == platform::WriteStatus::Denied);
    CHECK(files.readBytes(file.path(), 100) == std::string("first\r\n"));
    SetFileAttributesA(file.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    CHECK(files.write(file.path() + "-no-such-folder\\inner.txt", "x") == platform::WriteStatus::Failed);

    const platform::CodePage& codePage = files.codePage();
    std::string ansi;
    CHECK(codePage.ToAnsi(u"C:\\Apps\\a.exe", ansi) && ansi == "C:\\Apps\\a.exe");
    CHECK(codePage.ToUtf16("C:\\Apps\\a.exe") == u"C:\\Apps\\a.exe");
    if (GetACP() == 1252) {
        CHECK(codePage.ToUtf16("b\xE9ta") == u"b\u00E9ta");
        CHECK(codePage.ToAnsi(u"b\u00E9ta \u20AC", ansi) && ansi == "b\xE9ta \x80");
        // No look-alike: a stroked L the code page lacks is not an L.
        CHECK(!codePage.ToAnsi(u"\u0141\u4E2D", ansi) && ansi == "??");
    } else {
        std::printf("  (code page %u: only the ASCII checks)\n", GetACP());
    }
}

SELFTEST(FilesTellMissingFromUnreadableAndReplaceThroughATemporaryFile)
{
    platform::win32::Win32Platform platform;
    platform::Files& files = platform.files();
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder =
        std::string(temp) + "tolvane-selftest-" + std::to_string(GetCurrentProcessId()) + "-files";
    const std::string path = folder + "\\SHORTCUT.INI";
    const std::string inner = folder + "\\inner";
    CHECK(CreateDirectoryA(folder.c_str(), nullptr));
    CHECK(CreateDirectoryA(inner.c_str(), nullptr));
    const auto names = [&] {
        std::vector<std::string> found;
        WIN32_FIND_DATAA data {};
        const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &data);
        if (search == INVALID_HANDLE_VALUE)
            return found;
        do {
            if (std::string(data.cFileName) != "." && std::string(data.cFileName) != "..")
                found.push_back(data.cFileName);
        } while (FindNextFileA(search, &data));
        FindClose(search);
        std::sort(found.begin(), found.end());
        return found;
    };

    CHECK(files.read(path, 10).status == platform::ReadStatus::Missing);
    CHECK(files.read(folder + "\\no-such-folder\\x", 10).status == platform::ReadStatus::Missing);
    CHECK(files.writeBytes(path, "first\r\n"));
    {
        // Held open by another without sharing: there, but unreadable.
        const win32kit::UniqueKernelHandle held(
            CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        CHECK(static_cast<bool>(held));
        const platform::ReadResult locked = files.read(path, 10);
        CHECK(locked.status == platform::ReadStatus::Unreadable && locked.bytes.empty());
    }
    CHECK(files.writeBytes(path, "second\r\n"));
    const platform::ReadResult read = files.read(path, 100);
    CHECK(read.status == platform::ReadStatus::Ok && read.bytes == "second\r\n");
    // A rename that fails (a folder stands where the file should go) leaves no temporary file.
    CHECK(!files.writeBytes(inner, "x"));
    CHECK((names() == std::vector<std::string> {"SHORTCUT.INI", "inner"}));

    DeleteFileA(path.c_str());
    RemoveDirectoryA(inner.c_str());
    RemoveDirectoryA(folder.c_str());
}

SELFTEST(SystemKnowsTheExecutableAndTheLocalTime)
{
    platform::win32::Win32Platform platform;
    std::string path = platform.system().executablePath();
    CHECK(platform.files().exists(path));
    std::transform(
        path.begin(), path.end(), path.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    CHECK(path.size() > 4 && path.compare(path.size() - 4, 4, ".exe") == 0);

    SYSTEMTIME expected {};
    GetLocalTime(&expected);
    const platform::LocalTime now = platform.system().now();
    CHECK_EQ(now.year, static_cast<int>(expected.wYear));
    CHECK_EQ(now.month, static_cast<int>(expected.wMonth));
    CHECK(now.hour >= 0 && now.hour < 24 && now.minute >= 0 && now.minute < 60);
}

namespace {

// A window whose thread never pumps messages until released: what a hung program looks like.
struct StuckWindow {
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HWND window = nullptr;
    HANDLE thread = nullptr;

    StuckWindow() { thread = CreateThread(nullptr, 0, &StuckWindow::run, this, 0, nullptr); }
    ~StuckWindow()
    {
        SetEvent(release);
        if (thread) {
            WaitForSingleObject(thread, 5000);
            CloseHandle(thread);
        }
        CloseHandle(ready);
        CloseHandle(release);
    }
    static DWORD WINAPI run(void* self)
    {
        auto* stuck = static_cast<StuckWindow*>(self);
        stuck->window =
            CreateWindowExA(0, "STATIC", "Stuck", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        SetEvent(stuck->ready);
        WaitForSingleObject(stuck->release, INFINITE);
        DestroyWindow(stuck->window);
        return 0;
    }
};

} // namespace

SELFTEST(DesktopTimedSendAsyncShowAndClassName)
{
    platform::win32::Win32Platform platform;
    ui::Toolkit& toolkit = platform.toolkit();
    platform::Desktop& desktop = platform.desktop();
    Recorder events;
    const ui::FormId form = toolkit.createForm(formSpec("Async probe"), events);
    toolkit.showForm(form, true);
    const platform::WindowHandle own = toolkit.formWindow(form);

    char name[8];
    CHECK_EQ(desktop.className(own, name, sizeof name), 7);
    CHECK_EQ(std::string(name), std::string("Tolvane"));
    CHECK_EQ(desktop.className(0, name, sizeof name), 0);

    std::intptr_t result = -5;
    CHECK(desktop.sendMessageTimeout(own, WM_GETTEXTLENGTH, 0, 0, 1000, &result));
    CHECK_EQ(result, static_cast<std::intptr_t>(11));

    CHECK(desktop.showWindowAsync(own, platform::ShowCommand::Minimize));
    CHECK(pumpUntil(platform, [&] { return desktop.isIconic(own); }));
    CHECK(desktop.showWindowAsync(own, platform::ShowCommand::Restore));
    CHECK(pumpUntil(platform, [&] { return !desktop.isIconic(own); }));

    desktop.setWindowPos(own, 0, 0, 0, 0, 0,
        platform::kPosNoMove | platform::kPosNoSize | platform::kPosHideWindow | platform::kPosAsyncWindowPos);
    CHECK(pumpUntil(platform, [&] { return !desktop.isVisible(own); }));

    // A window that does not answer costs the caller the time-out, not more, and leaves the
    // result alone.
    StuckWindow stuck;
    CHECK_EQ(WaitForSingleObject(stuck.ready, 5000), static_cast<DWORD>(WAIT_OBJECT_0));
    const platform::WindowHandle other = platform::win32::toHandle(stuck.window);
    CHECK(other != 0);
    result = -5;
    const DWORD start = GetTickCount();
    CHECK(!desktop.sendMessageTimeout(other, WM_GETTEXTLENGTH, 0, 0, 300, &result));
    const DWORD waited = GetTickCount() - start;
    CHECK(waited >= 250 && waited < 3000);
    CHECK_EQ(result, static_cast<std::intptr_t>(-5));
    std::printf("    timed send to a stuck window gave up after %lu ms\n", static_cast<unsigned long>(waited));
}

SELFTEST(TheForegroundLeaveComesFromAHotKeyOfThisThreadAndTakesNoOtherMessage)
{
    MSG message {};
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE); // the thread's queue
    CHECK(PostThreadMessageA(GetCurrentThreadId(), WM_APP + 7, 0, 0));
    const DWORD start = GetTickCount();
    CHECK(platform::win32::ReceiveOwnInput());
    const DWORD waited = GetTickCount() - start;
    CHECK(PeekMessageA(&message, reinterpret_cast<HWND>(-1), WM_APP + 7, WM_APP + 7, PM_REMOVE));
    CHECK(!PeekMessageA(&message, reinterpret_cast<HWND>(-1), WM_HOTKEY, WM_HOTKEY, PM_REMOVE));
    // The key is free again for other programs.
    CHECK(RegisterHotKey(nullptr, 0x1234, 0, VK_F24));
    UnregisterHotKey(nullptr, 0x1234);
    std::printf("    own hot key received %lu ms after the press\n", static_cast<unsigned long>(waited));
}
