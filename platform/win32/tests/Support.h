#pragma once
// Shared pieces of the self-test: an event recorder, waiting with a deadline, window lookups.
#include "platform/Toolkit.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/WinApi.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace selftest {

// Records every event as a short line and answers close requests as told.
class Recorder : public ui::FormEvents {
public:
    std::vector<std::string> log;
    std::map<ui::CloseReason, bool> grantClose;
    std::function<void()> resized;
    std::function<void(ui::CloseReason)> closeHook;
    std::function<void(ui::ControlId, ui::MouseButton)> mouseUpHook;
    std::function<void(ui::TimerId)> timerHook;

    void onResize() override;
    bool onCloseRequest(ui::CloseReason reason) override;
    void onClosed() override { log.push_back("closed"); }
    // Each input as one line: "mouseup id button shift x,y", "dblclick id", "key id code",
    // "text id text", "check id value", "scroll id request thumb", "select id i,j".
    void onInput(ui::UserInput& input) override;
    void onTimer(ui::TimerId id) override;

    int count(const std::string& line) const;
    bool contains(const std::string& line) const { return count(line) > 0; }
};

// Lets messages run until `done` holds or the deadline passes; false on timeout.
bool pumpUntil(platform::Platform& platform, const std::function<bool()>& done, int timeoutMs = 3000);

HWND toHwnd(platform::WindowHandle handle);
// A control window anywhere below `form`, by its control id.
HWND findControl(HWND form, int id);
std::string windowText(HWND window);
std::string className(HWND window);

ui::FormSpec formSpec(const std::string& caption);

// Writes one property straight to the toolkit, as a widget does once it has seen a change.
template <class Edit>
void update(ui::Toolkit& toolkit, ui::FormId form, ui::ControlId id, ui::Property property, Edit edit)
{
    ui::ControlSpec props;
    edit(props);
    toolkit.updateControl(form, id, props, static_cast<ui::Properties>(property));
}
inline void setCaption(ui::Toolkit& toolkit, ui::FormId form, ui::ControlId id, const std::string& text)
{
    update(toolkit, form, id, ui::Property::Caption, [&](ui::ControlSpec& p) { p.caption = text; });
}
ui::ControlSpec controlSpec(ui::ControlKind kind, ui::Rect rect, const std::string& caption = std::string(),
    const std::string& toolTip = std::string(), ui::ControlId parent = 0);

// A scratch file path in the temporary folder, removed when the object goes.
class TempFile {
public:
    explicit TempFile(const std::string& name);
    ~TempFile();
    const std::string& path() const { return path_; }
    void write(const std::string& bytes) const;

private:
    std::string path_;
};

} // namespace selftest
