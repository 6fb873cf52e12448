// The two-character registry value of free-on-click and the display mode, both ways.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "control/core/ControlState.h"
#include "control/core/ChoiceTextCodec.h"

using namespace dralith;

namespace {
// Decodes exactly the characters of `text` from a heap buffer of that size, so a read past the
// end is a real out-of-bounds read (seen by valgrind or a sanitizer).
DecodedSettings decode(const std::string& text)
{
    std::vector<char> exact(text.begin(), text.end());
    return decodeSettings(exact.data(), exact.size());
}
} // namespace

TEST(SettingsEncode, FreeOnClickDigitThenRoundedModeDigit)
{
    EXPECT_EQ(encodeSettings(kTrue, 5.0f), std::string("15"));
    EXPECT_EQ(encodeSettings(kFalse, 0.0f), std::string("00"));
    EXPECT_EQ(encodeSettings(kFalse, 2.5f), std::string("02"));
    EXPECT_EQ(encodeSettings(kFalse, 3.5f), std::string("04"));
    EXPECT_EQ(encodeSettings(1, 6.0f), std::string("16"));
}

TEST(SettingsEncode, OddStoredValuesGiveTheirCharacterWhenOneExists)
{
    EXPECT_EQ(encodeSettings(5, 9.0f), std::string("59"));            // free-on-click stored as 5
    EXPECT_EQ(encodeSettings(kFalse, -48.0f), std::string("0\0", 2)); // code 0
    EXPECT_EQ(encodeSettings(kFalse, 207.0f), std::string("0\xFF"));
}

TEST(SettingsEncode, CharacterCodesBeyondOneByteAreRefused)
{
    EXPECT_FALSE(encodeSettings(kFalse, 208.0f));
    EXPECT_FALSE(encodeSettings(kFalse, -49.0f));
    EXPECT_FALSE(encodeSettings(-32768, 1.0f));
    EXPECT_FALSE(encodeSettings(kFalse, 1e30f));
}

TEST(SettingsDecode, ValidValueRestoresBoth)
{
    const DecodedSettings d = decode("15");
    EXPECT_EQ(d.freeOnClick, true);
    EXPECT_EQ(d.displayMode, 5);
    EXPECT_FALSE(d.invalidArgument);
    EXPECT_EQ(decode("06").freeOnClick, false);
    EXPECT_EQ(decode("06").displayMode, 6);
}

TEST(SettingsDecode, EachCharacterIsCheckedByItself)
{
    const DecodedSettings modeSeven = decode("17");
    EXPECT_EQ(modeSeven.freeOnClick, true);
    EXPECT_FALSE(modeSeven.displayMode);
    EXPECT_FALSE(modeSeven.invalidArgument);

    const DecodedSettings badFirst = decode("23");
    EXPECT_FALSE(badFirst.freeOnClick);
    EXPECT_EQ(badFirst.displayMode, 3);

    const DecodedSettings letters = decode("a/");
    EXPECT_FALSE(letters.freeOnClick);
    EXPECT_FALSE(letters.displayMode);
    EXPECT_FALSE(letters.invalidArgument);

    const DecodedSettings highBytes = decode("\xB1\xB5"); // '1' and '5' with the top bit set
    EXPECT_FALSE(highBytes.freeOnClick);
    EXPECT_FALSE(highBytes.displayMode);
}

TEST(SettingsDecode, OnlyTheFirstTwoCharactersCount)
{
    const DecodedSettings d = decode("039xyz");
    EXPECT_EQ(d.freeOnClick, false);
    EXPECT_EQ(d.displayMode, 3);
    EXPECT_FALSE(d.invalidArgument);
}

TEST(SettingsDecode, ShortValuesAreInvalidAfterApplyingAValidFirstCharacter)
{
    const DecodedSettings one = decode("1");
    EXPECT_EQ(one.freeOnClick, true);
    EXPECT_FALSE(one.displayMode);
    EXPECT_TRUE(one.invalidArgument);

    const DecodedSettings badOne = decode("5");
    EXPECT_FALSE(badOne.freeOnClick);
    EXPECT_TRUE(badOne.invalidArgument);

    const DecodedSettings empty = decodeSettings(nullptr, 0);
    EXPECT_FALSE(empty.freeOnClick);
    EXPECT_FALSE(empty.displayMode);
    EXPECT_TRUE(empty.invalidArgument);
}

TEST(SettingsDecode, StoredTextDropsOnlyATerminatingNul)
{
    EXPECT_EQ(storedTextLength("15", 3), 2u); // "15" and its NUL
    EXPECT_EQ(storedTextLength("15", 2), 2u); // written without a NUL: both characters kept
    EXPECT_EQ(storedTextLength("", 1), 0u);
    EXPECT_EQ(storedTextLength("", 0), 0u);
}

TEST(Settings, SavedStateIsRestoredOnANewInstance)
{
    ControlState saved;
    saved.setFreeOnClick(kTrue);
    saved.setDisplayMode(5.0f);
    const auto text = encodeSettings(saved.freeOnClick(), saved.storedDisplayMode());
    ASSERT_TRUE(text);
    const std::string registryBytes(text->c_str(), text->size() + 1); // as written: with the NUL
    ASSERT_EQ(registryBytes.size(), 3u);

    ControlState restored;
    const std::size_t length = storedTextLength(registryBytes.data(), registryBytes.size());
    EXPECT_TRUE(restored.applySettings(decodeSettings(registryBytes.data(), length)));
    EXPECT_EQ(restored.freeOnClick(), kTrue);
    EXPECT_EQ(restored.displayMode(), 5);
}

TEST(Settings, LoadingKeepsWhatTheStoredValueDoesNotValidlyCarry)
{
    ControlState state;
    state.setFreeOnClick(kTrue);
    state.setDisplayMode(3.0f);
    EXPECT_TRUE(state.applySettings(decode("07")));
    EXPECT_EQ(state.freeOnClick(), kFalse);
    EXPECT_EQ(state.displayMode(), 3);

    EXPECT_FALSE(state.applySettings(decode("1")));
    EXPECT_EQ(state.freeOnClick(), kTrue);
    EXPECT_EQ(state.displayMode(), 3);
}

TEST(Settings, LoadingLeavesTheLabelAsItWas)
{
    ControlState state;
    state.setDisplayMode(0.0f); // label hidden
    state.applySettings(decode("04"));
    EXPECT_EQ(state.displayMode(), 4);
    EXPECT_FALSE(state.labelVisible());
}

namespace {
// A registry value as the two queries of a load see it; `reads` counts the reads into a buffer.
struct StoredValue {
    std::string bytes;
    std::uint32_t reportedSize;
    int reads = 0;

    SettingsValueQuery query()
    {
        return [this](char* buffer, std::uint32_t& size) {
            if (!buffer) {
                size = reportedSize;
                return true;
            }
            ++reads;
            if (size < bytes.size())
                return false; // ERROR_MORE_DATA
            std::memcpy(buffer, bytes.data(), bytes.size());
            size = static_cast<std::uint32_t>(bytes.size());
            return true;
        };
    }
};
} // namespace

TEST(SettingsRead, AValueFarLargerThanTheControlWritesIsNotRead)
{
    StoredValue written {std::string("15\0", 3), 3};
    const auto decoded = readStoredSettings(written.query());
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->freeOnClick, true);
    EXPECT_EQ(decoded->displayMode, 5);

    // Whatever size the registry reports, no buffer of it is made.
    StoredValue huge {std::string("15\0", 3), 1u << 30};
    EXPECT_FALSE(readStoredSettings(huge.query()));
    EXPECT_EQ(huge.reads, 0);
    StoredValue justOver {std::string(kMaxStoredSettingsBytes + 1, '1'), kMaxStoredSettingsBytes + 1};
    EXPECT_FALSE(readStoredSettings(justOver.query()));
    StoredValue longest {"13" + std::string(kMaxStoredSettingsBytes - 2, 'x'), kMaxStoredSettingsBytes};
    EXPECT_EQ(readStoredSettings(longest.query())->displayMode, 3);

    // A value that grew between the two queries does not fit the buffer: nothing is applied.
    StoredValue grown {std::string(40, '1'), 3};
    EXPECT_FALSE(readStoredSettings(grown.query()));
    StoredValue empty {"", 0};
    EXPECT_FALSE(readStoredSettings(empty.query()));
    EXPECT_EQ(empty.reads, 0);
}
