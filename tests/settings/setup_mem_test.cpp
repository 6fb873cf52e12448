// The settings' byte layouts and their store, on the simulated registry.
#include "platform/sim/SimRegistry.h"
#include "settings/DwordValueCodec.h"
#include "settings/SettingsTable.h"
#include "settings/SetupMem.h"

#include <limits>

#include <gtest/gtest.h>

using platform::RegistryValue;
using settings::SettingsGroup;
using settings::SetupMem;

namespace {
constexpr auto kUser = platform::RegistryRoot::CurrentUser;
const std::string kPath = SetupMem::kKeyPath;

RegistryValue dword(std::string bytes)
{
    return {platform::kRegDword, std::move(bytes)};
}
std::string b4(int h, int l)
{
    return {'\0', '\0', static_cast<char>(h), static_cast<char>(l)};
}
} // namespace

TEST(DwordValueCodec, NumbersRoundThenSplitHighByteFirstAndClip)
{
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    const std::pair<float, std::string> table[] = {{0, b4(0, 0)}, {15, b4(0, 0x0F)}, {256, b4(1, 0)},
        {300, b4(1, 0x2C)}, {65535, b4(0xFF, 0xFF)}, {2.5f, b4(0, 2)}, {255.5f, b4(1, 0)}, {255.49f, b4(0, 0xFF)},
        {-3, b4(0, 0)}, {70000, b4(0xFF, 0xFF)}, {nan, b4(0, 0)}, {inf, b4(0xFF, 0xFF)}};
    for (const auto& [v, expected] : table)
        EXPECT_EQ(settings::encodeNumber(v), expected) << v;
    EXPECT_EQ(settings::encodeFlag(true), b4(0, 1));

    EXPECT_EQ(settings::decodeNumber(dword(b4(1, 0x2C))), 300.0f);
    EXPECT_EQ(settings::decodeFlag(dword(b4(0, 1))), true);
    EXPECT_EQ(settings::decodeFlag(dword(b4(0, 0))), false);
    for (const RegistryValue& bad : {dword(std::string("\1\0\0\0", 4)), dword(std::string(3, '\0')),
             dword(b4(0, 1) + '\0'), RegistryValue {platform::kRegBinary, b4(0, 1)}}) {
        EXPECT_FALSE(settings::decodeNumber(bad));
        EXPECT_FALSE(settings::decodeFlag(bad));
    }
    EXPECT_FALSE(settings::decodeFlag(dword(b4(1, 0))));
}

TEST(SetupMem, StoresGroupsAsDwordValues)
{
    sim::SimRegistry reg;
    SetupMem store(reg);
    store.StoreSettings(static_cast<SettingsGroup>(7));
    EXPECT_TRUE(reg.keyExists(kUser, kPath)) << "an unknown group still creates the key";
    store.settings().Align_Position = 3;
    store.StoreSettings(SettingsGroup::Alignment);
    EXPECT_EQ(reg.value(kUser, kPath, "Align_Position")->data, b4(0, 3));
    for (const settings::SettingRow& row : settings::kSettingsTable)
        EXPECT_EQ(reg.value(kUser, kPath, row.valueName).has_value(), row.group == SettingsGroup::Alignment)
            << row.valueName << ": the alignment group alone";

    store.settings().Mem_FreeUpAuto = true;
    reg.failingValueNames = {"General_HideInTaskManager"};
    store.StoreSettings(SettingsGroup::All);
    // Every other flag is at its default.
    const settings::Settings defaults;
    for (const settings::SettingRow& row : settings::kSettingsTable) {
        const std::string name = row.valueName;
        if (row.flag && name != "General_HideInTaskManager" && name != "Mem_FreeUpAuto") {
            EXPECT_EQ(reg.value(kUser, kPath, name).value_or(RegistryValue {}).data, b4(0, defaults.*(row.flag)))
                << name;
        }
    }
    EXPECT_EQ(reg.value(kUser, kPath, "General_RefreshInterval")->data, b4(0, 2));
    EXPECT_EQ(reg.value(kUser, kPath, "Mem_FreeUp")->data, b4(0, 64));
    EXPECT_EQ(reg.value(kUser, kPath, "Mem_FreeUpAuto")->data, b4(0, 1));
    EXPECT_FALSE(reg.value(kUser, kPath, "General_HideInTaskManager"));
    EXPECT_EQ(reg.openKeys(), 0);
}

TEST(SetupMem, LoadTakesWellFormedValuesAndKeepsDefaultsForBadOnes)
{
    sim::SimRegistry reg;
    reg.putValue(kUser, kPath, "Mem_FreeUp", dword(b4(1, 0)));
    reg.putValue(kUser, kPath, "IR_EnableIRSupport", dword(b4(0, 1)));
    reg.putValue(kUser, kPath, "General_RefreshInterval", {platform::kRegSz, b4(0, 5)});
    reg.putValue(kUser, kPath, "Mem_FreeUpIfBelow", dword(b4(0, 5) + '\0'));
    reg.putValue(kUser, kPath, "Mem_FreeUpAuto", dword(std::string("\1\0\0\0", 4)));

    SetupMem store(reg);
    store.Load();
    const settings::Settings& s = store.settings();
    EXPECT_EQ(s.Mem_FreeUp, 256);
    EXPECT_TRUE(s.IR_EnableIRSupport);
    EXPECT_EQ(s.General_RefreshInterval, 2) << "wrong type";
    EXPECT_EQ(s.Mem_FreeUpIfBelow, 8) << "wrong size";
    EXPECT_FALSE(s.Mem_FreeUpAuto) << "little-endian 1 is not a stored flag";
    EXPECT_EQ(s.Align_Position, -1) << "missing";
    EXPECT_TRUE(store.stored("Mem_FreeUp"));
    EXPECT_FALSE(store.stored("Mem_FreeUpAuto")) << "a value read but not taken";
    EXPECT_FALSE(store.stored("Align_Position"));
    ASSERT_EQ(reg.opens.size(), 1u);
    EXPECT_EQ(reg.opens[0].second, platform::KeyAccess::Read);

    reg.denied = {{kUser, kPath}};
    SetupMem denied(reg);
    denied.Load();
    EXPECT_EQ(denied.settings().Mem_FreeUp, 64);
    EXPECT_EQ(reg.openKeys(), 0);
}

TEST(SetupMem, LoadClampsNumbersToWhatTheWindowAllows)
{
    sim::SimRegistry reg;
    for (const settings::SettingRow& row : settings::kSettingsTable)
        if (row.number)
            reg.putValue(kUser, kPath, row.valueName, dword(b4(0, 0)));
    SetupMem zeros(reg);
    zeros.Load();
    EXPECT_EQ(zeros.settings().General_RefreshInterval, 1);
    EXPECT_EQ(zeros.settings().Mem_FreeUp, 1) << "0 would free up the whole memory";
    EXPECT_EQ(zeros.settings().Mem_FreeUpIfBelow, 0);
    EXPECT_EQ(zeros.settings().Align_Position, 0) << "a list entry, not a number to clamp";

    for (const char* name : {"General_RefreshInterval", "Mem_FreeUp", "Mem_FreeUpIfBelow"})
        reg.putValue(kUser, kPath, name, dword(b4(0xFF, 0xFF)));
    SetupMem highs(reg);
    highs.Load();
    EXPECT_EQ(highs.settings().General_RefreshInterval, 15);
    EXPECT_EQ(highs.settings().Mem_FreeUp, 4095);
    EXPECT_EQ(highs.settings().Mem_FreeUpIfBelow, 127);
    highs.StoreSettings(SettingsGroup::All);
    EXPECT_EQ(reg.value(kUser, kPath, "Mem_FreeUp")->data, b4(0x0F, 0xFF)) << "the same byte layout";
}
