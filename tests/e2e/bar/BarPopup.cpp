#include "tests/e2e/bar/BarPopup.h"

#include "tests/e2e/bar/BarKit.h"
#include "tests/e2e/bar/BarReader.h"
#include "tests/e2e/common/Input.h"
#include "tests/e2e/common/Poll.h"

namespace bar_probe {
namespace {

// What a chosen command may take before the bar answers again (a full redetect included).
constexpr UINT kCommandMs = 120000;

} // namespace

MenuKeys KeysDown(int n, std::initializer_list<WORD> then)
{
    MenuKeys keys(static_cast<size_t>(n), VK_DOWN);
    keys.insert(keys.end(), then);
    return keys;
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
    for (WORD key : keys)
        PostMessageA(menu_, WM_KEYDOWN, key, 0);
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
