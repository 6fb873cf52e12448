#include "platform/win32/tests/Support.h"

#include <algorithm>
#include <cstdio>

namespace selftest {

void Recorder::onResize()
{
    log.push_back("resize");
    if (resized)
        resized();
}

bool Recorder::onCloseRequest(ui::CloseReason reason)
{
    log.push_back("close " + std::to_string(static_cast<int>(reason)));
    if (closeHook)
        closeHook(reason);
    const auto answer = grantClose.find(reason);
    return answer == grantClose.end() || answer->second;
}

void Recorder::onInput(ui::UserInput& input)
{
    using Kind = ui::UserInput::Kind;
    const std::string id = std::to_string(input.control);
    switch (input.kind) {
    case Kind::MouseUp:
        log.push_back("mouseup " + id + " " + std::to_string(static_cast<int>(input.button)) + " " +
            std::to_string(input.shift) + " " + std::to_string(static_cast<int>(input.x)) + "," +
            std::to_string(static_cast<int>(input.y)));
        if (mouseUpHook)
            mouseUpHook(input.control, input.button);
        return;
    case Kind::DoubleClick:
        log.push_back("dblclick " + id);
        return;
    case Kind::KeyPress:
        log.push_back("key " + id + " " + std::to_string(input.characterCode));
        return;
    case Kind::Text:
        log.push_back("text " + id + " " + input.text);
        return;
    case Kind::Key:
        log.push_back("vkey " + id + " " + std::to_string(input.virtualKey));
        return;
    case Kind::Wheel:
        log.push_back("wheel " + id + " " + std::to_string(input.value) + " " +
            std::to_string(static_cast<int>(input.x)) + "," + std::to_string(static_cast<int>(input.y)));
        return;
    case Kind::Drop:
        log.push_back("drop " + id + " " + std::to_string(static_cast<int>(input.x)) + "," +
            std::to_string(static_cast<int>(input.y)));
        return;
    case Kind::Check:
        log.push_back("check " + id + " " + std::to_string(input.value));
        return;
    case Kind::Scroll:
        log.push_back(
            "scroll " + id + " " + std::to_string(static_cast<int>(input.scroll)) + " " + std::to_string(input.value));
        return;
    case Kind::Selection: {
        std::string line = "select " + id + " ";
        for (std::size_t i = 0; i < input.selection.size(); ++i)
            line += (i ? "," : "") + std::to_string(input.selection[i]);
        log.push_back(line);
        return;
    }
    }
}

void Recorder::onTimer(ui::TimerId id)
{
    log.push_back("timer " + std::to_string(id));
    if (timerHook)
        timerHook(id);
}

int Recorder::count(const std::string& line) const
{
    return static_cast<int>(std::count(log.begin(), log.end(), line));
}

bool pumpUntil(platform::Platform& platform, const std::function<bool()>& done, int timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        platform.toolkit().processPendingMessages();
        if (done())
            return true;
        if (GetTickCount() - start > static_cast<DWORD>(timeoutMs))
            return false;
        // Wakes on the next message (a timer tick, a paint) rather than after a fixed pause.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

HWND toHwnd(platform::WindowHandle handle)
{
    return platform::win32::toHwnd(handle);
}

namespace {
struct ControlSearch {
    int id;
    HWND found;
};

BOOL CALLBACK matchControl(HWND window, LPARAM search)
{
    auto* wanted = reinterpret_cast<ControlSearch*>(search);
    if (GetDlgCtrlID(window) != wanted->id)
        return TRUE;
    wanted->found = window;
    return FALSE;
}
} // namespace

HWND findControl(HWND form, int id)
{
    ControlSearch search {id, nullptr};
    EnumChildWindows(form, &matchControl, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string windowText(HWND window)
{
    char text[512] = {};
    const int length = GetWindowTextA(window, text, sizeof text);
    return std::string(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::string className(HWND window)
{
    char name[128] = {};
    const int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

ui::FormSpec formSpec(const std::string& caption)
{
    ui::FormSpec props;
    props.caption = caption;
    props.rect = ui::Rect {1800, 1800, 3150, 6030};
    props.toolWindow = true;
    return props;
}

ui::ControlSpec controlSpec(
    ui::ControlKind kind, ui::Rect rect, const std::string& caption, const std::string& toolTip, ui::ControlId parent)
{
    ui::ControlSpec props;
    props.kind = kind;
    props.rect = rect;
    props.caption = caption;
    props.toolTip = toolTip;
    props.parent = parent;
    return props;
}

TempFile::TempFile(const std::string& name)
{
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    path_ = std::string(folder) + "tolvane-selftest-" + std::to_string(GetCurrentProcessId()) + "-" + name;
}

TempFile::~TempFile()
{
    DeleteFileA(path_.c_str());
}

void TempFile::write(const std::string& bytes) const
{
    if (FILE* file = std::fopen(path_.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
}

} // namespace selftest
