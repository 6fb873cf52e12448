// The dial-up lamp and dialling, from the dial-up registry keys or the remote-access functions.
#include "bar/MODULConnection.h"
#include "platform/sim/SimLauncher.h"
#include "platform/sim/SimRegistry.h"
#include "platform/sim/SimRemoteAccess.h"

#include <gtest/gtest.h>

using platform::RegistryRoot;
using platform::RegistryValue;

namespace {
constexpr auto kUser = RegistryRoot::CurrentUser;
const std::string kService = "System\\CurrentControlSet\\Services\\RemoteAccess";
const std::string kDial = "C:\\Windows\\system32\\rundll32.exe rnaui.dll,RnaDial ";

RegistryValue text(const std::string& s)
{
    return {platform::kRegSz, s};
}

struct Rig {
    sim::SimRegistry reg;
    sim::SimLauncher launcher;
    sim::SimRemoteAccess ras;
    bar::MODULConnection connection {reg, launcher, ras};

    void addConnections(std::initializer_list<std::string> names)
    {
        reg.addKey(kUser, "RemoteAccess\\Addresses");
        for (const auto& name : names)
            reg.putValue(kUser, "RemoteAccess\\Addresses", name, {platform::kRegBinary, "addr"});
    }
    void setDefault(const RegistryValue& value) { reg.putValue(kUser, "RemoteAccess", "Default", value); }
    // What one click dials: the rundll32 command line, "ras:" and a name, or "".
    std::string dial()
    {
        launcher.started.clear();
        ras.dialled.clear();
        connection.DialConnection();
        EXPECT_EQ(reg.openKeys(), 0);
        for (const auto& open : reg.opens)
            EXPECT_EQ(open.second, platform::KeyAccess::Read) << open.first;
        if (!ras.dialled.empty())
            return "ras:" + ras.dialled.at(0);
        if (launcher.started.empty())
            return "";
        EXPECT_EQ(launcher.started.at(0).second, platform::ShowCommand::Normal);
        return launcher.started.at(0).first;
    }
};
} // namespace

TEST(MODULConnection, LampReadsRemoteConnectionWithQueryAccessOrRemoteAccess)
{
    Rig rig;
    rig.ras.up = true;
    EXPECT_FALSE(rig.connection.IsConnected()) << "no dial-up networking at all";
    rig.ras.present = true;
    EXPECT_TRUE(rig.connection.IsConnected()) << "remote-access functions stand in for the absent key";

    rig.reg.addKey(RegistryRoot::LocalMachine, kService);
    EXPECT_TRUE(rig.connection.IsConnected()) << "the service key without the value, as on NT";
    rig.ras.up = false;
    EXPECT_FALSE(rig.connection.IsConnected());

    // A value that is there wins over the remote-access functions; one too long to read is none.
    rig.ras.up = true;
    rig.reg.readOnly = {{RegistryRoot::LocalMachine, kService}};
    for (const auto& [data, connected] : {std::pair {std::string("\1\0\0\0", 4), true}, {std::string(4, '\0'), false},
             {std::string(), false}, {std::string(300, '\0'), true}}) {
        rig.reg.putValue(RegistryRoot::LocalMachine, kService, "Remote Connection", {platform::kRegBinary, data});
        EXPECT_EQ(rig.connection.IsConnected(), connected) << data.size() << " bytes";
    }
    EXPECT_EQ(rig.reg.openKeys(), 0);
}

TEST(MODULConnection, DialsTheOnlyConnectionElseTheDefaultInUpperCase)
{
    Rig rig;
    EXPECT_EQ(rig.dial(), "") << "no keys at all";
    rig.setDefault(text(std::string("myisp\0", 6)));
    rig.addConnections({});
    EXPECT_EQ(rig.dial(), kDial + "MYISP") << "no connection: the default";
    rig.addConnections({std::string(2048, 'n')});
    EXPECT_EQ(rig.dial(), kDial + std::string(2048, 'n')) << "the only one, case as stored";
    rig.addConnections({std::string(2049, 'x')});
    EXPECT_EQ(rig.dial(), kDial + "MYISP") << "an over-long name still counts";
    rig.setDefault(text("myisp"));
    EXPECT_EQ(rig.dial(), kDial + "MYISP") << "no terminator";
    rig.setDefault(text(std::string("my\0isp\0", 7)));
    EXPECT_EQ(rig.dial(), kDial + "MY") << "cut at the first NUL";
    for (const RegistryValue& bad :
        {text(std::string(1, '\0')), text(std::string(300, 'a')), {platform::kRegBinary, "isp"}}) {
        rig.setDefault(bad);
        EXPECT_EQ(rig.dial(), "");
    }

    Rig one;
    one.setDefault(text("home"));
    one.addConnections({std::string(5000, 'n')});
    EXPECT_EQ(one.dial(), "") << "the only value has no usable name";
}

TEST(MODULConnection, RemoteAccessFunctionsStandInForAbsentAddresses)
{
    Rig rig;
    rig.ras.entries = {"Work"};
    EXPECT_EQ(rig.dial(), "");
    rig.ras.present = true;
    EXPECT_EQ(rig.dial(), "ras:Work");
    rig.ras.entries = {"Work", "Home"};
    EXPECT_EQ(rig.dial(), "");
    rig.setDefault(text("home"));
    EXPECT_EQ(rig.dial(), "ras:HOME");
    rig.addConnections({"Isp"});
    EXPECT_EQ(rig.dial(), kDial + "Isp") << "the registry's list wins while it exists";
}
