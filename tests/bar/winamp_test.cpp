// The Winamp buttons: which command each quarter sends, and to which window.
#include "bar/MODULWinAmp.h"
#include "platform/sim/SimDesktop.h"

#include <cmath>
#include <vector>

#include <gtest/gtest.h>

namespace {
const sim::WindowOptions kWinamp {0, 0, 0, false, true, false, "Winamp v1.x"};
// Command identifiers of every timed send, in order.
std::vector<std::uintptr_t> sent(const sim::SimDesktop& desk)
{
    std::vector<std::uintptr_t> ids;
    for (const auto& c : desk.commands) {
        EXPECT_EQ(c.what, "sendTimeout") << "an untimed send can freeze the bar on a hung Winamp";
        ids.push_back(c.wParam);
    }
    return ids;
}
} // namespace

TEST(Winamp, EachQuarterSendsItsCommandOnlyInsideThePicture)
{
    sim::SimDesktop desk;
    bar::Winamp winamp(desk);
    desk.open("Notepad");
    EXPECT_FALSE(winamp.FindWinamp());
    EXPECT_FALSE(winamp.ButtonReleased(10, 100));

    desk.open("Winamp 2.9", kWinamp);
    ASSERT_TRUE(winamp.FindWinamp());
    for (float x : {0.0f, 25.0f, 74.9f, std::nextafter(100.0f, 0.0f)})
        EXPECT_TRUE(winamp.ButtonReleased(x, 100)) << x;
    for (float x : {100.0f, -0.01f, std::nanf("")})
        EXPECT_FALSE(winamp.ButtonReleased(x, 100)) << x;
    EXPECT_FALSE(winamp.ButtonReleased(0, 0));
    EXPECT_EQ(sent(desk), (std::vector<std::uintptr_t> {40044, 40045, 40147, 40048}));
}

TEST(Winamp, HungOrReplacedWindowCostsNoWait)
{
    sim::SimDesktop desk;
    bar::Winamp winamp(desk);
    const auto w = desk.open("Winamp", kWinamp);
    ASSERT_TRUE(winamp.FindWinamp());
    desk.hung.insert(w);
    EXPECT_FALSE(winamp.ButtonReleased(30, 100));
    desk.hung.clear();

    desk.find(w)->options.className = "Notepad"; // the handle now names another window
    EXPECT_FALSE(winamp.ButtonReleased(30, 100));
    desk.close(w);
    EXPECT_FALSE(winamp.ButtonReleased(30, 100));
    EXPECT_EQ(sent(desk).size(), 1u) << "only the hung Winamp was tried";
    EXPECT_FALSE(winamp.FindWinamp());
}
