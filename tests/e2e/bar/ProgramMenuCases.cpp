#include <windows.h>

#include <algorithm>

#include "bar/BarIds.h"
#include "tests/e2e/bar/BarKit.h"
#include "tests/e2e/bar/BarPopup.h"
#include "tests/e2e/bar/MenuCases.h"
#include "tests/e2e/bar/MenuCheck.h"
#include "tests/e2e/common/Poll.h"

namespace bar_probe {
namespace {

constexpr const char* kAppPaths = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths";
constexpr const char* kCatalogueKey = "Software\\TolvaneE2e";
const MenuKeys kRedetect = KeysFromEnd(ProgramMenuTail(), "redetect");

std::vector<unsigned char> Bytes(const std::string& text)
{
    return std::vector<unsigned char>(text.begin(), text.end());
}

// A string value with its terminating zero, as the registry stores one.
bool WriteString(const std::string& key, DWORD type, const std::string& text)
{
    std::vector<unsigned char> bytes = Bytes(text);
    bytes.push_back(0);
    return WriteRegistryValue(HKEY_CURRENT_USER, key, "", type, bytes);
}

std::string WindowsFolder(bool system)
{
    char path[MAX_PATH] = {};
    if (system)
        GetSystemDirectoryA(path, MAX_PATH);
    else
        GetWindowsDirectoryA(path, MAX_PATH);
    return path;
}

bool Responds(const RunningBar& running)
{
    DWORD_PTR result = 0;
    return running.process.running() &&
        SendMessageTimeoutA(running.bar, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 3000, &result) != 0;
}

// A catalogue of `lines` entries over the sixteen categories in turn, all reading one value.
std::string FullCatalogue(int lines)
{
    std::string text;
    text.reserve(static_cast<size_t>(lines) * 48);
    const std::string path = std::string(":HKCU\\") + kCatalogueKey + "\\Command\r\n";
    for (int i = 0; i < lines; ++i)
        text += "Entry " + std::to_string(i) + "=" + "0123456789abcdef"[i % 16] + path;
    return text;
}

} // namespace

void CheckProgramMenu(e2e::Report& report, const std::string& tolvixExe, Artifacts& artifacts)
{
    const std::string apps = kAppPaths;
    const bool written = WriteString(apps + "\\notepad.exe", REG_SZ, WindowsFolder(true) + "\\notepad.exe") &&
        WriteString(apps + "\\winemine.exe", REG_EXPAND_SZ, "%SystemRoot%\\system32\\winemine.exe") &&
        WriteString(apps + "\\regedit.exe", REG_SZ, WindowsFolder(false) + "\\regedit.exe");
    const std::string tsk = "/ Wine's own programs, in categories 0, b (Strategy) and 8 (System)\r\n"
                            "Notes & Text=0:HKCU\\" +
        apps + "\\notepad.exe\\\r\nMines=b:hkcu\\" + apps + "\\winemine.exe\\\r\nRegistry=8:CU\\" + apps +
        "\\regedit.exe\\\r\n";
    std::unique_ptr<RunningBar> running = LaunchBar(tolvixExe, "programs", {{".TSK", Bytes(tsk)}}, 30000);
    if (report.Check("programs_bar_starts", written && running->bar,
            std::string(written ? "App Paths of notepad, winemine (REG_EXPAND_SZ) and regedit written; "
                                : "could not write App Paths; ") +
                (running->bar ? "bar up" : running->error))) {
        BarPopup popup(*running);
        std::string step = popup.Choose(bar_ids::STX, kRedetect);
        if (step.empty())
            step = popup.Open(bar_ids::STX);
        using K = MenuEntry::Kind;
        // "&&" draws one "&": the bar's item must show the label's "&" and underline nothing.
        const std::vector<MenuEntry> programMenu = {{"Games", K::Submenu}, {"", K::Separator}, {"System", K::Submenu},
            {"", K::Separator}, {"Notes && Text", K::Normal}, {"", K::Separator}, {"shortcuts...", K::Normal},
            {"redetect", K::Normal}};
        if (step.empty())
            CheckMenuMatches(report, artifacts, popup.window(), "redetected_program_menu_shows_installed_programs",
                "program-menu", programMenu, -1, "'Games', 'System', 'Notes & Text', 'shortcuts...', 'redetect'");
        else
            report.Check("redetected_program_menu_shows_installed_programs", false, step);

        // Games > Strategy > Mines.
        const std::vector<DWORD> before = ProcessesNamed("winemine.exe");
        step = popup.Choose(bar_ids::STX,
            KeysTo(
                {{programMenu, "Games"}, {{{"Strategy", K::Submenu}}, "Strategy"}, {{{"Mines", K::Normal}}, "Mines"}}));
        std::vector<DWORD> mines;
        HWND window = nullptr;
        const bool started = step.empty() && e2e::WaitFor(10000, [&] {
            mines = ProcessesNamed("winemine.exe");
            for (DWORD id : mines)
                if (std::find(before.begin(), before.end(), id) == before.end() &&
                    (window = FindVisibleWindowOf(id)) != nullptr)
                    return true;
            return false;
        });
        report.Check("program_item_starts_its_expanded_command", started && Responds(*running),
            !step.empty() ? step
                : started ? "winemine.exe window '" + TextOf(window) + "'"
                          : std::to_string(mines.size()) + " winemine.exe processes, no new window within 10 s");
        for (DWORD id : ProcessesNamed("winemine.exe"))
            if (std::find(before.begin(), before.end(), id) == before.end())
                EndProcess(id);
    }
    running.reset();
    for (const char* exe : {"notepad.exe", "winemine.exe", "regedit.exe"})
        DeleteRegistryKey(HKEY_CURRENT_USER, apps + "\\" + exe);
}

void CheckFullCatalogue(e2e::Report& report, const std::string& tolvixExe, Artifacts& artifacts)
{
    constexpr int kEntries = 65536;
    const std::string command = WindowsFolder(true) + "\\notepad.exe";
    const bool written = WriteRegistryValue(HKEY_CURRENT_USER, kCatalogueKey, "Command", REG_SZ, Bytes(command + '\0'));
    const std::vector<unsigned char> full = Bytes(FullCatalogue(kEntries));
    std::unique_ptr<RunningBar> running = LaunchBar(tolvixExe, "catalogue", {{".TSK", full}}, 30000);
    if (!report.Check("catalogue_bar_starts", written && running->bar,
            std::string(written ? "" : "could not write the command value; ") +
                (running->bar ? "bar up" : running->error))) {
        DeleteRegistryKey(HKEY_CURRENT_USER, kCatalogueKey);
        return;
    }
    BarPopup popup(*running);
    // The first refresh tick, or this first click on '>', loads the catalogue: the first menu may
    // come as late as one after a redetect.
    std::string step = popup.Open(bar_ids::STX, 60000);
    const unsigned long long firstMenuMs = popup.openedAfterMs();
    const unsigned long long redetecting = e2e::NowMs();
    if (step.empty())
        step = popup.Press(kRedetect);
    const unsigned long long redetectMs = e2e::NowMs() - redetecting;
    if (step.empty())
        step = popup.Open(bar_ids::STX, 60000);
    const bool opened = step.empty();
    report.Check("full_catalogue_program_menu_opens", opened && Responds(*running),
        opened ? std::to_string(kEntries) + " entries: first menu " + std::to_string(firstMenuMs) +
                " ms after the first click; redetect took " + std::to_string(redetectMs) +
                " ms until the bar answered again; menu window " + std::to_string(popup.openedAfterMs()) +
                " ms after the click on '>'"
               : step);
    if (!opened) {
        DeleteRegistryKey(HKEY_CURRENT_USER, kCatalogueKey);
        return;
    }
    artifacts.RequestScreenshot("full-catalogue-menu");

    // Its last entry is "redetect": with a one-line file beside the bar, it leaves one item.
    running->folder->WriteFile("tolvix.TSK", Bytes("Only=0:HKCU\\" + std::string(kCatalogueKey) + "\\Command\r\n"));
    step = popup.Press(kRedetect);
    if (step.empty())
        step = popup.Open(bar_ids::STX);
    using K = MenuEntry::Kind;
    if (step.empty())
        CheckMenuMatches(report, artifacts, popup.window(), "redetect_in_full_menu_reloads_the_catalogue",
            "after-full-catalogue",
            {{"Only", K::Normal}, {"", K::Separator}, {"shortcuts...", K::Normal}, {"redetect", K::Normal}}, -1,
            "'Only', 'shortcuts...', 'redetect'");
    else
        report.Check("redetect_in_full_menu_reloads_the_catalogue", false, step);

    // The full catalogue again, then "quit" from the main menu that carries it.
    running->folder->WriteFile("tolvix.TSK", full);
    step = popup.Choose(bar_ids::STX, kRedetect);
    if (step.empty())
        step = popup.Open(bar_ids::SSETTS, 60000);
    const unsigned long long mainMenuMs = popup.openedAfterMs();
    if (step.empty())
        step = popup.Press(QuitMenuKeys("quit"));
    const bool ended = step.empty() && e2e::WaitFor(10000, [&] { return !running->process.running(); });
    report.Check("quit_from_main_menu_with_full_catalogue_ends_bar", ended,
        !step.empty() ? step
            : ended ? "main menu window " + std::to_string(mainMenuMs) + " ms after the click; bar ended, exit code " +
                std::to_string(running->process.exitCode())
                    : "bar still running 10 s after 'quit'");
    running.reset();
    DeleteRegistryKey(HKEY_CURRENT_USER, kCatalogueKey);
}

} // namespace bar_probe
