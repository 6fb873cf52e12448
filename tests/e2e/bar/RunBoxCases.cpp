#include <algorithm>
#include <cstdio>

#include "bar/BarIds.h"
#include "tests/e2e/bar/BarKit.h"
#include "tests/e2e/bar/BarReader.h"
#include "tests/e2e/bar/MenuCases.h"
#include "tests/e2e/bar/ToolTipText.h"
#include "tests/e2e/common/Input.h"
#include "tests/e2e/common/Poll.h"
#include "tests/e2e/common/TestWindows.h"
#include "win32kit/Handles.h"

namespace bar_probe {
namespace {

constexpr const char* kFailurePrefix = "Could not start: ";

// The run box driven through the platform's input: clicked into, its text set, Enter pressed.
class RunBox {
public:
    explicit RunBox(const RunningBar& running)
        : running_(running)
        , box_(ChildById(running.bar, bar_ids::VRUN))
        , stx_(ChildById(running.bar, bar_ids::STX))
    {
    }
    bool found() const { return box_ && stx_; }

    // Puts the focus into the box with a real click; false when the bar never came forward.
    bool Focus()
    {
        SetForegroundWindow(running_.bar);
        const bool front = e2e::WaitFor(3000, [&] { return GetForegroundWindow() == running_.bar; });
        return front && e2e::RealLeftClickAt(e2e::CentreOnScreen(box_)) &&
            e2e::WaitFor(3000, [&] { return FocusOfBar() == box_; });
    }

    void SetText(const std::string& text)
    {
        DWORD_PTR result = 0;
        SendMessageTimeoutA(
            box_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, 5000, &result);
    }

    std::string Text() const { return TypedText(box_); }

    // The selection's first and last character positions, as the box reports them.
    std::pair<DWORD, DWORD> Selection() const
    {
        DWORD first = 0, last = 0;
        DWORD_PTR result = 0;
        SendMessageTimeoutA(box_, EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last),
            SMTO_ABORTIFHUNG, 5000, &result);
        return {first, last};
    }

    // Enter, then a "z" typed after it: once the "z" shows, the bar has handled the Enter.
    bool EnterAndWait()
    {
        const bool typed = e2e::RealKeyPress(0, VK_RETURN) && e2e::RealKeyPress(0, 'Z');
        return typed && e2e::WaitFor(5000, [&] { return Text().find('z') != std::string::npos; });
    }

    std::string Tip(HWND control) const
    {
        std::string text, error;
        return ReadToolTip(control, text, error) ? text : "(" + error + ")";
    }
    std::string StxTip() const { return Tip(stx_); }
    std::string BoxTip() const { return Tip(box_); }

    bool Responds() const
    {
        DWORD_PTR result = 0;
        return running_.process.running() &&
            SendMessageTimeoutA(running_.bar, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 3000, &result) != 0;
    }

private:
    HWND FocusOfBar() const
    {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(running_.bar, nullptr), &info);
        return info.hwndFocus;
    }

    const RunningBar& running_;
    HWND box_;
    HWND stx_;
};

bool StartsWith(const std::string& text, const std::string& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

// Whether the bar's process shows a message box or any other dialog.
bool ShowsDialog(DWORD processId)
{
    return FindTopLevel(processId, "#32770") != nullptr;
}

struct ClassSearch {
    const char* className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectByClass(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<ClassSearch*>(param);
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (IsWindowVisible(window) && lstrcmpiA(name, search->className) == 0)
        search->found.push_back(window);
    return TRUE;
}

std::vector<HWND> VisibleWindowsOfClass(const char* className)
{
    ClassSearch search {className, {}};
    EnumWindows(CollectByClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void EndProcessOf(HWND window)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    win32kit::UniqueKernelHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid));
    if (process && TerminateProcess(process.get(), 0))
        WaitForSingleObject(process.get(), 5000);
}

// Restores a settings value as StoredSetting read it ("00 00 H L"), or removes it when there was none.
void RestoreSetting(const std::string& name, const std::string& before)
{
    unsigned a = 0, b = 0, high = 0, low = 0;
    if (std::sscanf(before.c_str(), "%x %x %x %x", &a, &b, &high, &low) == 4) {
        SeedSetting(name, high << 8 | low);
        return;
    }
    HKEY raw = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_SET_VALUE, &raw) == ERROR_SUCCESS) {
        RegDeleteValueA(raw, name.c_str());
        RegCloseKey(raw);
    }
}

// Docked at the right edge ("right" in the alignment list), the bar comes out under the mouse;
// with the focus in its run box it stays out when the mouse leaves, and tucks itself away once
// another window has the focus.
void CheckDockedRunBox(e2e::Report& report, const std::string& tolvixExe)
{
    const std::string before = StoredSetting("Align_Position");
    if (!report.Check("docked_bar_seeded", SeedSetting("Align_Position", 5), "Align_Position 00 00 00 05"))
        return;
    {
        std::unique_ptr<RunningBar> running = LaunchBar(tolvixExe, "docked", {}, 30000);
        if (report.Check("docked_bar_starts", running->bar != nullptr, running->bar ? "bar up" : running->error)) {
            const HWND bar = running->bar;
            const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
            RECT r = {};
            const auto tucked = [&] { return GetWindowRect(bar, &r) && r.left >= sw - 16; };
            const auto out = [&] { return GetWindowRect(bar, &r) && r.right <= sw + 4 && r.left < sw - 16; };
            const auto where = [&] {
                GetWindowRect(bar, &r);
                return "frame " + std::to_string(r.left) + "," + std::to_string(r.top) + " to " +
                    std::to_string(r.right) + "," + std::to_string(r.bottom);
            };
            SetCursorPos(sw / 2, sh / 2);
            const bool tuckedAtStart = e2e::WaitFor(5000, tucked);
            SetCursorPos(sw - 8, sh / 2); // on its strip
            const bool cameOut = tuckedAtStart && e2e::WaitFor(5000, out);
            RunBox box(*running);
            const bool focused = cameOut && box.found() && box.Focus();
            SetCursorPos(sw / 2, sh / 2);
            // Six docking ticks with the mouse away.
            const bool stayedOut = focused && !e2e::WaitFor(3000, [&] { return !out(); });
            const std::string whileFocused = where();
            report.Check("docked_bar_stays_out_while_its_run_box_has_the_focus", stayedOut,
                std::string(!tuckedAtStart ? "never tucked away at start; "
                        : !cameOut         ? "never came out under the mouse; "
                        : !focused         ? "the run box never took the focus; "
                                           : "") +
                    whileFocused + " 3 s after the mouse left (screen " + std::to_string(sw) + " wide)");

            win32kit::UniqueWindow other = e2e::CreateTestWindow(e2e::WindowKind::Normal, "Focus elsewhere");
            ShowWindow(other.get(), SW_SHOW);
            SetForegroundWindow(other.get());
            const bool tuckedAgain = stayedOut && e2e::WaitFor(5000, [&] {
                e2e::PumpMessages();
                return tucked();
            });
            report.Check("docked_bar_tucks_away_once_the_focus_is_elsewhere", tuckedAgain,
                where() +
                    (GetForegroundWindow() == other.get() ? "; another window in front"
                                                          : "; the other window never came to the front"));
        }
    }
    RestoreSetting("Align_Position", before);
}

} // namespace

void CheckRunBox(e2e::Report& report, const std::string& tolvixExe)
{
    CheckDockedRunBox(report, tolvixExe);
    std::unique_ptr<RunningBar> running = LaunchBar(tolvixExe, "runbox", {}, 30000);
    if (!report.Check("runbox_bar_starts", running->bar != nullptr, running->bar ? "bar up" : running->error))
        return;
    RunBox box(*running);
    if (!report.Check("run_box_takes_the_focus", box.found() && box.Focus(),
            box.found() ? "a real click put the focus into VRUN" : "no controls VRUN and STX"))
        return;
    const std::string usualTip = box.StxTip();

    // Nothing to start is no failure: no tip changes.
    box.SetText("");
    const bool emptyDone = box.EnterAndWait();
    const std::string afterEmpty = box.StxTip();
    box.SetText("   ");
    const bool blankDone = box.EnterAndWait();
    const std::string afterBlank = box.StxTip();
    report.Check("empty_or_blank_box_starts_nothing_and_reports_nothing",
        emptyDone && blankDone && !StartsWith(afterEmpty, kFailurePrefix) && afterBlank == afterEmpty && box.Responds(),
        std::string(emptyDone && blankDone ? "Enter handled in both; " : "Enter not handled within 5 s; ") +
            "STX tip '" + usualTip + "', after empty '" + afterEmpty + "', after spaces '" + afterBlank + "'");

    box.SetText("no-such-program-xyz");
    e2e::RealKeyPress(0, VK_RETURN);
    const std::string expected = std::string(kFailurePrefix) + "no-such-program-xyz";
    std::string stxTip, boxTip;
    const bool reported = e2e::WaitFor(5000, [&] { return (stxTip = box.StxTip()) == expected; });
    boxTip = box.BoxTip();
    const bool quiet = !ShowsDialog(running->process.id());
    report.Check("missing_program_sets_could_not_start_tips_without_a_message_box",
        reported && boxTip == expected && quiet && box.Responds(),
        "STX tip '" + stxTip + "', VRUN tip '" + boxTip + "'" + (quiet ? "" : "; a dialog is shown") +
            " (tips read with TTM_GETTEXTA)");

    // The text stays after Enter, selected whole: the next key replaces it.
    const std::pair<DWORD, DWORD> selected = box.Selection();
    const bool wholeSelected = selected.first == 0 && selected.second == box.Text().size();
    e2e::RealKeyPress(0, 'Q');
    std::string replaced;
    const bool replacedByKey = e2e::WaitFor(3000, [&] { return (replaced = box.Text()) == "q"; });
    report.Check("enter_leaves_the_text_selected_and_the_next_key_replaces_it", wholeSelected && replacedByKey,
        "selection " + std::to_string(selected.first) + ".." + std::to_string(selected.second) + " after Enter; box '" +
            replaced + "' after typing q");

    const std::string huge(30000, 'a');
    box.SetText(huge);
    const size_t held = box.Text().size();
    e2e::RealKeyPress(0, VK_RETURN);
    const std::string hugeTip = std::string(kFailurePrefix) + "aaaa";
    const bool hugeReported = e2e::WaitFor(5000, [&] {
        stxTip = box.StxTip();
        return StartsWith(stxTip, hugeTip);
    });
    report.Check("thirty_thousand_characters_fail_quietly",
        hugeReported && box.Responds() && !ShowsDialog(running->process.id()),
        "box held " + std::to_string(held) + " characters; STX tip " + std::to_string(stxTip.size()) +
            " characters, '" + stxTip.substr(0, 40) + "...'");

    // Typed for real: Wine's notepad starts, the text stays, and the failure tips are cleared.
    const std::vector<HWND> before = VisibleWindowsOfClass("Notepad");
    box.SetText("");
    const bool focused = box.Focus();
    for (char c : std::string("NOTEPAD"))
        e2e::RealKeyPress(0, static_cast<WORD>(c));
    const bool typed = e2e::WaitFor(3000, [&] { return box.Text() == "notepad"; });
    e2e::RealKeyPress(0, VK_RETURN);
    HWND notepad = nullptr;
    const bool started = typed && e2e::WaitFor(10000, [&] {
        for (HWND w : VisibleWindowsOfClass("Notepad"))
            if (std::find(before.begin(), before.end(), w) == before.end())
                notepad = w;
        return notepad != nullptr;
    });
    const std::string left = box.Text();
    const bool cleared = e2e::WaitFor(3000, [&] { return (stxTip = box.StxTip()) == usualTip; });
    report.Check("typed_notepad_starts_wine_notepad_and_stays_in_box",
        started && left == "notepad" && cleared && box.Responds(),
        std::string(focused ? "" : "box not focused; ") + (typed ? "typed 'notepad'; " : "box held '" + left + "'; ") +
            (started ? "window " + e2e::DescribeWindow(notepad) : "no new Notepad window within 10 s") + "; box '" +
            left + "'; STX tip '" + stxTip + "'");
    if (notepad)
        EndProcessOf(notepad);

    // A document named by its bare path, blanks in it: no process can be made of it, so the shell
    // opens it with the program its type is registered to (here Wine's notepad).
    const std::string classes = "Software\\Classes\\";
    const std::string type = "Tolvane.E2eDocument";
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    const std::string open = "\"" + std::string(system) + "\\notepad.exe\" \"%1\"";
    const auto text = [](const std::string& value) {
        std::vector<unsigned char> bytes(value.begin(), value.end());
        bytes.push_back(0);
        return bytes;
    };
    const bool associated = WriteRegistryValue(HKEY_LOCAL_MACHINE, classes + ".tolvdoc", "", REG_SZ, text(type)) &&
        WriteRegistryValue(HKEY_LOCAL_MACHINE, classes + type + "\\shell\\open\\command", "", REG_SZ, text(open));
    const std::string document = running->folder->PathOf("read me.tolvdoc");
    const bool placed = associated && running->folder->WriteFile("read me.tolvdoc", {'h', 'i', '\r', '\n'});
    const std::vector<HWND> notepads = VisibleWindowsOfClass("Notepad");
    box.SetText(document);
    const bool front = box.Focus();
    e2e::RealKeyPress(0, VK_RETURN);
    HWND opened = nullptr;
    const bool shown = placed && e2e::WaitFor(15000, [&] {
        for (HWND w : VisibleWindowsOfClass("Notepad"))
            if (std::find(notepads.begin(), notepads.end(), w) == notepads.end() &&
                e2e::DescribeWindow(w).find("read me") != std::string::npos)
                opened = w;
        return opened != nullptr;
    });
    stxTip = box.StxTip();
    report.Check("document_path_with_blanks_opens_through_the_shell",
        shown && !StartsWith(stxTip, kFailurePrefix) && box.Responds(),
        std::string(associated ? "" : "could not register .tolvdoc; ") + (front ? "" : "box not focused; ") +
            (shown ? "window " + e2e::DescribeWindow(opened) : "no Notepad window for 'read me.tolvdoc' within 15 s") +
            "; STX tip '" + stxTip + "'");
    if (opened)
        EndProcessOf(opened);
    DeleteRegistryKey(HKEY_LOCAL_MACHINE, classes + type);
    DeleteRegistryKey(HKEY_LOCAL_MACHINE, classes + ".tolvdoc");
}

} // namespace bar_probe
