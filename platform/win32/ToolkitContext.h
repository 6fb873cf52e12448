#pragma once
// What every form of the toolkit shares: the module, the screen scale, fonts and the quit state.
#include "platform/win32/FontCache.h"
#include "platform/win32/OleAccess.h"
#include "platform/win32/Units.h"

#include <memory>

namespace platform::win32 {

struct ToolkitContext {
    ToolkitContext(HINSTANCE module, TwipsPerPixel screenScale, int pixelsPerInchY)
        : instance(module)
        , scale(screenScale)
        , fonts(pixelsPerInchY)
    {
    }

    HINSTANCE instance;
    TwipsPerPixel scale;
    FontCache fonts;
    // Set once the program ends: from then on no event reaches the program's handlers.
    bool quitting = false;

    // Loaded for the first screen reader's request; null before, and when it cannot be loaded.
    OleAccess* oleAccess()
    {
        if (!ole_ && !oleMissing_) {
            ole_ = OleAccess::load();
            oleMissing_ = !ole_;
        }
        return ole_.get();
    }

private:
    std::unique_ptr<OleAccess> ole_;
    bool oleMissing_ = false;
};

} // namespace platform::win32
