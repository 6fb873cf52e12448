#pragma once
// The registry as the program uses it: keys opened with full access, typed values, enumeration.
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

enum class RegistryRoot { CurrentUser, LocalMachine, ClassesRoot, Users };
constexpr std::uint32_t kKeyAllAccess = 0xF003F;
constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegBinary = 3;
constexpr std::uint32_t kRegDword = 4;

struct RegistryValue {
    std::uint32_t type = 0;
    std::string data; // the raw bytes as stored
};

using RegistryKey = std::uintptr_t; // 0 means none

class Registry {
public:
    virtual ~Registry() = default;
    virtual RegistryKey open(RegistryRoot root, const std::string& path, std::uint32_t access) = 0;
    virtual RegistryKey create(RegistryRoot root, const std::string& path, std::uint32_t access) = 0;
    virtual std::optional<RegistryValue> query(RegistryKey key, const std::string& name) = 0;
    virtual bool set(RegistryKey key, const std::string& name, const RegistryValue& value) = 0;
    // The name of value number index, or nullopt past the last one.
    virtual std::optional<std::string> enumValue(RegistryKey key, std::uint32_t index) = 0;
    virtual bool deleteValue(RegistryKey key, const std::string& name) = 0;
    virtual void close(RegistryKey key) = 0;
};

} // namespace platform
