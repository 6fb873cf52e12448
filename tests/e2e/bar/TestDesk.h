#pragma once
// The windows the bar probe puts on the desktop, one of each kind the task filter must judge.
#include <string>

#include "win32kit/Handles.h"

namespace bar_probe {

struct TestDesk {
    static constexpr const char* kAlpha = "E2E Alpha";
    static constexpr const char* kBravo = "E2E Bravo";
    static constexpr const char* kCharlie = "E2E Charlie";
    static constexpr const char* kDelta = "E2E Delta";
    static constexpr const char* kTool = "E2E Tool Window";
    static constexpr const char* kOwnedPopup = "E2E Owned Popup";
    static constexpr const char* kOwnedApp = "E2E Owned App Window";

    win32kit::UniqueWindow alpha, bravo, charlie, delta;
    win32kit::UniqueWindow tool, ownedPopup, ownedApp, untitled, longTitle;
    std::string longTitleText; // 300 characters; the bar shows the first 255
};

} // namespace bar_probe
