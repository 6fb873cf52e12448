#pragma once
// An in-memory registry with failure switches and open-handle accounting. Key paths compare
// case-insensitively, as on Windows; values keep the order they were first written in.
#include "platform/Registry.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace sim {

class SimRegistry final : public platform::Registry {
public: // test side
    // Creates the key and every key above it.
    void addKey(platform::RegistryRoot root, const std::string& path);
    // Creates the key when needed; replaces a value of the same name in place.
    void putValue(
        platform::RegistryRoot root, const std::string& path, const std::string& name, platform::RegistryValue value);
    std::optional<platform::RegistryValue> value(
        platform::RegistryRoot root, const std::string& path, const std::string& name) const;
    bool keyExists(platform::RegistryRoot root, const std::string& path) const;

    // Any open or create of these keys fails.
    std::set<std::pair<platform::RegistryRoot, std::string>> denied;
    // Opening with KeyAccess::All and creating fail; KeyAccess::Read works.
    std::set<std::pair<platform::RegistryRoot, std::string>> readOnly;
    // setValue of these names fails; the other names still work.
    std::set<std::string> failingValueNames;
    // Handles open now.
    int openKeys() const { return static_cast<int>(handles_.size()); }
    // Every openKey call (not createKey), path and access, in order, whether it worked or not.
    std::vector<std::pair<std::string, platform::KeyAccess>> opens;
    // Off for benchmarks: the record itself allocates.
    bool recordOpens = true;

public: // platform side
    platform::KeyHandle openKey(
        platform::RegistryRoot root, const std::string& path, platform::KeyAccess access) override;
    platform::KeyHandle createKey(platform::RegistryRoot root, const std::string& path) override;
    std::optional<platform::RegistryValue> queryValue(
        platform::KeyHandle key, const std::string& name, std::size_t maxBytes) override;
    bool setValue(platform::KeyHandle key, const std::string& name, const platform::RegistryValue& value) override;
    platform::EnumStatus enumValue(
        platform::KeyHandle key, std::uint32_t index, std::size_t maxNameChars, std::string& name) override;
    void closeKey(platform::KeyHandle key) override;

private:
    using KeyId = std::pair<platform::RegistryRoot, std::string>;
    // A key named without a copy of its path, so that looking one up allocates nothing.
    struct KeyRef {
        platform::RegistryRoot root;
        std::string_view path;
    };
    // Orders keys by root, then by path without regard to case, as Windows compares them.
    struct KeyLess {
        using is_transparent = void;
        bool operator()(const KeyId& a, const KeyId& b) const { return less({a.first, a.second}, {b.first, b.second}); }
        bool operator()(const KeyId& a, const KeyRef& b) const { return less({a.first, a.second}, b); }
        bool operator()(const KeyRef& a, const KeyId& b) const { return less(a, {b.first, b.second}); }
        static bool less(const KeyRef& a, const KeyRef& b);
    };
    struct Key {
        std::vector<std::pair<std::string, platform::RegistryValue>> values;
    };
    struct OpenKey {
        KeyId id;
        platform::KeyAccess access;
    };

    static bool listed(const std::set<KeyId>& keys, const KeyRef& id);
    Key& makeKey(const KeyRef& id);
    const Key* findKey(const KeyRef& id) const;
    platform::KeyHandle issue(const KeyRef& id, platform::KeyAccess access);

    std::map<KeyId, Key, KeyLess> keys_;
    std::map<platform::KeyHandle, OpenKey> handles_;
    platform::KeyHandle nextHandle_ = 0x80;
};

} // namespace sim
