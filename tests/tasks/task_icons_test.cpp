#include "bar/BarFixture.h"

#include <algorithm>

// Each button shows a copy of its window's icon that the bar made and frees itself.
class TaskIconsTest : public BarTest {
protected:
    long asksOf(platform::WindowHandle window)
    {
        return std::count_if(desktop.commands.begin(), desktop.commands.end(),
            [&](const sim::DesktopCommand& c) { return c.what == "askIcon" && c.window == window; });
    }
    // The window's icon the button shows a copy of; 0 for none (the generic one).
    platform::IconHandle shownSource(int i) { return desktop.icons.sourceOf(button(i).icon); }
    void TearDown() override
    {
        BarTest::TearDown();
        EXPECT_EQ(desktop.icons.wrongFrees, 0) << "the bar freed an icon it did not make, or freed one twice";
    }
};

TEST_F(TaskIconsTest, TheIconIsAskedForOnceWhenTheButtonIsMadeAndCopiedAtSixteenPixels)
{
    const auto own = desktop.icons.makeProgramIcon();
    const auto w = desktop.open("A");
    desktop.find(w)->icon = own;
    start();
    desktop.answerIconAsks();
    tick();
    EXPECT_EQ(shownSource(0), own);
    EXPECT_EQ(desktop.icons.sizeOf(button(0).icon), 16);
    for (int i = 0; i < 5; ++i)
        tick();
    const long long writes = toolkit.propertyWrites;
    bar->RefreshTaskButtons();
    EXPECT_EQ(asksOf(w), 1) << "never asked again on a tick";
    EXPECT_EQ(desktop.icons.copiesMade, 1);
    EXPECT_EQ(toolkit.propertyWrites, writes);
}

TEST_F(TaskIconsTest, ANewIconOrANewTitleAsksAgainAndTheOldCopyIsFreedOnceReplaced)
{
    const auto first = desktop.icons.makeProgramIcon();
    const auto second = desktop.icons.makeProgramIcon();
    const auto w = desktop.open("A");
    desktop.find(w)->icon = first;
    start();
    desktop.answerIconAsks();
    tick();
    desktop.setIcon(w, second); // its program sets a new icon and frees the old one
    desktop.icons.destroyProgramIcon(first);
    tick();
    desktop.answerIconAsks();
    tick();
    EXPECT_EQ(asksOf(w), 2);
    EXPECT_EQ(shownSource(0), second);
    EXPECT_EQ(desktop.icons.liveCopies(), 1u);

    // A rename asks again, but the same icon makes no new copy and no write.
    desktop.setTitle(w, "B");
    tick();
    const long long writes = toolkit.propertyWrites;
    desktop.answerIconAsks();
    bar->RefreshTaskButtons();
    EXPECT_EQ(asksOf(w), 3);
    EXPECT_EQ(desktop.icons.copiesMade, 2);
    EXPECT_EQ(toolkit.propertyWrites, writes);
}

TEST_F(TaskIconsTest, WithoutAnAnswerTheClassIconStandsInAndWithoutEitherTheGenericOne)
{
    const auto own = desktop.icons.makeProgramIcon();
    const auto ofClass = desktop.icons.makeProgramIcon();
    const auto plain = desktop.open("plain");
    const auto classed = desktop.open("classed");
    const auto hung = desktop.open("hung");
    desktop.find(classed)->classIcon = ofClass;
    desktop.find(hung)->icon = own;
    desktop.hung.insert(hung);
    start();
    desktop.answerIconAsks();
    tick();
    // Buttons read top first: hung, classed, plain.
    EXPECT_EQ(button(0).icon, 0u);
    EXPECT_EQ(button(0).artwork, ui::Artwork::TaskIcon);
    EXPECT_EQ(shownSource(1), ofClass);
    EXPECT_EQ(button(2).icon, 0u);
    EXPECT_EQ(button(2).artwork, ui::Artwork::TaskIcon);

    desktop.hung.erase(hung); // it recovers and answers at last
    desktop.answerIconAsks();
    tick();
    EXPECT_EQ(shownSource(0), own);
}

TEST_F(TaskIconsTest, CopiesOfClosedWindowsAndOfAllWindowsWhenTheBarEndsAreFreed)
{
    const auto shared = desktop.icons.makeProgramIcon();
    std::vector<platform::WindowHandle> windows;
    for (int i = 0; i < 3; ++i) {
        windows.push_back(desktop.open("w"));
        desktop.find(windows.back())->classIcon = shared;
    }
    start();
    desktop.answerIconAsks();
    tick();
    EXPECT_EQ(desktop.icons.liveCopies(), 3u);
    desktop.close(windows[1]);
    tick();
    EXPECT_EQ(desktop.icons.liveCopies(), 2u);
    EXPECT_EQ(shownSource(1), shared) << "the button that moved up shows a live copy";
    bar.reset();
    EXPECT_EQ(desktop.icons.liveCopies(), 0u);
    EXPECT_TRUE(desktop.icons.alive(shared)) << "the class's icon is its program's";
}

TEST_F(TaskIconsTest, AnIconThatCannotBeReadHereIsStoodInForByItsProgramFilesIcon)
{
    const auto foreign = desktop.icons.makeProgramIcon();
    const auto ofFile = desktop.icons.makeProgramIcon();
    desktop.icons.unreadable.insert(foreign);
    const auto w = desktop.open("A");
    desktop.find(w)->icon = foreign;
    desktop.find(w)->programIcon = ofFile;
    const auto none = desktop.open("B"); // answers no icon: the generic one, not its file's
    desktop.find(none)->programIcon = ofFile;
    start();
    desktop.answerIconAsks();
    tick();
    EXPECT_EQ(shownSource(1), ofFile);
    EXPECT_EQ(button(0).icon, 0u);
}
