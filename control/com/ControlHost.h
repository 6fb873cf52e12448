#pragma once
// The behaviour of one control instance on Windows, apart from COM: it feeds the portable
// viewer with the real memory figures, runs the timer TMX, owns the surface while the control
// is active in a container, the right-click menu and the about window, and runs free-ups with
// the real block allocator and message pump.
#include <windows.h>

#include <memory>

#include "control/com/AboutWindow.h"
#include "control/com/SurfaceWindow.h"
#include "control/com/TickWindow.h"
#include "control/core/FreeUp.h"
#include "control/core/MemoryViewer.h"

namespace dralith {

// What the COM object hears from its host.
class HostEvents {
public:
    // The picture changed (a Refresh painted): containers that draw the control must draw again.
    virtual void viewChanged() = 0;

protected:
    ~HostEvents() = default;
};

class ControlHost final : private TickEvents, private SurfaceEvents {
public:
    // `owner` is the COM object; it is kept alive while a free-up lets messages run.
    ControlHost(IUnknown& owner, HostEvents& events);
    ~ControlHost();
    ControlHost(const ControlHost&) = delete;
    ControlHost& operator=(const ControlHost&) = delete;

    MemoryViewer& viewer() { return viewer_; }
    const MemoryViewer& viewer() const { return viewer_; }

    // Refresh: one sample, then the surface is repainted at once (when there is one).
    void refresh();
    void freeUpMemory(std::int32_t amountMB);

    // Mirror property changes onto the timer, the label and the surface frame.
    void applyTimer();
    void applyLabel();
    void applyFrame();

    // In-place activation: the surface is a child of `container` at `position`.
    bool activate(HWND container, const RECT& position);
    void deactivate();
    bool active() const { return static_cast<bool>(surface_); }
    HWND surfaceHandle() const { return surface_ ? surface_->handle() : nullptr; }
    void move(const RECT& position);

    // Drawing size used while no surface exists (from the container's extent), in pixels.
    void setDetachedSize(int width, int height);

private:
    void timerTick() override;
    void freeOnClickRequested() override;
    void surfaceResized() override;
    void leftButtonReleased() override;
    void rightButtonReleased(POINT screenPoint) override;

    void paintRefresh();
    void repaintFromState();
    void runMenuCommand(unsigned command);
    void frameStyles(DWORD& style, DWORD& exStyle) const;

    IUnknown& owner_;
    HostEvents& events_;
    MemoryViewer viewer_;
    BlankTextBlockAllocator allocator_;
    TickWindow ticks_;
    std::unique_ptr<SurfaceWindow> surface_;
    AboutWindow about_;
    int detachedWidth_ = 120;
    int detachedHeight_ = 48;
};

} // namespace dralith
