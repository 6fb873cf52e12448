// The settings byte decoder: the first input byte picks the value's type, the rest is its data.
// Whatever decodes must encode back to the same bytes.
#include "fuzz/FuzzCheck.h"
#include "settings/DwordValueCodec.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::uint32_t type = data[0] % 8;
    const platform::RegistryValue value {type, std::string(reinterpret_cast<const char*>(data + 1), size - 1)};

    if (const auto flag = settings::decodeFlag(value))
        FUZZ_CHECK(value.type == platform::kRegDword && settings::encodeFlag(*flag) == value.data);
    if (const auto number = settings::decodeNumber(value)) {
        FUZZ_CHECK(*number >= 0 && *number <= 65535 && std::floor(*number) == *number);
        FUZZ_CHECK(settings::encodeNumber(*number) == value.data);
    }

    // Any number, NaN and infinities included, is stored as something that reads back.
    if (size >= 5) {
        float number;
        std::memcpy(&number, data + 1, sizeof number);
        const auto back = settings::decodeNumber({platform::kRegDword, settings::encodeNumber(number)});
        FUZZ_CHECK(back && *back == static_cast<float>(settings::storedNumber(number)));
    }
    return 0;
}
