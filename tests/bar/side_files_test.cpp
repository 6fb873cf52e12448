#include "bar/BarFixture.h"
#include "tasks/TaskIds.h"
#include "bar/BarControls.h"
#include "bar/LogoColour.h"

#include <cmath>

TEST(LogoColour, ReordersTheDigitPairsIntoAPlatformColour)
{
    EXPECT_EQ(bar::ParseLogoColour("0000FF"), 0xFF0000u);
    EXPECT_EQ(bar::ParseLogoColour("FF0000"), 0x0000FFu);
    EXPECT_EQ(bar::ParseLogoColour("FF8000"), 0x0080FFu);
    EXPECT_EQ(bar::ParseLogoColour("ff8000  "), 0x0080FFu);
}

TEST(LogoColour, RefusesAnythingButSixHexDigits)
{
    for (const char* bad : {"XYZ", "12345", "1234567", "", "GG0000", "12 456", "-12345"})
        EXPECT_FALSE(bar::ParseLogoColour(bad).has_value()) << bad;
}

class SideFilesTest : public BarTest {
protected:
    const std::string base = "C:\\Bars\\tolvix";
    void logo(float widthTwips = 375)
    {
        toolkit.pictures[base + ".BMP"] = {widthTwips, 1200};
        files.content[base + ".BMP"] = "BM";
    }
    const ui::ControlSpec& oemlogo() { return control(bar_ids::OEMLOGO); }
};

TEST_F(SideFilesTest, WithoutSideFilesTheDesignStays)
{
    start();
    EXPECT_FALSE(oemlogo().visible);
    EXPECT_EQ(button(0).rect.left, 120);
    EXPECT_EQ(oemlogo().back, ui::kSysActiveCaption);
    EXPECT_TRUE(toolkit.form(bar->formId())->iconPath.empty());
}

TEST_F(SideFilesTest, ALogoWithoutInfoShowsAndShiftsTheButtons)
{
    logo(375);
    desktop.open("A");
    desktop.open("B");
    start();
    EXPECT_TRUE(oemlogo().visible);
    EXPECT_EQ(button(0).rect.left, 500);
    EXPECT_EQ(button(1).rect.left, 500);
    EXPECT_EQ(oemlogo().back, ui::kSysActiveCaption);
    // The buttons still end inside the bar: width = bar width - logo / 2 - left edge.
    EXPECT_EQ(button(0).rect.width, std::nearbyint(barFrame().width - 187.5f - 500));
    EXPECT_EQ(oemlogo().rect.height, barFrame().height);
}

TEST_F(SideFilesTest, InfoLinesGiveColourAndTooltip)
{
    logo(600);
    files.content[base + ".NFO"] = "FF8000\r\nMade by us\r\n";
    start();
    EXPECT_EQ(button(0).rect.left, 500);
    EXPECT_EQ(oemlogo().back, 0x0080FFu);
    EXPECT_EQ(oemlogo().toolTip, "Made by us");
}

TEST_F(SideFilesTest, ABadOrShortInfoFileKeepsWhatWasApplied)
{
    struct Case {
        const char* name;
        std::string nfo;
        ui::Colour colour;
        bool designTip;
    };
    const std::string designTip = ::bar::ControlSpecOf(bar_ids::OEMLOGO).toolTip;
    const std::vector<Case> cases = {
        {"one line", "00FF00", 0x00FF00, true},
        {"empty", "", ui::kSysActiveCaption, true},
        {"bad colour", "XYZ\r\ntip", ui::kSysActiveCaption, true},
        {"five digits", "12345\r\ntip", ui::kSysActiveCaption, true},
        {"seven digits", "1234567\r\ntip", ui::kSysActiveCaption, true},
        {"binary", std::string("\x00\x01\xfe\xff\r\n\x00tip", 9), ui::kSysActiveCaption, true},
        {"enormous tooltip", "0000FF\r\n" + std::string(1 << 20, 't'), 0xFF0000, false},
    };
    for (const auto& c : cases) {
        sim::SimPlatform fresh;
        fresh.sim_toolkit().pictures[base + ".BMP"] = {375, 1200};
        fresh.sim_files().content[base + ".BMP"] = "BM";
        fresh.sim_files().content[base + ".NFO"] = c.nfo;
        fresh.sim_toolkit().icons.insert(base + ".ICO");
        fresh.sim_files().content[base + ".ICO"] = "icon";
        bar::TOLVIX b(fresh);
        b.Load();
        const ui::ControlSpec& l = *fresh.sim_toolkit().control(bar_ids::OEMLOGO);
        EXPECT_TRUE(l.visible) << c.name;
        EXPECT_EQ(l.back, c.colour) << c.name;
        if (c.designTip)
            EXPECT_EQ(l.toolTip, designTip) << c.name;
        else
            EXPECT_FALSE(l.toolTip.empty()) << c.name;
        // A failure in the logo step never keeps the icon step from running.
        EXPECT_EQ(fresh.sim_toolkit().form(b.formId())->iconPath, base + ".ICO") << c.name;
        EXPECT_TRUE(fresh.sim_toolkit().form(b.formId())->visible) << c.name;
    }
}

TEST_F(SideFilesTest, AnUnloadablePictureLeavesTheLogoHiddenAndSkipsTheInfo)
{
    files.content[base + ".BMP"] = "not a picture"; // exists, but the loader refuses it
    files.content[base + ".NFO"] = "FF0000\r\ntip\r\n";
    start();
    EXPECT_FALSE(oemlogo().visible);
    EXPECT_EQ(oemlogo().back, ui::kSysActiveCaption);
    EXPECT_EQ(button(0).rect.left, 120);
}

TEST_F(SideFilesTest, AnIconFileBecomesTheWindowIconAndABadOneIsIgnored)
{
    files.content[base + ".ICO"] = "icon";
    toolkit.icons.insert(base + ".ICO");
    start();
    EXPECT_EQ(toolkit.form(bar->formId())->iconPath, base + ".ICO");

    sim::SimPlatform other;
    other.sim_files().content[base + ".ICO"] = "garbage";
    bar::TOLVIX b(other);
    b.Load();
    EXPECT_TRUE(other.sim_toolkit().form(b.formId())->iconPath.empty());
    EXPECT_TRUE(other.sim_toolkit().form(b.formId())->visible) << "the bar is shown anyway";
}

TEST_F(SideFilesTest, SideFilesFollowADottedExecutableName)
{
    sim.sim_system().exePath = "D:\\Apps\\my.bar.exe";
    toolkit.pictures["D:\\Apps\\my.BMP"] = {300, 900};
    files.content["D:\\Apps\\my.BMP"] = "BM";
    start();
    EXPECT_TRUE(oemlogo().visible);
    EXPECT_EQ(button(0).rect.left, 500);
}

TEST_F(SideFilesTest, AnyLogoPictureKeepsTheStripAtItsWidthAndTheButtonsInTheBar)
{
    for (float width : {15.0f, 375.0f, 1800.0f, 60000.0f}) {
        sim::SimPlatform other;
        other.sim_toolkit().pictures[base + ".BMP"] = {width, width};
        other.sim_files().content[base + ".BMP"] = "BM";
        other.sim_desktop().open("A");
        bar::TOLVIX b(other);
        b.Load();
        const ui::ControlSpec* strip = other.sim_toolkit().control(bar_ids::OEMLOGO);
        const ui::ControlSpec* first = other.sim_toolkit().control(task_ids::VTASKS_BASE);
        EXPECT_EQ(strip->rect.width, 375) << width;
        EXPECT_EQ(first->rect.left, 500) << width;
        EXPECT_GT(first->rect.width, 1000) << width;
        EXPECT_TRUE(first->visible) << width;
    }
}
