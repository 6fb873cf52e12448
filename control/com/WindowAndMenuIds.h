#pragma once
// Child-window and menu-command identifiers of the control, unique within this library.

namespace dralith::ids {

// Children of the control surface and of the about window.
constexpr int kLabelUCCD = 100;
constexpr int kAboutPicture1 = 200;
constexpr int kAboutA0 = 201;
constexpr int kAboutA5 = 202;
constexpr int kAboutA2 = 203;
constexpr int kAboutA3 = 204;
constexpr int kAboutOKK = 205;

// Commands of the right-click menu M0 (non-zero: TrackPopupMenu returns 0 for "nothing chosen").
constexpr unsigned kMenuMABOUT = 300;
constexpr unsigned kMenuMD0 = 310; // MD(i) is kMenuMD0 + i, i = 0..6
constexpr unsigned kMenuMCLKONFREE = 320;

} // namespace dralith::ids
