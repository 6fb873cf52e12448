#include "platform/sim/SimRegistry.h"

#include <algorithm>
#include <cctype>

namespace sim {

using platform::EnumStatus;
using platform::KeyAccess;
using platform::KeyHandle;
using platform::RegistryRoot;
using platform::RegistryValue;

namespace {

std::string folded(const std::string& text)
{
    std::string out = text;
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool sameName(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && folded(a) == folded(b);
}

} // namespace

SimRegistry::KeyId SimRegistry::idOf(RegistryRoot root, const std::string& path)
{
    return {root, folded(path)};
}

bool SimRegistry::listed(const std::set<KeyId>& keys, const KeyId& id) const
{
    return std::any_of(
        keys.begin(), keys.end(), [&](const KeyId& k) { return k.first == id.first && folded(k.second) == id.second; });
}

SimRegistry::Key& SimRegistry::makeKey(const KeyId& id)
{
    // Windows creates the missing keys above a new one as well.
    for (std::size_t slash = id.second.find('\\'); slash != std::string::npos; slash = id.second.find('\\', slash + 1))
        keys_[{id.first, id.second.substr(0, slash)}];
    return keys_[id];
}

const SimRegistry::Key* SimRegistry::findKey(const KeyId& id) const
{
    auto it = keys_.find(id);
    return it == keys_.end() ? nullptr : &it->second;
}

KeyHandle SimRegistry::issue(const KeyId& id, KeyAccess access)
{
    KeyHandle handle = nextHandle_;
    nextHandle_ += 4;
    handles_[handle] = {id, access};
    return handle;
}

void SimRegistry::addKey(RegistryRoot root, const std::string& path)
{
    makeKey(idOf(root, path));
}

void SimRegistry::putValue(RegistryRoot root, const std::string& path, const std::string& name, RegistryValue value)
{
    auto& values = makeKey(idOf(root, path)).values;
    for (auto& entry : values) {
        if (sameName(entry.first, name)) {
            entry.second = std::move(value);
            return;
        }
    }
    values.emplace_back(name, std::move(value));
}

std::optional<RegistryValue> SimRegistry::value(
    RegistryRoot root, const std::string& path, const std::string& name) const
{
    const Key* key = findKey(idOf(root, path));
    if (!key)
        return std::nullopt;
    for (const auto& entry : key->values)
        if (sameName(entry.first, name))
            return entry.second;
    return std::nullopt;
}

bool SimRegistry::keyExists(RegistryRoot root, const std::string& path) const
{
    return findKey(idOf(root, path)) != nullptr;
}

KeyHandle SimRegistry::openKey(RegistryRoot root, const std::string& path, KeyAccess access)
{
    opens.emplace_back(path, access);
    const KeyId id = idOf(root, path);
    if (!findKey(id) || listed(denied, id))
        return 0;
    if (access == KeyAccess::All && listed(readOnly, id))
        return 0;
    return issue(id, access);
}

KeyHandle SimRegistry::createKey(RegistryRoot root, const std::string& path)
{
    const KeyId id = idOf(root, path);
    if (listed(denied, id) || listed(readOnly, id))
        return 0;
    makeKey(id);
    return issue(id, KeyAccess::All);
}

std::optional<RegistryValue> SimRegistry::queryValue(KeyHandle key, const std::string& name, std::size_t maxBytes)
{
    auto it = handles_.find(key);
    if (it == handles_.end())
        return std::nullopt;
    const auto* values = findKey(it->second.id);
    if (!values)
        return std::nullopt;
    for (const auto& entry : values->values) {
        if (sameName(entry.first, name)) {
            if (entry.second.data.size() > maxBytes)
                return std::nullopt;
            return entry.second;
        }
    }
    return std::nullopt;
}

bool SimRegistry::setValue(KeyHandle key, const std::string& name, const RegistryValue& value)
{
    auto it = handles_.find(key);
    // A key opened for reading only refuses writes, as on Windows.
    if (it == handles_.end() || it->second.access != KeyAccess::All || failingValueNames.count(name))
        return false;
    auto& values = makeKey(it->second.id).values;
    for (auto& entry : values) {
        if (sameName(entry.first, name)) {
            entry.second = value;
            return true;
        }
    }
    values.emplace_back(name, value);
    return true;
}

EnumStatus SimRegistry::enumValue(KeyHandle key, std::uint32_t index, std::size_t maxNameChars, std::string& name)
{
    auto it = handles_.find(key);
    if (it == handles_.end())
        return EnumStatus::Failed;
    const Key* values = findKey(it->second.id);
    if (!values || index >= values->values.size())
        return EnumStatus::NoMoreItems;
    const std::string& found = values->values[index].first;
    if (found.size() > maxNameChars)
        return EnumStatus::TooLong;
    name = found;
    return EnumStatus::Found;
}

void SimRegistry::closeKey(KeyHandle key)
{
    handles_.erase(key);
}

} // namespace sim
