// The infrared text work: button keys, the server's lines, the action map and its file (on the
// simulated files), and the server address.
#include "infrared/ActionMap.h"
#include "infrared/ActionMapFile.h"
#include "platform/sim/SimPlatform.h"
#include "infrared/LircLine.h"
#include "infrared/ServerAddress.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using infrared::ActionMap;
using Lines = std::vector<std::string>;

Lines Frame(infrared::LineFramer& framer, const std::vector<std::string>& reads)
{
    Lines lines;
    const auto take = [&] {
        while (const auto line = framer.next())
            lines.emplace_back(*line);
    };
    take();
    for (const std::string& read : reads) {
        framer.append(read);
        take();
    }
    return lines;
}

TEST(ButtonKey, DropsTheFirstTwoWordsOfTheFirstLine)
{
    EXPECT_EQ(infrared::ButtonKey("0000000000f40bf0 00 play myremote\n"), "play myremote");
    EXPECT_EQ(infrared::ButtonKey("0000000000f40bf0 00 play myremote"), "play myremote") << "no line feed";
    EXPECT_EQ(infrared::ButtonKey("1 2 a b\n3 4 c d\n"), "a b");
    EXPECT_EQ(infrared::ButtonKey(""), "");
}

TEST(LircLines, OnlyWellFormedPressesBecomeKeys)
{
    const auto press = infrared::ParsePress("0000000000f40bf0 0a play myremote");
    ASSERT_TRUE(press);
    EXPECT_EQ(press->key, "play myremote");
    EXPECT_EQ(press->repeat, 10u);
    for (const char* reply :
        {"BEGIN", "SIGHUP", "END", "SEND_ONCE myremote play", "SUCCESS", "DATA", "1", "0000000000f40bf0 00 play",
            "0000000000f40bf0 00 play myremote extra", "xyz 00 play myremote", "00f4 0g play myremote",
            "00f4 123456789 play myremote", "00f4 01  play myremote", "00f4 01 play myremote ", "", "   "})
        EXPECT_FALSE(infrared::ParsePress(reply)) << '"' << reply << '"';
}

TEST(LircLines, FramesSplitJoinedAndHostileReads)
{
    infrared::LineFramer framer;
    EXPECT_EQ(Frame(framer, {"00 00 a r", "c\r\n01 00 b", " rc\n", "\n02 00 c rc\r", "\n"}),
        (Lines {"00 00 a rc", "01 00 b rc", "", "02 00 c rc"}));

    // 512 bytes pass; 513 are dropped whole, even when their end comes in a later read, and the next
    // line still arrives.
    const std::string longest(512, 'x'), tooLong(513, 'y');
    EXPECT_EQ(Frame(framer, {longest + "\r\n"}), (Lines {longest}));
    EXPECT_EQ(Frame(framer, {tooLong.substr(0, 300), tooLong.substr(300) + "\n00 00 k rc\n"}), (Lines {"00 00 k rc"}));
    EXPECT_EQ(Frame(framer, {std::string(100000, 'z'), std::string(100000, 'z'), "\nok\n"}), (Lines {"ok"}));

    // A reader that stops after some lines finds the rest, in order, behind bytes appended since.
    framer.append("first\nsecond\nthi");
    EXPECT_EQ(framer.next(), std::optional<std::string_view>("first"));
    framer.append("rd\nfourth\n");
    EXPECT_EQ(Frame(framer, {}), (Lines {"second", "third", "fourth"}));
    framer.append("half");
    framer.reset();
    EXPECT_EQ(Frame(framer, {"line\n"}), (Lines {"line"})) << "a reset forgets the unfinished line";
}

TEST(ActionMapFile, RoundTripKeepsUnknownLinesAndTheFirstOfEqualKeys)
{
    sim::SimFiles files;
    const std::string path = "C:\\IR_SCUTS.INI";
    files.content[path] = "play myremote NextTask\r\n\r\n; a note\nplay myremote Quit\rstop  myremote MinTask";
    infrared::ActionMapFile file(files);
    file.Load(path);
    ASSERT_TRUE(file.writesFile());
    const ActionMap& map = file.map();
    EXPECT_EQ(
        map.entries(), (Lines {"play myremote NextTask", "; a note", "play myremote Quit", "stop  myremote MinTask"}));
    EXPECT_EQ(*map.FirstEntryWith("play myremote"), "play myremote NextTask") << "the first wins";
    EXPECT_EQ(infrared::EntryAction(*map.FirstEntryWith("stop myremote")), "MinTask") << "blanks between words";

    EXPECT_EQ(file.SetAction("next rc", "PrevTask"), 4);
    EXPECT_EQ(files.content[path],
        "play myremote NextTask\r\n; a note\r\nplay myremote Quit\r\nstop  myremote MinTask\r\nnext rc PrevTask\r\n");
    file.Remove(0);
    EXPECT_EQ(*map.FirstEntryWith("play myremote"), "play myremote Quit") << "the next one with the key takes over";
    EXPECT_EQ(file.SetAction("play myremote", "Run"), 1);
    EXPECT_EQ(files.content[path], "; a note\r\nplay myremote Run\r\nstop  myremote MinTask\r\nnext rc PrevTask\r\n");

    ActionMap added;
    EXPECT_EQ(added.AddKey("next rc"), 0u);
    EXPECT_EQ(added.AddKey("next rc"), 0u) << "a key already there is not added";
    EXPECT_EQ(added.entries(), Lines {"next rc "});
}

TEST(ActionMapFile, AFileTooBigWithAnOverlongLineOrNoTextIsNeverWrittenOver)
{
    sim::SimFiles files;
    const std::string path = "C:\\IR_SCUTS.INI";
    infrared::ActionMapFile file(files);
    std::string full;
    for (std::size_t i = 0; i <= ActionMap::kMaxEntries; ++i)
        full += "k" + std::to_string(i) + " rc Quit\r\n";
    const std::string overlong = "a rc Quit\r\n" + std::string(ActionMap::kMaxLineBytes + 1, 'x') + "\r\nb rc Run\r\n";
    const std::string nul("a rc Quit\0\r\n", 12);
    for (const std::string& bytes : {full, overlong, nul}) {
        files.content[path] = bytes;
        file.Load(path);
        EXPECT_FALSE(file.writesFile());
        file.SetAction("new rc", "Run");
        EXPECT_EQ(files.content[path], bytes);
        EXPECT_NE(file.lines().lastSave().problem, platform::FileProblem::None);
    }
    files.content[path] = full;
    file.Load(path);
    EXPECT_EQ(file.entries().size(), ActionMap::kMaxEntries);
    EXPECT_NE(file.FirstEntryWith("k65535 rc"), nullptr);
    files.content[path] = overlong;
    file.Load(path);
    EXPECT_EQ(file.entries(), (Lines {"a rc Quit"})) << "read up to the overlong line";
}

TEST(ServerAddressText, NumbersOrLocalhostOnly)
{
    const auto parsed = infrared::ParseServerAddress("192.168.1.20:9000");
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->address, 0xC0A80114u);
    EXPECT_EQ(parsed->port, 9000);
    EXPECT_EQ(infrared::ParseServerAddress("LocalHost")->address, 0x7F000001u);
    EXPECT_EQ(infrared::ParseServerAddress("localhost")->port, 8765) << "the default port";
    for (const char* bad : {"", "lirc.example.org:8765", "1.2.3:8765", "1.2.3.4.5", "256.1.1.1", "1.2.3.4:0",
             "1.2.3.4:65536", "1.2.3.4:", "1.2.3.4:80x", " 1.2.3.4"})
        EXPECT_FALSE(infrared::ParseServerAddress(bad)) << bad;
}

} // namespace
