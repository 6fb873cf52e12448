// The simulated registry stands in for the real one in every settings test, so it must refuse
// and fold case the way Windows does, and count the keys left open.
#include "platform/sim/SimRegistry.h"

#include <gtest/gtest.h>

using platform::EnumStatus;
using platform::KeyAccess;
using platform::RegistryKey;
using platform::RegistryRoot;
using platform::RegistryValue;

namespace {
constexpr auto kUser = RegistryRoot::CurrentUser;
const RegistryValue kOne {platform::kRegSz, std::string("1\0", 2)};
} // namespace

TEST(SimRegistry, PathsAndValueNamesFoldCaseButRootsStayApart)
{
    sim::SimRegistry reg;
    reg.putValue(kUser, "Software\\Tolvane\\Bar", "Dock", kOne);

    auto key = RegistryKey::open(reg, kUser, "SOFTWARE\\tolvane\\bar", KeyAccess::Read);
    ASSERT_TRUE(key);
    ASSERT_TRUE(key.query("dock", 16));
    EXPECT_EQ(key.query("DOCK", 16)->data, kOne.data);
    EXPECT_FALSE(key.query("Dock", 1)) << "data longer than the limit";
    EXPECT_TRUE(reg.keyExists(kUser, "software\\TOLVANE")) << "keys above a new key exist too";
    EXPECT_FALSE(RegistryKey::open(reg, RegistryRoot::LocalMachine, "Software\\Tolvane\\Bar", KeyAccess::Read));

    // Writing a name again in other case replaces it in place: enumeration order is kept.
    auto all = RegistryKey::open(reg, kUser, "software\\tolvane\\bar", KeyAccess::All);
    ASSERT_TRUE(all.set("Width", kOne));
    ASSERT_TRUE(all.set("DOCK", {platform::kRegDword, std::string(4, '\0')}));
    std::string name;
    EXPECT_EQ(all.enumValue(0, 16, name), EnumStatus::Found);
    EXPECT_EQ(name, "Dock");
    EXPECT_EQ(reg.value(kUser, "Software\\Tolvane\\Bar", "dock")->type, platform::kRegDword);
    EXPECT_EQ(all.enumValue(1, 4, name), EnumStatus::TooLong);
    EXPECT_EQ(all.enumValue(2, 16, name), EnumStatus::NoMoreItems);
}

TEST(SimRegistry, DeniedAndReadOnlyKeysRefuseWhatWindowsWouldRefuse)
{
    sim::SimRegistry reg;
    reg.putValue(kUser, "Locked", "A", kOne);
    reg.putValue(kUser, "Shared", "A", kOne);
    reg.denied.insert({kUser, "locked"});
    reg.readOnly.insert({kUser, "SHARED"});
    reg.failingValueNames.insert("Bad");

    EXPECT_FALSE(RegistryKey::open(reg, kUser, "Locked", KeyAccess::Read));
    EXPECT_FALSE(RegistryKey::create(reg, kUser, "Locked"));
    EXPECT_FALSE(RegistryKey::open(reg, kUser, "Shared", KeyAccess::All));
    EXPECT_FALSE(RegistryKey::create(reg, kUser, "Shared"));
    EXPECT_FALSE(RegistryKey::open(reg, kUser, "Missing", KeyAccess::Read));

    auto read = RegistryKey::open(reg, kUser, "Shared", KeyAccess::Read);
    ASSERT_TRUE(read);
    EXPECT_FALSE(read.set("A", kOne)) << "a key opened for reading takes no writes";

    auto created = RegistryKey::create(reg, kUser, "Fresh");
    ASSERT_TRUE(created);
    EXPECT_FALSE(created.set("Bad", kOne));
    EXPECT_TRUE(created.set("Good", kOne));
    EXPECT_FALSE(reg.value(kUser, "Fresh", "Bad"));

    ASSERT_EQ(reg.opens.size(), 4u); // openKey calls only, failed ones included
    EXPECT_EQ(reg.opens[1], std::make_pair(std::string("Shared"), KeyAccess::All));
}

TEST(SimRegistry, EveryOpenedKeyIsCountedUntilClosed)
{
    sim::SimRegistry reg;
    reg.addKey(kUser, "K");
    {
        auto a = RegistryKey::open(reg, kUser, "K", KeyAccess::Read);
        auto b = RegistryKey::create(reg, kUser, "K\\Sub");
        EXPECT_NE(a.handle(), b.handle());
        EXPECT_EQ(reg.openKeys(), 2);
        RegistryKey moved = std::move(a);
        a = std::move(b); // a's old handle already moved out: nothing closes twice
        EXPECT_EQ(reg.openKeys(), 2);
        auto failed = RegistryKey::open(reg, kUser, "Nope", KeyAccess::Read);
        EXPECT_EQ(reg.openKeys(), 2);
    }
    EXPECT_EQ(reg.openKeys(), 0);
}
