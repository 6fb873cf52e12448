#pragma once
// Captions of the right-click menu M0, in its order.
#include "control/core/Enumerations.h"

namespace dralith {

constexpr const char* kMenuAboutCaption = "about Dralith";           // MABOUT
constexpr const char* kMenuSeparatorCaption = "-";                   // MX0, MX1
constexpr const char* kMenuDisplayModeCaption = "display mode";      // MDPMODE (submenu)
constexpr const char* kMenuFreeOnClickCaption = "EnableFreeOnClick"; // MCLKONFREE

// MD(0)..MD(6): the index is the display mode.
constexpr const char* kDisplayModeCaptions[kDisplayModeCount] = {
    "off",
    "percent",
    "megabyte",
    "percent / percent",
    "megabyte / percent",
    "megabyte / megabyte",
    "megabyte / compared",
};

} // namespace dralith
