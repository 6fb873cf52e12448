#include "bar/MODULConnection.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace bar {

using platform::EnumStatus;
using platform::KeyAccess;
using platform::RegistryKey;
using platform::RegistryRoot;

namespace {
constexpr const char* kAddressesPath = "RemoteAccess\\Addresses";
constexpr const char* kRemoteAccessPath = "RemoteAccess";
constexpr const char* kDefaultValue = "Default";
} // namespace

MODULConnection::MODULConnection(
    platform::Registry& registry, platform::Launcher& launcher, platform::RemoteAccess& remoteAccess)
    : registry_(registry)
    , launcher_(launcher)
    , remoteAccess_(remoteAccess)
{
}

bool MODULConnection::IsConnected()
{
    const auto key = RegistryKey::open(registry_, RegistryRoot::LocalMachine, servicePath_, KeyAccess::Read);
    const auto value = key.query(connectionValue_, kValueBytes);
    // NT-family systems keep the service key without this value: the remote-access functions know.
    if (!value)
        return remoteAccess_.available() && remoteAccess_.connected();
    return !value->data.empty() && value->data[0] == '\1';
}

std::string upperNameFromValue(const std::string& data)
{
    std::string name = data.substr(0, data.find('\0'));
    std::transform(
        name.begin(), name.end(), name.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return name;
}

std::string dialCommand(const std::string& systemFolder, const std::string& connection)
{
    return systemFolder + "\\rundll32.exe rnaui.dll,RnaDial " + connection;
}

std::string MODULConnection::defaultConnection()
{
    auto key = RegistryKey::open(registry_, RegistryRoot::CurrentUser, kRemoteAccessPath, KeyAccess::Read);
    const auto value = key.query(kDefaultValue, kValueBytes);
    if (!value || value->type != platform::kRegSz)
        return {};
    return upperNameFromValue(value->data);
}

std::string MODULConnection::connectionToDial(bool& fromKeys)
{
    std::string only;
    std::size_t count = 0;
    auto key = RegistryKey::open(registry_, RegistryRoot::CurrentUser, kAddressesPath, KeyAccess::Read);
    fromKeys = static_cast<bool>(key);
    if (key) {
        std::string name;
        for (std::uint32_t index = 0;; ++index) {
            const EnumStatus status = key.enumValue(index, kNameChars, name);
            if (status == EnumStatus::NoMoreItems || status == EnumStatus::Failed)
                break;
            if (++count == 1) // a name too long to read leaves nothing to dial
                only = status == EnumStatus::Found ? name.substr(0, name.find('\0')) : std::string();
        }
    } else if (remoteAccess_.available()) {
        const std::vector<std::string> entries = remoteAccess_.entryNames();
        count = entries.size();
        if (count == 1)
            only = entries.front();
    } else {
        return {};
    }
    return count == 1 ? only : defaultConnection();
}

void MODULConnection::DialConnection()
{
    bool fromKeys = false;
    const std::string connection = connectionToDial(fromKeys);
    if (connection.empty())
        return;
    if (fromKeys)
        launcher_.run(dialCommand(launcher_.systemFolder(), connection), platform::ShowCommand::Normal);
    else
        remoteAccess_.dial(connection);
}

} // namespace bar
