#include "platform/sim/SimRegistry.h"

#include <algorithm>

namespace sim {

using platform::EnumStatus;
using platform::KeyAccess;
using platform::KeyHandle;
using platform::RegistryRoot;
using platform::RegistryValue;

namespace {

// ASCII only, as std::tolower in the C locale, without a library call per character: key
// lookups compare paths character by character.
char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
        std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lower(x) == lower(y); });
}

} // namespace

bool SimRegistry::KeyLess::less(const KeyRef& a, const KeyRef& b)
{
    if (a.root != b.root)
        return a.root < b.root;
    return std::lexicographical_compare(
        a.path.begin(), a.path.end(), b.path.begin(), b.path.end(), [](char x, char y) { return lower(x) < lower(y); });
}

bool SimRegistry::listed(const std::set<KeyId>& keys, const KeyRef& id)
{
    return std::any_of(
        keys.begin(), keys.end(), [&](const KeyId& k) { return k.first == id.root && sameName(k.second, id.path); });
}

SimRegistry::Key& SimRegistry::makeKey(const KeyRef& id)
{
    // Windows creates the missing keys above a new one as well.
    for (std::size_t slash = id.path.find('\\'); slash != std::string_view::npos; slash = id.path.find('\\', slash + 1))
        keys_[{id.root, std::string(id.path.substr(0, slash))}];
    return keys_[{id.root, std::string(id.path)}];
}

const SimRegistry::Key* SimRegistry::findKey(const KeyRef& id) const
{
    auto it = keys_.find(id);
    return it == keys_.end() ? nullptr : &it->second;
}

KeyHandle SimRegistry::issue(const KeyRef& id, KeyAccess access)
{
    KeyHandle handle = nextHandle_;
    nextHandle_ += 4;
    handles_[handle] = {{id.root, std::string(id.path)}, access};
    return handle;
}

void SimRegistry::addKey(RegistryRoot root, const std::string& path)
{
    makeKey({root, path});
}

void SimRegistry::putValue(RegistryRoot root, const std::string& path, const std::string& name, RegistryValue value)
{
    auto& values = makeKey({root, path}).values;
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
    const Key* key = findKey({root, path});
    if (!key)
        return std::nullopt;
    for (const auto& entry : key->values)
        if (sameName(entry.first, name))
            return entry.second;
    return std::nullopt;
}

bool SimRegistry::keyExists(RegistryRoot root, const std::string& path) const
{
    return findKey({root, path}) != nullptr;
}

KeyHandle SimRegistry::openKey(RegistryRoot root, const std::string& path, KeyAccess access)
{
    if (recordOpens)
        opens.emplace_back(path, access);
    const KeyRef id {root, path};
    // A root key itself always exists.
    if ((!findKey(id) && !path.empty()) || listed(denied, id))
        return 0;
    if (access == KeyAccess::All && listed(readOnly, id))
        return 0;
    return issue(id, access);
}

KeyHandle SimRegistry::createKey(RegistryRoot root, const std::string& path)
{
    const KeyRef id {root, path};
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
    const auto* values = findKey({it->second.id.first, it->second.id.second});
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
    auto& values = makeKey({it->second.id.first, it->second.id.second}).values;
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
    const Key* values = findKey({it->second.id.first, it->second.id.second});
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
