// The notification area's rules: reading the blocks programs send, keeping their icons, and what
// a click posts back.
#include "tray/NotifyBlock.h"
#include "tray/TrayCallback.h"
#include "tray/TrayIcons.h"
#include "tray/WineBlocks.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

using namespace tray_test;

// Wine's block for an icon of one program: window 0x1234, id 7, tip "Volume", a 16 x 16 icon of
// 32 bits a pixel, its bits after the block.
Bytes WineBlock()
{
    WineRequest r;
    r.id = 7;
    r.flags = tray::kFlagMessage | tray::kFlagIcon | tray::kFlagTip;
    r.tip = "Volume";
    Bytes b = r.bytes();
    b[tray::kWineBlockSize + 32] = 0xAB; // the first colour byte
    return b;
}

Bytes SystemBlock()
{
    Bytes b(tray::kSystemBlockSize, 0);
    Put32(b, 0, tray::kSystemSignature);
    Put32(b, 4, 1); // modify
    Put32(b, 12, 0x5678);
    Put32(b, 16, 2);
    Put32(b, 20, tray::kFlagIcon | tray::kFlagTip | tray::kFlagState);
    Put32(b, 28, 0x10045);
    PutText(b, 32, "Updates");
    Put32(b, 288, tray::kStateHidden);
    Put32(b, 292, tray::kStateHidden);
    return b;
}

std::optional<tray::NotifyRequest> Read(std::uintptr_t dwData, const Bytes& b)
{
    return tray::ReadNotifyBlock(dwData, b.data(), b.size());
}

tray::NotifyRequest Request(tray::Command command, std::uint32_t window, std::uint32_t id, std::uint32_t flags = 0)
{
    tray::NotifyRequest r;
    r.command = command;
    r.window = window;
    r.id = id;
    r.flags = flags;
    return r;
}

} // namespace

TEST(NotifyBlock, ReadsBothLayoutsByWhatTheyAre)
{
    const auto wine = Read(0, WineBlock());
    ASSERT_TRUE(wine);
    EXPECT_EQ(wine->command, tray::Command::Add);
    EXPECT_EQ(wine->window, 0x1234u);
    EXPECT_EQ(wine->id, 7u);
    EXPECT_EQ(wine->callbackMessage, 0x8001u);
    EXPECT_EQ(wine->tip, u"Volume");
    ASSERT_TRUE(wine->iconBits);
    EXPECT_EQ(wine->iconBits->mask.size(), 32u);
    ASSERT_EQ(wine->iconBits->colour.size(), 1024u);
    EXPECT_EQ(wine->iconBits->colour[0], 0xAB);

    const auto system = Read(1, SystemBlock());
    ASSERT_TRUE(system);
    EXPECT_EQ(system->command, tray::Command::Modify);
    EXPECT_EQ(system->window, 0x5678u);
    EXPECT_EQ(system->iconHandle, 0x10045u);
    EXPECT_EQ(system->tip, u"Updates");
    EXPECT_EQ(system->state & system->stateMask, tray::kStateHidden);

    // A monochrome icon's mask holds both halves, and nothing follows it.
    Bytes mono = WineBlock();
    Put32(mono, 956, 1);
    mono.resize(tray::kWineBlockSize + 64);
    const auto monoRead = Read(1, mono);
    ASSERT_TRUE(monoRead);
    EXPECT_EQ(monoRead->command, tray::Command::Modify);
    EXPECT_EQ(monoRead->iconBits->mask.size(), 64u);
    EXPECT_TRUE(monoRead->iconBits->colour.empty());
}

TEST(NotifyBlock, RefusesABlockThatIsNotWhatItSays)
{
    const auto refused = [](std::uintptr_t dwData, Bytes b) { return !Read(dwData, b); };
    Bytes shortBits = WineBlock();
    shortBits.pop_back();
    EXPECT_TRUE(refused(0, shortBits)) << "icon bits shorter than the icon's size";
    Bytes longBits = WineBlock();
    longBits.push_back(0);
    EXPECT_TRUE(refused(0, longBits));
    Bytes unterminated = WineBlock();
    for (std::size_t i = 16; i < 16 + 256; ++i)
        unterminated[i] = 'x';
    EXPECT_TRUE(refused(0, unterminated)) << "a tip without its terminating zero";
    Bytes oddDepth = WineBlock();
    Put32(oddDepth, 956, 3);
    EXPECT_TRUE(refused(0, oddDepth));
    Bytes huge = WineBlock();
    Put32(huge, 944, 0x40000000);
    EXPECT_TRUE(refused(0, huge)) << "a size whose bits would overflow";
    EXPECT_TRUE(refused(5, WineBlock())) << "no such command";
    Bytes noBits = WineBlock();
    noBits.resize(tray::kWineBlockSize);
    EXPECT_TRUE(refused(0, noBits)) << "an icon announced, its bits missing";
    Bytes wrongSignature = SystemBlock();
    Put32(wrongSignature, 0, 0x34753424);
    EXPECT_TRUE(refused(1, wrongSignature));
    Bytes systemCommand = SystemBlock();
    Put32(systemCommand, 4, 9);
    EXPECT_TRUE(refused(1, systemCommand));
    EXPECT_TRUE(refused(0, Bytes(100, 0)));
    EXPECT_FALSE(tray::ReadNotifyBlock(0, nullptr, 960));
}

TEST(TrayIcons, AnswerAsTheSystemDoesAndStayBounded)
{
    tray::TrayIcons icons;
    EXPECT_FALSE(icons.apply(Request(tray::Command::Modify, 1, 1)));
    EXPECT_FALSE(icons.apply(Request(tray::Command::Delete, 1, 1)));
    EXPECT_TRUE(icons.apply(Request(tray::Command::Add, 1, 1)));
    EXPECT_FALSE(icons.apply(Request(tray::Command::Add, 1, 1))) << "added twice";
    EXPECT_TRUE(icons.apply(Request(tray::Command::Add, 2, 1)));

    tray::NotifyRequest hide = Request(tray::Command::Modify, 1, 1, tray::kFlagState | tray::kFlagTip);
    hide.state = hide.stateMask = tray::kStateHidden;
    hide.tip = u"Muted";
    EXPECT_TRUE(icons.apply(hide));
    EXPECT_TRUE(icons.find(1, 1)->hidden);
    EXPECT_EQ(icons.find(1, 1)->tip, u"Muted");
    hide.state = 0;
    hide.stateMask = 0; // the mask says the state is not set
    icons.apply(hide);
    EXPECT_TRUE(icons.find(1, 1)->hidden);

    tray::NotifyRequest version = Request(tray::Command::SetVersion, 2, 1);
    version.timeoutOrVersion = 4;
    EXPECT_TRUE(icons.apply(version));
    EXPECT_EQ(icons.find(2, 1)->version, 4u);

    for (std::uint32_t id = 2; icons.icons().size() < tray::kMaxIcons; ++id)
        ASSERT_TRUE(icons.apply(Request(tray::Command::Add, 1, id)));
    EXPECT_FALSE(icons.apply(Request(tray::Command::Add, 3, 1))) << "past the bound";
    EXPECT_EQ(icons.removeIf([](std::uint32_t window) { return window == 1; }), tray::kMaxIcons - 1);
    ASSERT_EQ(icons.icons().size(), 1u);
    EXPECT_EQ(icons.icons()[0].window, 2u);
}

TEST(TrayIcons, BalloonsComeOneAtATimeAndGoWithTheirIcon)
{
    tray::TrayIcons icons;
    icons.apply(Request(tray::Command::Add, 1, 1));
    icons.apply(Request(tray::Command::Add, 2, 1));
    tray::NotifyRequest first = Request(tray::Command::Modify, 1, 1, tray::kFlagInfo);
    first.info = u"Download done";
    first.timeoutOrVersion = 500;
    icons.apply(first);
    tray::NotifyRequest second = Request(tray::Command::Modify, 2, 1, tray::kFlagInfo);
    second.info = u"Battery low";
    icons.apply(second);
    ASSERT_TRUE(icons.balloon());
    EXPECT_EQ(icons.balloon()->text, u"Download done");
    EXPECT_EQ(icons.balloon()->timeoutMs, tray::kBalloonMinMs);
    icons.apply(Request(tray::Command::Delete, 1, 1));
    ASSERT_TRUE(icons.balloon());
    EXPECT_EQ(icons.balloon()->text, u"Battery low");
    second.info.clear(); // an empty text takes it away
    icons.apply(second);
    EXPECT_FALSE(icons.balloon());
}

TEST(TrayCallback, FollowsTheVersionTheProgramSet)
{
    tray::TrayIcon icon;
    icon.id = 7;
    icon.callbackMessage = 0x8001;
    tray::Callbacks c = tray::ForMouse(icon, tray::kLeftUp, 100, 700);
    ASSERT_EQ(c.count, 1u);
    EXPECT_EQ(c.messages[0].message, 0x8001u);
    EXPECT_EQ(c.messages[0].wParam, 7u);
    EXPECT_EQ(c.messages[0].lParam, static_cast<std::intptr_t>(tray::kLeftUp));

    icon.version = 3;
    c = tray::ForMouse(icon, tray::kRightUp, 100, 700);
    ASSERT_EQ(c.count, 2u);
    EXPECT_EQ(c.messages[1].lParam, static_cast<std::intptr_t>(tray::kContextMenu));
    EXPECT_EQ(tray::ForMouse(icon, tray::kLeftUp, 0, 0).messages[1].lParam, static_cast<std::intptr_t>(tray::kSelect));
    EXPECT_EQ(tray::ForMouse(icon, tray::kLeftDoubleClick, 0, 0).count, 1u);

    icon.version = 4;
    c = tray::ForMouse(icon, tray::kLeftUp, 100, 700);
    ASSERT_EQ(c.count, 2u);
    EXPECT_EQ(c.messages[0].wParam, 100u | (700u << 16));
    EXPECT_EQ(c.messages[0].lParam, static_cast<std::intptr_t>(tray::kLeftUp | (7u << 16)));
    EXPECT_EQ(c.messages[1].lParam, static_cast<std::intptr_t>(tray::kSelect | (7u << 16)));

    c = tray::ForKey(icon, false, 1, 2);
    ASSERT_EQ(c.count, 1u);
    EXPECT_EQ(c.messages[0].lParam, static_cast<std::intptr_t>(tray::kKeySelect | (7u << 16)));
    icon.version = 0;
    c = tray::ForKey(icon, true, 1, 2);
    ASSERT_EQ(c.count, 2u) << "an old program gets the right click the key stands for";
    EXPECT_EQ(c.messages[1].lParam, static_cast<std::intptr_t>(tray::kRightUp));
    icon.callbackMessage = 0;
    EXPECT_EQ(tray::ForMouse(icon, tray::kLeftUp, 0, 0).count, 0u);
}
