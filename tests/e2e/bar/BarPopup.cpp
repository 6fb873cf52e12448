#include "tests/e2e/bar/BarPopup.h"

#include "tests/e2e/bar/BarKit.h"
#include "tests/e2e/bar/BarReader.h"
#include "tests/e2e/common/Input.h"
#include "tests/e2e/common/Poll.h"

namespace bar_probe {
namespace {

// What a chosen command may take before the bar answers again (a full redetect included).
constexpr UINT kCommandMs = 120000;

// What an entry shows before its shortcut text.
std::string CaptionOf(const MenuEntry& entry)
{
    const std::string text = entry.text;
    return text.substr(0, text.find('\t'));
}

} // namespace

MenuKeys KeysTo(const std::vector<MenuStep>& path)
{
    MenuKeys keys;
    for (std::size_t level = 0; level < path.size(); ++level) {
        // A submenu opens with its first entry selected, a fresh top menu with none.
        int downs = level == 0 ? 0 : -1;
        bool found = false;
        for (const MenuEntry& entry : path[level].entries) {
            if (entry.kind == MenuEntry::Kind::Separator)
                continue;
            ++downs;
            if ((found = CaptionOf(entry) == path[level].caption))
                break;
        }
        if (!found)
            return {};
        keys.insert(keys.end(), static_cast<std::size_t>(downs), VK_DOWN);
        keys.push_back(level + 1 < path.size() ? VK_RIGHT : VK_RETURN);
    }
    return keys;
}

MenuKeys KeysFromEnd(const std::vector<MenuEntry>& tail, const std::string& caption)
{
    MenuKeys keys;
    for (auto entry = tail.rbegin(); entry != tail.rend(); ++entry) {
        if (entry->kind == MenuEntry::Kind::Separator)
            continue;
        keys.push_back(VK_UP);
        if (CaptionOf(*entry) == caption) {
            keys.push_back(VK_RETURN);
            return keys;
        }
    }
    return {};
}

MenuKeys MainMenuKeys(const std::string& caption)
{
    return KeysTo({{MainMenuEntries(), caption}});
}

MenuKeys QuitMenuKeys(const std::string& caption)
{
    return KeysTo({{MainMenuEntries(), "quit"}, {QuitMenuEntries(), caption}});
}

bool PostMenuKeys(HWND menu, const MenuKeys& keys)
{
    if (keys.empty()) {
        PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        return false;
    }
    for (WORD key : keys)
        PostMessageA(menu, WM_KEYDOWN, key, 0);
    return true;
}

std::string BarPopup::Open(int labelId, int timeoutMs, bool right)
{
    menu_ = nullptr;
    const HWND label = ChildById(running_.bar, labelId);
    if (!label)
        return "no control " + std::to_string(labelId) + " on the bar";
    // Under Wine a click on a label of the bar in the background is lost: bring the bar to the
    // front first, and wait until the point hits the label.
    const POINT centre = e2e::CentreOnScreen(label);
    SetForegroundWindow(running_.bar);
    if (!e2e::WaitFor(5000, [&] { return GetForegroundWindow() == running_.bar && WindowFromPoint(centre) == label; }))
        return "the bar did not come to the front with control " + std::to_string(labelId) + " under its centre";
    const unsigned long long clicked = e2e::NowMs();
    if (!(right ? e2e::RealRightClickAt(centre) : e2e::RealLeftClickAt(centre)))
        return "SendInput failed: " + e2e::LastErrorText();
    if (!e2e::WaitFor(timeoutMs,
            [&] {
                menu_ = FindPopupMenu(running_.process.id());
                return menu_ != nullptr || !running_.process.running();
            }) ||
        !menu_)
        return "no menu window " + std::to_string(timeoutMs) + " ms after a click on control " +
            std::to_string(labelId) + (running_.process.running() ? "" : "; the bar has ended");
    openedAfterMs_ = e2e::NowMs() - clicked;
    // Sent messages are answered from inside the menu's own loop: once this one is, keys
    // posted to the menu reach that loop.
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(running_.bar, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer);
    return "";
}

std::string BarPopup::Press(const MenuKeys& keys)
{
    if (!PostMenuKeys(menu_, keys)) {
        e2e::WaitFor(3000, [&] { return !IsWindowVisible(menu_); });
        return "no such entry in the menu as the probe knows it";
    }
    if (e2e::WaitFor(5000, [&] { return !IsWindowVisible(menu_); })) {
        // The chosen command runs once the menu's loop has returned; the bar answers a sent
        // message only after it.
        DWORD_PTR result = 0;
        SendMessageTimeoutA(running_.bar, WM_NULL, 0, 0, SMTO_NORMAL, kCommandMs, &result);
        return "";
    }
    // Which menu stayed: the one the keys went to, or another the bar opened over it.
    const HWND shown = FindPopupMenu(running_.process.id());
    char foreground[64] = "";
    GetClassNameA(GetForegroundWindow(), foreground, sizeof foreground);
    const std::string seen =
        std::string(shown == menu_ ? "the same menu" : "another menu") + " shown; foreground '" + foreground + "'";
    PostMessageA(running_.bar, WM_CANCELMODE, 0, 0);
    e2e::WaitFor(3000, [&] { return !IsWindowVisible(menu_); });
    return "the menu stayed open after the keys (" + seen + ")";
}

std::string BarPopup::Choose(int labelId, const MenuKeys& keys, bool right)
{
    const std::string opened = Open(labelId, 5000, right);
    return opened.empty() ? Press(keys) : opened;
}

} // namespace bar_probe
