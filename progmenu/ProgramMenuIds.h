#pragma once
// Ids of the program menu MX. They share the bar's menu id space (bar/BarIds.h); a test
// checks that none repeats.
namespace progmenu_ids {

constexpr int MX = 1003;
constexpr int SM1X = 1004;
constexpr int SM2X = 1005;
constexpr int SM3X = 1006;
constexpr int SM4X = 1007;
constexpr int PARTER1 = 1008;
constexpr int SMXX = 1009;
constexpr int SMAX = 1010;
constexpr int SMBX = 1011;
constexpr int SMCX = 1012;
constexpr int SMDX = 1013;
constexpr int SMEX = 1014;
constexpr int SMFX = 1015;
constexpr int PARTER4 = 1016;
constexpr int SM5X = 1017;
constexpr int SM6X = 1018;
constexpr int SM7X = 1019;
constexpr int SM8X = 1020;
constexpr int SM9X = 1021;
constexpr int PARTER2 = 1022;
constexpr int PARTER3 = 1023;
constexpr int MX2 = 1024;
constexpr int MTK = 1400; // "shortcuts...": opens the shortcut window

constexpr int kCategories = 16;
// The item arrays SM0 to SMF: SM_BASE(category) + element index. A stride that holds a whole
// catalogue, so every element of every category has an id of its own.
constexpr int SM_STRIDE = 0x100000;
constexpr int SM_BASE(int category)
{
    return SM_STRIDE * (category + 1);
}
constexpr int SM_LAST = SM_BASE(kCategories) - 1;

// The shortcut items, after category 0's in MX: SK_BASE + index, at most kShownShortcuts.
constexpr int kShownShortcuts = 256;
constexpr int SK_BASE = SM_LAST + 1;
constexpr int SK_LAST = SK_BASE + kShownShortcuts - 1;

} // namespace progmenu_ids
