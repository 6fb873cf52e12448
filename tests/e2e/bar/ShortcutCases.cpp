#include <windows.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "bar/BarIds.h"
#include "progmenu/ShortcutIds.h"
#include "tests/e2e/bar/BarKit.h"
#include "tests/e2e/bar/BarPopup.h"
#include "tests/e2e/bar/BarReader.h"
#include "tests/e2e/bar/MenuCases.h"
#include "tests/e2e/bar/MenuCheck.h"
#include "tests/e2e/common/Input.h"
#include "tests/e2e/common/Poll.h"

namespace bar_probe {
namespace {

namespace ids = shortcut_ids;

constexpr const char* kCaption = "Shortcut Icons";
const MenuKeys kShortcuts = KeysFromEnd(ProgramMenuTail(), "shortcuts...");
const MenuKeys kRedetect = KeysFromEnd(ProgramMenuTail(), "redetect");

std::string SystemFolder()
{
    char path[MAX_PATH] = {};
    GetSystemDirectoryA(path, MAX_PATH);
    return path;
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The bytes as a one-line text for a report: CR and LF spelled out.
std::string Shown(const std::string& bytes)
{
    std::string text;
    for (char c : bytes)
        text += c == '\r' ? std::string("\\r") : c == '\n' ? std::string("\\n") : std::string(1, c);
    return "'" + text + "'";
}

// Types text with the keyboard into whatever has the focus, shifted characters included.
bool TypeText(const std::string& text)
{
    for (char c : text) {
        const SHORT scan = VkKeyScanA(c);
        if (scan == -1 || !e2e::RealKeyPress((scan & 0x100) ? VK_SHIFT : 0, static_cast<WORD>(scan & 0xFF)))
            return false;
    }
    return true;
}

bool Responds(const RunningBar& running)
{
    DWORD_PTR result = 0;
    return running.process.running() &&
        SendMessageTimeoutA(running.bar, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 3000, &result) != 0;
}

// The shortcut window of the running bar, driven with real clicks.
class ShortcutWindow {
public:
    explicit ShortcutWindow(const RunningBar& running)
        : running_(running)
    {
    }

    bool WaitOpen(int timeoutMs)
    {
        return e2e::WaitFor(timeoutMs, [&] {
            window_ = FindVisibleWindowOf(running_.process.id(), kCaption);
            return window_ != nullptr;
        });
    }
    bool gone() const { return !IsWindow(window_) || !IsWindowVisible(window_); }
    HWND window() const { return window_; }
    HWND control(int id) const { return ChildById(window_, id); }

    // A real click at the centre of a control, with the window in front.
    bool Click(int id) { return Front() && e2e::RealLeftClickAt(e2e::CentreOnScreen(control(id))); }
    // A real click on item `index` of the shortcut list; true once the list has it selected.
    bool SelectShortcut(int index)
    {
        const HWND list = control(ids::TSK);
        RECT item = {};
        if (!Front() ||
            SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)) == LB_ERR)
            return false;
        POINT at = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
        ClientToScreen(list, &at);
        return e2e::RealLeftClickAt(at) &&
            e2e::WaitFor(3000, [&] { return SendMessageA(list, LB_GETCURSEL, 0, 0) == index; });
    }
    int shortcutCount() const { return static_cast<int>(SendMessageA(control(ids::TSK), LB_GETCOUNT, 0, 0)); }
    // "Remove" on item `index`; true once the list is one shorter. The bar has taken the
    // selection before the click, and a click Wine loses right after the list's is given once more.
    bool Remove(int index)
    {
        const int before = shortcutCount();
        if (!SelectShortcut(index))
            return false;
        DWORD_PTR answer = 0;
        SendMessageTimeoutA(running_.bar, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer);
        const auto shorter = [&] { return shortcutCount() == before - 1; };
        if (Click(ids::MDEL) && e2e::WaitFor(3000, shorter))
            return true;
        return shortcutCount() == before && Click(ids::MDEL) && e2e::WaitFor(5000, shorter);
    }

private:
    bool Front()
    {
        SetForegroundWindow(window_);
        return e2e::WaitFor(3000, [&] { return GetForegroundWindow() == window_; });
    }

    const RunningBar& running_;
    HWND window_ = nullptr;
};

} // namespace

void CheckShortcuts(e2e::Report& report, const std::string& tolvixExe, Artifacts& artifacts)
{
    const std::string mines = SystemFolder() + "\\winemine.exe";
    const std::string notepad = SystemFolder() + "\\notepad.exe";
    const std::string seeded = mines + "\"\"Mines\r\nC:\\nowhere\\ghost.exe\"\"Ghost\r\n" + notepad + "\r\n";
    std::unique_ptr<RunningBar> running = LaunchBar(tolvixExe, "shortcuts",
        {{"", std::vector<unsigned char>(seeded.begin(), seeded.end()), "SHORTCUT.INI"}}, 30000);
    if (!report.Check("shortcuts_bar_starts", running->bar != nullptr, running->bar ? "bar up" : running->error))
        return;
    const std::string file = running->folder->PathOf("SHORTCUT.INI");
    WaitForSplashToGo(*running);

    // With no known-task file the catalogue is empty: the shortcuts alone head the menu.
    BarPopup popup(*running);
    std::string step = popup.Choose(bar_ids::STX, kRedetect);
    if (step.empty())
        step = popup.Open(bar_ids::STX);
    using K = MenuEntry::Kind;
    const std::vector<MenuEntry> programMenu = {{"Mines", K::Normal}, {"Ghost", K::Disabled},
        {notepad.c_str(), K::Normal}, {"", K::Separator}, {"shortcuts...", K::Normal}, {"redetect", K::Normal}};
    if (step.empty())
        CheckMenuMatches(report, artifacts, popup.window(), "program_menu_lists_shortcuts_missing_one_greyed",
            "shortcut-menu", programMenu, -1, "'Mines', grey 'Ghost', '" + notepad + "', 'shortcuts...', 'redetect'");
    else
        report.Check("program_menu_lists_shortcuts_missing_one_greyed", false, step);

    const std::vector<DWORD> before = ProcessesNamed("winemine.exe");
    step = popup.Choose(bar_ids::STX, KeysTo({{programMenu, "Mines"}}));
    HWND started = nullptr;
    const bool ran = step.empty() && e2e::WaitFor(10000, [&] {
        for (DWORD id : ProcessesNamed("winemine.exe"))
            if (std::find(before.begin(), before.end(), id) == before.end() &&
                (started = FindVisibleWindowOf(id)) != nullptr)
                return true;
        return false;
    });
    report.Check("shortcut_item_starts_its_program", ran && Responds(*running),
        !step.empty() ? step
            : ran     ? "winemine.exe window '" + TextOf(started) + "'"
                      : "no new winemine window in 10 s");
    for (DWORD id : ProcessesNamed("winemine.exe"))
        if (std::find(before.begin(), before.end(), id) == before.end())
            EndProcess(id);

    ShortcutWindow window(*running);
    step = popup.Choose(bar_ids::STX, kShortcuts);
    const bool opened = step.empty() && window.WaitOpen(5000);
    if (!report.Check("shortcuts_entry_opens_the_window", opened && window.shortcutCount() == 3,
            !step.empty() ? step
                : opened
                ? "'" + std::string(kCaption) + "' with " + std::to_string(window.shortcutCount()) + " shortcuts"
                : "no window captioned '" + std::string(kCaption) + "' within 5 s"))
        return;
    artifacts.RequestScreenshot("shortcut-window");

    // "Remove" on the missing program rewrites the file without it.
    const std::string afterRemove = mines + "\"\"Mines\r\n" + notepad + "\r\n";
    std::string bytes;
    const bool removed = window.Remove(1) && e2e::WaitFor(5000, [&] { return (bytes = ReadAll(file)) == afterRemove; });
    report.Check("remove_rewrites_the_file", removed, "SHORTCUT.INI " + Shown(bytes));

    // "Add" through the file dialog, the program's path typed into it.
    const std::string tool = running->folder->PathOf("tool.exe");
    const bool copied = running->folder->CopyIn(PeerExe(), "tool.exe");
    HWND dialog = nullptr;
    const bool asked = copied && window.Click(ids::MADD) && e2e::WaitFor(5000, [&] {
        dialog = FindVisibleWindowOf(running->process.id(), "Select file...");
        return dialog != nullptr && GetForegroundWindow() == dialog;
    });
    const bool typed = asked && TypeText(tool) && e2e::RealKeyPress(0, VK_RETURN);
    const std::string afterAdd = afterRemove + tool + "\"\"tool\r\n";
    const bool added = typed && e2e::WaitFor(10000, [&] { return (bytes = ReadAll(file)) == afterAdd; });
    report.Check("add_through_the_file_dialog_rewrites_the_file", added && window.shortcutCount() == 3,
        std::string(copied ? "" : "could not copy the peer; ") +
            (asked ? "dialog 'Select file...' in front; " : "no dialog 'Select file...' in front within 5 s; ") +
            "SHORTCUT.INI " + Shown(bytes));
    if (asked && !added && IsWindow(dialog))
        PostMessageA(dialog, WM_CLOSE, 0, 0);

    // "Edit" through the input box: the caption typed over the one it offers.
    const std::string afterEdit = mines + "\"\"My Mines\r\n" + notepad + "\r\n" + tool + "\"\"tool\r\n";
    HWND box = nullptr;
    const bool selected = window.SelectShortcut(0);
    // A modal box of another program may come up behind under Wine: it is brought forward, as a
    // user would click it.
    // The bar has taken the selection before "Edit" is clicked; a click Wine loses right after the
    // list's is given once more (a second one while the box is up reaches only a disabled window).
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(running->bar, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer);
    const unsigned long long clicked = e2e::NowMs();
    bool again = false;
    const bool boxShown = selected && window.Click(ids::MEDIT) && e2e::WaitFor(8000, [&] {
        box = FindTopLevel(running->process.id(), "#32770");
        if (!box && !again && e2e::NowMs() - clicked > 3000)
            again = window.Click(ids::MEDIT);
        if (box && GetForegroundWindow() != box)
            SetForegroundWindow(box);
        return box != nullptr && GetForegroundWindow() == box;
    });
    const std::string title = boxShown ? TextOf(box) : "";
    const bool edited = boxShown && TypeText("My Mines") && e2e::RealKeyPress(0, VK_RETURN) &&
        e2e::WaitFor(5000, [&] { return (bytes = ReadAll(file)) == afterEdit; });
    report.Check("edit_through_the_input_box_rewrites_the_caption", edited && title == "Tolvane",
        (boxShown           ? "input box '" + title + "' in front; "
                : !selected ? "the first shortcut could not be selected; "
                : box       ? "an input box, but not in front within 8 s; "
                            : "no input box within 8 s; ") +
            "SHORTCUT.INI " + Shown(bytes));
    if (boxShown && !edited && IsWindow(box))
        PostMessageA(box, WM_CLOSE, 0, 0);

    // A read-only file: "Remove" shows in the list but not in the file, and the caption says so;
    // once the file may be written again, the next change saves both.
    const std::string notSaved = std::string(kCaption) + " - not saved: no write access";
    const bool locked = SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY) != 0;
    std::string caption;
    const bool told = locked && window.Remove(2) &&
        e2e::WaitFor(5000, [&] { return (caption = TextOf(window.window())) == notSaved; });
    bytes = ReadAll(file);
    if (told)
        artifacts.RequestScreenshot("shortcut-not-saved");
    report.Check("a_read_only_file_shows_not_saved_in_the_caption",
        told && bytes == afterEdit && window.shortcutCount() == 2,
        (locked ? "caption '" + caption + "', " : "could not make the file read-only; ") +
            std::to_string(window.shortcutCount()) + " shortcuts listed, SHORTCUT.INI " + Shown(bytes));
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    const std::string afterRetry = notepad + "\r\n";
    const bool retried =
        told && window.Remove(0) && e2e::WaitFor(5000, [&] { return (bytes = ReadAll(file)) == afterRetry; });
    caption = TextOf(window.window());
    report.Check("the_next_change_saves_the_unsaved_one_too", retried && caption == kCaption,
        "caption '" + caption + "', SHORTCUT.INI " + Shown(bytes));

    const bool closed = window.Click(ids::MQIT) && e2e::WaitFor(5000, [&] { return window.gone(); });
    report.Check("close_closes_the_window", closed && Responds(*running) && ReadAll(file) == afterRetry,
        closed ? "window gone, bar answers, file unchanged" : "window still shown 5 s after 'Close'");
}

} // namespace bar_probe
