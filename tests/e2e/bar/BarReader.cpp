#include "tests/e2e/bar/BarReader.h"

#include <algorithm>

#include "bar/BarIds.h"
#include "tasks/TaskIds.h"

namespace bar_probe {
namespace {

std::string WindowText(HWND window)
{
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ClassOf(HWND window)
{
    char name[128] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

DWORD ProcessOf(HWND window)
{
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    return id;
}

struct TopLevelSearch {
    DWORD processId;
    std::string caption;
    std::string className; // empty: any class
    HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<TopLevelSearch*>(param);
    if (ProcessOf(window) != search->processId || !IsWindowVisible(window))
        return TRUE;
    if (!search->className.empty() && ClassOf(window) != search->className)
        return TRUE;
    if (!search->caption.empty() && WindowText(window) != search->caption)
        return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM param)
{
    auto* controls = reinterpret_cast<std::vector<Control>*>(param);
    Control c;
    c.window = window;
    c.id = GetDlgCtrlID(window);
    c.className = ClassOf(window);
    c.text = WindowText(window);
    c.visible = IsWindowVisible(window) != 0;
    GetWindowRect(window, &c.onScreen);
    c.inBar = c.onScreen;
    controls->push_back(c);
    return TRUE;
}

bool IsTaskButtonId(int id)
{
    return id >= task_ids::VTASKS_BASE && id <= task_ids::VTASKS_LAST;
}

} // namespace

HWND FindBar(DWORD processId)
{
    TopLevelSearch search {processId, "Tolvane", "", nullptr};
    EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<Control> ReadControls(HWND bar)
{
    std::vector<Control> controls;
    EnumChildWindows(bar, CollectChild, reinterpret_cast<LPARAM>(&controls));
    for (Control& c : controls)
        MapWindowPoints(nullptr, bar, reinterpret_cast<POINT*>(&c.inBar), 2);
    return controls;
}

const Control* FindControl(const std::vector<Control>& controls, int id)
{
    for (const Control& c : controls)
        if (c.id == id)
            return &c;
    return nullptr;
}

std::vector<Control> TaskButtonElements(const std::vector<Control>& controls)
{
    std::vector<Control> buttons;
    for (const Control& c : controls)
        if (IsTaskButtonId(c.id))
            buttons.push_back(c);
    std::sort(buttons.begin(), buttons.end(), [](const Control& a, const Control& b) { return a.id < b.id; });
    return buttons;
}

std::vector<Control> VisibleTaskButtons(HWND bar)
{
    std::vector<Control> visible;
    for (const Control& c : TaskButtonElements(ReadControls(bar)))
        if (c.visible)
            visible.push_back(c);
    return visible;
}

std::vector<std::string> Captions(const std::vector<Control>& buttons)
{
    std::vector<std::string> captions;
    for (const Control& c : buttons)
        captions.push_back(c.text);
    return captions;
}

const Control* FindButton(const std::vector<Control>& buttons, const std::string& caption)
{
    for (const Control& c : buttons)
        if (c.text == caption)
            return &c;
    return nullptr;
}

std::string RectText(const RECT& r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right - r.left) + "x" +
        std::to_string(r.bottom - r.top) + ")";
}

std::string ListText(const std::vector<std::string>& captions)
{
    std::string text = "[";
    for (size_t i = 0; i < captions.size(); ++i) {
        if (i)
            text += ", ";
        const std::string& c = captions[i];
        text += "'" + (c.size() > 24 ? c.substr(0, 20) + "...(" + std::to_string(c.size()) + ")" : c) + "'";
    }
    return text + "]";
}

HWND FindTopLevel(DWORD processId, const std::string& className)
{
    TopLevelSearch search {processId, "", className, nullptr};
    EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindPopupMenu(DWORD processId)
{
    return FindTopLevel(processId, "#32768");
}

HWND FocusIn(HWND window)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

int FocusedId(HWND window)
{
    const HWND focus = FocusIn(window);
    return focus ? GetDlgCtrlID(focus) : 0;
}

} // namespace bar_probe
