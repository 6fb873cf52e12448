// Task buttons on a desktop with more windows than the bar has room for.
#include "bar/BarFixture.h"

#include <algorithm>
#include <set>

class BusyDesktopTest : public BarTest {
protected:
    void openWindows(int count)
    {
        for (int i = 0; i < count; ++i)
            desktop.open("W" + std::to_string(i));
    }
    float panelTop() { return toolkit.clientSize(bar->formId()).height - 900; }
    // Every shown button wholly between the bar's top and its panel, none over another.
    void expectShownButtonsInside()
    {
        float lastBottom = 0;
        for (int i = 0; buttonLoaded(i); ++i) {
            const ui::ControlSpec& b = button(i);
            if (!b.visible)
                continue;
            EXPECT_GE(b.rect.top, lastBottom) << i;
            EXPECT_LE(b.rect.top + b.rect.height, panelTop()) << i;
            lastBottom = b.rect.top + b.rect.height;
        }
    }
    bool arrowShown(ui::ControlId id) { return control(id).visible; }
};

TEST_F(BusyDesktopTest, AFewWindowsKeepTheirPlacesAndMoreCloseUpBeforeAnyScrolling)
{
    openWindows(3);
    start();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(button(i).rect.top, 120 + i * 1.25f * 285) << i;
    EXPECT_FALSE(arrowShown(task_ids::VTASKS_UP));
    EXPECT_FALSE(arrowShown(task_ids::VTASKS_DOWN));

    openWindows(12); // 15 in all: not at the usual gaps, but without any
    tick();
    EXPECT_EQ(captions().size(), 15u);
    EXPECT_LT(button(1).rect.top - button(0).rect.top, 1.25f * 285);
    expectShownButtonsInside();
    EXPECT_FALSE(arrowShown(task_ids::VTASKS_DOWN));
}

TEST_F(BusyDesktopTest, ThirtyWindowsAreAllReachableByTheArrowsAndNothingCoversThePanel)
{
    openWindows(30);
    start();
    const std::vector<std::string> all = allCaptions();
    ASSERT_EQ(all.size(), 30u);
    std::vector<std::string> seen = captions();
    EXPECT_LT(seen.size(), 30u);
    EXPECT_FALSE(arrowShown(task_ids::VTASKS_UP));
    EXPECT_TRUE(arrowShown(task_ids::VTASKS_DOWN));
    expectShownButtonsInside();
    EXPECT_LE(control(task_ids::VTASKS_DOWN).rect.top + control(task_ids::VTASKS_DOWN).rect.height, panelTop());

    std::set<std::string> reached(seen.begin(), seen.end());
    for (int clicks = 0; arrowShown(task_ids::VTASKS_DOWN) && clicks < 30; ++clicks) {
        toolkit.mouseUp(bar->formId(), task_ids::VTASKS_DOWN, ui::MouseButton::Left);
        expectShownButtonsInside();
        for (const std::string& c : captions())
            reached.insert(c);
    }
    EXPECT_EQ(reached.size(), 30u) << "every window's button shown at some point";
    EXPECT_EQ(captions().back(), all.back());
    EXPECT_TRUE(arrowShown(task_ids::VTASKS_UP));
    tick();
    EXPECT_EQ(captions().back(), all.back()) << "a refresh keeps the place scrolled to";

    toolkit.mouseUp(bar->formId(), task_ids::VTASKS_UP, ui::MouseButton::Left);
    toolkit.mouseUp(bar->formId(), task_ids::VTASKS_UP, ui::MouseButton::Left);
    EXPECT_EQ(captions().front(), all.front());
    EXPECT_FALSE(arrowShown(task_ids::VTASKS_UP));
}

TEST_F(BusyDesktopTest, TheForegroundWindowsButtonIsScrolledIntoView)
{
    openWindows(40);
    start();
    const std::vector<std::string> all = allCaptions();
    const std::vector<std::string> before = captions();
    ASSERT_EQ(std::find(before.begin(), before.end(), all.back()), before.end());
    desktop.activate(desktop.findWindow(nullptr, all.back().c_str()));
    toolkit.advance(50);
    std::vector<std::string> shown = captions();
    EXPECT_NE(std::find(shown.begin(), shown.end(), all.back()), shown.end());
    expectShownButtonsInside();
}
