#include "control/com/ControlHost.h"

#include "win32kit/ComPtr.h"
#include "control/com/WindowAndMenuIds.h"
#include "control/com/ControlMenu.h"
#include "control/com/GdiGraphSurface.h"
#include "win32kit/MessagePump.h"
#include "control/com/SystemMemory.h"

namespace dralith {
namespace {

// Refresh without a place on screen: the sample and the caption still count.
class DetachedSurface final : public GraphSurface {
public:
    void clear(Colour) override { }
    void drawLine(const GraphLine&) override { }
    void setCaption(std::string_view) override { }
};

} // namespace

ControlHost::ControlHost(IUnknown& owner, HostEvents& events)
    : owner_(owner)
    , events_(events)
    , ticks_(*this)
{
    applyTimer();
}

ControlHost::~ControlHost()
{
    surface_.reset();
}

void ControlHost::refresh()
{
    paintRefresh();
    // Every Refresh clears the picture at least; a container drawing through IViewObject hears
    // of it whether or not there is a window.
    events_.viewChanged();
}

void ControlHost::paintRefresh()
{
    const MemoryFigures figures = readMemoryFigures();
    BackBuffer* buffer = surface_ ? &surface_->backBuffer() : nullptr;
    if (!buffer || !*buffer) {
        DetachedSurface detached;
        viewer_.refresh(figures, detachedWidth_, detachedHeight_, detached);
        return;
    }
    GdiGraphSurface drawing(buffer->dc(), buffer->width(), buffer->height());
    viewer_.refresh(figures, buffer->width(), buffer->height(), drawing);
    if (viewer_.state().labelVisible())
        drawCaption(buffer->dc(), viewer_.caption(), POINT {0, 0});
    surface_->setLabelText(viewer_.caption());
    surface_->present();
}

void ControlHost::freeUpMemory(std::int32_t amountMB)
{
    // A host may drop its last reference from inside the message processing of the loop.
    win32kit::ComPtr<IUnknown> keepAlive(&owner_);
    viewer_.freeUpMemory(amountMB, readMemoryFigures(), allocator_, win32kit::processPendingMessages);
}

void ControlHost::applyTimer()
{
    const ControlState& state = viewer_.state();
    ticks_.run(state.timerRuns(), static_cast<unsigned>(state.interval()));
}

void ControlHost::applyLabel()
{
    if (!surface_)
        return;
    surface_->setLabelVisible(viewer_.state().labelVisible());
    repaintFromState();
}

void ControlHost::frameStyles(DWORD& style, DWORD& exStyle) const
{
    style = 0;
    exStyle = 0;
    if (viewer_.state().borderStyle() != BStyle::FixedSingle)
        return;
    if (viewer_.state().appearance() == FApp::Lowered)
        exStyle = WS_EX_CLIENTEDGE;
    else
        style = WS_BORDER;
}

void ControlHost::applyFrame()
{
    if (!surface_)
        return;
    DWORD style = 0, exStyle = 0;
    frameStyles(style, exStyle);
    surface_->setFrame(style, exStyle);
}

bool ControlHost::activate(HWND container, const RECT& position)
{
    if (surface_) {
        move(position);
        return true;
    }
    DWORD style = 0, exStyle = 0;
    frameStyles(style, exStyle);
    SurfaceEvents& events = *this;
    auto surface = std::make_unique<SurfaceWindow>(events, container, position, style, exStyle);
    if (!*surface)
        return false;
    surface_ = std::move(surface);
    surface_->setLabelText(viewer_.caption());
    surface_->setLabelVisible(viewer_.state().labelVisible());
    repaintFromState();
    return true;
}

void ControlHost::deactivate()
{
    surface_.reset();
}

void ControlHost::move(const RECT& position)
{
    if (surface_)
        surface_->move(position);
}

void ControlHost::setDetachedSize(int width, int height)
{
    detachedWidth_ = width > 0 ? width : 1;
    detachedHeight_ = height > 0 ? height : 1;
}

void ControlHost::repaintFromState()
{
    if (!surface_ || !surface_->backBuffer())
        return;
    BackBuffer& buffer = surface_->backBuffer();
    paintState(viewer_, buffer.dc(), buffer.width(), buffer.height(), POINT {0, 0});
    surface_->present();
}

void ControlHost::timerTick()
{
    refresh();
}

void ControlHost::freeOnClickRequested()
{
    win32kit::ComPtr<IUnknown> keepAlive(&owner_);
    viewer_.leftButtonReleased(readMemoryFigures(), allocator_, win32kit::processPendingMessages);
}

void ControlHost::surfaceResized()
{
    repaintFromState();
}

// The free-up runs from the tick window, not from inside the surface's own mouse message:
// the container may destroy the surface while the free-up lets messages run.
void ControlHost::leftButtonReleased()
{
    if (viewer_.state().freeOnClickOn())
        ticks_.postFreeOnClick();
}

void ControlHost::rightButtonReleased(POINT screenPoint)
{
    win32kit::UniqueMenu menu = buildControlMenu(viewer_.state());
    if (!menu || !surface_)
        return;
    win32kit::ComPtr<IUnknown> keepAlive(&owner_);
    runMenuCommand(trackControlMenu(menu.get(), surface_->handle(), screenPoint));
}

void ControlHost::runMenuCommand(unsigned command)
{
    ControlState& state = viewer_.state();
    if (command == ids::kMenuMABOUT) {
        about_.show(surface_ ? GetAncestor(surface_->handle(), GA_ROOT) : nullptr);
    } else if (command >= ids::kMenuMD0 && command < ids::kMenuMD0 + kDisplayModeCount) {
        state.chooseDisplayModeEntry(static_cast<int>(command - ids::kMenuMD0));
    } else if (command == ids::kMenuMCLKONFREE) {
        state.toggleFreeOnClick();
    }
}

} // namespace dralith
