// Reads the running bar from another process as a screen reader does: the Active Accessibility
// object of every child window (AccessibleObjectFromWindow with OBJID_CLIENT) with its name, role,
// state, description and default action; presses a task button through accDoDefaultAction; hears
// the changes the bar announces; and reads the task manager window.
// Usage: access_probe.exe <tolvix.exe> <e2e_peer.exe>
#include <windows.h>

#include <oleacc.h>

#include <cstdio>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "bar/BarIds.h"
#include "tasks/TaskIds.h"
#include "tests/e2e/common/ChildProcess.h"
#include "tests/e2e/common/Poll.h"
#include "tests/e2e/common/Report.h"

namespace {

namespace ids = bar_ids;

struct ComApartment {
    ComApartment() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~ComApartment() { CoUninitialize(); }
};

struct Releaser {
    void operator()(IUnknown* object) const { object->Release(); }
};
using AccessiblePtr = std::unique_ptr<IAccessible, Releaser>;

VARIANT Self()
{
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    return self;
}

std::string Narrow(BSTR text)
{
    if (!text)
        return std::string();
    const int length = static_cast<int>(SysStringLen(text));
    std::string narrow(static_cast<std::size_t>(length) * 2 + 1, '\0');
    const int written =
        WideCharToMultiByte(CP_ACP, 0, text, length, &narrow[0], static_cast<int>(narrow.size()), nullptr, nullptr);
    narrow.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
    SysFreeString(text);
    return narrow;
}

std::string Hex(long value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%lx", static_cast<unsigned long>(value));
    return text;
}

std::string TextOf(HWND window)
{
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// What a reader learns of one child window of the bar.
struct Reading {
    HWND window = nullptr;
    int id = 0;
    std::string className;
    std::string text; // the window text, what the control shows
    bool visible = false;
    HRESULT got = E_FAIL; // AccessibleObjectFromWindow
    AccessiblePtr object;
    std::string name, description, action;
    long role = -1;
    long state = 0;

    std::string Describe() const
    {
        return "id " + std::to_string(id) + " " + className + " '" + text + "': name '" + name + "' role " +
            std::to_string(role) + " state " + Hex(state) + " description '" + description + "' action '" + action +
            "'";
    }
};

void Read(Reading& r)
{
    IAccessible* raw = nullptr;
    r.got = AccessibleObjectFromWindow(
        r.window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible), reinterpret_cast<void**>(&raw));
    r.object.reset(SUCCEEDED(r.got) ? raw : nullptr);
    if (!r.object)
        return;
    VARIANT self = Self();
    BSTR text = nullptr;
    if (r.object->get_accName(self, &text) == S_OK)
        r.name = Narrow(text);
    text = nullptr;
    if (r.object->get_accDescription(self, &text) == S_OK)
        r.description = Narrow(text);
    text = nullptr;
    if (r.object->get_accDefaultAction(self, &text) == S_OK)
        r.action = Narrow(text);
    VARIANT value;
    VariantInit(&value);
    if (r.object->get_accRole(self, &value) == S_OK && value.vt == VT_I4)
        r.role = value.lVal;
    VariantClear(&value);
    if (r.object->get_accState(self, &value) == S_OK && value.vt == VT_I4)
        r.state = value.lVal;
    VariantClear(&value);
}

BOOL CALLBACK CollectChild(HWND window, LPARAM param)
{
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

std::vector<Reading> ReadBar(HWND bar)
{
    std::vector<HWND> windows;
    EnumChildWindows(bar, CollectChild, reinterpret_cast<LPARAM>(&windows));
    std::vector<Reading> readings;
    for (HWND window : windows) {
        Reading r;
        r.window = window;
        r.id = GetDlgCtrlID(window);
        char name[64] = {};
        GetClassNameA(window, name, sizeof name);
        r.className = name;
        r.text = TextOf(window);
        r.visible = IsWindowVisible(window) != FALSE;
        Read(r);
        readings.push_back(std::move(r));
    }
    return readings;
}

const Reading* ById(const std::vector<Reading>& readings, int id)
{
    for (const Reading& r : readings)
        if (r.id == id)
            return &r;
    return nullptr;
}

bool IsTaskButton(const Reading& r)
{
    return r.id >= task_ids::VTASKS_BASE && r.id <= task_ids::VTASKS_LAST;
}

bool IsBurstButton(const Reading& r)
{
    return IsTaskButton(r) && r.visible && r.text.rfind("E2E Burst", 0) == 0;
}

int BurstButtons(HWND bar)
{
    int count = 0;
    std::vector<HWND> windows;
    EnumChildWindows(bar, CollectChild, reinterpret_cast<LPARAM>(&windows));
    for (HWND window : windows) {
        const int id = GetDlgCtrlID(window);
        count += id >= task_ids::VTASKS_BASE && id <= task_ids::VTASKS_LAST && IsWindowVisible(window) &&
            TextOf(window).rfind("E2E Burst", 0) == 0;
    }
    return count;
}

bool AllDigits(const std::string& text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

std::string Today()
{
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    char text[16] = {};
    std::strftime(text, sizeof text, "%m-%d-%Y", local);
    return text;
}

void CheckEveryControlAnswers(e2e::Report& report, const std::vector<Reading>& readings)
{
    int failing = 0, hidden = 0, hiddenWrong = 0, visibleWrong = 0;
    std::string detail;
    for (const Reading& r : readings) {
        report.Note(r.Describe());
        if (!r.object || r.role < 0) {
            ++failing;
            detail += " [no object for id " + std::to_string(r.id) + ": " + Hex(r.got) + "]";
            continue;
        }
        const bool invisible = (r.state & STATE_SYSTEM_INVISIBLE) != 0;
        hidden += !r.visible;
        if (!r.visible && !invisible) {
            ++hiddenWrong;
            detail += " [hidden id " + std::to_string(r.id) + " not invisible]";
        }
        if (r.visible && invisible) {
            ++visibleWrong;
            detail += " [shown id " + std::to_string(r.id) + " invisible]";
        }
    }
    report.Check("access_every_control_answers", failing == 0,
        std::to_string(readings.size()) + " child windows, " + std::to_string(failing) + " without an object" + detail);
    report.Check("access_hidden_controls_invisible", hiddenWrong == 0 && visibleWrong == 0 && hidden >= 3,
        std::to_string(hidden) + " hidden controls; " + std::to_string(hiddenWrong) + " hidden ones readable, " +
            std::to_string(visibleWrong) + " shown ones invisible" + detail);
}

void CheckTaskButtons(e2e::Report& report, const std::vector<Reading>& readings)
{
    int buttons = 0, wrong = 0;
    std::string detail;
    for (const Reading& r : readings) {
        if (!IsBurstButton(r))
            continue;
        ++buttons;
        const bool ok =
            r.role == ROLE_SYSTEM_PUSHBUTTON && r.name == r.text && r.description == r.text && r.action == "Press";
        if (!ok) {
            ++wrong;
            detail += " [" + r.Describe() + "]";
        }
    }
    report.Check("access_task_buttons_are_push_buttons", buttons >= 2 && wrong == 0,
        std::to_string(buttons) + " task buttons of the peer windows, " + std::to_string(wrong) +
            " not a push button named by the title with the tooltip as description and \"Press\"" + detail);
}

void CheckMenuLabels(e2e::Report& report, const std::vector<Reading>& readings)
{
    const struct {
        int id;
        const char* caption;
    } labels[] = {{ids::RBUT, "..."}, {ids::SSETTS, "Tolvane"}, {ids::STX, ">"}};
    std::string detail;
    bool ok = true;
    for (const auto& label : labels) {
        const Reading* r = ById(readings, label.id);
        const bool good = r && (r->role == ROLE_SYSTEM_PUSHBUTTON || r->role == ROLE_SYSTEM_BUTTONMENU) &&
            r->name == label.caption && !r->description.empty() && r->action == "Press";
        ok = ok && good;
        detail += " [" + (r ? r->Describe() : "id " + std::to_string(label.id) + " missing") + "]";
    }
    report.Check("access_menu_labels_are_buttons", ok, detail);
}

void CheckIndicators(e2e::Report& report, HWND bar)
{
    // The indicators change with every refresh: read until one reading matches what they show.
    std::string detail;
    const bool ok = e2e::WaitFor(10000, [&] {
        const std::vector<Reading> readings = ReadBar(bar);
        const Reading* memory = ById(readings, ids::TIM1);
        const Reading* counter = ById(readings, ids::TIM3);
        const Reading* clock = ById(readings, ids::TIM2);
        if (!memory || !counter || !clock)
            return false;
        detail = " [" + memory->Describe() + "] [" + counter->Describe() + "] [" + clock->Describe() + "]";
        const std::string tasks = counter->text.substr(0, counter->text.find(' '));
        return memory->role == ROLE_SYSTEM_STATICTEXT && AllDigits(memory->text) &&
            memory->name == memory->text + " MB free" && memory->description.find(memory->text + " / ") == 0 &&
            memory->description.find("MB physical") != std::string::npos && counter->role == ROLE_SYSTEM_STATICTEXT &&
            AllDigits(tasks) && counter->name == tasks + " tasks" && counter->description == tasks + " tasks running" &&
            clock->role == ROLE_SYSTEM_STATICTEXT && clock->name == clock->text && clock->name.size() == 5 &&
            clock->name[2] == ':' && clock->description == Today() && memory->action.empty() && counter->action.empty();
    });
    report.Check("access_indicators_named_by_what_they_show", ok, detail);
}

void CheckRunBox(e2e::Report& report, const std::vector<Reading>& readings)
{
    const Reading* box = ById(readings, ids::VRUN);
    report.Check(
        "access_run_box_is_a_text_box", box && box->role == ROLE_SYSTEM_TEXT, box ? box->Describe() : "no run box");
}

// What the system's own object for the window answers, through the bar's object: its place and
// its parent; and the name once more through IDispatch, as a script would ask for it.
void CheckDelegatedAndDispatched(e2e::Report& report, const std::vector<Reading>& readings)
{
    const Reading* button = nullptr;
    for (const Reading& r : readings)
        if (IsBurstButton(r) && r.object)
            button = &r;
    if (!button) {
        report.Check("access_location_and_parent", false, "no task button to read");
        return;
    }
    VARIANT self = Self();
    LONG left = 0, top = 0, width = 0, height = 0;
    const HRESULT located = button->object->accLocation(&left, &top, &width, &height, self);
    // The client object covers the client area, inside the button's border.
    RECT rect {};
    GetClientRect(button->window, &rect);
    MapWindowPoints(button->window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    IDispatch* parent = nullptr;
    const HRESULT parented = button->object->get_accParent(&parent);
    if (parent)
        parent->Release();
    report.Check("access_location_and_parent",
        located == S_OK && left == rect.left && top == rect.top && width == rect.right - rect.left &&
            height == rect.bottom - rect.top && parented == S_OK && parent != nullptr,
        "accLocation " + Hex(located) + " " + std::to_string(left) + "," + std::to_string(top) + " " +
            std::to_string(width) + "x" + std::to_string(height) + " (client area " + std::to_string(rect.left) + "," +
            std::to_string(rect.top) + " " + std::to_string(rect.right - rect.left) + "x" +
            std::to_string(rect.bottom - rect.top) + "); get_accParent " + Hex(parented));

    wchar_t member[] = L"accName";
    LPOLESTR names[] = {member};
    DISPID id = 0;
    HRESULT named = button->object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    VARIANT argument = Self();
    DISPPARAMS params {&argument, nullptr, 1, 0};
    VARIANT result;
    VariantInit(&result);
    HRESULT invoked = E_FAIL;
    if (SUCCEEDED(named))
        invoked = button->object->Invoke(
            id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &params, &result, nullptr, nullptr);
    std::string name;
    if (SUCCEEDED(invoked) && result.vt == VT_BSTR) {
        name = Narrow(result.bstrVal);
        result.vt = VT_EMPTY; // Narrow freed the string
    }
    VariantClear(&result);
    report.Check("access_dispatch_reads_the_name", SUCCEEDED(invoked) && name == button->text,
        "GetIDsOfNames " + Hex(named) + ", Invoke " + Hex(invoked) + ": '" + name + "', shown '" + button->text + "'");
}

// The name and description changes the bar announces for one window, as a reader's hook hears them.
struct Announcements {
    HWND watched = nullptr;
    int names = 0;
    int descriptions = 0;
};
Announcements* g_announcements = nullptr;

void CALLBACK Heard(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD)
{
    if (!g_announcements || window != g_announcements->watched || object != OBJID_CLIENT || child != CHILDID_SELF)
        return;
    if (event == EVENT_OBJECT_NAMECHANGE)
        ++g_announcements->names;
    if (event == EVENT_OBJECT_DESCRIPTIONCHANGE)
        ++g_announcements->descriptions;
}

struct EventHook {
    HWINEVENTHOOK hook;
    explicit EventHook(DWORD process)
        : hook(SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_DESCRIPTIONCHANGE, nullptr, Heard, process, 0,
              WINEVENT_OUTOFCONTEXT))
    {
    }
    ~EventHook()
    {
        if (hook)
            UnhookWinEvent(hook);
    }
};

// One more process changes the task counter at the next refresh: a reader's hook hears that its
// name and its description changed, and reads the new name.
void CheckChangesAnnounced(e2e::Report& report, HWND bar, const std::string& peerExe, const std::string& folder)
{
    std::vector<Reading> readings = ReadBar(bar);
    const Reading* counter = ById(readings, ids::TIM3);
    if (!counter) {
        report.Check("access_counter_change_announced", false, "no task counter");
        return;
    }
    DWORD process = 0;
    GetWindowThreadProcessId(bar, &process);
    Announcements heard;
    heard.watched = counter->window;
    g_announcements = &heard;
    const EventHook hook(process);
    const std::string before = counter->text;
    e2e::ChildProcess extra(peerExe, folder, "burst 1");
    std::string name;
    const bool ok = hook.hook && e2e::WaitFor(10000, [&] {
        if (heard.names == 0 || heard.descriptions == 0)
            return false;
        Reading now;
        now.window = counter->window;
        Read(now);
        name = now.name;
        return name != before && name == TextOf(counter->window);
    });
    g_announcements = nullptr;
    report.Check("access_counter_change_announced", ok,
        "hook " + std::string(hook.hook ? "set" : "refused") + "; " + std::to_string(heard.names) + " name and " +
            std::to_string(heard.descriptions) + " description changes heard; the counter read '" + before +
            "', then '" + name + "'");
}

struct WindowSearch {
    DWORD process;
    const char* title;
    HWND found;
};

BOOL CALLBACK FindTitledOf(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == search->process && IsWindowVisible(window) && TextOf(window) == search->title) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// A window of the bar's own whose labels act as buttons: the task manager, opened by a double
// click on the task counter. Its list is the system's own; Wine 8 reads a list box as a bare
// client area, so only that it answers is checked.
void CheckTaskManager(e2e::Report& report, HWND bar)
{
    const std::vector<Reading> readings = ReadBar(bar);
    const Reading* counter = ById(readings, ids::TIM3);
    if (!counter) {
        report.Check("access_task_manager_labels_are_buttons", false, "no task counter");
        return;
    }
    DWORD process = 0;
    GetWindowThreadProcessId(bar, &process);
    PostMessageA(counter->window, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
    PostMessageA(counter->window, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    std::string detail = "no visible window \"Task Manager\" of the bar";
    const bool ok = e2e::WaitFor(10000, [&] {
        WindowSearch search {process, "Task Manager", nullptr};
        EnumWindows(FindTitledOf, reinterpret_cast<LPARAM>(&search));
        if (!search.found)
            return false;
        const std::vector<Reading> inside = ReadBar(search.found);
        const Reading* kill = ById(inside, task_ids::TSKILL);
        const Reading* refresh = ById(inside, task_ids::TSKREFR);
        const Reading* list = ById(inside, task_ids::TASKLST);
        if (!kill || !refresh || !list)
            return false;
        detail = "[" + kill->Describe() + "] [" + refresh->Describe() + "] [" + list->Describe() + "]";
        return kill->role == ROLE_SYSTEM_PUSHBUTTON && kill->name == "Kill selected" && kill->action == "Press" &&
            refresh->role == ROLE_SYSTEM_PUSHBUTTON && refresh->name == "Refresh" && refresh->action == "Press" &&
            list->object != nullptr;
    });
    report.Check("access_task_manager_labels_are_buttons", ok, detail);
}

HWND TopLevelTitled(const std::string& title)
{
    return FindWindowA(nullptr, title.c_str());
}

void CheckPress(e2e::Report& report, HWND bar)
{
    std::vector<Reading> readings = ReadBar(bar);
    const Reading* chosen = nullptr;
    HWND task = nullptr;
    for (const Reading& r : readings) {
        if (!IsBurstButton(r))
            continue;
        HWND window = TopLevelTitled(r.text);
        if (r.object && window && window != GetForegroundWindow() && !IsIconic(window)) {
            chosen = &r;
            task = window;
            break;
        }
    }
    if (!report.Check("access_press_target", chosen != nullptr, chosen ? chosen->Describe() : "no task to press"))
        return;
    VARIANT self = Self();
    HRESULT pressed = chosen->object->accDoDefaultAction(self);
    const bool front = SUCCEEDED(pressed) && e2e::WaitFor(10000, [&] { return GetForegroundWindow() == task; });
    report.Check("access_press_switches_to_the_task", front,
        "accDoDefaultAction " + Hex(pressed) + "; foreground " + TextOf(GetForegroundWindow()) + ", wanted " +
            chosen->text);
    if (!front)
        return;
    // A press on the task in front minimises it, as a click does; until the bar's refresh has seen
    // the task come forward a press only brings it forward again, so it is repeated.
    bool minimised = false;
    e2e::WaitFor(10000, [&] {
        pressed = chosen->object->accDoDefaultAction(self);
        return SUCCEEDED(pressed) && e2e::WaitFor(2500, [&] { return IsIconic(task) != FALSE; }) && (minimised = true);
    });
    report.Check("access_press_on_the_front_task_minimises_it", minimised,
        "accDoDefaultAction " + Hex(pressed) + "; iconic " + std::to_string(IsIconic(task)));
}

void CheckNoPressOnText(e2e::Report& report, const std::vector<Reading>& readings)
{
    const Reading* memory = ById(readings, ids::TIM1);
    if (!memory || !memory->object) {
        report.Check("access_text_has_no_press", false, "no memory indicator");
        return;
    }
    VARIANT self = Self();
    const HRESULT pressed = memory->object->accDoDefaultAction(self);
    report.Check("access_text_has_no_press", pressed == DISP_E_MEMBERNOTFOUND,
        "accDoDefaultAction on the memory text " + Hex(pressed));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: access_probe <tolvix.exe> <e2e_peer.exe>\n");
        return 2;
    }
    e2e::Report report("access");
    const ComApartment apartment;
    const std::string tolvix = argv[1];
    const std::string folder = tolvix.substr(0, tolvix.find_last_of("\\/"));
    e2e::ChildProcess peers(argv[2], folder, "burst 2");
    e2e::ChildProcess bar(tolvix, folder);
    HWND window = nullptr;
    const bool found = e2e::WaitFor(30000, [&] {
        window = FindWindowA(nullptr, "Tolvane");
        return window && IsWindowVisible(window);
    });
    if (!report.Check("access_bar_found", found && bar.running() && peers.running(),
            found ? "bar window up" : "no bar: " + bar.error() + " " + peers.error()))
        return report.Finish();
    e2e::WaitFor(15000, [&] { return BurstButtons(window) >= 2; });

    const std::vector<Reading> readings = ReadBar(window);
    CheckEveryControlAnswers(report, readings);
    CheckTaskButtons(report, readings);
    CheckMenuLabels(report, readings);
    CheckRunBox(report, readings);
    CheckNoPressOnText(report, readings);
    CheckDelegatedAndDispatched(report, readings);
    CheckIndicators(report, window);
    CheckPress(report, window);
    CheckChangesAnnounced(report, window, argv[2], folder);
    CheckTaskManager(report, window);
    return report.Finish();
}
