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

TEST_F(BusyDesktopTest, TheWheelAndTheArrowKeysReachEveryButtonWhileTheWheelElsewhereDoesNothing)
{
    openWindows(30);
    start();
    const ui::FormId form = bar->formId();
    const std::vector<std::string> all = allCaptions();
    const ui::ControlId first = task_ids::VTASKS_BASE;
    const float x = button(0).rect.left + 10;

    toolkit.wheel(form, bar_ids::Picture2, x, panelTop() + 50, -120); // over the panel
    EXPECT_EQ(captions().front(), all[0]);
    toolkit.wheel(form, first + 1, x, button(1).rect.top + 10, -60); // half a notch
    toolkit.wheel(form, 0, x, button(1).rect.top - 5, -60);          // the gap between two buttons
    EXPECT_EQ(captions().front(), all[3]) << "a notch down scrolls three buttons";
    toolkit.wheel(form, task_ids::VTASKS_UP, x, 10, 120 * 5);
    EXPECT_EQ(captions().front(), all[0]) << "and no further up than the first";
    expectShownButtonsInside();

    toolkit.focusControl(form, first);
    for (int i = 1; i < 30; ++i) {
        ASSERT_TRUE(toolkit.pressKey(form, ui::kKeyDown));
        ASSERT_EQ(toolkit.focus.second, first + i);
        ASSERT_TRUE(button(i).visible) << "the focused button " << i << " is shown";
    }
    EXPECT_EQ(captions().back(), all.back());
    toolkit.pressKey(form, ui::kKeyDown);
    EXPECT_EQ(toolkit.focus.second, first) << "round the end";
    EXPECT_TRUE(button(0).visible);
    toolkit.pressKey(form, ui::kKeyUp);
    EXPECT_EQ(toolkit.focus.second, first + 29);
    EXPECT_TRUE(button(29).visible);
    expectShownButtonsInside();
}

TEST_F(BusyDesktopTest, ADraggedButtonKeepsItsPlaceWhileItsWindowsLiveAndNewWindowsComeAtTheEnd)
{
    openWindows(4);
    start();
    const ui::FormId form = bar->formId();
    const std::vector<std::string> before = captions();
    const float pitch = button(1).rect.top - button(0).rect.top;
    // From the first button to the third row; let go inside itself, it is a click, no move.
    toolkit.pressAndRelease(form, task_ids::VTASKS_BASE, 10, 2 * pitch + 20);
    const std::vector<std::string> moved = {before[1], before[2], before[0], before[3]};
    EXPECT_EQ(captions(), moved);
    EXPECT_EQ(toolkit.focus.second, task_ids::VTASKS_BASE + 2) << "the focus went with the task";
    desktop.activate(desktop.findWindow(nullptr, before[3].c_str()));
    desktop.open("W9");
    toolkit.advance(3000);
    std::vector<std::string> later = moved;
    later.push_back("W9");
    EXPECT_EQ(captions(), later);

    // Let go on the panel, or beside the bar: nothing moves.
    toolkit.pressAndRelease(form, task_ids::VTASKS_BASE, 10, panelTop() + 100);
    toolkit.pressAndRelease(form, task_ids::VTASKS_BASE, -400, pitch + 20);
    EXPECT_EQ(captions(), later);
    desktop.close(desktop.findWindow(nullptr, before[0].c_str()));
    toolkit.advance(3000);
    EXPECT_EQ(captions(), (std::vector<std::string> {before[1], before[2], before[3], "W9"}));
}
