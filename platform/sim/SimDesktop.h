#pragma once
// An in-memory desktop: z-ordered top-level windows with owners, styles, titles and show states,
// a foreground window and a cursor. It records the window commands the program sends.
#include "platform/Desktop.h"
#include "platform/sim/SimIcons.h"

#include <set>
#include <string>
#include <vector>

namespace sim {

using platform::WindowHandle;

struct WindowOptions {
    WindowHandle owner = 0;
    WindowHandle parent = 0;
    std::uint32_t exStyle = 0;
    bool popup = false; // a pop-up's GetParent answers its owner
    bool visible = true;
    bool cloaked = false;
    std::string className = "SimWindow";
    std::uint32_t processId = 100;
};

struct SimWindow {
    WindowHandle handle = 0;
    std::string title;
    WindowOptions options;
    bool iconic = false;
    bool zoomed = false;
    bool topmost = false;
    platform::PixelRect rect {100, 100, 740, 580};
    platform::IconHandle icon = 0;        // what the window answers when asked for its icon
    platform::IconHandle classIcon = 0;   // its class's
    platform::IconHandle programIcon = 0; // its program file's
};

struct DesktopCommand {
    std::string what; // "foreground", "show", "showAsync", "pos", "message", "sendTimeout"
    WindowHandle window = 0;
    long long argument = 0;
    std::uintptr_t wParam = 0; // of the messages sent
    unsigned detail = 0;       // flags of "pos", time-out of "sendTimeout"
};

class SimDesktop final : public platform::Desktop {
public:
    static constexpr WindowHandle kDesktop = 0x10010;

    // Opens a window at the top of the Z order.
    WindowHandle open(const std::string& title, const WindowOptions& options = {});
    void close(WindowHandle window);
    SimWindow* find(WindowHandle window);
    void setTitle(WindowHandle window, const std::string& title);
    void setVisible(WindowHandle window, bool visible);
    // What the user does: activate a window directly. The program loses the foreground leave it
    // took.
    void activate(WindowHandle window);
    // The program's own request to bring a window to the front (a form of its toolkit); refused,
    // like setForeground, under the foreground lock without the leave.
    bool bringForward(WindowHandle window);
    bool mayTakeForeground() const { return !foregroundLock || foregroundRight_; }
    void setCursor(int x, int y) { cursor_ = {x, y}; }
    // Top first.
    std::vector<WindowHandle> zOrder() const;

    std::vector<DesktopCommand> commands;
    // The window events this desktop reports to its watcher, as they happen; a platform that
    // reports only creation is modelled by leaving just Created here.
    std::set<platform::WindowEvent> reportedEvents {platform::WindowEvent::Created, platform::WindowEvent::Shown,
        platform::WindowEvent::Hidden, platform::WindowEvent::Destroyed, platform::WindowEvent::Renamed,
        platform::WindowEvent::Foreground, platform::WindowEvent::MinimizeStart, platform::WindowEvent::MinimizeEnd,
        platform::WindowEvent::Redrawn};
    // Windows' foreground lock as a program meets it when it acts on other than the user's input
    // to it: setForeground then fails (the target only flashes) unless the program has taken
    // the leave since the user last activated a window.
    bool foregroundLock = false;
    // The monitors, primary first. Empty: one primary monitor of primaryScreen(), whose work area
    // is its bounds.
    std::vector<platform::Monitor> monitorList;
    std::function<platform::PixelRect()> primaryScreen = [] { return platform::PixelRect {0, 0, 1024, 768}; };
    // sendMessageTimeout to these windows gives up at once; they leave asks for their icon
    // unanswered until they recover.
    std::set<WindowHandle> hung;
    SimIcons icons;
    // The window's program sets its icon, which its shell learns of (Redrawn).
    void setIcon(WindowHandle window, platform::IconHandle icon);
    // Delivers the answers of the windows asked for their icon that are not hung; the number
    // delivered. Asks of hung windows wait.
    int answerIconAsks();
    // These windows stay open when sent WM_CLOSE through sendMessageTimeout.
    std::set<WindowHandle> refuseClose;

    WindowHandle desktopWindow() override { return kDesktop; }
    WindowHandle getWindow(WindowHandle window, platform::WindowRelation relation) override;
    bool isVisible(WindowHandle window) override;
    bool isCloaked(WindowHandle window) override;
    WindowHandle parent(WindowHandle window) override;
    std::uint32_t exStyle(WindowHandle window) override;
    int windowText(WindowHandle window, char* buffer, int capacity) override;
    WindowHandle foreground() override { return foreground_; }
    bool setForeground(WindowHandle window) override;
    // Records "foregroundRight" and grants the leave.
    bool takeForegroundRight() override;
    bool isIconic(WindowHandle window) override;
    bool isZoomed(WindowHandle window) override;
    bool showWindow(WindowHandle window, platform::ShowCommand command) override;
    bool showWindowAsync(WindowHandle window, platform::ShowCommand command) override;
    bool setWindowPos(
        WindowHandle window, WindowHandle insertAfter, int x, int y, int cx, int cy, unsigned flags) override;
    bool sendMessageTimeout(WindowHandle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
        unsigned timeoutMs, std::intptr_t* result) override;
    std::uint32_t windowProcessId(WindowHandle window) override;
    int className(WindowHandle window, char* buffer, int capacity) override;
    WindowHandle findWindow(const char* className, const char* title) override;
    platform::PixelPoint cursorPos() override { return cursor_; }
    void watchWindowEvents(platform::WindowEventHandler handler) override { watcher_ = std::move(handler); }
    void monitors(std::vector<platform::Monitor>& out) override;
    platform::MonitorHandle monitorOf(WindowHandle window) override;
    bool windowRect(WindowHandle window, platform::PixelRect& rect) override;
    platform::IconHandle classIcon(WindowHandle window) override;
    void askWindowIcon(WindowHandle window) override;
    void watchIconAnswers(platform::IconAnswerHandler handler) override { iconWatcher_ = std::move(handler); }
    platform::IconHandle copyIcon(platform::IconHandle icon, int size) override { return icons.copy(icon, size); }
    platform::IconHandle programIcon(WindowHandle window, int size) override;
    void destroyIcon(platform::IconHandle copy) override { icons.destroy(copy); }
    // Moves a window, as its program or the user would.
    void moveWindow(WindowHandle window, const platform::PixelRect& rect);

private:
    // Position in windows_, which is kept bottom first so that opening a window is an append.
    long indexOf(WindowHandle window) const;
    void moveToTop(WindowHandle window);
    void raise(WindowHandle window);
    bool applyShow(WindowHandle window, platform::ShowCommand command);
    void report(platform::WindowEvent event, WindowHandle window);

    std::vector<SimWindow> windows_;
    // Position in windows_ per handle serial ((handle - kFirstHandle) / 4), -1 when closed.
    mutable std::vector<long> index_;
    mutable bool indexStale_ = false;
    static constexpr WindowHandle kFirstHandle = 0x20000;
    WindowHandle nextHandle_ = kFirstHandle;
    WindowHandle foreground_ = 0;
    bool foregroundRight_ = false;
    platform::PixelPoint cursor_ {};
    platform::WindowEventHandler watcher_;
    platform::IconAnswerHandler iconWatcher_;
    std::vector<WindowHandle> iconAsks_;
};

} // namespace sim
