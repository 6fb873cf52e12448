#pragma once
// The registry as the program uses it. Keys that are only read are opened with query access
// alone (full access fails for ordinary users); values are read with a size limit and
// enumerated by name. RegistryKey closes what it opened, on every path.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace platform {

enum class RegistryRoot { CurrentUser, LocalMachine, ClassesRoot };
enum class KeyAccess { Read, All };

constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegExpandSz = 2; // text with %NAME% references to the environment
constexpr std::uint32_t kRegBinary = 3;
constexpr std::uint32_t kRegDword = 4;

struct RegistryValue {
    std::uint32_t type = 0;
    std::string data; // the raw bytes as stored
};

enum class EnumStatus {
    Found,
    NoMoreItems,
    TooLong, // the value exists but its name does not fit the limit
    Failed,
};

using KeyHandle = std::uintptr_t; // 0 means none

class Registry {
public:
    virtual ~Registry() = default;
    // 0 when the key is missing or refuses the access.
    virtual KeyHandle openKey(RegistryRoot root, const std::string& path, KeyAccess access) = 0;
    // Opens or creates the key with full access; 0 on failure.
    virtual KeyHandle createKey(RegistryRoot root, const std::string& path) = 0;
    // nullopt when the value is missing, unreadable or longer than maxBytes.
    virtual std::optional<RegistryValue> queryValue(KeyHandle key, const std::string& name, std::size_t maxBytes) = 0;
    virtual bool setValue(KeyHandle key, const std::string& name, const RegistryValue& value) = 0;
    // The name of value number index, at most maxNameChars characters.
    virtual EnumStatus enumValue(KeyHandle key, std::uint32_t index, std::size_t maxNameChars, std::string& name) = 0;
    virtual void closeKey(KeyHandle key) = 0;
};

class RegistryKey {
public:
    RegistryKey() = default;
    RegistryKey(Registry& registry, KeyHandle handle)
        : registry_(&registry)
        , handle_(handle)
    {
    }
    ~RegistryKey() { reset(); }
    RegistryKey(RegistryKey&& other) noexcept
        : registry_(other.registry_)
        , handle_(std::exchange(other.handle_, 0))
    {
    }
    RegistryKey& operator=(RegistryKey&& other) noexcept
    {
        if (this != &other) {
            reset();
            registry_ = other.registry_;
            handle_ = std::exchange(other.handle_, 0);
        }
        return *this;
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    static RegistryKey open(Registry& registry, RegistryRoot root, const std::string& path, KeyAccess access)
    {
        return RegistryKey(registry, registry.openKey(root, path, access));
    }
    static RegistryKey create(Registry& registry, RegistryRoot root, const std::string& path)
    {
        return RegistryKey(registry, registry.createKey(root, path));
    }

    explicit operator bool() const { return handle_ != 0; }
    KeyHandle handle() const { return handle_; }

    std::optional<RegistryValue> query(const std::string& name, std::size_t maxBytes) const
    {
        if (!handle_)
            return std::nullopt;
        return registry_->queryValue(handle_, name, maxBytes);
    }
    bool set(const std::string& name, const RegistryValue& value) const
    {
        return handle_ && registry_->setValue(handle_, name, value);
    }
    EnumStatus enumValue(std::uint32_t index, std::size_t maxNameChars, std::string& name) const
    {
        if (!handle_)
            return EnumStatus::Failed;
        return registry_->enumValue(handle_, index, maxNameChars, name);
    }

private:
    void reset()
    {
        if (handle_)
            registry_->closeKey(std::exchange(handle_, 0));
    }

    Registry* registry_ = nullptr;
    KeyHandle handle_ = 0;
};

} // namespace platform
