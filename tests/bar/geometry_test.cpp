#include "bar/BarGeometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
const ui::ScreenMetrics kScreen {15, 15, 1024, 768}; // 15360 x 11520 twips
const float W = 3120, H = 6030;
const ui::Rect kFrame {2000, 3000, W, H};
} // namespace

TEST(Geometry, TuckedPlacesLeaveTheSixteenPixelStripVisible)
{
    struct Case {
        int position;
        float left, top;
    };
    const float strip = 16 * 15;
    const float centredLeft = std::floor((15360 - W) / 2), centredTop = std::floor((11520 - H) / 2);
    const Case cases[] = {
        {0, strip - W, strip - H},
        {1, centredLeft, strip - H},
        {2, 15360 - strip, strip - H},
        {3, strip - W, centredTop},
        {4, centredLeft, centredTop},
        {5, 15360 - strip, centredTop},
        {6, 0, 11520 - strip},
        {7, centredLeft, 11520 - strip},
        {8, 15360 - W, 11520 - strip},
    };
    for (const auto& c : cases) {
        const ui::Rect r = bar::Tucked(c.position, kFrame, kScreen);
        EXPECT_EQ(r.left, c.left) << "position " << c.position;
        EXPECT_EQ(r.top, c.top) << "position " << c.position;
        EXPECT_EQ(r.width, W);
        EXPECT_EQ(r.height, H);
    }
}

TEST(Geometry, CentringCutsHalfTwipsDown)
{
    const ui::Rect odd {0, 0, 3121, 6031};
    const ui::Rect r = bar::Tucked(4, odd, kScreen);
    EXPECT_EQ(r.left, 6119);
    EXPECT_EQ(r.top, 2744);
}

TEST(Geometry, AShownBarOverhangsEachEdgeByAtMostFourPixels)
{
    const float o = 4 * 15;
    EXPECT_EQ(bar::BroughtOnScreen({-3000, 100, W, H}, kScreen).left, -o);
    EXPECT_EQ(bar::BroughtOnScreen({100, -6000, W, H}, kScreen).top, -o);
    EXPECT_EQ(bar::BroughtOnScreen({15000, 100, W, H}, kScreen).left, 15360 + o - W);
    EXPECT_EQ(bar::BroughtOnScreen({100, 11000, W, H}, kScreen).top, 11520 + o - H);
    const ui::Rect inside {100, 100, W, H};
    EXPECT_EQ(bar::BroughtOnScreen(inside, kScreen), inside);
}

TEST(Geometry, ABarTallerThanTheScreenEndsWithItsBottomBelowTheScreen)
{
    const ui::Rect tall {100, 11520 - 240, W, 13000};
    const ui::Rect r = bar::BroughtOnScreen(tall, kScreen);
    EXPECT_EQ(r.top + r.height, 11520 + 60);
    EXPECT_LT(r.top, -60) << "the bottom test runs after the top test";
}

TEST(Geometry, TheMouseMustBeStrictlyInsideTheFrame)
{
    const ui::Rect frame {1500, 1500, 1500, 1500}; // pixels 100 to 200
    EXPECT_FALSE(bar::MouseOverBar({100, 150}, frame, kScreen)) << "on the left edge";
    EXPECT_FALSE(bar::MouseOverBar({150, 100}, frame, kScreen)) << "on the top edge";
    EXPECT_FALSE(bar::MouseOverBar({200, 150}, frame, kScreen)) << "on the right edge";
    EXPECT_TRUE(bar::MouseOverBar({101, 101}, frame, kScreen));
    EXPECT_TRUE(bar::MouseOverBar({199, 199}, frame, kScreen));
}

TEST(Geometry, MinimumHeightAndButtonWidth)
{
    EXPECT_EQ(bar::EnforcedHeight(200 * 15, kScreen), 360 * 15.f);
    EXPECT_FALSE(bar::EnforcedHeight(360 * 15, kScreen).has_value());
    const ui::ScreenMetrics large {12, 12, 1920, 1080}; // 120 DPI
    EXPECT_EQ(bar::EnforcedHeight(4000, large), 360 * 12.f);
    EXPECT_EQ(bar::TaskButtonWidth(3120, 375, 120), 2812) << "2812.5 rounds to even";
    EXPECT_EQ(bar::TaskButtonWidth(3121, 375, 120), 2814) << "2813.5 rounds to even";
}

TEST(Geometry, OnlyFreeFloatingAndTheNineCodesAreValid)
{
    for (float p : {-1.f, 0.f, 4.f, 8.f})
        EXPECT_TRUE(bar::IsValidAlignPosition(p)) << p;
    for (float p : {-2.f, 9.f, 2.5f, 100.f})
        EXPECT_FALSE(bar::IsValidAlignPosition(p)) << p;
}
